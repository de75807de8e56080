// Golden classic reports: each data/classic/*.case types a page's fields
// into the main window's model, calculates, builds the classic report and
// compares it line by line, with each line's attributes, with the .golden
// file beside it. The cases are listed from disk.
//
// ACCRUA_UPDATE_GOLDEN=1 rewrites the golden files (review the diff).
#include "reports/classic/classicreport.h"
#include "reports/classic/rtf.h"

#include "golden.h"
#include "support.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QTextStream>

#include <gtest/gtest.h>

using namespace accrua;
using namespace accrua::reports::classic;

namespace {

const QString kDataDir = QStringLiteral(ACCRUA_CLASSIC_DATA);

std::vector<std::string> caseNames()
{
    std::vector<std::string> names;
    for (const QString &file : QDir(kDataDir).entryList({QStringLiteral("*.case")}, QDir::Files, QDir::Name))
        names.push_back(file.chopped(5).toStdString());
    return names;
}

QString goldenText(const ClassicLines &lines)
{
    QString text;
    for (const ClassicLine &l : lines) {
        const ClassicAttributes &a = l.attributes;
        text += QStringLiteral("%1|%2|%3%4|%5\n")
                    .arg(a.fontName)
                    .arg(a.pointSize)
                    .arg(QChar(a.bold ? u'B' : u'-'))
                    .arg(QChar(a.underline ? u'U' : u'-'))
                    .arg(l.text);
    }
    return text;
}

QString readAll(const QString &fileName)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

// "key = value" lines; "#" starts a comment line.
QHash<QString, QString> readCase(const QString &fileName)
{
    QHash<QString, QString> values;
    const QStringList lines = readAll(fileName).split(u'\n');
    for (const QString &line : lines) {
        if (line.trimmed().isEmpty() || line.trimmed().startsWith(u'#'))
            continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq > 0)
            values.insert(line.left(eq).trimmed(), line.mid(eq + 1).trimmed());
    }
    return values;
}

app::Mode modeNamed(const QString &page)
{
    static const QHash<QString, app::Mode> modes = {
        {QStringLiteral("payment"), app::Mode::PaymentAmount},
        {QStringLiteral("count"), app::Mode::NumberOfPayments},
        {QStringLiteral("amortization"), app::Mode::Amortization},
        {QStringLiteral("daily"), app::Mode::DailyInterest},
        {QStringLiteral("savings"), app::Mode::SavingsInterest},
    };
    return modes.value(page, app::Mode::PaymentAmount);
}

class ClassicGolden : public testing::TestWithParam<std::string> {};

TEST_P(ClassicGolden, MatchesLineByLine)
{
    const QString base = kDataDir + u'/' + QString::fromStdString(GetParam());
    const QHash<QString, QString> c = readCase(base + QStringLiteral(".case"));
    ASSERT_FALSE(c.isEmpty()) << "empty case file";

    const text::Locale locale = c.value(QStringLiteral("locale")) == QLatin1String("kd")
                                    ? testsupport::kuwaitiDinars()
                                    : testsupport::usDollars();
    desktop::ScriptedMessageService messages;
    app::MainModel model(locale, messages);
    model.resetAmountFields();
    const app::Mode page = modeNamed(c.value(QStringLiteral("page")));
    model.selectMode(page);
    if (c.contains(QStringLiteral("AMORTIZEDBASE")))
        model.appSettings().AmortizedBase = c.value(QStringLiteral("AMORTIZEDBASE")).toInt();
    if (c.contains(QStringLiteral("RadioGroup_SaveCompounded")))
        model.setCompounding(c.value(QStringLiteral("RadioGroup_SaveCompounded")).toInt());
    if (c.contains(QStringLiteral("DateTimePicker_ReceiveDate"))) {
        model.datePickerChanged(
            false, QDate::fromString(c.value(QStringLiteral("DateTimePicker_ReceiveDate")), Qt::ISODate));
        model.datePickerChanged(
            true, QDate::fromString(c.value(QStringLiteral("DateTimePicker_StartDate")), Qt::ISODate));
    }
    for (auto it = c.constBegin(); it != c.constEnd(); ++it) {
        if (const std::optional<app::Field> field = app::fieldByControlName(it.key())) {
            model.typeText(*field, it.value());
            ASSERT_TRUE(model.leaveField(*field)) << it.key().toStdString();
        }
    }
    if (c.value(QStringLiteral("calculate"), QStringLiteral("yes")) == QLatin1String("yes")) {
        model.calculate();
        ASSERT_TRUE(model.reportCommandsEnabled()) << "the calculation failed";
    }

    settings::LoanInfoAnswer answer;
    answer.cancelled = false;
    answer.originationDate = c.value(QStringLiteral("origination"));
    answer.loanType = c.value(QStringLiteral("purpose"));
    const std::optional<LoanInformation> loan = loanInformationFrom(answer, locale);
    if (classicLayoutOf(page) == ClassicLayout::Amortization) {
        ASSERT_TRUE(loan.has_value()) << "origination is no date";
    }

    const bool forPrint = c.value(QStringLiteral("print")) == QLatin1String("yes");
    const QString actual =
        goldenText(buildClassicReportOf(model, page, forPrint, loan.value_or(LoanInformation{})));

    const QString goldenFile = base + QStringLiteral(".golden");
    if (testsupport::updateGolden()) {
        QFile f(goldenFile);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(actual.toUtf8());
    }
    const QStringList expected = readAll(goldenFile).split(u'\n');
    const QStringList got = actual.split(u'\n');
    ASSERT_FALSE(expected.size() <= 1) << "no golden file";
    for (qsizetype i = 0; i < std::min(expected.size(), got.size()); ++i)
        ASSERT_EQ(got[i].toStdString(), expected[i].toStdString()) << "line " << i + 1;
    EXPECT_EQ(got.size(), expected.size()) << "line count";
}

