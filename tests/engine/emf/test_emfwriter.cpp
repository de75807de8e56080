#include "emf_support.h"
#include "support.h"

#include "engine/emf/emf.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>
#include <set>

using namespace accrua::engine::emf;
using namespace accrua::engine::emf::testing;

namespace {

class EmfWriterTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { accrua::testsupport::ensureGuiApp(); }
};

const FontSpec kCourier{QStringLiteral("Courier New"), 8, false, false};
const FontSpec kArialBold{QStringLiteral("Arial"), 8, true, false};

// The shape of a report page: title bits, column headings on silver, 50
// detail lines of six right-aligned values, a footer.
QByteArray reportPage(int lines = 50)
{
    EmfWriter w(QSizeF(816, 1056), QStringLiteral("Accrua"));
    const double m = 48; // 12.7 mm margins
    w.drawText(QRectF(m, m + 1, 721, 30), HAlign::Center, {QStringLiteral("Arial"), 14, true, false},
               QStringLiteral("Amortization Schedule"));
    w.drawText(QRectF(m + 7, m + 41, 150, 14), HAlign::Left, kArialBold, QStringLiteral("INTEREST RATE:"));
    w.drawRect(QRectF(m, m + 93, 719, 19), PenSpec{Qt::black, 2, false},
               BrushSpec{QColor(0xC0, 0xC0, 0xC0), false});
    const double cols[6][2] = {{6, 33}, {100, 165}, {208, 308}, {342, 442}, {479, 579}, {613, 713}};
    for (int line = 0; line < lines; ++line) {
        const double top = m + 113 + line * 17;
        for (const auto &c : cols)
            w.drawText(QRectF(m + c[0], top, c[1] - c[0], 17), HAlign::Right, kCourier,
                       QString::number(1234567.89 + line * 31.7, 'f', 2));
    }
    w.drawText(QRectF(m + 325, 1056 - m - 17, 30, 14), HAlign::Left, kArialBold, QStringLiteral("Page"));
    return w.finish();
}

TEST_F(EmfWriterTest, HeaderFieldsAreConsistent)
{
    const QByteArray emf = reportPage(3);
    const std::optional<EmfInfo> info = EmfPlayer::inspect(emf);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->bytes, quint32(emf.size()));
    const std::vector<RecordRef> recs = walk(emf);
    EXPECT_EQ(info->records, quint32(recs.size()));
    ASSERT_FALSE(recs.empty());
    EXPECT_EQ(recs.front().type, 1u);
    EXPECT_EQ(recs.back().type, 14u);
    EXPECT_EQ(recs.back().offset + recs.back().size, emf.size());
    for (const RecordRef &r : recs) {
        EXPECT_EQ(r.size % 4, 0u) << "record " << r.type;
        EXPECT_EQ(r.offset % 4, 0) << "record " << r.type;
    }
    // The 108-byte form, description right behind it, padded.
    EXPECT_EQ(u32At(emf, 64), 108u);
    EXPECT_EQ(u32At(emf, 60), quint32(QStringLiteral("Accrua").size() + 2));
    EXPECT_EQ(recs.front().size, (108 + u32At(emf, 60) * 2 + 3) & ~3u);
    EXPECT_EQ(info->description, QStringLiteral("Accrua"));

    EXPECT_EQ(info->frame, QRect(QPoint(0, 0), QPoint(21590, 27940)));
    EXPECT_EQ(info->device, QSize(816, 1056));
    EXPECT_EQ(info->millimeters, QSize(216, 279));
    EXPECT_EQ(info->bounds, QRect(QPoint(0, 0), QPoint(815, 1055)));
    EXPECT_EQ(i32At(emf, 100), 215900); // szlMicrometers
    EXPECT_EQ(i32At(emf, 104), 279400);
    const std::optional<QSizeF> page = EmfPlayer::pageSize(emf);
    ASSERT_TRUE(page);
    EXPECT_NEAR(page->width(), 816, 0.01);
    EXPECT_NEAR(page->height(), 1056, 0.01);

    // One more than the largest object index used by any creating record.
    quint32 largest = 0;
    for (const RecordRef &r : recs)
        if (r.type == 38 || r.type == 39 || r.type == 82 || r.type == 95)
            largest = std::max(largest, u32At(emf, r.offset + 8));
    EXPECT_GT(largest, 0u);
    EXPECT_EQ(info->handles, largest + 1);

    // The map mode comes before the extents it governs.
    const auto pos = [&](quint32 type) {
        for (size_t i = 0; i < recs.size(); ++i)
            if (recs[i].type == type)
                return int(i);
        return -1;
    };
    ASSERT_GE(pos(17), 0);
    EXPECT_LT(pos(17), pos(9));
    EXPECT_LT(pos(17), pos(11));
    EXPECT_EQ(u32At(emf, recs[size_t(pos(17))].offset + 8), 8u); // MM_ANISOTROPIC
    EXPECT_EQ(i32At(emf, recs[size_t(pos(9))].offset + 8), 816 * 15);
    EXPECT_EQ(i32At(emf, recs[size_t(pos(11))].offset + 8), 816);
}

