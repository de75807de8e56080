#include "emf_support.h"
#include "support.h"

#include "engine/emf/emf.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <functional>

using namespace accrua::engine::emf;
using namespace accrua::engine::emf::testing;

namespace {

class EmfPlayerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { accrua::testsupport::ensureGuiApp(); }
};

QImage blankPage(int w = 816, int h = 1056)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

bool playOnto(const QByteArray &emf, QImage &img, QString *error = nullptr)
{
    QPainter p(&img);
    return EmfPlayer::play(emf, p, QRectF(img.rect()), error);
}

// A page with one of every record the writer makes.
QByteArray samplePage()
{
    QImage pic(8, 4, QImage::Format_RGB32);
    pic.fill(Qt::green);
    EmfWriter w(QSizeF(816, 1056));
    w.drawRect(QRectF(50, 50, 100, 20), PenSpec{Qt::black, 2, false}, BrushSpec{Qt::gray, false});
    w.drawText(QRectF(50, 100, 200, 17), HAlign::Right, {QStringLiteral("Courier New"), 8, false, false},
               QStringLiteral("1,234.56"));
    w.drawImage(QRectF(50, 150, 80, 40), pic);
    return w.finish();
}

qsizetype firstOf(const QByteArray &emf, quint32 type)
{
    for (const RecordRef &r : walk(emf))
        if (r.type == type)
            return r.offset;
    return -1;
}

struct Mutation {
    const char *name;
    std::function<void(QByteArray &)> apply;
    bool playable; // true: plays (safely); false: refused
};

TEST_F(EmfPlayerTest, DamagedMetafilesAreRefusedOrPlayedSafely)
{
    const QByteArray good = samplePage();
    const Mutation mutations[] = {
        {"record size not a multiple of 4",
         [](QByteArray &b) { setU32(b, firstOf(b, 43) + 4, u32At(b, firstOf(b, 43) + 4) + 2); }, false},
        {"record size beyond the end", [](QByteArray &b) { setU32(b, firstOf(b, 84) + 4, 0x7FFFFFF0); },
         false},
        {"record size zero", [](QByteArray &b) { setU32(b, firstOf(b, 43) + 4, 0); }, false},
        {"record count larger than the body", [](QByteArray &b) { setU32(b, 52, 1000000); }, false},
        {"record count smaller than the records", [](QByteArray &b) { setU32(b, 52, 3); }, true},
        {"string offset outside the record",
         [](QByteArray &b) { setU32(b, firstOf(b, 84) + 48, u32At(b, firstOf(b, 84) + 4)); }, false},
        {"string offset wrapping around", [](QByteArray &b) { setU32(b, firstOf(b, 84) + 48, 0xFFFFFFFE); },
         false},
        {"character count disagreeing with the advances",
         [](QByteArray &b) { setU32(b, firstOf(b, 84) + 44, u32At(b, firstOf(b, 84) + 44) + 3); }, false},
        {"character count huge", [](QByteArray &b) { setU32(b, firstOf(b, 84) + 44, 0x40000001); }, false},
        {"advances offset outside the record",
         [](QByteArray &b) { setU32(b, firstOf(b, 84) + 72, 0xFFFFFFF0); }, false},
        {"bitmap dimensions overflowing",
         [](QByteArray &b) {
             setU32(b, firstOf(b, 81) + 80 + 4, 0x7FFFFFFF);
             setU32(b, firstOf(b, 81) + 80 + 8, 0x7FFFFFFF);
         },
         false},
        {"bitmap height most negative", [](QByteArray &b) { setU32(b, firstOf(b, 81) + 80 + 8, 0x80000000); },
         false},
        {"bitmap depth not valid", [](QByteArray &b) { b[firstOf(b, 81) + 80 + 14] = 7; }, false},
        {"bits offset outside the record",
         [](QByteArray &b) { setU32(b, firstOf(b, 81) + 56, u32At(b, firstOf(b, 81) + 4) - 4); }, false},
        {"bits size larger than the record",
         [](QByteArray &b) { setU32(b, firstOf(b, 81) + 60, 0xFFFFFF00); }, false},
        {"bitmap header offset outside the record",
         [](QByteArray &b) { setU32(b, firstOf(b, 81) + 48, 0xFFFFFFF0); }, false},
        {"object index out of range", [](QByteArray &b) { setU32(b, firstOf(b, 38) + 8, 5000); }, false},
        {"object index zero", [](QByteArray &b) { setU32(b, firstOf(b, 39) + 8, 0); }, false},
        {"selecting an object that does not exist",
         [](QByteArray &b) {
             const qsizetype at = firstOf(b, 37);
             setU32(b, at + 8, 4000);
         },
         true},
        {"unbalanced restore",
         [](QByteArray &b) {
             // Turn SETBKMODE into RESTOREDC(-5): nothing was saved.
             const qsizetype at = firstOf(b, 18);
             setU32(b, at, 34);
             setU32(b, at + 8, quint32(-5));
         },
         true},
        {"handle count huge", [](QByteArray &b) { b[56] = char(0xFF), b[57] = char(0xFF); }, true},
        {"handle count zero", [](QByteArray &b) { b[56] = 0, b[57] = 0; }, false},
        {"header truncated", [](QByteArray &b) { b.truncate(60); }, false},
        {"body truncated", [](QByteArray &b) { b.truncate(b.size() / 2); }, false},
        {"description outside the header", [](QByteArray &b) { setU32(b, 60, 0x10000000); }, false},
        {"header size beyond the data", [](QByteArray &b) { setU32(b, 4, 0x00FFFFF0); }, false},
        {"reference device empty", [](QByteArray &b) { setU32(b, 72, 0); }, false},
        {"frame empty: bounds serve instead",
         [](QByteArray &b) {
             for (int i = 24; i < 40; i += 4)
                 setU32(b, i, 0);
         },
         true},
        {"record shorter than its type needs", [](QByteArray &b) { setU32(b, firstOf(b, 43), 36); },
         false}, // 24-byte MODIFYWORLDTRANSFORM
        {"unknown record type", [](QByteArray &b) { setU32(b, firstOf(b, 43), 0x7777); }, true},
    };
    for (const Mutation &m : mutations) {
        SCOPED_TRACE(m.name);
        QByteArray bad = good;
        m.apply(bad);
        QImage img = blankPage(200, 260);
        QString error;
        const bool ok = playOnto(bad, img, &error);
        EXPECT_EQ(ok, m.playable) << error.toStdString();
        if (!ok) {
            EXPECT_FALSE(error.isEmpty());
        }
        // inspect never reads past what it was given either.
        EmfPlayer::inspect(bad);
        EmfPlayer::pageSize(bad);
    }
}

