#include "cli/output.h"

#include <QIODevice>
#include <QStringEncoder>

#include <algorithm>
#include <array>
#include <charconv>
#include <numeric>

namespace accrua::cli {

namespace {

bool isAscii(const char16_t *chars, qsizetype size)
{
    for (qsizetype k = 0; k < size; ++k)
        if (chars[k] >= 0x80)
            return false;
    return true;
}

char hexDigit(unsigned v)
{
    return static_cast<char>(v < 10 ? '0' + v : 'a' + (v - 10));
}

} // namespace

void OutputBuffer::appendSpaces(qsizetype count)
{
    if (count > 0)
        m_bytes.append(static_cast<std::size_t>(count), ' ');
}

void OutputBuffer::appendText(std::u16string_view text)
{
    const auto size = static_cast<qsizetype>(text.size());
    if (isAscii(text.data(), size)) {
        const std::size_t at = m_bytes.size();
        m_bytes.resize(at + text.size());
        std::transform(text.begin(), text.end(), m_bytes.begin() + static_cast<std::ptrdiff_t>(at),
                       [](char16_t c) { return static_cast<char>(c); });
        return;
    }
    // The encoder QTextStream uses, so that anything unusual (a lone
    // surrogate) comes out as it would.
    QStringEncoder encoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QByteArray utf8 = encoder(QStringView(text.data(), size));
    m_bytes.append(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

void OutputBuffer::appendText(QStringView text)
{
    appendText(std::u16string_view(text.utf16(), static_cast<std::size_t>(text.size())));
}

void OutputBuffer::appendJsonString(std::u16string_view text)
{
    m_bytes.push_back('"');
    const std::size_t n = text.size();
    for (std::size_t k = 0; k < n; ++k) {
        // Amounts and most texts are plain ASCII throughout: copied in runs.
        std::size_t plain = k;
        while (plain < n && text[plain] >= 0x20 && text[plain] < 0x80 && text[plain] != u'"' &&
               text[plain] != u'\\')
            ++plain;
        if (plain > k) {
            const std::size_t at = m_bytes.size();
            m_bytes.resize(at + (plain - k));
            for (std::size_t j = k; j < plain; ++j)
                m_bytes[at + (j - k)] = static_cast<char>(text[j]);
            k = plain;
            if (k == n)
                break;
        }
        const char16_t c = text[k];
        if (c < 0x80) {
            if (c >= 0x20 && c != u'"' && c != u'\\') {
                m_bytes.push_back(static_cast<char>(c));
                continue;
            }
            m_bytes.push_back('\\');
            switch (c) {
            case u'"':
                m_bytes.push_back('"');
                break;
            case u'\\':
                m_bytes.push_back('\\');
                break;
            case u'\b':
                m_bytes.push_back('b');
                break;
            case u'\f':
                m_bytes.push_back('f');
                break;
            case u'\n':
                m_bytes.push_back('n');
                break;
            case u'\r':
                m_bytes.push_back('r');
                break;
            case u'\t':
                m_bytes.push_back('t');
                break;
            default:
                m_bytes.append("u00");
                m_bytes.push_back(hexDigit(c >> 4));
                m_bytes.push_back(hexDigit(c & 0xf));
            }
        } else if (c < 0x800) {
            m_bytes.push_back(static_cast<char>(0xc0 | (c >> 6)));
            m_bytes.push_back(static_cast<char>(0x80 | (c & 0x3f)));
        } else if (c < 0xd800 || c > 0xdfff) {
            m_bytes.push_back(static_cast<char>(0xe0 | (c >> 12)));
            m_bytes.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3f)));
            m_bytes.push_back(static_cast<char>(0x80 | (c & 0x3f)));
        } else if (c < 0xdc00 && k + 1 < n && text[k + 1] >= 0xdc00 && text[k + 1] <= 0xdfff) {
            const char32_t u = 0x10000 + ((char32_t(c) - 0xd800) << 10) + (char32_t(text[k + 1]) - 0xdc00);
            ++k;
            m_bytes.push_back(static_cast<char>(0xf0 | (u >> 18)));
            m_bytes.push_back(static_cast<char>(0x80 | ((u >> 12) & 0x3f)));
            m_bytes.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3f)));
            m_bytes.push_back(static_cast<char>(0x80 | (u & 0x3f)));
        } else {
            // A lone surrogate has no UTF-8 form: JSON's own escape keeps it.
            m_bytes.append("\\u");
            for (int shift = 12; shift >= 0; shift -= 4)
                m_bytes.push_back(hexDigit((c >> shift) & 0xf));
        }
    }
    m_bytes.push_back('"');
}

void OutputBuffer::appendJsonString(QStringView text)
{
    appendJsonString(std::u16string_view(text.utf16(), static_cast<std::size_t>(text.size())));
}

void OutputBuffer::appendNumber(long long value)
{
    std::array<char, 24> digits{};
    const auto [end, ec] = std::to_chars(digits.data(), digits.data() + digits.size(), value);
    m_bytes.append(digits.data(), end);
}