TEST_F(EmfWriterTest, ObjectsAreReusedAndPagesStaySmall)
{
    const QByteArray emf = reportPage(50);
    EXPECT_LT(emf.size(), 100 * 1024);
    // Three fonts are used in the order title, caption, heading... details;
    // a font is created only when it changes, never per label.
    EXPECT_LE(recordsOf(emf, 82).size(), 5u);
    EXPECT_EQ(recordsOf(emf, 84).size(), 2u + 300u + 1u);
    EXPECT_LE(recordsOf(emf, 38).size(), 1u);
    EXPECT_LE(recordsOf(emf, 39).size(), 1u);
    // The heading frame: a rectangle record of its box in 1/1440 inch, with
    // the pen and brush selected before it.
    const auto rects = recordsOf(emf, 43);
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].size, 24u);
    EXPECT_EQ(i32At(emf, rects[0].offset + 8), 48 * 15);
    EXPECT_EQ(i32At(emf, rects[0].offset + 12), (48 + 93) * 15);
    EXPECT_EQ(i32At(emf, rects[0].offset + 16), (48 + 719) * 15);
    EXPECT_EQ(i32At(emf, rects[0].offset + 20), (48 + 93 + 19) * 15);
    const auto pens = recordsOf(emf, 38);
    ASSERT_EQ(pens.size(), 1u);
    EXPECT_EQ(i32At(emf, pens[0].offset + 16), 30); // 2 pixels
    const std::optional<EmfInfo> info = EmfPlayer::inspect(emf);
    ASSERT_TRUE(info);
    EXPECT_LE(info->handles, 6);
    // Each replaced font is deleted after its successor is selected.
    std::set<quint32> live;
    for (const RecordRef &r : walk(emf)) {
        if (r.type == 82) {
            const quint32 ih = u32At(emf, r.offset + 8);
            EXPECT_FALSE(live.count(ih)) << "index " << ih << " reused while alive";
            live.insert(ih);
            EXPECT_EQ(r.size, 332u);
        } else if (r.type == 40) {
            live.erase(u32At(emf, r.offset + 8));
        }
    }
    EXPECT_LE(live.size(), 1u);
}

