#include "cli/pagescommand.h"

#include "engine/emf/emf.h"
#include "engine/pagefile/pagelist.h"

#include "pdf.h"
#include "support.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>

using namespace accrua;

using accrua::testsupport::pdfText;

namespace {

// Drawing pages needs fonts, hence a display-less GUI application.
class GuiEnvironment : public ::testing::Environment {
public:
    void SetUp() override { testsupport::ensureGuiApp(); }
};
const auto *const gui = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

const QString Fixtures =
    QFileInfo(QStringLiteral(__FILE__)).absolutePath() + QStringLiteral("/../engine/pagefile/data");

struct Outcome {
    int status;
    QString out;
    QString err;
};

Outcome run(int (*command)(const QStringList &, QTextStream &, QTextStream &), const QStringList &args)
{
    Outcome r;
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    r.status = command(args, out, err);
    out.flush();
    err.flush();
    return r;
}

Outcome pages(const QStringList &args)
{
    return run(cli::runPagesCommand, args);
}

Outcome render(const QStringList &args)
{
    return run(cli::runRenderCommand, args);
}

QByteArray reportPage(int n)
{
    engine::emf::EmfWriter writer(QSizeF(816, 1056));
    engine::emf::FontSpec title;
    title.pointSize = 14;
    title.bold = true;
    writer.drawText(QRectF(48, 49, 721, 30), engine::emf::HAlign::Center, title,
                    QStringLiteral("Amortization Schedule"));
    engine::emf::BrushSpec silver;
    silver.color = QColor(192, 192, 192);
    engine::emf::PenSpec pen;
    pen.width = 2;
    writer.drawRect(QRectF(48, 142, 719, 19), pen, silver);
    writer.drawText(QRectF(373, 1009, 60, 18), engine::emf::HAlign::Left, engine::emf::FontSpec(),
                    QStringLiteral("Page %1").arg(n));
    return writer.finish();
}

// A report page file of count pages drawn by the metafile writer.
QString writeReport(const QTemporaryDir &dir, int count, const QString &name = QStringLiteral("r.arp"))
{
    engine::pagefile::TRptPageList list;
    list.beginReport();
    for (int n = 1; n <= count; ++n)
        list.AddPage(reportPage(n));
    list.Finish();
    const QString path = dir.filePath(name);
    list.SaveToFile(path);
    return path;
}

TEST(PagesCommand, ListsHeaderAndRecords)
{
    struct Case {
        const char *file;
        const char *coded;
        int pages;
    };
    for (const Case &c : {Case{"good/three-pages.arp", "no", 3}, Case{"good/three-pages-coded.arp", "yes", 3},
                          Case{"good/zero-pages.arp", "no", 0}}) {
        const Outcome r = pages({Fixtures + QLatin1Char('/') + QLatin1String(c.file)});
        EXPECT_EQ(r.status, 0) << c.file << r.err.toStdString();
        EXPECT_TRUE(r.out.contains(QStringLiteral("Format number: 3\n")));
        EXPECT_TRUE(r.out.contains(QStringLiteral("Writer version: 305\n")));
        EXPECT_TRUE(r.out.contains(QStringLiteral("Pages: %1\n").arg(c.pages)));
        EXPECT_TRUE(r.out.contains(QStringLiteral("Coded bodies: %1\n").arg(QLatin1String(c.coded))));
        EXPECT_TRUE(r.out.contains(QStringLiteral("Written: 2025-12-09 12:00:00\n")));
        EXPECT_EQ(r.out.count(QStringLiteral("(0,0)-(")), c.pages) << r.out.toStdString();
    }
    // The plain file's records, as make_fixtures.py lays them out.
    const Outcome r = pages({Fixtures + QStringLiteral("/good/three-pages.arp")});
    EXPECT_TRUE(r.out.contains(
        QStringLiteral("   1     128          268         128             128  (0,0)-(816,1055)\n")))
        << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(
        QStringLiteral("   3     432          592         148             148  (0,0)-(818,1055)\n")));
}

class BrokenFile : public ::testing::TestWithParam<QString> {};