bool writeOut(QTextStream &out, const OutputBuffer &buffer)
{
    const std::string &bytes = buffer.bytes();
    QIODevice *device = out.device();
    if (!device) {
        out << QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
        return out.status() == QTextStream::Ok;
    }
    // What the stream still holds goes first, so the order stays as written.
    out.flush();
    const char *p = bytes.data();
    auto left = static_cast<qint64>(bytes.size());
    while (left > 0) {
        const qint64 written = device->write(p, left);
        if (written <= 0) {
            out.setStatus(QTextStream::WriteFailed);
            return false;
        }
        p += written;
        left -= written;
    }
    return out.status() == QTextStream::Ok;
}

namespace {

int widthOf(const calc::ShortText &t)
{
    return t.length;
}

int digitCount(std::size_t n)
{
    int d = 1;
    for (; n >= 10; n /= 10)
        ++d;
    return d;
}

void padLeft(OutputBuffer &out, const calc::ShortText &cell, int width)
{
    out.appendSpaces(width - cell.length);
    out.appendText(cell.view());
}

template <std::size_t N, class Row>
void writeRows(OutputBuffer &out, std::span<const Row> rows, const std::array<std::string_view, N> &headings,
               const std::array<const calc::ShortText Row::*, N> &cells)
{
    std::array<int, N + 1> widths{};
    widths[0] = std::max(3, digitCount(rows.size()));
    for (std::size_t c = 0; c < N; ++c)
        widths[c + 1] = static_cast<int>(headings[c].size());
    for (const Row &r : rows)
        for (std::size_t c = 0; c < N; ++c)
            widths[c + 1] = std::max(widths[c + 1], widthOf(r.*cells[c]));

    out.append('\n');
    out.appendSpaces(widths[0] - 3);
    out.append("PMT");
    for (std::size_t c = 0; c < N; ++c) {
        out.appendSpaces(2 + widths[c + 1] - static_cast<int>(headings[c].size()));
        out.append(headings[c]);
    }
    out.append('\n');

    std::array<char, 24> number{};
    std::size_t k = 0;
    for (const Row &r : rows) {
        const auto [end, ec] = std::to_chars(number.data(), number.data() + number.size(), ++k);
        const auto length = static_cast<int>(end - number.data());
        out.appendSpaces(widths[0] - length);
        out.append(std::string_view(number.data(), static_cast<std::size_t>(length)));
        for (std::size_t c = 0; c < N; ++c) {
            out.append("  ");
            padLeft(out, r.*cells[c], widths[c + 1]);
        }
        out.append('\n');
    }
}

} // namespace

void writeTable(OutputBuffer &out, const Report &report)
{
    qsizetype width = 0;
    for (const auto &f : report.labelled)
        width = std::max(width, f.first.size());
    for (const auto &[label, text] : report.labelled) {
        out.appendText(label);
        out.appendSpaces(width + 1 - label.size());
        out.appendText(text);
        out.append('\n');
    }
    if (report.rowCount() == 0)
        return;
    out.reserve(out.size() + report.rowCount() * 64);
    using P = calc::TPaymentObj;
    using S = calc::TSavingsObj;
    if (report.savings)
        writeRows<2, S>(out, report.savingsRows, {"INTEREST", "BALANCE"},
                        {&S::InterestText, &S::BalanceText});
    else
        writeRows<4, P>(out, report.loanRows, {"PAYMENT", "PRINCIPAL", "INTEREST", "BALANCE"},
                        {&P::PaymentText, &P::PrincipalText, &P::InterestText, &P::BalanceText});
}

std::vector<JsonMessage> jsonMessages(const desktop::ScriptedMessageService &messages)
{
    std::vector<JsonMessage> list;
    list.reserve(messages.shown().size());
    for (const auto &shown : messages.shown()) {
        JsonMessage m{
            shown.errorReport ? QStringLiteral("error") : desktop::kindName(shown.kind), shown.text, {}};
        if (shown.buttons.testFlag(desktop::MessageButton::Yes) ||
            shown.buttons.testFlag(desktop::MessageButton::No))
            m.answer = shown.answer == desktop::mrYes ? QStringLiteral("yes") : QStringLiteral("no");
        list.push_back(std::move(m));
    }
    return list;
}

namespace {

// The punctuation of the two layouts: indented as QJsonDocument::Indented
// writes it (four blanks a level), or one line without blanks.
struct Layout {
    bool indented;

