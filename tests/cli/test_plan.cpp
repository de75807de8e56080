// accrua-cli plan and apr through the entry function: published worked
// examples, refused input and usage errors, the batch's plan and apr lines
// against the commands, and the help page's examples as written.
#include "cli/batchcommand.h"
#include "cli/cli.h"
#include "planner/planfile.h"

#include "support.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

using accrua::cli::Services;

struct Outcome {
    int status = 0;
    QString out;
    QString err;
    QJsonObject json() const { return QJsonDocument::fromJson(out.toUtf8()).object(); }
};

class PlanCli {
public:
    Outcome run(const QStringList &args) const
    {
        Outcome r;
        QTextStream out(&r.out), err(&r.err);
        r.status = accrua::cli::runCommand(args, out, err, m_services, nullptr);
        out.flush();
        err.flush();
        return r;
    }
    Outcome batch(const QByteArray &lines) const
    {
        Outcome r;
        QTextStream out(&r.out), err(&r.err);
        auto done = std::make_shared<bool>(false);
        const accrua::cli::BatchInput input = [lines, done](char *data, qint64 size, QString &) -> qint64 {
            if (*done)
                return 0;
            *done = true;
            const qint64 n = std::min<qint64>(size, lines.size());
            std::copy_n(lines.constData(), n, data);
            return n;
        };
        r.status = accrua::cli::runBatchCommand({}, input, out, err, m_services);
        out.flush();
        return r;
    }

private:
    QTemporaryDir m_dir;
    Services m_services{accrua::testsupport::usDollars(),
                        accrua::settings::FileSettingsFactory(m_dir.filePath(QStringLiteral("Accrua.conf"))),
                        [] { return QDate(2026, 1, 15); }};
};

QStringList words(const char *line)
{
    return QString::fromLatin1(line).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// A figure of the JSON answer: a dotted path to a string or number value.
double figure(const QJsonObject &json, const QString &path)
{
    QJsonValue v = json;
    for (const QString &key : path.split(QLatin1Char('.')))
        v = v.toObject().value(key);
    return v.isString() ? v.toString().toDouble() : v.toDouble(std::nan(""));
}

struct Published {
    const char *name;
    const char *args;
    const char *path;
    double expected;
    double tolerance; // the source's rounding, or its unrounded arithmetic
};

class PublishedThroughCli : public testing::TestWithParam<Published> {};

TEST_P(PublishedThroughCli, Match)
{
    const Published &c = GetParam();
    const Outcome r = PlanCli().run(words(c.args) << QStringLiteral("--json"));
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_NEAR(figure(r.json(), QString::fromLatin1(c.path)), c.expected, c.tolerance)
        << r.out.toStdString();
}

// Sources: the semi-annual figure from a personal-finance program's public bug
// report; the Canadian 30-year loan from the README of the npm package
// mortgage-calculator-p; the extra-payment savings from a public amortization
// library's tests (unrounded payments there: the interest within a unit);
// Regulation Z, Appendix J (disclosed to two decimals); the European
// Commission's worked APRC example (six decimals).
INSTANTIATE_TEST_SUITE_P(
    Examples, PublishedThroughCli,
    testing::Values(
        Published{"SemiAnnualPayment",
                  "plan --principal 100000 --rate 5 --payments 24 --compounding semi-annual", "payment",
                  4384.84, 0},
        Published{"Canadian30Years",
                  "plan --principal 250000 --rate 4.88 --years 30 --compounding semi-annual", "payment",
                  1316.37, 0},
        Published{"ExtraSavesPayments", "plan --principal 180000 --rate 4.25 --years 30 --extra 200",
                  "saved.payments", 109, 0},
        Published{"ExtraSavesInterest", "plan --principal 180000 --rate 4.25 --years 30 --extra 200",
                  "saved.interest", 47047.19, 1},
        Published{"ExtraCrossover", "plan --principal 180000 --rate 4.25 --years 30 --extra 200", "crossover",
                  56, 0},
        Published{"AppendixJMonthly",
                  "apr --advance 5000 --date 1978-01-10 --series 230x24@1978-02-10/monthly", "apr", 9.69,
                  0.005},
        Published{"AppendixJLongFirstPeriod",
                  "apr --advance 6000 --date 1978-02-10 --series 200x36@1978-04-01/monthly", "apr", 11.82,
                  0.005},
        Published{"AppendixJSinglePayment", "apr --advance 1000 --date 1978-01-03 --series 1080x1@1978-09-15",
                  "apr", 11.45, 0.005},
        Published{"CommissionAprc",
                  "apr --advance 200000 --fee 4000 --date 2026-01-15 --series 1432.86x240@2026-02-15/monthly",
                  "aprc", 6.434412, 5e-7}),
    [](const testing::TestParamInfo<Published> &row) { return std::string(row.param.name); });

struct Refused {
    const char *name;
    const char *args;
    int status;
};

class RefusedThroughCli : public testing::TestWithParam<Refused> {};

TEST_P(RefusedThroughCli, SaySoAndComputeNothing)
{
    const Outcome r = PlanCli().run(words(GetParam().args));
    EXPECT_EQ(r.status, GetParam().status);
    EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
    EXPECT_TRUE(r.err.startsWith(QStringLiteral("accrua-cli: "))) << r.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedThroughCli,
    testing::Values(
        Refused{"TextPrincipal", "plan --principal lots --rate 5 --years 30", 1},
        Refused{"NegativeAmount", "plan --principal -100 --rate 5 --years 30", 1},
        Refused{"ExtraNotANumber", "plan --principal 1000 --rate 5 --years 1 --extra 20x", 1},
        Refused{"LumpAfterLast", "plan --principal 1000 --rate 5 --years 1 --lump 13:100", 1},
        Refused{"RateChangeAfterLast", "plan --principal 1000 --rate 5 --years 1 --rate-change 13:6", 1},
        Refused{"UnknownFrequency", "plan --principal 1000 --rate 5 --years 1 --frequency fortnightly", 1},
        Refused{"FeeNotBelowPrincipal", "plan --principal 1000 --rate 5 --years 1 --fee 1000", 1},
        Refused{"Weekly230Years", "plan --principal 1000 --rate 5 --years 230 --frequency weekly", 1},
        Refused{"SeriesBeforeAdvance", "apr --advance 1000 --date 2026-01-15 --series 1100x1@2026-01-14", 1},
        Refused{"AprDoesNotConverge", "apr --advance 1000 --date 2026-01-15 --series 1100x1@2026-01-15", 1},
        Refused{"MissingRate", "plan --principal 1000 --years 1", 2},
        Refused{"TwoTerms", "plan --principal 1000 --rate 5 --years 1 --payments 12", 2},
        Refused{"BalloonTwice", "plan --principal 1000 --rate 5 --years 1 --amortize-years 5 --balloon 100",
                2}),
    [](const testing::TestParamInfo<Refused> &row) { return std::string(row.param.name); });

// A batch line answers as its command does, lists spelling repeated options.
TEST(PlanBatch, LinesAnswerAsTheirCommands)
{
    const PlanCli cli;
    const Outcome b = cli.batch(
        R"({"id":1,"command":"plan","principal":"180000","rate":"4.25","years":"30","lump":["12:10000","24:5000"],"rate-change":["61:5"]})"
        "\n"
        R"({"id":2,"command":"apr","advance":"5000","date":"1978-01-10","series":["230.00x12@1978-02-10/monthly","230.00x12@1979-02-10/monthly"]})"
        "\n"
        R"({"id":3,"command":"plan","principal":"1000","rate":"5","years":"1","lump":["13:100"]})"
        "\n");
    ASSERT_EQ(b.status, 0);
    const QStringList lines = b.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    const char *single[] = {"plan --principal 180000 --rate 4.25 --years 30 --lump 12:10000 --lump 24:5000 "
                            "--rate-change 61:5 --json",
                            "apr --advance 5000 --date 1978-01-10 --series 230x24@1978-02-10/monthly --json"};
    for (int k = 0; k < 2; ++k) {
        QJsonObject line = QJsonDocument::fromJson(lines[k].toUtf8()).object();
        EXPECT_EQ(line.take(QStringLiteral("exit")).toInt(-1), 0);
        EXPECT_EQ(line.take(QStringLiteral("id")).toInt(), k + 1);
        EXPECT_EQ(line, cli.run(words(single[k])).json()) << lines[k].toStdString();
    }
    const QJsonObject refused = QJsonDocument::fromJson(lines[2].toUtf8()).object();
    EXPECT_EQ(refused.value(QStringLiteral("exit")).toInt(), 1);
    EXPECT_FALSE(refused.value(QStringLiteral("messages")).toArray().isEmpty());
}

// Every accrua-cli plan and apr line of the help page runs as written.
TEST(PlanHelp, ExamplesRunAsWritten)
{
    QFile page(QStringLiteral(ACCRUA_PLANNING_PAGE));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(page.readAll());
    static const QRegularExpression example(QStringLiteral("^accrua-cli ((plan|apr) [^<\\n]*)$"),
                                            QRegularExpression::MultilineOption);
    int count = 0;
    for (auto it = example.globalMatch(html); it.hasNext(); ++count) {
        const QString line = it.next().captured(1);
        const Outcome r = PlanCli().run(words(line.toLatin1().constData()));
        EXPECT_EQ(r.status, 0) << line.toStdString() << "\n" << r.err.toStdString();
    }
    EXPECT_GE(count, 5);
}

} // namespace

