// The edit and the memo over Qt's line edit and plain text editor.
#include "StdCtrlsEdit.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>

namespace {
void CheckLineIndex(int Index, int Count)
{
    if (Index < 0 || Index >= Count)
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
}
}

// The memo's lines, kept by its document (a text without characters has no
// lines). Without a window the lines are worked on in a document made from
// the control's text, which then takes the result.
class TMemoStrings : public TStrings {
    // Reads come from the window's document, or one made from the text.
    template <typename F>
    auto Read(F &&Body) const
    {
        if (FMemo->HandleAllocated())
            return Body(FMemo->Memo()->document());
        QTextDocument doc(FMemo->Text());
        return Body(&doc);
    }
    template <typename F>
    void Edit(F &&Body)
    {
        if (FMemo->HandleAllocated()) {
            Body(FMemo->Memo()->document());
            return;
        }
        QTextDocument doc(FMemo->Text());
        Body(&doc);
        FMemo->SetText(doc.toPlainText());
    }

public:
    explicit TMemoStrings(TCustomMemo *AMemo) : FMemo(AMemo) {}

    int Count() const override
    {
        return Read([](QTextDocument *Doc) { return Doc->isEmpty() ? 0 : Doc->blockCount(); });
    }
    String Strings(int Index) const override
    {
        CheckLineIndex(Index, Count());
        return Read([&](QTextDocument *Doc) { return Doc->findBlockByNumber(Index).text(); });
    }
    TObject *Objects(int) const override { return nullptr; }
    void SetObjects(int, TObject *) override {}
    void SetStrings(int Index, const String &S) override
    {
        CheckLineIndex(Index, Count());
        Edit([&](QTextDocument *Doc) {
            QTextCursor cursor(Doc->findBlockByNumber(Index));
            cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
            cursor.insertText(S);
        });
    }
    void Insert(int Index, const String &S) override
    {
        const int count = Count();
        if (Index < 0 || Index > count)
            throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
        Edit([&](QTextDocument *Doc) {
            if (count == 0) {
                QTextCursor(Doc).insertText(S);
            } else if (Index == count) {
                QTextCursor cursor(Doc);
                cursor.movePosition(QTextCursor::End);
                cursor.insertText(QStringLiteral("\n") + S);
            } else {
                QTextCursor(Doc->findBlockByNumber(Index)).insertText(S + QStringLiteral("\n"));
            }
        });
    }
    void Delete(int Index) override
    {
        const int count = Count();
        CheckLineIndex(Index, count);
        Edit([&](QTextDocument *Doc) {
            QTextCursor cursor(Doc->findBlockByNumber(Index));
            if (Index + 1 < count) {
                cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
            } else {
                if (Index > 0)
                    cursor.movePosition(QTextCursor::PreviousCharacter); // the line break before it
                cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
            }
            cursor.removeSelectedText();
        });
    }
    void Clear() override { FMemo->SetText(String()); }

private:
    TCustomMemo *FMemo;
};

// TCustomEdit

TCustomEdit::TCustomEdit(TComponent *AOwner) : TWinControl(AOwner)
{
    SetBounds(Left(), Top(), 121, 21);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
}

TCustomEdit::~TCustomEdit()
{
    Destroying();
    FSignals.Release();
    DestroyHandle();
}

QWidget *TCustomEdit::Editor() const
{
    return const_cast<TCustomEdit *>(this)->Handle();
}

QWidget *TCustomEdit::CreateWindowHandle(QWidget *ParentWidget)
{
    auto *edit = new QLineEdit(ParentWidget);
    QObject *context = FSignals.Bind(edit);
    QObject::connect(edit, &QLineEdit::textChanged, context, [this] { WidgetTextChanged(); });
    return edit;
}

void TCustomEdit::CreateWnd()
{
    QWidget *editor = Editor();
    if (auto *frame = qobject_cast<QFrame *>(editor))
        ApplyNativeBorder(frame, BorderWidth(), FBorderStyle == bsSingle);
    else
        editor->setContentsMargins(BorderWidth(), BorderWidth(), BorderWidth(), BorderWidth());
    if (auto *line = qobject_cast<QLineEdit *>(editor))
        line->setFrame(FBorderStyle == bsSingle && BorderWidth() == 0);
    ApplyNativeColor(editor, Color());
    editor->setFont(Font()->QtFont());
    ApplyOptions();
    FSettingWidget = true;
    SetWidgetText(Text());
    FSettingWidget = false;
    TWinControl::CreateWnd();
}

void TCustomEdit::DestroyWnd()
{
    FSignals.Release();
    TWinControl::DestroyWnd();
}