TEST_F(EmfPlayerTest, EveryTruncationAndEveryByteFlipIsSurvived)
{
    const QByteArray good = samplePage();
    for (qsizetype n = 0; n < good.size(); n += 7) {
        QImage img = blankPage(100, 130);
        playOnto(good.left(n), img);
    }
    const QByteArray small = [] {
        EmfWriter w(QSizeF(816, 1056));
        w.drawText(QRectF(10, 10, 100, 17), HAlign::Center, {}, QStringLiteral("ab"));
        w.drawRect(QRectF(10, 40, 10, 10), PenSpec{}, BrushSpec{});
        return w.finish();
    }();
    for (qsizetype i = 0; i < small.size(); ++i) {
        for (char v : {char(0xFF), char(0x80), char(0x00), char(0x7F)}) {
            QByteArray b = small;
            b[i] = v;
            QImage img = blankPage(100, 130);
            playOnto(b, img);
        }
    }
    SUCCEED() << "no crash, no sanitizer report";
}

TEST_F(EmfPlayerTest, InactivePainterOrNotAMetafileIsRefused)
{
    QImage img = blankPage(10, 10);
    QPainter idle;
    QString error;
    EXPECT_FALSE(EmfPlayer::play(samplePage(), idle, QRectF(0, 0, 10, 10), &error));
    EXPECT_FALSE(error.isEmpty());
    QPainter p(&img);
    EXPECT_FALSE(EmfPlayer::play(QByteArray(200, 'x'), p, QRectF(0, 0, 10, 10), &error));
    EXPECT_FALSE(EmfPlayer::inspect(QByteArray()));
}