    void open(OutputBuffer &out, char bracket) const
    {
        out.append(bracket);
        if (indented)
            out.append('\n');
    }
    void close(OutputBuffer &out, char bracket, int level) const
    {
        if (indented)
            indent(out, level);
        out.append(bracket);
    }
    void key(OutputBuffer &out, std::string_view name, int level) const
    {
        if (indented)
            indent(out, level);
        out.append('"');
        out.append(name);
        out.append(indented ? "\": " : "\":");
    }
    void key(OutputBuffer &out, const QString &name, int level) const
    {
        if (indented)
            indent(out, level);
        out.appendJsonString(name);
        out.append(indented ? ": " : ":");
    }
    // After an element: a comma unless it was the last, and the line's end.
    void next(OutputBuffer &out, bool last) const
    {
        if (!last)
            out.append(',');
        if (indented)
            out.append('\n');
    }
    void indent(OutputBuffer &out, int level) const { out.appendSpaces(qsizetype{4} * level); }
};

template <std::size_t N, class Row>
void writeJsonRows(OutputBuffer &out, const Layout &l, std::span<const Row> rows,
                   const std::array<std::string_view, N> &keys,
                   const std::array<const calc::ShortText Row::*, N> &cells)
{
    std::size_t k = 0;
    for (const Row &r : rows) {
        l.indent(out, l.indented ? 2 : 0);
        l.open(out, '{');
        for (std::size_t c = 0; c < N; ++c) {
            l.key(out, keys[c], 3);
            out.appendJsonString((r.*cells[c]).view());
            l.next(out, c + 1 == N);
        }
        l.close(out, '}', 2);
        l.next(out, ++k == rows.size());
    }
}

} // namespace

void writeJson(OutputBuffer &out, const Report &report, std::span<const JsonMessage> messages,
               JsonLayout layout, const JsonLine &line)
{
    const Layout l{layout == JsonLayout::Indented};
    const bool batch = layout == JsonLayout::Line;
    // A loan row takes some 190 bytes indented, 100 on one line.
    out.reserve(out.size() + 1024 + report.rowCount() * (l.indented ? 192 : 104));
    l.open(out, '{');
    if (batch) {
        l.key(out, std::string_view("exit"), 1);
        out.appendNumber(line.exit);
        l.next(out, false);
    }

    // A JSON object holds its keys sorted, the last of equal keys winning.
    std::vector<std::size_t> order(report.fields.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return report.fields[a].first < report.fields[b].first;
    });
    std::vector<std::size_t> keys;
    keys.reserve(order.size());
    for (std::size_t k = 0; k < order.size(); ++k)
        if (k + 1 == order.size() || report.fields[order[k + 1]].first != report.fields[order[k]].first)
            keys.push_back(order[k]);
    l.key(out, std::string_view("fields"), 1);
    l.open(out, '{');
    for (std::size_t k = 0; k < keys.size(); ++k) {
        const auto &[name, text] = report.fields[keys[k]];
        l.key(out, name, 2);
        out.appendJsonString(text);
        l.next(out, k + 1 == keys.size());
    }
    l.close(out, '}', 1);
    l.next(out, false);

    if (batch && !line.id.empty()) {
        l.key(out, std::string_view("id"), 1);
        out.append(line.id);
        l.next(out, false);
    }

    const bool withRows = !batch || line.withRows;
    l.key(out, std::string_view("messages"), 1);
    l.open(out, '[');
    for (std::size_t k = 0; k < messages.size(); ++k) {
        const JsonMessage &m = messages[k];
        l.indent(out, l.indented ? 2 : 0);
        l.open(out, '{');
        if (!m.answer.isEmpty()) {
            l.key(out, std::string_view("answer"), 3);
            out.appendJsonString(m.answer);
            l.next(out, false);
        }
        l.key(out, std::string_view("kind"), 3);
        out.appendJsonString(m.kind);
        l.next(out, false);
        l.key(out, std::string_view("text"), 3);
        out.appendJsonString(m.text);
        l.next(out, true);
        l.close(out, '}', 2);
        l.next(out, k + 1 == messages.size());
    }
    l.close(out, ']', 1);
    const bool withOutputs = batch && line.outputs;
    l.next(out, !withRows && !withOutputs);

    if (withOutputs) {
        l.key(out, std::string_view("outputs"), 1);
        out.append('[');
        for (qsizetype k = 0; k < line.outputs->size(); ++k) {
            if (k > 0)
                out.append(',');
            out.appendJsonString(line.outputs->at(k));
        }
        out.append(']');
        l.next(out, !withRows);
    }

    if (withRows) {
        using P = calc::TPaymentObj;
        using S = calc::TSavingsObj;
        l.key(out, std::string_view("rows"), 1);
        l.open(out, '[');
        if (report.savings)
            writeJsonRows<2, S>(out, l, report.savingsRows, {"balance", "interest"},
                                {&S::BalanceText, &S::InterestText});
        else
            writeJsonRows<4, P>(out, l, report.loanRows, {"balance", "interest", "payment", "principal"},
                                {&P::BalanceText, &P::InterestText, &P::PaymentText, &P::PrincipalText});
        l.close(out, ']', 1);
        l.next(out, true);
    }
    l.close(out, '}', 0);
    out.append('\n');
}

QString terminalText(QStringView text)
{
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7f && u <= 0x9f))
            shown += QStringLiteral("\\x%1").arg(static_cast<unsigned>(u), 2, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    return shown;
}

} // namespace accrua::cli
