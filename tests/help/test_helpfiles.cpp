// The decisions behind the help window, without windows.
#include "help/helpfiles.h"

#include <gtest/gtest.h>

#include <QSet>

#include <ostream>

void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace accrua::help {
namespace {

struct PathCase {
    const char *name;
    const char *helpFilePath;
    const char *subDirectory;
    const char *programFolder;
    QStringList existingFolders;
    const char *expected;
};

void PrintTo(const PathCase &c, std::ostream *os)
{
    *os << c.name;
}

class TopicPathTest : public testing::TestWithParam<PathCase> {};

TEST_P(TopicPathTest, JoinsPrefixSubfolderAndFile)
{
    const PathCase &c = GetParam();
    const QSet<QString> folders(c.existingFolders.begin(), c.existingFolders.end());
    const auto exists = [&folders](const QString &path) { return folders.contains(path); };
    EXPECT_EQ(topicPath(QString::fromUtf8(c.helpFilePath), QString::fromUtf8(c.subDirectory),
                        QString::fromUtf8(c.programFolder), QStringLiteral("a.html"), exists),
              QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Rules, TopicPathTest,
    testing::Values(
        PathCase{"PathWithSeparator", "/docs/", "Help", "/opt/accrua", {}, "/docs/a.html"},
        PathCase{"PathWithoutSeparatorIsJoinedDirectly", "/docs", "Help", "/opt/accrua", {}, "/docsa.html"},
        PathCase{"BlankPathFallsToSubfolder",
                 "  ",
                 "Help",
                 "/opt/accrua",
                 {"/opt/accrua/Help"},
                 "/opt/accrua/Help/a.html"},
        PathCase{"SubfolderBesideWinsOverInstalled",
                 "",
                 "Help",
                 "/usr/bin",
                 {"/usr/bin/Help", "/usr/bin/../share/accrua/Help"},
                 "/usr/bin/Help/a.html"},
        PathCase{"InstalledSubfolder",
                 "",
                 "Help",
                 "/usr/bin",
                 {"/usr/bin/../share/accrua/Help"},
                 "/usr/bin/../share/accrua/Help/a.html"},
        PathCase{"NoSubfolderFoundNamesTheOneBeside", "", "Help", "/usr/bin", {}, "/usr/bin/Help/a.html"},
        PathCase{
            "NeitherPathNorSubfolder", "", " ", "/opt/accrua", {"/opt/accrua/Help"}, "/opt/accrua/a.html"},
        PathCase{"ProgramAtRootDoublesTheSeparator", "", "Help", "/", {"//Help"}, "//Help/a.html"}),
    [](const testing::TestParamInfo<PathCase> &row) { return std::string(row.param.name); });

TEST(HelpFiles, ProgramFolderDropsTheFileAndKeepsOnlyARootSeparator)
{
    const std::vector<std::pair<const char *, const char *>> rows{
        {"/usr/bin/accrua", "/usr/bin"},
        {"/accrua", "/"},
        {"accrua", ""},
    };
    for (const auto &[program, folder] : rows)
        EXPECT_EQ(programFolder(QString::fromUtf8(program)), QString::fromUtf8(folder)) << program;
}

TEST(HelpFiles, TopicUrlTakesDoubledSeparatorsAsOne)
{
    EXPECT_EQ(topicUrl(QStringLiteral("//Help/a.html")), QUrl(QStringLiteral("file:///Help/a.html")));
    EXPECT_EQ(topicUrl(QStringLiteral("/opt/accrua/Help/a.html")),
              QUrl(QStringLiteral("file:///opt/accrua/Help/a.html")));
}

TEST(HelpFiles, EntrySplitsAtTheFirstEqualsSign)
{
    const std::vector<std::tuple<const char *, const char *, const char *>> rows{
        {"HelpAccrua.html=Accrua Topics", "HelpAccrua.html", "Accrua Topics"},
        {"a.html=x=y", "a.html", "x=y"},
        {"a.html=", "a.html", ""},
        {"No file here", "", "No file here"},
    };
    for (const auto &[entry, file, title] : rows) {
        const HelpTopic topic = parseHelpEntry(QString::fromUtf8(entry));
        EXPECT_EQ(topic.fileName, QString::fromUtf8(file)) << entry;
        EXPECT_EQ(topic.title, QString::fromUtf8(title)) << entry;
    }
}

TEST(HelpFiles, TitlesSortIgnoringCaseAndFindTheFirstEqual)
{
    EXPECT_EQ(sortedTitles({QStringLiteral("b"), QStringLiteral("Apple"), QStringLiteral("apple"),
                            QStringLiteral("C")}),
              (QStringList{QStringLiteral("Apple"), QStringLiteral("apple"), QStringLiteral("b"),
                           QStringLiteral("C")}));
    const QList<HelpTopic> topics{{QStringLiteral("one.html"), QStringLiteral("Same")},
                                  {QStringLiteral("two.html"), QStringLiteral("Same")}};
    EXPECT_EQ(findTopic(topics, QStringLiteral("Same")), 0);
    EXPECT_EQ(findTopic(topics, QStringLiteral("same")), -1);
}

} // namespace
} // namespace accrua::help
