#include "emf_support.h"
#include "jpeg.h"
#include "support.h"

#include "engine/emf/emf.h"
#include "engine/picture/picture.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

using namespace accrua::engine::emf;
using namespace accrua::engine::picture;
using namespace accrua::engine::emf::testing;

namespace {

class PictureTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { accrua::testsupport::ensureGuiApp(); }
};

// Left half red, right half blue.
QImage twoColours(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, x < w / 2 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
    return img;
}

// Quality 95, as the tolerances below were set for.
QByteArray encodeJpeg(const QImage &img, bool gray, bool progressive = false)
{
    using accrua::testsupport::JpegKind;
    return accrua::testsupport::encodeJpeg(img,
                                           gray          ? JpegKind::Gray
                                           : progressive ? JpegKind::Progressive
                                                         : JpegKind::Baseline420,
                                           95);
}

QByteArray encodeWithQt(const QImage &img, const char *format)
{
    QByteArray data;
    QBuffer buf(&data);
    buf.open(QIODevice::WriteOnly);
    EXPECT_TRUE(img.save(&buf, format));
    return data;
}

bool near(QRgb a, QRgb b, int tolerance)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

TEST_F(PictureTest, EachKnownKindLoads)
{
    const QImage src = twoColours(32, 16);
    QImage big(64, 64, QImage::Format_ARGB32);
    big.fill(qRgb(0, 255, 0));
    EmfWriter w(QSizeF(200, 100));
    w.drawRect(QRectF(0, 0, 100, 100), PenSpec{Qt::black, 1, true}, BrushSpec{Qt::red, false});
    w.drawRect(QRectF(100, 0, 100, 100), PenSpec{Qt::black, 1, true}, BrushSpec{Qt::blue, false});
    const QByteArray emf = w.finish();

    struct Row {
        const char *name;
        QByteArray data;
        QString extension;
        QSize size;
        int tolerance;
    };
    const Row rows[] = {
        {"jpeg", encodeJpeg(src, false), QStringLiteral("jpg"), QSize(32, 16), 40},
        {"jpeg, long extension in capitals", encodeJpeg(src, false), QStringLiteral("JPEG"), QSize(32, 16),
         40},
        {"progressive jpeg", encodeJpeg(src, false, true), QStringLiteral("jpg"), QSize(32, 16), 40},
        {"bitmap", encodeWithQt(src, "BMP"), QStringLiteral("bmp"), QSize(32, 16), 0},
        {"icon", encodeWithQt(src, "ICO"), QStringLiteral("ico"), QSize(32, 16), 0},
        {"metafile", emf, QStringLiteral("emf"), QSize(200, 100), 0},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        QImage img;
        try {
            img = loadPictureData(row.data, row.extension);
        } catch (const PictureError &e) {
            FAIL() << e.message().toStdString();
        }
        ASSERT_EQ(img.size(), row.size);
        EXPECT_TRUE(
            near(img.pixel(row.size.width() / 4, row.size.height() / 2), qRgb(255, 0, 0), row.tolerance));
        EXPECT_TRUE(
            near(img.pixel(row.size.width() * 3 / 4, row.size.height() / 2), qRgb(0, 0, 255), row.tolerance));
    }
    // A grey JPEG comes back grey.
    const QImage grey = loadPictureData(encodeJpeg(src, true), QStringLiteral("jpg"));
    const QRgb p = grey.pixel(4, 4);
    EXPECT_EQ(qRed(p), qGreen(p));
    EXPECT_EQ(qGreen(p), qBlue(p));
}

TEST_F(PictureTest, IconWithSeveralImagesGivesTheLargest)
{
    QImage small(16, 16, QImage::Format_ARGB32);
    small.fill(Qt::red);
    QImage large(48, 48, QImage::Format_ARGB32);
    large.fill(Qt::blue);
    // An ICO directory of two entries, each a PNG-less BMP made by Qt's writer.
    const QByteArray a = encodeWithQt(small, "ICO"), b = encodeWithQt(large, "ICO");
    // Each single-image icon: 6-byte header, one 16-byte entry, then the image.
    QByteArray ico = QByteArray::fromHex("000001000200");
    QByteArray entryA = a.mid(6, 16), entryB = b.mid(6, 16);
    const QByteArray imageA = a.mid(22), imageB = b.mid(22);
    setU32(entryA, 12, 6 + 32);
    setU32(entryB, 12, quint32(6 + 32 + imageA.size()));
    ico += entryA + entryB + imageA + imageB;
    const QImage img = loadPictureData(ico, QStringLiteral("ico"));
    EXPECT_EQ(img.size(), QSize(48, 48));
    EXPECT_EQ(img.pixel(10, 10), qRgb(0, 0, 255));
}

TEST_F(PictureTest, MetafilePicturesAreSizedFromTheirFrameWithinBounds)
{
    EmfWriter w(QSizeF(40000, 2000));
    w.drawRect(QRectF(0, 0, 20000, 2000), PenSpec{}, BrushSpec{Qt::red, false});
    const QImage img = loadPictureData(w.finish(), QStringLiteral("emf"));
    EXPECT_EQ(img.width(), 4096);
    EXPECT_NEAR(img.height(), 4096 / 20, 1);
    EXPECT_EQ(img.pixel(1000, 100), qRgb(255, 0, 0));
    EXPECT_EQ(qAlpha(img.pixel(3000, 100)), 0); // undrawn parts stay transparent
}

