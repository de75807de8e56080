#include "cli/cli.h"

#include "app/mainmodel.h"
#include "help/messages.h"
#include "input/locale.h"
#include "input/text.h"
#include "settings/values.h"

#include <QDate>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>

#if __has_include("cli/pagescommand.h")
#include "cli/pagescommand.h"
#define ACCRUA_HAVE_PAGES_COMMAND 1
#endif

#include <exception>
#include <optional>
#include <vector>

namespace accrua::cli {

using app::Field;
using app::MainModel;
using app::Mode;

namespace {

const char *const kUsage = R"(usage: accrua-cli COMMAND [OPTIONS]

Loan and savings calculations, computed exactly as the Accrua window computes
them: each value is typed into its field as a user would type it (with the
user's decimal separator), the field's leave check runs, then Calculate.

Commands:
  payment  --principal P --rate R --years Y --months M [--resolution amount|count]
           the monthly payment that repays P over the term
  count    --principal P --rate R --payment A [--resolution amount|count]
           the number of payments of A that repay P
  amortize --principal P --rate R --payment A --years Y --months M
           [--resolution amount|count] [--answer yes|no]
           the amortization schedule; --answer answers the question whether
           to use the number of payments that repays the loan (default yes)
  daily    --principal P --rate R --payment A (--days N | --start DATE --receive DATE)
           [--base 360|365]
           interest over a span of days; dates are ISO 8601 (2026-02-12)
  savings  --balance B --rate R --compounded yearly|bi-yearly|quarterly|monthly
           --years Y --months M
           growth of savings under periodic compounding
  settings [--set NAME=VALUE]
           print the sixteen stored settings (name, value, whether default),
           or store one value
  pages FILE
           list the header and page records of a report page file (*.ARP)
  render FILE (--pdf OUT.pdf | --png DIR [--dpi N])
           draw every page of a report page file

Options for the calculations:
  --json               print one JSON object: "fields" (each field's control
                       name and the exact text the window shows), "rows" (the
                       schedule: payment, principal, interest, balance texts;
                       for savings: interest, balance) and "messages" (every
                       message the window would show, in order, with "kind",
                       "text" and, for a question, "answer")
  --setting NAME=VALUE override a stored setting for this run (repeatable);
                       nothing is written
  --resolution         overrides PAYMENTRESOLUTION (amount: increase the
                       payment amount, count: increase the number of payments)
  --base               overrides AMORTIZEDBASE for this run
  --help               this text

Exit status: 0 the calculation produced results; 1 a check or the calculation
refused the input (messages on stderr), or a file could not be read; 2 usage.
)";

struct UsageError {
    QString text;
};

// Parsed "--name value" options; flags have no value.
class Options {
public:
    Options(const QStringList &args, const QStringList &valued, const QStringList &flags)
    {
        for (int k = 0; k < args.size(); ++k) {
            QString arg = args[k];
            if (!arg.startsWith(QLatin1String("--")))
                throw UsageError{QStringLiteral("unexpected argument '%1'").arg(arg)};
            QString name = arg.mid(2);
            std::optional<QString> value;
            const int eq = name.indexOf(QLatin1Char('='));
            if (eq >= 0) {
                value = name.mid(eq + 1);
                name = name.left(eq);
            }
            if (flags.contains(name)) {
                if (value)
                    throw UsageError{QStringLiteral("option --%1 takes no value").arg(name)};
                m_values.insert(name, QString());
                continue;
            }
            if (!valued.contains(name))
                throw UsageError{QStringLiteral("unknown option --%1").arg(name)};
            if (!value) {
                if (k + 1 >= args.size())
                    throw UsageError{QStringLiteral("option --%1 needs a value").arg(name)};
                value = args[++k];
            }
            m_values.insert(name, *value);
        }
    }

