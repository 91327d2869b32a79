#pragma once
// The class table behind style propagation. A row recognises one class of
// child control (subclasses included, so a child may match several rows) and
// says what a child of that class gets when a container hands on a style.
#include "Controls.h"
#include "SUIThemes.h"

#include <span>

// A row: gives Child its share of Style when Child belongs to the row's class.
using TStyleRow = void (*)(TControl *Child, TsuiUIStyle Style);

// The row of class T with Action(T *child, style).
template <class T, auto Action>
void StyleRow(TControl *Child, TsuiUIStyle Style)
{
    if (auto *control = dynamic_cast<T *>(Child))
        Action(control, Style);
}

// Actions shared by several rows.
// UIStyle := Style, unless the child keeps its own look (Custom).
inline constexpr auto FollowStyle = [](auto *Control, TsuiUIStyle Style) {
    if (Control->UIStyle() != Custom)
        Control->SetUIStyle(Style);
};
// UIStyle := Style.
inline constexpr auto TakeStyle = [](auto *Control, TsuiUIStyle Style) { Control->SetUIStyle(Style); };
// BorderColor := theme colour 8, the border of boxed controls.
inline constexpr auto TakeBorderColor = [](auto *Control, TsuiUIStyle Style) {
    Control->SetBorderColor(GetThemeColor(Style, 8));
};
// The child's own children get the style (a sub-container).
inline constexpr auto StyleToChildren = [](auto *Container, TsuiUIStyle Style) {
    ApplyStyleToChildren(Container, Style);
};

// Hands Style to each direct child of Container in index order, applying
// every row (in row order) whose class the child belongs to. Children of
// other classes are left alone, and nothing below the children is visited.
void ApplyStyleRows(TWinControl *Container, TsuiUIStyle Style, std::span<const TStyleRow> Rows);

// How the container functions recognise a window's skinned form and read its
// style.
struct TSkinFormClass {
    bool (*Is)(TControl *Control);
    TsuiUIStyle (*UIStyle)(TControl *Form);
};

template <class T>
constexpr TSkinFormClass SkinFormClass = {
    [](TControl *Control) { return dynamic_cast<T *>(Control) != nullptr; },
    [](TControl *Form) { return static_cast<T *>(Form)->UIStyle(); },
};

// The first direct child of Container (a windowed control; anything else
// holds no children) that is of the form class, or nullptr.
TControl *FindSkinForm(TComponent *Container, const TSkinFormClass &Form);
// That form's style; DeepBlue without one.
TsuiUIStyle ContainerUIStyle(TComponent *Container, const TSkinFormClass &Form);
// That form's Color; clBtnFace without one.
TColor ContainerFormColor(TComponent *Container, const TSkinFormClass &Form);
// Theme colour 8 of that form's style; black without one.
TColor ContainerBorderColor(TComponent *Container, const TSkinFormClass &Form);
