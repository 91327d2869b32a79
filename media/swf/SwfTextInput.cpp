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
