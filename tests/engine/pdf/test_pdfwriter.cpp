// The PDF writer against Qt's PDF engine on the same metafile pages: qpdf
// finds no fault, pdffonts lists embedded Liberation subsets with Unicode
// maps, pdftotext reads the same text in the same layout, and the pages
// rendered by pdftoppm differ from Qt's in few pixels. Pages the writer does
// not draw, or damaged ones, are refused. What a thread keeps from one
// document for the next changes no byte of them.
#include "engine/emf/emfplayer.h"
#include "engine/emf/emfwriter.h"
#include "engine/emf/pagesize.h"
#include "engine/emf/records.h"
#include "engine/emf/textmetrics.h"
#include "engine/pdf/document.h"
#include "engine/pdf/pdfwriter.h"
#include "jpeg.h"
#include "support.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <thread>
#include <vector>

using namespace accrua::engine;

namespace {

template <class Case> std::string caseName(const testing::TestParamInfo<Case> &param)
{
    return param.param.name;
}

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run tool(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return {};
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

bool toolsPresent()
{
    for (const char *t : {"qpdf", "pdffonts", "pdftotext", "pdftoppm"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(t)).isEmpty())
            return false;
    return true;
}

// What Qt's engine makes of the pages: the player on a QPdfWriter, as
// documents were written before the direct writer.
QByteArray throughQt(const std::vector<QByteArray> &pages, const QString &file)
{
    QPdfWriter writer(file);
    writer.setResolution(1200);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF()));
    QPainter painter(&writer);
    for (size_t n = 0; n < pages.size(); ++n) {
        if (n > 0)
            writer.newPage();
        emf::EmfPlayer::play(pages[n], painter, writer.pageLayout().fullRectPixels(1200));
    }
    painter.end();
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const emf::FontSpec kSans{QStringLiteral("Arial"), 8, false, false};
const emf::FontSpec kSansBold{QStringLiteral("Arial"), 14, true, false};
const emf::FontSpec kMono{QStringLiteral("Courier New"), 8, false, false};

struct PageCase {
    const char *name;
    std::function<void(emf::EmfWriter &, int page)> draw;
    bool carriesJpeg = false; // the PDF holds sampleJpeg() byte for byte
};

const QByteArray &sampleJpeg()
{
    static const QByteArray jpeg = [] {
        QImage image(90, 60, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, qRgb(x * 2, 200 - y * 3, (x * y) % 256));
        return accrua::testsupport::encodeJpeg(image, accrua::testsupport::JpegKind::Baseline420);
    }();
    return jpeg;
}

void table(emf::EmfWriter &w, int page)
{
    w.drawText(QRectF(48, 40, 720, 20), emf::HAlign::Center, kSansBold,
               QStringLiteral("Amortization Schedule"));
    for (int row = 0; row < 40; ++row) {
        const double y = 80 + row * 16;
        const int n = page * 40 + row + 1;
        w.drawText(QRectF(48, y, 40, 14), emf::HAlign::Right, kMono, QString::number(n));
        w.drawText(QRectF(110, y, 100, 14), emf::HAlign::Left, kMono,
                   QStringLiteral("%1/1/2026").arg(n % 12 + 1));
        w.drawText(QRectF(230, y, 120, 14), emf::HAlign::Right, kMono, QStringLiteral("1,%1.97").arg(n * 37));
        w.drawText(QRectF(380, y, 200, 14), emf::HAlign::Left, kSans,
                   QStringLiteral("Zürich, naïve €%1 – ok").arg(n));
    }
    w.drawText(QRectF(48, 1000, 720, 14), emf::HAlign::Center, kSans,
               QStringLiteral("Page %1").arg(page + 1));
}

void boxes(emf::EmfWriter &w, int page)
{
    w.drawRect(QRectF(48, 48, 720, 24), emf::PenSpec{Qt::black, 2, false},
               emf::BrushSpec{QColor(192, 192, 192)});
    w.drawRect(QRectF(60, 100, 300, 200), emf::PenSpec{Qt::darkBlue, 1, false},
               emf::BrushSpec{Qt::white, true});
    w.drawRect(QRectF(400, 100, 300, 200), emf::PenSpec{Qt::black, 1, true},
               emf::BrushSpec{QColor(255, 230, 200)});
    w.drawText(QRectF(54, 52, 200, 14), emf::HAlign::Left, kSans, QStringLiteral("PMT %1").arg(page));
}

void picture(emf::EmfWriter &w, int page)
{
    QImage image(120, 80, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 2, y * 3, 128 + page * 60));
    w.drawImage(QRectF(100, 100, 240, 160), image);
    w.drawImage(QRectF(400, 100, 120, 80), image);
    w.drawText(QRectF(100, 280, 300, 14), emf::HAlign::Left, kSans, QStringLiteral("HOME LOAN"));
}

