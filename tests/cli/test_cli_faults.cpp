// accrua-cli against full disks, hostile paths and refused values: every
// output lands whole or leaves the old file byte for byte and exits 1 naming
// it; outputs over their input or over a device, FIFO or folder are refused;
// inputs that are no regular files are refused at once; a value refused
// while typed stops the command with exit status 1; results that cannot be
// printed are no results.
#include "cli/cli.h"

#include "engine/pagefile/pagelist.h"
#include "faults.h"
#include "support.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <set>
#include <vector>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

using accrua::testsupport::fileBytes;
using accrua::testsupport::runUnprivileged;
using accrua::testsupport::runWithFileSizeLimit;

const QString kPageFile = QStringLiteral(ACCRUA_PAGEFILE_FIXTURES "/good/three-pages.arp");

// The program as a process speaks English here, whatever the machine speaks.
QProcessEnvironment englishEnvironment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("LANGUAGE"));
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    return env;
}

struct Result {
    int status;
    QString out, err;
};

class CliFaults : public ::testing::Test {
protected:
    void SetUp() override { accrua::testsupport::ensureGuiApp(); }
    Result run(const QStringList &args) const
    {
        Result r;
        QTextStream o(&r.out), e(&r.err);
        r.status = accrua::cli::run(args, o, e, m_services);
        o.flush();
        e.flush();
        return r;
    }
    QString path(const char *name) const { return m_dir.filePath(QLatin1String(name)); }
    static void put(const QString &file, const QByteArray &bytes)
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }

    QTemporaryDir m_dir;
    accrua::cli::Services m_services{
        accrua::testsupport::usDollars(),
        accrua::settings::FileSettingsFactory(m_dir.filePath(QStringLiteral("Accrua.conf"))),
        [] { return QDate(2026, 5, 31); }};
};

// ---- output faults ----

const QStringList kLoan = {QStringLiteral("payment"), QStringLiteral("--principal=10000"),
                           QStringLiteral("--rate=6"), QStringLiteral("--years=1"),
                           QStringLiteral("--months=0")};

struct Output {
    const char *name;
    QStringList args;   // %OUT% stands for the target
    const char *target; // the file written, in the test's folder
    bool (*complete)(const QByteArray &bytes);
};

bool isPdf(const QByteArray &b)
{
    return b.startsWith("%PDF-") && b.trimmed().endsWith("%%EOF");
}
bool isPng(const QByteArray &b)
{
    return !QImage::fromData(b, "PNG").isNull();
}
bool isPageFile(const QByteArray &b)
{
    accrua::engine::pagefile::TRptPageList list;
    try {
        list.loadFromData(b, QStringLiteral("written"));
    } catch (...) {
        return false;
    }
    return list.pageCount() > 0;
}
bool isCsv(const QByteArray &b)
{
    return b.startsWith("PMT,") && b.endsWith("\n") && b.count('\n') == 13;
}
bool isRtf(const QByteArray &b)
{
    return b.startsWith("{\\rtf") && b.trimmed().endsWith("}");
}

class OutputOnAFullDisk : public CliFaults, public ::testing::WithParamInterface<Output> {};

// However far the disk lets the writing get, the target afterwards holds its
// old bytes (and the command exits 1 naming it) or a complete new file.
TEST_P(OutputOnAFullDisk, LeavesTheOldFileOrAWholeNewOne)
{
    const Output &o = GetParam();
    const QString target = path(o.target);
    QDir().mkpath(QFileInfo(target).path());
    QStringList args;
    for (const QString &a : o.args)
        args << QString(a)
                    .replace(QStringLiteral("%OUT%"), target)
                    .replace(QStringLiteral("%DIR%"), m_dir.path());

    ASSERT_EQ(run(args).status, 0);
    const qint64 size = fileBytes(target).size();
    ASSERT_TRUE(o.complete(fileBytes(target)));
    const QByteArray old("the old file, kept byte for byte");
    std::set<qint64> limits = {0, 1, 16, size / 3, size / 2, size - 1};
    for (const qint64 limit : limits) {
        SCOPED_TRACE(limit);
        put(target, old);
        const int status = runWithFileSizeLimit(limit, [&] {
            const Result r = run(args);
            if (r.status == 1 && !r.err.contains(QFileInfo(target).fileName()))
                return 3; // a failure must name the file
            return r.status;
        });
        EXPECT_EQ(status, 1);
        EXPECT_EQ(fileBytes(target), old);
    }
    put(target, old);
    EXPECT_EQ(runWithFileSizeLimit(size + 65536, [&] { return run(args).status; }), 0);
    EXPECT_TRUE(o.complete(fileBytes(target)));
}