INSTANTIATE_TEST_SUITE_P(Reports, ClassicGolden, testing::ValuesIn(caseNames()),
                         [](const auto &paramInfo) { return paramInfo.param; });

// Reports saved here, opened in LibreOffice Writer and saved again as rich
// text there (data/libreoffice) read back as the lines of their golden file.
std::vector<std::string> wordProcessorFiles()
{
    std::vector<std::string> names;
    const QDir dir(kDataDir + QStringLiteral("/../libreoffice"));
    for (const QString &file : dir.entryList({QStringLiteral("*.rtf")}, QDir::Files, QDir::Name))
        names.push_back(file.chopped(4).toStdString());
    return names;
}

class WordProcessorSaved : public testing::TestWithParam<std::string> {};

TEST_P(WordProcessorSaved, ReadsAsTheReportSaved)
{
    const QString name = QString::fromStdString(GetParam());
    RtfFormat format;
    ClassicLines lines;
    ASSERT_TRUE(
        format.readFile(kDataDir + QStringLiteral("/../libreoffice/") + name + QStringLiteral(".rtf"), lines))
        << format.errorString().toStdString();
    EXPECT_EQ(goldenText(lines).toStdString(),
              readAll(kDataDir + u'/' + name + QStringLiteral(".golden")).toStdString());
}

INSTANTIATE_TEST_SUITE_P(LibreOffice, WordProcessorSaved, testing::ValuesIn(wordProcessorFiles()),
                         [](const auto &paramInfo) { return paramInfo.param; });

// --------------------------------------------------------- loan information

struct LoanInfoCase {
    const char *name;
    bool cancelled;
    const char *dateText;
    bool accepted;
};

class LoanInformationAnswers : public testing::TestWithParam<LoanInfoCase> {};

TEST_P(LoanInformationAnswers, TakeOnlyConfirmedDates)
{
    const LoanInfoCase &c = GetParam();
    const std::optional<LoanInformation> info = loanInformationFrom(
        settings::LoanInfoAnswer{c.cancelled, QString::fromLatin1(c.dateText), QStringLiteral("HOME")},
        testsupport::usDollars());
    ASSERT_EQ(info.has_value(), c.accepted);
    if (info) {
        EXPECT_EQ(info->originationDateText, QLatin1String(c.dateText));
        EXPECT_EQ(info->originationDate.toString(QStringLiteral("M/d/yyyy")), QLatin1String(c.dateText));
        EXPECT_EQ(info->purpose, QStringLiteral("HOME"));
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, LoanInformationAnswers,
                         testing::Values(LoanInfoCase{"Confirmed", false, "12/31/2003", true},
                                         LoanInfoCase{"Cancelled", true, "12/31/2003", false},
                                         LoanInfoCase{"NoDate", false, "31.12.2003", false}),
                         [](const auto &paramInfo) { return std::string(paramInfo.param.name); });

} // namespace
