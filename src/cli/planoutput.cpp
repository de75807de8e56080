#include "cli/planoutput.h"

#include "calc/format.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>

namespace accrua::cli {

using calc::Extended;
using calc::Money;

namespace {

void appendMoney(OutputBuffer &b, Money m)
{
    b.appendText(calc::formatMoneyText(m, u'.').view());
}

void appendPercent6(OutputBuffer &b, Extended fraction)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.6Lf", fraction * 100);
    b.append(text);
}

void appendDate(OutputBuffer &b, const calc::Date &d)
{
    // Rows carry thousands of dates: digits by hand, not through printf.
    char text[16];
    std::size_t n = 0;
    if (d.year > 9999)
        n = static_cast<std::size_t>(std::snprintf(text, sizeof text, "%d", d.year / 10000));
    const unsigned y = static_cast<unsigned>(d.year % 10000);
    for (const unsigned v : {y / 1000, y / 100 % 10, y / 10 % 10, y % 10})
        text[n++] = static_cast<char>('0' + v);
    text[n++] = '-';
    text[n++] = static_cast<char>('0' + d.month / 10);
    text[n++] = static_cast<char>('0' + d.month % 10);
    text[n++] = '-';
    text[n++] = static_cast<char>('0' + d.day / 10);
    text[n++] = static_cast<char>('0' + d.day % 10);
    b.append(std::string_view(text, n));
}

// The rate of each row, written once for each run of rows that share it.
class RateTexts {
public:
    void append(OutputBuffer &b, Extended ratePercent)
    {
        if (!m_valid || ratePercent != m_rate) {
            m_rate = ratePercent;
            m_text = calc::formatGeneral(ratePercent, u'.');
            m_valid = true;
        }
        b.appendText(std::u16string_view(m_text));
    }

private:
    Extended m_rate = 0;
    std::u16string m_text;
    bool m_valid = false;
};

void appendGeneral(OutputBuffer &b, Extended v)
{
    const std::u16string text = calc::formatGeneral(v, u'.');
    b.appendText(std::u16string_view(text));
}

// JSON in the layout the other commands use: indented by four, or one line.
class JsonWriter {
public:
    JsonWriter(OutputBuffer &b, bool indented) : m_b(b), m_indented(indented) {}

    void open(char c)
    {
        m_b.append(c);
        ++m_depth;
        m_first = true;
    }
    void close(char c)
    {
        --m_depth;
        if (!m_first)
            newline();
        m_b.append(c);
        m_first = false;
    }
    void key(const char *name)
    {
        item();
        m_b.append('"');
        m_b.append(name);
        m_b.append(m_indented ? "\": " : "\":");
    }
    void item()
    {
        if (!m_first)
            m_b.append(',');
        newline();
        m_first = false;
    }
    template <class Write> void text(const char *name, Write &&write)
    {
        key(name);
        m_b.append('"');
        write(m_b);
        m_b.append('"');
    }
    void money(const char *name, Money m)
    {
        text(name, [m](OutputBuffer &b) { appendMoney(b, m); });
    }
    void number(const char *name, long long n)
    {
        key(name);
        m_b.appendNumber(n);
    }
    OutputBuffer &buffer() { return m_b; }

private:
    void newline()
    {
        if (!m_indented)
            return;
        m_b.append('\n');
        m_b.appendSpaces(qsizetype{4} * m_depth);
    }

    OutputBuffer &m_b;
    bool m_indented;
    int m_depth = 0;
    bool m_first = true;
};

void openLine(JsonWriter &j, const JsonLine *line)
{
    j.open('{');
    if (!line)
        return;
    j.number("exit", line->exit);
    if (!line->id.empty()) {
        j.key("id");
        j.buffer().append(line->id);
    }
}

} // namespace

