#include "settings/inifile.h"

#include <QByteArrayView>

#include <algorithm>
#include <vector>

namespace accrua::settings {

namespace {

bool isOctal(char c)
{
    return c >= '0' && c <= '7';
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// True when an item of a value (starting at `at`, its first content
// character) would reach QDataStream: "@" not followed by "@" or by one of the
// forms QSettings decodes as plain text, or an "@" written as a numeric
// escape, which QSettings itself never writes.
bool itemIsSerialized(QByteArrayView v, qsizetype at)
{
    if (v[at] == '@') {
        const QByteArrayView rest = v.sliced(at + 1);
        for (const char *plain : {"@", "ByteArray(", "String(", "Rect(", "Size(", "Point(", "Invalid()"}) {
            if (rest.startsWith(QByteArrayView(plain)))
                return false;
        }
        return true;
    }
    if (v[at] != '\\' || at + 1 >= v.size())
        return false;
    // The numeric value of the escape, kept to 16 bits as QSettings does.
    qsizetype i = at + 1;
    unsigned value = 0;
    if (v[i] == 'x' || v[i] == 'X') {
        for (++i; i < v.size() && hexDigit(v[i]) >= 0; ++i)
            value = ((value << 4) + static_cast<unsigned>(hexDigit(v[i]))) & 0xffffu;
    } else if (isOctal(v[i])) {
        for (; i < v.size() && isOctal(v[i]); ++i)
            value = ((value << 3) + static_cast<unsigned>(v[i] - '0')) & 0xffffu;
    } else {
        return false;
    }
    return value == '@';
}

// Whether any comma-separated item of a raw value would be decoded from a
// serialized form. Quotes and escapes are followed loosely; any doubt counts.
bool valueHasSerializedItem(QByteArrayView v)
{
    bool inQuotes = false;
    qsizetype i = 0;
    while (i < v.size()) {
        // The first content character of the item: blanks outside quotes,
        // quote marks and escaped line breaks are no content.
        while (i < v.size()) {
            const char c = v[i];
            if (c == '"') {
                inQuotes = !inQuotes;
                ++i;
            } else if ((!inQuotes && (c == ' ' || c == '\t')) || c == '\n' || c == '\r') {
                ++i; // line breaks stand here only inside a continued line
            } else if (c == '\\' && i + 1 < v.size() && (v[i + 1] == '\n' || v[i + 1] == '\r')) {
                i += 2;
            } else {
                break;
            }
        }
        if (i >= v.size())
            return false;
        if (itemIsSerialized(v, i))
            return true;
        // On to the next item.
        while (i < v.size()) {
            const char c = v[i++];
            if (c == '\\') {
                ++i;
            } else if (c == '"') {
                inQuotes = !inQuotes;
            } else if (c == ',' && !inQuotes) {
                break;
            }
        }
    }
    return false;
}

// One logical line of a store file, split as QSettings splits them: blanks
// and line breaks before it are skipped, a line break inside quotes or after
// a backslash continues it, a ';' outside quotes ends it (and a line that
// starts with one is a comment), the first '=' outside quotes ends the key.
// A byte order mark at the start is no part of the first line.
struct IniLine {
    qsizetype start = 0;    // its first byte
    qsizetype equals = -1;  // the '=' after the key, or -1
    qsizetype end = 0;      // one past its last byte (a line break, a ';' or the end)
    bool openQuote = false; // it runs to the end of the data inside quotes
};

bool isIniSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

std::vector<IniLine> iniLines(QByteArrayView data)
{
    std::vector<IniLine> lines;
    const qsizetype n = data.size();
    qsizetype pos = data.startsWith("\xef\xbb\xbf") ? 3 : 0;
    for (;;) {
        IniLine line;
        line.start = pos;
        while (line.start < n && isIniSpace(data[line.start]))
            ++line.start;
        bool inQuotes = false;
        qsizetype i = line.start;
        while (i < n) {
            const char c = data[i++];
            if (c == '=') {
                if (!inQuotes && line.equals < 0)
                    line.equals = i - 1;
            } else if (c == '\n' || c == '\r') {
                if (i == line.start + 1) {
                    ++line.start;
                } else if (!inQuotes) {
                    --i;
                    break;
                }
            } else if (c == '\\') {
                if (i < n) {
                    const char escaped = data[i++];
                    if (i < n &&
                        ((escaped == '\n' && data[i] == '\r') || (escaped == '\r' && data[i] == '\n')))
                        ++i;
                }
            } else if (c == '"') {
                inQuotes = !inQuotes;
            } else if (c == ';') {
                if (i == line.start + 1) {
                    while (i < n && data[i] != '\n' && data[i] != '\r')
                        ++i;
                    while (i < n && isIniSpace(data[i]))
                        ++i;
                    line.start = i;
                } else if (!inQuotes) {
                    --i;
                    break;
                }
            }
        }
        line.end = i;
        line.openQuote = inQuotes;
        pos = i;
        if (line.end <= line.start)
            return lines;
        lines.push_back(line);
    }
}

} // namespace

std::optional<QString> FindSerializedValue(const QByteArray &content)
{
    const QByteArrayView data(content);
    for (const IniLine &line : iniLines(data)) {
        if (line.equals < 0)
            continue;
        if (valueHasSerializedItem(data.sliced(line.equals + 1, line.end - line.equals - 1)))
            return QString::fromUtf8(data.sliced(line.start, line.equals - line.start)).trimmed();
    }
    return std::nullopt;
}

QByteArray EncodeStoredText(const QString &text)
{
    static const char hex[] = "0123456789abcdef";
    const auto isHexDigit = [](char16_t c) {
        return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
    };
    // Plain when QSettings would read the bytes back as they are: no blanks
    // at the ends (trimmed), no list commas, comment marks, quotes, escapes
    // or a leading '@' (a serialized value); anything else goes in quotes.
    bool plain = !text.isEmpty() && !text.front().isSpace() && !text.back().isSpace() &&
                 text.front() != QLatin1Char('@');
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u > 0x7e || u == u'"' || u == u'\\' || u == u',' || u == u';' || u == u'#')
            plain = false;
    }
    if (plain)
        return text.toLatin1();

