// Bitmaps: BMP files at every depth, lying files, resources, transparency
// when drawn, pictures' stored form and icons.
#include "Graphics.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

QByteArray Save(const TBitmap &bmp)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    bmp.SaveToStream(&buffer);
    return data;
}

void Load(TBitmap &bmp, QByteArray data)
{
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    bmp.LoadFromStream(&buffer);
}

// A bitmap whose pixels take `colours` distinct values in a pattern.
std::unique_ptr<TBitmap> Patterned(int w, int h, int colours)
{
    auto bmp = std::make_unique<TBitmap>();
    bmp->SetSize(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int i = (x * 7 + y * 13) % colours;
            bmp->Canvas()->SetPixels(x, y, RGB(i * 37 % 256, i * 91 % 256, i * 53 % 256));
        }
    return bmp;
}

bool SamePixels(const TBitmap &a, const TBitmap &b)
{
    return a.Image() == b.Image();
}

void Put32(QByteArray &data, int at, quint32 v)
{
    qToLittleEndian<quint32>(v, data.data() + at);
}

} // namespace

struct DepthRow {
    TPixelFormat Format;
    int Colours;
    int Bits;
};

class BmpRoundTrip : public ::testing::TestWithParam<DepthRow> {};

TEST_P(BmpRoundTrip, KeepsEveryPixelAndDepth)
{
    const DepthRow row = GetParam();
    auto source = Patterned(13, 7, row.Colours); // odd width exercises row padding
    source->SetPixelFormat(row.Format);
    const QByteArray data = Save(*source);
    EXPECT_EQ(qFromLittleEndian<quint16>(data.constData() + 28), row.Bits);

    TBitmap loaded;
    Load(loaded, data);
    EXPECT_EQ(loaded.Width(), 13);
    EXPECT_EQ(loaded.Height(), 7);
    EXPECT_EQ(loaded.PixelFormat(), row.Format);
    EXPECT_TRUE(SamePixels(*source, loaded));
}

INSTANTIATE_TEST_SUITE_P(Depths, BmpRoundTrip,
                         ::testing::Values(DepthRow{pf1bit, 2, 1}, DepthRow{pf4bit, 16, 4}, DepthRow{pf8bit, 91, 8},
                                           DepthRow{pf24bit, 91, 24}, DepthRow{pf32bit, 91, 32}));

TEST(Bmp, TooManyColoursForTheDepthMapToTheNearest)
{
    auto source = Patterned(8, 8, 64);
    source->Canvas()->SetPixels(0, 0, clWhite);
    source->Canvas()->SetPixels(1, 0, RGB(250, 250, 250));
    source->SetPixelFormat(pf1bit);
    TBitmap loaded;
    Load(loaded, Save(*source));
    EXPECT_EQ(loaded.Canvas()->Pixels(0, 0), clWhite);
    EXPECT_EQ(loaded.Canvas()->Pixels(1, 0), clWhite);
}

TEST(Bmp, LeftOutPaletteCountReadsColoursUpToThePixels)
{
    auto source = Patterned(4, 4, 3);
    source->SetPixelFormat(pf8bit);
    QByteArray data = Save(*source);
    ASSERT_EQ(qFromLittleEndian<quint32>(data.constData() + 46), 3u);
    Put32(data, 46, 0);
    TBitmap loaded;
    Load(loaded, data);
    EXPECT_TRUE(SamePixels(*source, loaded));
}

TEST(Bmp, ReadsTopDownRows)
{
    auto source = Patterned(5, 4, 20);
    source->SetPixelFormat(pf24bit);
    QByteArray data = Save(*source);
    // Turn the file top-down: negative height, rows in reverse order.
    const int offset = qFromLittleEndian<quint32>(data.constData() + 10);
    const int stride = 16;
    QByteArray rows;
    for (int r = 3; r >= 0; --r)
        rows += data.mid(offset + r * stride, stride);
    data.replace(offset, rows.size(), rows);
    Put32(data, 22, quint32(-4));
    TBitmap loaded;
    Load(loaded, data);
    EXPECT_TRUE(SamePixels(*source, loaded));
}

