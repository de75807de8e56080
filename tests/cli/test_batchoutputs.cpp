// accrua-cli batch writing report files into --output-dir: each line's files
// whole, a name that leaves the folder refused for that line only, and a
// full disk that keeps the files written before and fails the batch.
#include "cli/cli.h"

#include "engine/pagefile/pagelist.h"
#include "faults.h"
#include "pdf.h"
#include "reports/classic/rtf.h"
#include "support.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using accrua::testsupport::fileBytes;

const QByteArray kLoan = R"("command":"payment","principal":"200000","rate":"6","years":"30","months":"0")";
// Works after any refused line: the batch goes on.
const QByteArray kNext = R"({"id":"next","command":"savings","balance":"1000","rate":"4",)"
                         R"("compounded":"monthly","years":"1","months":"0","csv":"next.csv"})";

// Whether a written file is whole, by its kind.
bool whole(const QString &file)
{
    const QByteArray b = fileBytes(file);
    if (file.endsWith(QLatin1String(".pdf")))
        return b.startsWith("%PDF-") && b.trimmed().endsWith("%%EOF") &&
               accrua::testsupport::pdfText(file).contains(QLatin1String("OVERALL TOTALS"));
    if (file.endsWith(QLatin1String(".ARP"))) {
        accrua::engine::pagefile::TRptPageList pages;
        pages.LoadFromFile(file);
        return pages.pageCount() > 0;
    }
    if (file.endsWith(QLatin1String(".rtf"))) {
        accrua::reports::classic::ClassicLines lines;
        return accrua::reports::classic::RtfFormat().readFile(file, lines) && lines.size() > 10;
    }
    // A schedule ends at a balance of 0.00; savings grow.
    const QList<QByteArray> lines = b.trimmed().split('\n');
    return lines.size() > 1 && lines.back().endsWith(",0.00") == lines.front().startsWith("PMT,");
}

struct LineCase {
    const char *name;
    QByteArray members;  // after the loan's, e.g. "pdf":"a.pdf"
    bool folder;         // --output-dir given
    QStringList outputs; // the files written, as named; none: refused with kind "usage"
};

class BatchOutputs : public ::testing::TestWithParam<LineCase> {
protected:
    void SetUp() override { accrua::testsupport::ensureGuiApp(); }