void TCustomEdit::ApplyOptions()
{
    if (!HandleAllocated())
        return;
    QWidget *editor = Editor();
    if (auto *line = qobject_cast<QLineEdit *>(editor)) {
        line->setReadOnly(FReadOnly);
        line->setMaxLength(FMaxLength > 0 ? FMaxLength : 32767);
    } else if (auto *memo = qobject_cast<QPlainTextEdit *>(editor)) {
        memo->setReadOnly(FReadOnly);
    }
}

void TCustomEdit::SetReadOnly(bool Value)
{
    FReadOnly = Value;
    ApplyOptions();
}

void TCustomEdit::SetMaxLength(int Value)
{
    FMaxLength = std::max(Value, 0);
    ApplyOptions();
}

void TCustomEdit::SetBorderStyle(TBorderStyle Value)
{
    FBorderStyle = Value;
    if (HandleAllocated()) {
        if (auto *line = qobject_cast<QLineEdit *>(Editor()))
            line->setFrame(FBorderStyle == bsSingle && BorderWidth() == 0);
        else if (auto *frame = qobject_cast<QFrame *>(Editor()))
            ApplyNativeBorder(frame, BorderWidth(), FBorderStyle == bsSingle);
    }
}

void TCustomEdit::SetText(const String &Value)
{
    Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(&Value));
}

String TCustomEdit::WidgetText() const
{
    return static_cast<QLineEdit *>(Editor())->text();
}

void TCustomEdit::SetWidgetText(const String &Value)
{
    static_cast<QLineEdit *>(Editor())->setText(Value);
}

void TCustomEdit::CMTextChanged(TMessage &Message)
{
    if (HandleAllocated() && !FSettingWidget && WidgetText() != Text()) {
        FSettingWidget = true;
        SetWidgetText(Text());
        FSettingWidget = false;
        Change();
    }
    TWinControl::CMTextChanged(Message);
}

void TCustomEdit::WidgetTextChanged()
{
    if (FSettingWidget)
        return;
    FSettingWidget = true;
    CallGuarded(this, [&] {
        TWinControl::SetText(WidgetText());
        FModified = true;
    });
    FSettingWidget = false;
    CallGuarded(this, [&] { Change(); });
}

void TCustomEdit::Change()
{
    if (OnChange)
        OnChange(this);
}

void TCustomEdit::CMColorChanged(TMessage &Message)
{
    if (HandleAllocated())
        ApplyNativeColor(Editor(), Color());
    TWinControl::CMColorChanged(Message);
}

void TCustomEdit::DefaultHandler(TMessage &Message)
{
    QWidget *editor = HandleAllocated() ? Editor() : nullptr;
    auto *line = qobject_cast<QLineEdit *>(editor);
    auto *memo = qobject_cast<QPlainTextEdit *>(editor);
    switch (Message.Msg) {
    case WM_CUT:
        if (line)
            line->cut();
        else if (memo)
            memo->cut();
        return;
    case WM_COPY:
        if (line)
            line->copy();
        else if (memo)
            memo->copy();
        return;
    case WM_PASTE:
        if (line)
            line->paste();
        else if (memo)
            memo->paste();
        return;
    case WM_CLEAR:
        if (line)
            line->del();
        else if (memo)
            memo->textCursor().removeSelectedText();
        return;
    case WM_UNDO:
        if (line)
            line->undo();
        else if (memo)
            memo->undo();
        Message.Result = 1;
        return;
    default:
        if (!NativeDefaultHandler(this, FBorderStyle == bsSingle, Message))
            TWinControl::DefaultHandler(Message);
        return;
    }
}

int TCustomEdit::SelStart() const
{
    if (auto *line = qobject_cast<QLineEdit *>(Editor()))
        return line->hasSelectedText() ? line->selectionStart() : line->cursorPosition();
    return static_cast<QPlainTextEdit *>(Editor())->textCursor().selectionStart();
}

void TCustomEdit::SetSelStart(int Value)
{
    if (auto *line = qobject_cast<QLineEdit *>(Editor())) {
        line->setCursorPosition(Value);
        return;
    }
    auto *memo = static_cast<QPlainTextEdit *>(Editor());
    QTextCursor cursor = memo->textCursor();
    cursor.setPosition(std::clamp(Value, 0, memo->document()->characterCount() - 1));
    memo->setTextCursor(cursor);
}

int TCustomEdit::SelLength() const
{
    if (auto *line = qobject_cast<QLineEdit *>(Editor()))
        return static_cast<int>(line->selectedText().size());
    const QTextCursor cursor = static_cast<QPlainTextEdit *>(Editor())->textCursor();
    return cursor.selectionEnd() - cursor.selectionStart();
}

