#include "cli/calccommands.h"

#include "app/mainmodel.h"
#include "app/startup.h"
#include "cli/options.h"
#include "cli/reportoutput.h"
#include "help/messages.h"
#include "input/text.h"
#include "settings/values.h"

#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <exception>
#include <optional>
#include <utility>
#include <vector>

namespace accrua::cli {

using app::Field;
using app::MainModel;
using app::Mode;

namespace {

// One calculation: the model started as the window starts it, with this run's
// settings, and every message it shows. A question with Yes and No gets
// `questionAnswer` when given, every other message its default button.
struct Run {
    Run(const Services &services, QHash<QString, QString> overrides,
        std::optional<unsigned short> questionAnswer = std::nullopt)
        : model(services.locale, messages), store(services.settings)
    {
        if (questionAnswer) {
            messages.setDefaultAnswer(
                [answer =
                     *questionAnswer](const help::ScriptedMessageService::Shown &shown) -> unsigned short {
                    return shown.buttons.testFlag(help::MessageButton::Yes)
                               ? answer
                               : static_cast<unsigned short>(help::mrOk);
                });
        }
        store.setOverrides(std::move(overrides));
        bool useDefaults = false;
        app::startUp(model, store, useDefaults);
    }

    help::ScriptedMessageService messages;
    MainModel model;
    settings::SettingsStore store;
};

// The user types a value into a field and leaves it.
void type(MainModel &model, Field field, const QString &value)
{
    model.typeText(field, value);
    model.leaveField(field);
}

// The calculation itself, with failures that no check catches reported as the
// window's general error report does.
void calculate(Run &run)
{
    try {
        run.model.calculate();
    } catch (const std::exception &e) {
        run.messages.ShowErrorReport(QString::fromUtf8(e.what()));
    }
}

QString caption(Field field)
{
    return app::fieldCaption(field);
}

QString toQString(const calc::ShortText &t)
{
    return QString::fromUtf16(t.chars, t.length);
}

QJsonArray messagesJson(const help::ScriptedMessageService &messages)
{
    QJsonArray list;
    for (const auto &shown : messages.shown()) {
        QJsonObject m;
        m.insert(QStringLiteral("kind"),
                 shown.errorReport ? QStringLiteral("error") : help::kindName(shown.kind));
        m.insert(QStringLiteral("text"), shown.text);
        if (shown.buttons.testFlag(help::MessageButton::Yes) ||
            shown.buttons.testFlag(help::MessageButton::No))
            m.insert(QStringLiteral("answer"),
                     shown.answer == help::mrYes ? QStringLiteral("yes") : QStringLiteral("no"));
        list.append(m);
    }
    return list;
}

void printTable(QTextStream &out, const std::vector<std::pair<QString, QString>> &fields,
                const QStringList &headings, const std::vector<QStringList> &rows)
{
    int width = 0;
    for (const auto &f : fields)
        width = std::max(width, static_cast<int>(f.first.size()));
    for (const auto &f : fields)
        out << input::PadRight(f.first, QStringLiteral(" "), width + 1) << f.second << '\n';
    if (headings.isEmpty() || rows.empty())
        return;
    std::vector<int> widths;
    for (const QString &h : headings)
        widths.push_back(static_cast<int>(h.size()));
    for (const QStringList &r : rows)
        for (qsizetype c = 0; c < r.size(); ++c)
            widths[c] = std::max(widths[c], static_cast<int>(r[c].size()));
    out << '\n';
    const auto line = [&](const QStringList &cells) {
        for (qsizetype c = 0; c < cells.size(); ++c) {
            if (c)
                out << "  ";
            out << input::PadLeft(cells[c], QStringLiteral(" "), widths[c]);
        }
        out << '\n';
    };
    line(headings);
    for (const QStringList &r : rows)
        line(r);
}

// What a calculation command prints: the fields by control name and the
// rows by column name for --json, the labelled fields and the numbered rows
// as a table otherwise.
struct Report {
    std::vector<std::pair<QString, QString>> fields;   // control name, text
    std::vector<std::pair<QString, QString>> labelled; // on-screen label, text
    QStringList columns;                               // row keys in JSON, headings in the table
    std::vector<QStringList> rows;                     // one text per column

