// The reader against real movies of the reference corpus (skipped without
// it): every definition of the picture movies is read with its styles in
// step, and the filters a movie places are read as its own trace output
// reports them.
#include "SwfCorpus.h"
#include "SwfTestUtil.h"
#include "swf/SwfCharacter.h"
#include "swf/SwfShape.h"
#include "swf/SwfTimeline.h"

#include <QRegularExpression>
#include <gtest/gtest.h>
#include <cmath>
#include <map>
#include <numbers>

namespace {

bool isDefinition(int code)
{
    static const int codes[] = {2, 22, 32, 83, 46, 84, 10, 48, 75, 11, 33, 37, 7, 34, 39, 6, 21, 35, 90, 20, 36};
    return std::find(std::begin(codes), std::end(codes), code) != std::end(codes);
}

int shapeVersion(int code)
{
    return code == 2 ? 1 : code == 22 ? 2 : code == 32 ? 3 : code == 83 ? 4 : 0;
}

std::shared_ptr<swf::Movie> load(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return swftest::load(file.readAll());
}

// What a filter's trace line says: "key=value, key=[a,b], ...".
std::map<QString, QString> traceFields(const QString &line)
{
    std::map<QString, QString> fields;
    static const QRegularExpression field(QStringLiteral("(\\w+)=(\\[[^\\]]*\\]|[^,]*)"));
    for (auto it = field.globalMatch(line); it.hasNext();) {
        auto m = it.next();
        fields[m.captured(1)] = m.captured(2);
    }
    fields.erase(QStringLiteral("clone"));
    return fields;
}

QString number(double v)
{
    return QString::number(v, 'g', 10);
}

QString list(const std::vector<double> &values)
{
    QStringList parts;
    for (double v : values)
        parts << number(v);
    return QLatin1Char('[') + parts.join(QLatin1Char(',')) + QLatin1Char(']');
}

QString rgb(const QColor &c)
{
    return number(c.rgb() & 0xFFFFFF);
}

QString boolean(bool b)
{
    return b ? QStringLiteral("true") : QStringLiteral("false");
}

// The same fields as the player reports them for a filter read from a movie.
std::map<QString, QString> fieldsOf(const swf::Filter &f)
{
    std::map<QString, QString> d;
    auto blur = [&] {
        d["blurX"] = number(f.blurX);
        d["blurY"] = number(f.blurY);
        d["quality"] = number(f.passes);
    };
    auto offset = [&] {
        d["distance"] = number(f.distance);
        d["angle"] = number(f.angle * 180 / std::numbers::pi);
        d["strength"] = number(f.strength);
        d["knockout"] = boolean(f.knockout);
    };
    auto type = [&] { d["type"] = f.onTop ? "full" : f.inner ? "inner" : "outer"; };
    switch (f.kind) {
    case swf::Filter::DropShadow:
        blur();
        offset();
        d["color"] = rgb(f.color);
        d["alpha"] = number(f.color.alphaF());
        d["inner"] = boolean(f.inner);
        d["hideObject"] = boolean(!f.compositeSource);
        break;
    case swf::Filter::Blur:
        blur();
        break;
    case swf::Filter::Glow:
        blur();
        d["strength"] = number(f.strength);
        d["knockout"] = boolean(f.knockout);
        d["color"] = rgb(f.color);
        d["alpha"] = number(f.color.alphaF());
        d["inner"] = boolean(f.inner);
        break;
    case swf::Filter::Bevel:
        blur();
        offset();
        type();
        d["highlightColor"] = rgb(f.highlight);
        d["highlightAlpha"] = number(f.highlight.alphaF());
        d["shadowColor"] = rgb(f.color);
        d["shadowAlpha"] = number(f.color.alphaF());
        break;
    case swf::Filter::GradientGlow:
    case swf::Filter::GradientBevel: {
        blur();
        offset();
        type();
        std::vector<double> colors, alphas, ratios;
        for (const auto &[ratio, color] : f.gradient) {
            colors.push_back(color.rgb() & 0xFFFFFF);
            alphas.push_back(color.alphaF());
            ratios.push_back(ratio);
        }
        d["colors"] = list(colors);
        d["alphas"] = list(alphas);
        d["ratios"] = list(ratios);
        break;
    }
    case swf::Filter::Convolution:
        d["matrixX"] = number(f.columns);
        d["matrixY"] = number(f.rows);
        d["matrix"] = list(std::vector<double>(f.matrix.begin(), f.matrix.end()));
        d["divisor"] = number(f.divisor);
        d["bias"] = number(f.bias);
        d["preserveAlpha"] = boolean(f.preserveAlpha);
        d["clamp"] = boolean(f.clamp);
        d["color"] = rgb(f.defaultColor);
        d["alpha"] = number(f.defaultColor.alphaF());
        break;
    case swf::Filter::ColorMatrix:
        d["matrix"] = list(std::vector<double>(f.colorMatrix.begin(), f.colorMatrix.end()));
        break;
    case swf::Filter::Displacement:
        break; // made by scripts only: no filter record holds one
    }
    return d;
}

// Numbers as the player prints them (15 digits) rounded to ours (10).
QString rounded(const QString &value)
{
    static const QRegularExpression numberPattern(QStringLiteral("-?\\d+(\\.\\d+)?(e[-+]?\\d+)?"));
    QString out;
    qsizetype done = 0;
    for (auto it = numberPattern.globalMatch(value); it.hasNext();) {
        auto m = it.next();
        out += value.mid(done, m.capturedStart() - done) + number(m.captured(0).toDouble());
        done = m.capturedEnd();
    }
    return out + value.mid(done);
}

}

