#include "planner/planfile.h"

#include "fileio/safefile.h"
#include "text/numbers.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <cmath>
#include <stdexcept>

namespace accrua::planner {

namespace {

// This file's texts, translated in the planner's domain.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(accrua::planner::PlanFile)
};

const QString kFormatName = QStringLiteral("accrua-plan");

const text::Locale &dotLocale()
{
    static const text::Locale locale(u'.', u',', 2, QString());
    return locale;
}

QString moneyValue(calc::Money m)
{
    return text::FormatMoney(m, dotLocale());
}

QString rateValue(calc::Extended r)
{
    return text::formatGeneral(r, dotLocale());
}

QString termKindName(TermKind k)
{
    switch (k) {
    case TermKind::YearsMonths:
        return QStringLiteral("years");
    case TermKind::Payments:
        return QStringLiteral("payments");
    case TermKind::FixedPayment:
        return QStringLiteral("payment");
    }
    return {};
}

QJsonObject scenarioObject(const Scenario &s)
{
    const ScenarioInputs &in = s.inputs;
    QJsonObject o;
    o[QStringLiteral("name")] = s.name;
    o[QStringLiteral("principal")] = moneyValue(in.principal);
    o[QStringLiteral("rate")] = rateValue(in.ratePercent);
    o[QStringLiteral("term")] = termKindName(in.termKind);
    o[QStringLiteral("years")] = in.years;
    o[QStringLiteral("months")] = in.months;
    o[QStringLiteral("payments")] = static_cast<qint64>(in.payments);
    o[QStringLiteral("fixedPayment")] = moneyValue(in.fixedPayment);
    o[QStringLiteral("frequency")] = QString::fromLatin1(calc::frequencyName(in.frequency));
    o[QStringLiteral("compounding")] = QString::fromLatin1(calc::compoundingName(in.compounding));
    o[QStringLiteral("repayment")] = in.repayment == calc::Repayment::Annuity
                                         ? QStringLiteral("annuity")
                                         : QStringLiteral("equal-principal");
    o[QStringLiteral("interestOnly")] = static_cast<qint64>(in.interestOnly);
    o[QStringLiteral("amortizePayments")] = static_cast<qint64>(in.amortizePayments);
    o[QStringLiteral("balloon")] = moneyValue(in.balloon);
    QJsonArray extras;
    for (const ExtraRow &e : in.extras)
        extras.append(QJsonObject{{QStringLiteral("from"), static_cast<qint64>(e.from)},
                                  {QStringLiteral("amount"), moneyValue(e.amount)},
                                  {QStringLiteral("every"), static_cast<qint64>(e.every)}});
    o[QStringLiteral("extras")] = extras;
    QJsonArray lumps;
    for (const LumpRow &l : in.lumps)
        lumps.append(QJsonObject{{QStringLiteral("payment"), static_cast<qint64>(l.payment)},
                                 {QStringLiteral("amount"), moneyValue(l.amount)}});
    o[QStringLiteral("lumps")] = lumps;
    QJsonArray rates;
    for (const RateRow &r : in.rateChanges)
        rates.append(QJsonObject{{QStringLiteral("from"), static_cast<qint64>(r.from)},
                                 {QStringLiteral("rate"), rateValue(r.ratePercent)}});
    o[QStringLiteral("rateChanges")] = rates;
    o[QStringLiteral("extraMode")] = in.extraMode == calc::ExtraMode::Shorten
                                         ? QStringLiteral("shorten")
                                         : QStringLiteral("lower-payment");
    o[QStringLiteral("fee")] = moneyValue(in.fee);
    o[QStringLiteral("advance")] = in.advance.toString(Qt::ISODate);
    o[QStringLiteral("firstPayment")] =
        in.firstPayment.isValid() ? in.firstPayment.toString(Qt::ISODate) : QString();
    return o;
}

// A refusal while reading, with the place it was found.
struct Refused : std::runtime_error {
    explicit Refused(const QString &why) : std::runtime_error(why.toStdString()) {}
};

class FieldReader {
public:
    FieldReader(const QJsonObject &object, QString where) : m_o(object), m_where(std::move(where)) {}

    [[noreturn]] void refuse(const QString &key, const QString &why) const
    {
        throw Refused(Text::tr("%1: \"%2\" %3").arg(m_where, key, why));
    }

