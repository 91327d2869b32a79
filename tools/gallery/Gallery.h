#pragma once
// The gallery's window: a skinned form whose style reaches every control on
// it, split into sections, one per control group. A section is a titled box
// of a fixed size; its build function places controls in it.
//
// Adding a control group: a file under sections/ with
//     namespace {
//     void AddListBoxes(TGallerySlot &Slot)
//     {
//         auto *list = Slot.Add<TsuiListBox>(0, 0, 120, 80);
//         list->Items()->Add("one");
//     }
//     const bool Registered = RegisterGallerySection({"List boxes", 30, 260, 100, AddListBoxes});
//     }
// Sections are shown by their order number, left to right, wrapping.
#include "Forms.h"
#include "SUIForm.h"

#include <memory>
#include <vector>

// Where one section's controls go.
class TGallerySlot {
public:
    TGallerySlot(TForm *Form, TWinControl *Parent, TPoint Origin) : FForm(Form), FParent(Parent), FOrigin(Origin) {}

    // A control owned by the window (so it starts in the window's style) and
    // placed on the skinned form (so it follows the window's style changes),
    // at X, Y within the section.
    template <class T>
    T *Add(int X, int Y, int Width, int Height)
    {
        return Add<T>(FParent, X, Y, Width, Height);
    }
    // The same inside a container of the section (a group box, a panel);
    // X, Y are then the container's client coordinates.
    template <class T>
    T *Add(TWinControl *Container, int X, int Y, int Width, int Height)
    {
        auto *control = new T(FForm);
        control->SetParent(Container);
        const TPoint at = Container == FParent ? TPoint(FOrigin.X + X, FOrigin.Y + Y) : TPoint(X, Y);
        control->SetBounds(at.X, at.Y, Width, Height);
        return control;
    }

    // The window, owner of everything in the gallery (for components that
    // are not controls: image lists, menus).
    TForm *Owner() const { return FForm; }

private:
    TForm *FForm;
    TWinControl *FParent;
    TPoint FOrigin;
};

using TGalleryBuild = void (*)(TGallerySlot &Slot);

struct TGallerySection {
    const char *Title;
    int Order;
    int Width;
    int Height;
    TGalleryBuild Build;
};

// Adds a section; returns true so that a file can register at start-up.
bool RegisterGallerySection(const TGallerySection &Section);

// The window with every registered section built.
class TGallery {
public:
    TGallery();
    ~TGallery();

    TForm *Form() const { return FForm.get(); }
    TsuiForm *Skin() const { return FSkin; }
    // Sets the style on the skinned form, which hands it to the controls.
    void SetUIStyle(TsuiUIStyle Style);
    // The window as it shows now.
    QImage Grab();

private:
    std::unique_ptr<TForm> FForm;
    TsuiForm *FSkin = nullptr;
};