void jpegPicture(emf::EmfWriter &w, int)
{
    const QImage decoded = QImage::fromData(sampleJpeg(), "JPG");
    w.drawImage(QRectF(265, 38, decoded.width(), decoded.height()), decoded, sampleJpeg());
    w.drawText(QRectF(100, 280, 300, 14), emf::HAlign::Left, kSans, QStringLiteral("HOME LOAN"));
}

// Cases whose PDFs are read back by qpdf and poppler's tools.
template <class Case> class WithPdfTools : public testing::TestWithParam<Case> {
protected:
    void SetUp() override
    {
        accrua::testsupport::ensureGuiApp();
        if (!toolsPresent())
            GTEST_SKIP() << "qpdf and poppler-utils are not installed";
    }
};

class PdfAgainstQt : public WithPdfTools<PageCase> {};

TEST_P(PdfAgainstQt, IsSoundAndReadsAndLooksAsQtsPdf)
{
    std::vector<QByteArray> pages;
    for (int page = 0; page < 2; ++page) {
        emf::EmfWriter w(emf::kLetterPage);
        GetParam().draw(w, page);
        pages.push_back(w.finish());
    }
    QTemporaryDir dir;
    const QString ours = dir.filePath(QStringLiteral("ours.pdf")),
                  qt = dir.filePath(QStringLiteral("qt.pdf"));
    pdf::PdfWriter writer(QStringLiteral("Report"));
    for (const QByteArray &page : pages)
        ASSERT_EQ(writer.addPage(page), pdf::PlayResult::Played);
    const QByteArray bytes = writer.finish();
    EXPECT_EQ(bytes.contains(sampleJpeg()), GetParam().carriesJpeg);
    QFile file(ours);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    ASSERT_FALSE(throughQt(pages, qt).isEmpty());

    EXPECT_EQ(tool(QStringLiteral("qpdf"), {QStringLiteral("--check"), ours}).exitCode, 0);

    // Every font embedded as a subset of a Liberation face, with a Unicode map.
    const QList<QByteArray> fonts = tool(QStringLiteral("pdffonts"), {ours}).out.split('\n').mid(2);
    for (const QByteArray &line : fonts) {
        if (line.trimmed().isEmpty())
            continue;
        EXPECT_TRUE(line.contains("+Liberation")) << line.toStdString();
        EXPECT_TRUE(line.simplified().contains("yes yes yes")) << line.toStdString();
    }

    const QStringList layout{QStringLiteral("-layout"), QString(), QStringLiteral("-")};
    const auto text = [&](const QString &pdf) {
        QStringList args = layout;
        args[1] = pdf;
        return tool(QStringLiteral("pdftotext"), args).out;
    };
    const QByteArray ourText = text(ours);
    EXPECT_FALSE(ourText.trimmed().isEmpty());
    EXPECT_EQ(ourText, text(qt));

    // Pixels that differ by more than a quarter of the grey range, per page,
    // at 100 dpi: anti-aliasing at glyph edges, nothing more.
    for (const QString &pdfFile : {ours, qt})
        ASSERT_EQ(tool(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("100"),
                                                    QStringLiteral("-gray"), pdfFile, pdfFile})
                      .exitCode,
                  0);
    for (int page = 1; page <= 2; ++page) {
        const QImage a(ours + QStringLiteral("-%1.pgm").arg(page)),
            b(qt + QStringLiteral("-%1.pgm").arg(page));
        ASSERT_FALSE(a.isNull());
        ASSERT_EQ(a.size(), b.size());
        qint64 differing = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                differing += std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y))) > 64;
        EXPECT_LT(double(differing) / (a.width() * a.height()), 0.002) << "page " << page;
    }
}

