#include "cli/calccommands.h"

#include "app/mainmodel.h"
#include "app/startup.h"
#include "cli/options.h"
#include "cli/output.h"
#include "cli/reportoptions.h"
#include "desktop/messages.h"
#include "settings/values.h"

#include <QDate>

#include <exception>
#include <functional>
#include <new>
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
// `settings` stand for the stored values when given (a batch reads the store
// once); the run's own overrides win over them.
struct Run {
    Run(const Services &services, const QHash<QString, QString> &settings, bool rowTexts,
        QHash<QString, QString> overrides, std::optional<unsigned short> questionAnswer = std::nullopt)
        : model(services.locale, messages), store(services.settings)
    {
        model.setRowTexts(rowTexts);
        if (questionAnswer) {
            messages.setDefaultAnswer(
                [answer =
                     *questionAnswer](const desktop::ScriptedMessageService::Shown &shown) -> unsigned short {
                    return shown.buttons.testFlag(desktop::MessageButton::Yes)
                               ? answer
                               : static_cast<unsigned short>(desktop::mrOk);
                });
        }
        if (!settings.isEmpty()) {
            QHash<QString, QString> all = settings;
            for (auto it = overrides.cbegin(); it != overrides.cend(); ++it)
                all.insert(it.key(), it.value());
            overrides = std::move(all);
        }
        store.setOverrides(std::move(overrides));
        bool useDefaults = false;
        app::startUp(model, store, useDefaults);
    }

    desktop::ScriptedMessageService messages;
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
// window's general error report does. A value refused while it was typed, or
// a date moved to keep the order, stops here: the window goes on with the
// corrected field, but on the command line that would answer another
// question than the one asked.
void calculate(Run &run)
{
    if (!run.messages.shown().empty())
        return;
    try {
        run.model.calculate();
    } catch (const std::bad_alloc &) {
        throw; // reported once, at the top
    } catch (const std::exception &e) {
        run.messages.ShowErrorReport(QString::fromUtf8(e.what()));
    }
}

QString caption(Field field)
{
    return app::fieldCaption(field);
}

void addFields(Report &report, const MainModel &model, std::initializer_list<Field> list)
{
    for (Field f : list)
        report.fields.emplace_back(app::controlName(f), model.text(f));
}

void addLabelled(Report &report, const MainModel &model, std::initializer_list<Field> list)
{
    for (Field f : list)
        report.labelled.emplace_back(caption(f), model.text(f));
}

// The JSON, or the messages on err and the table on `out` (none: no table,
// an output of the report takes its place).
int emit(const Options &o, const Report &report, const Run &run, QTextStream *out, QTextStream &err)
{
    const bool produced = run.model.reportCommandsEnabled();
    OutputBuffer buffer;
    if (o.has(QStringLiteral("json"))) {
        writeJson(buffer, report, jsonMessages(run.messages), JsonLayout::Indented);
        if (out) // always: --json with an output on standard output is refused earlier
            writeOut(*out, buffer);
        return produced ? 0 : 1;
    }
    for (const auto &shown : run.messages.shown()) {
        const QString kind = shown.errorReport ? QStringLiteral("error") : desktop::kindName(shown.kind);
        err << kind << ": " << shown.text;
        if (shown.buttons.testFlag(desktop::MessageButton::Yes))
            err << " [" << (shown.answer == desktop::mrYes ? "yes" : "no") << "]";
        err << '\n';
    }
    if (!produced)
        return 1;
    if (out) {
        writeTable(buffer, report);
        writeOut(*out, buffer);
    }
    return 0;
}

// The files a calculation read, which its outputs must not replace. The
// store's file is asked of the store unless the caller already knows it:
// asking opens the store again.
std::vector<ReadFile> readFiles(const Run &run, const QString &storeFile = {})
{
    QString store = storeFile;
    try {
        if (store.isEmpty())
            store = run.store.fileName();
    } catch (const settings::SettingsError &) {
        // An unreadable store has already stopped the calculation.
    }
    return {{QStringLiteral("the picture"), run.model.appSettings().ImagePath},
            {QStringLiteral("the settings store"), store}};
}

// The calculation's output, then the report files it was asked for. With
// the CSV on standard output the table stays away from it.
int finish(const Options &o, const Report &report, const Run &run, const ReportOutputs &outputs,
           ReportPage page, const Services &services, const Drawing *drawing, QTextStream &out,
           QTextStream &err)
{
    if (outputs.drawn() && !drawing)
        throw Refusal{QStringLiteral("--pdf and --arp are drawn by accrua-cli-draw")};
    if (outputs.any())
        refuseOutputsOverInputs(outputs, readFiles(run));
    const int status = emit(o, report, run, outputs.toStdout() ? nullptr : &out, err);
    if (status != 0 || !outputs.any())
        return status;
    std::optional<QString> failure = writeTextOutputs(outputs, page, run.model, services.today, out);
    if (!failure && outputs.drawn())
        failure = drawing->writeReports(outputs, page, run.model, services.today, nullptr);
    if (!failure)
        return 0;
    err << "accrua-cli: " << *failure << '\n';
    err.flush();
    return 1;
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

// Where a command's outcome goes: printed (the command line) or handed to a
// batch. `settings` as for Run.
struct Context {
    const Services &services;
    const QHash<QString, QString> &settings;
    bool rowTexts; // false: nothing will print the rows' texts
    std::function<int(const Options &, const Report &, const Run &, const ReportOutputs &, ReportPage)>
        finish;
};

int loanCommand(const QString &command, const QStringList &args, const Context &ctx)
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
        overrides.insert(settings::names::kPaymentResolution, resolutionSetting(o));
    unsigned short answer = desktop::mrYes;
    if (o.has(QStringLiteral("answer"))) {
        const QString a = o.value(QStringLiteral("answer")).toLower();
        if (a != QLatin1String("yes") && a != QLatin1String("no"))
            throw UsageError{QStringLiteral("--answer takes yes or no, not '%1'").arg(a)};
        answer = a == QLatin1String("yes") ? desktop::mrYes : desktop::mrNo;
    }

    Run run(ctx.services, ctx.settings, ctx.rowTexts, overrides, answer);
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
    addFields(report, model,
              {Field::Principal, Field::Interest, Field::Payment, Field::Years, Field::Months,
               Field::TotalPayments, Field::TotalPrincipal, Field::TotalInterest, Field::TotalNumberPayments,
               Field::PaymentAnswer, Field::YearsAnswer, Field::MonthsAnswer});
    addLabelled(report, model, {Field::Principal, Field::Interest});
    if (!payment)
        addLabelled(report, model, {Field::Payment});
    addLabelled(report, model,
                {Field::Years, Field::Months, Field::TotalPayments, Field::TotalPrincipal,
                 Field::TotalInterest, Field::TotalNumberPayments});
    // The window shows the answer in a box of its own, without a label.
    if (payment)
        report.labelled.emplace_back(QStringLiteral("Payment Amount (answer):"),
                                     model.text(Field::PaymentAnswer));
    if (count)
        addLabelled(report, model, {Field::YearsAnswer, Field::MonthsAnswer});
    report.loanRows = model.ScheduleRows();
    return ctx.finish(o, report, run, outputs, ReportPage::Loan);
}

int dailyCommand(const QStringList &args, const Context &ctx)
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
        overrides.insert(settings::names::kAmortizedBase, base);
    }

    Run run(ctx.services, ctx.settings, ctx.rowTexts, overrides);
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

    const text::Locale &locale = model.locale();
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
    addFields(report, model, fields);
    report.fields.emplace_back(QStringLiteral("DateTimePicker_StartDate"), startText);
    report.fields.emplace_back(QStringLiteral("DateTimePicker_ReceiveDate"), receiveText);
    report.labelled = {{QLatin1String(app::kStartDateCaption), startText},
                       {QLatin1String(app::kReceiveDateCaption), receiveText}};
    addLabelled(report, model, fields);
    return ctx.finish(o, report, run, outputs, ReportPage::Daily);
}

