#pragma once
// The single-line edit over a Qt line edit and the memo over a Qt plain
// text editor. Text set by the program goes through WM_SETTEXT; clipboard
// and undo commands go as WM_CUT, WM_COPY, WM_PASTE, WM_CLEAR and WM_UNDO,
// so a subclass's WndProc sees each of them. The memo scrolls by
// WM_VSCROLL / WM_HSCROLL and reports its native scroll bars through
// GetScrollInfo / GetScrollBarInfo.
#include "Controls.h"
#include "ControlsNative.h"
#include "Forms.h"

#include <memory>

class QLineEdit;
class QPlainTextEdit;

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent *AOwner);
    ~TCustomEdit() override;

    // The text, set through WM_SETTEXT.
    void SetText(const String &Value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    // 0 for no limit.
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int Value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value) { FHideSelection = Value; }
    bool Modified() const { return FModified; }
    void SetModified(bool Value) { FModified = Value; }

    // The selection, in characters from the start of the text.
    int SelStart() const;
    void SetSelStart(int Value);
    int SelLength() const;
    void SetSelLength(int Value);
    String SelText() const;
    void SetSelText(const String &Value);
    void SelectAll();

    bool CanUndo() const;
    void Undo() { Perform(WM_UNDO, 0, 0); }
    void ClearUndo();
    void CutToClipboard() { Perform(WM_CUT, 0, 0); }
    void CopyToClipboard() { Perform(WM_COPY, 0, 0); }
    void PasteFromClipboard() { Perform(WM_PASTE, 0, 0); }
    void ClearSelection() { Perform(WM_CLEAR, 0, 0); }
    void Clear() { SetText(String()); }

    // After every change of the text, by the user or the program.
    TNotifyEvent OnChange;

protected:
    QWidget *CreateWindowHandle(QWidget *ParentWidget) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void DefaultHandler(TMessage &Message) override;
    void CMColorChanged(TMessage &Message) override;
    void CMTextChanged(TMessage &Message) override;
    virtual void Change();
    // The Qt widget's own text and its editing operations.
    virtual String WidgetText() const;
    virtual void SetWidgetText(const String &Value);
    QWidget *Editor() const;
    // The text the user changed becomes the control's text.
    void WidgetTextChanged();
    TNativeSignals FSignals;
    TBorderStyle FBorderStyle = bsSingle;

private:
    void ApplyOptions();
    bool FReadOnly = false;
    int FMaxLength = 0;
    bool FHideSelection = true;
    bool FModified = false;
    bool FSettingWidget = false;
};

class TEdit : public TCustomEdit {
public:
    using TCustomEdit::TCustomEdit;
};

class TCustomMemo : public TCustomEdit {
public:
    explicit TCustomMemo(TComponent *AOwner);
    ~TCustomMemo() override;

    // The text as lines.
    TStrings *Lines() const { return FLines.get(); }
    void SetLines(const TStrings *Value) { FLines->Assign(Value); }
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool Value) { FWantReturns = Value; }
    bool WantTabs() const { return FWantTabs; }
    void SetWantTabs(bool Value);

protected:
    QWidget *CreateWindowHandle(QWidget *ParentWidget) override;
    void CreateWnd() override;
    void CMWantSpecialKey(TMessage &Message) override;
    String WidgetText() const override;
    void SetWidgetText(const String &Value) override;

private:
    friend class TMemoStrings;
    QPlainTextEdit *Memo() const;
    void ApplyScrolling();
    std::unique_ptr<TStrings> FLines;
    TScrollStyle FScrollBars = ssNone;
    bool FWordWrap = true;
    bool FWantReturns = true;
    bool FWantTabs = false;
};

class TMemo : public TCustomMemo {
public:
    using TCustomMemo::TCustomMemo;
};