INSTANTIATE_TEST_SUITE_P(Pages, PdfAgainstQt,
                         testing::Values(PageCase{"TextInBothFacesAndAlignments", table},
                                         PageCase{"FilledAndFramedRectangles", boxes},
                                         PageCase{"StretchedAndPlainPictures", picture},
                                         PageCase{"JpegPictureAsItIs", jpegPicture, true}),
                         caseName<PageCase>);

struct RefusedCase {
    const char *name;
    std::function<QByteArray(QByteArray)> spoil;
    pdf::PlayResult expected;
};

class PdfRefuses : public testing::TestWithParam<RefusedCase> {};

// A record placed before the end-of-file record.
QByteArray withRecord(QByteArray page, const std::vector<quint32> &fields)
{
    emf::records::Sink record;
    emf::records::Writer w(record);
    for (quint32 f : fields)
        w.u32(f);
    const qsizetype eof = page.size() - 20;
    page.insert(eof, record.bytes.left(record.size));
    const emf::records::Reader header(reinterpret_cast<const uchar *>(page.constData()), page.size());
    const quint32 records = header.u32(52) + 1;
    emf::records::patchU32(page, 48, quint32(page.size()));
    emf::records::patchU32(page, 52, records);
    return page;
}

TEST_P(PdfRefuses, PagesItDoesNotDrawOrThatAreDamaged)
{
    accrua::testsupport::ensureGuiApp();
    emf::EmfWriter w(emf::kLetterPage);
    w.drawText(QRectF(48, 40, 200, 14), emf::HAlign::Left, kSans, QStringLiteral("text"));
    const QByteArray page = GetParam().spoil(w.finish());
    pdf::PdfWriter writer;
    QString why;
    EXPECT_EQ(writer.addPage(page, &why), GetParam().expected);
    EXPECT_FALSE(why.isEmpty());
}

