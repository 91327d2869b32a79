#pragma once
// The border of the boxed skinned controls (list boxes, memo, edit, tree and
// list views): the native control paints, then two one-pixel frames go over
// the edge of its window, the outer in BorderColor, the inner in the
// control's own Color.
#include "SUIPublic.h"
#include "SUIThemes.h"

template <class Base>
class TsuiBoxBorder : public Base {
public:
    using Base::Base;

    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value)
    {
        FBorderColor = Value;
        this->Invalidate();
    }

protected:
    // The constructors' steps: opaque painting, no native border, a
    // two-pixel margin for the frames, the border colour of the owner's
    // skinned form.
    void SetUpBoxBorder(TComponent *AOwner)
    {
        this->SetControlStyle(this->ControlStyle() | csOpaque);
        this->SetBorderStyle(bsNone);
        this->SetBorderWidth(2);
        SetBorderColor(GetContainerBorderColor(AOwner));
    }
    void WMPaint(TMessage &Message) override
    {
        Base::WMPaint(Message);
        DrawControlBorder(this, FBorderColor, this->Color());
    }
    void WMEraseBkgnd(TMessage &Message) override
    {
        Base::WMEraseBkgnd(Message);
        DrawControlBorder(this, FBorderColor, this->Color());
    }

private:
    TColor FBorderColor = clBlack;
};