TEST_F(EmfWriterTest, TextRunsCarryRectangleAndAdvancesFromTextMetrics)
{
    struct Row {
        HAlign align;
        quint32 textAlign;
        FontSpec font;
        QString text;
    };
    const Row rows[] = {
        {HAlign::Left, 0, kArialBold, QStringLiteral("BEGINNING BALANCE:")},
        {HAlign::Right, 2, kCourier, QStringLiteral("1,234,567.89")},
        {HAlign::Center,
         6,
         {QStringLiteral("Arial"), 14, true, false},
         QStringLiteral("Amortization Schedule")},
        {HAlign::Left,
         0,
         {QStringLiteral("Arial"), 10, false, true},
         QStringLiteral("Wij\u00e9 \U0001F600x")},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.text.toStdString());
        EmfWriter w(QSizeF(816, 1056));
        const QRectF rect(100.25, 200.5, 300, 17);
        w.drawText(rect, row.align, row.font, row.text);
        const QByteArray emf = w.finish();
        const auto align = recordsOf(emf, 22);
        ASSERT_EQ(align.size(), 1u);
        EXPECT_EQ(u32At(emf, align[0].offset + 8), row.textAlign);
        const auto runs = recordsOf(emf, 84);
        ASSERT_EQ(runs.size(), 1u);
        const qsizetype at = runs[0].offset;
        const quint32 n = u32At(emf, at + 44);
        ASSERT_EQ(n, quint32(row.text.size()));
        // The rectangle, in 1/1440 inch.
        EXPECT_EQ(i32At(emf, at + 56), qRound(rect.left() * 15));
        EXPECT_EQ(i32At(emf, at + 60), qRound(rect.top() * 15));
        EXPECT_EQ(i32At(emf, at + 64), qRound(rect.right() * 15));
        EXPECT_EQ(i32At(emf, at + 68), qRound(rect.bottom() * 15));
        const double refX = row.align == HAlign::Left    ? rect.left()
                            : row.align == HAlign::Right ? rect.right()
                                                         : rect.center().x();
        EXPECT_EQ(i32At(emf, at + 36), qRound(refX * 15));
        // The string and one advance per UTF-16 unit, inside the record.
        const quint32 offString = u32At(emf, at + 48), offDx = u32At(emf, at + 72);
        EXPECT_LE(offString + n * 2, offDx);
        EXPECT_LE(offDx + n * 4, runs[0].size);
        for (quint32 i = 0; i < n; ++i)
            EXPECT_EQ(u16At(emf, at + offString + i * 2), row.text.at(i).unicode());
        const QVector<double> adv = TextMetrics::advances(row.font, row.text);
        double cumulative = 0;
        qint64 sum = 0;
        for (quint32 i = 0; i < n; ++i) {
            cumulative += adv[i];
            sum += i32At(emf, at + offDx + i * 4);
            EXPECT_LE(std::abs(sum - cumulative * 15), 0.5 + 1e-9) << "advance " << i;
        }
        EXPECT_NEAR(double(sum) / 15, TextMetrics::width(row.font, row.text), 0.05);
        // The font: em height in logical units, weight, italic, face name.
        const auto fonts = recordsOf(emf, 82);
        ASSERT_EQ(fonts.size(), 1u);
        EXPECT_EQ(i32At(emf, fonts[0].offset + 12), -qRound(row.font.pointSize * 20));
        EXPECT_EQ(i32At(emf, fonts[0].offset + 28), row.font.bold ? 700 : 400);
        EXPECT_EQ(emf.at(fonts[0].offset + 32) != 0, row.font.italic);
        QString face;
        for (int i = 0; i < 32 && u16At(emf, fonts[0].offset + 40 + i * 2); ++i)
            face.append(QChar(u16At(emf, fonts[0].offset + 40 + i * 2)));
        EXPECT_EQ(face, row.font.family);
    }
}

TEST_F(EmfWriterTest, TextMetricsAreDeterministicAndScaleLinearly)
{
    // Courier New is monospaced: every advance is 0.6 em (1229/2048).
    const QVector<double> mono = TextMetrics::advances(kCourier, QStringLiteral("iW.,M 1"));
    for (double a : mono)
        EXPECT_NEAR(a, 8 * 96.0 / 72 * 1229 / 2048, 1e-6);
    // Arial is proportional, bold is wider, and sizes scale exactly.
    const FontSpec arial{QStringLiteral("Arial"), 8, false, false};
    EXPECT_GT(TextMetrics::width(arial, QStringLiteral("W")),
              2 * TextMetrics::width(arial, QStringLiteral("i")));
    EXPECT_GT(TextMetrics::width(kArialBold, QStringLiteral("PAYMENT")),
              TextMetrics::width(arial, QStringLiteral("PAYMENT")));
    FontSpec big = arial;
    big.pointSize = 16;
    EXPECT_NEAR(TextMetrics::width(big, QStringLiteral("Balance 1,234.56")),
                2 * TextMetrics::width(arial, QStringLiteral("Balance 1,234.56")), 1e-9);
    // Liberation Sans "0" is 1139/2048 em; heights follow the face's metrics.
    EXPECT_NEAR(TextMetrics::width(arial, QStringLiteral("0")), 8 * 96.0 / 72 * 1139 / 2048, 1e-6);
    EXPECT_NEAR(TextMetrics::height(arial), TextMetrics::ascent(arial) + TextMetrics::descent(arial), 1e-9);
    EXPECT_GT(TextMetrics::ascent(arial), 8 * 96.0 / 72 * 0.8);
    EXPECT_LT(TextMetrics::height(arial), 8 * 96.0 / 72 * 1.3);
    // A surrogate pair: the whole advance on its first unit.
    const QVector<double> pair = TextMetrics::advances(arial, QStringLiteral("\U0001F600"));
    ASSERT_EQ(pair.size(), 2);
    EXPECT_EQ(pair[1], 0.0);
}

