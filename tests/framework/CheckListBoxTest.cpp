#include "CheckLst.h"
#include "WaitFor.h"

#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

TEST(CheckListBox, ChecksByProgramAndUserWithFlatBoxes)
{
    TForm form(nullptr);
    form.SetBounds(100, 100, 300, 200);
    auto *list = new TCheckListBox(&form);
    list->SetParent(&form);
    list->SetBounds(10, 10, 200, 120);
    list->SetColor(clWhite);
    list->Items()->Add("one");
    list->Items()->Add("two");
    std::vector<int> checks;
    list->OnClickCheck = [&](TObject *) { checks.push_back(list->ItemIndex()); };
    EXPECT_FALSE(list->Checked(0));
    list->SetChecked(1, true);
    EXPECT_TRUE(list->Checked(1));
    EXPECT_TRUE(checks.empty()); // the program's changes are not clicks
    EXPECT_THROW(list->SetChecked(2, true), EListError);
    list->SetAllowGrayed(true);
    list->SetState(0, cbGrayed);
    EXPECT_EQ(list->State(0), cbGrayed);

    form.Show();
    form.Handle()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.Handle()));
    // The flat box of the checked item has dark tick pixels; the unchecked
    // area beside the grayed one does not.
    const TRect r = list->ItemRect(1);
    QImage shot;
    ASSERT_TRUE(WaitFor([&] {
        shot = list->Handle()->grab().toImage();
        int dark = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left + 2; x < r.Left + 15; ++x)
                if (qGray(shot.pixel(x + list->BorderWidth(), y + list->BorderWidth())) < 60)
                    ++dark;
        return dark >= 6;
    }));

    list->SetItemIndex(1);
    list->SetFocus();
    QTest::keyClick(list->Handle(), Qt::Key_Space);
    EXPECT_FALSE(list->Checked(1));
    EXPECT_EQ(checks, (std::vector<int>{1}));
    list->SetItemEnabled(1, false);
    QTest::keyClick(list->Handle(), Qt::Key_Space);
    EXPECT_FALSE(list->Checked(1));
}
