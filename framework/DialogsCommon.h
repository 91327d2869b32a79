#pragma once
// The common dialogs as components: open a file, choose a colour. Execute
// runs the dialog modally through the dialog handler of Dialogs.h and returns
// whether the user confirmed it; only then are the results taken over.
#include "Dialogs.h"
#include "Graphics.h"

#include <memory>
#include <utility>
#include <vector>

class TCommonDialog : public TComponent {
public:
    using TComponent::TComponent;
    virtual bool Execute() = 0;

    TNotifyEvent OnShow;
    TNotifyEvent OnClose;

protected:
    // Runs the request between OnShow and OnClose; true when confirmed.
    bool Run(TDialogRequest &Request);
};

class TOpenDialog : public TCommonDialog {
public:
    explicit TOpenDialog(TComponent *AOwner);

    // "Description|pattern[;pattern]|Description|pattern...".
    String Filter() const { return FFilter; }
    void SetFilter(const String &Value) { FFilter = Value; }
    // The filter shown first, from 1.
    int FilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(int Value) { FFilterIndex = Value; }
    String FileName() const { return FFileName; }
    void SetFileName(const String &Value) { FFileName = Value; }
    // The chosen files (several with ofAllowMultiSelect).
    TStrings *Files() const { return FFiles.get(); }
    String InitialDir() const { return FInitialDir; }
    void SetInitialDir(const String &Value) { FInitialDir = Value; }
    // Appended to a chosen name without an extension.
    String DefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const String &Value) { FDefaultExt = Value; }
    String Title() const { return FTitle; }
    void SetTitle(const String &Value) { FTitle = Value; }
    TOpenOptions Options() const { return FOptions; }
    void SetOptions(TOpenOptions Value) { FOptions = Value; }

    bool Execute() override;

private:
    String FFilter;
    int FFilterIndex = 1;
    String FFileName;
    std::unique_ptr<TStringList> FFiles = std::make_unique<TStringList>();
    String FInitialDir;
    String FDefaultExt;
    String FTitle;
    TOpenOptions FOptions = ofHideReadOnly | ofEnableSizing;
};

enum TColorDialogOption : unsigned { cdFullOpen = 0x1, cdPreventFullOpen = 0x2, cdShowHelp = 0x4, cdSolidColor = 0x8, cdAnyColor = 0x10 };
using TColorDialogOptions = unsigned;

class TColorDialog : public TCommonDialog {
public:
    explicit TColorDialog(TComponent *AOwner);

    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    // Up to sixteen "ColorA=BBGGRR" lines (hexadecimal COLORREF, A to P).
    TStrings *CustomColors() const { return FCustomColors.get(); }
    void SetCustomColors(const TStrings *Value) { FCustomColors->Assign(Value); }
    TColorDialogOptions Options() const { return FOptions; }
    void SetOptions(TColorDialogOptions Value) { FOptions = Value; }

    bool Execute() override;

private:
    TColor FColor = clBlack;
    std::unique_ptr<TStringList> FCustomColors = std::make_unique<TStringList>();
    TColorDialogOptions FOptions = 0;
};

// The entries of a dialog filter as (description, patterns) pairs; a
// description without patterns is left out.
std::vector<std::pair<String, String>> FilterEntries(const String &Filter);

// The real dialogs, used when no handler is installed.
int ShowQtOpenDialog(TDialogRequest &Request);
int ShowQtColorDialog(TDialogRequest &Request);
