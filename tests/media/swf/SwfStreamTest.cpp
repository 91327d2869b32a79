// The container: signatures, compression, lying lengths and truncation.
#include "SwfWriter.h"
#include "swf/SwfMovie.h"
#include "swf/SwfStream.h"

#include <gtest/gtest.h>
#include <memory>

using swf::Movie;
using swf::SwfStream;
using swfmake::MovieWriter;

namespace {

// A movie of `frames` frames, each placing a red square one pixel further.
MovieWriter squares(int frames)
{
    MovieWriter m(100, 80, 24, 8);
    swfmake::ShapeBuilder s;
    s.setStyles(0, s.addFill(swfmake::Fill::solid(Qt::red)), 0);
    s.rect(0, 0, 200, 200);
    m.defineShape(1, s);
    for (int f = 0; f < frames; ++f) {
        swfmake::Place p{1, f > 0, {}, QTransform::fromTranslate(f * 20, 0), {}, {}, {}, {}};
        if (f == 0)
            p.character = 1;
        m.place(p);
        m.showFrame();
    }
    return m;
}

std::unique_ptr<Movie> loaded(const QByteArray &bytes)
{
    auto movie = std::make_unique<Movie>();
    movie->append(bytes);
    movie->finish();
    return movie;
}

QByteArray withLength(QByteArray bytes, uint32_t length)
{
    for (int i = 0; i < 4; ++i)
        bytes[4 + i] = char(length >> (8 * i));
    return bytes;
}

}

class SwfCompression : public ::testing::TestWithParam<char> {};

TEST_P(SwfCompression, ReadsHeaderAndAllFrames)
{
    QByteArray bytes = squares(5).finish(GetParam());
    auto movie = loaded(bytes);
    ASSERT_FALSE(movie->failed()) << movie->error().toStdString();
    EXPECT_EQ(movie->compression(), GetParam());
    EXPECT_EQ(movie->version(), 8);
    EXPECT_EQ(movie->frameSize(), QRectF(0, 0, 2000, 1600));
    EXPECT_DOUBLE_EQ(movie->frameRate(), 24);
    EXPECT_EQ(movie->declaredFrameCount(), 5);
    EXPECT_EQ(movie->framesLoaded(), 5);
    EXPECT_TRUE(movie->finished());
}

TEST_P(SwfCompression, ByteByByteFeedingGivesTheSameFrames)
{
    QByteArray bytes = squares(7).finish(GetParam());
    Movie movie;
    int framesSeen = 0;
    for (char c : bytes) {
        movie.append(QByteArray(1, c));
        EXPECT_GE(movie.framesLoaded(), framesSeen); // frames only ever grow
        framesSeen = movie.framesLoaded();
    }
    movie.finish();
    EXPECT_FALSE(movie.failed());
    EXPECT_EQ(movie.framesLoaded(), 7);
}

TEST_P(SwfCompression, TruncatedFilePlaysItsCompleteFrames)
{
    QByteArray bytes = squares(300).finish(GetParam());
    auto movie = loaded(bytes.left(bytes.size() * 6 / 10));
    EXPECT_FALSE(movie->failed());
    EXPECT_GT(movie->framesLoaded(), 0);
    EXPECT_LT(movie->framesLoaded(), 300);
    EXPECT_TRUE(movie->finished());
}

INSTANTIATE_TEST_SUITE_P(Container, SwfCompression, ::testing::Values('F', 'C', 'Z'));

TEST(SwfContainer, RejectsWhatIsNotAMovie)
{
    struct Row {
        QByteArray bytes;
        const char *error;
    };
    const Row rows[] = {
        {QByteArray("GIF89a\x01\x00\x01\x00\x00\x00", 12), "Not a Flash movie"},
        {QByteArray("FWS\x08\x04\x00\x00\x00\x00\x00\x00\x00", 12), "The movie's length is too short"},
        {QByteArray("FWS"), "The movie is empty or not a Flash movie"},
        {QByteArray(), "The movie is empty or not a Flash movie"},
    };
    for (const Row &row : rows) {
        auto movie = loaded(row.bytes);
        EXPECT_TRUE(movie->failed());
        EXPECT_EQ(movie->error().toStdString(), row.error);
        EXPECT_EQ(movie->framesLoaded(), 0);
    }
}