int savingsCommand(const QStringList &args, const Context &ctx)
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

    Run run(ctx.services, ctx.settings, ctx.rowTexts, settingOverrides(o));
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
    addFields(report, model,
              {Field::SaveAmount, Field::SaveInterest, Field::SaveYears, Field::SaveMonths,
               Field::SaveIntAccrued, Field::SaveEndBalance});
    report.fields.emplace_back(QStringLiteral("RadioGroup_SaveCompounded"), item);
    addLabelled(report, model, {Field::SaveAmount, Field::SaveInterest});
    report.labelled.emplace_back(QLatin1String(app::kCompoundedCaption) + QLatin1Char(':'), item);
    addLabelled(report, model,
                {Field::SaveYears, Field::SaveMonths, Field::SaveIntAccrued, Field::SaveEndBalance});
    report.savings = true;
    report.savingsRows = model.SavingsRows();
    return ctx.finish(o, report, run, outputs, ReportPage::Savings);
}

} // namespace

namespace {

Context printing(const Services &services, const Drawing *drawing, QTextStream &out, QTextStream &err)
{
    static const QHash<QString, QString> stored;
    return {services, stored, true,
            [&services, drawing, &out, &err](const Options &o, const Report &report, const Run &run,
                                             const ReportOutputs &outputs, ReportPage page) {
                return finish(o, report, run, outputs, page, services, drawing, out, err);
            }};
}

} // namespace

int runLoanCommand(const QString &command, const QStringList &args, QTextStream &out, QTextStream &err,
                   const Services &services, const Drawing *drawing)
{
    return loanCommand(command, args, printing(services, drawing, out, err));
}

int runDailyCommand(const QStringList &args, QTextStream &out, QTextStream &err, const Services &services,
                    const Drawing *drawing)
{
    return dailyCommand(args, printing(services, drawing, out, err));
}

int runSavingsCommand(const QStringList &args, QTextStream &out, QTextStream &err, const Services &services,
                      const Drawing *drawing)
{
    return savingsCommand(args, printing(services, drawing, out, err));
}

int runCalculation(const QString &command, const QStringList &args, const Services &services,
                   const QHash<QString, QString> &settings, const QString &storeFile, bool rowTexts,
                   const std::function<int(const Calculated &)> &take)
{
    const Context ctx{
        services, settings, rowTexts,
        [&take, &storeFile](const Options &, const Report &report, const Run &run,
                            const ReportOutputs &outputs, ReportPage page) {
            return take(Calculated{report, run.messages, run.model.reportCommandsEnabled(), outputs, page,
                                   run.model,
                                   outputs.any() ? readFiles(run, storeFile) : std::vector<ReadFile>{}});
        }};
    if (command == QLatin1String("daily"))
        return dailyCommand(args, ctx);
    if (command == QLatin1String("savings"))
        return savingsCommand(args, ctx);
    return loanCommand(command, args, ctx);
}

} // namespace accrua::cli
