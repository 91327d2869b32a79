#include "Quantize.h"

#include "Paint.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <limits>
#include <vector>

namespace {

struct Sample {
    std::array<int, 3> rgb;
    int count;
};

std::array<int, 3> Channels(QRgb c) { return {qRed(c), qGreen(c), qBlue(c)}; }

// Splits the samples into boxes along their widest channel at the weighted median.
std::vector<std::vector<Sample>> MedianCut(std::vector<Sample> samples, int boxes)
{
    std::vector<std::vector<Sample>> result{std::move(samples)};
    while (int(result.size()) < boxes) {
        int best = -1, bestChannel = 0, bestRange = 0;
        for (int i = 0; i < int(result.size()); ++i) {
            if (result[i].size() < 2)
                continue;
            for (int ch = 0; ch < 3; ++ch) {
                auto [lo, hi] = std::minmax_element(result[i].begin(), result[i].end(),
                    [ch](const Sample &a, const Sample &b) { return a.rgb[ch] < b.rgb[ch]; });
                if (hi->rgb[ch] - lo->rgb[ch] > bestRange) {
                    bestRange = hi->rgb[ch] - lo->rgb[ch];
                    best = i;
                    bestChannel = ch;
                }
            }
        }
        if (best < 0)
            break;
        std::vector<Sample> &box = result[best];
        std::stable_sort(box.begin(), box.end(),
            [bestChannel](const Sample &a, const Sample &b) { return a.rgb[bestChannel] < b.rgb[bestChannel]; });
        int total = 0;
        for (const Sample &s : box)
            total += s.count;
        size_t split = 1;
        for (int seen = 0; split < box.size(); ++split) {
            seen += box[split - 1].count;
            if (seen * 2 >= total)
                break;
        }
        split = std::clamp<size_t>(split, 1, box.size() - 1);
        std::vector<Sample> upper(box.begin() + split, box.end());
        box.resize(split);
        result.push_back(std::move(upper));
    }
    return result;
}

int Distance(const std::array<int, 3> &a, const std::array<int, 3> &b)
{
    // Green weighs most for the eye, blue least.
    const int dr = a[0] - b[0], dg = a[1] - b[1], db = a[2] - b[2];
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

int Nearest(const std::vector<std::array<int, 3>> &palette, const std::array<int, 3> &c)
{
    int best = 0, bestDistance = std::numeric_limits<int>::max();
    for (int i = 0; i < int(palette.size()); ++i) {
        const int d = Distance(palette[i], c);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

} // namespace

QImage ReduceColours(const QImage &picture, int maxColours)
{
    const QImage source = picture.convertToFormat(QImage::Format_RGB32);
    const QRgb key = KeyColour.rgb();
    QHash<QRgb, int> counts;
    bool hasKey = false;
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x) {
            const QRgb c = source.pixel(x, y) | 0xFF000000;
            if (c == key)
                hasKey = true;
            else
                ++counts[c];
        }
    const int budget = maxColours - (hasKey ? 1 : 0);
    if (counts.size() <= budget)
        return source;

    std::vector<Sample> samples;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        samples.push_back({Channels(it.key()), it.value()});
    // The hash's order changes from run to run; the result must not.
    std::sort(samples.begin(), samples.end(), [](const Sample &a, const Sample &b) { return a.rgb < b.rgb; });
    std::vector<std::array<int, 3>> palette;
    for (const std::vector<Sample> &box : MedianCut(samples, budget)) {
        std::array<long, 3> sum{};
        long weight = 0;
        for (const Sample &s : box) {
            for (int ch = 0; ch < 3; ++ch)
                sum[ch] += long(s.rgb[ch]) * s.count;
            weight += s.count;
        }
        palette.push_back({int(sum[0] / weight), int(sum[1] / weight), int(sum[2] / weight)});
    }
    for (int round = 0; round < 4; ++round) {
        std::vector<std::array<long, 4>> sums(palette.size());
        for (const Sample &s : samples) {
            auto &acc = sums[Nearest(palette, s.rgb)];
            for (int ch = 0; ch < 3; ++ch)
                acc[ch] += long(s.rgb[ch]) * s.count;
            acc[3] += s.count;
        }
        for (size_t i = 0; i < palette.size(); ++i)
            if (sums[i][3] > 0)
                palette[i] = {int(sums[i][0] / sums[i][3]), int(sums[i][1] / sums[i][3]), int(sums[i][2] / sums[i][3])};
    }
    // A mean that lands on the key is nudged off it.
    for (auto &p : palette)
        if (qRgb(p[0], p[1], p[2]) == key)
            p[1] = 1;

    QImage out(source.size(), QImage::Format_RGB32);
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x) {
            const QRgb c = source.pixel(x, y) | 0xFF000000;
            if (c == key) {
                out.setPixel(x, y, key);
                continue;
            }
            const auto &p = palette[Nearest(palette, Channels(c))];
            out.setPixel(x, y, qRgb(p[0], p[1], p[2]));
        }
    return out;
}
