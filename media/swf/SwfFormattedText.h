#pragma once
// Text with a full format for every character, kept as runs of equal
// formats. Paragraphs are separated by '\r', the one line break a text
// field knows ('\n' and "\r\n" become '\r' on the way in).
#include "SwfTextFormat.h"

#include <QString>
#include <vector>

namespace swf {

class FormattedText {
public:
    struct Run {
        int length;
        TextFormat format;
    };

    const QString &text() const { return chars; }
    const std::vector<Run> &runs() const { return formatRuns; }
    int size() const { return int(chars.size()); }
    bool empty() const { return chars.isEmpty(); }

    // The format of the character at `index` (clamped to the text).
    const TextFormat &formatAt(int index) const;
    // The fields common to every character of [begin, end).
    TextFormat formatOf(int begin, int end) const;
    // Sets the fields given in `format` on [begin, end).
    void setFormat(int begin, int end, const TextFormat &format);
    // Replaces [begin, end) with `text` in `format` (a complete format).
    void replace(int begin, int end, const QString &text, const TextFormat &format);
    void append(const QString &text, const TextFormat &format);
    // Gives every character of a paragraph its first character's paragraph format.
    void unifyParagraphs();
    // Where the paragraph holding `index` begins.
    int paragraphStart(int index) const;

    // '\n' as '\r', so "\r\n" makes two breaks.
    static QString normalizeBreaks(const QString &text);

private:
    void applyTo(int begin, int end, const TextFormat &format);
    void mergeRuns();

    QString chars;
    std::vector<Run> formatRuns;
    // The format an empty text reports and types with.
    TextFormat emptyFormat = TextFormat::defaults();
};

}