TEST(Bmp, ReadsRunLengthEncodedPixels)
{
    // 4 x 2 at 8 bits: bottom row "2 x index 1, 2 x index 2", top row a
    // literal run of three then end of bitmap.
    const QByteArray pixels = QByteArray::fromHex("02010202" "0000" "0003020100" "00" "0001");
    for (const bool four : {false, true}) {
        QByteArray data = QByteArray::fromHex("424D") + QByteArray(12, '\0');
        QByteArray info(40, '\0');
        Put32(info, 0, 40);
        Put32(info, 4, 4);
        Put32(info, 8, 2);
        info[12] = 1;
        info[14] = four ? 4 : 8;
        Put32(info, 16, four ? 2 : 1);
        Put32(info, 32, 3);
        const QByteArray palette = QByteArray::fromHex("000000" "00" "0000FF" "00" "00FF00" "00");
        const QByteArray body = four ? QByteArray::fromHex("0212" "0000" "0003210000" "0001") : pixels;
        data += info + palette + body;
        Put32(data, 10, 14 + 40 + 12);
        Put32(data, 2, data.size());
        TBitmap bmp;
        Load(bmp, data);
        TCanvas *c = bmp.Canvas();
        SCOPED_TRACE(four ? "RLE4" : "RLE8");
        if (four) {
            EXPECT_EQ(c->Pixels(0, 1), clRed);
            EXPECT_EQ(c->Pixels(1, 1), clLime);
            EXPECT_EQ(c->Pixels(2, 1), clBlack); // never reached: colour 0
        } else {
            EXPECT_EQ(c->Pixels(0, 1), clRed);
            EXPECT_EQ(c->Pixels(3, 1), clLime);
        }
        EXPECT_EQ(c->Pixels(0, 0), clLime);
        EXPECT_EQ(c->Pixels(1, 0), clRed);
        EXPECT_EQ(c->Pixels(2, 0), clBlack);
    }
}

struct BadBmpRow {
    const char *Name;
    std::function<void(QByteArray &)> Break;
};

class BadBmp : public ::testing::TestWithParam<BadBmpRow> {};

TEST_P(BadBmp, RaisesInvalidGraphicAndKeepsThePicture)
{
    auto source = Patterned(6, 5, 16);
    source->SetPixelFormat(pf8bit);
    QByteArray data = Save(*source);
    GetParam().Break(data);
    TBitmap bmp;
    bmp.SetSize(3, 3);
    try {
        Load(bmp, data);
        FAIL() << "no error for " << GetParam().Name;
    } catch (const EInvalidGraphic &e) {
        EXPECT_TRUE(e.Message.startsWith(QStringLiteral("Invalid bitmap: "))) << e.Message.toStdString();
    }
    EXPECT_EQ(bmp.Width(), 3);
}

INSTANTIATE_TEST_SUITE_P(
    Lies, BadBmp,
    ::testing::Values(BadBmpRow{"signature", [](QByteArray &d) { d[0] = 'X'; }},
                      BadBmpRow{"truncated pixels", [](QByteArray &d) { d.chop(10); }},
                      BadBmpRow{"header only", [](QByteArray &d) { d.truncate(20); }},
                      BadBmpRow{"huge width", [](QByteArray &d) { Put32(d, 18, 0x7FFFFFFF); }},
                      BadBmpRow{"huge area", [](QByteArray &d) { Put32(d, 18, 30000), Put32(d, 22, 30000); }},
                      BadBmpRow{"zero width", [](QByteArray &d) { Put32(d, 18, 0); }},
                      BadBmpRow{"most negative height", [](QByteArray &d) { Put32(d, 22, 0x80000000u); }},
                      BadBmpRow{"palette count", [](QByteArray &d) { Put32(d, 46, 257); }},
                      BadBmpRow{"palette beyond file", [](QByteArray &d) { Put32(d, 46, 256), d.truncate(100); }},
                      BadBmpRow{"pixel offset", [](QByteArray &d) { Put32(d, 10, 0x7FFFFFF0); }},
                      BadBmpRow{"bits per pixel", [](QByteArray &d) { d[28] = 7; }},
                      BadBmpRow{"compression", [](QByteArray &d) { Put32(d, 30, 9); }},
                      BadBmpRow{"header size", [](QByteArray &d) { Put32(d, 14, 0xFFFF); }}),
    [](const auto &info) {
        std::string name = info.param.Name;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });

