// The options the program keeps between runs, as the main window holds them.
// Only LoadSettings assigns them; everything else reads. They start at the
// stored defaults so that a batch stopped by a store error leaves nothing
// empty or zero.
#pragma once

#include <QCoreApplication>
#include <QString>

#include <cstdint>

namespace accrua::settings {

inline const QString kIncreasePaymentAmount = QStringLiteral("INCREASEPAYMENTAMOUNT");
inline const QString kIncreasePaymentCount = QStringLiteral("INCREASEPAYMENTCOUNT");

// The titles and loan type a user has not chosen read in the user's language.
struct AppSettings {
    QString PaymentResolution = kIncreasePaymentAmount;
    bool UseClassicView = false;
    QString AmortSchedule = QStringLiteral("MONTHLY");
    QString SavingsTitle =
        QCoreApplication::translate("accrua::settings::AppSettings", "Compounded Interest");
    QString SavingsSubtitle;
    bool PrintSavingsTotals = true;
    bool PrintImage = true;
    QString DailyTitle = QCoreApplication::translate("accrua::settings::AppSettings", "Daily Interest");
    QString DailySubtitle;
    bool PrintTotals = true;
    QString ImagePath = QStringLiteral("c:\\");
    QString Title = QCoreApplication::translate("accrua::settings::AppSettings", "Amortization Schedule");
    QString LoanType = QCoreApplication::translate("accrua::settings::AppSettings", "GENERAL LOAN");
    std::int32_t AmortizedBase = 365;
};

} // namespace accrua::settings
