#include "support.h"

#include "engine/fonts/facemetrics.h"
#include "engine/fonts/fontfile.h"
#include "engine/fonts/locate.h"

#include <QFile>
#include <QFont>
#include <QRawFont>

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace accrua::engine::fonts;

namespace {

struct Style {
    const char *name;
    QString family;
    bool bold;
    bool italic;
};

class SameAsQt : public ::testing::TestWithParam<Style> {
protected:
    static void SetUpTestSuite() { accrua::testsupport::ensureGuiApp(); }
};

// The reports measure text from the face's file; before, Qt's font database
// measured it. Both must choose the same face and give the same numbers, or
// reports would move.
TEST_P(SameAsQt, FaceGlyphsAndMetrics)
{
    const Style &s = GetParam();
    QFont qf(s.family);
    qf.setPixelSize(2048);
    qf.setBold(s.bold);
    qf.setItalic(s.italic);
    qf.setHintingPreference(QFont::PreferNoHinting);
    qf.setStyleStrategy(QFont::StyleStrategy(QFont::NoFontMerging | QFont::PreferOutline));
    const QRawFont qt = QRawFont::fromFont(qf);
    ASSERT_TRUE(qt.isValid());

    const auto where = locate(s.family, s.bold, s.italic);
    ASSERT_TRUE(where);
    const auto file = FontFile::open(where->path, where->index);
    ASSERT_TRUE(file) << where->path.toStdString();
    const auto ours = FaceMetrics::load(*file);
    ASSERT_TRUE(ours) << where->path.toStdString();

    EXPECT_EQ(ours->ascentEm(), qt.ascent() / 2048) << where->path.toStdString();
    EXPECT_EQ(ours->descentEm(), qt.descent() / 2048);
    QString sample;
    for (char16_t c = 0x20; c < 0x180; ++c)
        sample.append(QChar(c));
    sample += QStringLiteral("\u20ac\u2013\u2014\u201c\u201d\u2022\u2026\u4e00\uffff");
    for (QChar c : sample) {
        const QList<quint32> glyphs = qt.glyphIndexesForString(QString(c));
        ASSERT_EQ(glyphs.size(), 1);
        EXPECT_EQ(ours->glyph(c.unicode()), glyphs[0]) << "U+" << std::hex << int(c.unicode());
        const double advance = qt.advancesForGlyphIndexes(glyphs, QRawFont::UseDesignMetrics)[0].x() / 2048;
        EXPECT_EQ(ours->advanceEm(glyphs[0]), advance) << "U+" << std::hex << int(c.unicode());
    }
}

INSTANTIATE_TEST_SUITE_P(
    ReportFaces, SameAsQt,
    ::testing::Values(Style{"SansRegular", QStringLiteral("Liberation Sans"), false, false},
                      Style{"SansBold", QStringLiteral("Liberation Sans"), true, false},
                      Style{"SansItalic", QStringLiteral("Liberation Sans"), false, true},
                      Style{"SansBoldItalic", QStringLiteral("Liberation Sans"), true, true},
                      Style{"MonoRegular", QStringLiteral("Liberation Mono"), false, false},
                      Style{"MonoBold", QStringLiteral("Liberation Mono"), true, false},
                      Style{"SerifRegular", QStringLiteral("Liberation Serif"), false, false},
                      Style{"SerifBoldItalic", QStringLiteral("Liberation Serif"), true, true},
                      Style{"NoSuchFamily", QStringLiteral("No Such Family Accrua"), false, false}),
    [](const ::testing::TestParamInfo<Style> &p) { return std::string(p.param.name); });

} // namespace