    QJsonValue value(const QString &key) const
    {
        QJsonValue v = m_o.value(key);
        if (v.isUndefined())
            refuse(key, Text::tr("is missing"));
        return v;
    }
    QString text(const QString &key) const
    {
        const QJsonValue v = value(key);
        if (!v.isString())
            refuse(key, Text::tr("is not a text"));
        return v.toString();
    }
    qint64 integer(const QString &key, qint64 low, qint64 high) const
    {
        const QJsonValue v = value(key);
        const double d = v.toDouble(std::nan(""));
        if (!v.isDouble() || !std::isfinite(d) || std::floor(d) != d || d < static_cast<double>(low) ||
            d > static_cast<double>(high))
            refuse(key, Text::tr("is not a whole number from %1 to %2").arg(low).arg(high));
        return static_cast<qint64>(d);
    }
    calc::Money money(const QString &key) const
    {
        const std::optional<calc::Extended> v = text::toFloat(text(key), dotLocale());
        if (!v || !std::isfinite(*v) || *v < 0 || *v > 1e12L)
            refuse(key, QCoreApplication::translate("accrua::planner::PlanFile", "is not an amount"));
        return calc::RoundToCents(*v);
    }
    calc::Extended rate(const QString &key) const
    {
        const std::optional<calc::Extended> v = text::toFloat(text(key), dotLocale());
        if (!v || !std::isfinite(*v) || *v < 0 || *v > 1000)
            refuse(key,
                   QCoreApplication::translate("accrua::planner::PlanFile", "is not a rate from 0 to 1000"));
        return *v;
    }
    QDate date(const QString &key, bool optional) const
    {
        const QString t = text(key);
        if (optional && t.isEmpty())
            return {};
        const QDate d = QDate::fromString(t, Qt::ISODate);
        if (!d.isValid() || d.year() < 1 || d.year() > 9999)
            refuse(key, Text::tr("is not a date"));
        return d;
    }
    QJsonArray array(const QString &key) const
    {
        const QJsonValue v = value(key);
        if (!v.isArray())
            refuse(key, Text::tr("is not a list"));
        QJsonArray a = v.toArray();
        if (a.size() > kMaxTableRows)
            refuse(key, Text::tr("has more than %1 rows").arg(kMaxTableRows));
        return a;
    }
    template <typename T>
    T choice(const QString &key, const std::vector<std::pair<QString, T>> &choices) const
    {
        const QString t = text(key);
        for (const auto &[name, value] : choices) {
            if (name == t)
                return value;
        }
        refuse(key, Text::tr("has an unknown value"));
    }
    FieldReader row(const QJsonArray &array, int index, const QString &key) const
    {
        const QJsonValue v = array.at(index);
        if (!v.isObject())
            refuse(key, Text::tr("row %1 is not an object").arg(index + 1));
        return FieldReader(v.toObject(), Text::tr("%1, \"%2\" row %3").arg(m_where, key).arg(index + 1));
    }

private:
    QJsonObject m_o;
    QString m_where;
};

constexpr qint64 kMaxCount = calc::kMaxPayments;

Scenario readScenario(const FieldReader &f)
{
    Scenario s;
    s.name = f.text(QStringLiteral("name")).trimmed();
    if (const QString why = nameProblem(s.name); !why.isEmpty())
        f.refuse(QStringLiteral("name"), Text::tr("is not a scenario name"));
    ScenarioInputs &in = s.inputs;
    in.principal = f.money(QStringLiteral("principal"));
    in.ratePercent = f.rate(QStringLiteral("rate"));
    in.termKind =
        f.choice<TermKind>(QStringLiteral("term"), {{QStringLiteral("years"), TermKind::YearsMonths},
                                                    {QStringLiteral("payments"), TermKind::Payments},
                                                    {QStringLiteral("payment"), TermKind::FixedPayment}});
    in.years = static_cast<int>(f.integer(QStringLiteral("years"), 0, 1000));
    in.months = static_cast<int>(f.integer(QStringLiteral("months"), 0, 11));
    in.payments = f.integer(QStringLiteral("payments"), 0, kMaxCount);
    in.fixedPayment = f.money(QStringLiteral("fixedPayment"));
    std::vector<std::pair<QString, calc::Frequency>> frequencies;
    frequencies.reserve(calc::kFrequencies.size());
    for (calc::Frequency fr : calc::kFrequencies)
        frequencies.emplace_back(QString::fromLatin1(calc::frequencyName(fr)), fr);
    in.frequency = f.choice(QStringLiteral("frequency"), frequencies);
    const std::vector<int> compoundingList = compoundingChoices();
    std::vector<std::pair<QString, int>> compoundings;
    compoundings.reserve(compoundingList.size());
    for (int c : compoundingList)
        compoundings.emplace_back(QString::fromLatin1(calc::compoundingName(c)), c);
    in.compounding = f.choice(QStringLiteral("compounding"), compoundings);
    in.repayment = f.choice<calc::Repayment>(
        QStringLiteral("repayment"), {{QStringLiteral("annuity"), calc::Repayment::Annuity},
                                      {QStringLiteral("equal-principal"), calc::Repayment::EqualPrincipal}});
    in.interestOnly = f.integer(QStringLiteral("interestOnly"), 0, kMaxCount);
    in.amortizePayments = f.integer(QStringLiteral("amortizePayments"), 0, kMaxCount);
    in.balloon = f.money(QStringLiteral("balloon"));
    const QJsonArray extras = f.array(QStringLiteral("extras"));
    for (int i = 0; i < extras.size(); ++i) {
        const FieldReader r = f.row(extras, i, QStringLiteral("extras"));
        in.extras.push_back(ExtraRow{r.integer(QStringLiteral("from"), 0, kMaxCount),
                                     r.money(QStringLiteral("amount")),
                                     r.integer(QStringLiteral("every"), 0, kMaxCount)});
    }
    const QJsonArray lumps = f.array(QStringLiteral("lumps"));
    for (int i = 0; i < lumps.size(); ++i) {
        const FieldReader r = f.row(lumps, i, QStringLiteral("lumps"));
        in.lumps.push_back(
            LumpRow{r.integer(QStringLiteral("payment"), 0, kMaxCount), r.money(QStringLiteral("amount"))});
    }
    const QJsonArray rates = f.array(QStringLiteral("rateChanges"));
    for (int i = 0; i < rates.size(); ++i) {
        const FieldReader r = f.row(rates, i, QStringLiteral("rateChanges"));
        in.rateChanges.push_back(
            RateRow{r.integer(QStringLiteral("from"), 0, kMaxCount), r.rate(QStringLiteral("rate"))});
    }
    in.extraMode = f.choice<calc::ExtraMode>(
        QStringLiteral("extraMode"), {{QStringLiteral("shorten"), calc::ExtraMode::Shorten},
                                      {QStringLiteral("lower-payment"), calc::ExtraMode::LowerPayment}});
    in.fee = f.money(QStringLiteral("fee"));
    in.advance = f.date(QStringLiteral("advance"), false);
    in.firstPayment = f.date(QStringLiteral("firstPayment"), true);
    return s;
}

PlanFileContent refused(const QString &why)
{
    PlanFileContent out;
    out.error = why;
    return out;
}

} // namespace