void planJson(OutputBuffer &b, const calc::PlanResult &p, const JsonLine *line)
{
    JsonWriter j(b, line == nullptr);
    openLine(j, line);
    j.money("payment", p.payment);
    j.number("payments", p.payments);
    j.money("lastPayment", p.lastPayment);
    j.text("periodicRate", [&p](OutputBuffer &o) { appendGeneral(o, p.periodicRate); });
    j.money("totalPaid", p.totals.paid);
    j.money("totalInterest", p.totals.interest);
    j.money("totalPrincipal", p.totals.principal);
    j.money("totalExtra", p.totals.extra);
    j.text("payoff", [&p](OutputBuffer &o) { appendDate(o, p.payoff); });
    j.key("crossover");
    if (p.crossover > 0)
        b.appendNumber(p.crossover);
    else
        b.append("null");
    j.text("apr", [&p](OutputBuffer &o) { appendPercent6(o, p.apr.rate); });
    j.text("aprc", [&p](OutputBuffer &o) { appendPercent6(o, p.aprc.rate); });
    if (p.hasBaseline) {
        j.key("baseline");
        j.open('{');
        j.number("payments", p.baselinePayments);
        j.money("totalInterest", p.baselineInterest);
        j.close('}');
        j.key("saved");
        j.open('{');
        j.money("interest", p.savedInterest);
        j.number("payments", p.savedPayments);
        j.close('}');
    }
    if (!line || line->withRows) {
        j.key("rows");
        j.open('[');
        RateTexts rates;
        for (const calc::PlanRow &row : p.rows) {
            j.item();
            j.open('{');
            j.number("n", row.number);
            j.text("date", [&row](OutputBuffer &o) { appendDate(o, row.date); });
            j.text("rate", [&row, &rates](OutputBuffer &o) { rates.append(o, row.ratePercent); });
            j.money("payment", row.payment);
            j.money("interest", row.interest);
            j.money("principal", row.principal);
            j.money("extra", row.extra);
            j.money("balance", row.balance);
            j.close('}');
        }
        j.close(']');
    }
    j.key("messages");
    j.open('[');
    for (const std::string &note : p.notes) {
        j.item();
        j.open('{');
        j.text("kind", [](OutputBuffer &o) { o.append("information"); });
        j.key("text");
        b.appendJsonString(QString::fromStdString(note));
        j.close('}');
    }
    j.close(']');
    j.close('}');
    b.append('\n');
}

QByteArray planCsv(const calc::PlanResult &p)
{
    OutputBuffer b;
    b.reserve(64 * (p.rows.size() + 1));
    b.append("n,date,rate,payment,interest,principal,extra,balance\n");
    RateTexts rates;
    for (const calc::PlanRow &row : p.rows) {
        b.appendNumber(row.number);
        b.append(',');
        appendDate(b, row.date);
        b.append(',');
        rates.append(b, row.ratePercent);
        for (const Money m : {row.payment, row.interest, row.principal, row.extra, row.balance}) {
            b.append(',');
            appendMoney(b, m);
        }
        b.append('\n');
    }
    return QByteArray::fromStdString(b.bytes());
}

namespace {

// A label, padded, and its value: the table's "Label:    value" lines.
void labelled(OutputBuffer &b, std::string_view label, const std::function<void(OutputBuffer &)> &value)
{
    constexpr qsizetype kWidth = 28;
    b.append(label);
    b.append(':');
    b.appendSpaces(kWidth - static_cast<qsizetype>(label.size()) - 1);
    value(b);
    b.append('\n');
}

void labelledMoney(OutputBuffer &b, std::string_view label, Money m)
{
    labelled(b, label, [m](OutputBuffer &o) { appendMoney(o, m); });
}

void labelledNumber(OutputBuffer &b, std::string_view label, long long n)
{
    labelled(b, label, [n](OutputBuffer &o) { o.appendNumber(n); });
}

std::string moneyString(Money m)
{
    const calc::ShortText t = calc::formatMoneyText(m, u'.');
    return std::string(t.view().begin(), t.view().end());
}

// The Truth in Lending box: APR to two decimals, finance charge, amount
// financed, total of payments.
void disclosureBox(OutputBuffer &b, Extended apr, Money financeCharge, Money financed, Money total)
{
    char aprText[32];
    std::snprintf(aprText, sizeof aprText, "%.2Lf %%", apr * 100);
    const std::string cells[4][2] = {
        {"ANNUAL PERCENTAGE RATE", aprText},
        {"FINANCE CHARGE", moneyString(financeCharge)},
        {"Amount Financed", moneyString(financed)},
        {"Total of Payments", moneyString(total)},
    };
    const auto rule = [&b] {
        for (int k = 0; k < 4; ++k) {
            b.append('+');
            b.append(std::string(24, '-'));
        }
        b.append("+\n");
    };
    rule();
    for (int line = 0; line < 2; ++line) {
        for (const auto &cell : cells) {
            b.append("| ");
            b.append(cell[line]);
            b.appendSpaces(22 - static_cast<qsizetype>(cell[line].size()));
            b.append(' ');
        }
        b.append("|\n");
    }
    rule();
}

} // namespace

