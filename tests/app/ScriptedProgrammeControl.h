#pragma once
// A programme component that does what the window asks and writes it down:
// the Source it is given, stop requests and resize notices. Registered under
// the programme control's class id for the tests of the programme window.
#include "ComObj.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <map>

class ScriptedProgrammeControl : public IOleComponent {
public:
    static constexpr const char *ClassId = "{CFCDAA03-8BE4-11CF-B84B-0020AFBBCCFA}";
    static constexpr DISPID DispidSource = 102;
    static constexpr int PositionStop = 50;
    static constexpr int PositionResizeNotice = 100;

    // What every scripted control was asked, in order ("Source=...", "Stop",
    // "Resize"), and whether the next stop requests fail.
    static QStringList &Log()
    {
        static QStringList log;
        return log;
    }
    static bool &FailStop()
    {
        static bool fail = false;
        return fail;
    }
    static void Register()
    {
        Log().clear();
        FailStop() = false;
        RegisterComClass(QString::fromLatin1(ClassId),
                         [](QWidget *parent) { return std::make_unique<ScriptedProgrammeControl>(parent); });
    }

    explicit ScriptedProgrammeControl(QWidget *parent) : FWindow(new QWidget(parent)) {}
    ~ScriptedProgrammeControl() override { delete FWindow; }

    QWidget *Window() const override { return FWindow; }
    OleVariant GetProperty(DISPID id) override
    {
        const auto found = FProperties.find(id);
        if (found == FProperties.end())
            throw EOleException(QStringLiteral("Unknown name"));
        return found->second;
    }
    void SetProperty(DISPID id, const OleVariant &value) override
    {
        if (id == DispidSource)
            Log().append(QStringLiteral("Source=") + value.toString());
        FProperties[id] = value;
    }
    OleVariant CallMethod(int position, const QVariantList &) override
    {
        if (position == PositionStop) {
            if (FailStop())
                throw EOleException(QStringLiteral("The stream does not answer"));
            Log().append(QStringLiteral("Stop"));
        } else if (position == PositionResizeNotice) {
            Log().append(QStringLiteral("Resize"));
        } else {
            throw EOleException(QStringLiteral("Member not found"));
        }
        return {};
    }

private:
    // The host may free the window with its own.
    QPointer<QWidget> FWindow;
    std::map<DISPID, OleVariant> FProperties;
};
