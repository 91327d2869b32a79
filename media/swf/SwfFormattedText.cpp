#include "SwfFormattedText.h"

#include <algorithm>

namespace swf {

namespace {

// Splits `runs` so that a run starts at `at`; returns that run's index.
size_t splitAt(std::vector<FormattedText::Run> &runs, int at)
{
    int start = 0;
    for (size_t i = 0; i < runs.size(); ++i) {
        if (start == at)
            return i;
        if (at < start + runs[i].length) {
            FormattedText::Run tail{start + runs[i].length - at, runs[i].format};
            runs[i].length = at - start;
            runs.insert(runs.begin() + std::ptrdiff_t(i) + 1, tail);
            return i + 1;
        }
        start += runs[i].length;
    }
    return runs.size();
}

}

const TextFormat &FormattedText::formatAt(int index) const
{
    int start = 0;
    for (const Run &run : formatRuns) {
        if (index < start + run.length)
            return run.format;
        start += run.length;
    }
    return formatRuns.empty() ? emptyFormat : formatRuns.back().format;
}

TextFormat FormattedText::formatOf(int begin, int end) const
{
    begin = std::clamp(begin, 0, size());
    end = std::clamp(end, begin, size());
    if (begin == end)
        return formatAt(begin);
    TextFormat common = formatAt(begin);
    int start = 0;
    for (const Run &run : formatRuns) {
        if (start < end && start + run.length > begin)
            common.intersect(run.format);
        start += run.length;
    }
    return common;
}

void FormattedText::setFormat(int begin, int end, const TextFormat &format)
{
    begin = std::clamp(begin, 0, size());
    end = std::clamp(end, begin, size());
    if (chars.isEmpty())
        emptyFormat.apply(format);
    // Paragraph properties go to every paragraph the range touches.
    applyTo(begin, end, format.characterPart());
    int paragraphEnd = int(chars.indexOf(QLatin1Char('\r'), std::max(begin, end - 1)));
    applyTo(paragraphStart(begin), paragraphEnd < 0 ? size() : paragraphEnd + 1, format.paragraphPart());
}

void FormattedText::applyTo(int begin, int end, const TextFormat &format)
{
    size_t first = splitAt(formatRuns, begin);
    size_t last = splitAt(formatRuns, end);
    for (size_t i = first; i < last; ++i)
        formatRuns[i].format.apply(format);
    mergeRuns();
}

void FormattedText::replace(int begin, int end, const QString &text, const TextFormat &format)
{
    begin = std::clamp(begin, 0, size());
    end = std::clamp(end, begin, size());
    QString inserted = normalizeBreaks(text);
    size_t first = splitAt(formatRuns, begin);
    size_t last = splitAt(formatRuns, end);
    formatRuns.erase(formatRuns.begin() + std::ptrdiff_t(first), formatRuns.begin() + std::ptrdiff_t(last));
    if (!inserted.isEmpty())
        formatRuns.insert(formatRuns.begin() + std::ptrdiff_t(first), Run{int(inserted.size()), format});
    chars.replace(begin, end - begin, inserted);
    if (chars.isEmpty())
        emptyFormat = format;
    mergeRuns();
}

void FormattedText::append(const QString &text, const TextFormat &format)
{
    QString added = normalizeBreaks(text);
    if (added.isEmpty())
        return;
    if (!formatRuns.empty() && formatRuns.back().format == format)
        formatRuns.back().length += int(added.size());
    else
        formatRuns.push_back({int(added.size()), format});
    chars += added;
}

void FormattedText::unifyParagraphs()
{
    std::vector<Run> unified;
    TextFormat paragraph;
    int at = 0;
    for (const Run &run : formatRuns) {
        int end = at + run.length;
        while (at < end) {
            if (at == 0 || chars[at - 1] == QLatin1Char('\r'))
                paragraph = run.format.paragraphPart();
            int pieceEnd = at;
            while (pieceEnd < end && chars[pieceEnd] != QLatin1Char('\r'))
                ++pieceEnd;
            if (pieceEnd < end)
                ++pieceEnd; // the break belongs to the paragraph it ends
            TextFormat f = run.format;
            f.apply(paragraph);
            if (!unified.empty() && unified.back().format == f)
                unified.back().length += pieceEnd - at;
            else
                unified.push_back({pieceEnd - at, std::move(f)});
            at = pieceEnd;
        }
    }
    formatRuns = std::move(unified);
}

int FormattedText::paragraphStart(int index) const
{
    index = std::clamp(index, 0, size());
    while (index > 0 && chars[index - 1] != QLatin1Char('\r'))
        --index;
    return index;
}

QString FormattedText::normalizeBreaks(const QString &text)
{
    QString out = text;
    out.replace(QLatin1Char('\n'), QLatin1Char('\r'));
    return out;
}

void FormattedText::mergeRuns()
{
    std::vector<Run> merged;
    for (Run &run : formatRuns) {
        if (run.length <= 0)
            continue;
        if (!merged.empty() && merged.back().format == run.format)
            merged.back().length += run.length;
        else
            merged.push_back(std::move(run));
    }
    formatRuns = std::move(merged);
}

}