    QByteArray out("\"");
    bool escapedLast = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        const bool surrogate = QChar::isSurrogate(u);
        const bool pair = QChar::isHighSurrogate(u) && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        // A hex escape runs on over hex digits, so a digit after one is escaped too.
        // U+FEFF too: read back as UTF-8 it would be taken for a byte order mark.
        if (u < 0x20 || u == 0x7f || u == 0xfeff || (surrogate && !pair) || (escapedLast && isHexDigit(u))) {
            out += "\\x";
            for (int shift = 12; shift >= 0; shift -= 4)
                out += hex[(u >> shift) & 0xf];
            escapedLast = true;
            continue;
        }
        escapedLast = false;
        if (i == 0 && u == u'@') {
            out += "@@"; // "@@" reads back as one '@', not as a serialized value
        } else if (u == u'"' || u == u'\\') {
            out += '\\';
            out += static_cast<char>(u);
        } else if (u < 0x80) {
            out += static_cast<char>(u);
        } else if (pair) {
            out += text.mid(i, 2).toUtf8();
            ++i;
        } else {
            out += QString(QChar(u)).toUtf8();
        }
    }
    out += '"';
    return out;
}

namespace {

// A key as QSettings reads it: trimmed, %XX and %UXXXX unescaped, '\\' as '/'.
QString unescapedKey(QByteArrayView raw)
{
    const QString key = QString::fromUtf8(raw.trimmed());
    QString out;
    qsizetype i = 0;
    while (i < key.size()) {
        const QChar c = key[i];
        if (c == QLatin1Char('\\')) {
            out += QLatin1Char('/');
            ++i;
            continue;
        }
        if (c != QLatin1Char('%') || i == key.size() - 1) {
            out += c;
            ++i;
            continue;
        }
        qsizetype first = i + 1;
        qsizetype digits = 2;
        if (key[first] == QLatin1Char('U')) {
            ++first;
            digits = 4;
        }
        bool ok = false;
        const ushort code = first + digits <= key.size()
                                ? QStringView(key).sliced(first, digits).toUShort(&ok, 16)
                                : ushort{0};
        if (!ok) {
            out += QLatin1Char('%');
            ++i;
            continue;
        }
        out += QChar(code);
        i = first + digits;
    }
    return out;
}

// The name of a section header line ("[General]"), or nothing for other lines.
std::optional<QByteArray> sectionOf(QByteArrayView data, const IniLine &line)
{
    if (data[line.start] != '[')
        return std::nullopt;
    const QByteArrayView rest = data.sliced(line.start + 1, line.end - line.start - 1);
    const qsizetype close = rest.indexOf(']');
    return (close < 0 ? rest : rest.first(close)).toByteArray().trimmed();
}

// Where a line can be added after the given one: past its line break, or
// past the comment that ends it.
qsizetype afterLine(QByteArrayView data, const IniLine &line)
{
    qsizetype i = line.end;
    while (i < data.size() && data[i] != '\n' && data[i] != '\r')
        ++i;
    if (i < data.size() && data[i] == '\r')
        ++i;
    if (i < data.size() && data[i] == '\n')
        ++i;
    return i;
}

// Whether the line break that ends just before `after` follows a backslash,
// which makes QSettings read the next line as part of this one.
bool endsInContinuation(QByteArrayView data, qsizetype after)
{
    qsizetype k = after;
    while (k > 0 && after - k < 2 && (data[k - 1] == '\n' || data[k - 1] == '\r'))
        --k;
    return k > 0 && data[k - 1] == '\\';
}

bool isRootSection(const QByteArray &name)
{
    return name.compare("General", Qt::CaseInsensitive) == 0;
}

} // namespace