    void addFields(const MainModel &model, std::initializer_list<Field> list)
    {
        for (Field f : list)
            fields.emplace_back(app::controlName(f), model.text(f));
    }
    void addLabelled(const MainModel &model, std::initializer_list<Field> list)
    {
        for (Field f : list)
            labelled.emplace_back(caption(f), model.text(f));
    }
};

int emit(const Options &o, const Report &report, const Run &run, QTextStream &out, QTextStream &err)
{
    const bool produced = run.model.reportCommandsEnabled();
    if (o.has(QStringLiteral("json"))) {
        QJsonObject fields;
        for (const auto &[name, value] : report.fields)
            fields.insert(name, value);
        QJsonArray rows;
        for (const QStringList &r : report.rows) {
            QJsonObject row;
            for (qsizetype c = 0; c < report.columns.size(); ++c)
                row.insert(report.columns[c].toLower(), r[c]);
            rows.append(row);
        }
        QJsonObject doc;
        doc.insert(QStringLiteral("fields"), fields);
        doc.insert(QStringLiteral("rows"), rows);
        doc.insert(QStringLiteral("messages"), messagesJson(run.messages));
        out << QJsonDocument(doc).toJson(QJsonDocument::Indented);
        return produced ? 0 : 1;
    }
    for (const auto &shown : run.messages.shown()) {
        const QString kind = shown.errorReport ? QStringLiteral("error") : help::kindName(shown.kind);
        err << kind << ": " << shown.text;
        if (shown.buttons.testFlag(help::MessageButton::Yes))
            err << " [" << (shown.answer == help::mrYes ? "yes" : "no") << "]";
        err << '\n';
    }
    if (!produced)
        return 1;
    QStringList headings{QStringLiteral("PMT")};
    headings += report.columns;
    std::vector<QStringList> numbered;
    numbered.reserve(report.rows.size());
    for (const QStringList &r : report.rows)
        numbered.push_back(QStringList{QString::number(numbered.size() + 1)} + r);
    printTable(out, report.labelled, headings, numbered);
    return 0;
}

// The calculation's output, then the report files it was asked for. With
// the CSV on standard output the table stays away from it.
int finish(const Options &o, const Report &report, const Run &run, const ReportOutputs &outputs,
           ReportPage page, const Services &services, QTextStream &out, QTextStream &err)
{
    QString discarded;
    QTextStream none(&discarded);
    const int status = emit(o, report, run, outputs.csvToStdout() ? none : out, err);
    if (status != 0 || !outputs.any())
        return status;
    return writeReportOutputs(outputs, page, run.model, services.today, out, err);
}

QString resolutionSetting(const Options &o)
{
    const QString r = o.value(QStringLiteral("resolution")).toLower();
    if (r == QLatin1String("amount"))
        return settings::kIncreasePaymentAmount;
    if (r == QLatin1String("count"))
        return settings::kIncreasePaymentCount;
    throw UsageError{QStringLiteral("--resolution takes amount or count, not '%1'").arg(r)};
}

QDate isoDate(const Options &o, const QString &name)
{
    const QDate d = QDate::fromString(o.value(name), Qt::ISODate);
    if (!d.isValid())
        throw UsageError{
            QStringLiteral("--%1 takes a date like 2026-02-12, not '%2'").arg(name, o.value(name))};
    return d;
}

} // namespace

int runLoanCommand(const QString &command, const QStringList &args, QTextStream &out, QTextStream &err,
                   const Services &services)
{
    QStringList valued = {QStringLiteral("principal"), QStringLiteral("rate"),   QStringLiteral("payment"),
                          QStringLiteral("years"),     QStringLiteral("months"), QStringLiteral("resolution"),
                          QStringLiteral("answer"),    QStringLiteral("setting")};
    valued += reportOptionNames(ReportPage::Loan);
    const Options o(args, valued, {QStringLiteral("json")});
    const ReportOutputs outputs = reportOutputs(o, ReportPage::Loan);
    const bool payment = command == QLatin1String("payment");
    const bool count = command == QLatin1String("count");
    const Mode mode = payment ? Mode::PaymentAmount : count ? Mode::NumberOfPayments : Mode::Amortization;

    QStringList needed = {QStringLiteral("principal"), QStringLiteral("rate")};
    if (!payment)
        needed << QStringLiteral("payment");
    if (!count)
        needed << QStringLiteral("years") << QStringLiteral("months");
    for (const QString &n : needed)
        o.required(n);
    for (const QString &n : {QStringLiteral("payment"), QStringLiteral("years"), QStringLiteral("months")}) {
        if (o.has(n) && !needed.contains(n))
            throw UsageError{QStringLiteral("%1 takes no --%2").arg(command, n)};
    }
    if (o.has(QStringLiteral("answer")) && mode != Mode::Amortization)
        throw UsageError{QStringLiteral("--answer belongs to amortize")};

    auto overrides = settingOverrides(o);
    if (o.has(QStringLiteral("resolution")))
        overrides.insert(settings::names::PaymentResolution, resolutionSetting(o));
    unsigned short answer = help::mrYes;
    if (o.has(QStringLiteral("answer"))) {
        const QString a = o.value(QStringLiteral("answer")).toLower();
        if (a != QLatin1String("yes") && a != QLatin1String("no"))
            throw UsageError{QStringLiteral("--answer takes yes or no, not '%1'").arg(a)};
        answer = a == QLatin1String("yes") ? help::mrYes : help::mrNo;
    }

    Run run(services, overrides, answer);
    MainModel &model = run.model;
    model.selectMode(mode);

    type(model, Field::Principal, o.value(QStringLiteral("principal")));
    type(model, Field::Interest, o.value(QStringLiteral("rate")));
    if (!payment)
        type(model, Field::Payment, o.value(QStringLiteral("payment")));
    if (!count) {
        type(model, Field::Years, o.value(QStringLiteral("years")));
        type(model, Field::Months, o.value(QStringLiteral("months")));
    }
    calculate(run);

    Report report;
    report.addFields(model, {Field::Principal, Field::Interest, Field::Payment, Field::Years, Field::Months,
                             Field::TotalPayments, Field::TotalPrincipal, Field::TotalInterest,
                             Field::TotalNumberPayments, Field::PaymentAnswer, Field::YearsAnswer,
                             Field::MonthsAnswer});
    report.addLabelled(model, {Field::Principal, Field::Interest});
    if (!payment)
        report.addLabelled(model, {Field::Payment});
    report.addLabelled(model, {Field::Years, Field::Months, Field::TotalPayments, Field::TotalPrincipal,
                               Field::TotalInterest, Field::TotalNumberPayments});
    // The window shows the answer in a box of its own, without a label.
    if (payment)
        report.labelled.emplace_back(QStringLiteral("Payment Amount (answer):"),
                                     model.text(Field::PaymentAnswer));
    if (count)
        report.addLabelled(model, {Field::YearsAnswer, Field::MonthsAnswer});
    report.columns = {QStringLiteral("PAYMENT"), QStringLiteral("PRINCIPAL"), QStringLiteral("INTEREST"),
                      QStringLiteral("BALANCE")};
    report.rows.reserve(model.ScheduleRows().size());
    for (const calc::TPaymentObj &r : model.ScheduleRows())
        report.rows.push_back({toQString(r.PaymentText), toQString(r.PrincipalText),
                               toQString(r.InterestText), toQString(r.BalanceText)});
    return finish(o, report, run, outputs, ReportPage::Loan, services, out, err);
}

int runDailyCommand(const QStringList &args, QTextStream &out, QTextStream &err, const Services &services)
{
    QStringList valued = {QStringLiteral("principal"), QStringLiteral("rate"),   QStringLiteral("payment"),
                          QStringLiteral("days"),      QStringLiteral("start"),  QStringLiteral("receive"),
                          QStringLiteral("base"),      QStringLiteral("setting")};
    valued += reportOptionNames(ReportPage::Daily);
    const Options o(args, valued, {QStringLiteral("json")});
    const ReportOutputs outputs = reportOutputs(o, ReportPage::Daily);
    for (const QString &n : {QStringLiteral("principal"), QStringLiteral("rate"), QStringLiteral("payment")})
        o.required(n);
    const bool byDays = o.has(QStringLiteral("days"));
    const bool byDates = o.has(QStringLiteral("start")) || o.has(QStringLiteral("receive"));
    if (byDays == byDates)
        throw UsageError{QStringLiteral("daily takes either --days or both --start and --receive")};
    QDate start, receive;
    if (byDates) {
        o.required(QStringLiteral("start"));
        o.required(QStringLiteral("receive"));
        start = isoDate(o, QStringLiteral("start"));
        receive = isoDate(o, QStringLiteral("receive"));
    }
    auto overrides = settingOverrides(o);
    if (o.has(QStringLiteral("base"))) {
        const QString base = o.value(QStringLiteral("base"));
        if (base != QLatin1String("360") && base != QLatin1String("365"))
            throw UsageError{QStringLiteral("--base takes 360 or 365, not '%1'").arg(base)};
        overrides.insert(settings::names::AmortizedBase, base);
    }

    Run run(services, overrides);
    MainModel &model = run.model;
    model.selectMode(Mode::DailyInterest);

    if (byDates) {
        // Change the pickers in the order a user would to reach both dates.
        if (start <= model.receiveDate()) {
            model.datePickerChanged(true, start);
            model.datePickerChanged(false, receive);
        } else {
            model.datePickerChanged(false, receive);
            model.datePickerChanged(true, start);
        }
    } else {
        type(model, Field::Days, o.value(QStringLiteral("days")));
    }
    type(model, Field::DayPrincipal, o.value(QStringLiteral("principal")));
    type(model, Field::DayInterest, o.value(QStringLiteral("rate")));
    type(model, Field::DayPayment, o.value(QStringLiteral("payment")));
    calculate(run);

    const input::Locale &locale = model.locale();
    const QString startText = model.startDate().toString(locale.shortDateFormat());
    const QString receiveText = model.receiveDate().toString(locale.shortDateFormat());
    Report report;
    const std::initializer_list<Field> fields = {Field::Days,
                                                 Field::DayPrincipal,
                                                 Field::DayInterest,
                                                 Field::DayPayment,
                                                 Field::DailyRate,
                                                 Field::IntPerPeriod,
                                                 Field::PrincipalPayment,
                                                 Field::IntAccrued,
                                                 Field::RemainingBalance};
    report.addFields(model, fields);
    report.fields.emplace_back(QStringLiteral("DateTimePicker_StartDate"), startText);
    report.fields.emplace_back(QStringLiteral("DateTimePicker_ReceiveDate"), receiveText);
    report.labelled = {{QLatin1String(app::kStartDateCaption), startText},
                       {QLatin1String(app::kReceiveDateCaption), receiveText}};
    report.addLabelled(model, fields);
    return finish(o, report, run, outputs, ReportPage::Daily, services, out, err);
}

int runSavingsCommand(const QStringList &args, QTextStream &out, QTextStream &err, const Services &services)
{
    QStringList valued = {QStringLiteral("balance"), QStringLiteral("rate"),   QStringLiteral("compounded"),
                          QStringLiteral("years"),   QStringLiteral("months"), QStringLiteral("setting")};
    valued += reportOptionNames(ReportPage::Savings);
    const Options o(args, valued, {QStringLiteral("json")});
    const ReportOutputs outputs = reportOutputs(o, ReportPage::Savings);
    for (const QString &n : valued.mid(0, 5))
        o.required(n);
    // The compounding choices by their captions, in lower case.
    QStringList items;
    for (const char *item : app::kCompoundingItems)
        items << QString::fromLatin1(item).toLower();
    const int compounding = static_cast<int>(items.indexOf(o.value(QStringLiteral("compounded")).toLower()));
    if (compounding < 0)
        throw UsageError{QStringLiteral("--compounded takes %1 or %2")
                             .arg(items.mid(0, items.size() - 1).join(QStringLiteral(", ")), items.last())};

    Run run(services, settingOverrides(o));
    MainModel &model = run.model;
    model.selectMode(Mode::SavingsInterest);
    type(model, Field::SaveAmount, o.value(QStringLiteral("balance")));
    type(model, Field::SaveInterest, o.value(QStringLiteral("rate")));
    model.setCompounding(compounding);
    type(model, Field::SaveYears, o.value(QStringLiteral("years")));
    type(model, Field::SaveMonths, o.value(QStringLiteral("months")));
    calculate(run);

    const QString item = QString::fromLatin1(app::kCompoundingItems[static_cast<std::size_t>(compounding)]);
    Report report;
    report.addFields(model, {Field::SaveAmount, Field::SaveInterest, Field::SaveYears, Field::SaveMonths,
                             Field::SaveIntAccrued, Field::SaveEndBalance});
    report.fields.emplace_back(QStringLiteral("RadioGroup_SaveCompounded"), item);
    report.addLabelled(model, {Field::SaveAmount, Field::SaveInterest});
    report.labelled.emplace_back(QLatin1String(app::kCompoundedCaption) + QLatin1Char(':'), item);
    report.addLabelled(model,
                       {Field::SaveYears, Field::SaveMonths, Field::SaveIntAccrued, Field::SaveEndBalance});
    report.columns = {QStringLiteral("INTEREST"), QStringLiteral("BALANCE")};
    for (const app::SavingsRow &r : model.SavingsRows())
        report.rows.push_back({toQString(r.InterestText), toQString(r.BalanceText)});
    return finish(o, report, run, outputs, ReportPage::Savings, services, out, err);
}

} // namespace accrua::cli