TEST(Bmp, FilesRoundTripAndUnreadableFilesRaise)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("picture.bmp"));
    auto source = Patterned(9, 4, 5);
    source->SaveToFile(path);
    TBitmap loaded;
    loaded.LoadFromFile(path);
    EXPECT_TRUE(SamePixels(*source, loaded));
    EXPECT_THROW(loaded.LoadFromFile(dir.filePath(QStringLiteral("missing.bmp"))), EInvalidGraphic);
}

TEST(Bitmap, ResourcesLoadByNameAndMissingNamesRaise)
{
    TBitmap bmp;
    bmp.LoadFromResourceName(HInstance, QStringLiteral("TEST_GLYPH"));
    EXPECT_EQ(bmp.Width(), 21);
    EXPECT_EQ(bmp.Height(), 21);
    EXPECT_EQ(bmp.PixelFormat(), pf8bit);
    EXPECT_EQ(bmp.Canvas()->Pixels(10, 10), clBlue);
    bmp.LoadFromResourceName(HInstance, QStringLiteral("test_glyph"));
    EXPECT_EQ(bmp.Width(), 21);
    try {
        bmp.LoadFromResourceName(HInstance, QStringLiteral("NO_SUCH_PICTURE"));
        FAIL();
    } catch (const EResNotFound &e) {
        EXPECT_EQ(e.Message, QStringLiteral("Resource NO_SUCH_PICTURE not found"));
    }
}

TEST(Bitmap, SetSizeKeepsPixelsAndFillsNewOnesWhite)
{
    TBitmap bmp;
    bmp.SetSize(2, 2);
    bmp.Canvas()->SetPixels(1, 1, clRed);
    bmp.SetSize(4, 3);
    EXPECT_EQ(bmp.Canvas()->Pixels(1, 1), clRed);
    EXPECT_EQ(bmp.Canvas()->Pixels(3, 2), clWhite);
    EXPECT_THROW(bmp.SetSize(100000, 10), EInvalidGraphicOperation);
    bmp.SetSize(0, 5);
    EXPECT_TRUE(bmp.Empty());
}

TEST(Bitmap, TransparentDrawSkipsTheKeyColour)
{
    TBitmap glyph;
    glyph.LoadFromResourceName(HInstance, QStringLiteral("TEST_GLYPH"));
    TBitmap target;
    target.SetSize(30, 30);
    target.Canvas()->Brush()->SetColor(clLime);
    target.Canvas()->FillRect(Rect(0, 0, 30, 30));

    // Automatic key: the bottom-left pixel (red here), so magenta shows.
    glyph.SetTransparent(true);
    EXPECT_EQ(glyph.TransparentMode(), tmAuto);
    EXPECT_EQ(glyph.TransparentColor(), clRed);
    target.Canvas()->Draw(2, 2, &glyph);
    EXPECT_EQ(target.Canvas()->Pixels(2, 22), clLime);
    EXPECT_EQ(target.Canvas()->Pixels(3, 22), clFuchsia);

    // Fixed key magenta: only the blue square is drawn.
    glyph.SetTransparentColor(clFuchsia);
    EXPECT_EQ(glyph.TransparentMode(), tmFixed);
    target.Canvas()->FillRect(Rect(0, 0, 30, 30));
    target.Canvas()->Draw(2, 2, &glyph);
    EXPECT_EQ(target.Canvas()->Pixels(3, 3), clLime);
    EXPECT_EQ(target.Canvas()->Pixels(7, 7), clBlue);
    EXPECT_EQ(target.Canvas()->Pixels(2, 22), clRed);

    // Opaque draw copies every pixel.
    glyph.SetTransparent(false);
    target.Canvas()->Draw(2, 2, &glyph);
    EXPECT_EQ(target.Canvas()->Pixels(3, 3), clFuchsia);
}