// A document made as its pages come: a damaged page is named when it is
// finished and nothing is written; one only Qt draws has the whole document
// written by Qt's engine. (Good pages: GoldenPdf in the report tests.)
TEST_P(PdfRefuses, StreamedDocumentStopsAtThatPage)
{
    accrua::testsupport::ensureGuiApp();
    emf::EmfWriter w(emf::kLetterPage);
    w.drawText(QRectF(48, 40, 200, 14), emf::HAlign::Left, kSans, QStringLiteral("text"));
    const QByteArray good = w.finish();
    pdf::StreamedDocument streamed(QStringLiteral("T"));
    for (const QByteArray &page : {good, GetParam().spoil(good), good})
        streamed.add(page);
    QBuffer device;
    device.open(QIODevice::WriteOnly);
    const auto failure = streamed.finish(device);
    if (GetParam().expected == pdf::PlayResult::Unsupported) {
        EXPECT_FALSE(failure);
        EXPECT_TRUE(device.data().startsWith("%PDF"));
    } else {
        ASSERT_TRUE(failure);
        EXPECT_EQ(failure->kind, emf::PlaybackFailure::Kind::Play);
        EXPECT_EQ(failure->page, 2);
        EXPECT_TRUE(device.data().isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pages, PdfRefuses,
    testing::Values(
        RefusedCase{"ClippedPage",
                    [](const QByteArray &p) {
                        return withRecord(p, {emf::records::EMR_INTERSECTCLIPRECT, 24, 0, 0, 100, 100});
                    },
                    pdf::PlayResult::Unsupported},
        RefusedCase{"EllipseOnThePage",
                    [](const QByteArray &p) {
                        return withRecord(p, {emf::records::EMR_ELLIPSE, 24, 0, 0, 100, 100});
                    },
                    pdf::PlayResult::Unsupported},
        RefusedCase{"TruncatedMetafile", [](const QByteArray &p) { return p.left(p.size() / 2); },
                    pdf::PlayResult::Damaged},
        RefusedCase{"TextRecordCutShort",
                    [](const QByteArray &p) {
                        return withRecord(p, {emf::records::EMR_EXTTEXTOUTW, 16, 0, 0});
                    },
                    pdf::PlayResult::Damaged}),
    caseName<RefusedCase>);

// Both players read records through one decoder: each refuses a damaged
// page, for the same reason.
struct DamagedCase {
    const char *name;
    std::vector<quint32> record;
};

class PlayersAgree : public testing::TestWithParam<DamagedCase> {};

TEST_P(PlayersAgree, OnWhyAPageIsDamaged)
{
    accrua::testsupport::ensureGuiApp();
    emf::EmfWriter w(emf::kLetterPage);
    w.drawText(QRectF(48, 40, 200, 14), emf::HAlign::Left, kSans, QStringLiteral("text"));
    const QByteArray page = withRecord(w.finish(), GetParam().record);
    QString metafileWhy, pdfWhy;
    EXPECT_FALSE(emf::EmfPlayer::check(page, &metafileWhy));
    pdf::PdfWriter writer;
    EXPECT_EQ(writer.addPage(page, &pdfWhy), pdf::PlayResult::Damaged);
    EXPECT_FALSE(pdfWhy.isEmpty());
    EXPECT_EQ(pdfWhy, metafileWhy);
}

using namespace emf::records;

INSTANTIATE_TEST_SUITE_P(
    Pages, PlayersAgree,
    testing::Values(DamagedCase{"SizeNotWholeWords", {EMR_SETBKMODE, 10, TRANSPARENT}},
                    DamagedCase{"MappingCutShort", {EMR_SETWINDOWEXTEX, 12, 5}},
                    DamagedCase{"TextCutShort", {EMR_EXTTEXTOUTW, 16, 0, 0}},
                    DamagedCase{"PointsOutsideTheRecord", {EMR_POLYLINE, 28, 0, 0, 0, 0, 5}},
                    DamagedCase{"ObjectOutsideTheTable", {EMR_CREATEBRUSHINDIRECT, 24, 999, 0, 0, 0}},
                    DamagedCase{"PenStylesOutsideTheRecord",
                                {EMR_EXTCREATEPEN, 52, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 9}}),
    caseName<DamagedCase>);

// Documents written one after another on a thread, each checked against
// itself written on a thread of its own, where nothing was kept before it.
struct SequenceCase {
    const char *name;
    std::vector<std::pair<emf::FontSpec, QString>> documents;
};

QByteArray document(const emf::FontSpec &face, const QString &text)
{
    emf::EmfWriter w(emf::kLetterPage);
    w.drawText(QRectF(48, 40, 700, 20), emf::HAlign::Left, face, text);
    pdf::PdfWriter writer(text);
    return writer.addPage(w.finish()) == pdf::PlayResult::Played ? writer.finish() : QByteArray();
}

class PdfInSequence : public testing::TestWithParam<SequenceCase> {};

TEST_P(PdfInSequence, IsTheDocumentWrittenAlone)
{
    accrua::testsupport::ensureGuiApp();
    for (const auto &doc : GetParam().documents) {
        QByteArray alone;
        std::thread([&] { alone = document(doc.first, doc.second); }).join();
        ASSERT_FALSE(alone.isEmpty());
        EXPECT_EQ(document(doc.first, doc.second), alone) << doc.second.toStdString();
    }
}

std::vector<std::pair<emf::FontSpec, QString>> manyGlyphSets()
{
    std::vector<std::pair<emf::FontSpec, QString>> documents;
    for (char c = 'a'; c <= 'p'; ++c)
        documents.emplace_back(kSans, QStringLiteral("x") + QChar::fromLatin1(c));
    documents.emplace_back(kSans, QStringLiteral("xa"));
    return documents;
}

INSTANTIATE_TEST_SUITE_P(Fonts, PdfInSequence,
                         testing::Values(SequenceCase{"MoreGlyphsThenFewer",
                                                      {{kMono, QStringLiteral("ab")},
                                                       {kMono, QStringLiteral("abc")},
                                                       {kMono, QStringLiteral("ab")}}},
                                         SequenceCase{"OtherFaceBetween",
                                                      {{kSans, QStringLiteral("Zürich")},
                                                       {kSansBold, QStringLiteral("Zürich")},
                                                       {kSans, QStringLiteral("Zürich €")}}},
                                         SequenceCase{"OneGlyphForAnotherCharacter",
                                                      {{kSans, QStringLiteral("a b")},
                                                       {kSans, QStringLiteral("a\u00A0b")}}},
                                         SequenceCase{"MoreGlyphSetsThanAreKept", manyGlyphSets()}),
                         caseName<SequenceCase>);

// Glyphs are coded in one or two bytes by their number: text of each kind,
// alone and mixed, from the first glyphs of a face and from its thousands,
// reads back as written, in a sound file whose subsets keep their Unicode maps.
struct CodeCase {
    const char *name;
    emf::FontSpec face;
    QString text;
    quint32 highestGlyphAtLeast; // so that the case holds the codes it is named for
};

class GlyphCodes : public WithPdfTools<CodeCase> {};

TEST_P(GlyphCodes, ReadBackAsWritten)
{
    const CodeCase &c = GetParam();
    const QList<quint32> glyphs = emf::TextMetrics::rawFont(c.face, 16).glyphIndexesForString(c.text);
    ASSERT_GE(*std::max_element(glyphs.begin(), glyphs.end()), c.highestGlyphAtLeast);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("codes.pdf"));
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(document(c.face, c.text));
    out.close();
    EXPECT_EQ(tool(QStringLiteral("qpdf"), {QStringLiteral("--check"), file}).exitCode, 0);
    const ::Run fonts = tool(QStringLiteral("pdffonts"), {file});
    EXPECT_TRUE(fonts.out.contains("yes yes yes")) << fonts.out.toStdString();
    const ::Run text = tool(QStringLiteral("pdftotext"), {file, QStringLiteral("-")});
    EXPECT_EQ(QString::fromUtf8(text.out).trimmed(), c.text);
    EXPECT_TRUE(text.err.isEmpty()) << text.err.toStdString(); // no map a reader finds fault with
}

const emf::FontSpec kDejaVu{QStringLiteral("DejaVu Sans"), 10, false, false};

INSTANTIATE_TEST_SUITE_P(
    Texts, GlyphCodes,
    testing::Values(CodeCase{"OneByte", kSans, QStringLiteral("Payment 1,234.56 (x\\y)"), 0x40},
                    CodeCase{"OneAndTwoBytes", kSans, QStringLiteral("Zürich Привет € 12"), 0xE0},
                    CodeCase{"TwoBytesOnly", kSans, QStringLiteral("Ωμέγα"), 0xE0},
                    CodeCase{"TwoBytesPastTheFirstThousands", kDejaVu, QStringLiteral("ab Ω ⢄⢅⣿ 7"), 0x10E0}),
    caseName<CodeCase>);

} // namespace
