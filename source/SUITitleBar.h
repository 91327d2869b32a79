#pragma once
// The drawn caption strip of a skinned window: picture sections (left cap,
// stretched middle, right cap), window buttons from the right edge, the
// control box or application icon at the left and the caption. It performs
// the buttons' window actions, drags the window by its caption, maximises
// on a double click and gives the window its rounded top corners.
#include "ExtCtrls.h"
#include "Forms.h"
#include "SUIThemes.h"

#include <memory>

class TsuiTitleBar;

enum TsuiTitleBarAlign { suiLeft, suiRight, suiClient };
enum TsuiTitleBarBtnType { suiMax, suiMin, suiClose, suiHelp, suiControlBox, suiCustom };

// (Sender, ButtonIndex): the button's index in Buttons.
using TsuiTitleBarButtonClickEvent = std::function<void(TObject *Sender, int ButtonIndex)>;

// A collection that repaints its title bar on every item change.
class TsuiTitleBarCollection : public TCollection {
public:
    TsuiTitleBarCollection(TsuiTitleBar *TitleBar, ItemFactory Factory)
        : TCollection(std::move(Factory)), FTitleBar(TitleBar) {}
    TsuiTitleBar *TitleBar() const { return FTitleBar; }

protected:
    void Update(TCollectionItem *Item) override;

private:
    TsuiTitleBar *FTitleBar;
};

class TsuiTitleBarSection : public TCollectionItem {
public:
    explicit TsuiTitleBarSection(TCollection *ACollection);

    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    int Width() const { return FWidth; }
    void SetWidth(int Value);
    TsuiTitleBarAlign Align() const { return FAlign; }
    // A second suiClient section is refused with a message box.
    void SetAlign(TsuiTitleBarAlign Value);
    TPicture *Picture() const { return FPicture.get(); }
    void SetPicture(const TPicture *Value);
    // Always true while Align is suiClient.
    bool Stretch() const { return FStretch || FAlign == suiClient; }
    void SetStretch(bool Value);

    void Assign(const TPersistent *Source) override;

private:
    bool FAutoSize = false;
    int FWidth = 10;
    TsuiTitleBarAlign FAlign = suiLeft;
    std::unique_ptr<TPicture> FPicture;
    bool FStretch = false;
};

class TsuiTitleBarSections : public TsuiTitleBarCollection {
public:
    explicit TsuiTitleBarSections(TsuiTitleBar *TitleBar);
    TsuiTitleBarSection *Items(int Index) const { return static_cast<TsuiTitleBarSection *>(TCollection::Items(Index)); }
    TsuiTitleBarSection *Add() { return static_cast<TsuiTitleBarSection *>(TCollection::Add()); }
};

class TsuiTitleBarButton : public TCollectionItem {
public:
    explicit TsuiTitleBarButton(TCollection *ACollection);

    TsuiTitleBarBtnType ButtonType() const { return FButtonType; }
    // A second suiControlBox button is refused with a message box.
    void SetButtonType(TsuiTitleBarBtnType Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    int Top() const { return FTop; }
    void SetTop(int Value);
    TsuiUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TsuiUIStyle Value);
    TPopupMenu *ControlBoxMenu = nullptr;
    TPicture *PicNormal() const { return FPicNormal.get(); }
    void SetPicNormal(const TPicture *Value);
    TPicture *PicMouseOn() const { return FPicMouseOn.get(); }
    void SetPicMouseOn(const TPicture *Value);
    TPicture *PicMouseDown() const { return FPicMouseDown.get(); }
    void SetPicMouseDown(const TPicture *Value);

    void Assign(const TPersistent *Source) override;

    // Maximise buttons show the restore pictures while the form is maximised.
    void UpdateMaxButtonPictures();

private:
    void LoadStylePictures();
    void LoadPictures(int NormalIndex);
    TsuiTitleBar *TitleBar() const;

    TsuiTitleBarBtnType FButtonType = suiCustom;
    bool FTransparent = false;
    int FTop = 2;
    TsuiUIStyle FUIStyle = DeepBlue;
    std::unique_ptr<TPicture> FPicNormal;
    std::unique_ptr<TPicture> FPicMouseOn;
    std::unique_ptr<TPicture> FPicMouseDown;
};

class TsuiTitleBarButtons : public TsuiTitleBarCollection {
public:
    explicit TsuiTitleBarButtons(TsuiTitleBar *TitleBar);
    TsuiTitleBarButton *Items(int Index) const { return static_cast<TsuiTitleBarButton *>(TCollection::Items(Index)); }
    TsuiTitleBarButton *Add() { return static_cast<TsuiTitleBarButton *>(TCollection::Add()); }
};

class TsuiTitleBar : public TCustomPanel {
public:
    explicit TsuiTitleBar(TComponent *AOwner);
    ~TsuiTitleBar() override;

    // Whatever the value, with sections the height becomes the first
    // section's picture height; without sections it stays False.
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value) override;
    TsuiTitleBarSections *Sections() const { return FSections.get(); }
    void SetSections(const TsuiTitleBarSections *Value) { FSections->Assign(Value); }
    TsuiUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TsuiUIStyle Value);
    TsuiTitleBarButtons *Buttons() const { return FButtons.get(); }
    void SetButtons(const TsuiTitleBarButtons *Value) { FButtons->Assign(Value); }
    int ButtonInterval() const { return FButtonInterval; }
    void SetButtonInterval(int Value);
    TCaption Caption() const { return FCaption; }
    void SetCaption(const TCaption &Value);
    bool FormActive() const { return FFormActive; }
    void SetFormActive(bool Value);
    int LeftBtnXOffset() const { return FLeftBtnXOffset; }
    void SetLeftBtnXOffset(int Value);
    int RightBtnXOffset() const { return FRightBtnXOffset; }
    void SetRightBtnXOffset(int Value);
    bool DrawAppIcon() const { return FDrawAppIcon; }
    void SetDrawAppIcon(bool Value);

    TsuiTitleBarButtonClickEvent OnCustomBtnsClick;
    TsuiTitleBarButtonClickEvent OnHelpBtnClick;

    // The button under the mouse at the last paint, -1 for none.
    int HotButton() const { return FHotButton; }
    // Shapes the window when the bar sits on a skinned form.
    void UpdateWindowRegion();
    // The window action of a button (maximise or restore, minimise, close,
    // control-box menu).
    void PerformButtonAction(int Index);

protected:
    void Paint() override;
    virtual void DrawSections(TBitmap *Buf);
    virtual void DrawButtonsAndCaption(TBitmap *Buf);

    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DblClick() override;
    void CMFontChanged(TMessage &Message) override;
    void CMMouseLeave(TMessage &Message) override;
    void WMEraseBkgnd(TMessage &Message) override;

private:
    // The region of the parent form's window: corners rounded by r at the top.
    void ApplyWindowRegion(int R);
    TCustomForm *ParentForm() const;
    bool OnSkinForm() const;

    bool FAutoSize = false;
    std::unique_ptr<TsuiTitleBarSections> FSections;
    std::unique_ptr<TsuiTitleBarButtons> FButtons;
    TsuiUIStyle FUIStyle = DeepBlue;
    int FButtonInterval = 0;
    TCaption FCaption;
    bool FFormActive = true;
    int FLeftBtnXOffset = 0;
    int FRightBtnXOffset = 0;
    bool FDrawAppIcon = false;
    int FHotButton = -1;
    bool FPressed = false;
    int FRegionRadius = 0;
};