TEST(SwfCorpusRecords, EveryDefinitionOfThePictureMoviesIsReadWithStylesInStep)
{
    QStringList movies = swfcorpus::movies(QStringLiteral("image"));
    if (movies.isEmpty())
        GTEST_SKIP() << "no reference corpus beside the repository";
    int definitions = 0;
    for (const QString &path : movies) {
        SCOPED_TRACE(path.toStdString());
        auto movie = load(path);
        for (const swfcorpus::Tag &tag : swfcorpus::tagsOf(path)) {
            if (!isDefinition(tag.code) || tag.body.size() < 2)
                continue;
            ++definitions;
            uint16_t id = uint16_t(uchar(tag.body[0]) | uchar(tag.body[1]) << 8);
            EXPECT_NE(movie->character(id), nullptr) << "tag " << tag.code << " defining " << id;
            if (int version = shapeVersion(tag.code)) {
                swf::BitReader in(tag.body);
                in.u16();
                swf::Shape shape = swf::readShape(in, version);
                for (const swf::ShapeLayer &layer : shape.layers)
                    for (const swf::Edge &e : layer.edges) {
                        EXPECT_LE(std::max(e.fill0, e.fill1), int(layer.fills.size()));
                        EXPECT_LE(e.line, int(layer.lines.size()));
                    }
            }
        }
    }
    EXPECT_GT(definitions, 100);
}

TEST(SwfCorpusRecords, PlacedFiltersReadAsTheMovieTracesThem)
{
    auto dir = swfcorpus::root();
    if (!dir)
        GTEST_SKIP() << "no reference corpus beside the repository";
    QString folder = dir->filePath(QStringLiteral("trace/avm1/bitmap_filters"));
    QFile output(folder + QStringLiteral("/output.txt"));
    ASSERT_TRUE(output.open(QIODevice::ReadOnly));
    QStringList lines = QString::fromUtf8(output.readAll()).split(QLatin1Char('\n'));
    auto movie = load(folder + QStringLiteral("/assets.swf"));
    int checked = 0;
    for (const swf::Frame &frame : movie->timeline().frames)
        for (const swf::FrameCommand &command : frame.commands) {
            auto *place = std::get_if<swf::PlaceCommand>(&command);
            if (!place || !place->name || !place->filters || place->filters->empty())
                continue;
            SCOPED_TRACE(place->name->toStdString());
            qsizetype at = lines.indexOf(QStringLiteral("// %1.filters[0]").arg(*place->name));
            ASSERT_GE(at, 0);
            std::map<QString, QString> traced = traceFields(lines.value(at + 1));
            std::map<QString, QString> read = fieldsOf(place->filters->front());
            for (const auto &[key, value] : traced)
                EXPECT_EQ(read[key].toStdString(), rounded(value).toStdString()) << key.toStdString();
            ++checked;
        }
    EXPECT_EQ(checked, 8);
}