void TCustomEdit::SetSelLength(int Value)
{
    const int start = SelStart();
    if (auto *line = qobject_cast<QLineEdit *>(Editor())) {
        line->setSelection(start, Value);
        return;
    }
    auto *memo = static_cast<QPlainTextEdit *>(Editor());
    QTextCursor cursor = memo->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(std::clamp(start + Value, 0, memo->document()->characterCount() - 1), QTextCursor::KeepAnchor);
    memo->setTextCursor(cursor);
}

String TCustomEdit::SelText() const
{
    if (auto *line = qobject_cast<QLineEdit *>(Editor()))
        return line->selectedText();
    return static_cast<QPlainTextEdit *>(Editor())->textCursor().selectedText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}

void TCustomEdit::SetSelText(const String &Value)
{
    if (auto *line = qobject_cast<QLineEdit *>(Editor()))
        line->insert(Value);
    else
        static_cast<QPlainTextEdit *>(Editor())->insertPlainText(Value);
}

void TCustomEdit::SelectAll()
{
    if (auto *line = qobject_cast<QLineEdit *>(Editor()))
        line->selectAll();
    else
        static_cast<QPlainTextEdit *>(Editor())->selectAll();
}

bool TCustomEdit::CanUndo() const
{
    if (auto *line = qobject_cast<QLineEdit *>(Editor()))
        return line->isUndoAvailable();
    return static_cast<QPlainTextEdit *>(Editor())->document()->isUndoAvailable();
}

void TCustomEdit::ClearUndo()
{
    if (auto *memo = qobject_cast<QPlainTextEdit *>(Editor())) {
        memo->document()->clearUndoRedoStacks();
        return;
    }
    // A line edit forgets its undo history when its text is set.
    auto *line = static_cast<QLineEdit *>(Editor());
    const int position = line->cursorPosition();
    FSettingWidget = true;
    line->setText(line->text());
    FSettingWidget = false;
    line->setCursorPosition(position);
}

// TCustomMemo

TCustomMemo::TCustomMemo(TComponent *AOwner) : TCustomEdit(AOwner), FLines(std::make_unique<TMemoStrings>(this))
{
    SetBounds(Left(), Top(), 185, 89);
}

TCustomMemo::~TCustomMemo()
{
    Destroying();
    FSignals.Release();
    DestroyHandle();
}

QPlainTextEdit *TCustomMemo::Memo() const
{
    return static_cast<QPlainTextEdit *>(Editor());
}

QWidget *TCustomMemo::CreateWindowHandle(QWidget *ParentWidget)
{
    auto *memo = new QPlainTextEdit(ParentWidget);
    QObject *context = FSignals.Bind(memo);
    QObject::connect(memo, &QPlainTextEdit::textChanged, context, [this] { WidgetTextChanged(); });
    return memo;
}

void TCustomMemo::CreateWnd()
{
    HookWidget(Memo()->viewport());
    ApplyScrolling();
    TCustomEdit::CreateWnd();
}

String TCustomMemo::WidgetText() const
{
    return Memo()->toPlainText();
}

void TCustomMemo::SetWidgetText(const String &Value)
{
    Memo()->setPlainText(Value);
}

void TCustomMemo::ApplyScrolling()
{
    if (!HandleAllocated())
        return;
    QPlainTextEdit *memo = Memo();
    // A memo's scroll bars stay shown, disabled while there is nothing to scroll.
    const bool vertical = FScrollBars == ssVertical || FScrollBars == ssBoth;
    const bool horizontal = FScrollBars == ssHorizontal || FScrollBars == ssBoth;
    memo->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    memo->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    // Lines wrap unless a horizontal scroll bar lets them run on.
    memo->setLineWrapMode(FWordWrap && !horizontal ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    memo->setTabChangesFocus(!FWantTabs);
}

void TCustomMemo::SetScrollBars(TScrollStyle Value)
{
    FScrollBars = Value;
    ApplyScrolling();
}

void TCustomMemo::SetWordWrap(bool Value)
{
    FWordWrap = Value;
    ApplyScrolling();
}

void TCustomMemo::SetWantTabs(bool Value)
{
    FWantTabs = Value;
    ApplyScrolling();
}

void TCustomMemo::CMWantSpecialKey(TMessage &Message)
{
    if ((Message.WParam == VK_RETURN && FWantReturns) || (Message.WParam == VK_TAB && FWantTabs)) {
        Message.Result = 1;
        return;
    }
    TCustomEdit::CMWantSpecialKey(Message);
}
