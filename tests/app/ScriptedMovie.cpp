#include "ScriptedMovie.h"

#include "swf/FlashComponent.h"

TScriptedMovie::TScriptedMovie(QWidget *Parent, std::shared_ptr<TScriptedMovieState> State)
    : FWindow(new QWidget(Parent)), FState(std::move(State))
{
}

OleVariant TScriptedMovie::GetProperty(DISPID Id)
{
    if (!FState->Refusal.isEmpty())
        throw EOleException(FState->Refusal);
    switch (Id) {
    case FlashDispId::TotalFrames: FState->Calls << "TotalFrames"; return FState->TotalFrames;
    case FlashDispId::FrameNum: FState->Calls << "FrameNum?"; return FState->Frame;
    case FlashDispId::Playing: FState->Calls << "Playing?"; return short(FState->Playing ? -1 : 0);
    default: throw EOleException(QStringLiteral("Unknown name"));
    }
}

void TScriptedMovie::SetProperty(DISPID Id, const OleVariant &Value)
{
    switch (Id) {
    case FlashDispId::Movie: {
        const QString address = Value.toString();
        FState->Calls << "Movie=" + address;
        auto length = FState->Lengths.find(address);
        if (length != FState->Lengths.end())
            FState->TotalFrames = length->second;
        FState->Frame = 0;
        FState->Playing = true;
        return;
    }
    case FlashDispId::MovieTitle:
        FState->Calls << "MovieTitle=" + Value.toString();
        return;
    case FlashDispId::FrameNum:
        FState->Calls << "FrameNum=" + Value.toString();
        FState->Frame = Value.toInt();
        return;
    case FlashDispId::Playing:
    case FlashDispId::WMode:
    case FlashDispId::Scale:
    case FlashDispId::Quality2:
    case FlashDispId::ExtentX:
    case FlashDispId::ExtentY:
        return; // the stored settings
    default: throw EOleException(QStringLiteral("Unknown name"));
    }
}

OleVariant TScriptedMovie::CallMethod(int Position, const QVariantList &)
{
    if (!FState->Refusal.isEmpty())
        throw EOleException(FState->Refusal);
    switch (Position) {
    case FlashMethod::Play: FState->Calls << "Play"; FState->Playing = true; return {};
    case FlashMethod::StopPlay: FState->Calls << "StopPlay"; FState->Playing = false; return {};
    case FlashMethod::CurrentFrame: FState->Calls << "CurrentFrame"; return FState->Frame;
    default: throw EOleException(QStringLiteral("Unknown name"));
    }
}

TScriptedMovieRegistration::TScriptedMovieRegistration()
{
    RegisterComClass(QString::fromLatin1(kFlashClassId), [state = State](QWidget *parent) {
        return std::make_unique<TScriptedMovie>(parent, state);
    });
}

TScriptedMovieRegistration::~TScriptedMovieRegistration()
{
    RegisterFlashControl();
}
