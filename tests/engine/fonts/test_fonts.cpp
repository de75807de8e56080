#include "support.h"

#include "engine/fonts/facemetrics.h"
#include "engine/fonts/fontfile.h"
#include "engine/fonts/locate.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QRawFont>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <functional>
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

// A face file cut short or with a damaged table directory is read without
// reading past its end, and whatever loads maps characters to glyphs the
// face has.
TEST(FontFileProperty, DamagedFilesStayInBounds)
{
    const auto where = locate(QStringLiteral("Liberation Sans"), false, false);
    ASSERT_TRUE(where);
    QFile f(where->path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray whole = f.readAll();
    ASSERT_TRUE(FaceMetrics::load(*FontFile::fromBytes(whole)));
    EXPECT_FALSE(FontFile::fromBytes(whole, 1)) << "a single face has no second one";

    std::mt19937 random(21);
    int loaded = 0;
    for (int round = 0; round < 400; ++round) {
        QByteArray damaged = whole;
        if (round % 2 == 0) {
            damaged.truncate(qsizetype(random() % quint32(whole.size())));
        } else {
            const int header = 12 + 16 * 20; // the table directory
            for (int k = 0; k < 4; ++k)
                damaged[qsizetype(random() % header)] = char(random());
        }
        const auto file = FontFile::fromBytes(damaged);
        if (!file)
            continue;
        const auto metrics = FaceMetrics::load(*file);
        if (!metrics)
            continue;
        ++loaded;
        for (char32_t cp : {U'A', U'9', U'\u00e9', U'\u20ac', U'\U0001F600', char32_t(0x10FFFF)}) {
            const quint32 g = metrics->glyph(cp);
            EXPECT_LT(g, quint32(std::max(1, metrics->glyphCount())));
            EXPECT_TRUE(std::isfinite(metrics->advanceEm(g)));
        }
    }
    EXPECT_GT(loaded, 0) << "some damaged files still load";
}

// Remembered face locations are used only while everything fontconfig's
// answer depends on is as it was.
struct CacheCase {
    const char *name;
    std::function<void(QByteArray &cache, const QString &configHome)> change; // after the file was written
    bool remembered;                                                          // the remembered place is used
};

class LocationCache : public ::testing::TestWithParam<CacheCase> {};

TEST_P(LocationCache, StandsOnlyWhileNothingChanged)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray configHome = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toUtf8());
    const QString path = dir.filePath(QStringLiteral("cache/faces"));
    rememberLocationsIn(path);
    const auto real = locate(QStringLiteral("Liberation Mono"), true, false);
    ASSERT_TRUE(real);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << "written on the first look-up";
    QByteArray cache = f.readAll();
    f.close();
    // Points the remembered face elsewhere, to see whether it is used.
    const QByteArray fake = "/nonexistent/Remembered.ttf";
    const QByteArray line = QByteArray("\t") + real->path.toUtf8() + "\t0\n";
    ASSERT_TRUE(cache.contains(line));
    cache.replace(line, QByteArray(QByteArray("\t") + fake + "\t0\n"));
    GetParam().change(cache, dir.filePath(QStringLiteral("config")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(cache);
    f.close();

    rememberLocationsIn(path);
    const auto found = locate(QStringLiteral("Liberation Mono"), true, false);
    rememberLocationsIn(QString());
    qputenv("XDG_CONFIG_HOME", configHome);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->path.toUtf8(), GetParam().remembered ? fake : real->path.toUtf8());
}

INSTANTIATE_TEST_SUITE_P(
    Changes, LocationCache,
    ::testing::Values(
        CacheCase{"Nothing", [](QByteArray &, const QString &) {}, true},
        CacheCase{"AWatchedFileChanged",
                  [](QByteArray &c, const QString &) {
                      const qsizetype line = c.indexOf("\nwatch\t");
                      c.insert(c.indexOf('\t', line + 7) + 1, "1");
                  },
                  false},
        CacheCase{
            "AConfigurationAppeared",
            [](QByteArray &, const QString &home) { QDir().mkpath(home + QStringLiteral("/fontconfig")); },
            false},
        CacheCase{"TheEnvironmentChanged",
                  [](QByteArray &c, const QString &) { c.replace("env\tFC_LANG\t", "env\tFC_LANG\t=xx"); },
                  false},
        CacheCase{"AnotherVersion",
                  [](QByteArray &c, const QString &) { c.replace("locations 1", "locations 2"); }, false},
        CacheCase{"CutShort",
                  [](QByteArray &c, const QString &) { c.truncate(c.indexOf("\nenv\tLANG") + 6); }, false},
        CacheCase{"Garbage", [](QByteArray &c, const QString &) { c.append("face\tonly three\tfields\n"); },
                  false}),
    [](const ::testing::TestParamInfo<CacheCase> &p) { return std::string(p.param.name); });

// A FIFO where the remembered locations should be is neither read, which
// would wait for a writer for ever, nor replaced. In a child with an alarm,
// so that a wait fails the test instead of hanging it.
TEST(LocationCacheFile, AFifoIsNeitherReadNorReplaced)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("faces"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::alarm(10);
        rememberLocationsIn(path);
        ::_exit(locate(QStringLiteral("Liberation Mono"), true, false) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

} // namespace
