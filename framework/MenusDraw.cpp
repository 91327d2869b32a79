// The plain look of menu items, for menus that are not owner-drawn and for
// owner-drawn items without drawing handlers.
#include "Menus.h"

#include "ImgList.h"

#include <algorithm>

namespace {

constexpr int SeparatorHeight = 9;
constexpr int MinItemHeight = 19;
// The column left of the caption (check mark or image) and the one right of
// it (sub-menu arrow); the gap before the shortcut text.
constexpr int CheckColumn = 20;
constexpr int ArrowColumn = 20;
constexpr int ShortCutGap = 20;

const TCustomImageList *ItemImages(const TMenuItem *Item)
{
    const TMenu *menu = Item->GetParentMenu();
    const TCustomImageList *images = menu ? menu->Images() : nullptr;
    if (!images || Item->ImageIndex() < 0 || Item->ImageIndex() >= images->Count())
        return nullptr;
    return images;
}

int LeftColumn(const TMenuItem *Item)
{
    const TMenu *menu = Item->GetParentMenu();
    const TCustomImageList *images = menu ? menu->Images() : nullptr;
    return images ? std::max(CheckColumn, images->Width() + 6) : CheckColumn;
}

} // namespace

void TMenuItem::DefaultMeasure(TCanvas *ACanvas, int &Width, int &Height)
{
    if (IsLine()) {
        Width = 0;
        Height = SeparatorHeight;
        return;
    }
    if (FDefault)
        ACanvas->Font()->SetStyle(ACanvas->Font()->Style() | fsBold);
    Height = std::max(ACanvas->TextHeight(QStringLiteral("Wg")) + 6, MinItemHeight);
    if (const TCustomImageList *images = ItemImages(this))
        Height = std::max(Height, images->Height() + 4);
    Width = LeftColumn(this) + ACanvas->TextWidth(StripHotkey(FCaption)) + ArrowColumn;
    if (const String shortcut = ShortCutToText(FShortCut); !shortcut.isEmpty())
        Width += ShortCutGap + ACanvas->TextWidth(shortcut);
}

void TMenuItem::DefaultDraw(TCanvas *ACanvas, const TRect &ARect, TOwnerDrawState State)
{
    TBrush *brush = ACanvas->Brush();
    TPen *pen = ACanvas->Pen();
    if (IsLine()) {
        brush->SetColor(clMenu);
        ACanvas->FillRect(ARect);
        const int y = ARect.Top + ARect.Height() / 2 - 1;
        pen->SetColor(clBtnShadow);
        ACanvas->MoveTo(ARect.Left + 1, y);
        ACanvas->LineTo(ARect.Right - 1, y);
        pen->SetColor(clBtnHighlight);
        ACanvas->MoveTo(ARect.Left + 1, y + 1);
        ACanvas->LineTo(ARect.Right - 1, y + 1);
        return;
    }
    const bool enabled = !(State & odDisabled);
    const bool highlighted = (State & odSelected) && enabled;
    brush->SetColor(highlighted ? clHighlight : clMenu);
    ACanvas->FillRect(ARect);
    ACanvas->Font()->SetColor(!enabled ? clGrayText : highlighted ? clHighlightText : clMenuText);
    if (State & odDefault)
        ACanvas->Font()->SetStyle(ACanvas->Font()->Style() | fsBold);

    const int column = LeftColumn(this);
    const int midY = ARect.Top + ARect.Height() / 2;
    if (const TCustomImageList *images = ItemImages(this)) {
        const int x = ARect.Left + (column - images->Width()) / 2;
        const int y = ARect.Top + (ARect.Height() - images->Height()) / 2;
        if (FChecked) {
            pen->SetColor(clBtnShadow);
            ACanvas->Polyline({{x - 2, y + images->Height() + 1}, {x - 2, y - 2}, {x + images->Width() + 1, y - 2}});
        }
        images->Draw(ACanvas, x, y, FImageIndex, enabled);
    } else if (FChecked) {
        const int x = ARect.Left + column / 2 - 3;
        pen->SetColor(ACanvas->Font()->Color());
        brush->SetColor(ACanvas->Font()->Color());
        if (FRadioItem) {
            ACanvas->Ellipse(x, midY - 3, x + 7, midY + 4);
        } else {
            for (int dy = 0; dy < 3; ++dy)
                ACanvas->Polyline({{x, midY - 1 + dy}, {x + 2, midY + 1 + dy}, {x + 7, midY - 4 + dy}});
        }
    }

    brush->SetStyle(bsClear);
    TRect text = Rect(ARect.Left + column, ARect.Top, ARect.Right - ArrowColumn, ARect.Bottom);
    DrawText(ACanvas, FCaption, text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    if (const String shortcut = ShortCutToText(FShortCut); !shortcut.isEmpty()) {
        TRect keys = text;
        DrawText(ACanvas, shortcut, keys, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
    }
}
