#include "SwfTextInput.h"

#include "SwfTextField.h"

#include <algorithm>

namespace swf {

namespace {

enum Key { Backspace = 8, Enter = 13, End = 35, Home = 36, Left = 37, Right = 39, Delete = 46 };

// The character to type for `c` under the field's restrict: `c`, or it in
// the other case when only that is allowed; a null character for none.
QChar allowed(const TextField &field, QChar c)
{
    if (!field.restrict || restrictAllows(*field.restrict, c))
        return c;
    for (QChar other : {c.toUpper(), c.toLower()})
        if (other != c && restrictAllows(*field.restrict, other))
            return other;
    return QChar();
}

bool replaceSelection(TextField &field, const QString &text)
{
    int begin = std::min(field.selectionBegin(), field.selectionEnd());
    int end = std::max(field.selectionBegin(), field.selectionEnd());
    if (text.isEmpty() && begin == end)
        return false;
    if (field.maxChars > 0 && field.length() - (end - begin) + text.size() > field.maxChars)
        return false;
    field.replaceText(begin, end, text);
    int caret = begin + int(text.size());
    field.setSelection(caret, caret);
    return true;
}

}

bool typeIntoField(TextField &field, int code, QChar typed)
{
    int begin = std::min(field.selectionBegin(), field.selectionEnd());
    int end = std::max(field.selectionBegin(), field.selectionEnd());
    switch (code) {
    case Left:
        begin = begin == end ? std::max(0, begin - 1) : begin;
        field.setSelection(begin, begin);
        return false;
    case Right:
        end = begin == end ? std::min(field.length(), end + 1) : end;
        field.setSelection(end, end);
        return false;
    case Home:
        field.setSelection(0, 0);
        return false;
    case End:
        field.setSelection(field.length(), field.length());
        return false;
    default:
        break;
    }
    if (!field.editable)
        return false;
    switch (code) {
    case Backspace:
        if (begin == end && begin > 0)
            field.setSelection(begin - 1, end);
        return replaceSelection(field, QString());
    case Delete:
        if (begin == end && end < field.length())
            field.setSelection(begin, end + 1);
        return replaceSelection(field, QString());
    case Enter:
        return field.multiline && replaceSelection(field, QStringLiteral("\r"));
    default:
        break;
    }
    if (typed.isNull() || typed.unicode() < 32 || typed.unicode() == 127)
        return false;
    QChar c = allowed(field, typed);
    return !c.isNull() && replaceSelection(field, QString(c));
}

bool insertIntoField(TextField &field, const QString &text)
{
    if (!field.editable)
        return false;
    int begin = std::min(field.selectionBegin(), field.selectionEnd());
    int end = std::max(field.selectionBegin(), field.selectionEnd());
    qsizetype room = field.maxChars > 0 ? std::max(0, field.maxChars - (field.length() - (end - begin))) : text.size();
    QString kept;
    for (qsizetype i = 0; i < text.size() && kept.size() < room; ++i) {
        QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            // Characters beyond the first plane pass only without restrict.
            if (!field.restrict && kept.size() + 2 <= room)
                kept += text.mid(i, 2);
            ++i;
            continue;
        }
        if (c.unicode() < 32 || c.unicode() == 127 || c.isSurrogate())
            continue;
        if (QChar a = allowed(field, c); !a.isNull())
            kept += a;
    }
    return replaceSelection(field, kept);
}

QString selectedText(const TextField &field)
{
    if (field.password())
        return QString();
    return field.text().mid(field.selectionBegin(), field.selectionEnd() - field.selectionBegin());
}

bool restrictAllows(const QString &restrict, QChar c)
{
    bool including = true;
    bool result = restrict.startsWith(QLatin1Char('^'));
    for (qsizetype i = 0; i < restrict.size(); ++i) {
        QChar from = restrict[i];
        if (from == QLatin1Char('^')) {
            including = !including;
            continue;
        }
        if (from == QLatin1Char('\\') && i + 1 < restrict.size())
            from = restrict[++i];
        QChar to = from;
        if (i + 2 < restrict.size() && restrict[i + 1] == QLatin1Char('-')) {
            to = restrict[i + 2];
            if (to == QLatin1Char('\\') && i + 3 < restrict.size())
                to = restrict[++i + 2];
            i += 2;
        }
        if (c >= from && c <= to)
            result = including;
    }
    return result;
}

}