    bool has(const QString &name) const { return m_values.contains(name); }
    QString value(const QString &name) const { return m_values.value(name); }
    QStringList values(const QString &name) const { return m_values.values(name); }
    QString required(const QString &name) const
    {
        if (!has(name))
            throw UsageError{QStringLiteral("missing option --%1").arg(name)};
        return value(name);
    }

private:
    QMultiMap<QString, QString> m_values;
};

struct Run {
    help::ScriptedMessageService messages;
    std::vector<QString> errorReports; // failures shown in the general error report
};

QHash<QString, QString> settingOverrides(const Options &o)
{
    QHash<QString, QString> overrides;
    for (const QString &pair : o.values(QStringLiteral("setting"))) {
        const int eq = pair.indexOf(QLatin1Char('='));
        if (eq <= 0)
            throw UsageError{QStringLiteral("--setting needs NAME=VALUE, not '%1'").arg(pair)};
        const QString name = pair.left(eq).toUpper();
        if (!settings::findSetting(name))
            throw UsageError{QStringLiteral("unknown setting '%1'").arg(name)};
        overrides.insert(name, pair.mid(eq + 1));
    }
    return overrides;
}

// What the program does when its window is shown: settings loaded, amount
// fields at the zero amount.
void prepare(MainModel &model, settings::SettingsStore &store, help::MessageService &messages)
{
    bool useDefaults = false;
    try {
        settings::LoadSettings(store, model.appSettings(), useDefaults);
    } catch (const std::exception &e) {
        messages.ShowErrorReport(QString::fromUtf8(e.what()));
    }
    model.resetAmountFields();
}

// The user types a value into a field and leaves it.
void type(MainModel &model, Field field, const QString &value)
{
    model.typeText(field, value);
    model.leaveField(field);
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

QString toQString(const calc::ShortText &t)
{
    return QString::fromUtf16(t.chars, t.length);
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
        for (int c = 0; c < r.size(); ++c)
            widths[c] = std::max(widths[c], static_cast<int>(r[c].size()));
    out << '\n';
    const auto line = [&](const QStringList &cells) {
        for (int c = 0; c < cells.size(); ++c) {
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
};

int emit(const Options &o, const Report &report, const Run &run, bool produced, QTextStream &out,
         QTextStream &err)
{
    if (o.has(QStringLiteral("json"))) {
        QJsonObject fields;
        for (const auto &[name, value] : report.fields)
            fields.insert(name, value);
        QJsonArray rows;
        for (const QStringList &r : report.rows) {
            QJsonObject row;
            for (int c = 0; c < report.columns.size(); ++c)
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

std::vector<std::pair<QString, QString>> fieldTexts(const MainModel &model,
                                                    std::initializer_list<Field> fields)
{
    std::vector<std::pair<QString, QString>> texts;
    for (Field f : fields)
        texts.emplace_back(app::controlName(f), model.text(f));
    return texts;
}

// The calculation itself, with failures that no check catches reported as the
// window's general error report does.
void calculate(MainModel &model, Run &run)
{
    try {
        model.calculate();
    } catch (const std::exception &e) {
        run.messages.ShowErrorReport(QString::fromUtf8(e.what()));
    }
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

int runLoan(const QString &command, const QStringList &args, QTextStream &out, QTextStream &err)
{
    const QStringList valued = {QStringLiteral("principal"), QStringLiteral("rate"),
                                QStringLiteral("payment"),   QStringLiteral("years"),
                                QStringLiteral("months"),    QStringLiteral("resolution"),
                                QStringLiteral("answer"),    QStringLiteral("setting")};
    const Options o(args, valued, {QStringLiteral("json")});
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

    Run run;
    run.messages.setDefaultAnswer(
        [answer](const help::ScriptedMessageService::Shown &shown) -> unsigned short {
            if (shown.buttons.testFlag(help::MessageButton::Yes))
                return answer;
            return help::mrOk;
        });
    MainModel model(input::Locale::system(), run.messages);
    settings::SettingsStore store;
    store.setOverrides(overrides);
    prepare(model, store, run.messages);
    model.selectMode(mode);

    type(model, Field::Principal, o.value(QStringLiteral("principal")));
    type(model, Field::Interest, o.value(QStringLiteral("rate")));
    if (!payment)
        type(model, Field::Payment, o.value(QStringLiteral("payment")));
    if (!count) {
        type(model, Field::Years, o.value(QStringLiteral("years")));
        type(model, Field::Months, o.value(QStringLiteral("months")));
    }
    calculate(model, run);

    Report report;
    report.fields = fieldTexts(model, {Field::Principal, Field::Interest, Field::Payment, Field::Years,
                                       Field::Months, Field::TotalPayments, Field::TotalPrincipal,
                                       Field::TotalInterest, Field::TotalNumberPayments, Field::PaymentAnswer,
                                       Field::YearsAnswer, Field::MonthsAnswer});
    report.labelled = {
        {QStringLiteral("Principal Balance:"), model.text(Field::Principal)},
        {QStringLiteral("Interest Rate:"), model.text(Field::Interest)},
    };
    if (!payment)
        report.labelled.emplace_back(QStringLiteral("Payment Amount:"), model.text(Field::Payment));
    report.labelled.emplace_back(QStringLiteral("Number of Years"), model.text(Field::Years));
    report.labelled.emplace_back(QStringLiteral("Number of Months:"), model.text(Field::Months));
    report.labelled.emplace_back(QStringLiteral("Total Payments Paid:"), model.text(Field::TotalPayments));
    report.labelled.emplace_back(QStringLiteral("Total Principal Paid:"), model.text(Field::TotalPrincipal));
    report.labelled.emplace_back(QStringLiteral("Total Interest Paid:"), model.text(Field::TotalInterest));
    report.labelled.emplace_back(QStringLiteral("Total Number of Payments:"),
                                 model.text(Field::TotalNumberPayments));
    if (payment)
        report.labelled.emplace_back(QStringLiteral("Payment Amount (answer):"),
                                     model.text(Field::PaymentAnswer));
    if (count) {
        report.labelled.emplace_back(QStringLiteral("Years:"), model.text(Field::YearsAnswer));
        report.labelled.emplace_back(QStringLiteral("Months:"), model.text(Field::MonthsAnswer));
    }
    report.columns = {QStringLiteral("PAYMENT"), QStringLiteral("PRINCIPAL"), QStringLiteral("INTEREST"),
                      QStringLiteral("BALANCE")};
    report.rows.reserve(model.ScheduleRows().size());
    for (const calc::TPaymentObj &r : model.ScheduleRows())
        report.rows.push_back({toQString(r.PaymentText), toQString(r.PrincipalText),
                               toQString(r.InterestText), toQString(r.BalanceText)});
    return emit(o, report, run, model.reportCommandsEnabled(), out, err);
}

QDate isoDate(const Options &o, const QString &name)
{
    const QDate d = QDate::fromString(o.value(name), Qt::ISODate);
    if (!d.isValid())
        throw UsageError{
            QStringLiteral("--%1 takes a date like 2026-02-12, not '%2'").arg(name, o.value(name))};
    return d;
}

int runDaily(const QStringList &args, QTextStream &out, QTextStream &err)
{
    const QStringList valued = {QStringLiteral("principal"), QStringLiteral("rate"),
                                QStringLiteral("payment"),   QStringLiteral("days"),
                                QStringLiteral("start"),     QStringLiteral("receive"),
                                QStringLiteral("base"),      QStringLiteral("setting")};
    const Options o(args, valued, {QStringLiteral("json")});
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

    Run run;
    MainModel model(input::Locale::system(), run.messages);
    settings::SettingsStore store;
    store.setOverrides(overrides);
    prepare(model, store, run.messages);
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
    calculate(model, run);

    const input::Locale &locale = model.locale();
    const QString startText = model.startDate().toString(locale.shortDateFormat());
    const QString receiveText = model.receiveDate().toString(locale.shortDateFormat());
    Report report;
    report.fields = fieldTexts(model, {Field::Days, Field::DayPrincipal, Field::DayInterest,
                                       Field::DayPayment, Field::DailyRate, Field::IntPerPeriod,
                                       Field::PrincipalPayment, Field::IntAccrued, Field::RemainingBalance});
    report.fields.emplace_back(QStringLiteral("DateTimePicker_StartDate"), startText);
    report.fields.emplace_back(QStringLiteral("DateTimePicker_ReceiveDate"), receiveText);
    report.labelled = {
        {QStringLiteral("Start Date:"), startText},
        {QStringLiteral("Receive Date:"), receiveText},
        {QStringLiteral("Number of Days:"), model.text(Field::Days)},
        {QStringLiteral("Principal Balance:"), model.text(Field::DayPrincipal)},
        {QStringLiteral("Interest Rate:"), model.text(Field::DayInterest)},
        {QStringLiteral("Payment Amount:"), model.text(Field::DayPayment)},
        {QStringLiteral("Daily Rate:"), model.text(Field::DailyRate)},
        {QStringLiteral("Interest Per Period:"), model.text(Field::IntPerPeriod)},
        {QStringLiteral("Principal Payment:"), model.text(Field::PrincipalPayment)},
        {QStringLiteral("Interest Accrued:"), model.text(Field::IntAccrued)},
        {QStringLiteral("Remaining Balance:"), model.text(Field::RemainingBalance)},
    };
    return emit(o, report, run, model.reportCommandsEnabled(), out, err);
}

int runSavings(const QStringList &args, QTextStream &out, QTextStream &err)
{
    const QStringList valued = {QStringLiteral("balance"),    QStringLiteral("rate"),
                                QStringLiteral("compounded"), QStringLiteral("years"),
                                QStringLiteral("months"),     QStringLiteral("setting")};
    const Options o(args, valued, {QStringLiteral("json")});
    for (const QString &n : valued.mid(0, 5))
        o.required(n);
    const QStringList items = {QStringLiteral("yearly"), QStringLiteral("bi-yearly"),
                               QStringLiteral("quarterly"), QStringLiteral("monthly")};
    const int compounding = static_cast<int>(items.indexOf(o.value(QStringLiteral("compounded")).toLower()));
    if (compounding < 0)
        throw UsageError{QStringLiteral("--compounded takes yearly, bi-yearly, quarterly or monthly")};

    Run run;
    MainModel model(input::Locale::system(), run.messages);
    settings::SettingsStore store;
    store.setOverrides(settingOverrides(o));
    prepare(model, store, run.messages);
    model.selectMode(Mode::SavingsInterest);
    type(model, Field::SaveAmount, o.value(QStringLiteral("balance")));
    type(model, Field::SaveInterest, o.value(QStringLiteral("rate")));
    model.setCompounding(compounding);
    type(model, Field::SaveYears, o.value(QStringLiteral("years")));
    type(model, Field::SaveMonths, o.value(QStringLiteral("months")));
    calculate(model, run);

    const QString itemText[] = {QStringLiteral("Yearly"), QStringLiteral("Bi-Yearly"),
                                QStringLiteral("Quarterly"), QStringLiteral("Monthly")};
    Report report;
    report.fields = fieldTexts(model, {Field::SaveAmount, Field::SaveInterest, Field::SaveYears,
                                       Field::SaveMonths, Field::SaveIntAccrued, Field::SaveEndBalance});
    report.fields.emplace_back(QStringLiteral("RadioGroup_SaveCompounded"), itemText[compounding]);
    report.labelled = {
        {QStringLiteral("Beginning Balance:"), model.text(Field::SaveAmount)},
        {QStringLiteral("Interest Rate:"), model.text(Field::SaveInterest)},
        {QStringLiteral("Compounded:"), itemText[compounding]},
        {QStringLiteral("Years:"), model.text(Field::SaveYears)},
        {QStringLiteral("Months:"), model.text(Field::SaveMonths)},
        {QStringLiteral("Interest Accrued:"), model.text(Field::SaveIntAccrued)},
        {QStringLiteral("Ending Balance:"), model.text(Field::SaveEndBalance)},
    };
    report.columns = {QStringLiteral("INTEREST"), QStringLiteral("BALANCE")};
    for (const app::SavingsRow &r : model.SavingsRows())
        report.rows.push_back({toQString(r.InterestText), toQString(r.BalanceText)});
    return emit(o, report, run, model.reportCommandsEnabled(), out, err);
}

int runSettings(const QStringList &args, QTextStream &out, QTextStream &err)
{
    const Options o(args, {QStringLiteral("set")}, {QStringLiteral("json")});
    settings::SettingsStore store;
    try {
        if (o.has(QStringLiteral("set"))) {
            const QString pair = o.value(QStringLiteral("set"));
            const int eq = pair.indexOf(QLatin1Char('='));
            if (eq <= 0)
                throw UsageError{QStringLiteral("--set needs NAME=VALUE, not '%1'").arg(pair)};
            const auto refusal =
                settings::WriteSettingByName(store, pair.left(eq).toUpper(), pair.mid(eq + 1));
            if (refusal) {
                err << "accrua-cli: " << *refusal << '\n';
                return 1;
            }
            return 0;
        }
        const auto readings = settings::ReadAllSettings(store);
        if (o.has(QStringLiteral("json"))) {
            QJsonArray list;
            for (const auto &r : readings) {
                QJsonObject item;
                item.insert(QStringLiteral("name"), r.name);
                item.insert(QStringLiteral("kind"), settings::settingKindName(r.kind));
                item.insert(QStringLiteral("value"), r.value);
                item.insert(QStringLiteral("default"), r.isDefault);
                list.append(item);
            }
            out << QJsonDocument(list).toJson(QJsonDocument::Indented);
            return 0;
        }
        int width = 0;
        for (const auto &r : readings)
            width = std::max(width, static_cast<int>(r.name.size()));
        for (const auto &r : readings)
            out << input::PadRight(r.name, QStringLiteral(" "), width + 2) << '"' << r.value << '"'
                << (r.isDefault ? "  (default)" : "") << '\n';
        return 0;
    } catch (const settings::SettingsError &e) {
        err << "accrua-cli: " << help::errorReportText(e.text()) << '\n';
        return 1;
    }
}

} // namespace

int run(const QStringList &args, QTextStream &out, QTextStream &err)
{
    if (args.isEmpty()) {
        err << kUsage;
        return 2;
    }
    const QString command = args.first();
    const QStringList rest = args.mid(1);
    if (command == QLatin1String("--help") || command == QLatin1String("-h") ||
        command == QLatin1String("help") || rest.contains(QStringLiteral("--help"))) {
        out << kUsage;
        return 0;
    }
    try {
        if (command == QLatin1String("payment") || command == QLatin1String("count") ||
            command == QLatin1String("amortize"))
            return runLoan(command, rest, out, err);
        if (command == QLatin1String("daily"))
            return runDaily(rest, out, err);
        if (command == QLatin1String("savings"))
            return runSavings(rest, out, err);
        if (command == QLatin1String("settings"))
            return runSettings(rest, out, err);
#ifdef ACCRUA_HAVE_PAGES_COMMAND
        if (command == QLatin1String("pages"))
            return runPagesCommand(rest, out, err);
        if (command == QLatin1String("render"))
            return runRenderCommand(rest, out, err);
#endif
        throw UsageError{QStringLiteral("unknown command '%1'").arg(command)};
    } catch (const UsageError &e) {
        err << "accrua-cli: " << e.text << "\n(see accrua-cli --help)\n";
        return 2;
    }
}

} // namespace accrua::cli