QByteArray SetValueInStoreFile(const QByteArray &content, const QString &name, const QString &text)
{
    const QByteArrayView data(content);
    const QByteArray line = name.toUtf8() + '=' + EncodeStoredText(text);
    // Keys before the first section header belong to the General section.
    bool inRoot = true;
    std::optional<qsizetype> afterRootHeader;
    std::vector<IniLine> matches;
    for (const IniLine &l : iniLines(data)) {
        if (const std::optional<QByteArray> section = sectionOf(data, l)) {
            inRoot = isRootSection(*section);
            // A header whose quotes run on to the end would swallow the line.
            if (inRoot && !afterRootHeader && !l.openQuote) {
                // Only after a line break that is no continuation: a header
                // ending in a backslash would join the new line to it.
                const qsizetype after = afterLine(data, l);
                if (after > 0 && (data[after - 1] == '\n' || data[after - 1] == '\r') &&
                    !endsInContinuation(data, after))
                    afterRootHeader = after;
            }
            continue;
        }
        if (inRoot && l.equals >= 0 && unescapedKey(data.sliced(l.start, l.equals - l.start)) == name)
            matches.push_back(l);
    }

    QByteArray out;
    out.reserve(content.size() + line.size() + 16);
    if (!matches.empty()) {
        // The last one is the one QSettings reads; the others go.
        qsizetype at = 0;
        for (std::size_t k = 0; k < matches.size(); ++k) {
            const IniLine &m = matches[k];
            // QSettings keeps the blanks between a byte order mark and the
            // first key in its name: the line is written from the mark on.
            qsizetype from = m.start;
            if (content.startsWith("\xef\xbb\xbf") && from > 3 &&
                std::all_of(data.begin() + 3, data.begin() + from,
                            [](char c) { return c == ' ' || c == '\t'; }))
                from = 3;
            out += data.sliced(at, from - at);
            if (k + 1 == matches.size())
                out += line;
            at = m.end; // a comment after the old value stays
        }
        out += data.sliced(at);
        return out;
    }
    const qsizetype bom = content.startsWith("\xef\xbb\xbf") ? 3 : 0;
    const auto insertAt = [&](qsizetype at, const QByteArray &added) {
        out += data.first(at);
        if (at > bom && data[at - 1] != '\n' && data[at - 1] != '\r')
            out += '\n';
        out += added;
        out += data.sliced(at);
        return out;
    };
    if (afterRootHeader)
        return insertAt(*afterRootHeader, line + '\n');
    return insertAt(bom, "[General]\n" + line + '\n');
}

} // namespace accrua::settings
