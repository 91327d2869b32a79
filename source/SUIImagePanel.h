#pragma once
// Picture panels: a bevel-less, double-buffered panel that shows a picture
// (once, stretched or tiled), can be see-through over its parent and draws
// its caption on top. TsuiCustomPanel is also the base of the group boxes;
// TsuiImagePanel publishes it and hands a style on to its children.
#include "ExtCtrls.h"
#include "SUIThemes.h"

#include <memory>

enum TsuiDrawStyle : uint8_t { suiNormal = 0, suiStretch = 1, suiTile = 2 };

class TsuiCustomPanel : public TCustomPanel {
public:
    explicit TsuiCustomPanel(TComponent *AOwner);
    ~TsuiCustomPanel() override;

    TPicture *Picture() const { return FPicture.get(); }
    void SetPicture(const TPicture *Value);
    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool Value);
    // With AutoSize the panel takes the picture's size.
    void SetAutoSize(bool Value) override;
    TsuiDrawStyle DrawStyle() const { return FDrawStyle; }
    void SetDrawStyle(TsuiDrawStyle Value);

    // Hands Style to the panel's skinned children.
    void ApplyStyleToChildren(TsuiUIStyle Style);

protected:
    void Paint() override;
    virtual void PrepareBackground();
    virtual void TextChanged();
    virtual void PictureChanged(TObject *Sender);
    void Resize() override;
    void CMTextChanged(TMessage &Message) override;
    void WMEraseBkgnd(TMessage &Message) override;

private:
    // Width and Height from the picture, except along an aligned side.
    void SizeToPicture();

    std::unique_ptr<TPicture> FPicture;
    bool FTransparent = false;
    TsuiDrawStyle FDrawStyle = suiNormal;
};

class TsuiImagePanel : public TsuiCustomPanel {
public:
    using TsuiCustomPanel::TsuiCustomPanel;
};
