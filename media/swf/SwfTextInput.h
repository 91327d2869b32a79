#pragma once
// What keys do to the focused text field: in an input field a character is
// typed over the selection (within maxChars, and only the characters
// restrict allows), Backspace and Delete remove text and Enter starts a new
// line in a multiline field; in any field the arrows, Home and End move the
// caret. Text from an input method or the clipboard goes in the same way.
#include <QChar>
#include <QString>

namespace swf {

class TextField;

// Applies the key `code` (the code scripts see) typing `typed` (a null
// character for none); true when the text changed.
bool typeIntoField(TextField &field, int code, QChar typed);
// Puts `text` (from an input method or pasted) over the selection of an
// input field: the characters restrict allows, as many as maxChars leaves
// room for, without control characters. True when the text changed.
bool insertIntoField(TextField &field, const QString &text);
// The selected text of a field, for copying; none from a password field.
QString selectedText(const TextField &field);
// Whether typing `c` is allowed by a restrict string ("A-Z0-9", "^aeiou",
// "a-z^q", "\\-" for a literal dash).
bool restrictAllows(const QString &restrict, QChar c);

}