// The records a Windows program commonly writes for a page like ours: device
// units (MM_TEXT) on a 96-dpi reference, a saved state, a cell-height font,
// baseline-aligned text, a FillRect recorded as a pattern blit, a palette
// bitmap, comments, clipping reset, and records this player does not know.
TEST_F(EmfPlayerTest, WindowsStyleMetafilePlaysCorrectly)
{
    const quint32 FW_NORMAL = 400;
    // A positive height asks for the cell height (ascent plus descent).
    QByteArray logfont = le32({quint32(19), 0, 0, 0, FW_NORMAL}) + QByteArray(8, '\0');
    logfont += utf16(QStringLiteral("Arial")) + QByteArray(64 - 10, '\0');
    logfont += QByteArray(332 - 12 - 92, '\0');

    // A 4 x 2 palette bitmap, 8 bits, bottom-up: bottom row index 1, top row 2.
    QByteArray dib = le32({40, 4, 2, 1 | (8u << 16), 0, 8, 0, 0, 3, 0});
    dib += le32({0x00000000, 0x000000FF, 0x0000FF00}); // black, blue, green (RGBQUAD: B G R 0)
    const QByteArray bits = QByteArray::fromHex("01010101"
                                                "02020202");
    const quint32 fixed = 80;
    const quint32 offBmi = fixed, cbBmi = quint32(dib.size()), offBits = offBmi + cbBmi;

    const QString word = QStringLiteral("Tx");
    QByteArray textTail = utf16(word) + le32({12, 11});

    EmfBuilder c(816, 1056, 216, 279, 5);
    c.record(70, {8}, QByteArray("GDIC\0\0\0\0", 8));
    c.record(98, {1});
    c.record(33, {});
    c.record(17, {1});
    c.record(18, {1});
    c.record(39, {1, 0, 0x0000FF, 0});
    c.record(37, {1});
    c.record(37, {0x80000008});
    c.record(43, {100, 100, 200, 150});
    c.record(39, {2, 0, 0x00FF00, 0});
    c.record(37, {2});
    c.record(40, {1});
    c.record(76, {0, 0, 0, 0, 300, 100, 50, 40, 0x00F00021, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    c.record(38, {3, 0, 3, 0, 0xFF0000});
    c.record(37, {3});
    c.record(27, {100, 300});
    c.record(54, {400, 300});
    c.record(87, {0, 0, 0, 0, 3}, le32({500u | (400u << 16), 600u | (400u << 16), 600u | (500u << 16)}));
    c.record(75, {0, 5});
    c.record(22, {24});
    c.record(24, {0x000000});
    c.record(82, {4}, logfont);
    c.record(37, {4});
    // EXTTEXTOUTW at (100, 650) baseline, rect empty, string at 76, advances after it.
    c.record(84,
             {0, 0, 0, 0, 1, 0, 0, 100, 650, quint32(word.size()), 76, 0, 0, 0, quint32(-1), quint32(-1), 80},
             textTail);
    c.record(81,
             {0, 0, 0, 0, 500, 600, 0, 0, 4, 2, offBmi, cbBmi, offBits, quint32(bits.size()), 0, 0x00CC0020,
              80, 40},
             dib + bits);
    c.record(0x7777, {1, 2, 3}); // unknown
    c.record(34, {quint32(-1)}); // RESTOREDC
    const QByteArray emf = c.finish();

    QImage img = blankPage();
    QString error;
    ASSERT_TRUE(playOnto(emf, img, &error)) << error.toStdString();
    // GDI rectangles are drawn from left/top to right/bottom.
    EXPECT_EQ(img.pixel(150, 125), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(95, 125), qRgb(255, 255, 255));
    EXPECT_EQ(img.pixel(205, 125), qRgb(255, 255, 255));
    // FillRect as a pattern blit with the green brush.
    EXPECT_EQ(img.pixel(325, 120), qRgb(0, 255, 0));
    EXPECT_EQ(img.pixel(355, 120), qRgb(255, 255, 255));
    // Line and polyline with the blue pen.
    EXPECT_EQ(img.pixel(250, 300), qRgb(0, 0, 255));
    EXPECT_EQ(img.pixel(250, 305), qRgb(255, 255, 255));
    EXPECT_EQ(img.pixel(550, 400), qRgb(0, 0, 255));
    EXPECT_EQ(img.pixel(600, 450), qRgb(0, 0, 255));
    // Palette bitmap: top row green, bottom row blue, stretched to 80 x 40.
    EXPECT_EQ(img.pixel(540, 610), qRgb(0, 255, 0));
    EXPECT_EQ(img.pixel(540, 630), qRgb(0, 0, 255));
    EXPECT_EQ(img.pixel(585, 620), qRgb(255, 255, 255));
    // Text on its baseline at y 650, starting at x 100: ink above, none below
    // the descent, and the second glyph placed by the advance of 12.
    const QRect ink = inkBox(img, QRect(80, 600, 100, 80));
    ASSERT_FALSE(ink.isNull());
    EXPECT_LE(ink.bottom(), 652);
    EXPECT_GE(ink.bottom(), 646);
    EXPECT_NEAR(ink.left(), 100, 2);
    EXPECT_LT(ink.top(), 640);
    EXPECT_GT(ink.right(), 114);
    EXPECT_LT(ink.right(), 126);
}

TEST_F(EmfPlayerTest, MappingModesTransformsAndSavedStates)
{
    // MM_HIMETRIC has y growing upwards: a square of 10 mm at (10 mm, -10 mm).
    // A world transform that doubles everything applies inside a saved state only.
    EmfBuilder b(816, 1056, 216, 279, 3);
    b.record(17, {3});
    b.record(39, {1, 0, 0x000000, 0});
    b.record(37, {1});
    b.record(37, {0x80000008});
    b.record(43, {1000, quint32(-1000), 2000, quint32(-2000)});
    b.record(33, {});
    b.record(35, {}, [] {
        QByteArray x;
        const float m[6] = {2, 0, 0, 2, 0, 0};
        x.append(reinterpret_cast<const char *>(m), sizeof m);
        return x;
    }());
    b.record(43, {2000, quint32(-2000), 3000, quint32(-3000)});
    b.record(34, {quint32(-1)});
    b.record(43, {5000, quint32(-1000), 6000, quint32(-2000)});
    QImage img = blankPage();
    QString error;
    ASSERT_TRUE(playOnto(b.finish(), img, &error)) << error.toStdString();
    const double pxPerMm = 816.0 / 216.0;
    auto dark = [&](double mmX, double mmY) {
        return img.pixel(int(mmX * pxPerMm), int(mmY * pxPerMm)) == qRgb(0, 0, 0);
    };
    EXPECT_TRUE(dark(15, 15)); // plain square
    EXPECT_TRUE(dark(45, 45)); // doubled: 40..60 mm
    EXPECT_FALSE(dark(30, 30));
    EXPECT_TRUE(dark(55, 15)); // after the restore, plain again
    EXPECT_FALSE(dark(110, 30));
}

TEST_F(EmfPlayerTest, BitmapsOfEveryCommonDepth)
{
    // 2 x 2 bitmaps whose top-left pixel is red and the rest white.
    struct Row {
        const char *name;
        int bpp;
        QByteArray table;
        QByteArray bits; // bottom-up rows, each padded to 4 bytes
        bool topDown;
    };
    const Row rows[] = {
        {"1-bit", 1, le32({0x00FFFFFF, 0x00FF0000}),
         QByteArray::fromHex("00000000"
                             "80000000"),
         false},
        {"4-bit", 4, le32({0x00FFFFFF, 0x00FF0000}),
         QByteArray::fromHex("00000000"
                             "10000000"),
         false},
        {"8-bit", 8, le32({0x00FFFFFF, 0x00FF0000}),
         QByteArray::fromHex("00000000"
                             "01000000"),
         false},
        {"16-bit 5-5-5",
         16,
         {},
         QByteArray::fromHex("ff7fff7f"
                             "007cff7f"),
         false},
        {"24-bit",
         24,
         {},
         QByteArray::fromHex("ffffffffffff0000"
                             "0000ffffffff0000"),
         false},
        {"32-bit",
         32,
         {},
         QByteArray::fromHex("ffffff00ffffff00"
                             "0000ff00ffffff00"),
         false},
        {"24-bit top-down",
         24,
         {},
         QByteArray::fromHex("0000ffffffff0000"
                             "ffffffffffff0000"),
         true},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const quint32 colors = row.table.size() / 4;
        QByteArray dib = le32({40, 2, row.topDown ? quint32(-2) : 2u, 1u | (quint32(row.bpp) << 16), 0,
                               quint32(row.bits.size()), 0, 0, colors, 0});
        dib += row.table;
        EmfBuilder b(816, 1056, 216, 279, 1);
        b.record(81,
                 {0, 0, 0, 0, 100, 100, 0, 0, 2, 2, 80, quint32(dib.size()), 80 + quint32(dib.size()),
                  quint32(row.bits.size()), 0, 0x00CC0020, 100, 100},
                 dib + row.bits);
        QImage img = blankPage(408, 528);
        QString error;
        ASSERT_TRUE(playOnto(b.finish(), img, &error)) << error.toStdString();
        const double s = 0.5;
        EXPECT_EQ(img.pixel(int(125 * s), int(125 * s)), qRgb(255, 0, 0));
        EXPECT_EQ(img.pixel(int(175 * s), int(125 * s)), qRgb(255, 255, 255));
        EXPECT_EQ(img.pixel(int(125 * s), int(175 * s)), qRgb(255, 255, 255));
    }
}

TEST_F(EmfPlayerTest, ClippedAndOpaqueTextOptions)
{
    // ETO_OPAQUE fills the rectangle with the background colour; ETO_CLIPPED
    // keeps the glyphs inside it.
    const QString word = QStringLiteral("WWWWWWWW");
    QByteArray tail = utf16(word);
    for (int i = 0; i < word.size(); ++i)
        tail += le32({20});
    EmfBuilder b(816, 1056, 216, 279, 2);
    b.record(18, {1});
    b.record(25, {0x00FFFF}); // yellow background
    b.record(82, {1},
             le32({quint32(-30), 0, 0, 0, 700}) + QByteArray(8, '\0') + utf16(QStringLiteral("Arial")) +
                 QByteArray(54, '\0') + QByteArray(332 - 12 - 92, '\0'));
    b.record(37, {1});
    b.record(
        84, {0, 0, 0, 0, 1, 0, 0, 100, 100, quint32(word.size()), 76, 0x2 | 0x4, 100, 100, 160, 140, 76 + 16},
        tail);
    QImage img = blankPage();
    QString error;
    ASSERT_TRUE(playOnto(b.finish(), img, &error)) << error.toStdString();
    EXPECT_EQ(img.pixel(102, 138), qRgb(255, 255, 0));
    const QRect ink = inkBox(img, QRect(0, 0, 816, 300));
    ASSERT_FALSE(ink.isNull());
    EXPECT_LE(ink.right(), 160);
    EXPECT_GE(ink.left(), 100);
}

} // namespace

namespace {

TEST_F(EmfPlayerTest, TextKeepsItsPlaceUnderStretchedTargetsAndRotation)
{
    // Each row: a target that is not the page's shape, or a rotated font; the
    // glyphs are then filled as outlines and must still land in their place.
    struct Row {
        const char *name;
        QSize image;
        qint32 escapement;
        QRect expected; // where the ink must be, in image pixels
    };
    // "HHHH" at an em of 40 device pixels, baseline at y 140 from x 100,
    // advancing 40 per glyph: capitals 0.716 em tall.
    const Row rows[] = {
        {"same shape", QSize(816, 1056), 0, QRect(100, 111, 150, 29)},
        {"squashed to half height", QSize(816, 528), 0, QRect(100, 56, 150, 14)},
        {"stretched to double width", QSize(1632, 1056), 0, QRect(200, 111, 300, 29)},
        {"rotated a quarter turn", QSize(816, 1056), 900, QRect(72, 0, 28, 140)},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const QString word = QStringLiteral("HHHH");
        QByteArray tail = utf16(word);
        for (int i = 0; i < word.size(); ++i)
            tail += le32({40});
        EmfBuilder b(816, 1056, 216, 279, 2);
        b.record(18, {1});
        b.record(82, {1},
                 le32({quint32(-40), 0, quint32(row.escapement), 0, 400}) + QByteArray(8, '\0') +
                     utf16(QStringLiteral("Arial")) + QByteArray(54, '\0') + QByteArray(228, '\0'));
        b.record(37, {1});
        b.record(22, {24}); // baseline
        b.record(84, {0, 0, 0, 0, 1, 0, 0, 100, 140, quint32(word.size()), 76, 0, 0, 0, 0, 0, 84}, tail);
        QImage img = blankPage(row.image.width(), row.image.height());
        QString error;
        ASSERT_TRUE(playOnto(b.finish(), img, &error)) << error.toStdString();
        const QRect ink = inkBox(img, img.rect());
        ASSERT_FALSE(ink.isNull());
        EXPECT_TRUE(row.expected.adjusted(-4, -4, 4, 4).contains(ink))
            << ink.x() << "," << ink.y() << " " << ink.width() << "x" << ink.height();
        EXPECT_GE(ink.width(), row.expected.width() * 0.8);
        EXPECT_GE(ink.height(), row.expected.height() * 0.8);
    }
}

} // namespace

namespace {

TEST_F(EmfPlayerTest, BlitRecordsCarryTheirBitmap)
{
    // The 24-bit 2 x 2 bitmap with a red top-left pixel, through the two
    // block-transfer records: STRETCHBLT stretches it to 100 x 100; BITBLT
    // copies it one to one, here under a world transform that scales by 50.
    QByteArray dib = le32({40, 2, 2, 1u | (24u << 16), 0, 16, 0, 0, 0, 0});
    const QByteArray bits = QByteArray::fromHex("ffffffffffff0000"
                                                "0000ffffffff0000");
    const quint32 cbBmi = quint32(dib.size()), cbBits = quint32(bits.size());
    const QByteArray identity = [] {
        const float m[6] = {1, 0, 0, 1, 0, 0};
        return QByteArray(reinterpret_cast<const char *>(m), sizeof m);
    }();
    const QByteArray times50 = [] {
        const float m[6] = {50, 0, 0, 50, 0, 0};
        return QByteArray(reinterpret_cast<const char *>(m), sizeof m);
    }();
    for (const bool stretch : {true, false}) {
        SCOPED_TRACE(stretch ? "STRETCHBLT" : "BITBLT");
        EmfBuilder b(816, 1056, 216, 279, 1);
        if (stretch) {
            b.record(77, {0, 0, 0, 0, 100, 100, 100, 100, 0x00CC0020, 0, 0},
                     identity + le32({0, 0, 108, cbBmi, 108 + cbBmi, cbBits, 2, 2}) + dib + bits);
        } else {
            b.record(35, {}, times50);
            b.record(76, {0, 0, 0, 0, 2, 2, 2, 2, 0x00CC0020, 0, 0},
                     identity + le32({0, 0, 100, cbBmi, 100 + cbBmi, cbBits}) + dib + bits);
        }
        QImage img = blankPage(408, 528);
        QString error;
        ASSERT_TRUE(playOnto(b.finish(), img, &error)) << error.toStdString();
        EXPECT_EQ(img.pixel(62, 62), qRgb(255, 0, 0));
        EXPECT_EQ(img.pixel(87, 62), qRgb(255, 255, 255));
        EXPECT_EQ(img.pixel(62, 87), qRgb(255, 255, 255));
        EXPECT_EQ(img.pixel(45, 62), qRgb(255, 255, 255));
    }
}

} // namespace

namespace {

TEST_F(EmfPlayerTest, ClippingRecordsLimitWhatIsPainted)
{
    // Each row fills the page black after its clipping records (MM_TEXT, so
    // logical units are device pixels) and lists points inside and outside.
    struct Row {
        const char *name;
        std::function<void(EmfBuilder &)> clip;
        std::vector<QPoint> black, white;
    };
    const QByteArray twoRects =
        le32({32, 1, 2, 32, 100, 100, 300, 300}) + le32({100, 100, 200, 200}) + le32({250, 250, 300, 300});
    const Row rows[] = {
        {"intersect",
         [](EmfBuilder &b) {
             b.record(30, {100, 100, 200, 200});
         },
         {{150, 150}, {100, 100}, {199, 199}},
         {{99, 150}, {200, 150}, {150, 200}, {500, 500}}},
        {"exclude",
         [](EmfBuilder &b) {
             b.record(29, {100, 100, 200, 200});
         },
         {{50, 50}, {250, 150}, {150, 200}},
         {{150, 150}, {100, 100}}},
        {"region of two rectangles",
         [&](EmfBuilder &b) {
             b.record(75, {quint32(twoRects.size()), 5}, twoRects);
         },
         {{150, 150}, {275, 275}},
         {{225, 225}, {50, 50}}},
        {"region then reset to none",
         [&](EmfBuilder &b) {
             b.record(75, {quint32(twoRects.size()), 5}, twoRects);
             b.record(75, {0, 5});
         },
         {{225, 225}, {50, 50}, {700, 1000}},
         {}},
        {"clip inside a saved state is undone by its restore",
         [](EmfBuilder &b) {
             b.record(33, {});
             b.record(30, {100, 100, 200, 200});
             b.record(34, {quint32(-1)});
         },
         {{50, 50}, {700, 1000}},
         {}},
        {"many overlapping rectangles",
         [](EmfBuilder &b) {
             QByteArray rgn = le32({32, 1, 2000, 32000, 0, 0, 400, 400});
             for (int i = 0; i < 2000; ++i)
                 rgn +=
                     le32({quint32(i % 200), quint32(i % 200), quint32(i % 200 + 10), quint32(i % 200 + 10)});
             b.record(75, {quint32(rgn.size()), 5}, rgn);
         },
         {{5, 5}, {150, 155}, {208, 208}},
         {{5, 100}, {300, 300}}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EmfBuilder b(816, 1056, 216, 279, 1);
        row.clip(b);
        b.record(37, {0x80000004}); // BLACK_BRUSH
        b.record(37, {0x80000008}); // NULL_PEN
        b.record(43, {0, 0, 816, 1056});
        QImage img = blankPage();
        QString error;
        ASSERT_TRUE(playOnto(b.finish(), img, &error)) << error.toStdString();
        for (const QPoint &p : row.black)
            EXPECT_EQ(img.pixel(p), qRgb(0, 0, 0)) << p.x() << "," << p.y();
        for (const QPoint &p : row.white)
            EXPECT_EQ(img.pixel(p), qRgb(255, 255, 255)) << p.x() << "," << p.y();
    }
}

} // namespace

namespace {

TEST_F(EmfPlayerTest, PixelsAndDeviceBitmaps)
{
    // SETPIXELV paints one device pixel; SETDIBITSTODEVICE copies its bitmap
    // one to one, and one that carries only some scan lines is passed over.
    const QByteArray dib = le32({40, 2, 2, 1u | (24u << 16), 0, 16, 0, 0, 0, 0});
    const QByteArray bits = QByteArray::fromHex("ffffffffffff0000"
                                                "0000ffffffff0000");
    const quint32 cbBmi = quint32(dib.size());
    EmfBuilder b(816, 1056, 216, 279, 1);
    b.record(15, {300, 301, 0x00FF00});
    b.record(80, {0, 0, 0, 0, 100, 100, 0, 0, 2, 2, 76, cbBmi, 76 + cbBmi, 16, 0, 0, 2}, dib + bits);
    b.record(80, {0, 0, 0, 0, 200, 200, 0, 0, 2, 2, 76, cbBmi, 76 + cbBmi, 8, 0, 0, 1}, dib + bits.left(8));
    QImage img = blankPage();
    QString error;
    ASSERT_TRUE(playOnto(b.finish(), img, &error)) << error.toStdString();
    EXPECT_EQ(img.pixel(300, 301), qRgb(0, 255, 0));
    EXPECT_EQ(img.pixel(301, 301), qRgb(255, 255, 255));
    EXPECT_EQ(img.pixel(100, 100), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(101, 100), qRgb(255, 255, 255));
    EXPECT_EQ(img.pixel(100, 101), qRgb(255, 255, 255));
    EXPECT_TRUE(inkBox(img, QRect(150, 150, 200, 100)).isNull());
}

} // namespace
