// accrua-cli batch: every result line against the single command it stands
// for, on a few hundred seeded random requests with refused, malformed and
// misspelt ones among them; the input's bounds and failures; the settings
// read once.
#include "cli/batchcommand.h"
#include "cli/options.h"

#include "faults.h"
#include "support.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <random>

namespace {

using accrua::cli::BatchInput;
using accrua::cli::Services;

struct Outcome {
    int status = 0;
    QString out;
    QString err;
    QList<QJsonObject> lines() const
    {
        QList<QJsonObject> list;
        for (const QString &line : out.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            list.append(QJsonDocument::fromJson(line.toUtf8()).object());
        return list;
    }
};

// Input handed over `chunk` bytes at a time (all of it by default), then the end.
BatchInput inputOf(const QByteArray &bytes, qint64 chunk = 1 << 20)
{
    auto at = std::make_shared<qint64>(0);
    return [bytes, chunk, at](char *data, qint64 size, QString &) -> qint64 {
        const qint64 n = std::min({size, chunk, bytes.size() - *at});
        std::copy_n(bytes.constData() + *at, n, data);
        *at += n;
        return n;
    };
}

Outcome batch(const QStringList &args, const BatchInput &input, const Services &services)
{
    Outcome r;
    QTextStream out(&r.out), err(&r.err);
    r.status = accrua::cli::runBatchCommand(args, input, out, err, services);
    out.flush();
    err.flush();
    return r;
}

Outcome single(const QStringList &args, const Services &services)
{
    Outcome r;
    QTextStream out(&r.out), err(&r.err);
    r.status = accrua::cli::runCommand(args, out, err, services, nullptr);
    out.flush();
    err.flush();
    return r;
}

// One random request as the command line spells it; at most one thing wrong
// with it, so that which error is named does not depend on option order.
struct Request {
    QString command;
    QStringList args; // --name value pairs
    QJsonObject settings;
};

Request randomRequest(std::mt19937 &rng)
{
    const auto pick = [&](std::initializer_list<const char *> values) {
        std::uniform_int_distribution<std::size_t> d(0, values.size() - 1);
        return QString::fromLatin1(values.begin()[d(rng)]);
    };
    const auto chance = [&](int percent) { return std::uniform_int_distribution<int>(0, 99)(rng) < percent; };
    // Mostly values a calculation takes, now and then one it refuses.
    const auto value = [&](std::initializer_list<const char *> good,
                           std::initializer_list<const char *> bad) {
        return chance(85) ? pick(good) : pick(bad);
    };
    Request r;
    r.command = pick({"payment", "count", "amortize", "daily", "savings"});
    const auto add = [&](const char *name, const QString &text) {
        r.args << QStringLiteral("--") + QLatin1String(name) << text;
    };
    const QString amount = value({"100000", "2500.5", "250000", "1E5", "-5000"}, {"0", "ABC", "12,5", ""});
    const QString rate = value({"7", "6.5", "3.875", "12", "0.5"}, {"0", "x", "-3"});
    if (r.command == QLatin1String("savings")) {
        add("balance", amount);
        add("rate", rate);
        add("compounded", value({"yearly", "bi-yearly", "quarterly", "monthly", "Monthly"}, {"weekly"}));
        add("years", value({"2", "10", "0"}, {"2.5", "-1"}));
        add("months", value({"0", "6", "12"}, {"-12", "x"}));
    } else if (r.command == QLatin1String("daily")) {
        add("principal", amount);
        add("rate", rate);
        add("payment", value({"100", "5000"}, {"0", "abc"}));
        if (chance(50)) {
            add("days", value({"30", "365", "0"}, {"x", "-5"}));
        } else {
            add("start", value({"2004-01-01", "2026-02-12"}, {"2026-13-40"}));
            add("receive", pick({"2005-01-01", "2003-06-30"}));
        }
        if (chance(30))
            add("base", pick({"360", "365", "400"}));
    } else {
        add("principal", amount);
        add("rate", rate);
        if (r.command != QLatin1String("payment"))
            add("payment", value({"1000", "2000", "5000", "150000", "500"}, {"0", "abc"}));
        if (r.command != QLatin1String("count")) {
            add("years", value({"30", "1", "15", "5"}, {"0", "2.5", "-1"}));
            add("months", value({"0", "6", "13"}, {"-12"}));
        }
        if (chance(20))
            add("resolution", pick({"amount", "count", "sideways"}));
        if (r.command == QLatin1String("amortize") && chance(40))
            add("answer", pick({"yes", "no"}));
    }
    if (chance(8))
        r.args.erase(r.args.begin(), r.args.begin() + 2); // a required option left out
    else if (chance(5))
        add("frobnicate", QStringLiteral("1"));
    else if (chance(15))
        r.settings.insert(pick({"PAYMENTRESOLUTION", "PRINTTOTALS", "NOSUCH"}),
                          pick({"INCREASEPAYMENTCOUNT", "INCREASEPAYMENTAMOUNT", "maybe"}));
    return r;
}

QJsonObject requestLine(const Request &r, int id)
{
    QJsonObject line{{QStringLiteral("command"), r.command}, {QStringLiteral("id"), id}};
    for (qsizetype k = 0; k + 1 < r.args.size(); k += 2)
        line.insert(r.args[k].mid(2), r.args[k + 1]);
    if (!r.settings.isEmpty())
        line.insert(QStringLiteral("setting"), r.settings);
    return line;
}

// Lines no single command stands for: each gets a usage result.
const char *const kMalformed[] = {
    "not json at all",
    "[1, 2]",
    "{\"command\": 5}",
    "{\"command\": \"render\", \"id\": 1}",
    "{\"principal\": \"1000\"}",
    "{\"command\": \"payment\", \"principal\": 100000, \"rate\": \"7\", \"years\": \"30\", \"months\": "
    "\"0\"}",
    "{\"command\": \"payment\", \"setting\": \"PAYMENTRESOLUTION\"}",
    "{\"command\": \"payment\", \"principal\": \"1000\", \"rate\": \"7\", \"years\": \"1\", \"months\": "
    "\"0\", "
    "\"csv\": \"-\"}",
    "{\"command\": \"payment\", \"principal\": \"1\"",
    "{\"command\": \"plan\", \"principal\": \"180000\", \"rate\": \"4\", \"years\": \"30\", \"csv\": "
    "\"p.csv\"}",
    "{\"command\": \"plan\", \"principal\": \"180000\", \"rate\": \"4\", \"years\": \"30\", \"pdf\": "
    "\"p.pdf\"}",
};

// Where the stored settings come from for a run of the comparison.
enum class Store { Empty, Stored, Broken };

struct Comparison {
    const char *name;
    Store store;
    QStringList batchSettings; // --setting values for the whole batch
    bool rows;
};

class BatchAgainstSingle : public ::testing::TestWithParam<Comparison> {};

TEST_P(BatchAgainstSingle, EveryLineIsItsCommandsResult)
{
    const Comparison &c = GetParam();
    QTemporaryDir dir;
    const QString storePath = dir.filePath(QStringLiteral("Accrua.conf"));
    const Services services{accrua::testsupport::usDollars(),
                            accrua::settings::FileSettingsFactory(storePath)};
    if (c.store != Store::Empty) {
        QFile f(storePath);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[General]\nPAYMENTRESOLUTION=INCREASEPAYMENTCOUNT\nTITLE=Stored\n");
        if (c.store == Store::Broken)
            f.write("LOANTYPE=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x1)\n");
    }

    std::mt19937 rng(2014 + static_cast<unsigned>(c.store));
    QStringList settingArgs;
    for (const QString &s : c.batchSettings)
        settingArgs << QStringLiteral("--setting") << s;
    QByteArray input;
    std::vector<std::optional<Request>> sent;
    for (int k = 0; k < 300; ++k) {
        if (k % 25 == 7) {
            input += QByteArray(kMalformed[(k / 25) % std::size(kMalformed)]) + '\n';
            sent.push_back(std::nullopt);
            continue;
        }
        const Request r = randomRequest(rng);
        input += QJsonDocument(requestLine(r, k)).toJson(QJsonDocument::Compact) + '\n';
        sent.push_back(r);
    }
    QStringList batchArgs = settingArgs;
    if (!c.rows)
        batchArgs << QStringLiteral("--rows") << QStringLiteral("none");
    const Outcome b = batch(batchArgs, inputOf(input), services);
    ASSERT_EQ(b.status, 0) << b.err.toStdString();
    const QList<QJsonObject> lines = b.lines();
    ASSERT_EQ(lines.size(), static_cast<qsizetype>(sent.size()));

    std::map<int, int> byExit; // the sample must hold results, refusals and usage errors alike
    for (std::size_t k = 0; k < sent.size(); ++k) {
        QJsonObject got = lines[static_cast<qsizetype>(k)];
        SCOPED_TRACE(QJsonDocument(got).toJson(QJsonDocument::Compact).left(300).toStdString());
        const int exit = got.take(QStringLiteral("exit")).toInt(-1);
        ++byExit[exit];
        if (!sent[k]) {
            EXPECT_EQ(exit, 2);
            EXPECT_EQ(got[QStringLiteral("messages")][0][QStringLiteral("kind")].toString(),
                      QStringLiteral("usage"));
            continue;
        }
        const Request &r = *sent[k];
        EXPECT_EQ(got.take(QStringLiteral("id")).toInt(-1), static_cast<int>(k));
        QStringList args = QStringList{r.command} + r.args + settingArgs;
        for (auto it = r.settings.begin(); it != r.settings.end(); ++it)
            args << QStringLiteral("--setting") << it.key() + QLatin1Char('=') + it.value().toString();
        const Outcome s = single(args + QStringList{QStringLiteral("--json")}, services);
        EXPECT_EQ(exit, s.status) << args.join(u' ').toStdString();
        if (!s.out.isEmpty()) {
            QJsonObject expected = QJsonDocument::fromJson(s.out.toUtf8()).object();
            EXPECT_EQ(got.contains(QStringLiteral("rows")), c.rows);
            if (!c.rows)
                expected.remove(QStringLiteral("rows"));
            EXPECT_EQ(got, expected) << args.join(u' ').toStdString();
        } else {
            // Refused before any calculation: the command's one line on stderr.
            const QString text =
                s.err.section(QLatin1Char('\n'), 0, 0).mid(QStringLiteral("accrua-cli: ").size());
            const QJsonObject message = got[QStringLiteral("messages")][0].toObject();
            EXPECT_EQ(message[QStringLiteral("kind")].toString(),
                      s.status == 2 ? QStringLiteral("usage") : QStringLiteral("refused"));
            EXPECT_EQ(message[QStringLiteral("text")].toString(), text);
        }
    }
    for (int exit : {0, 1, 2})
        EXPECT_GE(byExit[exit], c.store == Store::Broken && exit == 0 ? 0 : 20) << "exit " << exit;
}

INSTANTIATE_TEST_SUITE_P(
    Batch, BatchAgainstSingle,
    ::testing::Values(Comparison{"EmptyStore", Store::Empty, {}, true},
                      Comparison{"StoredSettingsAndBatchSetting",
                                 Store::Stored,
                                 {QStringLiteral("AMORTIZEDBASE=360")},
                                 true},
                      Comparison{"BrokenStore", Store::Broken, {}, true},
                      Comparison{"WithoutRows", Store::Stored, {QStringLiteral("AMORTIZEDBASE=360")}, false}),
    [](const ::testing::TestParamInfo<Comparison> &row) { return std::string(row.param.name); });

class Batch : public ::testing::Test {
protected:
    QTemporaryDir m_dir;
    Services m_services{accrua::testsupport::usDollars(),
                        accrua::settings::FileSettingsFactory(m_dir.filePath(QStringLiteral("Accrua.conf")))};
};

const QByteArray kLoan = R"({"command":"payment","principal":"10000","rate":"6","years":"1","months":"0"})";

TEST_F(Batch, SettingsAreReadOnceForTheWholeBatch)
{
    int opened = 0;
    Services counting = m_services;
    counting.settings = [&opened, factory = m_services.settings] {
        ++opened;
        return factory();
    };
    QByteArray input;
    for (int k = 0; k < 20; ++k)
        input += kLoan + '\n';
    const Outcome r = batch({}, inputOf(input), counting);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.lines().size(), 20);
    EXPECT_EQ(opened, 1);
}

TEST_F(Batch, ALinesOwnSettingWinsOverTheBatchs)
{
    const QByteArray own = R"({"command":"payment","principal":"10000","rate":"6","years":"1","months":"0",)"
                           R"("setting":{"PAYMENTRESOLUTION":"INCREASEPAYMENTAMOUNT"}})";
    const Outcome r =
        batch({QStringLiteral("--setting"), QStringLiteral("PAYMENTRESOLUTION=INCREASEPAYMENTCOUNT")},
              inputOf(kLoan + '\n' + own + '\n'), m_services);
    const QList<QJsonObject> lines = r.lines();
    ASSERT_EQ(lines.size(), 2);
    const auto count = [](const QJsonObject &o) {
        return o[QStringLiteral("fields")][QStringLiteral("MaskEdit_TotalNumberPayments")].toString();
    };
    EXPECT_EQ(count(lines[0]), QStringLiteral("13"));
    EXPECT_EQ(count(lines[1]), QStringLiteral("12"));
}

// How the input arrives does not change what is read: in pieces of any size,
// with Windows line ends, blank lines, a last line without its end, and a
// line past the bound, which is answered and skipped.
struct Arrival {
    const char *name;
    QByteArray input;
    qint64 chunk;
    QList<int> exits;
};

class BatchInputShapes : public Batch, public ::testing::WithParamInterface<Arrival> {};

TEST_P(BatchInputShapes, EveryRequestIsAnsweredInOrder)
{
    const Arrival &a = GetParam();
    const Outcome r = batch({}, inputOf(a.input, a.chunk), m_services);
    EXPECT_EQ(r.status, 0);
    QList<int> exits;
    for (const QJsonObject &line : r.lines())
        exits << line[QStringLiteral("exit")].toInt(-1);
    EXPECT_EQ(exits, a.exits) << r.out.toStdString();
}

const QByteArray kLong =
    "{\"command\":\"payment\",\"id\":\"" + QByteArray(accrua::cli::kMaxBatchLineBytes, 'x') + "\"}";

INSTANTIATE_TEST_SUITE_P(
    Batch, BatchInputShapes,
    ::testing::Values(Arrival{"ByteByByte", kLoan + "\n\n" + kLoan + "\n", 1, {0, 0}},
                      Arrival{"WindowsLineEnds", kLoan + "\r\n" + kLoan + "\r\n", 7, {0, 0}},
                      Arrival{"LastLineWithoutItsEnd", kLoan + "\n" + kLoan, 1 << 16, {0, 0}},
                      Arrival{"BlankLinesOnly", "\n  \n\t\n", 3, {}},
                      Arrival{"LineTooLong", kLoan + "\n" + kLong + "\n" + kLoan + "\n", 1 << 16, {0, 2, 0}},
                      Arrival{"LineTooLongAtTheEnd", kLoan + "\n" + kLong, 4096, {0, 2}}),
    [](const ::testing::TestParamInfo<Arrival> &row) { return std::string(row.param.name); });

// A key given twice is refused, as an option given twice is.
INSTANTIATE_TEST_SUITE_P(
    Twice, BatchInputShapes,
    ::testing::Values(Arrival{"KeyGivenTwice", kLoan.chopped(1) + R"(,"rate":"8"})", 1 << 16, {2}},
                      Arrival{"SettingGivenTwice",
                              kLoan.chopped(1) + R"(,"setting":{"TITLE":"a","TITLE":"b"}})",
                              1 << 16,
                              {2}}),
    [](const ::testing::TestParamInfo<Arrival> &row) { return std::string(row.param.name); });

// The bound holds to the byte, wherever the reads cut the input.
const QByteArray kAtTheBound = kLoan + QByteArray(accrua::cli::kMaxBatchLineBytes - kLoan.size(), ' ');
INSTANTIATE_TEST_SUITE_P(
    Bound, BatchInputShapes,
    ::testing::Values(Arrival{"AtAnyOffset",
                              kAtTheBound + "\n" + kAtTheBound + " \n" + kLoan + "\n" + kAtTheBound + " ",
                              1 << 16,
                              {0, 2, 0, 2}}),
    [](const ::testing::TestParamInfo<Arrival> &row) { return std::string(row.param.name); });

TEST_F(Batch, UnreadableInputEndsTheBatchWithStatusTwo)
{
    bool first = true;
    const BatchInput failing = [&](char *data, qint64, QString &why) -> qint64 {
        if (!first) {
            why = QStringLiteral("Input/output error");
            return -1;
        }
        first = false;
        const QByteArray line = kLoan + '\n';
        std::copy(line.begin(), line.end(), data);
        return line.size();
    };
    Outcome r = batch({}, failing, m_services);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.lines().size(), 1); // what was read is answered
    EXPECT_TRUE(r.err.contains(QStringLiteral("Input/output error")));