TEST_P(BrokenFile, BothCommandsExitOneWithALineNamingTheFile)
{
    const QString file = Fixtures + QStringLiteral("/broken/") + GetParam();
    QTemporaryDir dir;
    for (const Outcome &r :
         {pages({file}), render({file, QStringLiteral("--png"), dir.path()}),
          render({file, QStringLiteral("--pdf"), dir.filePath(QStringLiteral("x.pdf"))})}) {
        EXPECT_EQ(r.status, 1) << r.out.toStdString();
        EXPECT_TRUE(r.err.startsWith(QStringLiteral("accrua-cli: ")));
        EXPECT_TRUE(r.err.contains(GetParam())) << r.err.toStdString();
        EXPECT_EQ(r.err.count(QLatin1Char('\n')), 1) << r.err.toStdString();
    }
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(FromDisk, BrokenFile, ::testing::ValuesIn([] {
                             const QStringList names = QDir(Fixtures + QStringLiteral("/broken"))
                                                           .entryList({QStringLiteral("*.arp")});
                             return std::vector<QString>(names.begin(), names.end());
                         }()),
                         [](const auto &paramInfo) {
                             return QString(paramInfo.param)
                                 .remove(QStringLiteral(".arp"))
                                 .replace(QLatin1Char('-'), QLatin1Char('_'))
                                 .toStdString();
                         });

TEST(PagesCommand, MissingFileIsAnErrorAndBadArgumentsAreUsage)
{
    const Outcome missing = pages({QStringLiteral("/no/such/report.arp")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("report.arp")));

    const QString f = Fixtures + QStringLiteral("/good/three-pages.arp");
    for (const QStringList &args : {QStringList{}, QStringList{f, f}, QStringList{QStringLiteral("--json")}})
        EXPECT_EQ(pages(args).status, 2) << args.join(QLatin1Char(' ')).toStdString();

    for (const QStringList &args :
         {QStringList{}, QStringList{f}, QStringList{QStringLiteral("--pdf"), QStringLiteral("x.pdf")},
          QStringList{f, QStringLiteral("--pdf"), QStringLiteral("a.pdf"), QStringLiteral("--png"),
                      QStringLiteral("d")},
          QStringList{f, QStringLiteral("--pdf"), QStringLiteral("a.pdf"), QStringLiteral("--dpi"),
                      QStringLiteral("150")},
          QStringList{f, QStringLiteral("--png"), QStringLiteral("d"), QStringLiteral("--dpi"),
                      QStringLiteral("0")},
          QStringList{f, QStringLiteral("--png"), QStringLiteral("d"), QStringLiteral("--dpi"),
                      QStringLiteral("abc")},
          QStringList{f, QStringLiteral("--png"), QStringLiteral("d"), QStringLiteral("--dpi"),
                      QStringLiteral("100000")},
          QStringList{f, QStringLiteral("--png")},
          QStringList{f, QStringLiteral("--png"), QStringLiteral("d"), QStringLiteral("--bogus")},
          QStringList{f, f, QStringLiteral("--pdf"), QStringLiteral("a.pdf")}}) {
        const Outcome r = render(args);
        EXPECT_EQ(r.status, 2) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("accrua-cli --help")));
    }
}

TEST(RenderCommand, PdfHasOneLetterPagePerReportPageWithItsText)
{
    QTemporaryDir dir;
    const QString file = writeReport(dir, 3);
    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    const Outcome r = render({file, QStringLiteral("--pdf"), pdf});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();

    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    info.waitForFinished(30000);
    const QString infoText = QString::fromUtf8(info.readAllStandardOutput());
    EXPECT_TRUE(infoText.contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\n"))));
    EXPECT_TRUE(infoText.contains(QStringLiteral("612 x 792 pts (letter)")));

    const QStringList pageTexts = pdfText(pdf).split(QLatin1Char('\f'));
    ASSERT_GE(pageTexts.size(), 3);
    for (int n = 1; n <= 3; ++n) {
        EXPECT_TRUE(pageTexts[n - 1].contains(QStringLiteral("Amortization Schedule")));
        EXPECT_TRUE(pageTexts[n - 1].contains(QStringLiteral("Page %1").arg(n)))
            << pageTexts[n - 1].toStdString();
    }
}

TEST(RenderCommand, PngOneImagePerPageAtTheAskedResolution)
{
    struct Case {
        QStringList extra;
        QSize size;
    };
    for (const Case &c : {Case{{}, QSize(816, 1056)},
                          Case{{QStringLiteral("--dpi"), QStringLiteral("48")}, QSize(408, 528)}}) {
        QTemporaryDir dir;
        const QString file = writeReport(dir, 2);
        const QString out = dir.filePath(QStringLiteral("png/nested"));
        const Outcome r = render(QStringList{file, QStringLiteral("--png"), out} + c.extra);
        ASSERT_EQ(r.status, 0) << r.err.toStdString();
        EXPECT_EQ(QDir(out).entryList(QDir::Files),
                  (QStringList{QStringLiteral("page-0001.png"), QStringLiteral("page-0002.png")}));
        for (const QString &name : QDir(out).entryList(QDir::Files)) {
            const QImage image(QDir(out).filePath(name));
            ASSERT_FALSE(image.isNull());
            EXPECT_EQ(image.size(), c.size);
            EXPECT_EQ(image.pixelColor(2, 2), QColor(Qt::white));
            // The silver heading box, inside its frame.
            const QPoint inBox(qRound(400.0 * c.size.width() / 816), qRound(152.0 * c.size.width() / 816));
            EXPECT_EQ(image.pixelColor(inBox), QColor(192, 192, 192)) << name.toStdString();
        }
    }
}

TEST(RenderCommand, ADamagedPageStopsWithItsNumberAndLeavesNoPdf)
{
    QTemporaryDir dir;
    QByteArray bad = reportPage(2);
    // The record after the header claims a size that is not a multiple of 4.
    const quint32 headerSize = qFromLittleEndian<quint32>(bad.constData() + 4);
    qToLittleEndian<quint32>(7, bad.data() + headerSize + 4);
    engine::pagefile::TRptPageList list;
    list.beginReport();
    list.AddPage(reportPage(1));
    list.AddPage(bad);
    list.Finish();
    const QString file = dir.filePath(QStringLiteral("bad.arp"));
    list.SaveToFile(file);

    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    const Outcome r = render({file, QStringLiteral("--pdf"), pdf});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("bad.arp")) && r.err.contains(QStringLiteral("page 2")))
        << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST(RenderCommand, ZeroPagesWritesNothing)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("none.pdf"));
    const Outcome r =
        render({Fixtures + QStringLiteral("/good/zero-pages.arp"), QStringLiteral("--pdf"), pdf});
    EXPECT_EQ(r.status, 0);
    EXPECT_FALSE(QFile::exists(pdf));
}

} // namespace
