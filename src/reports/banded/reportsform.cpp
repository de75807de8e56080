#include "reports/banded/reportsform.h"

#include "calc/daily.h"
#include "calc/format.h"
#include "calc/paymentday.h"
#include "text/numbers.h"

#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <iterator>
#include <optional>

namespace accrua::reports::banded {

using eng::BandKind;
using eng::FontSpec;
using eng::HAlign;

namespace {

const FontSpec kCaptionFont{QStringLiteral("Arial"), 8, true, false};
const FontSpec kTitleFont{QStringLiteral("Arial"), 14, true, false};
const FontSpec kTotalsFont{QStringLiteral("Courier New"), 8, true, false};
const FontSpec kReportFont{QStringLiteral("Courier New"), 8, false, false};
const FontSpec kEmptyFont{QStringLiteral("Arial"), 10, false, false};
const QColor kSilver(0xC0, 0xC0, 0xC0);

// Rows sit a little below their band's top, clear of the heading frame above.
constexpr double kDetailTop = 2;

constexpr double kCentredWidth = 721;

// A label in a band: left-aligned labels grow from `left`; right-aligned ones
// keep their right edge at left + width; centred ones fill their width.
eng::Label &place(eng::Band &band, const char *name, double left, double top, const QString &caption,
                  HAlign align = HAlign::Left, double width = 0, std::optional<FontSpec> font = kCaptionFont)
{
    eng::Label &l = band.addLabel(QLatin1String(name), left, top, caption);
    l.alignment = align;
    l.width = width;
    l.font = std::move(font);
    // Labels stand on a white ground; on white paper with nothing beneath
    // them that is the paper itself, so no ground is drawn.
    return l;
}

eng::Label &rightEdge(eng::Band &band, const char *name, double right, double top, const QString &caption,
                      std::optional<FontSpec> font = kCaptionFont)
{
    return place(band, name, right, top, caption, HAlign::Right, 0, std::move(font));
}

eng::Label &centred(eng::Band &band, const char *name, double top, const QString &caption, double height = 0)
{
    eng::Label &l = place(band, name, 0, top, caption, HAlign::Center, kCentredWidth);
    l.autoSize = false;
    l.height = height;
    return l;
}

void setupPage(eng::Report &report, const FontSpec &font)
{
    report.page = eng::PageSetup{}; // Letter, portrait, 12.7 mm margins
    report.defaultFont = font;
}

// The silver, framed strip the column headings sit on.
void headingStrip(eng::Band &band, const QString &name)
{
    eng::Shape &frame = band.addShape(name, QRectF(0, 0, 719, 19));
    frame.pen.width = 2;
    frame.brush.color = kSilver;
}

eng::Label &heading(eng::Band &band, const QString &name, double left, const QString &caption,
                    HAlign align = HAlign::Left)
{
    eng::Label &l = band.addLabel(name, left, 3, caption);
    l.alignment = align;
    l.font = kCaptionFont;
    l.background = kSilver;
    return l;
}

} // namespace

bool facesReadFromFiles()
{
    for (const FontSpec *font : {&kCaptionFont, &kTitleFont, &kTotalsFont, &kReportFont, &kEmptyFont})
        if (!eng::TextMetrics::readsFromFile(*font))
            return false;
    return true;
}

TForm_Reports::TForm_Reports(text::Locale locale, const std::function<QDate()> &today)
    : m_locale(std::move(locale))
{
    buildAmortization();
    buildSavings();
    buildDaily();
    setupPage(BandReport_Empty, kEmptyFont);

    // FormCreate
    OriginationDate = today ? today() : QDate::currentDate();
    RowIndex = 0;
    m_savingsYearlyInterest = {};
    m_savingsOverallInterest = {};
}

void TForm_Reports::addFooter(eng::Report &report, const QString &pageNoName)
{
    const bool amortization = &report == &BandReport;
    const bool savings = &report == &BandReport_Savings;
    eng::Band &footer = report.addBand(BandKind::PageFooter,
                                       amortization ? QStringLiteral("RptBand_Footer")
                                       : savings    ? QStringLiteral("RptBand_SavingsFooter")
                                                    : QStringLiteral("RptBand_DailyFooter"),
                                       18);
    place(footer,
          amortization ? "RptLabel_Page"
          : savings    ? "RptLabel_SavingsPage"
                       : "RptLabel_DailyPage",
          325, 1, tr("Page"));
    eng::Label &number = footer.addPageNumber(pageNoName, 356, 1);
    number.font = kCaptionFont;
}

void TForm_Reports::addAmortizationHeadings(eng::Band &band, const QString &suffix)
{
    headingStrip(band, QStringLiteral("RptShape_Heading") + suffix);
    heading(band, QStringLiteral("RptLabel_PMT") + suffix, 6, tr("PMT"));
    heading(band, QStringLiteral("RptLabel_DATE") + suffix, 114, tr("DATE"));
    heading(band, QStringLiteral("RptLabel_PAYMENT") + suffix, 311, tr("PAYMENT AMOUNT"), HAlign::Right);
    heading(band, QStringLiteral("RptLabel_PRINCIPAL") + suffix, 444, tr("PRINCIPAL"), HAlign::Right);
    heading(band, QStringLiteral("RptLabel_INTEREST") + suffix, 581, tr("INTEREST"), HAlign::Right);
    heading(band, QStringLiteral("RptLabel_BALANCE") + suffix, 712, tr("BALANCE"), HAlign::Right);
}

void TForm_Reports::buildAmortization()
{
    eng::Report &r = BandReport;
    setupPage(r, kReportFont);
    r.title = tr("Amortization Schedule");

    eng::Band &header = r.addBand(BandKind::PageHeader, QStringLiteral("RptBand_Header"), 21);
    addAmortizationHeadings(header, QStringLiteral("2"));

    eng::Band &title = r.addBand(BandKind::Title, QStringLiteral("RptBand_Title"), 93);
    RptLabel_Title = &centred(title, "RptLabel_Title", 1, tr("Amortization Schedule"), 30);
    RptLabel_Title->font = kTitleFont;
    RptLabel_LoanType = &centred(title, "RptLabel_LoanType", 24, tr("LOAN TYPE"));
    place(title, "RptLabel_InterestRate1", 7, 41, tr("INTEREST RATE:"));
    RptLabel_InterestRate = &place(title, "RptLabel_InterestRate", 162, 41, {});
    place(title, "RptLabel_NumberOfPayments1", 7, 57, tr("NUMBER OF PAYMENTS:"));
    RptLabel_NumberOfPayments = &place(title, "RptLabel_NumberOfPayments", 162, 57, {});
    place(title, "RptLabel_AmortizedBase1", 7, 74, tr("AMORTIZED BASE:"));
    RptLabel_AmortizedBase = &place(title, "RptLabel_AmortizedBase", 162, 74, {});
    place(title, "RptLabel_BeginningBalance1", 513, 41, tr("BEGINNING BALANCE:"));
    RptLabel_BeginningBalance = &place(title, "RptLabel_BeginningBalance", 634, 41, {}, HAlign::Right, 80);
    place(title, "RptLabel_MonthlyPayment1", 513, 57, tr("MONTHLY PAYMENT:"));
    RptLabel_MonthlyPayment = &place(title, "RptLabel_MonthlyPayment", 634, 57, {}, HAlign::Right, 80);
    place(title, "RptLabel_DateOfLoan1", 513, 74, tr("ORIGINATION DATE:"));
    RptLabel_DateOfLoan = &place(title, "RptLabel_DateOfLoan", 634, 74, {}, HAlign::Right, 80);
    RptImage = &title.addPicture(QStringLiteral("RptImage"), QRectF(265, 38, 190, 50));
    RptImage->center = true;

    eng::Band &group = r.addBand(BandKind::ColumnHeader, QStringLiteral("RptGroup_header"), 20);
    addAmortizationHeadings(group, QStringLiteral("1"));

    eng::Band &details = r.addBand(BandKind::Detail, QStringLiteral("RptSubDetail_Details"), 17);
    RptLabel_PMT = &place(details, "RptLabel_PMT", 6, kDetailTop, {}, HAlign::Right, 27, std::nullopt);
    RptLabel_DATE = &rightEdge(details, "RptLabel_DATE", 165, kDetailTop, {}, std::nullopt);
    RptLabel_PAYMENT =
        &place(details, "RptLabel_PAYMENT", 208, kDetailTop, {}, HAlign::Right, 100, std::nullopt);
    RptLabel_PRINCIPAL =
        &place(details, "RptLabel_PRINCIPAL", 342, kDetailTop, {}, HAlign::Right, 100, std::nullopt);
    RptLabel_INTEREST =
        &place(details, "RptLabel_INTEREST", 479, kDetailTop, {}, HAlign::Right, 100, std::nullopt);
    RptLabel_BALANCE =
        &place(details, "RptLabel_BALANCE", 613, kDetailTop, {}, HAlign::Right, 100, std::nullopt);

    eng::Band &totals = r.addBand(BandKind::Detail, QStringLiteral("RptSubDetail_Totals"), 66);
    totals.enabled = false;
    RptSubDetail_Totals = &totals;
    place(totals, "RptLabel_YearlyTotals", 6, 3, tr("YEARLY TOTALS"));
    place(totals, "RptLabel_OverallTotals", 6, 17, tr("OVERALL TOTALS"));
    RptLabel_YearlyPayment =
        &place(totals, "RptLabel_YearlyPayment", 168, 3, {}, HAlign::Right, 140, kTotalsFont);
    RptLabel_YearlyPrincipal =
        &place(totals, "RptLabel_YearlyPrincipal", 312, 3, {}, HAlign::Right, 130, kTotalsFont);
    RptLabel_YearlyInterest =
        &place(totals, "RptLabel_YearlyInterest", 448, 3, {}, HAlign::Right, 131, kTotalsFont);
    RptLabel_OverallPayment =
        &place(totals, "RptLabel_OverallPayment", 168, 17, {}, HAlign::Right, 140, kTotalsFont);
    RptLabel_OverallPrincipal =
        &place(totals, "RptLabel_OverallPrincipal", 312, 17, {}, HAlign::Right, 130, kTotalsFont);
    RptLabel_OverallInterest =
        &place(totals, "RptLabel_OverallInterest", 448, 17, {}, HAlign::Right, 131, kTotalsFont);

    addFooter(r, QStringLiteral("RptSysData_PageNo"));

    r.beforePrint = [this] { BandReportBeforePrint(); };
    r.needData = [this] { return BandReportNeedData(); };
    r.afterPrint = [this] { BandReportAfterPreview(); };
    r.afterPreview = [this] { BandReportAfterPreview(); };
    totals.beforePrint = [this] { return RptSubDetail_TotalsBeforePrint(); };
    totals.afterPrint = [this] { RptSubDetail_TotalsAfterPrint(); };
}

void TForm_Reports::addSavingsHeadings(eng::Band &band, const QString &suffix)
{
    headingStrip(band, QStringLiteral("RptShape_SavingsHeading") + suffix);
    heading(band, QStringLiteral("RptLabel_SavingsPMT") + suffix, 6, tr("PMT"));
    heading(band, QStringLiteral("RptLabel_SavingsYear") + suffix, 172, tr("YEAR"));
    heading(band, QStringLiteral("RptLabel_SavingsInterest") + suffix, 450, tr("INTEREST"), HAlign::Right);
    heading(band, QStringLiteral("RptLabel_SavingsBalance") + suffix, 714, tr("BALANCE"), HAlign::Right);
}

void TForm_Reports::buildSavings()
{
    eng::Report &r = BandReport_Savings;
    setupPage(r, kReportFont);
    r.title = tr("Compounded Interest");

    eng::Band &header = r.addBand(BandKind::PageHeader, QStringLiteral("RptBand_SavingsPageHeader"), 20);
    addSavingsHeadings(header, QStringLiteral("2"));

    eng::Band &title = r.addBand(BandKind::Title, QStringLiteral("RptBand_SavingsTitle"), 93);
    RptLabel_SavingsTitle = &centred(title, "RptLabel_SavingsTitle", 1, tr("Compounded Interest"), 30);
    RptLabel_SavingsTitle->font = kTitleFont;
    RptLabel_SavingsSubTitle = &centred(title, "RptLabel_SavingsSubTitle", 24, tr("Subtitle"));
    place(title, "RptLabel_SavingsNumberOfPayments1", 7, 57, tr("NUMBER OF PAYMENTS:"));
    RptLabel_SavingsNumberOfPayments =
        &place(title, "RptLabel_SavingsNumberOfPayments", 143, 57, {}, HAlign::Right, 50);
    place(title, "RptLabel_SavingsInterestRate1", 7, 73, tr("INTEREST RATE:"));
    RptLabel_SavingsInterestRate =
        &place(title, "RptLabel_SavingsInterestRate", 143, 73, {}, HAlign::Right, 50);
    place(title, "RptLabel_SavingsBeginningBalance1", 511, 57, tr("BEGINNING BALANCE:"));
    RptLabel_SavingsBeginningBalance =
        &place(title, "RptLabel_SavingsBeginningBalance", 634, 57, {}, HAlign::Right, 80);
    place(title, "RptLabel_SavingsEndingBalance1", 511, 73, tr("ENDING BALANCE:"));
    RptLabel_SavingsEndingBalance =
        &place(title, "RptLabel_SavingsEndingBalance", 634, 73, {}, HAlign::Right, 80);
    RptImage_Savings = &title.addPicture(QStringLiteral("RptImage_Savings"), QRectF(265, 38, 190, 50));
    RptImage_Savings->center = true;

    eng::Band &group = r.addBand(BandKind::ColumnHeader, QStringLiteral("RptGroup_Savings"), 20);
    addSavingsHeadings(group, QStringLiteral("1"));

    eng::Band &details = r.addBand(BandKind::Detail, QStringLiteral("RptSubDetail_Savings"), 17);
    RptLabel_SavingsPMT =
        &place(details, "RptLabel_SavingsPMT", 6, kDetailTop, {}, HAlign::Right, 27, std::nullopt);
    RptLabel_SavingsYear =
        &place(details, "RptLabel_SavingsYear", 136, kDetailTop, {}, HAlign::Right, 65, std::nullopt);
    RptLabel_SavingsInterest =
        &place(details, "RptLabel_SavingsInterest", 271, kDetailTop, {}, HAlign::Right, 179, std::nullopt);
    RptLabel_SavingsBalance =
        &place(details, "RptLabel_SavingsBalance", 558, kDetailTop, {}, HAlign::Right, 156, std::nullopt);

    eng::Band &totals = r.addBand(BandKind::Detail, QStringLiteral("RptSubDetail_SavingsTotals"), 70);
    totals.enabled = false;
    RptSubDetail_SavingsTotals = &totals;
    place(totals, "RptLabel_SavingsYearlyTotals", 6, 3, tr("YEARLY TOTALS"));
    place(totals, "RptLabel_SavingsOverallTotals", 6, 17, tr("OVERALL TOTALS"));
    RptLabel_SavingsYearlyInterest =
        &place(totals, "RptLabel_SavingsYearlyInterest", 274, 3, {}, HAlign::Right, 178, kTotalsFont);
    RptLabel_SavingsOverallInterest =
        &place(totals, "RptLabel_SavingsOverallInterest", 274, 17, {}, HAlign::Right, 178, kTotalsFont);

    addFooter(r, QStringLiteral("RptSysData_SavingsPageNo"));

    r.beforePrint = [this] { BandReport_SavingsBeforePrint(); };
    r.needData = [this] { return BandReport_SavingsNeedData(); };
    r.afterPreview = [this] { BandReportAfterPreview(); };
    totals.afterPrint = [this] { RptSubDetail_SavingsTotalsAfterPrint(); };
}

void TForm_Reports::buildDaily()
{
    eng::Report &r = BandReport_Daily;
    setupPage(r, kReportFont);
    r.title = tr("Daily Interest");

    eng::Band &band = r.addBand(BandKind::Title, QStringLiteral("RptBand_Daily"), 457);
    RptLabel_DailyTitle = &centred(band, "RptLabel_DailyTitle", 1, tr(" Daily Interest"), 30);
    RptLabel_DailyTitle->font = kTitleFont;
    RptLabel_DailySubtitle = &centred(band, "RptLabel_DailySubtitle", 24, tr("SubTitle"));
    RptImage_Daily = &band.addPicture(QStringLiteral("RptImage_Daily"), QRectF(265, 54, 190, 50));
    RptImage_Daily->center = true;

    struct Pair {
        double top;
        const char *captionName;
        const char *caption;
        const char *valueName;
        eng::Label **value;
    };
    const Pair pairs[] = {
        {146, "RptLabel_DailyAmortizedBase1", QT_TR_NOOP("AMORTIZED BASE:"), "RptLabel_DailyAmortizedBase",
         &RptLabel_DailyAmortizedBase},
        {166, "RptLabel_DailyStartDate1", QT_TR_NOOP("START DATE:"), "RptLabel_DailyStartDate",
         &RptLabel_DailyStartDate},
        {187, "RptLabel_DailyReceiveDate1", QT_TR_NOOP("RECEIVE DATE:"), "RptLabel_DailyReceiveDate",
         &RptLabel_DailyReceiveDate},
        {207, "RptLabel_DailyTotalDays1", QT_TR_NOOP("TOTAL DAYS:"), "RptLabel_DailyTotalDays",
         &RptLabel_DailyTotalDays},
        {228, "RptLabel_DailyAnnualInterestRate1", QT_TR_NOOP("ANNUAL INTEREST RATE:"),
         "RptLabel_DailyAnnualInterestRate", &RptLabel_DailyAnnualInterestRate},
        {248, "RptLabel_DailyDailyInterestRate1", QT_TR_NOOP("DAILY INTEREST RATE:"),
         "RptLabel_DailyDailyInterestRate", &RptLabel_DailyDailyInterestRate},
        {269, "RptLabel_DailyBeginningBalance1", QT_TR_NOOP("BEGINNING BALANCE:"),
         "RptLabel_DailyBeginningBalance", &RptLabel_DailyBeginningBalance},
        {289, "RptLabel_DailyPaymentAmount1", QT_TR_NOOP("PAYMENT AMOUNT:"), "RptLabel_DailyPaymentAmount",
         &RptLabel_DailyPaymentAmount},
        {310, "RptLabel_DailyInterestAmount1", QT_TR_NOOP("INTEREST PAYMENT:"),
         "RptLabel_DailyInterestAmount", &RptLabel_DailyInterestAmount},
        {330, "RptLabel_DailyPrincipalPayment1", QT_TR_NOOP("PRINCIPAL PAYMENT:"),
         "RptLabel_DailyPrincipalPayment", &RptLabel_DailyPrincipalPayment},
        {351, "RptLabel_DailyInterestAccrued1", QT_TR_NOOP("INTEREST ACCRUED:"),
         "RptLabel_DailyInterestAccrued", &RptLabel_DailyInterestAccrued},
        {371, "RptLabel_DailyRemainingBalance1", QT_TR_NOOP("REMAINING BALANCE:"),
         "RptLabel_DailyRemainingBalance", &RptLabel_DailyRemainingBalance},
    };
    for (const Pair &p : pairs) {
        place(band, p.captionName, 221, p.top, tr(p.caption));
        *p.value = &rightEdge(band, p.valueName, 500, p.top, {});
    }
    // The amortized base alone starts at a left edge.
    RptLabel_DailyAmortizedBase->alignment = HAlign::Left;
    RptLabel_DailyAmortizedBase->left = 481;

    addFooter(r, QStringLiteral("RptSysData_DailyPageNo"));

    r.beforePrint = [this] { BandReport_DailyBeforePrint(); };
    r.afterPreview = [this] { BandReportAfterPreview(); };
}

// ---- setters ----

void TForm_Reports::SetTitle(const QString &text)
{
    RptLabel_Title->setCaption(text);
}

void TForm_Reports::SetLoanType(const QString &text)
{
    RptLabel_LoanType->setCaption(text);
}

void TForm_Reports::SetInterestRate(const QString &text)
{
    RptLabel_InterestRate->setCaption(text);
}

void TForm_Reports::SetDateOfLoan(const QString &text)
{
    RptLabel_DateOfLoan->setCaption(text);
}

void TForm_Reports::SetBeginningBalance(const QString &text)
{
    RptLabel_BeginningBalance->setCaption(text::GroupThousands(text, m_locale));
}

void TForm_Reports::SetMonthlyPayment(const QString &text)
{
    RptLabel_MonthlyPayment->setCaption(text::GroupThousands(text, m_locale));
}

void TForm_Reports::SetNumberOfPayments(const QString &text)
{
    RptLabel_NumberOfPayments->setCaption(text);
}

void TForm_Reports::SetAmortizedBase(const QString &text)
{
    RptLabel_AmortizedBase->setCaption(text);
}

void TForm_Reports::SetImageFile(const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;
    QByteArray jpeg;
    const QImage image = eng::loadPicture(path, &jpeg);
    for (eng::Picture *picture : {RptImage, RptImage_Savings, RptImage_Daily}) {
        picture->image = image;
        picture->jpeg = jpeg;
    }
}

// ---- amortization ----

namespace {

// A row's date as the locale writes it. The reports of a batch repeat the
// same months, and formatting a date costs many times a look-up. Per thread,
// as the layout may run on a worker; bounded.
const QString &shortDate(QDate date, const QString &format)
{
    constexpr qsizetype kMaxDates = 4096;
    thread_local QString lastFormat;
    thread_local QHash<qint64, QString> dates;
    if (format.constData() != lastFormat.constData() || format.size() != lastFormat.size()) {
        if (format != lastFormat)
            dates.clear();
        lastFormat = format; // shared: the next rows compare one pointer
    }
    const qint64 day = date.toJulianDay();
    auto it = dates.constFind(day);
    if (it != dates.constEnd())
        return *it;
    if (dates.size() >= kMaxDates)
        dates.clear();
    return *dates.insert(day, date.toString(format));
}

// A row number into the label's own text, without a new string each row.
void setNumber(eng::Label &label, qsizetype value)
{
    char16_t digits[24];
    char16_t *const end = digits + std::size(digits);
    char16_t *p = end;
    const bool negative = value < 0;
    auto v =
        negative ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    do {
        *--p = static_cast<char16_t>(u'0' + v % 10);
        v /= 10;
    } while (v != 0);
    if (negative)
        *--p = u'-';
    if (label.caption.size() != end - p || !label.caption.isDetached())
        label.caption.resize(end - p);
    std::copy(p, end, label.caption.data());
}

} // namespace

void TForm_Reports::grouped(const calc::ShortText &text, eng::Label &label) const
{
    text::GroupThousands(QStringView(text.chars, text.length), m_locale, label.caption);
}

QString TForm_Reports::money(calc::Money value) const
{
    return text::FormatMoney(value, m_locale);
}

void TForm_Reports::BandReportBeforePrint()
{
    RptImage->enabled = PrintImage;
    m_yearlyPayment = m_yearlyPrincipal = m_yearlyInterest = {};
    m_overallPayment = m_overallPrincipal = m_overallInterest = {};
    m_year = static_cast<std::uint16_t>(OriginationDate.year());
    m_month = static_cast<std::uint16_t>(OriginationDate.month());
    m_day = static_cast<std::uint16_t>(OriginationDate.day());
}

bool TForm_Reports::BandReportNeedData()
{
    if (!Rows)
        return false;
    const qsizetype n = static_cast<qsizetype>(Rows->size());
    const qsizetype i = RowIndex;
    if (n - 1 == i)
        RptSubDetail_Totals->enabled = true;
    if (i < 0 || i >= n)
        return false;
    const calc::TPaymentObj &row = (*Rows)[static_cast<std::size_t>(i)];

    ++m_month;
    // A December row that is not the first closes a calendar year.
    if (m_month == 12 && i != 0)
        RptSubDetail_Totals->enabled = true;
    if (m_month == 13) {
        m_month = 1;
        ++m_year;
        m_yearlyPayment = m_yearlyPrincipal = m_yearlyInterest = {};
    }
    m_savedDay = m_day;
    m_rowDate = QDate(m_year, m_month, calc::paymentDay(m_year, m_month, m_day));
    m_day = m_savedDay;

    m_yearlyPayment += row.Payment;
    m_overallPayment += row.Payment;
    m_yearlyPrincipal += row.Principal;
    m_overallPrincipal += row.Principal;
    const calc::Money interest = calc::Money::fromValue(row.Interest);
    m_yearlyInterest += interest;
    m_overallInterest += interest;

    setNumber(*RptLabel_PMT, i + 1);
    RptLabel_DATE->setCaption(shortDate(m_rowDate, m_locale.shortDateFormat()));
    grouped(row.PaymentText, *RptLabel_PAYMENT);
    grouped(row.PrincipalText, *RptLabel_PRINCIPAL);
    grouped(row.InterestText, *RptLabel_INTEREST);
    grouped(row.BalanceText, *RptLabel_BALANCE);

    ++RowIndex;
    return true;
}

bool TForm_Reports::RptSubDetail_TotalsBeforePrint()
{
    const char16_t decimal = m_locale.decimalSeparator().unicode();
    const auto total = [&](calc::Money sum, eng::Label *label) {
        grouped(calc::formatMoneyText(sum, decimal), *label);
    };
    total(m_yearlyPayment, RptLabel_YearlyPayment);
    total(m_yearlyPrincipal, RptLabel_YearlyPrincipal);
    total(m_yearlyInterest, RptLabel_YearlyInterest);
    total(m_overallPayment, RptLabel_OverallPayment);
    total(m_overallPrincipal, RptLabel_OverallPrincipal);
    total(m_overallInterest, RptLabel_OverallInterest);
    return PrintTotals;
}

void TForm_Reports::RptSubDetail_TotalsAfterPrint()
{
    RptSubDetail_Totals->enabled = false;
}

void TForm_Reports::BandReportAfterPreview()
{
    FormClose();
}

void TForm_Reports::FormClose()
{
    if (m_closed)
        return;
    m_closed = true;
    if (m_onClose)
        m_onClose();
}

// ---- savings ----

void TForm_Reports::BandReport_SavingsBeforePrint()
{
    RptImage_Savings->enabled = PrintImage;
}

bool TForm_Reports::BandReport_SavingsNeedData()
{
    if (!SavingsRows)
        return false;
    const qsizetype n = static_cast<qsizetype>(SavingsRows->size());
    const qsizetype i = RowIndex;
    if (i < 0 || i >= n)
        return false;
    const SavingsRowType &row = (*SavingsRows)[static_cast<std::size_t>(i)];
    const int p = PeriodsPerYear > 0 ? PeriodsPerYear : 1;
    setNumber(*RptLabel_SavingsPMT, i + 1);

    const int decimals = p == 1 ? 0 : p == 2 ? 1 : p == 4 ? 2 : 4;
    const calc::Extended year = static_cast<calc::Extended>(i + 1) / p;
    QString yearText = QString::number(static_cast<double>(year), 'f', decimals);
    yearText.replace(QLatin1Char('.'), m_locale.decimalSeparator());
    RptLabel_SavingsYear->setCaption(yearText);

    RptLabel_SavingsInterest->setCaption(QString::fromUtf16(row.InterestText.chars, row.InterestText.length));
    RptLabel_SavingsBalance->setCaption(QString::fromUtf16(row.BalanceText.chars, row.BalanceText.length));

    m_savingsYearlyInterest += row.Interest;
    m_savingsOverallInterest += row.Interest;
    RptLabel_SavingsYearlyInterest->setCaption(money(m_savingsYearlyInterest));
    RptLabel_SavingsOverallInterest->setCaption(money(m_savingsOverallInterest));

    if ((i + 1) % p == 0 || i == n - 1) {
        RptSubDetail_SavingsTotals->enabled = PrintSavingsTotals;
        m_savingsYearlyInterest = {};
    }
    ++RowIndex;
    return true;
}

void TForm_Reports::RptSubDetail_SavingsTotalsAfterPrint()
{
    RptSubDetail_SavingsTotals->enabled = false;
}

// ---- daily ----

void TForm_Reports::BandReport_DailyBeforePrint()
{
    RptImage_Daily->enabled = PrintImage;
}

} // namespace accrua::reports::banded