TEST(Bitmap, KeyFollowsPixelsDrawnAfterTheFirstDraw)
{
    TBitmap glyph;
    glyph.SetSize(4, 4);
    glyph.SetTransparent(true); // key: white, the bottom-left pixel
    TBitmap target;
    target.SetSize(4, 4);
    target.Canvas()->Brush()->SetColor(clBlack);
    target.Canvas()->FillRect(Rect(0, 0, 4, 4));
    target.Canvas()->Draw(0, 0, &glyph);
    EXPECT_EQ(target.Canvas()->Pixels(1, 1), clBlack);
    glyph.Canvas()->SetPixels(1, 1, clRed);
    target.Canvas()->Draw(0, 0, &glyph);
    EXPECT_EQ(target.Canvas()->Pixels(1, 1), clRed);
}

TEST(Bitmap, StretchDrawAndCopyRect)
{
    TBitmap source;
    source.SetSize(2, 2);
    source.Canvas()->SetPixels(0, 0, clRed);
    TBitmap target;
    target.SetSize(10, 10);
    target.Canvas()->StretchDraw(Rect(0, 0, 10, 10), &source);
    EXPECT_EQ(target.Canvas()->Pixels(4, 4), clRed);
    EXPECT_EQ(target.Canvas()->Pixels(5, 5), clWhite);

    TBitmap copy;
    copy.SetSize(3, 3);
    copy.Canvas()->CopyRect(Rect(0, 0, 3, 3), target.Canvas(), Rect(3, 3, 6, 6));
    EXPECT_EQ(copy.Canvas()->Pixels(1, 1), clRed);
    EXPECT_EQ(copy.Canvas()->Pixels(2, 2), clWhite);
    // Within one canvas, overlapping.
    EXPECT_TRUE(BitBlt(target.Canvas(), 1, 1, 5, 5, target.Canvas(), 0, 0, SRCCOPY));
    EXPECT_EQ(target.Canvas()->Pixels(5, 5), clRed);
    EXPECT_EQ(target.Canvas()->Pixels(6, 6), clWhite);
    // Both ends count in their own logical coordinates.
    copy.Canvas()->Brush()->SetColor(clYellow);
    copy.Canvas()->FillRect(Rect(0, 0, 3, 3));
    target.Canvas()->SetOrigin(Point(4, 4));
    copy.Canvas()->SetOrigin(Point(1, 1));
    copy.Canvas()->CopyRect(Rect(-1, -1, 1, 1), target.Canvas(), Rect(1, 1, 3, 3));
    EXPECT_EQ(copy.Image().pixel(0, 0), qRgb(255, 0, 0));     // from the target's (5, 5)
    EXPECT_EQ(copy.Image().pixel(1, 1), qRgb(255, 255, 255)); // from the target's (6, 6)
    EXPECT_EQ(copy.Image().pixel(2, 2), qRgb(255, 255, 0));   // outside the destination
}

TEST(Bitmap, DrawnOntoItsOwnCanvasReadsThePixelsAsTheyWere)
{
    for (const bool transparent : {false, true}) {
        TBitmap bmp;
        bmp.SetSize(4, 2); // the bottom-left key is white, which is not drawn over
        const TColor row[] = {clRed, clLime, clBlue, clYellow};
        for (int x = 0; x < 4; ++x)
            bmp.Canvas()->SetPixels(x, 0, row[x]);
        bmp.SetTransparent(transparent);
        bmp.Canvas()->Draw(1, 0, &bmp);
        EXPECT_EQ(bmp.Canvas()->Pixels(1, 0), clRed);
        EXPECT_EQ(bmp.Canvas()->Pixels(2, 0), clLime);
        EXPECT_EQ(bmp.Canvas()->Pixels(3, 0), clBlue);
    }
}

TEST(Bitmap, AssignCopiesPixelsIndependently)
{
    auto source = Patterned(3, 3, 4);
    source->SetTransparent(true);
    TBitmap copy;
    copy.Assign(source.get());
    EXPECT_TRUE(SamePixels(*source, copy));
    EXPECT_TRUE(copy.Transparent());
    copy.Canvas()->SetPixels(0, 0, clYellow);
    EXPECT_EQ(copy.Canvas()->Pixels(0, 0), clYellow);
    EXPECT_NE(source->Canvas()->Pixels(0, 0), clYellow);
}