INSTANTIATE_TEST_SUITE_P(
    Formats, OutputOnAFullDisk,
    ::testing::Values(
        Output{"RenderPdf",
               {QStringLiteral("render"), kPageFile, QStringLiteral("--pdf"), QStringLiteral("%OUT%")},
               "out.pdf",
               isPdf},
        Output{"RenderPng",
               {QStringLiteral("render"), kPageFile, QStringLiteral("--png"), QStringLiteral("%DIR%/pngs")},
               "pngs/page-0001.png",
               isPng},
        Output{"ReportPdf", kLoan + QStringList{QStringLiteral("--pdf"), QStringLiteral("%OUT%")}, "r.pdf",
               isPdf},
        Output{"ReportPageFile", kLoan + QStringList{QStringLiteral("--arp"), QStringLiteral("%OUT%")},
               "r.arp", isPageFile},
        Output{"ReportCsv", kLoan + QStringList{QStringLiteral("--csv"), QStringLiteral("%OUT%")}, "r.csv",
               isCsv},
        Output{"ClassicRichText", kLoan + QStringList{QStringLiteral("--classic"), QStringLiteral("%OUT%")},
               "r.txt", isRtf}),
    [](const ::testing::TestParamInfo<Output> &row) { return std::string(row.param.name); });

// Targets that are no place for a file, or the file being read: refused,
// and left exactly as they were.
TEST_F(CliFaults, OutputsOverTheirInputOrANonRegularFileAreRefused)
{
    const QString input = path("r.arp");
    QFile::copy(kPageFile, input);
    const QString fifo = path("fifo");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString folder = path("folder");
    QDir().mkpath(folder);
    const QString loop = path("loop.csv");
    QFile::link(loop, loop);
    struct Row {
        const char *name;
        QStringList args;
        const char *says;
    };
    const Row rows[] = {
        {"pdf onto a FIFO", {QStringLiteral("render"), input, QStringLiteral("--pdf"), fifo}, "FIFO"},
        {"pdf onto a folder", {QStringLiteral("render"), input, QStringLiteral("--pdf"), folder}, "folder"},
        {"report page file onto a FIFO", kLoan + QStringList{QStringLiteral("--arp"), fifo}, "FIFO"},
        {"csv onto a folder", kLoan + QStringList{QStringLiteral("--csv"), folder}, "folder"},
        {"csv onto a loop of links", kLoan + QStringList{QStringLiteral("--csv"), loop}, "symbolic links"},
    };
    std::vector<Row> all(std::begin(rows), std::end(rows));
    // A device node needs root to make; in the test's own folder a wrongly
    // replaced one harms nothing.
    const QString device = path("null");
    if (::geteuid() == 0 &&
        ::mknod(QFile::encodeName(device).constData(), S_IFCHR | 0600, makedev(1, 3)) == 0) {
        all.push_back({"pdf onto a device",
                       {QStringLiteral("render"), input, QStringLiteral("--pdf"), device},
                       "device"});
        all.push_back({"csv onto a device", kLoan + QStringList{QStringLiteral("--csv"), device}, "device"});
    }
    const QByteArray before = fileBytes(input);
    for (const Row &row : all) {
        SCOPED_TRACE(row.name);
        const Result r = run(row.args);
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(r.err.contains(QLatin1String(row.says))) << r.err.toStdString();
        EXPECT_EQ(fileBytes(input), before);
        EXPECT_TRUE(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile());
        EXPECT_TRUE(QFileInfo(folder).isDir());
        EXPECT_TRUE(QFileInfo(loop).isSymLink());
        struct stat st {};
        if (::stat(QFile::encodeName(device).constData(), &st) == 0) {
            EXPECT_TRUE(S_ISCHR(st.st_mode));
        }
    }
}