QByteArray planFileBytes(const Plan &plan)
{
    QJsonArray scenarios;
    for (const Scenario &s : plan.scenarios())
        scenarios.append(scenarioObject(s));
    QJsonObject root;
    root[QStringLiteral("format")] = kFormatName;
    root[QStringLiteral("version")] = kPlanFormatVersion;
    root[QStringLiteral("selected")] = plan.selected();
    root[QStringLiteral("scenarios")] = scenarios;
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

PlanFileContent parsePlanFile(const QByteArray &bytes)
{
    if (bytes.size() > kMaxPlanFileBytes)
        return refused(Text::tr("The file is too large for a plan."));
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return refused(Text::tr("The file is not a loan plan, or it is damaged (%1 at byte %2).")
                           .arg(error.error != QJsonParseError::NoError ? error.errorString()
                                                                        : Text::tr("no JSON object"))
                           .arg(error.offset));
    const QJsonObject root = doc.object();
    if (root.value(QStringLiteral("format")).toString() != kFormatName)
        return refused(Text::tr("The file is not a loan plan."));
    const QJsonValue version = root.value(QStringLiteral("version"));
    const double v = version.toDouble(-1);
    if (!version.isDouble() || std::floor(v) != v || v < 1)
        return refused(Text::tr("The plan file is damaged: its format version is missing or wrong."));
    if (v > kPlanFormatVersion)
        return refused(Text::tr("The plan was saved by a newer version of Accrua (plan format %1); this "
                                "version reads plan format %2 only.")
                           .arg(static_cast<qint64>(std::min(v, 1e15)))
                           .arg(kPlanFormatVersion));
    try {
        const FieldReader top(root, Text::tr("The plan file is damaged"));
        const QJsonArray list = top.array(QStringLiteral("scenarios"));
        if (list.isEmpty() || list.size() > kMaxScenarios)
            top.refuse(QStringLiteral("scenarios"),
                       Text::tr("must hold 1 to %1 scenarios").arg(kMaxScenarios));
        PlanFileContent out;
        for (int i = 0; i < list.size(); ++i) {
            if (!list.at(i).isObject())
                top.refuse(QStringLiteral("scenarios"), Text::tr("entry %1 is not an object").arg(i + 1));
            const FieldReader f(list.at(i).toObject(),
                                Text::tr("The plan file is damaged: scenario %1").arg(i + 1));
            Scenario s = readScenario(f);
            for (const Scenario &before : out.scenarios) {
                if (before.name.compare(s.name, Qt::CaseInsensitive) == 0)
                    f.refuse(QStringLiteral("name"), Text::tr("repeats the name of another scenario"));
            }
            out.scenarios.push_back(std::move(s));
        }
        out.selected = root.contains(QStringLiteral("selected"))
                           ? static_cast<int>(top.integer(QStringLiteral("selected"), 0, list.size() - 1))
                           : 0;
        return out;
    } catch (const Refused &r) {
        return refused(QString::fromStdString(r.what()) + u'.');
    }
}

QString planFileFilter()
{
    return Text::tr("Loan Plan (*.accrua-plan)");
}

PlanFileContent readPlanFile(const QString &path)
{
    QFile file(path);
    QString why;
    if (!fileio::openRegularForReading(file, QIODevice::ReadOnly, &why))
        return refused(Text::tr("%1 cannot be opened: %2").arg(path, why));
    if (file.size() > kMaxPlanFileBytes)
        return refused(Text::tr("The file is too large for a plan."));
    const QByteArray bytes = file.read(kMaxPlanFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return refused(Text::tr("%1 cannot be read: %2").arg(path, file.errorString()));
    return parsePlanFile(bytes);
}

std::optional<QString> writePlanFile(const QString &path, const Plan &plan)
{
    return fileio::writeFile(path, planFileBytes(plan));
}

} // namespace accrua::planner
