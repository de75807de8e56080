// What the calculation commands print, written as bytes into one buffer:
// the labelled fields and the numbered schedule as a table, the same as a
// JSON document (--json) or as one JSON line of a batch. Constant texts are
// copied as they are, field texts are encoded once, the row texts are read
// where the calculation left them, and the buffer goes to standard output in
// a few large writes.
#pragma once

#include "calc/format.h"
#include "calc/loan.h"
#include "calc/savings.h"
#include "desktop/messages.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <QTextStream>

#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace accrua::cli {

class OutputBuffer {
public:
    // Bytes as they are: the program's own constant texts (plain ASCII).
    void append(std::string_view bytes) { m_bytes.append(bytes); }
    void append(char c) { m_bytes.push_back(c); }
    void appendSpaces(qsizetype count);
    // A text in UTF-8, as QTextStream writes it.
    void appendText(QStringView text);
    void appendText(std::u16string_view text);
    // A JSON string, quoted and escaped as QJsonDocument writes it.
    void appendJsonString(QStringView text);
    void appendJsonString(std::u16string_view text);
    void appendNumber(long long value);

    const std::string &bytes() const { return m_bytes; }
    std::size_t size() const { return m_bytes.size(); }
    void clear() { m_bytes.clear(); }
    void reserve(std::size_t n) { m_bytes.reserve(n); }

private:
    std::string m_bytes;
};

// Writes the buffer to the stream's device without passing it through the
// stream's encoder (a string stream, as in the tests, gets its text). A
// failed or short write sets the stream's status to WriteFailed and returns
// false.
bool writeOut(QTextStream &out, const OutputBuffer &buffer);

// A text from the store or the command line as the terminal is to show it:
// control characters (C0, DEL and C1) as \xHH, so that none can move the
// cursor, clear the screen or forge a line.
QString terminalText(QStringView text);

// What a calculation command prints: the fields by control name (JSON), the
// fields by their on-screen label (table), and the rows where the model keeps
// them. The rows are only viewed, never copied.
struct Report {
    std::vector<std::pair<QString, QString>> fields;   // control name, text
    std::vector<std::pair<QString, QString>> labelled; // on-screen label, text
    std::span<const calc::TPaymentObj> loanRows;
    std::span<const calc::TSavingsObj> savingsRows;
    bool savings = false; // which of the two the rows are

    std::size_t rowCount() const { return savings ? savingsRows.size() : loanRows.size(); }
};

// The labelled fields, then (when there are rows) a blank line and the rows
// under their headings, numbered, every column right-aligned.
void writeTable(OutputBuffer &out, const Report &report);

// One message as the JSON output names it: "kind", "text" and, when the
// message asked Yes or No, "answer" (empty: none). The kinds are those of the
// message service ("warning", "error", ...) and the command line's own
// ("usage", "refused").
struct JsonMessage {
    QString kind;
    QString text;
    QString answer;
};
std::vector<JsonMessage> jsonMessages(const desktop::ScriptedMessageService &messages);

enum class JsonLayout { Indented, Line };

// {"fields": {...}, "messages": [...], "rows": [...]}, keys in the order
// QJsonDocument sorts them. Line: one line without blanks, with "exit" and
// the request's "id" (JSON text, written as it is; empty for none), the
// "outputs" written and, when `withRows` is false, no "rows" at all.
struct JsonLine {
    int exit = 0;
    std::string id;
    bool withRows = true;
    // The report files the line wrote, as "outputs" (after "messages"); no
    // key when the line asked for none.
    const QStringList *outputs = nullptr;
};
void writeJson(OutputBuffer &out, const Report &report, std::span<const JsonMessage> messages,
               JsonLayout layout, const JsonLine &line = {});

} // namespace accrua::cli
