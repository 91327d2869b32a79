#include "SUIProgressBar.h"

#include <algorithm>

namespace {
// The bar's thickness across its length, whatever the orientation.
constexpr int BarThickness = 12;

// Bitmap upside down, row by row.
void FlipVertically(TBitmap *Source, TBitmap *Dest)
{
    const int w = Source->Width();
    const int h = Source->Height();
    Dest->SetSize(w, h);
    for (int y = 0; y < h; ++y)
        Dest->Canvas()->CopyRect(Rect(0, h - 1 - y, w, h - y), Source->Canvas(), Rect(0, y, w, y + 1));
}
}

TsuiProgressBar::TsuiProgressBar(TComponent *AOwner) : TCustomPanel(AOwner)
{
    SetControlStyle(ControlStyle() & ~csAcceptsControls);
    FPicture = std::make_unique<TPicture>();
    FMin = 0;
    FMax = 100;
    FPosition = 50;
    FOrientation = suiHorizontal;
    FBorderColor = clBlack;
    FColor = clBtnFace;
    FCaptionColor = clBlack;
    SetHeight(BarThickness);
    SetWidth(150);
    SetText(QStringLiteral("50%"));
    FShowCaption = true;
    SetColor(clBtnFace);
    SetUIStyle(GetContainerUIStyle(AOwner));
    UpdateCaption();
}

TsuiProgressBar::~TsuiProgressBar() = default;

void TsuiProgressBar::SetMax(int Value)
{
    FMax = Value;
    UpdateCaption();
}

void TsuiProgressBar::SetMin(int Value)
{
    FMin = Value;
    UpdateCaption();
}

void TsuiProgressBar::SetPosition(int Value)
{
    FPosition = Value;
    UpdateCaption();
}

void TsuiProgressBar::SetUIStyle(TsuiUIStyle Value)
{
    FUIStyle = Value;
    UpdateStyle();
}

void TsuiProgressBar::SetOrientation(TsuiProgressBarOrientation Value)
{
    FOrientation = Value;
    UpdateStyle();
    const int length = std::max(Height(), Width());
    if (FOrientation == suiVertical) {
        SetWidth(BarThickness);
        SetHeight(length);
    } else {
        SetHeight(BarThickness);
        SetWidth(length);
    }
}

void TsuiProgressBar::SetBorderColor(TColor Value)
{
    FBorderColor = Value;
    Repaint();
}

void TsuiProgressBar::SetColor(TColor Value)
{
    FColor = Value;
    Repaint();
}

void TsuiProgressBar::SetPicture(const TPicture *Value)
{
    FPicture->Assign(Value);
    Repaint();
}

void TsuiProgressBar::SetShowCaption(bool Value)
{
    FShowCaption = Value;
    Repaint();
}

void TsuiProgressBar::SetCaptionColor(TColor Value)
{
    FCaptionColor = Value;
    Repaint();
}

void TsuiProgressBar::SetSmartShowCaption(bool Value)
{
    FSmartShowCaption = Value;
    Repaint();
}

bool TsuiProgressBar::CanResize(int &NewWidth, int &NewHeight)
{
    if (FOrientation == suiHorizontal ? NewHeight != BarThickness : NewWidth != BarThickness)
        return false;
    return TCustomPanel::CanResize(NewWidth, NewHeight);
}

int TsuiProgressBar::Percent() const
{
    if (FMin == FMax)
        return 0;
    return static_cast<int>(static_cast<long long>(FPosition - FMin) * 100 / (FMax - FMin));
}

int TsuiProgressBar::FilledLength(int Length) const
{
    if (FMin >= FMax || FPosition <= FMin)
        return 0;
    if (FPosition > FMax)
        return Length;
    return static_cast<int>(static_cast<long long>(Length) * (FPosition - FMin) / (FMax - FMin));
}

void TsuiProgressBar::UpdateCaption()
{
    SetText(QString::number(Percent()) + QLatin1Char('%'));
    Repaint();
}

void TsuiProgressBar::UpdateStyle()
{
    if (FUIStyle != Custom) {
        const int pictureEntry = FOrientation == suiHorizontal ? 43 : 44;
        FPicture->Bitmap()->LoadFromResourceName(HInstance, GetThemeString(FUIStyle, pictureEntry));
        FColor = GetThemeColor(FUIStyle, 9);
        FBorderColor = GetThemeColor(FUIStyle, 8);
    }
    Repaint();
}

void TsuiProgressBar::Paint()
{
    TBitmap buffer;
    buffer.SetSize(ClientWidth(), ClientHeight());
    TGraphic *picture = FPicture->Graphic();
    if (picture && picture->Empty())
        picture = nullptr;

    if (FOrientation == suiHorizontal) {
        const int filled = std::max(FilledLength(buffer.Width() - 1), 1);
        if (picture) {
            buffer.SetHeight(picture->Height() + 2);
            buffer.Canvas()->StretchDraw(Rect(1, 1, filled, buffer.Height() - 1), picture);
        }
        buffer.Canvas()->Brush()->SetColor(FColor);
        buffer.Canvas()->FillRect(Rect(filled, 1, buffer.Width() - 1, buffer.Height() - 1));
    } else {
        const int empty = std::max((buffer.Height() - 1) - FilledLength(buffer.Height() - 1), 1);
        if (picture) {
            buffer.SetWidth(picture->Width() + 2);
            // The picture stands on the bar's bottom end, upside down.
            TBitmap flipped;
            FlipVertically(FPicture->Bitmap(), &flipped);
            buffer.Canvas()->StretchDraw(Rect(1, empty, buffer.Width() - 1, buffer.Height() - 1), &flipped);
        }
        buffer.Canvas()->Brush()->SetColor(FColor);
        buffer.Canvas()->FillRect(Rect(1, 1, buffer.Width() - 1, empty));
        // A vertical bar shows no caption.
        FShowCaption = false;
    }

    if (FShowCaption && !(FSmartShowCaption && FPosition == FMin)) {
        TCanvas *canvas = buffer.Canvas();
        canvas->Font()->SetColor(FCaptionColor);
        canvas->Brush()->SetStyle(bsClear);
        const String text = Text();
        canvas->TextOut((buffer.Width() - canvas->TextWidth(text)) / 2,
                        (buffer.Height() - canvas->TextHeight(text)) / 2, text);
    }

    buffer.Canvas()->Brush()->SetStyle(bsSolid);
    buffer.Canvas()->Brush()->SetColor(FBorderColor);
    buffer.Canvas()->FrameRect(ClientRect());

    Canvas()->Draw(0, 0, &buffer);
}