TEST(SwfContainer, HugeDeclaredLengthIsRefusedBeforeAllocating)
{
    for (char c : {'F', 'C', 'Z'}) {
        QByteArray bytes = withLength(squares(2).finish(c), 0xFFFFFFF0u);
        auto movie = loaded(bytes);
        EXPECT_TRUE(movie->failed()) << c;
        EXPECT_TRUE(movie->error().startsWith("The movie is too large")) << movie->error().toStdString();
    }
}

TEST(SwfContainer, DeclaredLengthLongerThanTheDataIsATruncatedMovie)
{
    QByteArray bytes = squares(4).finish('C');
    auto movie = loaded(withLength(bytes, 1u << 20));
    EXPECT_FALSE(movie->failed());
    EXPECT_EQ(movie->framesLoaded(), 4);
}

TEST(SwfContainer, DeclaredLengthShorterThanTheDataCutsTheMovie)
{
    MovieWriter m = squares(4);
    QByteArray full = m.finish('F');
    QByteArray bytes = withLength(full, uint32_t(full.size() / 2));
    auto movie = loaded(bytes);
    EXPECT_FALSE(movie->failed());
    EXPECT_EQ(movie->bodyBytes(), size_t(full.size() / 2 - 8));
    EXPECT_LT(movie->framesLoaded(), 4);
}

TEST(SwfContainer, TagLongerThanTheMovieStopsReadingKeepingEarlierFrames)
{
    MovieWriter m = squares(2);
    m.tag(2, QByteArray(100, '\0'));
    QByteArray bytes = m.finish('F');
    // Make the last tag's long header claim 1 GB.
    int at = bytes.size() - 2 - 100 - 4;
    bytes[at] = char(0xFF);
    bytes[at + 1] = char(0x00);
    bytes[at + 2] = char(0x00);
    bytes[at + 3] = char(0x40);
    auto movie = loaded(bytes);
    EXPECT_FALSE(movie->failed());
    EXPECT_EQ(movie->framesLoaded(), 2);
    EXPECT_TRUE(movie->finished());
}

TEST(SwfContainer, CorruptCompressedDataIsAnError)
{
    QByteArray bytes = squares(3).finish('C');
    for (int i = 10; i < bytes.size(); ++i)
        bytes[i] = char(0xA5 ^ i);
    auto movie = loaded(bytes);
    EXPECT_TRUE(movie->failed());
    EXPECT_EQ(movie->framesLoaded(), 0);
}

TEST(SwfContainer, LzmaDictionaryTooLargeIsRefused)
{
    QByteArray bytes = squares(3).finish('Z');
    // Dictionary size in the LZMA properties: 3 GB.
    bytes[13] = char(0x00);
    bytes[14] = char(0x00);
    bytes[15] = char(0x00);
    bytes[16] = char(0xC0);
    auto movie = loaded(bytes);
    EXPECT_TRUE(movie->failed());
    EXPECT_EQ(movie->framesLoaded(), 0);
}

TEST(SwfContainer, ZeroFrameRateAndEmptyStageGetUsableValues)
{
    QByteArray bytes = squares(1).finish('F');
    // RECT with 1-bit fields: all zero; then rate 0.0 and count 1. The
    // written RECT of 2000 x 1600 twips takes 7 bytes.
    QByteArray body = QByteArray("\x08\x00", 2) + QByteArray("\x00\x00\x01\x00", 4) + bytes.mid(8 + 7 + 4);
    QByteArray head = QByteArray("FWS\x08", 4);
    QByteArray movieBytes = head + QByteArray(4, '\0') + body;
    movieBytes = withLength(movieBytes, uint32_t(movieBytes.size()));
    auto movie = loaded(movieBytes);
    ASSERT_FALSE(movie->failed()) << movie->error().toStdString();
    EXPECT_GT(movie->frameRate(), 0);
    EXPECT_GT(movie->frameSize().width(), 0);
    EXPECT_EQ(movie->framesLoaded(), 1);
}
