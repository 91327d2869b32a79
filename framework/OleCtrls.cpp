#include "OleCtrls.h"

#include <QWidget>
#include <algorithm>

namespace {
// Ids and positions of the hosted components' interfaces.
const char *const kShockwaveFlashClassId = "{D27CDB6E-AE6D-11CF-96B8-444553540000}";
const char *const kRealAudioClassId = "{CFCDAA03-8BE4-11CF-B84B-0020AFBBCCFA}";

enum : DISPID {
    DispidMovie = 102,
    DispidQuality2 = 141,
    DispidFrameNum = 107,
    DispidTotalFrames = 124,
    DispidPlaying = 125,
    DispidScale = 137,
    DispidWMode = 133,
    DispidExtentX = 1000,
    DispidExtentY = 1001,
    DispidMovieTitle = 1002,
    DispidSource = 102,
    DispidControls = 103,
    DispidBackgroundColor = 104,
};

enum : int {
    PositionPlay = 28,
    PositionStopPlay = 33,
    PositionCurrentFrame = 35,
    PositionDoStop = 50,
    PositionResizeNotice = 100,
};
} // namespace

TOleControl::TOleControl(TComponent *AOwner, const String &ClassId)
    : TWinControl(AOwner), FClassId(ClassId)
{
    SetTabStop(true);
}

TOleControl::~TOleControl()
{
    // The component goes before the window it lives in.
    FComponent.reset();
}

IOleComponent *TOleControl::Component()
{
    HandleNeeded();
    if (!FComponent)
        throw EOleException(FCreateError);
    return FComponent.get();
}

OleVariant TOleControl::GetProperty(DISPID Id)
{
    return Component()->GetProperty(Id);
}

void TOleControl::SetProperty(DISPID Id, const OleVariant &Value)
{
    Component()->SetProperty(Id, Value);
}

OleVariant TOleControl::CallMethod(int Position, const QVariantList &Args)
{
    return Component()->CallMethod(Position, Args);
}

void TOleControl::SetControlData(DISPID Id, const OleVariant &Value)
{
    auto stored = std::find_if(FControlData.begin(), FControlData.end(),
                               [Id](const auto &entry) { return entry.first == Id; });
    if (stored != FControlData.end())
        stored->second = Value;
    else
        FControlData.emplace_back(Id, Value);
    if (FComponent)
        FComponent->SetProperty(Id, Value);
}

void TOleControl::CreateWnd()
{
    TWinControl::CreateWnd();
    try {
        FComponent = CreateComObject(FClassId, Handle());
    } catch (const EOleException &E) {
        // The control stays without a component; every access reports why.
        FCreateError = E.Message;
        return;
    }
    FCreateError.clear();
    PlaceComponent();
    if (QWidget *window = FComponent->Window())
        window->show();
    for (const auto &[id, value] : FControlData)
        FComponent->SetProperty(id, value);
    // The stored extent sized the component; the control's own size rules.
    PlaceComponent();
}

void TOleControl::DestroyWnd()
{
    FComponent.reset();
    TWinControl::DestroyWnd();
}

void TOleControl::WMSize(TMessage &Message)
{
    TWinControl::WMSize(Message);
    PlaceComponent();
}

void TOleControl::PlaceComponent()
{
    if (!FComponent)
        return;
    QWidget *window = FComponent->Window();
    if (!window)
        return;
    const TRect r = ClientRect();
    window->setGeometry(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
}

TShockwaveFlash::TShockwaveFlash(TComponent *AOwner)
    : TOleControl(AOwner, QString::fromLatin1(kShockwaveFlashClassId))
{
    // The settings stored with the main window: no movie, windowed, high
    // quality, stretched to the whole area, playing by itself.
    SetControlData(DispidExtentX, 335);
    SetControlData(DispidExtentY, 247);
    SetControlData(DispidWMode, QStringLiteral("Window"));
    SetControlData(DispidQuality2, QStringLiteral("High"));
    SetControlData(DispidScale, QStringLiteral("ExactFit"));
    SetControlData(DispidPlaying, true);
}

void TShockwaveFlash::SetMovie(const String &Value)
{
    SetProperty(DispidMovie, Value);
}

void TShockwaveFlash::SetMovieTitle(const String &Value)
{
    SetProperty(DispidMovieTitle, Value);
}

int TShockwaveFlash::TotalFrames()
{
    return GetProperty(DispidTotalFrames).toInt();
}

int TShockwaveFlash::FrameNum()
{
    return GetProperty(DispidFrameNum).toInt();
}

void TShockwaveFlash::SetFrameNum(int Value)
{
    SetProperty(DispidFrameNum, Value);
}

bool TShockwaveFlash::Playing()
{
    return GetProperty(DispidPlaying).toInt() != 0;
}

void TShockwaveFlash::Play()
{
    CallMethod(PositionPlay);
}

void TShockwaveFlash::StopPlay()
{
    CallMethod(PositionStopPlay);
}

int TShockwaveFlash::CurrentFrame()
{
    return CallMethod(PositionCurrentFrame).toInt();
}

TRealAudio::TRealAudio(TComponent *AOwner) : TOleControl(AOwner, QString::fromLatin1(kRealAudioClassId))
{
    // The settings stored with the programme window: image window and
    // control panel, black background.
    SetControlData(DispidControls, QStringLiteral("imagewindow,controlpanel"));
    SetControlData(DispidBackgroundColor, QStringLiteral("#000000"));
}

void TRealAudio::SetSource(const String &Value)
{
    SetProperty(DispidSource, Value);
}

void TRealAudio::DoStop()
{
    CallMethod(PositionDoStop);
}

void TRealAudio::ResizeNotice()
{
    CallMethod(PositionResizeNotice);
}