// Two outputs naming one file, or an output naming a file the command reads
// (the picture, the settings store, the report page file), are a usage error: nothing is computed,
// printed or written, whatever the spelling or links.
TEST_F(CliFaults, OutputsThatCollideWriteNothing)
{
    put(path("Accrua.conf"), "[General]\nTITLE=mine\n");
    put(path("logo.jpg"), "the user's picture");
    QFile::link(path("new.out"), path("alias"));
    QFile::link(path("logo.jpg"), path("logo.link"));
    QFile::copy(kPageFile, path("r.arp"));
    QFile::link(path("r.arp"), path("r.link"));
    const QString pdf = QStringLiteral("--pdf"), csv = QStringLiteral("--csv"), arp = QStringLiteral("--arp");
    const QString render = QStringLiteral("render");
    const QStringList rows[] = {
        {render, path("r.arp"), pdf, path("r.arp")},
        {render, path("r.link"), pdf, path("r.arp")},
        {pdf, path("same.out"), csv, path("same.out")},
        {pdf, path("x"), arp, path("x")},
        {csv, path("x"), QStringLiteral("--classic"), path("x")},
        {pdf, path("new.out"), csv, path("alias")},
        {QStringLiteral("--setting"), QStringLiteral("IMAGEPATH=") + path("logo.jpg"), arp,
         path("logo.link")},
        {csv, path("Accrua.conf")},
    };
    const auto files = [&] {
        QStringList all;
        for (const QFileInfo &f : QDir(m_dir.path()).entryInfoList(QDir::Files | QDir::System))
            all << f.fileName() + QString::fromUtf8(fileBytes(f.filePath()));
        return all;
    };
    const QStringList before = files();
    for (const QStringList &row : rows) {
        const Result r = run(row.first() == render ? row : kLoan + row);
        EXPECT_EQ(r.status, 2) << row.join(u' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty() && files() == before);
    }
}

// A FIFO or a folder given as a report page file is refused at once: a FIFO
// would otherwise wait for a writer for ever.
TEST_F(CliFaults, InputsThatAreNoRegularFilesAreRefusedAtOnce)
{
    const QString fifo = path("fifo.arp");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QStringList &args :
         {QStringList{QStringLiteral("pages"), fifo},
          QStringList{QStringLiteral("render"), fifo, QStringLiteral("--pdf"), path("x.pdf")},
          QStringList{QStringLiteral("pages"), m_dir.path()}}) {
        // In a child with an alarm: a hang fails the test instead of the run.
        const int status = runWithFileSizeLimit(1 << 30, [&] {
            ::alarm(10);
            return run(args).status;
        });
        EXPECT_EQ(status, 1) << args.join(QLatin1Char(' ')).toStdString();
    }
}

// What cannot be printed was not given: a full standard output fails.
TEST(CliStandardOutput, AFailedWriteExitsOneWithAMessage)
{
    QTemporaryDir dir;
    for (const QStringList &args :
         {kLoan, kLoan + QStringList{QStringLiteral("--json")}, QStringList{QStringLiteral("--help")},
          QStringList{QStringLiteral("render"), kPageFile, QStringLiteral("--pdf"), QStringLiteral("-")}}) {
        QProcess p;
        p.setStandardOutputFile(QStringLiteral("/dev/full"));
        QProcessEnvironment env = englishEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.path());
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(ACCRUA_CLI_PATH), args);
        ASSERT_TRUE(p.waitForFinished(30000));
        EXPECT_EQ(p.exitCode(), 1) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(p.readAllStandardError().contains("cannot write to standard output"));
    }
}

// "-" is standard output where a command writes a file.
TEST(CliStandardOutput, RenderWritesThePdfThere)
{
    QProcess p;
    p.setProcessEnvironment(englishEnvironment());
    p.start(QStringLiteral(ACCRUA_CLI_PATH),
            {QStringLiteral("render"), kPageFile, QStringLiteral("--pdf"), QStringLiteral("-")});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_TRUE(isPdf(p.readAllStandardOutput()));
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("-")));
}

