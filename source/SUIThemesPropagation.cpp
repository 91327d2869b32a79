// Style propagation: a window's skinned form hands its style to the skinned
// controls inside it, and a new skinned control asks its owner for the style
// of the owner's skinned form.
#include "SUIStyleRows.h"

#include "SUIButton.h"
#include "SUICheckListBox.h"
#include "SUIColorBox.h"
#include "SUIEdit.h"
#include "SUIFontComboBox.h"
#include "SUIForm.h"
#include "SUIGrid.h"
#include "SUIGroupBox.h"
#include "SUIImagePanel.h"
#include "SUIListBox.h"
#include "SUIListView.h"
#include "SUIMemo.h"
#include "SUIPageControl.h"
#include "SUIProgressBar.h"
#include "SUIRadioGroup.h"
#include "SUIScrollBar.h"
#include "SUISideChannel.h"
#include "SUIToolBar.h"
#include "SUITrackBar.h"
#include "SUITreeView.h"

#include <vector>

void ApplyStyleRows(TWinControl *Container, TsuiUIStyle Style, std::span<const TStyleRow> Rows)
{
    for (int i = 0; i < Container->ControlCount(); ++i)
        for (const TStyleRow row : Rows)
            row(Container->Controls(i), Style);
}

TControl *FindSkinForm(TComponent *Container, const TSkinFormClass &Form)
{
    const auto *container = dynamic_cast<TWinControl *>(Container);
    if (!container)
        return nullptr;
    for (int i = 0; i < container->ControlCount(); ++i)
        if (Form.Is(container->Controls(i)))
            return container->Controls(i);
    return nullptr;
}

TsuiUIStyle ContainerUIStyle(TComponent *Container, const TSkinFormClass &Form)
{
    TControl *form = FindSkinForm(Container, Form);
    return form ? Form.UIStyle(form) : DeepBlue;
}

TColor ContainerFormColor(TComponent *Container, const TSkinFormClass &Form)
{
    TControl *form = FindSkinForm(Container, Form);
    return form ? form->Color() : clBtnFace;
}

TColor ContainerBorderColor(TComponent *Container, const TSkinFormClass &Form)
{
    TControl *form = FindSkinForm(Container, Form);
    return form ? GetThemeColor(Form.UIStyle(form), 8) : clBlack;
}

// ---------------------------------------------------------------------------
// The skinned classes

namespace {

// Adding a class when it is built: include its header above, put its row,
// e.g. StyleRow<TsuiButton, FollowStyle>, in place of its line in the comments
// below (rows are tried in this order, and a child gets every row its class
// belongs to), and test the row.

// The window's skinned form.
constexpr TSkinFormClass SkinForm = SkinFormClass<TsuiForm>;

// What each skinned child gets from ApplyStyleToChildren.
const std::vector<TStyleRow> ChildRows = {
    StyleRow<TsuiRadioButton, FollowStyle>,
    StyleRow<TsuiCheckBox, FollowStyle>,
    StyleRow<TsuiProgressBar, FollowStyle>,
    StyleRow<TsuiButton, FollowStyle>,
    StyleRow<TsuiListBox, TakeBorderColor>,
    StyleRow<TsuiGroupBox,
             [](TsuiGroupBox *Box, TsuiUIStyle Style) {
                 Box->SetBorderColor(GetThemeColor(Style, 8));
                 Box->Font()->SetColor(GetThemeColor(Style, 10));
                 Box->SetColor(GetThemeColor(Style, 9));
             }>,
    StyleRow<TsuiEdit, TakeBorderColor>,
    StyleRow<TsuiMemo, TakeBorderColor>,
    StyleRow<TsuiCheckListBox, TakeBorderColor>,
    StyleRow<TsuiSideChannel,
             [](TsuiSideChannel *Channel, TsuiUIStyle Style) {
                 Channel->SetColor(GetThemeColor(Style, 9));
                 Channel->SetSideBarColor(GetThemeColor(Style, 9));
             }>,
    StyleRow<TsuiCheckGroup, TakeStyle>,
    StyleRow<TsuiComboBox, TakeStyle>,
    StyleRow<TsuiColorBox, TakeStyle>,
    StyleRow<TsuiFontComboBox, TakeStyle>,
    StyleRow<TsuiFontSizeComboBox, TakeStyle>,
    StyleRow<TsuiListView, TakeBorderColor>,
    StyleRow<TsuiTreeView, TakeBorderColor>,
    StyleRow<TsuiTabControl, TakeStyle>,
    StyleRow<TsuiTrackBar, TakeStyle>,
    StyleRow<TsuiToolBar, TakeStyle>,
    StyleRow<TsuiPageControl, TakeStyle>,
    StyleRow<TsuiScrollBar, TakeStyle>,
    StyleRow<TsuiDrawGrid, TakeStyle>,
    StyleRow<TsuiStringGrid, TakeStyle>,
};

// The sub-containers that ApplyStyleToSubContainers makes hand the style on.
const std::vector<TStyleRow> SubContainerRows = {
    StyleRow<TsuiImagePanel, StyleToChildren>,
    StyleRow<TsuiGroupBox, [](TsuiGroupBox *Box, TsuiUIStyle Style) { Box->ApplyStyle(Style); }>,
    StyleRow<TsuiTabControl, [](TsuiTabControl *Tab, TsuiUIStyle Style) { Tab->ApplyStyleToChildren(Style); }>,
    StyleRow<TsuiTabSheet, StyleToChildren>,
};

} // namespace

TsuiUIStyle GetContainerUIStyle(TComponent *Container)
{
    return ContainerUIStyle(Container, SkinForm);
}

TColor GetContainerFormColor(TComponent *Container)
{
    return ContainerFormColor(Container, SkinForm);
}

TColor GetContainerBorderColor(TComponent *Container)
{
    return ContainerBorderColor(Container, SkinForm);
}

void ApplyStyleToChildren(TWinControl *Container, TsuiUIStyle Style)
{
    ApplyStyleRows(Container, Style, ChildRows);
}

void ApplyStyleToSubContainers(TWinControl *Form, TsuiUIStyle Style)
{
    ApplyStyleRows(Form, Style, SubContainerRows);
}
