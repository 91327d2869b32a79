#pragma once
// The skinned window: dropped on a form, it removes the system caption and
// border, hooks the form's window procedure and fills the client area inside
// a painted border, with a title bar at its top. It answers hit-testing for
// resizing by the edges and re-skins the window (and optionally its skinned
// controls) when its style changes. Under the title bar a menu bar shows the
// top-level items of its main menu, whose shortcuts it keeps working.
#include "ComCtrls.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "SUITitleBar.h"

class TMainMenu;
class TsuiMainMenu;

class TsuiForm : public TCustomPanel {
public:
    // Raises Exception when the owner form already holds a TsuiForm.
    explicit TsuiForm(TComponent *AOwner);
    ~TsuiForm() override;

    TsuiUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TsuiUIStyle Value);
    bool UIStyleAutoUpdateSub() const { return FUIStyleAutoUpdateSub; }
    void SetUIStyleAutoUpdateSub(bool Value) { FUIStyleAutoUpdateSub = Value; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    // The painted border around the panel (not the framework's window margin).
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int Value);
    bool TitleBarVisible() const { return FTitleBar->Visible(); }
    void SetTitleBarVisible(bool Value);
    TCaption Caption() const { return FTitleBar->Caption(); }
    void SetCaption(const TCaption &Value);
    TCustomPanel *FormPanel() const { return FFormPanel; }
    void SetFormPanel(TCustomPanel *Value);
    TsuiTitleBarButtons *TitleBarButtons() const { return FTitleBar->Buttons(); }
    void SetTitleBarButtons(const TsuiTitleBarButtons *Value) { FTitleBar->SetButtons(Value); }
    TsuiTitleBarSections *TitleBarSections() const { return FTitleBar->Sections(); }
    void SetTitleBarSections(const TsuiTitleBarSections *Value) { FTitleBar->SetSections(Value); }
    bool TitleBarDrawAppIcon() const { return FTitleBar->DrawAppIcon(); }
    void SetTitleBarDrawAppIcon(bool Value) { FTitleBar->SetDrawAppIcon(Value); }
    // The caption's font is the title bar's.
    TFont *Font() const { return FTitleBar->Font(); }
    TColor MenuBarColor() const { return FMenuBarColor; }
    void SetMenuBarColor(TColor Value);
    int MenuBarHeight() const { return FMenuBarHeight; }
    void SetMenuBarHeight(int Value);
    // The menu shown in the menu bar; a skinned main menu is linked back.
    TMainMenu *Menu() const { return FMenu; }
    void SetMenu(TMainMenu *Value);
    // The owner form takes the size plus the border.
    void SetHeight(int Value);
    void SetWidth(int Value);

    void SetOnTitleBarCustomBtnsClick(TsuiTitleBarButtonClickEvent Value) { FTitleBar->OnCustomBtnsClick = std::move(Value); }
    void SetOnTitleBarHelpBtnClick(TsuiTitleBarButtonClickEvent Value) { FTitleBar->OnHelpBtnClick = std::move(Value); }

    TsuiTitleBar *TitleBar() const { return FTitleBar; }
    // Present only while Menu is assigned.
    TToolBar *MenuBar() const { return FMenuBar; }
    TCustomForm *OwnerForm() const { return FOwnerForm; }

    void UpdateFormLayout();
    void PaintFormBorder();
    // 1 when the key message is a shortcut of the menu, else 0.
    int HandleShortCutKey(TMessage &Message);

    // The menu bar: made, given one button per top-level item, brought up
    // to date with the items' captions and states, given the menu's font.
    void CreateMenuBar();
    void RebuildMenuBar();
    void RefreshMenuBar();
    void UpdateMenuBarFont();

protected:
    void Notification(TComponent *AComponent, TOperation Operation) override;
    void Paint() override;
    void WMCreate(TMessage &Message) override;
    void WMEraseBkgnd(TMessage &Message) override;

private:
    void FormWindowProc(TMessage &Message);
    void FormSized();
    void FormHitTest(TMessage &Message);
    void ApplicationMessage(TMsg &Msg, bool &Handled);
    void FreeMenuBar();
    TsuiMainMenu *SkinMenu() const;
    // The menu's style when it is a skinned one, else this form's.
    TsuiUIStyle MenuBarStyle() const;
    void DrawMenuBarButton(TToolBar *Sender, TToolButton *Button, TCustomDrawState State, bool &DefaultDraw);
    void DrawMenuBarBackground(TToolBar *Sender, const TRect &ARect, bool &DefaultDraw);
    bool Designing() const { return ComponentState() & csDesigning; }
    bool MDIChild() const { return FOwnerForm->FormStyle() == fsMDIChild; }

    TCustomForm *FOwnerForm = nullptr;
    TsuiTitleBar *FTitleBar = nullptr;
    TsuiUIStyle FUIStyle = DeepBlue;
    bool FUIStyleAutoUpdateSub = false;
    TColor FBorderColor = clBlack;
    int FBorderWidth = 1;
    TCustomPanel *FFormPanel = nullptr;
    TColor FMenuBarColor = clBtnFace;
    int FMenuBarHeight = 22;
    TMainMenu *FMenu = nullptr;
    TToolBar *FMenuBar = nullptr;
    TRect FSavedBounds;
    bool FStartedMaximized = false;
    TFormBorderStyle FInitialBorderStyle = bsSizeable;
    int FNonClientHeight = 0;
    int FNonClientWidth = 0;
    TWndMethod FOldWindowProc;
    bool FShortCutHookInstalled = false;
};
