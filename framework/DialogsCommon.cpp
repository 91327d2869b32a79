// The open-file and colour dialogs.
#include "DialogsCommon.h"

#include "Forms.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>

bool TCommonDialog::Run(TDialogRequest &Request)
{
    if (OnShow)
        OnShow(this);
    const int result = ExecuteDialog(Request);
    if (OnClose)
        OnClose(this);
    return result == IDOK;
}

// ---------------------------------------------------------------------------
// Open file

TOpenDialog::TOpenDialog(TComponent *AOwner) : TCommonDialog(AOwner) {}

bool TOpenDialog::Execute()
{
    TDialogRequest request;
    request.Kind = dkOpenDialog;
    request.Caption = FTitle;
    request.Filter = FFilter;
    request.FilterIndex = FFilterIndex;
    request.InitialDir = FInitialDir;
    request.FileName = FFileName;
    request.Options = FOptions;
    if (!Run(request))
        return false;
    QStringList files = request.Files;
    if (files.isEmpty() && !request.FileName.isEmpty())
        files.append(request.FileName);
    // A confirmation without a file chooses nothing.
    if (files.isEmpty())
        return false;
    if (!FDefaultExt.isEmpty())
        for (String &f : files)
            if (QFileInfo(f).suffix().isEmpty())
                f += QLatin1Char('.') + FDefaultExt;
    FFiles->Clear();
    for (const String &f : files)
        FFiles->Add(f);
    FFileName = files.first();
    FFilterIndex = request.FilterIndex;
    return true;
}

std::vector<std::pair<String, String>> FilterEntries(const String &Filter)
{
    std::vector<std::pair<String, String>> entries;
    const QStringList parts = Filter.split(QLatin1Char('|'));
    for (int i = 0; i + 1 < parts.size(); i += 2)
        if (!parts[i + 1].trimmed().isEmpty())
            entries.emplace_back(parts[i], parts[i + 1].trimmed());
    return entries;
}

int ShowQtOpenDialog(TDialogRequest &Request)
{
    QFileDialog dialog(QApplication::activeWindow(), Request.Caption, Request.InitialDir);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(Request.Options & ofAllowMultiSelect  ? QFileDialog::ExistingFiles
                       : Request.Options & ofFileMustExist ? QFileDialog::ExistingFile
                                                           : QFileDialog::AnyFile);
    // Qt lists a filter as "Description (patterns)" and shows the description.
    QStringList filters;
    for (const auto &[description, patterns] : FilterEntries(Request.Filter))
        filters << QStringLiteral("%1 (%2)").arg(description, QString(patterns).replace(QLatin1Char(';'), QLatin1Char(' ')));
    if (!filters.isEmpty()) {
        dialog.setOption(QFileDialog::HideNameFilterDetails);
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.value(std::max(Request.FilterIndex, 1) - 1, filters.first()));
    }
    if (!Request.FileName.isEmpty())
        dialog.selectFile(Request.FileName);
    if (dialog.exec() != QDialog::Accepted)
        return IDCANCEL;
    Request.Files = dialog.selectedFiles();
    Request.FileName = Request.Files.value(0);
    Request.FilterIndex = std::max(static_cast<int>(filters.indexOf(dialog.selectedNameFilter())), 0) + 1;
    return IDOK;
}

// ---------------------------------------------------------------------------
// Colour

TColorDialog::TColorDialog(TComponent *AOwner) : TCommonDialog(AOwner) {}

bool TColorDialog::Execute()
{
    TDialogRequest request;
    request.Kind = dkColorDialog;
    request.Color = FColor;
    for (int i = 0; i < FCustomColors->Count(); ++i)
        request.CustomColors.append(FCustomColors->Strings(i));
    if (!Run(request))
        return false;
    FColor = request.Color;
    FCustomColors->Clear();
    for (const String &line : request.CustomColors)
        FCustomColors->Add(line);
    return true;
}

namespace {

constexpr int CustomColorCount = 16;

// "ColorA=BBGGRR" to a slot (0 for A) and colour; false for other lines.
bool ParseCustomColor(const String &Line, int &Slot, TColor &Color)
{
    const int eq = Line.indexOf(QLatin1Char('='));
    const String name = Line.left(eq).trimmed();
    if (eq < 0 || name.size() != 6 || !name.startsWith(QStringLiteral("Color"), Qt::CaseInsensitive))
        return false;
    Slot = name[5].toUpper().unicode() - u'A';
    bool ok = false;
    const uint value = Line.mid(eq + 1).trimmed().toUInt(&ok, 16);
    Color = static_cast<TColor>(value);
    return ok && Slot >= 0 && Slot < CustomColorCount && value <= 0xFFFFFF;
}

} // namespace

int ShowQtColorDialog(TDialogRequest &Request)
{
    for (const String &line : Request.CustomColors) {
        int slot = 0;
        TColor colour = 0;
        if (ParseCustomColor(line, slot, colour))
            QColorDialog::setCustomColor(slot, ColorToQColor(colour));
    }
    QColorDialog dialog(ColorToQColor(Request.Color), QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted)
        return IDCANCEL;
    Request.Color = QColorToColor(dialog.selectedColor());
    Request.CustomColors.clear();
    for (int i = 0; i < CustomColorCount; ++i)
        Request.CustomColors.append(QStringLiteral("Color%1=").arg(QChar(u'A' + i)) +
                                    QString::number(static_cast<uint>(QColorToColor(QColorDialog::customColor(i))), 16)
                                        .toUpper()
                                        .rightJustified(6, QLatin1Char('0')));
    return IDOK;
}