// A loan report is drawn on the minimal platform when its faces read from
// their files, and later runs take the faces' places from the cache: neither
// may change a byte of the PDF, nor say anything on standard error.
TEST(CliReportFaces, PlatformAndRememberedFacesLeaveThePdfAlone)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    struct Run {
        const char *name;
        bool offscreen; // else the program picks its platform
    };
    QByteArray first;
    for (const Run &run :
         {Run{"offscreen, faces looked up", true}, Run{"own platform, faces remembered", false},
          Run{"offscreen, faces remembered", true}}) {
        QProcess p;
        QProcessEnvironment env = englishEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.path());
        env.insert(QStringLiteral("XDG_CACHE_HOME"), dir.filePath(QStringLiteral("cache")));
        if (!run.offscreen)
            env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        p.setProcessEnvironment(env);
        const QString pdf = dir.filePath(QString::fromLatin1(run.name) + QStringLiteral(".pdf"));
        p.start(QStringLiteral(ACCRUA_CLI_PATH), kLoan + QStringList{QStringLiteral("--pdf"), pdf});
        ASSERT_TRUE(p.waitForFinished(30000));
        EXPECT_EQ(p.exitCode(), 0) << run.name;
        EXPECT_EQ(p.readAllStandardError(), QByteArray()) << run.name;
        QFile f(pdf);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << run.name;
        const QByteArray bytes = f.readAll();
        if (first.isEmpty())
            first = bytes;
        EXPECT_TRUE(isPdf(bytes) && bytes == first) << run.name;
        EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("cache/accrua/face-locations"))))
            << run.name;
    }
}

// ---- storage faults, from the command line ----

TEST_F(CliFaults, SettingsSetOnAFullDiskExitsOneAndKeepsTheStore)
{
    const QString store = path("Accrua.conf");
    put(store, "[General]\nTITLE=" + QByteArray(2000, 't') + "\nDAILYTITLE=Daily\n");
    const QByteArray before = fileBytes(store);
    for (const qint64 limit : {qint64{0}, qint64{100}, qint64{1024}, before.size() - 1}) {
        SCOPED_TRACE(limit);
        const int status = runWithFileSizeLimit(limit, [&] {
            const Result r = run(
                {QStringLiteral("settings"), QStringLiteral("--set"), QStringLiteral("DAILYTITLE=hello")});
            return r.err.contains(QStringLiteral("Failed to set data for 'DAILYTITLE'")) ? r.status : 3;
        });
        EXPECT_EQ(status, 1);
        EXPECT_EQ(fileBytes(store), before);
    }
    // A value that would make the store unreadable is refused the same way.
    const Result big = run({QStringLiteral("settings"), QStringLiteral("--set"),
                            QStringLiteral("TITLE=") + QString(70000, QLatin1Char('x'))});
    EXPECT_EQ(big.status, 1);
    EXPECT_TRUE(big.err.contains(QStringLiteral("'TITLE'"))) << big.err.toStdString();
    EXPECT_EQ(fileBytes(store), before);
}

TEST_F(CliFaults, AnUnreadableStoreIsNoStoreOfDefaults)
{
    const QString store = path("Accrua.conf");
    put(store, "[General]\nTITLE=mine\n");
    ::chmod(QFile::encodeName(m_dir.path()).constData(), 0755);
    ::chmod(QFile::encodeName(store).constData(), 0200);
    const int status = runUnprivileged([&] {
        const Result r = run({QStringLiteral("settings")});
        return r.err.contains(QStringLiteral("cannot be read")) &&
                       !r.out.contains(QStringLiteral("(default)"))
                   ? r.status
                   : 3;
    });
    EXPECT_EQ(status, 1);
}

