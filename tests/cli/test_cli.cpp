// accrua-cli through its entry function: the commands, their JSON and the
// exit statuses, with a fixed locale and the settings store in a temporary
// folder.
#include "cli/cli.h"

#include "accrua/version.h"
#include "support.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using accrua::cli::Services;

struct Result {
    int status;
    QString out;
    QString err;
    QJsonObject json() const { return QJsonDocument::fromJson(out.toUtf8()).object(); }
};

Result runWith(const Services &services, const QStringList &args)
{
    QString out, err;
    QTextStream o(&out), e(&err);
    const int status = accrua::cli::run(args, o, e, services);
    o.flush();
    e.flush();
    return {status, out, err};
}

// Every test starts from an empty store of its own, in US conventions.
class Cli : public ::testing::Test {
protected:
    Result run(const QStringList &args) const { return runWith(m_services, args); }

    QTemporaryDir m_dir;
    Services m_services{accrua::testsupport::usDollars(),
                        accrua::settings::FileSettingsFactory(m_dir.filePath(QStringLiteral("Accrua.conf")))};
};

TEST_F(Cli, UsageErrorsExitTwo)
{
    const QStringList bad[] = {
        {},
        {QStringLiteral("frobnicate")},
        {QStringLiteral("payment"), QStringLiteral("--principal"), QStringLiteral("1")},
        {QStringLiteral("payment"), QStringLiteral("--principal"), QStringLiteral("1"),
         QStringLiteral("--rate"), QStringLiteral("1"), QStringLiteral("--years"), QStringLiteral("1"),
         QStringLiteral("--months"), QStringLiteral("0"), QStringLiteral("--resolution"),
         QStringLiteral("sideways")},
        {QStringLiteral("count"), QStringLiteral("--principal"), QStringLiteral("1"),
         QStringLiteral("--rate"), QStringLiteral("1"), QStringLiteral("--payment"), QStringLiteral("1"),
         QStringLiteral("--years"), QStringLiteral("1")},
        {QStringLiteral("daily"), QStringLiteral("--principal=1"), QStringLiteral("--rate=1"),
         QStringLiteral("--payment=1"), QStringLiteral("--start=2026-13-40"),
         QStringLiteral("--receive=2026-01-01")},
        {QStringLiteral("savings"), QStringLiteral("--balance=1"), QStringLiteral("--rate=1"),
         QStringLiteral("--compounded=weekly"), QStringLiteral("--years=1"), QStringLiteral("--months=0")},
        {QStringLiteral("payment"), QStringLiteral("--setting"), QStringLiteral("NOSUCH=1")},
        {QStringLiteral("payment"), QStringLiteral("--principal=1"), QStringLiteral("--rate=1"),
         QStringLiteral("--years=1"), QStringLiteral("--months=0"), QStringLiteral("--setting=NOSUCH=1")},
        {QStringLiteral("payment"), QStringLiteral("--principal=1"), QStringLiteral("--rate=1"),
         QStringLiteral("--years=1"), QStringLiteral("--months=0"),
         QStringLiteral("--setting=AMORTIZEDBASE")},
    };
    for (const QStringList &args : bad) {
        const Result r = run(args);
        EXPECT_EQ(r.status, 2) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_FALSE(r.err.isEmpty());
    }
    EXPECT_EQ(run({QStringLiteral("--help")}).status, 0);
}

