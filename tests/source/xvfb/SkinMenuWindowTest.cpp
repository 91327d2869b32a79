// A skinned window with its menu bar on a real X desktop, in every style: a
// click on a bar button drops the skinned sub-menu below it, the item under
// the pointer is drawn selected, and a click on it runs its command.
#include "WaitFor.h"
#include "../../framework/xvfb/MouseDrag.h"
#include "MenusPopup.h"
#include "SUIForm.h"
#include "SUIMainMenu.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

QColor Q(TColor C)
{
    const TColor rgb = ColorToRGB(C);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

class SkinMenuWindow : public testing::TestWithParam<TsuiUIStyle> {};

TEST_P(SkinMenuWindow, DropsTheSkinnedSubMenuAndRunsTheChosenItem)
{
    const TsuiUIStyle style = GetParam();
    TForm form(nullptr);
    form.SetBounds(40, 40, 481, 351);
    auto *skin = new TsuiForm(&form);
    skin->SetParent(&form);
    skin->SetUIStyle(style);
    skin->SetCaption("Wordlark");
    auto *menu = new TsuiMainMenu(&form);
    std::vector<String> clicks;
    auto add = [&](TMenuItem *parent, const char *caption) {
        auto *item = new TMenuItem(&form);
        item->SetCaption(QString::fromUtf8(caption));
        item->OnClick = [&clicks, item](TObject *) { clicks.push_back(item->Caption()); };
        parent->Add(item);
        return item;
    };
    add(menu->Items(), "打开文件");
    TMenuItem *looks = add(menu->Items(), "界面风格");
    for (const char *caption : {"Winxp", "DeepBlue", "MacOS", "-", "Protein", "BlueGlass"})
        add(looks, caption);
    looks->Items(1)->SetChecked(true);
    looks->Items(4)->SetEnabled(false);
    looks->Items(5)->SetShortCut(ShortCut('B', ssCtrl));
    add(menu->Items(), "帮助");
    add(menu->Items(), "退出");
    menu->Loaded();
    form.Show();
    QWidget *w = form.Handle();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    QTest::qWait(50);

    // A click on the second bar button drops its sub-menu under it.
    TToolButton *button = skin->MenuBar()->Buttons(1);
    const QPoint centre = Global(button, button->Width() / 2, button->Height() / 2);
    QCursor::setPos(centre);
    QTest::mouseMove(w->windowHandle(), w->windowHandle()->mapFromGlobal(centre));
    QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, w->windowHandle()->mapFromGlobal(centre));
    ASSERT_TRUE(WaitFor([] { return OpenMenuWindows().size() == 1; }));
    TMenuWindow *drop = OpenMenuWindows().front();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(drop->Handle()));
    EXPECT_EQ(drop->Item(), looks);
    EXPECT_EQ(Global(drop, 0, 0).y(), Global(button, 0, button->Height()).y() + (drop->Height() - drop->ClientHeight()) / 2);

    // The pointer on "MacOS" selects it.
    const TRect r = drop->ItemRect(2);
    const QPoint over = Global(drop, r.Left + r.Width() / 2, r.Top + r.Height() / 2);
    QCursor::setPos(over);
    QTest::mouseMove(drop->Handle()->windowHandle(), drop->Handle()->windowHandle()->mapFromGlobal(over));
    ASSERT_TRUE(WaitFor([&] { return drop->Selected() == 2; }));
    // The selection shows once the drop-down has repainted; MacOS selects with a picture instead of a fill.
    const QPoint probe = Global(drop, r.Right - 4, r.Top + 2);
    const auto grab = [] { return QGuiApplication::primaryScreen()->grabWindow(0).toImage(); };
    if (style != MacOS) {
        EXPECT_TRUE(WaitFor([&] { return grab().pixelColor(probe) == Q(menu->SelectedColor()); }));
    }
    const QImage screen = grab();
    if (!qEnvironmentVariableIsEmpty("WORDLARK_SCREENSHOT_DIR")) {
        const QPoint origin = Global(&form, 0, 0);
        screen.copy(origin.x() - 10, origin.y() - 10, form.Width() + 20, form.Height() + 20)
            .save(QStringLiteral("%1/menu-window-%2.png").arg(qEnvironmentVariable("WORDLARK_SCREENSHOT_DIR")).arg(int(style)));
    }

    QTest::mouseClick(drop->Handle()->windowHandle(), Qt::LeftButton, {}, drop->Handle()->windowHandle()->mapFromGlobal(over));
    EXPECT_TRUE(WaitFor([&] { return clicks == std::vector<String>{"MacOS"}; }));
    EXPECT_TRUE(OpenMenuWindows().empty());
}

INSTANTIATE_TEST_SUITE_P(Styles, SkinMenuWindow, testing::Values(WinXP, MacOS, DeepBlue, Protein, BlueGlass));

} // namespace
