// The output buffer's JSON and text against Qt's own writers, on seeded
// random texts full of what needs care: quotes, backslashes, control
// characters, non-ASCII letters, surrogate pairs and lone surrogates.
#include "cli/output.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <random>

namespace {

using accrua::cli::JsonLayout;
using accrua::cli::JsonLine;
using accrua::cli::JsonMessage;
using accrua::cli::OutputBuffer;
using accrua::cli::Report;

QString randomText(std::mt19937 &rng, int maxLength)
{
    static const char16_t pool[] = {
        u'a', u'Z', u'0', u'.', u' ',  u'"',  u'\\',  u'/',   u'\n',  u'\t',  u'\r',  u'\b',  u'\f',  0x01,
        0x1f, 0x7f, 0x80, 0xe9, 0x7ff, 0x800, 0x20ac, 0xfeff, 0xffff, 0xd83d, 0xde00, 0xdbff, 0xdc00, 0x066b};
    std::uniform_int_distribution<int> length(0, maxLength);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(pool) - 1);
    QString s;
    for (int n = length(rng); n > 0; --n)
        s.append(QChar(pool[pick(rng)]));
    return s;
}

QByteArray jsonOfString(const QString &s)
{
    const QByteArray doc = QJsonDocument(QJsonArray{s}).toJson(QJsonDocument::Compact);
    return doc.mid(1, doc.size() - 2);
}

QByteArray bytes(const OutputBuffer &b)
{
    return QByteArray(b.bytes().data(), static_cast<qsizetype>(b.bytes().size()));
}

TEST(Output, JsonStringIsWhatQJsonDocumentWrites)
{
    std::mt19937 rng(14);
    for (int k = 0; k < 3000; ++k) {
        const QString s = randomText(rng, 12);
        OutputBuffer b;
        b.appendJsonString(s);
        ASSERT_EQ(bytes(b), jsonOfString(s)) << k;
    }
}

TEST(Output, TextIsWhatQTextStreamWrites)
{
    std::mt19937 rng(15);
    for (int k = 0; k < 3000; ++k) {
        const QString s = randomText(rng, 12);
        QBuffer device;
        device.open(QIODevice::WriteOnly);
        QTextStream stream(&device);
        // In the output a text is always followed by more (a blank, a line's end).
        stream << s << '\n';
        stream.flush();
        OutputBuffer b;
        b.appendText(s);
        b.append('\n');
        ASSERT_EQ(bytes(b), device.data()) << k;
    }
}

// A report of random fields (unsorted, some names twice), messages with and
// without an answer, and loan or savings rows, written by both writers.
struct Sample {
    Report report;
    std::vector<accrua::calc::TPaymentObj> loan;
    std::vector<accrua::calc::TSavingsObj> savings;
    std::vector<JsonMessage> messages;
};

accrua::calc::ShortText shortText(std::mt19937 &rng)
{
    const QString s = randomText(rng, 20);
    accrua::calc::ShortText t;
    t.length = static_cast<std::uint8_t>(s.size());
    std::copy(s.utf16(), s.utf16() + s.size(), t.chars);
    return t;
}

QString qstring(const accrua::calc::ShortText &t)
{
    return QString(reinterpret_cast<const QChar *>(t.chars), t.length);
}

Sample randomSample(std::mt19937 &rng)
{
    Sample s;
    std::uniform_int_distribution<int> count(0, 5);
    for (int n = count(rng) + count(rng); n > 0; --n) {
        const QString name =
            n % 4 == 0 && !s.report.fields.empty() ? s.report.fields.front().first : randomText(rng, 6);
        s.report.fields.emplace_back(name, randomText(rng, 8));
    }
    for (int n = count(rng); n > 0; --n)
        s.messages.push_back(
            {randomText(rng, 4), randomText(rng, 10), n % 2 ? QStringLiteral("yes") : QString()});
    s.report.savings = count(rng) % 2 == 0;
    for (int n = count(rng) * 3; n > 0; --n) {
        if (s.report.savings)
            s.savings.push_back({{}, {}, shortText(rng), shortText(rng)});
        else
            s.loan.push_back({{}, {}, 0, {}, shortText(rng), shortText(rng), shortText(rng), shortText(rng)});
    }
    s.report.loanRows = s.loan;
    s.report.savingsRows = s.savings;
    return s;
}

QJsonObject qtDocument(const Sample &s, bool withRows)
{
    QJsonObject fields;
    for (const auto &[name, text] : s.report.fields)
        fields.insert(name, text);
    QJsonArray messages;
    for (const JsonMessage &m : s.messages) {
        QJsonObject o{{QStringLiteral("kind"), m.kind}, {QStringLiteral("text"), m.text}};
        if (!m.answer.isEmpty())
            o.insert(QStringLiteral("answer"), m.answer);
        messages.append(o);
    }
    QJsonArray rows;
    for (const auto &r : s.loan)
        rows.append(QJsonObject{{QStringLiteral("payment"), qstring(r.PaymentText)},
                                {QStringLiteral("principal"), qstring(r.PrincipalText)},
                                {QStringLiteral("interest"), qstring(r.InterestText)},
                                {QStringLiteral("balance"), qstring(r.BalanceText)}});
    for (const auto &r : s.savings)
        rows.append(QJsonObject{{QStringLiteral("interest"), qstring(r.InterestText)},
                                {QStringLiteral("balance"), qstring(r.BalanceText)}});
    QJsonObject doc{{QStringLiteral("fields"), fields}, {QStringLiteral("messages"), messages}};
    if (withRows)
        doc.insert(QStringLiteral("rows"), rows);
    return doc;
}

TEST(Output, IndentedJsonIsWhatQJsonDocumentWrites)
{
    std::mt19937 rng(16);
    for (int k = 0; k < 400; ++k) {
        const Sample s = randomSample(rng);
        OutputBuffer b;
        accrua::cli::writeJson(b, s.report, s.messages, JsonLayout::Indented);
        ASSERT_EQ(bytes(b).toStdString(),
                  QJsonDocument(qtDocument(s, true)).toJson(QJsonDocument::Indented).toStdString())
            << k;
    }
}

TEST(Output, JsonLineIsWhatQJsonDocumentWritesCompact)
{
    std::mt19937 rng(17);
    const QJsonValue ids[] = {QJsonValue(QJsonValue::Undefined),
                              QJsonValue(),
                              QJsonValue(QStringLiteral("a\"1")),
                              QJsonValue(42),
                              QJsonValue(2.5),
                              QJsonValue(QJsonArray{1, QStringLiteral("x")})};
    for (int k = 0; k < 400; ++k) {
        const Sample s = randomSample(rng);
        JsonLine line;
        line.exit = k % 3;
        line.withRows = k % 2 == 0;
        const QJsonValue &id = ids[k % std::size(ids)];
        QJsonObject expected = qtDocument(s, line.withRows);
        expected.insert(QStringLiteral("exit"), line.exit);
        if (!id.isUndefined()) {
            expected.insert(QStringLiteral("id"), id);
            const QByteArray idText = QJsonDocument(QJsonArray{id}).toJson(QJsonDocument::Compact);
            line.id = idText.mid(1, idText.size() - 2).toStdString();
        }
        OutputBuffer b;
        accrua::cli::writeJson(b, s.report, s.messages, JsonLayout::Line, line);
        ASSERT_EQ(bytes(b).toStdString(),
                  QJsonDocument(expected).toJson(QJsonDocument::Compact).toStdString() + '\n')
            << k;
    }
}

} // namespace