QRgb at(const QImage &img, double x, double y)
{
    return img.pixel(int(x), int(y));
}

TEST_F(EmfWriterTest, PlayedPageShowsEachItemWhereItWasDrawn)
{
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(QColor(255, 0, 0));
    for (int y = 10; y < 20; ++y)
        for (int x = 0; x < 40; ++x)
            picture.setPixel(x, y, qRgb(0, 0, 255));

    EmfWriter w(QSizeF(816, 1056));
    w.drawRect(QRectF(100, 100, 200, 50), PenSpec{Qt::black, 1, true},
               BrushSpec{QColor(0xC0, 0xC0, 0xC0), false});
    w.drawRect(QRectF(400, 100, 200, 50), PenSpec{Qt::black, 2, false}, BrushSpec{Qt::white, true});
    w.drawText(QRectF(100, 300, 300, 20), HAlign::Left, {QStringLiteral("Arial"), 14, true, false},
               QStringLiteral("HELLO"));
    w.drawText(QRectF(400, 300, 300, 20), HAlign::Right, kCourier, QStringLiteral("8888"));
    w.drawImage(QRectF(100, 500, 160, 80), picture);
    w.drawPolyline(QPolygonF({QPointF(100, 620), QPointF(300, 620), QPointF(300, 640)}),
                   PenSpec{QColor(255, 0, 0), 3, false});
    const QByteArray emf = w.finish();

    QImage img(816, 1056, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    QString error;
    ASSERT_TRUE(EmfPlayer::play(emf, p, QRectF(0, 0, 816, 1056), &error)) << error.toStdString();
    p.end();

    // Filled rectangle: silver inside, nothing outside.
    EXPECT_EQ(at(img, 200, 125), qRgb(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(at(img, 101, 101), qRgb(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(at(img, 298, 148), qRgb(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(at(img, 97, 125), qRgb(255, 255, 255));
    EXPECT_EQ(at(img, 303, 125), qRgb(255, 255, 255));
    // Framed rectangle: black edges, white inside.
    EXPECT_EQ(at(img, 500, 100), qRgb(0, 0, 0));
    EXPECT_EQ(at(img, 500, 150), qRgb(0, 0, 0));
    EXPECT_EQ(at(img, 400, 125), qRgb(0, 0, 0));
    EXPECT_EQ(at(img, 600, 125), qRgb(0, 0, 0));
    EXPECT_EQ(at(img, 500, 125), qRgb(255, 255, 255));
    EXPECT_EQ(at(img, 500, 104), qRgb(255, 255, 255));
    // Text: ink inside the run's box only, starting at its left edge.
    const FontSpec title{QStringLiteral("Arial"), 14, true, false};
    const QRect hello = inkBox(img, QRect(80, 280, 340, 60));
    ASSERT_FALSE(hello.isNull());
    EXPECT_NEAR(hello.left(), 101, 2);
    // The last glyph's ink ends within its advance (its side bearing).
    EXPECT_LE(hello.right(), 101 + TextMetrics::width(title, QStringLiteral("HELLO")));
    EXPECT_GE(hello.right(), 96 + TextMetrics::width(title, QStringLiteral("HELLO")));
    EXPECT_GE(hello.top(), 300);
    EXPECT_LE(hello.bottom(), 300 + TextMetrics::ascent(title) + 1);
    // Right-aligned digits end at the rectangle's right edge.
    const QRect digits = inkBox(img, QRect(380, 280, 340, 60));
    ASSERT_FALSE(digits.isNull());
    EXPECT_NEAR(digits.right(), 700, 2);
    EXPECT_NEAR(digits.left(), 700 - TextMetrics::width(kCourier, QStringLiteral("8888")), 3);
    // Picture: red top half, blue bottom half, stretched into its target.
    EXPECT_EQ(at(img, 180, 510), qRgb(255, 0, 0));
    EXPECT_EQ(at(img, 180, 570), qRgb(0, 0, 255));
    EXPECT_EQ(at(img, 105, 520), qRgb(255, 0, 0));
    EXPECT_EQ(at(img, 255, 575), qRgb(0, 0, 255));
    EXPECT_EQ(at(img, 265, 540), qRgb(255, 255, 255));
    EXPECT_EQ(at(img, 180, 585), qRgb(255, 255, 255));
    // Polyline: both strokes in its pen's colour, nothing in the corner it turns around.
    EXPECT_EQ(at(img, 200, 620), qRgb(255, 0, 0));
    EXPECT_EQ(at(img, 300, 632), qRgb(255, 0, 0));
    EXPECT_EQ(at(img, 250, 632), qRgb(255, 255, 255));
    // Nothing anywhere else.
    EXPECT_TRUE(inkBox(img, QRect(0, 650, 816, 406)).isNull());
    EXPECT_TRUE(inkBox(img, QRect(650, 0, 166, 280)).isNull());
}

TEST_F(EmfWriterTest, PlaybackScalesTheFrameOntoTheTarget)
{
    EmfWriter w(QSizeF(816, 1056));
    w.drawRect(QRectF(408, 528, 100, 100), PenSpec{Qt::black, 1, true}, BrushSpec{Qt::black, false});
    const QByteArray emf = w.finish();
    QImage img(1632 + 20, 2112 + 20, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    ASSERT_TRUE(EmfPlayer::play(emf, p, QRectF(10, 10, 1632, 2112)));
    p.end();
    const QRect box = inkBox(img, img.rect());
    EXPECT_NEAR(box.left(), 10 + 816, 1);
    EXPECT_NEAR(box.top(), 10 + 1056, 1);
    EXPECT_NEAR(box.width(), 200, 2);
    EXPECT_NEAR(box.height(), 200, 2);
}

TEST_F(EmfWriterTest, NothingIsRecordedForEmptyItemsOrAfterFinish)
{
    EmfWriter w(QSizeF(816, 1056), QString());
    w.drawText(QRectF(0, 0, 10, 10), HAlign::Left, kCourier, QString());
    w.drawRect(QRectF(0, 0, 10, 10), PenSpec{Qt::black, 1, true}, BrushSpec{Qt::white, true});
    w.drawImage(QRectF(0, 0, 10, 10), QImage());
    const QByteArray first = w.finish();
    w.drawText(QRectF(0, 0, 100, 10), HAlign::Left, kCourier, QStringLiteral("late"));
    EXPECT_EQ(w.finish(), first);
    const std::optional<EmfInfo> info = EmfPlayer::inspect(first);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->handles, 1);
    EXPECT_TRUE(info->description.isEmpty());
    EXPECT_EQ(u32At(first, 60), 0u);
    EXPECT_TRUE(recordsOf(first, 84).empty());
    EXPECT_TRUE(recordsOf(first, 43).empty());
    EXPECT_TRUE(recordsOf(first, 81).empty());

    // A label without a width still prints its text at its position.
    EmfWriter narrow(QSizeF(816, 1056));
    narrow.drawText(QRectF(10, 20, 0, 17), HAlign::Left, kCourier, QStringLiteral("x"));
    const QByteArray one = narrow.finish();
    const auto runs = recordsOf(one, 84);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(i32At(one, runs[0].offset + 36), 150);
    EXPECT_EQ(i32At(one, runs[0].offset + 40), 300);
}

TEST_F(EmfWriterTest, LargePicturesAreReducedToWhatTheAreaShows)
{
    QImage photo(3000, 2000, QImage::Format_RGB32);
    photo.fill(QColor(10, 200, 30));
    EmfWriter w(QSizeF(816, 1056));
    w.drawImage(QRectF(265, 38, 190, 50), photo);
    const QByteArray emf = w.finish();
    const auto blits = recordsOf(emf, 81);
    ASSERT_EQ(blits.size(), 1u);
    const qsizetype bmi = blits[0].offset + 80;
    EXPECT_EQ(u16At(emf, bmi + 14), 24); // 24-bit
    EXPECT_EQ(u32At(emf, bmi + 16), 0u); // uncompressed
    EXPECT_GT(i32At(emf, bmi + 8), 0);   // bottom-up
    EXPECT_LE(i32At(emf, bmi + 4), qCeil(190 * 300 / 96.0));
    EXPECT_LE(i32At(emf, bmi + 8), qCeil(50 * 300 / 96.0));
    EXPECT_LT(emf.size(), 400 * 1024);
}

} // namespace
