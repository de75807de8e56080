// The desktop program's command line and the texts of the splash and the
// about box, without windows.
#include "app/startoptions.h"
#include "desktop/identity.h"

#include <gtest/gtest.h>

#include <ostream>

namespace accrua::app {
namespace {

using desktop::programVersion;
using desktop::standardDisclaimer;
using desktop::versionLabelText;

struct StartCase {
    const char *name;
    QStringList arguments;
    StartOptions::Action action;
    bool splash;
    bool planner = false;
};

void PrintTo(const StartCase &c, std::ostream *os)
{
    *os << c.name;
}

class StartOptionsTest : public testing::TestWithParam<StartCase> {};

TEST_P(StartOptionsTest, ReadsTheDesktopProgramsOptions)
{
    const StartOptions options = parseStartOptions(GetParam().arguments);
    EXPECT_EQ(options.action, GetParam().action);
    EXPECT_EQ(options.splash, GetParam().splash);
    EXPECT_EQ(options.planner, GetParam().planner);
    EXPECT_EQ(options.error.isEmpty(), options.action != StartOptions::Action::Error);
}

using A = StartOptions::Action;
INSTANTIATE_TEST_SUITE_P(
    Arguments, StartOptionsTest,
    testing::Values(
        StartCase{"None", {}, A::Run, true},
        StartCase{"NoSplash", {QStringLiteral("--no-splash")}, A::Run, false},
        StartCase{
            "Planner", {QStringLiteral("--planner"), QStringLiteral("--no-splash")}, A::Run, false, true},
        StartCase{"Help", {QStringLiteral("--help")}, A::Help, true},
        StartCase{"ShortVersion", {QStringLiteral("-v")}, A::Version, true},
        StartCase{"UnknownOption", {QStringLiteral("--splash")}, A::Error, true},
        StartCase{"StrayArgument", {QStringLiteral("loan.arp")}, A::Error, true},
        StartCase{"HelpWinsOverAMistake", {QStringLiteral("--bogus"), QStringLiteral("-h")}, A::Help, true}),
    [](const testing::TestParamInfo<StartCase> &row) { return std::string(row.param.name); });

TEST(About, VersionLineHasItsTrailingBlankAndEmptyStaysBlank)
{
    EXPECT_EQ(versionLabelText(QStringLiteral("5.1")), QStringLiteral("Version 5.1 "));
    EXPECT_EQ(versionLabelText(QString()), QString());
    EXPECT_TRUE(startVersionText().startsWith(QStringLiteral("Accrua ") + programVersion()));
}

TEST(About, DisclaimerNamesTheVendorInCapitalsThreeTimes)
{
    for (const char *vendor : {"Quennet Software", "Acme"}) {
        const QString name = QString::fromUtf8(vendor);
        const QString text = standardDisclaimer(name);
        EXPECT_EQ(text.count(name.toUpper()), 3) << vendor;
        EXPECT_EQ(text, text.toUpper()) << vendor;
    }
    EXPECT_EQ(standardDisclaimer(QString()).count(QStringLiteral("THE VENDOR")), 3);
}

} // namespace
} // namespace accrua::app
