#include "LessonMovie.h"

#include "Art.h"
#include "EmbeddedFont.h"
#include "PathShape.h"
#include "SwfWriter.h"

#include <optional>

#include <QFont>
#include <cmath>
#include <map>

using namespace swfmake;

namespace {

constexpr int Tw = 20; // twips per pixel
constexpr int StageWidth = 550, StageHeight = 400, Ground = 335;
constexpr int EntranceFrames = 24;
constexpr int ButtonWidth = 120, ButtonHeight = 34;

// Depths on the stage.
enum Depth { Background = 1, Sun = 2, Title = 3, English = 10, Chinese = 11, Bubble = 12, Things = 20, Again = 60, Next = 61 };

QTransform At(double X, double Y, double Scale = 1, double ScaleY = 0)
{
    return QTransform(Scale * 1.0, 0, 0, ScaleY ? ScaleY : Scale, X * Tw, Y * Tw);
}

// Smooth start and end.
double Ease(double T)
{
    T = qBound(0.0, T, 1.0);
    return T * T * (3 - 2 * T);
}

// One thing on the stage in one frame.
struct Pose {
    int Shape;
    QTransform Where;
};

class Writer {
public:
    Writer(const Lesson &L, const std::vector<Pcm> &Voices)
        : FLesson(L), FMovie(StageWidth, StageHeight, FrameRate), FEnglish(QStringLiteral("DejaVu Sans"), 1),
          FChinese(QStringLiteral("WenQuanYi Zen Hei"), 2), FStarts(PageStarts(L, Voices)), FStream(Stream(Voices))
    {
    }
    // False when a font the texts need is not installed.
    bool FontsInstalled() const { return FEnglish.Valid() && FChinese.Valid(); }

    QByteArray Write();

private:
    int Id() { return FNext++; }
    int Shape(const Picture &Picture);
    int ThingShape(Prop Thing, const QColor &Colour);
    void Stage();
    void Buttons();
    // The voices one after another, each from the start of its page.
    std::optional<StreamData> Stream(const std::vector<Pcm> &Voices) const;
    std::vector<std::vector<Pose>> Frames(const Scene &Show, int Count);
    void Page(size_t Index, size_t &Placed);

