// The options the program keeps between runs, as the main window holds them.
// Only LoadSettings assigns them; everything else reads. They start at the
// stored defaults so that a batch stopped by a store error leaves nothing
// empty or zero.
#pragma once

#include <QString>

#include <cstdint>

namespace accrua::settings {

inline const QString kIncreasePaymentAmount = QStringLiteral("INCREASEPAYMENTAMOUNT");
inline const QString kIncreasePaymentCount = QStringLiteral("INCREASEPAYMENTCOUNT");

struct AppSettings {
    QString PaymentResolution = kIncreasePaymentAmount;
    bool UseClassicView = false;
    QString AmortSchedule = QStringLiteral("MONTHLY");
    QString SavingsTitle = QStringLiteral("Compounded Interest");
    QString SavingsSubtitle;
    bool PrintSavingsTotals = true;
    bool PrintImage = true;
    QString DailyTitle = QStringLiteral("Daily Interest");
    QString DailySubtitle;
    bool PrintTotals = true;
    QString ImagePath = QStringLiteral("c:\\");
    QString Title = QStringLiteral("Amortization Schedule");
    QString LoanType = QStringLiteral("GENERAL LOAN");
    std::int32_t AmortizedBase = 365;
};

} // namespace accrua::settings