TEST_F(PictureTest, UnknownExtensionsFailWithTheExactMessage)
{
    struct Row {
        QString path;
        QString message;
    };
    const Row rows[] = {
        {QStringLiteral("/nowhere/logo.gif"), QStringLiteral("Unknown picture file extension (.gif)")},
        {QStringLiteral("/nowhere/Logo.PNG"), QStringLiteral("Unknown picture file extension (.PNG)")},
        {QStringLiteral("/nowhere/logo.wmf"), QStringLiteral("Unknown picture file extension (.wmf)")},
        {QStringLiteral("/nowhere/logo"), QStringLiteral("Unknown picture file extension (.)")},
        {QStringLiteral("/no.where/logo.tar.gz"), QStringLiteral("Unknown picture file extension (.gz)")},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.path.toStdString());
        try {
            loadPicture(row.path);
            ADD_FAILURE() << "loaded";
        } catch (const PictureError &e) {
            EXPECT_EQ(e.message(), row.message);
        }
    }
    try {
        loadPictureData(QByteArray("GIF89a"), QStringLiteral("Gif"));
        ADD_FAILURE() << "loaded";
    } catch (const PictureError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Unknown picture file extension (.Gif)"));
    }
}

TEST_F(PictureTest, DamagedPicturesFailCleanly)
{
    const QImage src = twoColours(64, 32);
    const QByteArray jpeg = encodeJpeg(src, false);
    const QByteArray bmp = encodeWithQt(src, "BMP");
    const QByteArray ico = encodeWithQt(src, "ICO");
    EmfWriter w(QSizeF(100, 100));
    w.drawRect(QRectF(10, 10, 50, 50), PenSpec{}, BrushSpec{Qt::red, false});
    const QByteArray emf = w.finish();

    QByteArray hugeJpeg = jpeg;
    // Start-of-frame: FF C0, length, precision, then height and width.
    const qsizetype sof = hugeJpeg.indexOf(QByteArray::fromHex("ffc0"));
    ASSERT_GT(sof, 0);
    hugeJpeg[sof + 5] = char(0xEA), hugeJpeg[sof + 6] = char(0x60);
    hugeJpeg[sof + 7] = char(0xEA), hugeJpeg[sof + 8] = char(0x60);
    QByteArray hugeBmp = bmp;
    setU32(hugeBmp, 18, 100000);
    setU32(hugeBmp, 22, 100000);
    QByteArray badEmf = emf;
    setU32(badEmf, 48, quint32(emf.size() + 100));

    struct Row {
        const char *name;
        QByteArray data;
        QString extension;
    };
    const Row rows[] = {
        {"empty jpeg", QByteArray(), QStringLiteral("jpg")},
        {"jpeg truncated", jpeg.left(jpeg.size() / 2), QStringLiteral("jpg")},
        {"jpeg header only", jpeg.left(20), QStringLiteral("jpg")},
        {"jpeg with a wrong header", QByteArray("not a jpeg at all, really"), QStringLiteral("jpg")},
        {"bitmap named as jpeg", bmp, QStringLiteral("jpeg")},
        {"jpeg of absurd dimensions", hugeJpeg, QStringLiteral("jpg")},
        {"bitmap truncated", bmp.left(bmp.size() / 3), QStringLiteral("bmp")},
        {"bitmap with a wrong header", QByteArray("XX") + bmp.mid(2), QStringLiteral("bmp")},
        {"bitmap of absurd dimensions", hugeBmp, QStringLiteral("bmp")},
        {"jpeg named as bitmap", jpeg, QStringLiteral("bmp")},
        {"icon truncated", ico.left(10), QStringLiteral("ico")},
        {"metafile damaged", badEmf, QStringLiteral("emf")},
        {"metafile truncated", emf.left(50), QStringLiteral("emf")},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        try {
            const QImage img = loadPictureData(row.data, row.extension);
            ADD_FAILURE() << "loaded " << img.width() << "x" << img.height();
        } catch (const PictureError &e) {
            EXPECT_FALSE(e.message().isEmpty());
        }
    }
    try {
        loadPictureData(hugeJpeg, QStringLiteral("jpg"));
    } catch (const PictureError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("too large"))) << e.message().toStdString();
    }
    try {
        loadPictureData(jpeg.left(jpeg.size() / 2), QStringLiteral("jpg"));
    } catch (const PictureError &e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Damaged JPEG picture")))
            << e.message().toStdString();
    }
}

TEST_F(PictureTest, FilesAreReadFromDiskAndNamedInErrors)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString good = dir.filePath(QStringLiteral("logo.Jpg"));
    const QString bad = dir.filePath(QStringLiteral("broken.jpg"));
    {
        QFile f(good);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(encodeJpeg(twoColours(10, 10), false));
        QFile g(bad);
        ASSERT_TRUE(g.open(QIODevice::WriteOnly));
        g.write("\xFF\xD8\xFF garbage");
    }
    EXPECT_EQ(loadPicture(good).size(), QSize(10, 10));
    for (const QString &path : {bad, dir.filePath(QStringLiteral("missing.bmp"))}) {
        try {
            loadPicture(path);
            ADD_FAILURE() << "loaded " << path.toStdString();
        } catch (const PictureError &e) {
            EXPECT_TRUE(e.message().contains(path)) << e.message().toStdString();
        }
    }
}

} // namespace