    const Lesson &FLesson;
    MovieWriter FMovie;
    EmbeddedFont FEnglish, FChinese;
    int FNext = 10;
    std::map<std::pair<int, QRgb>, int> FThingShapes;
    std::vector<int> FAgain, FNextPage;       // button ids per page
    std::vector<std::pair<int, int>> FTexts; // English and Chinese text ids per page
    int FBubble[2] = {0, 0};                 // speech bubbles, tail left and right
    EmbeddedFont::Placed FLabels[2];         // the buttons' captions
    std::vector<int> FStarts;                // each page's first frame, then the end
    std::optional<StreamData> FStream;       // the voices
};

int Writer::Shape(const Picture &Picture)
{
    ShapeBuilder shape;
    for (const Piece &piece : Picture)
        addFilledLayer(shape, piece.Path, QTransform::fromScale(Tw, Tw), piece.Colour);
    const int id = Id();
    FMovie.defineShape(id, shape, 3);
    return id;
}

int Writer::ThingShape(Prop Thing, const QColor &Colour)
{
    const std::pair<int, QRgb> key{int(Thing), Colour.isValid() ? Colour.rgba() : 0};
    auto known = FThingShapes.find(key);
    if (known == FThingShapes.end())
        known = FThingShapes.emplace(key, Shape(Draw(Thing, Colour))).first;
    return known->second;
}

// Sky, meadow, a turning sun and the title.
void Writer::Stage()
{
    ShapeBuilder back;
    const int sky = back.addFill(Fill::linear({0, 0}, {0, Ground * Tw}, {{0, QColor(120, 190, 250)}, {255, QColor(215, 240, 255)}}));
    back.setStyles(0, sky, 0);
    back.rect(0, 0, StageWidth * Tw, Ground * Tw);
    back.newStyles();
    const int grass = back.addFill(Fill::linear({0, Ground * Tw}, {0, StageHeight * Tw}, {{0, QColor(120, 200, 90)}, {255, QColor(70, 160, 60)}}));
    back.setStyles(0, grass, 0);
    back.rect(0, Ground * Tw, StageWidth * Tw, (StageHeight - Ground) * Tw);
    const int backId = Id();
    FMovie.defineShape(backId, back, 3);

    QPainterPath rays;
    for (int i = 0; i < 12; ++i) {
        QPainterPath ray;
        ray.addRect(-3, -46, 6, 14);
        rays.addPath(QTransform().rotate(i * 30).map(ray));
    }
    QPainterPath disc;
    disc.addEllipse(QPointF(0, 0), 26, 26);
    const int sunId = Shape({{rays, QColor(255, 200, 40)}, {disc, QColor(255, 215, 60)}});
    TagWriter turning;
    for (int f = 0; f < 24; ++f) {
        Place p{1, f > 0, {}, QTransform().rotate(f * 30.0 / 24), {}, {}, {}, {}};
        if (f == 0)
            p.character = sunId;
        turning.place(p);
        turning.showFrame();
    }
    const int spriteId = Id();
    FMovie.defineSprite(spriteId, turning);

    FMovie.place({Background, false, backId, QTransform(), {}, {}, {}, {}});
    FMovie.place({Sun, false, spriteId, At(505, 150), {}, {}, {}, {}});
}

// The two buttons of every page: faces shared, actions per page.
void Writer::Buttons()
{
    const QColor colours[2] = {QColor(250, 160, 40), QColor(60, 170, 90)};
    for (int which = 0; which < 2; ++which) {
        const int up = Shape(ButtonFace(ButtonWidth, ButtonHeight, colours[which]));
        const int over = Shape(ButtonFace(ButtonWidth, ButtonHeight, colours[which].lighter(115)));
        const int down = Shape(ButtonFace(ButtonWidth, ButtonHeight, colours[which].darker(115)));
        const EmbeddedFont::Placed &label = FLabels[which];
        const int text = Id();
        FMovie.defineText(text, label.Bounds, {label.Run}, true);
        const size_t pages = FLesson.Pages.size();
        for (size_t page = 0; page < pages; ++page) {
            const size_t target = which == 0 ? page : (page + 1) % pages;
            const int id = Id();
            FMovie.defineButton2(id,
                                 {{0x01, up, 1, QTransform()},
                                  {0x02, over, 1, QTransform()},
                                  {0x04, down, 1, QTransform()},
                                  {0x08, up, 1, QTransform()},
                                  {0x01 | 0x02 | 0x04, text, 2, QTransform()}},
                                 TagWriter::gotoLabelActions(QStringLiteral("p%1").arg(target + 1), false));
            (which == 0 ? FAgain : FNextPage).push_back(id);
        }
    }
}

// Where the page's things are in each of its frames.
std::optional<StreamData> Writer::Stream(const std::vector<Pcm> &Voices) const
{
    if (Voices.size() != FLesson.Pages.size())
        return {};
    Pcm all;
    all.rate = Voices.front().rate;
    for (size_t page = 0; page < Voices.size(); ++page) {
        const size_t end = size_t(qint64(FStarts[page + 1]) * all.rate / FrameRate);
        all.samples.insert(all.samples.end(), Voices[page].samples.begin(), Voices[page].samples.end());
        all.samples.resize(end, 0);
    }
    if (std::optional<StreamData> mp3 = mp3Stream(all, FrameRate))
        return mp3;
    return pcmStream(all, FrameRate);
}

std::vector<std::vector<Pose>> Writer::Frames(const Scene &Show, int Count)
{
    std::vector<std::vector<Pose>> frames(static_cast<size_t>(Count));
    const int thing = ThingShape(Show.Thing, Show.Colour);
    for (int f = 0; f < Count; ++f) {
        const double t = Ease(f / double(EntranceFrames));
        std::vector<Pose> &poses = frames[size_t(f)];
        switch (Show.Move) {
        case Motion::WalkIn: {
            const double bob = f < EntranceFrames ? -std::abs(std::sin(f * M_PI / 4)) * 8 : 0;
            if (Show.Meets) {
                poses.push_back({ThingShape(Show.Other, {}), At(160, Ground)});
                poses.push_back({thing, At(620 - t * 240, Ground + bob)});
            } else {
                poses.push_back({thing, At(-80 + t * 355, Ground + bob)});
            }
            break;
        }
        case Motion::Fly:
            for (int i = 0; i < Show.Count; ++i) {
                const double x = -80 - i * 70 + t * (355 + i * 70 + (i - (Show.Count - 1) / 2.0) * 90);
                const double y = 250 - i % 2 * 40 + std::sin((f + i * 5) * M_PI / 9) * 20;
                poses.push_back({thing, At(x, y, Show.Count > 1 ? 0.6 : 1)});
            }
            break;
        case Motion::Bounce: {
            const double fall = qBound(0.0, f / double(EntranceFrames), 1.0);
            const double height = std::abs(std::cos(fall * 2.5 * M_PI)) * (1 - fall) * 260;
            poses.push_back({thing, At(275, Ground - height)});
            break;
        }
        case Motion::Count: {
            const int perRow = Show.Count > 5 ? (Show.Count + 1) / 2 : Show.Count;
            const double scale = Show.Count > 5 ? 0.55 : Show.Count > 1 ? 0.7 : 1.2;
            for (int i = 0; i < Show.Count; ++i) {
                const int shown = f - 3 - i * 3; // frames since this one came
                if (shown < 0)
                    break;
                const double pop = shown < 3 ? 0.4 + shown * 0.3 : shown == 3 ? 1.1 : 1.0;
                const int row = i / perRow, column = i % perRow;
                const int inRow = row == 0 ? perRow : Show.Count - perRow;
                const double x = 275 + (column - (inRow - 1) / 2.0) * 90;
                const double y = Show.Count > 5 ? 225 + row * 95 : Ground - 20;
                poses.push_back({thing, At(x, y, scale * pop)});
            }
            break;
        }
        case Motion::Talk: {
            const bool speakerLeft = Show.Thing == Prop::Boy;
            const double bob = std::abs(std::sin(f * M_PI / 5)) * 0.04;
            const int boy = ThingShape(Prop::Boy, {}), girl = ThingShape(Prop::Girl, {});
            poses.push_back({boy, At(160, Ground, 1, speakerLeft ? 1 + bob : 1)});
            poses.push_back({girl, At(390, Ground, 1, speakerLeft ? 1 : 1 + bob)});
            if (f >= 4)
                poses.push_back({FBubble[speakerLeft ? 0 : 1], At(speakerLeft ? 190 : 270, 125)});
            break;
        }
        }
    }
    return frames;
}

void Writer::Page(size_t Index, size_t &Placed)
{
    const int first = FStarts[Index], count = FStarts[Index + 1] - first;
    const std::vector<std::vector<Pose>> frames = Frames(FLesson.Pages[Index].Show, count);
    for (int f = 0; f < count; ++f) {
        if (f == 0) {
            for (size_t i = 0; i < Placed; ++i)
                FMovie.remove(Things + int(i));
            if (Index > 0)
                for (int depth : {int(English), int(Chinese), int(Again), int(Next)})
                    FMovie.remove(depth);
            FMovie.frameLabel(QStringLiteral("p%1").arg(Index + 1));
            FMovie.place({English, false, FTexts[Index].first, QTransform(), {}, {}, {}, {}});
            FMovie.place({Chinese, false, FTexts[Index].second, QTransform(), {}, {}, {}, {}});
            FMovie.place({Again, false, FAgain[Index], At(20, 357), {}, {}, {}, {}});
            FMovie.place({Next, false, FNextPage[Index], At(410, 357), {}, {}, {}, {}});
            Placed = 0;
        }
        const std::vector<Pose> &poses = frames[size_t(f)];
        const std::vector<Pose> *before = f > 0 ? &frames[size_t(f - 1)] : nullptr;
        for (size_t i = 0; i < poses.size(); ++i) {
            const bool known = i < Placed;
            if (known && before && i < before->size() && (*before)[i].Where == poses[i].Where &&
                (*before)[i].Shape == poses[i].Shape)
                continue;
            Place place{Things + int(i), known, {}, poses[i].Where, {}, {}, {}, {}};
            if (!known || (before && (*before)[i].Shape != poses[i].Shape))
                place.character = poses[i].Shape;
            FMovie.place(place);
        }
        Placed = std::max(Placed, poses.size());
        if (FStream) {
            if (first + f == 0)
                writeStreamHead(FMovie, *FStream);
            writeStreamBlock(FMovie, *FStream, first + f);
        }
        if (f == count - 1)
            FMovie.actions({ActionCode::Stop});
        FMovie.showFrame();
    }
}

QByteArray Writer::Write()
{
    // Texts are laid out first, so each font holds just the glyphs used.
    std::vector<std::pair<EmbeddedFont::Placed, EmbeddedFont::Placed>> pages;
    for (const struct Page &page : FLesson.Pages)
        pages.emplace_back(FEnglish.Centred(page.English, StageWidth * Tw / 2, 64 * Tw, (page.English.size() > 14 ? 32 : 40) * Tw,
                                            QColor(30, 60, 140)),
                           FChinese.Centred(page.Chinese, StageWidth * Tw / 2, 102 * Tw, 26 * Tw, QColor(60, 60, 60)));
    const EmbeddedFont::Placed title = FChinese.Centred(FLesson.Title, StageWidth * Tw / 2, 20 * Tw, 14 * Tw, QColor(40, 70, 120));
    const QString labels[2] = {QString::fromUtf8("再听一遍"), QString::fromUtf8("下一页")};
    for (int which = 0; which < 2; ++which)
        FLabels[which] = FChinese.Centred(labels[which], ButtonWidth * Tw / 2, (ButtonHeight / 2 + 7) * Tw, 18 * Tw, Qt::white);
    FMovie.setBackground(QColor(200, 230, 255));
    FEnglish.Define(FMovie);
    FChinese.Define(FMovie);
    for (const auto &[english, chinese] : pages) {
        const int e = Id(), c = Id();
        FMovie.defineText(e, english.Bounds, {english.Run}, true);
        FMovie.defineText(c, chinese.Bounds, {chinese.Run}, true);
        FTexts.emplace_back(e, c);
    }
    const int titleId = Id();
    FMovie.defineText(titleId, title.Bounds, {title.Run}, true);

    for (int side = 0; side < 2; ++side) {
        Picture bubble = SpeechBubble(90, 46, side == 0);
        for (int dot = 0; dot < 3; ++dot) {
            QPainterPath d;
            d.addEllipse(QPointF(27 + dot * 18, 23), 5, 5);
            bubble.push_back({d, QColor(60, 60, 60)});
        }
        FBubble[side] = Shape(bubble);
    }
    Buttons();
    Stage();
    FMovie.place({Title, false, titleId, QTransform(), {}, {}, {}, {}});
    size_t placed = 0;
    for (size_t page = 0; page < FLesson.Pages.size(); ++page)
        Page(page, placed);
    return FMovie.finish('C');
}

} // namespace

std::vector<int> PageStarts(const Lesson &Lesson, const std::vector<Pcm> &Voices)
{
    std::vector<int> starts{0};
    for (size_t page = 0; page < Lesson.Pages.size(); ++page) {
        int frames = PageFrames;
        if (page < Voices.size() && Voices[page].rate > 0) {
            const int spoken = int((qint64(Voices[page].frames()) * FrameRate + Voices[page].rate - 1) / Voices[page].rate);
            frames = std::max(frames, spoken + FrameRate / 2);
        }
        starts.push_back(starts.back() + frames);
    }
    return starts;
}

QByteArray LessonMovie(const Lesson &Lesson, const std::vector<Pcm> &Voices)
{
    Writer writer(Lesson, Voices);
    return writer.FontsInstalled() ? writer.Write() : QByteArray();
}
