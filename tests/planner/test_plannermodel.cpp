// The planner's model without widgets: scenario operations, the comparison
// against scenario A, the spread of several extra payments, field texts, and
// the plan file read back, refused when damaged or newer.
#include "planner/comparison.h"
#include "planner/fieldtext.h"
#include "planner/plan.h"
#include "planner/planfile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using namespace accrua;
using namespace accrua::planner;

namespace {

const text::Locale kDot(u'.', u',', 2, QStringLiteral("$"));
const text::Locale kComma(u',', u'.', 2, QStringLiteral("EUR"), false, QStringLiteral("dd.MM.yyyy"));

ScenarioInputs loan(calc::Extended rate = 4.25)
{
    ScenarioInputs in = defaultInputs(QDate(2026, 1, 1));
    in.principal = calc::Money::fromValue(180000);
    in.ratePercent = rate;
    return in;
}

calc::Money moneyOf(const QString &cell)
{
    return *parseAmount(QString(cell).remove(u'+'), kDot).value;
}

// ---- scenario operations ----

struct OperationCase {
    const char *name;
    std::function<bool(Plan &)> steps; // the last step's outcome
    bool outcome;
    QStringList names;
    int selected;
};

class ScenarioOperations : public ::testing::TestWithParam<OperationCase> {};

TEST_P(ScenarioOperations, KeepThePlanWhole)
{
    const OperationCase &c = GetParam();
    Plan plan(loan());
    EXPECT_EQ(c.steps(plan), c.outcome);
    QStringList names;
    for (const Scenario &s : plan.scenarios())
        names << s.name;
    EXPECT_EQ(names, c.names);
    EXPECT_EQ(plan.selected(), c.selected);
}

const OperationCase kOperations[] = {
    {"AddsUpToSixThenRefuses",
     [](Plan &p) {
         for (int i = 0; i < 5; ++i)
             p.add(loan());
         return p.add(loan()) >= 0;
     },
     false,
     {"A", "B", "C", "D", "E", "F"},
     0},
    {"KeepsTheLastScenario", [](Plan &p) { return p.remove(0); }, false, {"A"}, 0},
    {"RemovingTheSelectedLastSelectsTheOneBefore",
     [](Plan &p) {
         p.add(loan());
         p.select(p.add(loan()));
         return p.remove(2);
     },
     true,
     {"A", "B"},
     1},
    {"RemovingBeforeTheSelectedKeepsItSelected",
     [](Plan &p) {
         p.select(p.add(loan()));
         return p.remove(0);
     },
     true,
     {"B"},
     0},
    {"NewNamesFillTheFirstGap",
     [](Plan &p) {
         p.add(loan());
         p.add(loan());
         p.remove(1);
         return p.duplicate(0) == 2;
     },
     true,
     {"A", "C", "B"},
     0},
    {"RenameRefusesAnotherScenariosName",
     [](Plan &p) {
         p.add(loan());
         return p.rename(1, QStringLiteral(" a "));
     },
     false,
     {"A", "B"},
     0},
    {"RenameRefusesAnEmptyName", [](Plan &p) { return p.rename(0, QStringLiteral("  ")); }, false, {"A"}, 0},
    {"RenameTrims",
     [](Plan &p) { return p.rename(0, QStringLiteral(" Bank offer ")); },
     true,
     {"Bank offer"},
     0},
};
INSTANTIATE_TEST_SUITE_P(Plan, ScenarioOperations, ::testing::ValuesIn(kOperations),
                         [](const auto &paramInfo) { return std::string(paramInfo.param.name); });

TEST(Plan, DuplicateCopiesTheInputsAndMarksTheChange)
{
    ScenarioInputs in = loan();
    in.extras.push_back(ExtraRow{3, calc::Money::fromValue(50), 2});
    Plan plan(in);
    EXPECT_FALSE(plan.isModified());
    const int b = plan.duplicate(0);
    EXPECT_EQ(plan.scenario(b).inputs, in);
    EXPECT_TRUE(plan.isModified());
}

// ---- comparison ----

struct ComparisonCase {
    const char *name;
    std::function<void(ScenarioInputs &)> changeB;
    QChar interestSign; // of "Interest saved vs A" in B's column
    QString paymentsSaved;
};

class ComparisonAgainstA : public ::testing::TestWithParam<ComparisonCase> {};

TEST_P(ComparisonAgainstA, ShowsSignedDifferences)
{
    const ComparisonCase &c = GetParam();
    ScenarioInputs b = loan();
    c.changeB(b);
    const ScenarioResult ra = computeScenario(loan());
    const ScenarioResult rb = computeScenario(b);
    ASSERT_TRUE(ra.planned() && rb.planned()) << rb.problem.toStdString();
    const Comparison cmp = compare({{QStringLiteral("A"), &ra}, {QStringLiteral("B"), &rb}}, kDot);
    ASSERT_EQ(cmp.scenarios, QStringList({"A", "B"}));
    const auto row = [&](const char *label) {
        for (const ComparisonRow &r : cmp.rows) {
            if (r.label == QLatin1String(label))
                return r.cells;
        }
        return QStringList();
    };
    const QStringList saved = row("Interest saved vs A");
    EXPECT_TRUE(saved[0].isEmpty());
    EXPECT_EQ(saved[1].front(), c.interestSign) << saved[1].toStdString();
    // The difference is the two columns' totals apart.
    const QStringList interest = row("Total interest");
    const calc::Money diff = moneyOf(interest[0]) - moneyOf(interest[1]);
    EXPECT_EQ(moneyOf(saved[1].mid(saved[1].front() == u'-' ? 1 : 0)).count,
              diff.count < 0 ? -diff.count : diff.count);
    EXPECT_EQ(row("Payments saved vs A")[1], c.paymentsSaved);
}

const ComparisonCase kComparisons[] = {
    // A public amortization library's figures: 200 extra a month saves 109 payments.
    {"ExtraPaymentSaves",
     [](ScenarioInputs &b) {
         b.extras.push_back(ExtraRow{1, calc::Money::fromValue(200), 1});
     },
     u'+', QStringLiteral("+109")},
    {"TwoExtrasSaveAsTheirSum",
     [](ScenarioInputs &b) {
         b.extras.push_back(ExtraRow{1, calc::Money::fromValue(120), 1});
         b.extras.push_back(ExtraRow{1, calc::Money::fromValue(80), 1});
     },
     u'+', QStringLiteral("+109")},
    {"HigherRateCostsMore", [](ScenarioInputs &b) { b.ratePercent = 5; }, u'-', QStringLiteral("0")},
    {"ShorterTermSaves", [](ScenarioInputs &b) { b.years = 15; }, u'+', QStringLiteral("+180")},
};
INSTANTIATE_TEST_SUITE_P(Planner, ComparisonAgainstA, ::testing::ValuesIn(kComparisons),
                         [](const auto &paramInfo) { return std::string(paramInfo.param.name); });

TEST(Comparison, CrossoverOfThePublishedExample)
{
    ScenarioInputs b = loan();
    b.extras.push_back(ExtraRow{1, calc::Money::fromValue(200), 1});
    const ScenarioResult r = computeScenario(b);
    const Comparison cmp = compare({{QStringLiteral("A"), &r}}, kDot);
    EXPECT_EQ(cmp.rows.back().cells.front(), QStringLiteral("56"));
}

// ---- field texts ----

struct AmountCase {
    const char *name;
    const text::Locale *locale;
    QString typed;
    std::optional<std::int64_t> cents;
};

class AmountFields : public ::testing::TestWithParam<AmountCase> {};

TEST_P(AmountFields, ReadTheUsersNotation)
{
    const AmountCase &c = GetParam();
    const Parsed<calc::Money> p = parseAmount(c.typed, *c.locale);
    ASSERT_EQ(p.value.has_value(), c.cents.has_value()) << p.reason.toStdString();
    EXPECT_EQ(p.reason.isEmpty(), c.cents.has_value());
    if (c.cents) {
        EXPECT_EQ(p.value->count, *c.cents * 100);
    }
}

const AmountCase kAmounts[] = {
    {"Grouped", &kDot, QStringLiteral("1,234.50"), 123450},
    {"CommaDecimals", &kComma, QStringLiteral("1.234,5"), 123450},
    {"Blanks", &kDot, QStringLiteral(" 7 "), 700},
    {"Letters", &kDot, QStringLiteral("12a"), std::nullopt},
    {"Negative", &kDot, QStringLiteral("-5"), std::nullopt},
    {"Empty", &kDot, QString(), std::nullopt},
    {"Huge", &kDot, QStringLiteral("1e30"), std::nullopt},
};
INSTANTIATE_TEST_SUITE_P(Planner, AmountFields, ::testing::ValuesIn(kAmounts),
                         [](const auto &paramInfo) { return std::string(paramInfo.param.name); });

// ---- plan file ----

TEST(PlanFile, RoundTripKeepsEveryInput)
{
    ScenarioInputs a = loan(6.125);
    a.termKind = TermKind::Payments;
    a.payments = 240;
    a.frequency = calc::Frequency::EveryTwoWeeks;
    a.compounding = calc::kDaily;
    a.extras = {{1, calc::Money::fromValue(50.25L), 2}, {10, calc::Money::fromValue(10), 1}};
    a.lumps = {{0, calc::Money::fromValue(1000)}, {24, calc::Money::fromValue(5000)}};
    a.rateChanges = {{61, 7.375L}};
    a.fee = calc::Money::fromValue(1999.99L);
    a.firstPayment = QDate(2026, 2, 15);
    a.extraMode = calc::ExtraMode::LowerPayment;
    ScenarioInputs b = loan();
    b.termKind = TermKind::FixedPayment;
    b.fixedPayment = calc::Money::fromValue(1500);
    b.repayment = calc::Repayment::Annuity;
    Plan plan(a);
    plan.select(plan.add(b));
    plan.rename(1, QStringLiteral("Fixed \"1500\", ü"));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.accrua-plan"));
    ASSERT_FALSE(writePlanFile(path, plan).has_value());
    const PlanFileContent back = readPlanFile(path);
    ASSERT_TRUE(back.ok()) << back.error.toStdString();
    EXPECT_EQ(back.scenarios, plan.scenarios());
    EXPECT_EQ(back.selected, 1);
}

struct DamagedCase {
    const char *name;
    std::function<QByteArray(const QByteArray &)> damage;
    const char *reason;
};

class DamagedPlanFiles : public ::testing::TestWithParam<DamagedCase> {};

TEST_P(DamagedPlanFiles, AreRefusedWithTheReason)
{
    const DamagedCase &c = GetParam();
    Plan plan(loan());
    plan.add(loan());
    const PlanFileContent read = parsePlanFile(c.damage(planFileBytes(plan)));
    EXPECT_FALSE(read.ok());
    EXPECT_TRUE(read.scenarios.empty());
    EXPECT_TRUE(read.error.contains(QLatin1String(c.reason))) << read.error.toStdString();
}

QByteArray replaced(const QByteArray &bytes, const char *from, const char *to)
{
    return QByteArray(bytes).replace(from, to);
}

const DamagedCase kDamaged[] = {
    {"Cut", [](const QByteArray &b) { return b.left(b.size() / 2); }, "damaged"},
    {"NotJson", [](const QByteArray &) { return QByteArray("PK\x03\x04 zip"); }, "not a loan plan"},
    {"OtherFormat", [](const QByteArray &b) { return replaced(b, "\"accrua-plan\"", "\"other\""); },
     "not a loan plan"},
    {"Newer", [](const QByteArray &b) { return replaced(b, "\"version\": 1", "\"version\": 2"); },
     "newer version"},
    {"VersionText", [](const QByteArray &b) { return replaced(b, "\"version\": 1", "\"version\": \"1\""); },
     "version"},
    {"MissingRate", [](const QByteArray &b) { return replaced(b, "\"rate\":", "\"rat\":"); },
     "\"rate\" is missing"},
    {"RateNumber", [](const QByteArray &b) { return replaced(b, "\"rate\": \"4.25\"", "\"rate\": 4.25"); },
     "not a text"},
    {"NegativeAmount", [](const QByteArray &b) { return replaced(b, "\"180000.00\"", "\"-1\""); },
     "not an amount"},
    {"BadDate", [](const QByteArray &b) { return replaced(b, "2026-01-01", "2026-02-30"); }, "not a date"},
    {"UnknownFrequency", [](const QByteArray &b) { return replaced(b, "\"monthly\"", "\"hourly\""); },
     "unknown value"},
    {"FractionalYears", [](const QByteArray &b) { return replaced(b, "\"years\": 30", "\"years\": 30.5"); },
     "whole number"},
    {"SameNames", [](const QByteArray &b) { return replaced(b, "\"B\"", "\"a\""); }, "repeats the name"},
    {"NoScenarios",
     [](const QByteArray &b) {
         QJsonObject root = QJsonDocument::fromJson(b).object();
         root[QStringLiteral("scenarios")] = QJsonArray();
         return QJsonDocument(root).toJson();
     },
     "1 to 6 scenarios"},
    {"TooLarge", [](const QByteArray &b) -> QByteArray { return b + QByteArray(kMaxPlanFileBytes, ' '); },
     "too large"},
};
INSTANTIATE_TEST_SUITE_P(PlanFile, DamagedPlanFiles, ::testing::ValuesIn(kDamaged),
                         [](const auto &paramInfo) { return std::string(paramInfo.param.name); });

} // namespace