// Eight copies of the program setting different values at once, on a new
// store and on one in use: each says it stored its value, and every value is
// there.
TEST_F(CliFaults, RacingWritersKeepEveryValue)
{
    const QStringList names =
        QStringLiteral("TITLE LOANTYPE AMORTSCHEDULE SAVINGSTITLE SAVINGSSUBTITLE DAILYTITLE "
                       "DAILYSUBTITLE IMAGEPATH")
            .split(u' ');
    for (const bool existing : {false, false, false, true, true, true}) {
        QTemporaryDir dir;
        const QString store = dir.filePath(QStringLiteral("Quennet/Accrua.conf"));
        if (existing && QDir().mkpath(QFileInfo(store).path()))
            put(store, "[General]\nPRINTTOTALS=0\n");
        QProcessEnvironment env = englishEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.path());
        std::vector<std::unique_ptr<QProcess>> copies(names.size());
        for (qsizetype w = 0; w < names.size(); ++w) {
            copies[w] = std::make_unique<QProcess>();
            copies[w]->setProcessEnvironment(env);
            copies[w]->start(QStringLiteral(ACCRUA_CLI_PATH),
                             {QStringLiteral("settings"), QStringLiteral("--set"),
                              names[w] + QStringLiteral("=by %1").arg(w)});
        }
        for (const auto &copy : copies) {
            ASSERT_TRUE(copy->waitForFinished(60000));
            EXPECT_EQ(copy->exitCode(), 0) << copy->readAllStandardError().toStdString();
        }
        QSettings stored(store, QSettings::IniFormat);
        for (qsizetype w = 0; w < names.size(); ++w)
            EXPECT_EQ(stored.value(names[w]).toString(), QStringLiteral("by %1").arg(w)) << existing;
        EXPECT_EQ(stored.contains(QStringLiteral("PRINTTOTALS")), existing);
    }
}

// Control characters from the store or a purpose are shown escaped, never
// sent raw to the terminal; a refused value is quoted in part; a store too
// large to read says so.
TEST_F(CliFaults, TheTerminalGetsNoControlCharactersNorWholeValues)
{
    const QStringList classic = kLoan + QStringList{QStringLiteral("--classic"), QStringLiteral("-")};
    const QStringList set = {QStringLiteral("settings"), QStringLiteral("--set")};
    const struct {
        QByteArray store;
        QStringList args;
        const char *shows; // in standard output or error
    } rows[] = {
        {"TITLE=\"\\x1b[2Jwiped\"", {QStringLiteral("settings")}, "\\x1b[2Jwiped"},
        {"", classic + QStringList{QStringLiteral("--purpose"), QStringLiteral("a\x1b]0;x\x07")},
         "a\\x1b]0;x\\x07"},
        {"LOANTYPE=\"x\\r\\nfake\"", classic, "x\\x0d\\x0afake"},
        {"", set + QStringList{QStringLiteral("AMORTIZEDBASE=") + QString(65536, u'9')},
         "(65536 characters)"},
        {QByteArray(accrua::settings::kMaxStoreFileBytes, ';'), set + QStringList{QStringLiteral("TITLE=x")},
         "larger than 1024 KiB"},
    };
    for (const auto &row : rows) {
        put(path("Accrua.conf"), "[General]\n" + row.store + '\n');
        const Result r = run(row.args);
        const QString shown = r.out + r.err;
        EXPECT_TRUE(shown.contains(QLatin1String(row.shows))) << shown.left(2000).toStdString();
        EXPECT_LT(r.err.size(), 1024);
        EXPECT_FALSE(std::any_of(shown.begin(), shown.end(), [](QChar c) { return c < u' ' && c != u'\n'; }));
    }
}

// ---- command-line status ----

struct Refused {
    const char *name;
    QStringList args;
    const char *message;
};

class CliRefusedValue : public CliFaults, public ::testing::WithParamInterface<Refused> {};