TEST_F(Cli, PaymentJsonHasEveryLoanFieldRowsAndNoMessages)
{
    const Result r =
        run({QStringLiteral("payment"), QStringLiteral("--principal"), QStringLiteral("10000"),
             QStringLiteral("--rate"), QStringLiteral("6"), QStringLiteral("--years"), QStringLiteral("1"),
             QStringLiteral("--months"), QStringLiteral("0"), QStringLiteral("--json")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QJsonObject doc = r.json();
    const QJsonObject fields = doc[QStringLiteral("fields")].toObject();
    EXPECT_EQ(fields.size(), 12);
    EXPECT_EQ(fields[QStringLiteral("MaskEdit_Payment")].toString(), QStringLiteral("860.67"));
    EXPECT_EQ(fields[QStringLiteral("MaskEdit_TotalInterest")].toString(), QStringLiteral("327.96"));
    EXPECT_EQ(fields[QStringLiteral("MaskEdit_PaymentAnswer")].toString(), QStringLiteral("860.67"));
    const QJsonArray rows = doc[QStringLiteral("rows")].toArray();
    ASSERT_EQ(rows.size(), 12);
    const QJsonObject last = rows.last().toObject();
    EXPECT_EQ(last[QStringLiteral("payment")].toString(), QStringLiteral("860.59"));
    EXPECT_EQ(last[QStringLiteral("principal")].toString(), QStringLiteral("856.31"));
    EXPECT_EQ(last[QStringLiteral("interest")].toString(), QStringLiteral("4.28"));
    EXPECT_EQ(last[QStringLiteral("balance")].toString(), QStringLiteral("0.00"));
    EXPECT_TRUE(doc[QStringLiteral("messages")].toArray().isEmpty());
}

TEST_F(Cli, ResolutionFromOptionOrSetting)
{
    const QStringList base = {QStringLiteral("payment"),    QStringLiteral("--principal=10000"),
                              QStringLiteral("--rate=6"),   QStringLiteral("--years=1"),
                              QStringLiteral("--months=0"), QStringLiteral("--json")};
    const auto count = [&](const QStringList &extra) {
        return run(base + extra)
            .json()[QStringLiteral("fields")]
            .toObject()[QStringLiteral("MaskEdit_TotalNumberPayments")]
            .toString();
    };
    EXPECT_EQ(count({}), QStringLiteral("12"));
    EXPECT_EQ(count({QStringLiteral("--resolution=count")}), QStringLiteral("13"));
    EXPECT_EQ(count({QStringLiteral("--setting"), QStringLiteral("PAYMENTRESOLUTION=INCREASEPAYMENTCOUNT")}),
              QStringLiteral("13"));
    // A stored setting is used when no option says otherwise.
    ASSERT_EQ(run({QStringLiteral("settings"), QStringLiteral("--set"),
                   QStringLiteral("PAYMENTRESOLUTION=INCREASEPAYMENTCOUNT")})
                  .status,
              0);
    EXPECT_EQ(count({}), QStringLiteral("13"));
    EXPECT_EQ(count({QStringLiteral("--resolution=amount")}), QStringLiteral("12"));
}

TEST_F(Cli, RefusedInputExitsOneWithItsMessages)
{
    Result r = run({QStringLiteral("count"), QStringLiteral("--principal=100000"), QStringLiteral("--rate=7"),
                    QStringLiteral("--payment=500")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(
        r.err.contains(QStringLiteral("A loan of $100,000.00 cannot be paid off with a payment of $500.00")));

    r = run({QStringLiteral("payment"), QStringLiteral("--principal=10000"), QStringLiteral("--rate=6"),
             QStringLiteral("--years=1"), QStringLiteral("--months=-12"), QStringLiteral("--json")});
    EXPECT_EQ(r.status, 1);
    const QJsonArray messages = r.json()[QStringLiteral("messages")].toArray();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].toObject()[QStringLiteral("kind")].toString(), QStringLiteral("error"));
    EXPECT_EQ(messages[0].toObject()[QStringLiteral("text")].toString(), QStringLiteral("Division by zero."));
}

TEST_F(Cli, AmortizeQuestionIsAnsweredAndRecorded)
{
    for (const char *answer : {"yes", "no"}) {
        const Result r =
            run({QStringLiteral("amortize"), QStringLiteral("--principal=10000"), QStringLiteral("--rate=6"),
                 QStringLiteral("--payment=1000"), QStringLiteral("--years=1"), QStringLiteral("--months=0"),
                 QStringLiteral("--answer"), QLatin1String(answer), QStringLiteral("--json")});
        ASSERT_EQ(r.status, 0);
        const QJsonObject doc = r.json();
        const QJsonObject m = doc[QStringLiteral("messages")].toArray().at(0).toObject();
        EXPECT_EQ(m[QStringLiteral("kind")].toString(), QStringLiteral("warning"));
        EXPECT_EQ(m[QStringLiteral("answer")].toString(), QLatin1String(answer));
        EXPECT_EQ(doc[QStringLiteral("rows")].toArray().size(),
                  QLatin1String(answer) == QLatin1String("yes") ? 11 : 12);
    }
}

TEST_F(Cli, DailyFromDatesAndSavingsRows)
{
    Result r =
        run({QStringLiteral("daily"), QStringLiteral("--principal=1000"), QStringLiteral("--rate=5"),
             QStringLiteral("--payment=100"), QStringLiteral("--start=2004-01-01"),
             QStringLiteral("--receive=2005-01-01"), QStringLiteral("--base=360"), QStringLiteral("--json")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    QJsonObject fields = r.json()[QStringLiteral("fields")].toObject();
    EXPECT_EQ(fields[QStringLiteral("MaskEdit_Days")].toString(), QStringLiteral("366"));
    EXPECT_EQ(fields[QStringLiteral("MaskEdit_DailyRate")].toString(), QStringLiteral("0.138888888888889"));
    EXPECT_EQ(fields[QStringLiteral("DateTimePicker_StartDate")].toString(), QStringLiteral("1/1/2004"));

    r = run({QStringLiteral("savings"), QStringLiteral("--balance=1000"), QStringLiteral("--rate=4"),
             QStringLiteral("--compounded=bi-yearly"), QStringLiteral("--years=2"),
             QStringLiteral("--months=6"), QStringLiteral("--json")});
    ASSERT_EQ(r.status, 0);
    const QJsonArray rows = r.json()[QStringLiteral("rows")].toArray();
    ASSERT_EQ(rows.size(), 5);
    EXPECT_EQ(rows[2].toObject()[QStringLiteral("interest")].toString(), QStringLiteral("20.81"));
    EXPECT_EQ(rows[4].toObject()[QStringLiteral("balance")].toString(), QStringLiteral("1104.08"));

    r = run({QStringLiteral("savings"), QStringLiteral("--balance=1000"), QStringLiteral("--rate=4"),
             QStringLiteral("--compounded=monthly"), QStringLiteral("--years=0"),
             QStringLiteral("--months=12")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.startsWith(QStringLiteral("information: When calculating")));
}

TEST_F(Cli, SettingsListAndSet)
{
    Result r = run({QStringLiteral("settings"), QStringLiteral("--json")});
    ASSERT_EQ(r.status, 0);
    QJsonArray list = QJsonDocument::fromJson(r.out.toUtf8()).array();
    EXPECT_EQ(list.size(), 16);
    for (const auto &v : list)
        EXPECT_TRUE(v.toObject()[QStringLiteral("default")].toBool());
    EXPECT_EQ(run({QStringLiteral("settings"), QStringLiteral("--set"), QStringLiteral("AMORTIZEDBASE=360")})
                  .status,
              0);
    EXPECT_NE(
        run({QStringLiteral("settings"), QStringLiteral("--set"), QStringLiteral("AMORTIZEDBASE=x")}).status,
        0);
    r = run({QStringLiteral("settings")});
    EXPECT_TRUE(r.out.contains(QStringLiteral("AMORTIZEDBASE")));
    EXPECT_TRUE(r.out.contains(QStringLiteral("\"360\"")));
}

TEST_F(Cli, VersionIsTheProjectVersion)
{
    const Result r = run({QStringLiteral("--version")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, QStringLiteral("accrua-cli %1\n%2")
                         .arg(QLatin1String(accrua::kVersion), QLatin1String(accrua::kLicenseNotice)));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d+\\.\\d+")).match(r.out.mid(11)).hasMatch())
        << r.out.toStdString();
}

// The amounts are read and written in the conventions of the locale the
// caller passes, not the process's: the same loan typed with a decimal comma
// gives the same texts with a decimal comma.
TEST(CliServices, AmountsFollowTheGivenLocale)
{
    const auto fields = [](const accrua::text::Locale &locale, const QString &principal) {
        QTemporaryDir dir;
        const Services services{
            locale, accrua::settings::FileSettingsFactory(dir.filePath(QStringLiteral("Accrua.conf")))};
        const Result r =
            runWith(services, {QStringLiteral("payment"), QStringLiteral("--principal"), principal,
                               QStringLiteral("--rate=6"), QStringLiteral("--years=1"),
                               QStringLiteral("--months=0"), QStringLiteral("--json")});
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
        return r.json()[QStringLiteral("fields")].toObject();
    };
    const QJsonObject dollars = fields(accrua::testsupport::usDollars(), QStringLiteral("10000.5"));
    const QJsonObject dinars = fields(accrua::testsupport::kuwaitiDinars(), QStringLiteral("10000,5"));
    ASSERT_EQ(dinars.keys(), dollars.keys());
    EXPECT_TRUE(dollars[QStringLiteral("MaskEdit_Payment")].toString().contains(QLatin1Char('.')));
    for (const QString &name : dollars.keys())
        EXPECT_EQ(dinars[name].toString(),
                  dollars[name].toString().replace(QLatin1Char('.'), QLatin1Char(',')))
            << name.toStdString();
}

// --setting NAME=VALUE: a value the store refuses stops the command with
// exit status 1 and the refusal "settings --set" gives for the same pair;
// nothing is computed or written.
struct RefusedSetting {
    const char *name;
    QString assignment;
};

class CliRefusedSetting : public Cli, public ::testing::WithParamInterface<RefusedSetting> {};

TEST_P(CliRefusedSetting, ExitsOneWithTheStoreRefusal)
{
    const QString assignment = GetParam().assignment;
    const Result set = run({QStringLiteral("settings"), QStringLiteral("--set"), assignment});
    ASSERT_EQ(set.status, 1);
    ASSERT_FALSE(set.err.isEmpty());
    const QStringList daily = {QStringLiteral("daily"),
                               QStringLiteral("--principal=1000"),
                               QStringLiteral("--rate=5"),
                               QStringLiteral("--payment=100"),
                               QStringLiteral("--days=30"),
                               QStringLiteral("--setting"),
                               assignment};
    for (const QStringList &args : {daily, daily + QStringList{QStringLiteral("--json")}}) {
        const Result r = run(args);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, set.err);
        EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
    }
    for (const auto &v :
         QJsonDocument::fromJson(run({QStringLiteral("settings"), QStringLiteral("--json")}).out.toUtf8())
             .array())
        EXPECT_TRUE(v.toObject()[QStringLiteral("default")].toBool())
            << v.toObject()[QStringLiteral("name")].toString().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Values, CliRefusedSetting,
    ::testing::Values(RefusedSetting{"IntegerOfLetters", QStringLiteral("AMORTIZEDBASE=abc")},
                      RefusedSetting{"IntegerWithFraction", QStringLiteral("amortizedbase=360.5")},
                      RefusedSetting{"IntegerBeyond32Bits", QStringLiteral("AMORTIZEDBASE=4294967296")},
                      RefusedSetting{"EmptyInteger", QStringLiteral("AMORTIZEDBASE=")},
                      RefusedSetting{"FlagWord", QStringLiteral("PRINTTOTALS=maybe")},
                      RefusedSetting{"TextWithNul",
                                     QStringLiteral("TITLE=a") + QChar(u'\0') + QStringLiteral("b")}),
    [](const ::testing::TestParamInfo<RefusedSetting> &row) { return std::string(row.param.name); });

// A value the store accepts is used for the run, as the option that sets the
// same thing would be.
struct TakenSetting {
    const char *name;
    QStringList command;
    QString assignment;
    QString option;
};

class CliTakenSetting : public Cli, public ::testing::WithParamInterface<TakenSetting> {};

TEST_P(CliTakenSetting, ActsAsTheOptionForTheSameValue)
{
    const TakenSetting &row = GetParam();
    const auto fields = [&](const QStringList &extra) {
        const Result r = run(row.command + QStringList{QStringLiteral("--json")} + extra);
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
        return r.json()[QStringLiteral("fields")].toObject();
    };
    const QJsonObject bySetting = fields({QStringLiteral("--setting"), row.assignment});
    EXPECT_EQ(bySetting, fields({row.option}));
    EXPECT_NE(bySetting, fields({}));
}

const QStringList dailyCommand = {QStringLiteral("daily"), QStringLiteral("--principal=1000"),
                                  QStringLiteral("--rate=5"), QStringLiteral("--payment=100"),
                                  QStringLiteral("--days=30")};
const QStringList paymentCommand = {QStringLiteral("payment"), QStringLiteral("--principal=10000"),
                                    QStringLiteral("--rate=6"), QStringLiteral("--years=1"),
                                    QStringLiteral("--months=0")};

INSTANTIATE_TEST_SUITE_P(
    Values, CliTakenSetting,
    ::testing::Values(TakenSetting{"DayBase", dailyCommand, QStringLiteral("AMORTIZEDBASE=360"),
                                   QStringLiteral("--base=360")},
                      TakenSetting{"DayBaseInLowerCaseWithBlanks", dailyCommand,
                                   QStringLiteral("amortizedbase= 360 "), QStringLiteral("--base=360")},
                      TakenSetting{"PaymentResolution", paymentCommand,
                                   QStringLiteral("PAYMENTRESOLUTION=INCREASEPAYMENTCOUNT"),
                                   QStringLiteral("--resolution=count")}),
    [](const ::testing::TestParamInfo<TakenSetting> &row) { return std::string(row.param.name); });

} // namespace
