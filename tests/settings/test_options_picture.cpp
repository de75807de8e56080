#include "options_support.h"

#include "engine/picture/picture.h"
#include "settings/optionspicture.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <ostream>

using namespace accrua;
using namespace accrua::settings;
using testsupport::JpegKind;

namespace {

const QSize kArea(190, 50);

struct JpegCase {
    const char *name;
    JpegKind kind;
    QSize size;
};

std::ostream &operator<<(std::ostream &os, const JpegCase &c)
{
    return os << c.name;
}

class PreviewTest : public ::testing::TestWithParam<JpegCase> {
protected:
    QString write(const QString &name, const QByteArray &content)
    {
        const QString path = m_dir.path() + QLatin1Char('/') + name;
        EXPECT_TRUE(testsupport::writeFile(path, content));
        return path;
    }
    QTemporaryDir m_dir;
};

// The quick decoding shows exactly the pixels a full load shows in the area.
TEST_P(PreviewTest, CutPreviewEqualsTheFullPictureCut)
{
    const JpegCase &c = GetParam();
    const QString path = write(
        "p.jpg", testsupport::encodeJpeg(testsupport::patternImage(c.size.width(), c.size.height()), c.kind));
    const QImage full = engine::picture::loadPicture(path);
    const PreviewPicture preview = loadPreviewPicture(path, kArea, PreviewFit::CutAtEdges);
    EXPECT_EQ(preview.fullSize, c.size);
    const QImage expected = full.copy(QRect(QPoint(0, 0), c.size.boundedTo(kArea)));
    EXPECT_EQ(preview.image.convertToFormat(QImage::Format_RGB32),
              expected.convertToFormat(QImage::Format_RGB32));
}

// A damaged end is found although its rows are not shown, with the loader's words.
TEST_P(PreviewTest, DamagedFileFailsAsTheLoaderFails)
{
    const JpegCase &c = GetParam();
    const QByteArray jpeg =
        testsupport::encodeJpeg(testsupport::patternImage(c.size.width(), c.size.height()), c.kind);
    const QString path = write("damaged.jpg", jpeg.left(jpeg.size() * 9 / 10));
    QString loaderError;
    try {
        engine::picture::loadPicture(path);
    } catch (const engine::picture::PictureError &e) {
        loaderError = e.message();
    }
    ASSERT_FALSE(loaderError.isEmpty());
    for (const PreviewFit fit : {PreviewFit::CutAtEdges, PreviewFit::ScaleToFit}) {
        try {
            loadPreviewPicture(path, kArea, fit);
            ADD_FAILURE() << "a damaged picture was shown";
        } catch (const engine::picture::PictureError &e) {
            EXPECT_EQ(e.message(), loaderError);
        }
    }
}

TEST_P(PreviewTest, FittedPreviewKeepsProportionsWithinTheArea)
{
    const JpegCase &c = GetParam();
    const QString path = write(
        "p.jpg", testsupport::encodeJpeg(testsupport::patternImage(c.size.width(), c.size.height()), c.kind));
    const QSize pane(156, 156);
    const PreviewPicture preview = loadPreviewPicture(path, pane, PreviewFit::ScaleToFit);
    EXPECT_EQ(preview.fullSize, c.size);
    EXPECT_EQ(preview.image.size(), c.size.scaled(pane, Qt::KeepAspectRatio).boundedTo(c.size));
}

INSTANTIATE_TEST_SUITE_P(
    Jpeg, PreviewTest,
    ::testing::Values(JpegCase{"Baseline420Large", JpegKind::Baseline420, QSize(2000, 2000)},
                      JpegCase{"Baseline444Wide", JpegKind::Baseline444, QSize(640, 120)},
                      JpegCase{"GrayOddSize", JpegKind::Gray, QSize(301, 77)},
                      JpegCase{"ProgressiveTall", JpegKind::Progressive, QSize(250, 900)},
                      JpegCase{"SmallerThanTheArea", JpegKind::Baseline420, QSize(120, 33)},
                      JpegCase{"OneRowBelowTheArea", JpegKind::Baseline420, QSize(190, 51)}),
    [](const ::testing::TestParamInfo<JpegCase> &paramInfo) { return std::string(paramInfo.param.name); });

struct ScaleCase {
    const char *name;
    QSize full;
    QSize target;
    int numerator;
};

std::ostream &operator<<(std::ostream &os, const ScaleCase &c)
{
    return os << c.name;
}

class ScaleTest : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(ScaleTest, SmallestScaleThatStillCoversTheTarget)
{
    const ScaleCase &c = GetParam();
    EXPECT_EQ(jpegScaleNumerator(c.full, c.target), c.numerator);
}

INSTANTIATE_TEST_SUITE_P(
    Jpeg, ScaleTest,
    ::testing::Values(ScaleCase{"EighthIsEnough", QSize(2000, 2000), QSize(156, 156), 1},
                      ScaleCase{"EighthJustShort", QSize(1240, 1240), QSize(156, 156), 2},
                      ScaleCase{"EighthRoundsUp", QSize(1241, 1241), QSize(156, 156), 1},
                      ScaleCase{"NoShrinking", QSize(100, 80), QSize(100, 80), 8},
                      ScaleCase{"TallPicture", QSize(400, 3000), QSize(20, 156), 1},
                      ScaleCase{"ThreeEighths", QSize(400, 400), QSize(150, 150), 3}),
    [](const ::testing::TestParamInfo<ScaleCase> &paramInfo) { return std::string(paramInfo.param.name); });

} // namespace
