#include "SUIRegistration.h"

#include "ImgList.h"
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
#include "SUIMainMenu.h"
#include "SUIMemo.h"
#include "SUIPageControl.h"
#include "SUIProgressBar.h"
#include "SUIRadioGroup.h"
#include "SUISideChannel.h"
#include "SUIScrollBar.h"
#include "SUIToolBar.h"
#include "SUITrackBar.h"
#include "SUITreeView.h"
#include "Streaming.h"

namespace {

void RegisterSkinEnums()
{
    RegisterEnum<TsuiUIStyle>({"Custom", "MacOS", "WinXP", "DeepBlue", "Protein", "BlueGlass"});
    RegisterEnum<TsuiDrawStyle>({"suiNormal", "suiStretch", "suiTile"});
    RegisterEnum<TsuiProgressBarOrientation>({"suiHorizontal", "suiVertical"});
    RegisterEnum<TComboBoxStyle>({"csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable"});
    RegisterEnum<TFontDevice>({"fdScreen", "fdPrinter", "fdBoth"});
    RegisterEnum<TsuiSideChannelPopupMode>({"suiMouseOn", "suiMouseClick"});
    RegisterEnum<TButtonLayout>({"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"});
    RegisterEnum<TsuiTitleBarAlign>({"suiLeft", "suiRight", "suiClient"});
    RegisterEnum<TsuiTitleBarBtnType>({"suiMax", "suiMin", "suiClose", "suiHelp", "suiControlBox", "suiCustom"});
}

void RegisterPanels()
{
    // The custom panel's own properties come after the framework panel's.
    RegisterClass<TsuiCustomPanel>("TsuiCustomPanel", "TCustomControl")
        .Property("Alignment", &TsuiCustomPanel::Alignment, &TsuiCustomPanel::SetAlignment, taCenter)
        .Object("Picture", &TsuiCustomPanel::Picture)
        .Property("Transparent", &TsuiCustomPanel::Transparent, &TsuiCustomPanel::SetTransparent, false)
        .Property("DrawStyle", &TsuiCustomPanel::DrawStyle, &TsuiCustomPanel::SetDrawStyle, suiNormal);
    RegisterClass<TsuiImagePanel>("TsuiImagePanel", "TsuiCustomPanel");

    RegisterClass<TsuiProgressBar>("TsuiProgressBar", "TCustomControl")
        .Property("UIStyle", &TsuiProgressBar::UIStyle, &TsuiProgressBar::SetUIStyle)
        .ColorProperty("CaptionColor", &TsuiProgressBar::CaptionColor, &TsuiProgressBar::SetCaptionColor)
        .Property("ShowCaption", &TsuiProgressBar::ShowCaption, &TsuiProgressBar::SetShowCaption)
        .Property("SmartShowCaption", &TsuiProgressBar::SmartShowCaption, &TsuiProgressBar::SetSmartShowCaption)
        .Property("Max", &TsuiProgressBar::Max, &TsuiProgressBar::SetMax)
        .Property("Min", &TsuiProgressBar::Min, &TsuiProgressBar::SetMin)
        .Property("Position", &TsuiProgressBar::Position, &TsuiProgressBar::SetPosition)
        .Property("Orientation", &TsuiProgressBar::Orientation, &TsuiProgressBar::SetOrientation)
        .ColorProperty("BorderColor", &TsuiProgressBar::BorderColor, &TsuiProgressBar::SetBorderColor)
        .ColorProperty("Color", &TsuiProgressBar::Color, &TsuiProgressBar::SetColor)
        .Object("Picture", &TsuiProgressBar::Picture);
}

void RegisterButtons()
{
    RegisterClass<TsuiCustomButton>("TsuiCustomButton", "TCustomControl")
        .Property("UIStyle", &TsuiCustomButton::UIStyle, &TsuiCustomButton::SetUIStyle)
        .Property("Caption", &TsuiCustomButton::Caption, &TsuiCustomButton::SetCaption)
        .Property("AutoSize", &TsuiCustomButton::AutoSize, &TsuiCustomButton::SetAutoSize)
        .Property("Cancel", &TsuiCustomButton::Cancel, &TsuiCustomButton::SetCancel, false)
        .Property("Default", &TsuiCustomButton::Default, &TsuiCustomButton::SetDefault, false)
        .Property("TabStop", &TsuiCustomButton::TabStop, &TsuiCustomButton::SetTabStop, false)
        .Property("Transparent", &TsuiCustomButton::Transparent, &TsuiCustomButton::SetTransparent)
        .Property("ModalResult", &TsuiCustomButton::ModalResult, &TsuiCustomButton::SetModalResult, mrNone)
        .Property("MouseContinuouslyDownInterval", &TsuiCustomButton::MouseContinuouslyDownInterval,
                  &TsuiCustomButton::SetMouseContinuouslyDownInterval, 100)
        .Event("OnMouseEnter", &TsuiCustomButton::OnMouseEnter)
        .Event("OnMouseExit", &TsuiCustomButton::OnMouseExit)
        .Event("OnMouseContinuouslyDown", &TsuiCustomButton::OnMouseContinuouslyDown);
    // Only push buttons publish their picture names.
    RegisterClass<TsuiButton>("TsuiButton", "TsuiCustomButton")
        .Property("PicNormalResName", &TsuiButton::PicNormalResName, &TsuiButton::SetPicNormalResName)
        .Property("PicMouseDownResName", &TsuiButton::PicMouseDownResName, &TsuiButton::SetPicMouseDownResName)
        .Property("PicMouseOnResName", &TsuiButton::PicMouseOnResName, &TsuiButton::SetPicMouseOnResName)
        .Property("Layout", &TsuiButton::Layout, &TsuiButton::SetLayout, blGlyphLeft)
        .Property("Spacing", &TsuiButton::Spacing, &TsuiButton::SetSpacing, 4)
        .Object("Glyph", &TsuiButton::Glyph);
    RegisterClass<TsuiCustomButtonEx>("TsuiCustomButtonEx", "TsuiCustomButton")
        .Property("Checked", &TsuiCustomButtonEx::Checked, &TsuiCustomButtonEx::SetChecked, false);
    RegisterClass<TsuiCheckBox>("TsuiCheckBox", "TsuiCustomButtonEx");
    RegisterClass<TsuiRadioButton>("TsuiRadioButton", "TsuiCheckBox")
        .Property("GroupIndex", &TsuiRadioButton::GroupIndex, &TsuiRadioButton::SetGroupIndex, 0);
    RegisterClass<TsuiImageButton>("TsuiImageButton", "TsuiCustomButton")
        .Object("PicNormal", &TsuiImageButton::PicNormal)
        .Object("PicMouseOn", &TsuiImageButton::PicMouseOn)
        .Object("PicMouseDown", &TsuiImageButton::PicMouseDown)
        .Object("PicDisabled", &TsuiImageButton::PicDisabled)
        .Property("Stretch", &TsuiImageButton::Stretch, &TsuiImageButton::SetStretch, false);
}

void RegisterTrackBars()
{
    RegisterClass<TsuiTrackBar>("TsuiTrackBar", "TCustomControl")
        .Property("UIStyle", &TsuiTrackBar::UIStyle, &TsuiTrackBar::SetUIStyle)
        .Object("BarImage", &TsuiTrackBar::BarImage)
        .Object("SliderImage", &TsuiTrackBar::SliderImage)
        .Property("Max", &TsuiTrackBar::Max, &TsuiTrackBar::SetMax)
        .Property("Min", &TsuiTrackBar::Min, &TsuiTrackBar::SetMin)
        .Property("Position", &TsuiTrackBar::Position, &TsuiTrackBar::SetPosition)
        .Property("PageSize", &TsuiTrackBar::PageSize, &TsuiTrackBar::SetPageSize)
        .Property("Orientation", &TsuiTrackBar::Orientation, &TsuiTrackBar::SetOrientation)
        .Event("OnChange", &TsuiTrackBar::OnChange);
    RegisterClass<TsuiScrollTrackBar>("TsuiScrollTrackBar", "TsuiTrackBar");
}

const TSetNames ColorBoxStyleNames = {
    {"cbStandardColors", cbStandardColors}, {"cbExtendedColors", cbExtendedColors},
    {"cbSystemColors", cbSystemColors},     {"cbIncludeNone", cbIncludeNone},
    {"cbIncludeDefault", cbIncludeDefault}, {"cbCustomColor", cbCustomColor},
    {"cbPrettyNames", cbPrettyNames},
};
const TSetNames FontListOptionNames = {
    {"foAnsiOnly", foAnsiOnly},         {"foTrueTypeOnly", foTrueTypeOnly}, {"foFixedPitchOnly", foFixedPitchOnly},
    {"foNoOEMFonts", foNoOEMFonts},     {"foOEMFontsOnly", foOEMFontsOnly}, {"foScalableOnly", foScalableOnly},
    {"foNoSymbolFonts", foNoSymbolFonts},
};

void RegisterComboBoxes()
{
    RegisterClass<TsuiCustomComboBox>("TsuiCustomComboBox", "TWinControl")
        .ColorProperty("BorderColor", &TsuiCustomComboBox::BorderColor, &TsuiCustomComboBox::SetBorderColor)
        .ColorProperty("ButtonColor", &TsuiCustomComboBox::ButtonColor, &TsuiCustomComboBox::SetButtonColor)
        .ColorProperty("ArrowColor", &TsuiCustomComboBox::ArrowColor, &TsuiCustomComboBox::SetArrowColor)
        .Property("UIStyle", &TsuiCustomComboBox::UIStyle, &TsuiCustomComboBox::SetUIStyle)
        .Property("DropDownCount", &TsuiCustomComboBox::DropDownCount, &TsuiCustomComboBox::SetDropDownCount, 8)
        .Property("ItemHeight", &TsuiCustomComboBox::ItemHeight, &TsuiCustomComboBox::SetItemHeight)
        .Event("OnChange", &TsuiCustomComboBox::OnChange)
        .Event("OnSelect", &TsuiCustomComboBox::OnSelect)
        .Event("OnDropDown", &TsuiCustomComboBox::OnDropDown)
        .Event("OnCloseUp", &TsuiCustomComboBox::OnCloseUp);
    // Items before the selection and the text that picks an item.
    RegisterClass<TsuiComboBox>("TsuiComboBox", "TsuiCustomComboBox")
        .Property("Style", &TsuiComboBox::Style, &TsuiComboBox::SetStyle, csDropDown)
        .Property("MaxLength", &TsuiComboBox::MaxLength, &TsuiComboBox::SetMaxLength, 0)
        .Property("Sorted", &TsuiComboBox::Sorted, &TsuiComboBox::SetSorted, false)
        .Object("Items", &TsuiComboBox::Items)
        .Property("ItemIndex", &TsuiComboBox::ItemIndex, &TsuiComboBox::SetItemIndex, -1)
        .Event("OnDrawItem", &TsuiComboBox::OnDrawItem)
        .Event("OnMeasureItem", &TsuiComboBox::OnMeasureItem);
    RegisterClass<TsuiCustomColorBox>("TsuiCustomColorBox", "TsuiCustomComboBox")
        .SetProperty("Style", &TsuiCustomColorBox::Style,
                     static_cast<void (TsuiCustomColorBox::*)(TColorBoxStyles)>(&TsuiCustomColorBox::SetStyle),
                     ColorBoxStyleNames,
                     cbStandardColors | cbExtendedColors | cbSystemColors)
        .ColorProperty("DefaultColorColor", &TsuiCustomColorBox::DefaultColorColor,
                       &TsuiCustomColorBox::SetDefaultColorColor, clBlack)
        .ColorProperty("NoneColorColor", &TsuiCustomColorBox::NoneColorColor, &TsuiCustomColorBox::SetNoneColorColor,
                       clBlack)
        .ColorProperty("Selected", &TsuiCustomColorBox::Selected, &TsuiCustomColorBox::SetSelected, clBlack);
    RegisterClass<TsuiColorBox>("TsuiColorBox", "TsuiCustomColorBox");
    RegisterClass<TsuiFontDrawComboBox>("TsuiFontDrawComboBox", "TsuiCustomComboBox");
    RegisterClass<TsuiFontComboBox>("TsuiFontComboBox", "TsuiFontDrawComboBox")
        .Property("Style", &TsuiFontComboBox::Style, &TsuiFontComboBox::SetStyle, csDropDownList)
        .Property("Device", &TsuiFontComboBox::Device, &TsuiFontComboBox::SetDevice, fdScreen)
        .Property("FontName", &TsuiFontComboBox::FontName, &TsuiFontComboBox::SetFontName)
        .SetProperty("Options", &TsuiFontComboBox::Options, &TsuiFontComboBox::SetOptions, FontListOptionNames, 0)
        .Property("UseFonts", &TsuiFontComboBox::UseFonts, &TsuiFontComboBox::SetUseFonts, false)
        .Event("OnChange", &TsuiFontComboBox::OnChange);
    RegisterClass<TsuiFontSizeComboBox>("TsuiFontSizeComboBox", "TsuiCustomComboBox")
        .Property("Style", &TsuiFontSizeComboBox::Style, &TsuiFontSizeComboBox::SetStyle, csDropDown)
        .Property("FontName", &TsuiFontSizeComboBox::FontName, &TsuiFontSizeComboBox::SetFontName);
}

void RegisterScrollBar()
{
    // Color comes from the style; the track's values pass through.
    RegisterClass<TsuiScrollBar>("TsuiScrollBar", "TCustomControl")
        .Property("LineButton", &TsuiScrollBar::LineButton, &TsuiScrollBar::SetLineButton, 0)
        .Property("Orientation", &TsuiScrollBar::Orientation, &TsuiScrollBar::SetOrientation, suiVertical)
        .Property("UIStyle", &TsuiScrollBar::UIStyle, &TsuiScrollBar::SetUIStyle)
        .Property("Max", &TsuiScrollBar::Max, &TsuiScrollBar::SetMax, 100)
        .Property("Min", &TsuiScrollBar::Min, &TsuiScrollBar::SetMin, 0)
        .Property("Position", &TsuiScrollBar::Position, &TsuiScrollBar::SetPosition, 0)
        .Property("SmallChange", &TsuiScrollBar::SmallChange, &TsuiScrollBar::SetSmallChange, 1)
        .Property("LargeChange", &TsuiScrollBar::LargeChange, &TsuiScrollBar::SetLargeChange, 10)
        .Property("PageSize", &TsuiScrollBar::PageSize, &TsuiScrollBar::SetPageSize, 10)
        .Event("OnChange", &TsuiScrollBar::OnChange, &TsuiScrollBar::SetOnChange);
}

void RegisterViews()
{
    // BorderColor has no default: a description always stores it.
    RegisterClass<TsuiTreeView>("TsuiTreeView", "TCustomTreeView")
        .ColorProperty("BorderColor", &TsuiTreeView::BorderColor, &TsuiTreeView::SetBorderColor);
    RegisterClass<TsuiListView>("TsuiListView", "TCustomListView")
        .ColorProperty("BorderColor", &TsuiListView::BorderColor, &TsuiListView::SetBorderColor);
}

void RegisterTabs()
{
    RegisterClass<TsuiTab>("TsuiTab", "TCustomControl")
        .Property("UIStyle", &TsuiTab::UIStyle, &TsuiTab::SetUIStyle)
        .Property("LeftMargin", &TsuiTab::LeftMargin, &TsuiTab::SetLeftMargin, 10)
        .ColorProperty("BorderColor", &TsuiTab::BorderColor, &TsuiTab::SetBorderColor)
        .Object("Font", &TsuiTab::Font)
        .Event("OnTabActive", &TsuiTab::OnTabActive);
    RegisterClass<TsuiTabControl>("TsuiTabControl", "TsuiTab")
        .Object("Tabs", &TsuiTabControl::Tabs)
        .Property("TabIndex", &TsuiTabControl::TabIndex, &TsuiTabControl::SetTabIndex, 0);
    // The pages' names in page order, then the pages themselves as children.
    RegisterClass<TsuiPageControl>("TsuiPageControl", "TsuiTab")
        .Custom(
            "Pages",
            [](TsuiPageControl *Control, const TValue &Value, TReader &) {
                if (Value.Kind != TValue::vaList)
                    StreamingDetail::InvalidValue(QStringLiteral("a list of page names"));
                QStringList names;
                for (const TValue &item : Value.Items)
                    names.append(item.Str);
                Control->SetPageNames(names);
            },
            [](TsuiPageControl *Control) -> std::optional<TValue> {
                if (Control->PageCount() == 0)
                    return std::nullopt;
                TValue list;
                list.Kind = TValue::vaList;
                for (const String &name : Control->PageNames())
                    list.Items.push_back(TValue::Ident(name));
                return list;
            })
        .Component("ActivePage", &TsuiPageControl::ActivePage, &TsuiPageControl::SetActivePage);
    RegisterClass<TsuiTabSheet>("TsuiTabSheet", "TCustomControl")
        .Custom(
            "PageControl",
            [](TsuiTabSheet *Sheet, const TValue &Value, TReader &) { Sheet->SetPageControlName(Value.Str); },
            [](TsuiTabSheet *Sheet) -> std::optional<TValue> {
                if (!Sheet->PageControl())
                    return std::nullopt;
                return TValue::Ident(Sheet->PageControlName());
            })
        .Property("Caption", &TsuiTabSheet::Caption, &TsuiTabSheet::SetCaption)
        .Property("TabVisible", &TsuiTabSheet::TabVisible, &TsuiTabSheet::SetTabVisible, true)
        .Event("OnShow", &TsuiTabSheet::OnShow);
}

// Linked scroll bars are references to the form's scroll bars by name.
void RegisterBoxes()
{
    RegisterClass<TsuiListBox>("TsuiListBox", "TCustomListBox")
        .ColorProperty("BorderColor", &TsuiListBox::BorderColor, &TsuiListBox::SetBorderColor)
        .Component("VScrollBar", &TsuiListBox::VScrollBar, &TsuiListBox::SetVScrollBar);
    // The locked border reads back the same whatever is stored.
    RegisterClass<TsuiCheckListBox>("TsuiCheckListBox", "TCheckListBox")
        .ColorProperty("BorderColor", &TsuiCheckListBox::BorderColor, &TsuiCheckListBox::SetBorderColor)
        .Property("BorderStyle", &TsuiCheckListBox::BorderStyle, &TsuiCheckListBox::SetBorderStyle, bsSingle)
        .Property("BorderWidth", &TsuiCheckListBox::BorderWidth, &TsuiCheckListBox::SetBorderWidth, 1);
    RegisterClass<TsuiMemo>("TsuiMemo", "TCustomMemo")
        .ColorProperty("BorderColor", &TsuiMemo::BorderColor, &TsuiMemo::SetBorderColor)
        .Component("VScrollBar", &TsuiMemo::VScrollBar, &TsuiMemo::SetVScrollBar)
        .Component("HScrollBar", &TsuiMemo::HScrollBar, &TsuiMemo::SetHScrollBar);
    RegisterClass<TsuiEdit>("TsuiEdit", "TCustomEdit")
        .ColorProperty("BorderColor", &TsuiEdit::BorderColor, &TsuiEdit::SetBorderColor);
}

void RegisterSideChannel()
{
    // The expanded width replaces the control's stored width.
    RegisterClass<TsuiSideChannel>("TsuiSideChannel", "TCustomControl")
        .Property("Width", &TsuiSideChannel::Width, &TsuiSideChannel::SetWidth)
        .ColorProperty("SideBarColor", &TsuiSideChannel::SideBarColor, &TsuiSideChannel::SetSideBarColor)
        .Property("SideBarWidth", &TsuiSideChannel::SideBarWidth, &TsuiSideChannel::SetSideBarWidth, 10)
        .Property("Caption", &TsuiSideChannel::Caption, &TsuiSideChannel::SetCaption)
        .Property("Alignment", &TsuiSideChannel::Alignment, &TsuiSideChannel::SetAlignment, taCenter)
        .Property("Align", &TsuiSideChannel::Align, &TsuiSideChannel::SetAlign, suiLeft)
        .Property("StayOn", &TsuiSideChannel::StayOn, &TsuiSideChannel::SetStayOn, false)
        .Property("PopupMode", &TsuiSideChannel::PopupMode, &TsuiSideChannel::SetPopupMode, suiMouseOn)
        .Property("QuickMove", &TsuiSideChannel::QuickMove, &TsuiSideChannel::SetQuickMove, false)
        .Event("OnResize", &TsuiSideChannel::OnResize)
        .Event("OnCanResize", &TsuiSideChannel::OnCanResize)
        .Event("OnPop", &TsuiSideChannel::OnPop)
        .Event("OnPush", &TsuiSideChannel::OnPush);
}

void RegisterToolBar()
{
    RegisterClass<TsuiToolBar>("TsuiToolBar", "TCustomControl")
        .Property("UIStyle", &TsuiToolBar::UIStyle, &TsuiToolBar::SetUIStyle)
        .ColorProperty("ButtonColor", &TsuiToolBar::ButtonColor, &TsuiToolBar::SetButtonColor)
        .ColorProperty("ButtonBorderColor", &TsuiToolBar::ButtonBorderColor, &TsuiToolBar::SetButtonBorderColor)
        .ColorProperty("ButtonDownColor", &TsuiToolBar::ButtonDownColor, &TsuiToolBar::SetButtonDownColor)
        .ColorProperty("Color", &TsuiToolBar::Color, &TsuiToolBar::SetColor, clWindow)
        .Property("Transparent", &TsuiToolBar::Transparent, &TsuiToolBar::SetTransparent)
        .Property("Flat", &TsuiToolBar::Flat, &TsuiToolBar::SetFlat)
        .Property("ShowCaptions", &TsuiToolBar::ShowCaptions, &TsuiToolBar::SetShowCaptions, false)
        .Property("ButtonHeight", &TsuiToolBar::ButtonHeight, &TsuiToolBar::SetButtonHeight, 22)
        .Property("ButtonWidth", &TsuiToolBar::ButtonWidth, &TsuiToolBar::SetButtonWidth, 23)
        .Property("Indent", &TsuiToolBar::Indent, &TsuiToolBar::SetIndent, 0)
        .Property("Wrapable", &TsuiToolBar::Wrapable, &TsuiToolBar::SetWrapable, true)
        .Component("Images", &TsuiToolBar::Images, &TsuiToolBar::SetImages)
        .Component("HotImages", &TsuiToolBar::HotImages, &TsuiToolBar::SetHotImages)
        .Component("DisabledImages", &TsuiToolBar::DisabledImages, &TsuiToolBar::SetDisabledImages);
}

void RegisterGroupBoxes()
{
    // A group box is made see-through, a check group opaque: each stores
    // the other value.
    RegisterClass<TsuiCustomGroupBox>("TsuiCustomGroupBox", "TsuiCustomPanel")
        .Property("Caption", &TsuiCustomGroupBox::Caption, &TsuiCustomGroupBox::SetCaption)
        .Property("Transparent", &TsuiCustomGroupBox::Transparent, &TsuiCustomGroupBox::SetTransparent, true);
    RegisterClass<TsuiGroupBox>("TsuiGroupBox", "TsuiCustomGroupBox")
        .ColorProperty("BorderColor", &TsuiGroupBox::BorderColor, &TsuiGroupBox::SetBorderColor);
    RegisterClass<TsuiCheckGroup>("TsuiCheckGroup", "TsuiCustomGroupBox")
        .Property("Transparent", &TsuiCheckGroup::Transparent, &TsuiCheckGroup::SetTransparent, false)
        .Property("UIStyle", &TsuiCheckGroup::UIStyle, &TsuiCheckGroup::SetUIStyle)
        .Object("Items", &TsuiCheckGroup::Items)
        .Property("Columns", &TsuiCheckGroup::Columns, &TsuiCheckGroup::SetColumns, 1)
        .Property("TopMargin", &TsuiCheckGroup::TopMargin, &TsuiCheckGroup::SetTopMargin, 8)
        .ColorProperty("BorderColor", &TsuiCheckGroup::BorderColor, &TsuiCheckGroup::SetBorderColor)
        .Event("OnClick", &TsuiCheckGroup::OnClick);
}

// What both skinned grids add: flat by construction, so BorderStyle, the
// one-pixel BorderWidth and Ctl3D read back as made; the text colour goes
// with Font.
template <class T>
void RegisterGridSkin(TClassBuilder<T> Builder)
{
    Builder.Property("BorderStyle", &T::BorderStyle, &T::SetBorderStyle, bsNone)
        .Property("BorderWidth", &T::BorderWidth, &T::SetBorderWidth, 1)
        .Property("Ctl3D", &T::Ctl3D, &T::SetCtl3D, false)
        .Property("ParentCtl3D", &T::ParentCtl3D, &T::SetParentCtl3D, false)
        .Property("UIStyle", &T::UIStyle, &T::SetUIStyle)
        .ColorProperty("BorderColor", &T::BorderColor, &T::SetBorderColor)
        .ColorProperty("FocusedColor", &T::FocusedColor, &T::SetFocusedColor, 0x00008000)
        .ColorProperty("SelectedColor", &T::SelectedColor, &T::SetSelectedColor, 0x0000FFFF)
        .ColorProperty("FixedFontColor", &T::FixedFontColor, &T::SetFixedFontColor)
        .ColorProperty("FontColor", &T::FontColor, &T::SetFontColor)
        .Stored([](T *) { return false; });
}

void RegisterGrids()
{
    RegisterGridSkin(RegisterClass<TsuiCustomDrawGrid>("TsuiCustomDrawGrid", "TCustomDrawGrid"));
    RegisterClass<TsuiDrawGrid>("TsuiDrawGrid", "TsuiCustomDrawGrid");
    RegisterGridSkin(RegisterClass<TsuiStringGrid>("TsuiStringGrid", "TStringGrid"));
}

// The skinned window with its title bar's buttons and sections, stored item
// by item with their pictures.
void RegisterForms()
{
    RegisterClass<TsuiTitleBarButton>("TsuiTitleBarButton", "TCollectionItem")
        .Property("ButtonType", &TsuiTitleBarButton::ButtonType, &TsuiTitleBarButton::SetButtonType)
        .Property("Transparent", &TsuiTitleBarButton::Transparent, &TsuiTitleBarButton::SetTransparent)
        .Property("Top", &TsuiTitleBarButton::Top, &TsuiTitleBarButton::SetTop)
        .Property("UIStyle", &TsuiTitleBarButton::UIStyle, &TsuiTitleBarButton::SetUIStyle)
        .Object("PicNormal", &TsuiTitleBarButton::PicNormal)
        .Object("PicMouseOn", &TsuiTitleBarButton::PicMouseOn)
        .Object("PicMouseDown", &TsuiTitleBarButton::PicMouseDown);
    RegisterClass<TsuiTitleBarSection>("TsuiTitleBarSection", "TCollectionItem")
        .Property("AutoSize", &TsuiTitleBarSection::AutoSize, &TsuiTitleBarSection::SetAutoSize)
        .Property("Width", &TsuiTitleBarSection::Width, &TsuiTitleBarSection::SetWidth)
        .Property("Align", &TsuiTitleBarSection::Align, &TsuiTitleBarSection::SetAlign)
        .Object("Picture", &TsuiTitleBarSection::Picture)
        .Property("Stretch", &TsuiTitleBarSection::Stretch, &TsuiTitleBarSection::SetStretch);

    RegisterClass<TsuiForm>("TsuiForm", "TCustomControl")
        .Property("UIStyle", &TsuiForm::UIStyle, &TsuiForm::SetUIStyle)
        .Property("UIStyleAutoUpdateSub", &TsuiForm::UIStyleAutoUpdateSub, &TsuiForm::SetUIStyleAutoUpdateSub)
        .ColorProperty("BorderColor", &TsuiForm::BorderColor, &TsuiForm::SetBorderColor)
        .Property("BorderWidth", &TsuiForm::BorderWidth, &TsuiForm::SetBorderWidth)
        .Property("TitleBarVisible", &TsuiForm::TitleBarVisible, &TsuiForm::SetTitleBarVisible)
        .Property("Caption", &TsuiForm::Caption, &TsuiForm::SetCaption)
        .Component("FormPanel", &TsuiForm::FormPanel, &TsuiForm::SetFormPanel)
        .Collection("TitleBarButtons", &TsuiForm::TitleBarButtons)
        .Collection("TitleBarSections", &TsuiForm::TitleBarSections)
        .Property("TitleBarDrawAppIcon", &TsuiForm::TitleBarDrawAppIcon, &TsuiForm::SetTitleBarDrawAppIcon)
        .Object("Font", &TsuiForm::Font)
        .ColorProperty("MenuBarColor", &TsuiForm::MenuBarColor, &TsuiForm::SetMenuBarColor)
        .Property("MenuBarHeight", &TsuiForm::MenuBarHeight, &TsuiForm::SetMenuBarHeight)
        .Component("Menu", &TsuiForm::Menu, &TsuiForm::SetMenu);

    RegisterClass<TsuiMainMenu>("TsuiMainMenu", "TMainMenu")
        .Property("UIStyle", &TsuiMainMenu::UIStyle, &TsuiMainMenu::SetUIStyle)
        .Property("MenuItemHeight", &TsuiMainMenu::MenuItemHeight, &TsuiMainMenu::SetMenuItemHeight)
        .Property("SeparatorHeight", &TsuiMainMenu::SeparatorHeight, &TsuiMainMenu::SetSeparatorHeight)
        .Property("BarWidth", &TsuiMainMenu::BarWidth, &TsuiMainMenu::SetBarWidth)
        .ColorProperty("BarColor", &TsuiMainMenu::BarColor, &TsuiMainMenu::SetBarColor)
        .ColorProperty("Color", &TsuiMainMenu::Color, &TsuiMainMenu::SetColor)
        .ColorProperty("SeparatorColor", &TsuiMainMenu::SeparatorColor, &TsuiMainMenu::SetSeparatorColor)
        .ColorProperty("SelectedBorderColor", &TsuiMainMenu::SelectedBorderColor, &TsuiMainMenu::SetSelectedBorderColor)
        .ColorProperty("SelectedColor", &TsuiMainMenu::SelectedColor, &TsuiMainMenu::SetSelectedColor)
        .ColorProperty("SelectedFontColor", &TsuiMainMenu::SelectedFontColor, &TsuiMainMenu::SetSelectedFontColor)
        .ColorProperty("FontColor", &TsuiMainMenu::FontColor, &TsuiMainMenu::SetFontColor)
        .ColorProperty("BorderColor", &TsuiMainMenu::BorderColor, &TsuiMainMenu::SetBorderColor)
        .Property("FlatMenu", &TsuiMainMenu::FlatMenu, &TsuiMainMenu::SetFlatMenu, false)
        .Property("FontName", &TsuiMainMenu::FontName, &TsuiMainMenu::SetFontName)
        .Property("FontSize", &TsuiMainMenu::FontSize, &TsuiMainMenu::SetFontSize)
        .CharsetProperty("FontCharset", &TsuiMainMenu::FontCharset, &TsuiMainMenu::SetFontCharset)
        .Property("UseSystemFont", &TsuiMainMenu::UseSystemFont, &TsuiMainMenu::SetUseSystemFont);
}

} // namespace

void RegisterSkinClasses()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    RegisterSkinEnums();
    RegisterPanels();
    RegisterButtons();
    RegisterTrackBars();
    RegisterScrollBar();
    RegisterViews();
    RegisterBoxes();
    RegisterToolBar();
    RegisterGroupBoxes();
    RegisterGrids();
    RegisterComboBoxes();
    RegisterTabs();
    RegisterSideChannel();
    RegisterForms();
}
