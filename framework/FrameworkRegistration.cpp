// The framework's classes as window descriptions know them: their published
// properties with storage defaults, in declaration order.
#include "CheckLst.h"
#include "ComCtrls.h"
#include "Dialogs.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "Grids.h"
#include "OleCtrls.h"
#include "StdCtrls.h"
#include "Streaming.h"

namespace {

const TSetNames AnchorNames{{"akLeft", akLeft}, {"akTop", akTop}, {"akRight", akRight}, {"akBottom", akBottom}};
const TSetNames FontStyleNames{{"fsBold", fsBold}, {"fsItalic", fsItalic}, {"fsUnderline", fsUnderline}, {"fsStrikeOut", fsStrikeOut}};
const TSetNames BorderIconNames{{"biSystemMenu", biSystemMenu}, {"biMinimize", biMinimize}, {"biMaximize", biMaximize}, {"biHelp", biHelp}};

void RegisterEnums()
{
    RegisterEnum<TAlign>({"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom"});
    RegisterEnum<TAlignment>({"taLeftJustify", "taRightJustify", "taCenter"});
    RegisterEnum<TFormBorderStyle>({"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"});
    RegisterEnum<TFormStyle>({"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"});
    RegisterEnum<TPosition>({"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter", "poDesktopCenter",
                             "poMainFormCenter", "poOwnerFormCenter"});
    RegisterEnum<TWindowState>({"wsNormal", "wsMinimized", "wsMaximized"});
    RegisterEnum<TPanelBevel>({"bvNone", "bvLowered", "bvRaised", "bvSpace"});
    RegisterEnum<TTextLayout>({"tlTop", "tlCenter", "tlBottom"});
}

void ReadStrings(TStrings *Strings, const TValue &Value, TReader &)
{
    if (Value.Kind != TValue::vaList)
        StreamingDetail::InvalidValue(QStringLiteral("a list of strings"));
    QStringList lines;
    for (const TValue &item : Value.Items)
        lines.append(StreamingDetail::ToText(item));
    Strings->BeginUpdate();
    Strings->Clear();
    for (const String &line : lines)
        Strings->Add(line);
    Strings->EndUpdate();
}

std::optional<TValue> WriteStrings(TStrings *Strings)
{
    if (Strings->Count() == 0)
        return std::nullopt;
    TValue list;
    list.Kind = TValue::vaList;
    for (int i = 0; i < Strings->Count(); ++i)
        list.Items.push_back(TValue::Text(Strings->Strings(i)));
    return list;
}

void RegisterPersistents()
{
    RegisterClass<TPersistent>("TPersistent");
    RegisterClass<TFont>("TFont", "TPersistent")
        .CharsetProperty("Charset", &TFont::Charset, &TFont::SetCharset)
        .ColorProperty("Color", &TFont::Color, &TFont::SetColor)
        .Property("Height", &TFont::Height, &TFont::SetHeight)
        // Always stored: an empty name read back must not leave the default face.
        .Custom(
            "Name", [](TFont *f, const TValue &v, TReader &) { f->SetName(StreamingDetail::ToText(v)); },
            [](TFont *f) -> std::optional<TValue> { return TValue::Text(f->Name()); })
        .SetProperty("Style", &TFont::Style, &TFont::SetStyle, FontStyleNames);
    RegisterClass<TSizeConstraints>("TSizeConstraints", "TPersistent")
        .Property("MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight, 0)
        .Property("MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth, 0)
        .Property("MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight, 0)
        .Property("MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth, 0);
    RegisterClass<TStrings>("TStrings", "TPersistent").Custom("Strings", ReadStrings, WriteStrings);
    RegisterClass<TStringList>("TStringList", "TStrings");
    RegisterClass<TPicture>("TPicture", "TPersistent")
        .Binary(
            "Data", [](TPicture *p) { return p->Data(); }, [](TPicture *p, const QByteArray &d) { p->ReadData(d); })
        .Stored([](TPicture *p) { return p->Graphic() != nullptr; });
    RegisterClass<TCollectionItem>("TCollectionItem", "TPersistent");
}

void RegisterComponents()
{
    RegisterClass<TComponent>("TComponent", "TPersistent").Property("Tag", &TComponent::Tag, &TComponent::SetTag, 0);

    RegisterClass<TControl>("TControl", "TComponent")
        .Property("Left", &TControl::Left, &TControl::SetLeft)
        .Property("Top", &TControl::Top, &TControl::SetTop)
        .Property("Width", &TControl::Width, &TControl::SetWidth)
        .Property("Height", &TControl::Height, &TControl::SetHeight)
        .Property("Align", &TControl::Align, &TControl::SetAlign, alNone)
        .SetProperty("Anchors", &TControl::Anchors, &TControl::SetAnchors, AnchorNames, akLeft | akTop)
        .Property("AutoSize", &TControl::AutoSize, &TControl::SetAutoSize, false)
        .Property("Caption", &TControl::Caption, &TControl::SetCaption)
        .ColorProperty("Color", &TControl::Color, &TControl::SetColor)
        .Stored([](TControl *c) { return !c->ParentColor(); })
        .Object("Constraints", &TControl::Constraints)
        .Property("Cursor", &TControl::Cursor, &TControl::SetCursor, crDefault)
        .Property("Enabled", &TControl::Enabled, &TControl::SetEnabled, true)
        .Object("Font", &TControl::Font)
        .Stored([](TControl *c) { return !c->ParentFont(); })
        .Property("Hint", &TControl::Hint, &TControl::SetHint)
        .Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor, true)
        .Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont, true)
        .Property("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint, true)
        .Property("ShowHint", &TControl::ShowHint, &TControl::SetShowHint)
        .Stored([](TControl *c) { return !c->ParentShowHint(); })
        .Property("Visible", &TControl::Visible, &TControl::SetVisible, true)
        .Event("OnCanResize", &TControl::OnCanResize)
        .Event("OnClick", &TControl::OnClick)
        .Event("OnDblClick", &TControl::OnDblClick)
        .Event("OnMouseDown", &TControl::OnMouseDown)
        .Event("OnMouseMove", &TControl::OnMouseMove)
        .Event("OnMouseUp", &TControl::OnMouseUp)
        .Event("OnResize", &TControl::OnResize)
        .ParentOf([](const TControl *c) -> TComponent * { return c->Parent(); });

    RegisterClass<TWinControl>("TWinControl", "TControl")
        .Property("BorderWidth", &TWinControl::BorderWidth, &TWinControl::SetBorderWidth, 0)
        .Property("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder, -1)
        .Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop, false)
        .Event("OnEnter", &TWinControl::OnEnter)
        .Event("OnExit", &TWinControl::OnExit)
        .Event("OnKeyDown", &TWinControl::OnKeyDown)
        .Event("OnKeyPress", &TWinControl::OnKeyPress)
        .Event("OnKeyUp", &TWinControl::OnKeyUp)
        .AddChild([](TWinControl *container, TComponent *child) {
            auto *control = dynamic_cast<TControl *>(child);
            if (control)
                control->SetParent(container);
            return control != nullptr;
        });
    RegisterClass<TCustomControl>("TCustomControl", "TWinControl");
    RegisterClass<TGraphicControl>("TGraphicControl", "TControl");

    // A form stores its client size; its outer size follows from the frame.
    RegisterClass<TCustomForm>("TCustomForm", "TWinControl")
        .Property("Width", &TCustomForm::Width, &TCustomForm::SetWidth)
        .Stored([](TCustomForm *) { return false; })
        .Property("Height", &TCustomForm::Height, &TCustomForm::SetHeight)
        .Stored([](TCustomForm *) { return false; })
        .Property("AutoScroll", &TCustomForm::AutoScroll, &TCustomForm::SetAutoScroll, true)
        .SetProperty("BorderIcons", &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons, BorderIconNames, biSystemMenu | biMinimize | biMaximize)
        .Property("BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle, bsSizeable)
        .Property("ClientHeight", &TCustomForm::ClientHeight, &TCustomForm::SetClientHeight)
        .Property("ClientWidth", &TCustomForm::ClientWidth, &TCustomForm::SetClientWidth)
        .ColorProperty("Color", &TCustomForm::Color, &TCustomForm::SetColor, clBtnFace)
        .Property("FormStyle", &TCustomForm::FormStyle, &TCustomForm::SetFormStyle, fsNormal)
        .Property("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview, false)
        .Property("Position", &TCustomForm::Position, &TCustomForm::SetPosition, poDesigned)
        .Property("Visible", &TCustomForm::Visible, &TCustomForm::SetVisible, false)
        .Property("WindowState", &TCustomForm::WindowState, &TCustomForm::SetWindowState, wsNormal)
        .Event("OnActivate", &TCustomForm::OnActivate)
        .Event("OnClose", &TCustomForm::OnClose)
        .Event("OnCloseQuery", &TCustomForm::OnCloseQuery)
        .Event("OnCreate", &TCustomForm::OnCreate)
        .Event("OnDeactivate", &TCustomForm::OnDeactivate)
        .Event("OnDestroy", &TCustomForm::OnDestroy)
        .Event("OnHide", &TCustomForm::OnHide)
        .Event("OnPaint", &TCustomForm::OnPaint)
        .Event("OnShow", &TCustomForm::OnShow);
    RegisterClass<TForm>("TForm", "TCustomForm");

    RegisterClass<TTimer>("TTimer", "TComponent")
        .Property("Enabled", &TTimer::Enabled, &TTimer::SetEnabled, true)
        .Property("Interval", &TTimer::Interval, &TTimer::SetInterval, 1000)
        .Event("OnTimer", &TTimer::OnTimer);
}

// The tree view stores its nodes as one binary block ("Items.Data") in the
// catalogue's record layout.
void RegisterTreeView()
{
    RegisterClass<TTreeNodes>("TTreeNodes", "TPersistent")
        .Binary(
            "Data", [](TTreeNodes *n) { return n->WriteData(); }, [](TTreeNodes *n, const QByteArray &d) { n->ReadData(d); })
        .Stored([](TTreeNodes *n) { return n->Count() > 0; });
    RegisterClass<TCustomTreeView>("TCustomTreeView", "TWinControl")
        .Property("AutoExpand", &TCustomTreeView::AutoExpand, &TCustomTreeView::SetAutoExpand, false)
        .Property("HideSelection", &TCustomTreeView::HideSelection, &TCustomTreeView::SetHideSelection, true)
        .Property("Indent", &TCustomTreeView::Indent, &TCustomTreeView::SetIndent)
        .Property("ReadOnly", &TCustomTreeView::ReadOnly, &TCustomTreeView::SetReadOnly, false)
        .Property("RowSelect", &TCustomTreeView::RowSelect, &TCustomTreeView::SetRowSelect, false)
        .Property("ShowButtons", &TCustomTreeView::ShowButtons, &TCustomTreeView::SetShowButtons, true)
        .Property("ShowLines", &TCustomTreeView::ShowLines, &TCustomTreeView::SetShowLines, true)
        .Property("ShowRoot", &TCustomTreeView::ShowRoot, &TCustomTreeView::SetShowRoot, true)
        .Property("BorderStyle", &TCustomTreeView::BorderStyle, &TCustomTreeView::SetBorderStyle, bsSingle)
        .Component("Images", &TCustomTreeView::Images, &TCustomTreeView::SetImages)
        .Object("Items", &TCustomTreeView::Items)
        .Event("OnChange", &TCustomTreeView::OnChange)
        .Event("OnCollapsed", &TCustomTreeView::OnCollapsed)
        .Event("OnExpanded", &TCustomTreeView::OnExpanded);
    RegisterClass<TTreeView>("TTreeView", "TCustomTreeView");
}

const TSetNames GridOptionNames{
    {"goFixedVertLine", goFixedVertLine}, {"goFixedHorzLine", goFixedHorzLine}, {"goVertLine", goVertLine},
    {"goHorzLine", goHorzLine},           {"goRangeSelect", goRangeSelect},     {"goDrawFocusSelected", goDrawFocusSelected},
    {"goRowSizing", goRowSizing},         {"goColSizing", goColSizing},         {"goEditing", goEditing},
    {"goTabs", goTabs},                   {"goRowSelect", goRowSelect},         {"goAlwaysShowEditor", goAlwaysShowEditor},
    {"goThumbTracking", goThumbTracking}};

// The fixed counts come before the counts, so that a grid of a single
// column or row (no fixed one) reads back.
void RegisterGrids()
{
    RegisterClass<TCustomDrawGrid>("TCustomDrawGrid", "TWinControl")
        .Property("BorderStyle", &TCustomDrawGrid::BorderStyle, &TCustomDrawGrid::SetBorderStyle, bsSingle)
        .Property("FixedCols", &TCustomDrawGrid::FixedCols, &TCustomDrawGrid::SetFixedCols, 1)
        .Property("FixedRows", &TCustomDrawGrid::FixedRows, &TCustomDrawGrid::SetFixedRows, 1)
        .Property("ColCount", &TCustomDrawGrid::ColCount, &TCustomDrawGrid::SetColCount, 5)
        .Property("RowCount", &TCustomDrawGrid::RowCount, &TCustomDrawGrid::SetRowCount, 5)
        .Property("Ctl3D", &TCustomDrawGrid::Ctl3D, &TCustomDrawGrid::SetCtl3D, true)
        .Property("DefaultColWidth", &TCustomDrawGrid::DefaultColWidth, &TCustomDrawGrid::SetDefaultColWidth, 64)
        .Property("DefaultRowHeight", &TCustomDrawGrid::DefaultRowHeight, &TCustomDrawGrid::SetDefaultRowHeight, 24)
        .Property("DefaultDrawing", &TCustomDrawGrid::DefaultDrawing, &TCustomDrawGrid::SetDefaultDrawing, true)
        .ColorProperty("FixedColor", &TCustomDrawGrid::FixedColor, &TCustomDrawGrid::SetFixedColor, clBtnFace)
        .SetProperty("Options", &TCustomDrawGrid::Options, &TCustomDrawGrid::SetOptions, GridOptionNames,
                     goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect)
        .Property("ParentCtl3D", &TCustomDrawGrid::ParentCtl3D, &TCustomDrawGrid::SetParentCtl3D, true)
        .Event("OnDrawCell", &TCustomDrawGrid::OnDrawCell)
        .Event("OnGetEditText", &TCustomDrawGrid::OnGetEditText)
        .Event("OnSelectCell", &TCustomDrawGrid::OnSelectCell)
        .Event("OnSetEditText", &TCustomDrawGrid::OnSetEditText);
    RegisterClass<TDrawGrid>("TDrawGrid", "TCustomDrawGrid");
    RegisterClass<TStringGrid>("TStringGrid", "TDrawGrid");
}

void RegisterListView()
{
    RegisterEnum<TViewStyle>({"vsIcon", "vsSmallIcon", "vsList", "vsReport"});
    RegisterClass<TCustomListView>("TCustomListView", "TWinControl")
        .Property("BorderStyle", &TCustomListView::BorderStyle, &TCustomListView::SetBorderStyle, bsSingle)
        .Property("GridLines", &TCustomListView::GridLines, &TCustomListView::SetGridLines, false)
        .Property("HideSelection", &TCustomListView::HideSelection, &TCustomListView::SetHideSelection, true)
        .Component("LargeImages", &TCustomListView::LargeImages, &TCustomListView::SetLargeImages)
        .Property("MultiSelect", &TCustomListView::MultiSelect, &TCustomListView::SetMultiSelect, false)
        .Property("ReadOnly", &TCustomListView::ReadOnly, &TCustomListView::SetReadOnly, false)
        .Property("RowSelect", &TCustomListView::RowSelect, &TCustomListView::SetRowSelect, false)
        .Property("ShowColumnHeaders", &TCustomListView::ShowColumnHeaders, &TCustomListView::SetShowColumnHeaders, true)
        .Component("SmallImages", &TCustomListView::SmallImages, &TCustomListView::SetSmallImages)
        .Property("ViewStyle", &TCustomListView::ViewStyle, &TCustomListView::SetViewStyle, vsIcon)
        .Event("OnChange", &TCustomListView::OnChange)
        .Event("OnColumnClick", &TCustomListView::OnColumnClick);
    RegisterClass<TListView>("TListView", "TCustomListView");
}

// An edit stores its text once, as Text; a memo as its Lines.
void RegisterStdControls()
{
    RegisterEnum<TListBoxStyle>({"lbStandard", "lbOwnerDrawFixed", "lbOwnerDrawVariable"});
    RegisterEnum<TScrollStyle>({"ssNone", "ssHorizontal", "ssVertical", "ssBoth"});
    RegisterClass<TCustomListBox>("TCustomListBox", "TWinControl")
        .Property("BorderStyle", &TCustomListBox::BorderStyle, &TCustomListBox::SetBorderStyle, bsSingle)
        .Property("ItemHeight", &TCustomListBox::ItemHeight, &TCustomListBox::SetItemHeight, 16)
        .Object("Items", &TCustomListBox::Items)
        .Property("MultiSelect", &TCustomListBox::MultiSelect, &TCustomListBox::SetMultiSelect, false)
        .Property("Sorted", &TCustomListBox::Sorted, &TCustomListBox::SetSorted, false)
        .Property("Style", &TCustomListBox::Style, &TCustomListBox::SetStyle, lbStandard)
        .Event("OnDrawItem", &TCustomListBox::OnDrawItem)
        .Event("OnMeasureItem", &TCustomListBox::OnMeasureItem);
    RegisterClass<TListBox>("TListBox", "TCustomListBox");
    RegisterClass<TCheckListBox>("TCheckListBox", "TCustomListBox")
        .Property("AllowGrayed", &TCheckListBox::AllowGrayed, &TCheckListBox::SetAllowGrayed, false)
        .Property("Flat", &TCheckListBox::Flat, &TCheckListBox::SetFlat, true)
        .Event("OnClickCheck", &TCheckListBox::OnClickCheck);

    RegisterClass<TCustomEdit>("TCustomEdit", "TWinControl")
        .Property("Caption", &TCustomEdit::Caption, &TCustomEdit::SetCaption)
        .Stored([](TCustomEdit *) { return false; })
        .Property("BorderStyle", &TCustomEdit::BorderStyle, &TCustomEdit::SetBorderStyle, bsSingle)
        .Property("HideSelection", &TCustomEdit::HideSelection, &TCustomEdit::SetHideSelection, true)
        .Property("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength, 0)
        .Property("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly, false)
        .Property("Text", &TCustomEdit::Text, &TCustomEdit::SetText)
        .Event("OnChange", &TCustomEdit::OnChange);
    RegisterClass<TEdit>("TEdit", "TCustomEdit");
    RegisterClass<TCustomMemo>("TCustomMemo", "TCustomEdit")
        .Property("Text", &TCustomMemo::Text, &TCustomMemo::SetText)
        .Stored([](TCustomMemo *) { return false; })
        .Object("Lines", &TCustomMemo::Lines)
        .Property("ScrollBars", &TCustomMemo::ScrollBars, &TCustomMemo::SetScrollBars, ssNone)
        .Property("WantReturns", &TCustomMemo::WantReturns, &TCustomMemo::SetWantReturns, true)
        .Property("WantTabs", &TCustomMemo::WantTabs, &TCustomMemo::SetWantTabs, false)
        .Property("WordWrap", &TCustomMemo::WordWrap, &TCustomMemo::SetWordWrap, true);
    RegisterClass<TMemo>("TMemo", "TCustomMemo");
}

// Labels, group boxes, panels, the open dialog and the hosted media controls
// (their own settings are the wrappers' stored configuration).
void RegisterLabelsPanelsAndHostedControls()
{
    RegisterClass<TCustomLabel>("TCustomLabel", "TGraphicControl")
        .Property("AutoSize", &TCustomLabel::AutoSize, &TCustomLabel::SetAutoSize, true)
        .Property("Alignment", &TCustomLabel::Alignment, &TCustomLabel::SetAlignment, taLeftJustify)
        .Component("FocusControl", &TCustomLabel::FocusControl, &TCustomLabel::SetFocusControl)
        .Property("Layout", &TCustomLabel::Layout, &TCustomLabel::SetLayout, tlTop)
        .Property("ShowAccelChar", &TCustomLabel::ShowAccelChar, &TCustomLabel::SetShowAccelChar, true)
        .Property("Transparent", &TCustomLabel::Transparent, &TCustomLabel::SetTransparent, false)
        .Property("WordWrap", &TCustomLabel::WordWrap, &TCustomLabel::SetWordWrap, false);
    RegisterClass<TLabel>("TLabel", "TCustomLabel");
    RegisterClass<TCustomGroupBox>("TCustomGroupBox", "TCustomControl");
    RegisterClass<TGroupBox>("TGroupBox", "TCustomGroupBox");
    RegisterClass<TCustomPanel>("TCustomPanel", "TCustomControl")
        .Property("Alignment", &TCustomPanel::Alignment, &TCustomPanel::SetAlignment, taCenter)
        .Property("BevelInner", &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner, bvNone)
        .Property("BevelOuter", &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter, bvRaised)
        .Property("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth, 1)
        .Property("BorderStyle", &TCustomPanel::BorderStyle, &TCustomPanel::SetBorderStyle, bsNone);
    RegisterClass<TPanel>("TPanel", "TCustomPanel");

    RegisterClass<TOpenDialog>("TOpenDialog", "TComponent")
        .Property("DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt)
        .Property("FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName)
        .Property("Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter)
        .Property("FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex, 1)
        .Property("InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir)
        .Property("Title", &TOpenDialog::Title, &TOpenDialog::SetTitle)
        .Event("OnClose", &TOpenDialog::OnClose)
        .Event("OnShow", &TOpenDialog::OnShow);

    RegisterClass<TOleControl>("TOleControl", "TWinControl");
    RegisterClass<TShockwaveFlash>("TShockwaveFlash", "TOleControl");
    RegisterClass<TRealAudio>("TRealAudio", "TOleControl");
}

} // namespace

void RegisterFrameworkClasses()
{
    RegisterEnums();
    RegisterPersistents();
    RegisterComponents();
    RegisterTreeView();
    RegisterGrids();
    RegisterListView();
    RegisterStdControls();
    RegisterLabelsPanelsAndHostedControls();
    RegisterMenuClasses();
}