// The window sets a refused value to 0, or moves a date, and goes on; the
// command line stops, says why (also in --json), and computes nothing.
TEST_P(CliRefusedValue, ExitsOneWithoutComputing)
{
    const Refused &row = GetParam();
    for (const bool json : {false, true}) {
        const Result r = run(row.args + (json ? QStringList{QStringLiteral("--json")} : QStringList{}));
        EXPECT_EQ(r.status, 1) << json;
        const QString shown = json ? r.out : r.err;
        EXPECT_TRUE(shown.contains(QLatin1String(row.message))) << shown.toStdString();
        if (json) {
            const QJsonObject doc = QJsonDocument::fromJson(r.out.toUtf8()).object();
            EXPECT_TRUE(doc.value(QStringLiteral("rows")).toArray().isEmpty());
        } else {
            EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Values, CliRefusedValue,
    ::testing::Values(Refused{"YearsWithAComma",
                              {QStringLiteral("payment"), QStringLiteral("--principal=100000"),
                               QStringLiteral("--rate=7"), QStringLiteral("--years=30,5"),
                               QStringLiteral("--months=6")},
                              "30,5"},
                      Refused{"RateOfLetters",
                              {QStringLiteral("count"), QStringLiteral("--principal=100000"),
                               QStringLiteral("--rate=abc"), QStringLiteral("--payment=700")},
                              "is not a valid value!"},
                      Refused{"DatesInTheWrongOrder",
                              {QStringLiteral("daily"), QStringLiteral("--principal=1000"),
                               QStringLiteral("--rate=5"), QStringLiteral("--payment=100"),
                               QStringLiteral("--start=2005-01-01"), QStringLiteral("--receive=2004-01-01")},
                              "The start date must be prior to or equal to the end date"},
                      Refused{"SavingsMonthsOfLetters",
                              {QStringLiteral("savings"), QStringLiteral("--balance=1000"),
                               QStringLiteral("--rate=4"), QStringLiteral("--compounded=monthly"),
                               QStringLiteral("--years=1"), QStringLiteral("--months=x")},
                              "is not a valid value!"}),
    [](const ::testing::TestParamInfo<Refused> &row) { return std::string(row.param.name); });

// The JSON escapes the quotes; the text does not.
TEST_F(CliFaults, RefusedValueTextShowsTheTypedText)
{
    const Result r =
        run({QStringLiteral("payment"), QStringLiteral("--principal=100000"), QStringLiteral("--rate=7"),
             QStringLiteral("--years=30,5"), QStringLiteral("--months=6")});
    EXPECT_TRUE(r.err.contains(QStringLiteral("\"30,5\" is not a valid value!")));
}

TEST_F(CliFaults, AnOptionGivenTwiceIsAUsageError)
{
    for (const char *twice : {"--principal=5", "--rate=1", "--json"}) {
        const Result r = run(kLoan + QStringList{QStringLiteral("--json"), QLatin1String(twice)}.mid(
                                         QLatin1String(twice) == QLatin1String("--json") ? 0 : 1));
        EXPECT_EQ(r.status, 2) << twice;
        EXPECT_TRUE(r.err.contains(QStringLiteral("given twice"))) << r.err.toStdString();
    }
    // --setting gathers its values.
    EXPECT_EQ(
        run(kLoan + QStringList{QStringLiteral("--setting=TITLE=a"), QStringLiteral("--setting=LOANTYPE=b")})
            .status,
        0);
}

struct Misleading {
    const char *name;
    QStringList args;
    const char *message;
};

class CliMessage : public CliFaults, public ::testing::WithParamInterface<Misleading> {};

// Refusals say what was typed and what is wrong with it.
TEST_P(CliMessage, NamesWhatWasTyped)
{
    const Result r = run(GetParam().args);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(QLatin1String(GetParam().message))) << r.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Values, CliMessage,
    ::testing::Values(
        Misleading{"RateTooSmall",
                   {QStringLiteral("payment"), QStringLiteral("--principal=100000"),
                    QStringLiteral("--rate=1e-308"), QStringLiteral("--years=30"),
                    QStringLiteral("--months=0")},
                   "warning: The rate 1E-308 is too small to calculate with."},
        Misleading{"PrincipalTooLarge",
                   {QStringLiteral("payment"), QStringLiteral("--principal=922337203685477"),
                    QStringLiteral("--rate=7"), QStringLiteral("--years=30"), QStringLiteral("--months=0")},
                   "A loan of $922,337,203,685,477.00 at 7% interest is too large to calculate with."},
        Misleading{
            "SavingsTooLong",
            {QStringLiteral("savings"), QStringLiteral("--balance=1000"), QStringLiteral("--rate=0.001"),
             QStringLiteral("--compounded=monthly"), QStringLiteral("--years=83333"),
             QStringLiteral("--months=0")},
            "warning: A balance of $1,000.00 at 0.001% interest compounded 12 times per year for 83333 "
            "years and 0 months would need more than 12000 periods."}),
    [](const ::testing::TestParamInfo<Misleading> &row) { return std::string(row.param.name); });

} // namespace
