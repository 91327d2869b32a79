#pragma once
// The check list box: a list box whose items carry check boxes, flat or
// three-dimensional, unchecked, checked or (with AllowGrayed) grayed.
#include "StdCtrlsListBox.h"

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCheckListBox : public TCustomListBox {
public:
    explicit TCheckListBox(TComponent *AOwner);

    bool Checked(int Index) const { return State(Index) == cbChecked; }
    void SetChecked(int Index, bool Value) { SetState(Index, Value ? cbChecked : cbUnchecked); }
    TCheckBoxState State(int Index) const;
    void SetState(int Index, TCheckBoxState Value);
    // A disabled item's check box cannot be changed by the user.
    bool ItemEnabled(int Index) const;
    void SetItemEnabled(int Index, bool Value);
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool Value);
    // Flat check boxes: a one-pixel frame instead of the sunken 3-D box.
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);

    // After the user changed an item's check box.
    TNotifyEvent OnClickCheck;

protected:
    void CreateWnd() override;
    virtual void ClickCheck();

private:
    friend class TCheckListDelegate;
    bool FAllowGrayed = false;
    bool FFlat = true;
    bool FSetting = false;
};