    for (const QString &path : {m_dir.filePath(QStringLiteral("missing.jsonl")), m_dir.path()}) {
        r = batch({QStringLiteral("--input"), path}, inputOf(kLoan), m_services);
        EXPECT_EQ(r.status, 2) << path.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
}

TEST_F(Batch, InputFileAndIdsAreTakenAsGiven)
{
    QFile f(m_dir.filePath(QStringLiteral("requests.jsonl")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    const QByteArray withId = R"({"command":"savings","balance":"1000","rate":"4","compounded":"monthly",)"
                              R"("years":"1","months":"0","id":)";
    // Given back as written, digits and spaces and all.
    const QByteArray ids[] = {
        "\"a\\\"b\"", "12.5", "{\"run\":[1,true,null]}", "null", "12345678901234567890", "1.0", "[1, 2e3]"};
    for (const QByteArray &id : ids)
        f.write(withId + id + "}\n");
    f.close();
    const Outcome r = batch({QStringLiteral("--input"), f.fileName()}, inputOf("ignored"), m_services);
    ASSERT_EQ(r.status, 0);
    const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), static_cast<qsizetype>(std::size(ids)));
    for (std::size_t k = 0; k < std::size(ids); ++k)
        EXPECT_TRUE(lines[qsizetype(k)].contains(QString::fromUtf8(",\"id\":" + ids[k] + ",")))
            << lines[qsizetype(k)].toStdString();
}

TEST_F(Batch, OutputThatCannotBeWrittenStopsTheBatch)
{
    QByteArray input;
    for (int k = 0; k < 50; ++k)
        input += kLoan + '\n';
    accrua::testsupport::FailAfterDevice device(100);
    device.open(QIODevice::WriteOnly);
    QString errText;
    QTextStream out(&device), err(&errText);
    EXPECT_EQ(accrua::cli::runBatchCommand({}, inputOf(input), out, err, m_services), 1);
    EXPECT_EQ(out.status(), QTextStream::WriteFailed);
}

TEST_F(Batch, UsageErrorsOfTheBatchItself)
{
    for (const QStringList &args : {QStringList{QStringLiteral("--rows"), QStringLiteral("some")},
                                    QStringList{QStringLiteral("--frobnicate")},
                                    QStringList{QStringLiteral("--setting"), QStringLiteral("NOSUCH=1")}}) {
        EXPECT_THROW(batch(args, inputOf(kLoan), m_services), accrua::cli::UsageError)
            << args.join(u' ').toStdString();
    }
    EXPECT_THROW(
        batch({QStringLiteral("--setting"), QStringLiteral("AMORTIZEDBASE=abc")}, inputOf(kLoan), m_services),
        accrua::cli::Refusal);
}

} // namespace
