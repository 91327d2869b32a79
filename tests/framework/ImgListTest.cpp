// Image lists: cutting, masks, drawing and the greyed look.
#include "ImgList.h"

#include <gtest/gtest.h>

namespace {

// Three 4 x 4 cells side by side: red, green, blue, each with a magenta
// top-left pixel; two unused columns on the right.
std::unique_ptr<TBitmap> Strip()
{
    auto bmp = std::make_unique<TBitmap>();
    bmp->SetSize(14, 4);
    const TColor colours[] = {clRed, clLime, clBlue};
    for (int k = 0; k < 3; ++k) {
        bmp->Canvas()->Brush()->SetColor(colours[k]);
        bmp->Canvas()->FillRect(Bounds(k * 4, 0, 4, 4));
        bmp->Canvas()->SetPixels(k * 4, 0, clFuchsia);
    }
    return bmp;
}

std::unique_ptr<TBitmap> Canvas(TColor colour)
{
    auto bmp = std::make_unique<TBitmap>();
    bmp->SetSize(10, 10);
    bmp->Canvas()->Brush()->SetColor(colour);
    bmp->Canvas()->FillRect(Rect(0, 0, 10, 10));
    return bmp;
}

} // namespace

TEST(ImageList, AddCutsTheBitmapIntoImagesOfTheListWidth)
{
    TImageList list(4, 4);
    int changes = 0;
    list.OnChange = [&](TObject *) { ++changes; };
    auto strip = Strip();
    EXPECT_EQ(list.AddMasked(strip.get(), clFuchsia), 0);
    EXPECT_EQ(list.Count(), 3); // the two extra columns are ignored
    EXPECT_EQ(changes, 1);

    auto target = Canvas(clWhite);
    list.Draw(target->Canvas(), 2, 3, 1);
    EXPECT_EQ(target->Canvas()->Pixels(2, 3), clWhite); // masked corner
    EXPECT_EQ(target->Canvas()->Pixels(3, 3), clLime);
    EXPECT_EQ(target->Canvas()->Pixels(5, 6), clLime);
    EXPECT_EQ(target->Canvas()->Pixels(6, 7), clWhite);

    list.Draw(target->Canvas(), 0, 0, 3); // beyond the list: nothing
    EXPECT_EQ(target->Canvas()->Pixels(0, 0), clWhite);

    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(changes, 2);
}

TEST(ImageList, MaskBitmapMarksTransparentPixels)
{
    TImageList list(4, 4);
    auto strip = Strip();
    TBitmap mask;
    mask.SetSize(14, 4);
    mask.Canvas()->Brush()->SetColor(clBlack);
    mask.Canvas()->FillRect(Rect(0, 0, 14, 4));
    mask.Canvas()->SetPixels(1, 1, clWhite);
    EXPECT_EQ(list.Add(strip.get(), &mask), 0);
    auto target = Canvas(clYellow);
    list.Draw(target->Canvas(), 0, 0, 0);
    EXPECT_EQ(target->Canvas()->Pixels(1, 1), clYellow);
    EXPECT_EQ(target->Canvas()->Pixels(0, 0), clFuchsia); // the mask, not the colour, decides
    EXPECT_EQ(list.Add(strip.get(), nullptr), 3);
}

TEST(ImageList, DisabledDrawingIsGreyAndKeepsTransparency)
{
    TImageList list(4, 4);
    auto strip = Strip();
    list.AddMasked(strip.get(), clFuchsia);
    auto target = Canvas(clWhite);
    list.Draw(target->Canvas(), 0, 0, 0, false);
    list.Draw(target->Canvas(), 5, 0, 2, false);
    const TColor red = target->Canvas()->Pixels(1, 1);
    const TColor blue = target->Canvas()->Pixels(6, 1);
    EXPECT_EQ(GetRValue(red), GetGValue(red));
    EXPECT_EQ(GetGValue(red), GetBValue(red));
    EXPECT_NE(red, clRed);
    EXPECT_NE(red, blue); // brightness still tells the images apart
    EXPECT_EQ(target->Canvas()->Pixels(0, 0), clWhite);
}

TEST(ImageList, GetBitmapAndSizeChanges)
{
    TImageList list(4, 4);
    auto strip = Strip();
    list.AddMasked(strip.get(), clFuchsia);
    TBitmap out;
    list.GetBitmap(2, &out);
    EXPECT_EQ(out.Width(), 4);
    EXPECT_EQ(out.Canvas()->Pixels(0, 0), clWhite);
    EXPECT_EQ(out.Canvas()->Pixels(3, 3), clBlue);
    list.SetWidth(8);
    EXPECT_EQ(list.Count(), 0);
    // A bitmap narrower than the list still gives one image.
    TBitmap small;
    small.SetSize(3, 2);
    EXPECT_EQ(list.Add(&small, nullptr), 0);
    EXPECT_EQ(list.Count(), 1);
}

namespace {

// Shows images of a list and forgets the list when it goes.
class ListUser : public TComponent {
public:
    using TComponent::TComponent;
    TCustomImageList *Images = nullptr;
    void SetImages(TCustomImageList *Value)
    {
        Images = Value;
        if (Value)
            Value->FreeNotification(this);
    }

protected:
    void Notification(TComponent *AComponent, TOperation Operation) override
    {
        TComponent::Notification(AComponent, Operation);
        if (Operation == opRemove && AComponent == Images)
            Images = nullptr;
    }
};

} // namespace

TEST(ImageList, OwnedByItsOwnerAndReportsItsRemoval)
{
    TComponent owner(nullptr);
    auto *list = new TImageList(16, 16, &owner);
    EXPECT_EQ(owner.ComponentCount(), 1);
    ListUser user(nullptr);
    user.SetImages(list);
    delete list;
    EXPECT_EQ(user.Images, nullptr);
    EXPECT_EQ(owner.ComponentCount(), 0);
}