namespace {

// A scenario of a saved plan answers as the planner window computes it; a
// scenario that is not there, or a damaged file, is refused.
TEST(PlanFileThroughCli, ScenarioAnswersAsTheWindowComputesIt)
{
    using namespace accrua::planner;
    QTemporaryDir dir;
    ScenarioInputs a = defaultInputs(QDate(2026, 1, 15));
    ScenarioInputs b = a;
    b.extras = {{1, accrua::calc::Money::fromValue(120), 1}, {13, accrua::calc::Money::fromValue(500), 12}};
    b.rateChanges = {{61, 6.5L}};
    Plan plan(a);
    plan.add(b);
    const QString path = dir.filePath(QStringLiteral("p.accrua-plan"));
    ASSERT_FALSE(writePlanFile(path, plan).has_value());
    const ScenarioResult window = computeScenario(b);
    ASSERT_TRUE(window.planned());

    PlanCli cli;
    const Outcome r = cli.run({QStringLiteral("plan"), QStringLiteral("--plan"), path,
                               QStringLiteral("--scenario"), QStringLiteral("b"), QStringLiteral("--json")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(figure(r.json(), QStringLiteral("payments")), double(window.plan.payments));
    EXPECT_EQ(figure(r.json(), QStringLiteral("totalInterest")), double(window.plan.totals.interest.value()));

    EXPECT_EQ(cli.run({QStringLiteral("plan"), QStringLiteral("--plan"), path, QStringLiteral("--scenario"),
                       QStringLiteral("Z")})
                  .status,
              1);
    QFile damaged(path);
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
    damaged.write("{\"format\": \"accrua-plan\", \"version\": 9}");
    damaged.close();
    const Outcome newer = cli.run({QStringLiteral("plan"), QStringLiteral("--plan"), path});
    EXPECT_EQ(newer.status, 1);
    EXPECT_TRUE(newer.err.contains(QLatin1String("newer version"))) << newer.err.toStdString();
}

} // namespace
