#pragma once
// Image lists: a row of equally sized images, each with its own
// transparency, drawn by index, greyed on request.
#include "Graphics.h"

#include <QImage>

#include <vector>

// A component, so that whoever shows a list's images can ask to hear of its
// removal (FreeNotification).
class TCustomImageList : public TComponent {
public:
    explicit TCustomImageList(TComponent *AOwner = nullptr);
    // An empty list of the given image size.
    TCustomImageList(int AWidth, int AHeight, TComponent *AOwner = nullptr);

    // Changing the image size empties the list.
    int Width() const { return FWidth; }
    void SetWidth(int Value);
    int Height() const { return FHeight; }
    void SetHeight(int Value);
    int Count() const { return static_cast<int>(FImages.size()); }

    // Adds Image cut into images of the list's width (a narrower bitmap gives
    // one image). Mask pixels that are not black make the image transparent
    // there; without a mask it is opaque. Returns the index of the first
    // image added, -1 when nothing was added.
    int Add(TBitmap *Image, TBitmap *Mask);
    // As Add, transparent wherever Image has MaskColor.
    int AddMasked(TBitmap *Image, TColor MaskColor);
    void Delete(int Index);
    void Clear();

    // Draws image Index at (X, Y); a disabled image is drawn greyed. An index
    // outside the list draws nothing.
    void Draw(TCanvas *Canvas, int X, int Y, int Index, bool Enabled = true) const;
    // Copies image Index onto Image, sized to the list's images, over white.
    void GetBitmap(int Index, TBitmap *Image) const;

    TNotifyEvent OnChange;

    void Assign(const TPersistent *Source) override;

private:
    int AddImages(TBitmap *Image, const std::function<bool(int x, int y)> &Transparent);
    void Changed();

    int FWidth = 16;
    int FHeight = 16;
    std::vector<QImage> FImages; // premultiplied ARGB, FWidth x FHeight
};

class TImageList : public TCustomImageList {
public:
    using TCustomImageList::TCustomImageList;
};
