#include "settings/options.h"
#include "settings/values.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QMap>
#include <QTemporaryDir>

#include <ostream>

using namespace accrua::settings;

namespace {

using Values = QMap<QString, QString>;

// Passes every operation to the real store and logs the value names.
class RecordingStore : public OptionsStore {
public:
    explicit RecordingStore(SettingsStore &store) : m_access(store) {}
    QString readString(const QString &name, const QString &defaultText) override
    {
        log << name;
        return m_access.readString(name, defaultText);
    }
    std::int32_t readInteger(const QString &name, std::int32_t defaultValue) override
    {
        log << name;
        return m_access.readInteger(name, defaultValue);
    }
    bool readFlag(const QString &name, bool defaultValue) override
    {
        log << name;
        return m_access.readFlag(name, defaultValue);
    }
    void writeString(const QString &name, const QString &text) override
    {
        log << name;
        m_access.writeString(name, text);
    }
    void writeInteger(const QString &name, std::int32_t value) override
    {
        log << name;
        m_access.writeInteger(name, value);
    }
    void writeFlag(const QString &name, bool value) override
    {
        log << name;
        m_access.writeFlag(name, value);
    }
    QStringList log;

private:
    SettingsStoreAccess m_access;
};

// What the user sees in each control, by the value it shows.
Values shownValues(const OptionsState &s)
{
    auto mark = [](bool on) { return on ? QStringLiteral("checked") : QStringLiteral("clear"); };
    return {
        {names::kAmortSchedule, amortScheduleItems().value(s.amortScheduleIndex)},
        {names::kPaymentResolution, resolutionItems().value(s.resolutionIndex)},
        {names::kTitle, s.amortTitle},
        {names::kLoanType, s.loanType},
        {names::kAmortizedBase, amortizedBaseItems().value(s.amortizedBaseIndex)},
        {names::kImagePath, s.imagePath},
        {names::kUseClassicView, mark(s.useClassicView)},
        {names::kPrintTotals, mark(s.amortPrintTotals)},
        {names::kPrintImage, mark(s.printImage)},
        {names::kSavingsTitle, s.savingsTitle},
        {names::kSavingsSubtitle, s.savingsSubtitle},
        {names::kPrintSavingsTotals, mark(s.savingsPrintTotals)},
        {names::kDailyTitle, s.dailyTitle},
        {names::kDailySubtitle, s.dailySubtitle},
    };
}

class StoreFile {
public:
    StoreFile() : m_path(m_dir.path() + QStringLiteral("/Accrua.conf")) {}
    SettingsFactory factory() const { return FileSettingsFactory(m_path); }
    void writeRaw(const QByteArray &content) const
    {
        QFile file(m_path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }
    Values read(const QStringList &names) const
    {
        SettingsStore store(factory());
        Values values;
        for (const QString &name : names) {
            if (const std::optional<QString> text = store.readText(name))
                values.insert(name, *text);
        }
        return values;
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
};

struct ShowCase {
    const char *name;
    Values stored;
    QByteArray rawStore; // written as the store file instead, when not empty
    Values shown;        // controls to check after FormShow
    Values afterOk;      // stored values to check after OK
    QString failure;     // the error report of FormShow, if any
};

std::ostream &operator<<(std::ostream &os, const ShowCase &c)
{
    return os << c.name;
}

class ShowThenOkTest : public ::testing::TestWithParam<ShowCase> {};

TEST_P(ShowThenOkTest, ShowsAndStoresBack)
{
    const ShowCase &c = GetParam();
    StoreFile file;
    if (!c.rawStore.isEmpty()) {
        file.writeRaw(c.rawStore);
    } else {
        SettingsStore store(file.factory());
        for (auto it = c.stored.cbegin(); it != c.stored.cend(); ++it)
            store.writeString(it.key(), it.value());
    }

    OptionsState state = OptionsState::defaults();
    std::optional<QString> failure;
    {
        SettingsStore store(file.factory());
        SettingsStoreAccess access(store);
        failure = readOptions(access, state);
    }
    EXPECT_EQ(failure.value_or(QString()), c.failure);
    const Values shown = shownValues(state);
    for (auto it = c.shown.cbegin(); it != c.shown.cend(); ++it)
        EXPECT_EQ(shown.value(it.key()), it.value()) << it.key().toStdString();

    if (!c.rawStore.isEmpty())
        file.writeRaw(QByteArray()); // a readable store for the writes
    {
        SettingsStore store(file.factory());
        SettingsStoreAccess access(store);
        writeOptions(access, state);
    }
    const Values stored = file.read(c.afterOk.keys());
    EXPECT_EQ(stored, c.afterOk);
}

const Values kNothingStoredShows{
    {names::kAmortizedBase, "365"},
    {names::kPaymentResolution, "Increase the payment amount"},
    {names::kUseClassicView, "clear"},
    {names::kPrintImage, "checked"},
    {names::kImagePath, "c:\\"},
    {names::kTitle, "Amortization Schedule"},
    {names::kLoanType, "GENERAL LOAN"},
    {names::kPrintTotals, "checked"},
    {names::kPrintSavingsTotals, "checked"},
    {names::kSavingsTitle, "Compounded Interest"},
    {names::kDailyTitle, "Daily Interest"},
    {names::kSavingsSubtitle, ""},
    {names::kDailySubtitle, ""},
    {names::kAmortSchedule, "MONTHLY"},
};

const Values kNothingStoredStores{
    {names::kPaymentResolution, "INCREASEPAYMENTAMOUNT"},
    {names::kUseClassicView, "0"},
    {names::kPrintTotals, "1"},
    {names::kPrintImage, "1"},
    {names::kImagePath, "c:\\"},
    {names::kTitle, "Amortization Schedule"},
    {names::kLoanType, "GENERAL LOAN"},
    {names::kAmortSchedule, "MONTHLY"},
    {names::kAmortizedBase, "365"},
    {names::kSavingsTitle, "Compounded Interest"},
    {names::kSavingsSubtitle, ""},
    {names::kPrintSavingsTotals, "1"},
    {names::kDailyTitle, "Daily Interest"},
    {names::kDailySubtitle, ""},
};

INSTANTIATE_TEST_SUITE_P(
    Options, ShowThenOkTest,
    ::testing::Values(
        ShowCase{"NothingStored", {}, {}, kNothingStoredShows, kNothingStoredStores, {}},
        ShowCase{"AmortizedBase366",
                 {{"AMORTIZEDBASE", "366"}},
                 {},
                 {{"AMORTIZEDBASE", "365"}},
                 {{"AMORTIZEDBASE", "365"}},
                 {}},
        ShowCase{"ScheduleInLowerCase",
                 {{"AMORTSCHEDULE", "weekly"}},
                 {},
                 {{"AMORTSCHEDULE", "WEEKLY"}},
                 {{"AMORTSCHEDULE", "WEEKLY"}},
                 {}},
        ShowCase{"ScheduleUnknown",
                 {{"AMORTSCHEDULE", "BIWEEKLY"}},
                 {},
                 {{"AMORTSCHEDULE", "MONTHLY"}},
                 {{"AMORTSCHEDULE", "MONTHLY"}},
                 {}},
        ShowCase{"ResolutionByCount",
                 {{"PAYMENTRESOLUTION", "INCREASEPAYMENTCOUNT"}},
                 {},
                 {{"PAYMENTRESOLUTION", "Increase the number of payments"}},
                 {{"PAYMENTRESOLUTION", "INCREASEPAYMENTCOUNT"}},
                 {}},
        ShowCase{"ResolutionComparedWithCase",
                 {{"PAYMENTRESOLUTION", "increasepaymentamount"}},
                 {},
                 {{"PAYMENTRESOLUTION", "Increase the number of payments"}},
                 {{"PAYMENTRESOLUTION", "INCREASEPAYMENTCOUNT"}},
                 {}},
        ShowCase{"LoanTypeNotAnItem",
                 {{"LOANTYPE", "tractor loan"}},
                 {},
                 {{"LOANTYPE", "tractor loan"}},
                 {{"LOANTYPE", "tractor loan"}},
                 {}},
        ShowCase{"EmptyTitle", {{"TITLE", ""}}, {}, {{"TITLE", ""}}, {{"TITLE", ""}}, {}},
        ShowCase{"UnreadableValueCostsOnlyItself",
                 {},
                 "[General]\nTITLE=@Rect(1 2 3 4)\nLOANTYPE=HOME LOAN\nDAILYSUBTITLE=Mine\n",
                 {{"TITLE", "Amortization Schedule"}, {"LOANTYPE", "HOME LOAN"}, {"DAILYSUBTITLE", "Mine"}},
                 {{"LOANTYPE", "HOME LOAN"}, {"DAILYSUBTITLE", "Mine"}},
                 "Invalid data type for 'TITLE'"}),
    [](const ::testing::TestParamInfo<ShowCase> &paramInfo) { return std::string(paramInfo.param.name); });

struct OrderCase {
    const char *name;
    bool write;
    QStringList expected;
};

std::ostream &operator<<(std::ostream &os, const OrderCase &c)
{
    return os << c.name;
}

class BatchOrderTest : public ::testing::TestWithParam<OrderCase> {};

TEST_P(BatchOrderTest, FollowsTheFixedOrder)
{
    const OrderCase &c = GetParam();
    StoreFile file;
    SettingsStore store(file.factory());
    RecordingStore recording(store);
    OptionsState state = OptionsState::defaults();
    if (c.write)
        writeOptions(recording, state);
    else
        readOptions(recording, state, [&](const QString &) { recording.log << "<picture>"; });
    EXPECT_EQ(recording.log, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Options, BatchOrderTest,
    ::testing::Values(
        OrderCase{"FormShow",
                  false,
                  {"AMORTSCHEDULE", "PAYMENTRESOLUTION", "TITLE", "LOANTYPE", "AMORTIZEDBASE", "IMAGEPATH",
                   "<picture>", "USECLASSICVIEW", "PRINTTOTALS", "PRINTIMAGE", "SAVINGSTITLE",
                   "SAVINGSSUBTITLE", "PRINTSAVINGSTOTALS", "DAILYTITLE", "DAILYSUBTITLE"}},
        OrderCase{"Ok",
                  true,
                  {"PAYMENTRESOLUTION", "USECLASSICVIEW", "PRINTTOTALS", "PRINTIMAGE", "IMAGEPATH", "TITLE",
                   "LOANTYPE", "AMORTSCHEDULE", "AMORTIZEDBASE", "SAVINGSTITLE", "SAVINGSSUBTITLE",
                   "PRINTSAVINGSTOTALS", "DAILYTITLE", "DAILYSUBTITLE"}}),
    [](const ::testing::TestParamInfo<OrderCase> &paramInfo) { return std::string(paramInfo.param.name); });

} // namespace