TEST(Picture, StoredFormIsClassNameThenSizedBitmap)
{
    auto source = Patterned(21, 21, 40);
    source->SetPixelFormat(pf8bit);
    TPicture picture;
    int changes = 0;
    picture.OnChange = [&](TObject *) { ++changes; };
    picture.SetBitmap(source.get());
    EXPECT_GE(changes, 1);
    const QByteArray data = picture.Data();
    EXPECT_EQ(data.left(8), QByteArray("\x07TBitmap"));
    EXPECT_EQ(qFromLittleEndian<qint32>(data.constData() + 8), data.size() - 12);
    EXPECT_EQ(data.mid(12, 2), QByteArray("BM"));

    TPicture read;
    read.ReadData(data);
    ASSERT_NE(dynamic_cast<TBitmap *>(read.Graphic()), nullptr);
    EXPECT_TRUE(SamePixels(*source, *read.Bitmap()));
    EXPECT_EQ(read.Width(), 21);

    // Changes to the held bitmap reach the picture's OnChange.
    changes = 0;
    picture.Bitmap()->Canvas()->SetPixels(0, 0, clRed);
    EXPECT_EQ(changes, 1);
}

TEST(Picture, BadStoredFormsRaise)
{
    TPicture picture;
    EXPECT_THROW(picture.ReadData(QByteArray("\x07TBitm")), EInvalidGraphic);
    EXPECT_THROW(picture.ReadData(QByteArray("\x05TFoo1")), EInvalidGraphic);
    EXPECT_THROW(picture.ReadData(QByteArray("\x07TBitmap\xff\xff\x00\x00", 12)), EInvalidGraphic);
    EXPECT_THROW(picture.ReadData(QByteArray("\x07TBitmap\x10\x00\x00\x00" "0123456789abcdef", 28)), EInvalidGraphic);
    picture.ReadData(QByteArray(1, '\0'));
    EXPECT_EQ(picture.Graphic(), nullptr);
}

TEST(Icon, LoadsTheRequestedSizeAndDrawsWithAlpha)
{
    TIcon icon;
    icon.LoadFromResourceName(HInstance, QStringLiteral("MAINICON"));
    EXPECT_EQ(icon.Width(), 32); // largest by default
    icon.SetSize(16, 16);
    EXPECT_EQ(icon.Width(), 16);
    TBitmap target;
    target.SetSize(20, 20);
    target.Canvas()->Draw(2, 2, &icon);
    EXPECT_EQ(target.Canvas()->Pixels(3, 3), RGB(0, 128, 0)); // the 16 x 16 image is green
    EXPECT_EQ(target.Canvas()->Pixels(2, 2), clWhite);       // its transparent corner
    EXPECT_EQ(target.Canvas()->Pixels(18, 18), clWhite);
    EXPECT_THROW(icon.LoadFromResourceName(HInstance, QStringLiteral("NOICON")), EResNotFound);

    QByteArray junk("\0\0\1\0\1\0" "0123456789abcdef", 22);
    QBuffer buffer(&junk);
    buffer.open(QIODevice::ReadOnly);
    EXPECT_THROW(icon.LoadFromStream(&buffer), EInvalidGraphic);
}

TEST(Picture, LoadsFilesByExtensionAndStoresIcons)
{
    QTemporaryDir dir;
    const QString bmpPath = dir.filePath(QStringLiteral("p.BMP"));
    Patterned(3, 2, 4)->SaveToFile(bmpPath);
    const QString icoPath = dir.filePath(QStringLiteral("p.ico"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(":/skin/MAINICON.ico"), icoPath));

    TPicture picture;
    picture.LoadFromFile(bmpPath);
    EXPECT_EQ(picture.Graphic()->ClassName(), QStringLiteral("TBitmap"));
    EXPECT_EQ(picture.Width(), 3);
    picture.LoadFromFile(icoPath);
    EXPECT_EQ(picture.Graphic()->ClassName(), QStringLiteral("TIcon"));
    EXPECT_THROW(picture.LoadFromFile(dir.filePath(QStringLiteral("p.png"))), EInvalidGraphic);

    TPicture read;
    read.ReadData(picture.Data());
    ASSERT_NE(dynamic_cast<TIcon *>(read.Graphic()), nullptr);
    EXPECT_EQ(read.Width(), 32);
    EXPECT_EQ(read.Icon()->Image(), picture.Icon()->Image());
}
