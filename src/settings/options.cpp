#include "settings/options.h"

#include "settings/values.h"

#include <QCoreApplication>

namespace accrua::settings {

const QStringList &amortizedBaseItems()
{
    static const QStringList items{QStringLiteral("360"), QStringLiteral("365")};
    return items;
}

const QStringList &amortScheduleItems()
{
    static const QStringList items{QStringLiteral("MONTHLY"), QStringLiteral("WEEKLY")};
    return items;
}

const QStringList &resolutionItems()
{
    // Shown through the translation; the English is what the rest of the program compares.
    static const QStringList items{
        QString::fromLatin1(QT_TRANSLATE_NOOP("accrua::settings::Options", "Increase the payment amount")),
        QString::fromLatin1(
            QT_TRANSLATE_NOOP("accrua::settings::Options", "Increase the number of payments"))};
    return items;
}

const QStringList &loanTypeItems()
{
    static const QStringList items = [] {
        QStringList list;
        for (const char *type : {QT_TRANSLATE_NOOP("accrua::settings::AppSettings", "AUTO LOAN"),
                                 QT_TRANSLATE_NOOP("accrua::settings::AppSettings", "BOAT LOAN"),
                                 QT_TRANSLATE_NOOP("accrua::settings::AppSettings", "GENERAL LOAN"),
                                 QT_TRANSLATE_NOOP("accrua::settings::AppSettings", "HOME LOAN"),
                                 QT_TRANSLATE_NOOP("accrua::settings::AppSettings", "MORTGAGE LOAN"),
                                 QT_TRANSLATE_NOOP("accrua::settings::AppSettings", "PERSONAL LOAN"),
                                 QT_TRANSLATE_NOOP("accrua::settings::AppSettings", "SIGNATURE LOAN")})
            list << QCoreApplication::translate("accrua::settings::AppSettings", type);
        list.sort();
        return list;
    }();
    return items;
}

OptionsStore::~OptionsStore() = default;

QString SettingsStoreAccess::readString(const QString &name, const QString &defaultText)
{
    return m_store.readString(name, defaultText);
}

std::int32_t SettingsStoreAccess::readInteger(const QString &name, std::int32_t defaultValue)
{
    return m_store.readInteger(name, defaultValue);
}

bool SettingsStoreAccess::readFlag(const QString &name, bool defaultValue)
{
    return m_store.readFlag(name, defaultValue);
}

void SettingsStoreAccess::writeString(const QString &name, const QString &text)
{
    m_store.writeString(name, text);
}

void SettingsStoreAccess::writeInteger(const QString &name, std::int32_t value)
{
    m_store.writeInteger(name, value);
}

void SettingsStoreAccess::writeFlag(const QString &name, bool value)
{
    m_store.writeFlag(name, value);
}

OptionsState OptionsState::defaults()
{
    const AppSettings d;
    OptionsState s;
    s.amortScheduleIndex = 0;
    s.resolutionIndex = 0;
    s.amortTitle = d.Title;
    s.loanType = d.LoanType;
    s.amortizedBaseIndex = int(amortizedBaseItems().indexOf(QString::number(d.AmortizedBase)));
    s.imagePath = d.ImagePath;
    s.useClassicView = d.UseClassicView;
    s.amortPrintTotals = d.PrintTotals;
    s.printImage = d.PrintImage;
    s.savingsTitle = d.SavingsTitle;
    s.savingsSubtitle = d.SavingsSubtitle;
    s.savingsPrintTotals = d.PrintSavingsTotals;
    s.dailyTitle = d.DailyTitle;
    s.dailySubtitle = d.DailySubtitle;
    return s;
}

std::optional<QString> readOptions(OptionsStore &store, OptionsState &state,
                                   const std::function<void(const QString &)> &imagePathRead)
{
    const AppSettings d;
    std::optional<QString> failure;
    // One value at a time: a failure costs that value only.
    auto step = [&](const std::function<void()> &read) {
        try {
            read();
        } catch (const SettingsError &e) {
            if (!failure)
                failure = e.text();
        }
    };

    step([&] {
        const QString text = store.readString(names::kAmortSchedule, d.AmortSchedule);
        state.amortScheduleIndex = 0;
        for (int i = 0; i < amortScheduleItems().size(); ++i) {
            if (text.compare(amortScheduleItems().at(i), Qt::CaseInsensitive) == 0)
                state.amortScheduleIndex = i;
        }
    });
    step([&] {
        state.resolutionIndex =
            store.readString(names::kPaymentResolution, d.PaymentResolution) == kIncreasePaymentAmount ? 0
                                                                                                       : 1;
    });
    step([&] { state.amortTitle = store.readString(names::kTitle, d.Title); });
    step([&] { state.loanType = store.readString(names::kLoanType, d.LoanType); });
    step([&] {
        const std::int32_t base = store.readInteger(names::kAmortizedBase, d.AmortizedBase);
        const qsizetype i = amortizedBaseItems().indexOf(QString::number(base));
        state.amortizedBaseIndex = i < 0 ? 1 : int(i);
    });
    step([&] { state.imagePath = store.readString(names::kImagePath, d.ImagePath); });
    if (imagePathRead)
        imagePathRead(state.imagePath);
    step([&] { state.useClassicView = store.readFlag(names::kUseClassicView, d.UseClassicView); });
    step([&] { state.amortPrintTotals = store.readFlag(names::kPrintTotals, d.PrintTotals); });
    step([&] { state.printImage = store.readFlag(names::kPrintImage, d.PrintImage); });
    step([&] { state.savingsTitle = store.readString(names::kSavingsTitle, d.SavingsTitle); });
    step([&] { state.savingsSubtitle = store.readString(names::kSavingsSubtitle, d.SavingsSubtitle); });
    step(
        [&] { state.savingsPrintTotals = store.readFlag(names::kPrintSavingsTotals, d.PrintSavingsTotals); });
    step([&] { state.dailyTitle = store.readString(names::kDailyTitle, d.DailyTitle); });
    step([&] { state.dailySubtitle = store.readString(names::kDailySubtitle, d.DailySubtitle); });
    return failure;
}

void writeOptions(OptionsStore &store, const OptionsState &state)
{
    store.writeString(names::kPaymentResolution,
                      state.resolutionIndex == 0 ? kIncreasePaymentAmount : kIncreasePaymentCount);
    store.writeFlag(names::kUseClassicView, state.useClassicView);
    store.writeFlag(names::kPrintTotals, state.amortPrintTotals);
    store.writeFlag(names::kPrintImage, state.printImage);
    store.writeString(names::kImagePath, state.imagePath);
    store.writeString(names::kTitle, state.amortTitle);
    store.writeString(names::kLoanType, state.loanType);
    store.writeString(names::kAmortSchedule, amortScheduleItems().value(state.amortScheduleIndex));
    // The list's text as a number; nothing selected stores the usual base.
    store.writeInteger(
        names::kAmortizedBase,
        ParseStoredInteger(amortizedBaseItems().value(state.amortizedBaseIndex)).value_or(365));
    store.writeString(names::kSavingsTitle, state.savingsTitle);
    store.writeString(names::kSavingsSubtitle, state.savingsSubtitle);
    store.writeFlag(names::kPrintSavingsTotals, state.savingsPrintTotals);
    store.writeString(names::kDailyTitle, state.dailyTitle);
    store.writeString(names::kDailySubtitle, state.dailySubtitle);
}

} // namespace accrua::settings
