#include "Dialogs.h"
#include "Forms.h"
#include "OleCtrls.h"

#include <QWidget>
#include <gtest/gtest.h>
#include <map>
#include <vector>

namespace {

const String kTestClass = QStringLiteral("{0F1E2D3C-0000-4000-8000-00000000A11C}");

// A component that records what its host asks of it.
struct Script {
    std::vector<String> Calls;
    std::map<DISPID, OleVariant> Properties;
    QWidget *Window = nullptr;
};

class ScriptedComponent : public IOleComponent {
public:
    ScriptedComponent(QWidget *parent, Script &script) : script(script), window(new QWidget(parent))
    {
        script.Window = window;
    }
    QWidget *Window() const override { return window; }
    OleVariant GetProperty(DISPID id) override
    {
        script.Calls.push_back(QStringLiteral("get %1").arg(id));
        auto found = script.Properties.find(id);
        if (found == script.Properties.end())
            throw EOleException(QStringLiteral("Unknown name"));
        return found->second;
    }
    void SetProperty(DISPID id, const OleVariant &value) override
    {
        script.Calls.push_back(QStringLiteral("set %1=%2").arg(id).arg(value.toString()));
        script.Properties[id] = value;
    }
    OleVariant CallMethod(int position, const QVariantList &) override
    {
        script.Calls.push_back(QStringLiteral("call %1").arg(position));
        if (position == 99)
            throw EOleException(QStringLiteral("Member not found"));
        return position;
    }

private:
    Script &script;
    QWidget *window;
};

class OleCtrls : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterComClass(kTestClass, [this](QWidget *parent) {
            return std::make_unique<ScriptedComponent>(parent, script);
        });
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 300, 200);
    }
    void TearDown() override
    {
        delete form;
        UnregisterComClass(kTestClass);
    }
    Script script;
    TForm *form = nullptr;
};

TEST_F(OleCtrls, ComponentCoversTheClientAreaAndFollowsItsSize)
{
    auto control = new TOleControl(form, kTestClass);
    control->SetParent(form);
    control->SetBounds(10, 20, 120, 80);
    ASSERT_NE(control->Component(), nullptr);
    ASSERT_EQ(script.Window->parentWidget(), control->Handle());
    EXPECT_EQ(script.Window->geometry(), QRect(0, 0, 120, 80));
    control->SetBounds(10, 20, 200, 150);
    EXPECT_EQ(script.Window->geometry(), QRect(0, 0, 200, 150));
    control->SetAlign(alClient);
    EXPECT_EQ(script.Window->size(), QSize(form->ClientWidth(), form->ClientHeight()));
}

TEST_F(OleCtrls, StoredSettingsReachTheComponentWhenItIsCreated)
{
    auto control = new TOleControl(form, kTestClass);
    control->SetControlData(7, 1);
    control->SetControlData(8, QStringLiteral("a"));
    control->SetControlData(7, 2);
    EXPECT_TRUE(script.Calls.empty());
    control->SetParent(form);
    control->HandleNeeded();
    EXPECT_EQ(script.Calls, (std::vector<String>{"set 7=2", "set 8=a"}));
    control->SetControlData(8, QStringLiteral("b"));
    EXPECT_EQ(script.Calls.back(), "set 8=b");
}

TEST_F(OleCtrls, PropertiesAndMethodsPassThroughById)
{
    auto control = new TOleControl(form, kTestClass);
    control->SetParent(form);
    control->SetProperty(102, QStringLiteral("x"));
    EXPECT_EQ(control->GetProperty(102).toString(), "x");
    EXPECT_EQ(control->CallMethod(33).toInt(), 33);
    EXPECT_THROW(control->GetProperty(5), EOleException);
    EXPECT_THROW(control->CallMethod(99), EOleException);
}

TEST_F(OleCtrls, UnregisteredClassLeavesAControlThatReportsIt)
{
    auto control = new TOleControl(form, QStringLiteral("{DEADBEEF-0000-0000-0000-000000000000}"));
    control->SetParent(form);
    control->HandleNeeded();
    EXPECT_TRUE(control->HandleAllocated());
    try {
        control->GetProperty(102);
        FAIL() << "no error";
    } catch (const EOleException &E) {
        EXPECT_EQ(E.Message, "Class not registered");
    }
}

TEST_F(OleCtrls, RefusedCallInAHandlerIsReportedWithItsText)
{
    auto control = new TOleControl(form, kTestClass);
    control->SetParent(form);
    std::vector<String> shown;
    TDialogHandler old = SetDialogHandler([&](const TDialogRequest &r) {
        shown.push_back(r.Text);
        return IDOK;
    });
    bool reached = false;
    CallGuarded(control, [&] {
        control->CallMethod(99);
        reached = true;
    });
    SetDialogHandler(old);
    EXPECT_FALSE(reached);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].contains("Member not found"));
}

TEST_F(OleCtrls, WrappersUseTheComponentsIdsAndPositions)
{
    const String flashId = QStringLiteral("{D27CDB6E-AE6D-11CF-96B8-444553540000}");
    RegisterComClass(flashId, [this](QWidget *parent) { return std::make_unique<ScriptedComponent>(parent, script); });
    auto flash = new TShockwaveFlash(form);
    flash->SetParent(form);
    flash->HandleNeeded();
    script.Calls.clear();
    script.Properties[124] = 250;
    script.Properties[125] = QVariant::fromValue<short>(-1);
    flash->StopPlay();
    flash->SetMovie(QStringLiteral("m.swf"));
    flash->SetFrameNum(40);
    EXPECT_EQ(flash->FrameNum(), 40);
    EXPECT_EQ(flash->TotalFrames(), 250);
    EXPECT_TRUE(flash->Playing());
    script.Properties[125] = QVariant::fromValue<short>(0);
    EXPECT_FALSE(flash->Playing());
    flash->Play();
    EXPECT_EQ(flash->CurrentFrame(), 35);
    EXPECT_EQ(script.Calls, (std::vector<String>{"call 33", "set 102=m.swf", "set 107=40", "get 107", "get 124",
                                                 "get 125", "get 125", "call 28", "call 35"}));
    UnregisterComClass(flashId);

    const String audioId = QStringLiteral("{CFCDAA03-8BE4-11CF-B84B-0020AFBBCCFA}");
    RegisterComClass(audioId, [this](QWidget *parent) { return std::make_unique<ScriptedComponent>(parent, script); });
    script.Calls.clear();
    auto audio = new TRealAudio(form);
    audio->SetParent(form);
    audio->HandleNeeded();
    audio->SetSource(QStringLiteral("rtsp://h/a.rm"));
    audio->DoStop();
    audio->ResizeNotice();
    EXPECT_EQ(script.Calls, (std::vector<String>{"set 103=imagewindow,controlpanel", "set 104=#000000",
                                                 "set 102=rtsp://h/a.rm", "call 50", "call 100"}));
    UnregisterComClass(audioId);
}

} // namespace
