#include "reports/classic/classicreport.h"

#include "calc/daily.h"
#include "calc/paymentday.h"
#include "calc/savings.h"
#include "text/numbers.h"

#include <QCoreApplication>

#include <cmath>

namespace accrua::reports::classic {

namespace {

// The report's captions, in the user's language.
struct Report {
    Q_DECLARE_TR_FUNCTIONS(accrua::reports::classic::Report)
};

using calc::Extended;
using calc::Money;

const QString kArial = QStringLiteral("Arial");
// The amortization and daily reports name the fixed-pitch font in lower case,
// the savings report does not; names match without regard to case.
const QString kCourierLower = QStringLiteral("courier new");
const QString kCourier = QStringLiteral("Courier New");

// Appends lines with the attributes in effect, as the rich text control does.
class LineWriter {
public:
    void font(const QString &name, int size)
    {
        m_attributes.fontName = name;
        m_attributes.pointSize = size;
    }
    void bold(bool on) { m_attributes.bold = on; }
    void underline(bool on) { m_attributes.underline = on; }
    void add(QString text = {}) { m_lines.push_back(ClassicLine{std::move(text), m_attributes}); }
    ClassicLines take() { return std::move(m_lines); }

private:
    ClassicAttributes m_attributes;
    ClassicLines m_lines;
};

class Texts {
public:
    explicit Texts(const text::Locale &locale) : m_locale(locale) {}

    // PadLeft and PadRight with a blank, in one allocation: a long schedule
    // pads a hundred thousand texts.
    static QString left(const QString &text, int n)
    {
        return text.size() >= n ? text : QString(n - text.size(), u' ') + text;
    }
    static QString right(const QString &text, int n)
    {
        return text.size() >= n ? text : text + QString(n - text.size(), u' ');
    }