    // Runs the batch on `lines`; the status, and the result lines.
    int run(const QByteArrayList &lines, bool folder, QList<QJsonObject> &results)
    {
        const QString input = m_dir.filePath(QStringLiteral("requests.jsonl"));
        QFile f(input);
        if (!f.open(QIODevice::WriteOnly) || f.write(lines.join('\n') + '\n') < 0)
            return -1;
        f.close();
        QStringList args{QStringLiteral("batch"), QStringLiteral("--rows"), QStringLiteral("none"),
                         QStringLiteral("--input"), input};
        if (folder)
            args << QStringLiteral("--output-dir") << out();
        QString text, err;
        QTextStream o(&text), e(&err);
        const int status = accrua::cli::run(args, o, e, m_services);
        o.flush();
        for (const QString &line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            results.append(QJsonDocument::fromJson(line.toUtf8()).object());
        return status;
    }
    QString out() const { return m_dir.filePath(QStringLiteral("out")); }

    QTemporaryDir m_dir;
    accrua::cli::Services m_services{
        accrua::testsupport::usDollars(),
        accrua::settings::FileSettingsFactory(m_dir.filePath(QStringLiteral("Accrua.conf"))),
        [] { return QDate(2026, 5, 31); }};
};

TEST_P(BatchOutputs, WritesEachLinesFilesOrRefusesThatLineOnly)
{
    const LineCase &c = GetParam();
    ASSERT_TRUE(QDir().mkpath(out() + QStringLiteral("/sub")));
    ASSERT_TRUE(QDir().mkpath(m_dir.filePath(QStringLiteral("outside"))));
    ASSERT_TRUE(QFile::link(QStringLiteral("../outside"), out() + QStringLiteral("/away")));
    QList<QJsonObject> results;
    const QByteArray members =
        QByteArray(c.members).replace("%OUTSIDE%", m_dir.filePath(QStringLiteral("outside")).toUtf8());
    ASSERT_EQ(run({'{' + kLoan + ',' + members + '}', kNext}, c.folder, results), 0);
    ASSERT_EQ(results.size(), 2);

    const QJsonObject &line = results[0];
    QStringList listed;
    for (const QJsonValue v : line.value(QStringLiteral("outputs")).toArray())
        listed << v.toString();
    EXPECT_EQ(listed, c.outputs);
    for (const QString &name : c.outputs)
        EXPECT_TRUE(whole(out() + u'/' + name)) << name.toStdString();
    if (c.outputs.isEmpty()) {
        EXPECT_EQ(line.value(QStringLiteral("exit")).toInt(), 2);
        EXPECT_EQ(line.value(QStringLiteral("messages"))[0][QStringLiteral("kind")].toString(),
                  QStringLiteral("usage"));
        EXPECT_TRUE(QDir(m_dir.filePath(QStringLiteral("outside"))).isEmpty());
    }
    EXPECT_EQ(results[1].value(QStringLiteral("exit")).toInt(), c.folder ? 0 : 2);
    EXPECT_EQ(whole(out() + QStringLiteral("/next.csv")), c.folder);
}

// The settings store is read once for the whole batch; a line naming it as an
// output is still refused, and the store is left as it was.
class BatchStore : public BatchOutputs {};

TEST_F(BatchStore, ALineNamingTheSettingsStoreIsRefused)
{
    ASSERT_TRUE(QDir().mkpath(out()));
    const QString store = out() + QStringLiteral("/Accrua.conf");
    {
        QFile f(store);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write("[General]\nTITLE=mine\n") > 0);
    }
    m_services.settings = accrua::settings::FileSettingsFactory(store);
    QList<QJsonObject> results;
    ASSERT_EQ(run({'{' + kLoan + R"(,"csv":"Accrua.conf"})", kNext}, true, results), 0);
    ASSERT_EQ(results.size(), 2);
    EXPECT_EQ(results[0].value(QStringLiteral("exit")).toInt(), 2);
    EXPECT_EQ(fileBytes(store), QByteArray("[General]\nTITLE=mine\n"));
    EXPECT_EQ(results[1].value(QStringLiteral("exit")).toInt(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, BatchOutputs,
    ::testing::Values(
        LineCase{"AllFour",
                 R"("pdf":"a.pdf","arp":"a.ARP","csv":"sub/a.csv","classic":"a.rtf","purpose":"BOAT")",
                 true,
                 {QStringLiteral("sub/a.csv"), QStringLiteral("a.rtf"), QStringLiteral("a.ARP"),
                  QStringLiteral("a.pdf")}},
        LineCase{"NameWithDotsInside", R"("pdf":"sub/../b.pdf")", true, {QStringLiteral("sub/../b.pdf")}},
        LineCase{"AbsolutePath", R"("csv":"%OUTSIDE%/x.csv")", true, {}},
        LineCase{"DotDotLeaves", R"("csv":"sub/../../x.csv")", true, {}},
        LineCase{"LinkLeadsOut", R"("pdf":"away/x.pdf")", true, {}},
        LineCase{"TwoOutputsOneFile", R"("pdf":"same","arp":"./same")", true, {}},
        LineCase{"NoOutputFolder", R"("csv":"a.csv")", false, {}}),
    [](const ::testing::TestParamInfo<LineCase> &param) { return std::string(param.param.name); });

// A file too large for the disk: the line says so, the files written
// before stay whole, the batch fails; the calculation results still come.
class BatchOutputsFullDisk : public BatchOutputs {};

TEST_F(BatchOutputsFullDisk, KeepsEarlierFilesAndFailsTheBatch)
{
    ASSERT_TRUE(QDir().mkpath(out()));
    // Room for the CSV (17 KB), not for the PDF (over 40 KB).
    const int status = accrua::testsupport::runWithFileSizeLimit(qint64{24} * 1024, [&] {
        QList<QJsonObject> results;
        const int batch =
            run({'{' + kLoan + R"(,"csv":"a.csv"})", '{' + kLoan + R"(,"csv":"b.csv","pdf":"b.pdf"})"}, true,
                results);
        const bool named =
            results.size() == 2 &&
            results[1].value(QStringLiteral("messages"))[0][QStringLiteral("text")].toString().contains(
                QStringLiteral("b.pdf")) &&
            results[1].value(QStringLiteral("outputs")).toArray().size() == 1;
        return named ? batch : 10;
    });
    EXPECT_EQ(status, 1);
    EXPECT_TRUE(whole(out() + QStringLiteral("/a.csv")));
    EXPECT_TRUE(whole(out() + QStringLiteral("/b.csv")));
    EXPECT_EQ(QDir(out()).entryList(QDir::Files),
              (QStringList{QStringLiteral("a.csv"), QStringLiteral("b.csv")}));
}

} // namespace