void planTable(OutputBuffer &b, const calc::PlanRequest &r, const calc::PlanResult &p)
{
    labelledMoney(b, "Principal", r.principal);
    labelled(b, "Annual rate (%)", [&r](OutputBuffer &o) { appendGeneral(o, r.ratePercent); });
    labelled(b, "Payments", [&r](OutputBuffer &o) { o.append(calc::frequencyName(r.frequency)); });
    labelled(b, "Compounding", [&r](OutputBuffer &o) { o.append(calc::compoundingName(r.compounding)); });
    labelled(b, "Repayment", [&r](OutputBuffer &o) {
        o.append(r.repayment == calc::Repayment::Annuity ? "annuity" : "equal-principal");
    });
    if (r.fixedPayment)
        labelledMoney(b, "Fixed payment", *r.fixedPayment);
    else
        labelledNumber(b, "Term (payments)", r.payments);
    if (r.interestOnly > 0)
        labelledNumber(b, "Interest-only payments", r.interestOnly);
    if (r.amortizePayments > 0)
        labelledNumber(b, "Amortized over (payments)", r.amortizePayments);
    if (r.balloon.count > 0)
        labelledMoney(b, "Balloon", r.balloon);
    if (r.extra) {
        labelled(b, "Extra payment", [&r](OutputBuffer &o) {
            appendMoney(o, r.extra->amount);
            o.append(" from payment ");
            o.appendNumber(r.extra->from);
            o.append(" every ");
            o.appendNumber(r.extra->every);
        });
    }
    for (const calc::LumpSum &l : r.lumps) {
        labelled(b, "Lump sum", [&l](OutputBuffer &o) {
            appendMoney(o, l.amount);
            o.append(" with payment ");
            o.appendNumber(l.payment);
        });
    }
    if (r.extra || !r.lumps.empty()) {
        labelled(b, "Extra mode", [&r](OutputBuffer &o) {
            o.append(r.extraMode == calc::ExtraMode::Shorten ? "shorten" : "lower-payment");
        });
    }
    for (const calc::RateChange &c : r.rateChanges) {
        labelled(b, "Rate change (%)", [&c](OutputBuffer &o) {
            appendGeneral(o, c.ratePercent);
            o.append(" from payment ");
            o.appendNumber(c.from);
        });
    }
    if (r.fee.count > 0)
        labelledMoney(b, "Prepaid fee", r.fee);
    labelled(b, "Advance", [&r](OutputBuffer &o) { appendDate(o, r.advance); });
    b.append('\n');

    labelledMoney(b, "Payment", p.payment);
    labelledNumber(b, "Number of payments", p.payments);
    labelledMoney(b, "Last payment", p.lastPayment);
    labelledMoney(b, "Total paid", p.totals.paid);
    labelledMoney(b, "Total interest", p.totals.interest);
    labelledMoney(b, "Total principal", p.totals.principal);
    labelledMoney(b, "Total extra", p.totals.extra);
    labelled(b, "Payoff", [&p](OutputBuffer &o) { appendDate(o, p.payoff); });
    labelled(b, "Periodic rate", [&p](OutputBuffer &o) { appendGeneral(o, p.periodicRate); });
    labelled(b, "Crossover payment", [&p](OutputBuffer &o) {
        if (p.crossover > 0)
            o.appendNumber(p.crossover);
        else
            o.append("none");
    });
    labelled(b, "APR, US (%)", [&p](OutputBuffer &o) { appendPercent6(o, p.apr.rate); });
    labelled(b, "APRC, EU (%)", [&p](OutputBuffer &o) { appendPercent6(o, p.aprc.rate); });
    if (p.hasBaseline) {
        labelledNumber(b, "Without extras: payments", p.baselinePayments);
        labelledMoney(b, "Without extras: interest", p.baselineInterest);
        labelledMoney(b, "Interest saved", p.savedInterest);
        labelledNumber(b, "Payments saved", p.savedPayments);
    }
    for (const std::string &note : p.notes) {
        b.append("Note: ");
        b.append(note);
        b.append('\n');
    }
    b.append('\n');
    const Money financed = r.principal - r.fee;
    disclosureBox(b, p.apr.rate, p.totals.paid - financed, financed, p.totals.paid);
    b.append('\n');

    // The rows, right-aligned under their headings.
    static constexpr const char *kHeads[] = {"N",        "DATE",      "RATE",  "PAYMENT",
                                             "INTEREST", "PRINCIPAL", "EXTRA", "BALANCE"};
    std::vector<std::array<std::string, 8>> cells;
    cells.reserve(p.rows.size());
    RateTexts rates;
    std::array<std::size_t, 8> width{};
    for (int k = 0; k < 8; ++k)
        width[static_cast<std::size_t>(k)] = std::char_traits<char>::length(kHeads[k]);
    for (const calc::PlanRow &row : p.rows) {
        OutputBuffer f;
        std::array<std::string, 8> c;
        c[0] = std::to_string(row.number);
        appendDate(f, row.date);
        c[1] = f.bytes();
        f.clear();
        rates.append(f, row.ratePercent);
        c[2] = f.bytes();
        std::size_t k = 3;
        for (const Money m : {row.payment, row.interest, row.principal, row.extra, row.balance})
            c[k++] = moneyString(m);
        for (std::size_t j = 0; j < 8; ++j)
            width[j] = std::max(width[j], c[j].size());
        cells.push_back(std::move(c));
    }
    const auto line = [&b, &width](const auto &texts) {
        for (std::size_t j = 0; j < 8; ++j) {
            const std::string_view t = texts[j];
            b.appendSpaces(static_cast<qsizetype>(width[j] - t.size()) + (j ? 2 : 0));
            b.append(t);
        }
        b.append('\n');
    };
    std::array<std::string_view, 8> heads;
    for (std::size_t j = 0; j < 8; ++j)
        heads[j] = kHeads[j];
    line(heads);
    for (const auto &c : cells)
        line(c);
}

void aprJson(OutputBuffer &b, const AprFigures &f, const JsonLine *line)
{
    JsonWriter j(b, line == nullptr);
    openLine(j, line);
    j.text("apr", [&f](OutputBuffer &o) { appendPercent6(o, f.apr); });
    j.text("aprc", [&f](OutputBuffer &o) { appendPercent6(o, f.aprc); });
    j.money("amountFinanced", f.financed);
    j.money("financeCharge", f.total - f.financed);
    j.money("totalOfPayments", f.total);
    j.close('}');
    b.append('\n');
}

void aprTable(OutputBuffer &b, const AprFigures &f)
{
    labelledMoney(b, "Amount financed", f.financed);
    labelledMoney(b, "Finance charge", f.total - f.financed);
    labelledMoney(b, "Total of payments", f.total);
    labelled(b, "APR, US (%)", [&f](OutputBuffer &w) { appendPercent6(w, f.apr); });
    labelled(b, "APRC, EU (%)", [&f](OutputBuffer &w) { appendPercent6(w, f.aprc); });
    b.append('\n');
    disclosureBox(b, f.apr, f.total - f.financed, f.financed, f.total);
}

} // namespace accrua::cli