    QString money(Money value) const
    {
        return text::GroupThousands(text::FormatMoney(value, m_locale), m_locale);
    }
    // The text of a box as money; a text that is no number stays as shown.
    QString moneyOfBox(const QString &text) const
    {
        const std::optional<Extended> value = text::toFloat(text, m_locale);
        if (!value)
            return text;
        try {
            return money(Money::fromValue(*value));
        } catch (const calc::MoneyRangeError &) {
            return text;
        }
    }
    QString grouped(const calc::ShortText &text) const
    {
        return text::GroupThousands(QStringView(text.chars, text.length), m_locale);
    }
    QString date(const QDate &date) const { return date.toString(m_locale.shortDateFormat()); }
    QString yearOf(Extended years) const
    {
        const Extended rounded = calc::intPart(years * 100 + 0.5L) / 100;
        return text::CompleteDecimals(text::formatGeneral(rounded, m_locale), m_locale);
    }

private:
    const text::Locale &m_locale;
};

QString amortizationHeading()
{
    return QStringLiteral("     ") + Texts::right(Report::tr("PMT"), 8) +
           Texts::right(Report::tr("DATE"), 15) + Texts::right(Report::tr("PAYMENT AMOUNT"), 21) +
           Texts::right(Report::tr("PRINCIPAL"), 18) + Texts::right(Report::tr("INTEREST"), 18) +
           Report::tr("BALANCE") + QStringLiteral("___");
}

QString savingsHeading()
{
    const QString columns = Texts::left(Report::tr("PMT") + u' ', 26) + Texts::left(Report::tr("YEAR"), 7) +
                            Texts::left(Report::tr("INTEREST"), 19) + Texts::left(Report::tr("BALANCE"), 18);
    return text::PadRight(columns, QStringLiteral("_"), 95);
}

} // namespace

ClassicLayout classicLayoutOf(app::Mode page)
{
    switch (page) {
    case app::Mode::DailyInterest:
        return ClassicLayout::Daily;
    case app::Mode::SavingsInterest:
        return ClassicLayout::Savings;
    default:
        return ClassicLayout::Amortization;
    }
}

LoanInformation defaultLoanInformation(const QDate &today, const QString &loanType,
                                       const text::Locale &locale)
{
    return LoanInformation{today.toString(locale.shortDateFormat()), today, loanType};
}

std::optional<LoanInformation> loanInformationFrom(const settings::LoanInfoAnswer &answer,
                                                   const text::Locale &locale)
{
    if (answer.cancelled)
        return std::nullopt;
    const QDate date = QDate::fromString(answer.originationDate, locale.shortDateFormat());
    if (!date.isValid())
        return std::nullopt;
    return LoanInformation{answer.originationDate, date, answer.loanType};
}

ClassicLines buildAmortizationReport(const AmortizationInputs &in, const text::Locale &locale)
{
    const Texts t(locale);
    LineWriter w;
    w.font(kArial, 12);
    w.bold(true);
    w.underline(false);
    w.add(Texts::left(Report::tr("Amortization Schedule"), 92));
    w.add();
    w.font(kCourierLower, 10);
    w.add(QStringLiteral("     ") + in.loan.purpose);
    w.add(Texts::right(QStringLiteral("     ") + Report::tr("INTEREST RATE:") + QStringLiteral("  ") +
                           in.interest + u'%',
                       57) +
          Texts::left(Report::tr("BEGINNING BALANCE:") + QStringLiteral("  ") + t.moneyOfBox(in.principal),
                      35));
    w.add(Texts::right(QStringLiteral("     ") + Report::tr("NUMBER OF PAYMENTS:") + QStringLiteral("  ") +
                           in.totalNumberPayments,
                       57) +
          Texts::left(Report::tr("MONTHLY PAYMENT:") + QStringLiteral("  ") + t.moneyOfBox(in.payment), 35));
    w.add(Texts::right(QStringLiteral("     ") + Report::tr("ORIGINATION DATE:") + QStringLiteral("  ") +
                           in.loan.originationDateText,
                       57) +
          Texts::left(
              Report::tr("AMORTIZED BASE:") + QStringLiteral("   ") + QString::number(in.amortizedBase), 35));
    w.add();
    w.underline(true);
    const QString heading = amortizationHeading();
    w.add(heading);
    w.bold(false);
    w.underline(false);

    static const std::vector<calc::TPaymentObj> kNoRows;
    const std::vector<calc::TPaymentObj> &rows = in.rows ? *in.rows : kNoRows;
    int year = in.loan.originationDate.year();
    int month = in.loan.originationDate.month();
    const int day = in.loan.originationDate.day();

    Money yearPayment, yearPrincipal, totalPayment, totalPrincipal;
    Extended yearInterest = 0, totalInterest = 0;
    const auto totals = [&]() {
        w.bold(true);
        w.add(QStringLiteral("     ") + Texts::right(Report::tr("YEARLY TOTALS"), 16) +
              Texts::left(t.money(yearPayment), 17) + Texts::left(t.money(yearPrincipal), 19) +
              Texts::left(t.money(Money::fromValue(yearInterest)), 17));
        w.add(QStringLiteral("     ") + Texts::right(Report::tr("OVERALL TOTALS"), 16) +
              Texts::left(t.money(totalPayment), 17) + Texts::left(t.money(totalPrincipal), 19) +
              Texts::left(t.money(Money::fromValue(totalInterest)), 17));
    };

    const std::size_t n = rows.size();
    for (std::size_t k = 1; k <= n; ++k) {
        const calc::TPaymentObj &row = rows[k - 1];
        if (++month == 13) {
            month = 1;
            ++year;
            if (k > 1) {
                totals();
                for (int i = 0; i < 4; ++i)
                    w.add();
                w.underline(true);
                w.add(heading);
                yearPayment = yearPrincipal = Money();
                yearInterest = 0;
            }
        }
        const QDate date(year, month, calc::paymentDay(year, month, day));
        yearPayment += row.Payment;
        totalPayment += row.Payment;
        yearPrincipal += row.Principal;
        totalPrincipal += row.Principal;
        yearInterest += row.Interest;
        totalInterest += row.Interest;

        w.bold(false);
        w.underline(false);
        w.add(QStringLiteral("     ") + Texts::left(QString::number(k), 3) + Texts::left(t.date(date), 15) +
              Texts::left(t.grouped(row.PaymentText), 15) + Texts::left(t.grouped(row.PrincipalText), 19) +
              Texts::left(t.grouped(row.InterestText), 17) + Texts::left(t.grouped(row.BalanceText), 18));
        if (k == n) {
            totals();
            w.bold(false);
            w.underline(false);
        }
    }
    return w.take();
}

ClassicLines buildSavingsReport(const SavingsInputs &in, bool forPrint, const text::Locale &locale)
{
    const Texts t(locale);
    LineWriter w;
    w.font(kArial, 12);
    w.bold(true);
    w.underline(false);
    w.add(Texts::left(Report::tr("Interest Earned on Deposit"), forPrint ? 91 : 95));
    w.add();
    w.font(kCourier, 10);
    w.add(Texts::right(QStringLiteral("     ") + Report::tr("INTEREST RATE:") + QStringLiteral("  ") +
                           in.saveInterest + u'%',
                       57) +
          Texts::left(Report::tr("AMOUNT DEPOSITED:") + QStringLiteral("  ") + t.moneyOfBox(in.saveAmount),
                      35));
    w.add();
    w.add();
    w.underline(true);
    const QString heading = savingsHeading();
    w.add(heading);
    w.bold(false);
    w.underline(false);

    static const std::vector<app::SavingsRow> kNoRows;
    const std::vector<app::SavingsRow> &rows = in.rows ? *in.rows : kNoRows;
    const int periods = calc::periodsPerYear(in.compounding);
    const QString rule = QString(22, u' ') + QString(48, u'-');
    Money yearInterest, totalInterest;
    const std::size_t n = rows.size();
    for (std::size_t i = 1; i <= n; ++i) {
        const app::SavingsRow &row = rows[i - 1];
        yearInterest += row.Interest;
        totalInterest += row.Interest;
        const Extended years = static_cast<Extended>(i) / periods;
        w.add(Texts::left(QString::number(i) + u'.', 26) + Texts::left(t.yearOf(years), 7) +
              Texts::left(t.grouped(row.InterestText), 19) + Texts::left(t.grouped(row.BalanceText), 18));
        if (years == std::trunc(years) || i == n) {
            w.add(rule);
            w.bold(true);
            w.add(Texts::left(Report::tr("YEARLY TOTALS") + u' ', 36) +
                  Texts::left(t.money(yearInterest), 16));
            w.add(Texts::left(Report::tr("OVERALL TOTALS") + u' ', 37) +
                  Texts::left(t.money(totalInterest), 15));
            if (i != n) {
                for (int k = 0; k < 3; ++k)
                    w.add();
                w.font(kCourier, 10);
                w.underline(true);
                w.add(heading);
                w.bold(false);
                w.underline(false);
            }
            yearInterest = Money();
        }
    }
    return w.take();
}

ClassicLines buildDailyReport(const DailyInputs &in, bool forPrint, const text::Locale &locale)
{
    const Texts t(locale);
    LineWriter w;
    w.font(kArial, 12);
    w.bold(true);
    w.underline(false);
    w.add(Texts::left(Report::tr("Daily Interest Results"), forPrint ? 93 : 97));
    w.add();
    w.add();
    w.font(kCourierLower, 10);

    const auto money = [&t](const QString &box) { return Texts::left(t.moneyOfBox(box), 15); };
    const std::pair<const char *, QString> values[] = {
        {QT_TRANSLATE_NOOP("accrua::reports::classic::Report", "Start Date : "), t.date(in.startDate)},
        {QT_TRANSLATE_NOOP("accrua::reports::classic::Report", "Receive Date : "), t.date(in.receiveDate)},
        {QT_TRANSLATE_NOOP("accrua::reports::classic::Report", "Total Days : "), in.days},
        {QT_TRANSLATE_NOOP("accrua::reports::classic::Report", "Annual Interest Rate : "),
         in.dayInterest + u'%'},
        {QT_TRANSLATE_NOOP("accrua::reports::classic::Report", "Daily Interest Rate : "), in.dailyRate},
        {QT_TRANSLATE_NOOP("accrua::reports::classic::Report", "Beginning Balance : "),
         money(in.dayPrincipal)},
        {QT_TRANSLATE_NOOP("accrua::reports::classic::Report", "Payment Amount: "), money(in.dayPayment)},
        {QT_TRANSLATE_NOOP("accrua::reports::classic::Report", "Interest Payment : "),
         money(in.intPerPeriod)},
        {QT_TRANSLATE_NOOP("accrua::reports::classic::Report", "Principal Payment : "),
         money(in.principalPayment)},
        {QT_TRANSLATE_NOOP("accrua::reports::classic::Report", "Interest Accrued : "), money(in.intAccrued)},
        {QT_TRANSLATE_NOOP("accrua::reports::classic::Report", "Remaining Balance : "),
         money(in.remainingBalance)},
    };
    bool first = true;
    for (const auto &[label, value] : values) {
        if (!first)
            w.add();
        first = false;
        w.add(Texts::left(Report::tr(label) + Texts::right(value, 20), 71));
    }
    return w.take();
}

AmortizationInputs amortizationInputsOf(const app::MainModel &model, app::Mode page, LoanInformation loan)
{
    using app::Field;
    AmortizationInputs in;
    in.interest = model.text(Field::Interest);
    in.principal = model.text(Field::Principal);
    in.totalNumberPayments = model.text(Field::TotalNumberPayments);
    // The answer box is shown only on the Payment Amount page.
    in.payment = model.text(page == app::Mode::PaymentAmount ? Field::PaymentAnswer : Field::Payment);
    in.amortizedBase = model.appSettings().AmortizedBase;
    in.loan = std::move(loan);
    in.rows = &model.ScheduleRows();
    return in;
}

SavingsInputs savingsInputsOf(const app::MainModel &model)
{
    using app::Field;
    SavingsInputs in;
    in.saveInterest = model.text(Field::SaveInterest);
    in.saveAmount = model.text(Field::SaveAmount);
    in.compounding = model.compounding();
    in.rows = &model.SavingsRows();
    return in;
}

DailyInputs dailyInputsOf(const app::MainModel &model)
{
    using app::Field;
    DailyInputs in;
    in.startDate = model.startDate();
    in.receiveDate = model.receiveDate();
    in.days = model.text(Field::Days);
    in.dayInterest = model.text(Field::DayInterest);
    in.dailyRate = model.text(Field::DailyRate);
    in.dayPrincipal = model.text(Field::DayPrincipal);
    in.dayPayment = model.text(Field::DayPayment);
    in.intPerPeriod = model.text(Field::IntPerPeriod);
    in.principalPayment = model.text(Field::PrincipalPayment);
    in.intAccrued = model.text(Field::IntAccrued);
    in.remainingBalance = model.text(Field::RemainingBalance);
    return in;
}

ClassicLines buildClassicReportOf(const app::MainModel &model, app::Mode page, bool forPrint,
                                  const LoanInformation &loan)
{
    switch (classicLayoutOf(page)) {
    case ClassicLayout::Amortization:
        return buildAmortizationReport(amortizationInputsOf(model, page, loan), model.locale());
    case ClassicLayout::Savings:
        return buildSavingsReport(savingsInputsOf(model), forPrint, model.locale());
    case ClassicLayout::Daily:
        return buildDailyReport(dailyInputsOf(model), forPrint, model.locale());
    }
    return {};
}

} // namespace accrua::reports::classic
