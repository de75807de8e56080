#include "reports/classic/rtfreader.h"

#include "reports/classic/rtf.h"
#include "reports/classic/rtfcharacters.h"

#include <QCoreApplication>
#include <QHash>
#include <QStringDecoder>

#include <algorithm>
#include <cstdint>
#include <map>
#include <string_view>

namespace accrua::reports::classic {

int clampPointSize(long long points)
{
    return static_cast<int>(std::clamp<long long>(points, kMinPointSize, kMaxPointSize));
}

namespace {

constexpr int kMaxFonts = 4096;
constexpr qsizetype kMaxFontNameLength = 256;

enum class Destination { Text, FontTable, Skip };

struct GroupState {
    Destination destination = Destination::Text;
    int font = -1; // -1: the document's default font
    int halfPoints = 24;
    bool bold = false;
    bool underline = false;
    int unicodeSkip = 1;
};

struct FontEntry {
    QString name;
    int codepage = 0; // 0: the document's
};

// Destinations whose text is no part of the document's lines.
bool isSkippedDestination(std::string_view word)
{
    static constexpr std::string_view kSkipped[] = {
        "annotation",
        "atnauthor",
        "atnid",
        "author",
        "buptim",
        "colortbl",
        "comment",
        "creatim",
        "datastore",
        "docvar",
        "doccomm",
        "fldinst",
        "filetbl",
        "footer",
        "footerf",
        "footerl",
        "footerr",
        "footnote",
        "generator",
        "header",
        "headerf",
        "headerl",
        "headerr",
        "info",
        "keywords",
        "latentstyles",
        "listoverridetable",
        "listtable",
        "listtext",
        "nonshppict",
        "object",
        "operator",
        "pict",
        "pntext",
        "pntxta",
        "pntxtb",
        "printim",
        "private",
        "revtbl",
        "revtim",
        "rsidtbl",
        "shpinst",
        "stylesheet",
        "subject",
        "tc",
        "template",
        "themedata",
        "title",
        "txe",
        "userprops",
        "xe",
        "xmlnsdecl",
        "colorschememapping",
    };
    return std::find(std::begin(kSkipped), std::end(kSkipped), word) != std::end(kSkipped);
}

bool isUnderlineWord(std::string_view word)
{
    static constexpr std::string_view kUnderlines[] = {
        "ul",         "uld",       "uldash",     "uldashd", "uldashdd", "uldb",
        "ulhwave",    "ulldash",   "ulth",       "ulthd",   "ulthdash", "ulthdashd",
        "ulthdashdd", "ulthldash", "ululdbwave", "ulw",     "ulwave",
    };
    return std::find(std::begin(kUnderlines), std::end(kUnderlines), word) != std::end(kUnderlines);
}

class RtfReader {
public:
    explicit RtfReader(const QByteArray &data) : m_data(data) {}

    // False with the reason in `error`.
    bool read(ClassicLines &lines, QString &error);

private:
    bool fail(const QString &reason)
    {
        m_error = reason;
        return false;
    }

    bool controlWord();
    bool handleWord(std::string_view word, bool hasParameter, long long parameter);
    void controlSymbol(char c);
    bool openGroup();
    bool closeGroup();

    void textByte(unsigned char b, bool escaped);
    void flushBytes();
    bool put(char16_t c);
    bool endLine();
    ClassicAttributes currentAttributes() const;
    int textCodepage() const;
    QString decode(const QByteArray &bytes, int codepage);
    void finishFontEntry();

    const QByteArray &m_data;
    qsizetype m_pos = 0;
    QString m_error;

    GroupState m_state;
    std::vector<GroupState> m_stack;
    bool m_ended = false;
    int m_skipFallback = 0; // characters still to skip after \u

    int m_documentCodepage = 1252;
    int m_defaultFont = 0;
    QHash<int, FontEntry> m_fonts;
    int m_fontEntryNumber = -1;
    FontEntry m_fontEntry;

    QByteArray m_bytes; // code page bytes not yet decoded
    int m_bytesCodepage = 0;
    std::map<int, QStringDecoder> m_decoders;

    ClassicLines m_lines;
    QString m_lineText;
    ClassicAttributes m_lineAttributes;
    bool m_lineHasAttributes = false;
};

bool RtfReader::read(ClassicLines &lines, QString &error)
{
    const qsizetype size = m_data.size();
    bool ok = true;
    while (ok && m_error.isEmpty() && m_pos < size && !m_ended) {
        const char c = m_data[m_pos];
        switch (c) {
        case '{':
            ++m_pos;
            ok = openGroup();
            break;
        case '}':
            ++m_pos;
            ok = closeGroup();
            break;
        case '\\':
            ++m_pos;
            ok = controlWord();
            break;
        case '\r':
        case '\n':
        case '\0':
            ++m_pos;
            break;
        default:
            ++m_pos;
            textByte(static_cast<unsigned char>(c), false);
            break;
        }
    }
    ok = ok && m_error.isEmpty();
    if (ok && !m_ended)
        ok = fail(QCoreApplication::translate("accrua::reports::classic",
                                              "the file ends before its groups are closed"));
    if (!ok) {
        error = m_error;
        return false;
    }
    // Text after the last paragraph mark is a line of its own; an empty
    // paragraph there is only the document's end.
    if (!m_lineText.isEmpty() && !endLine()) {
        error = m_error;
        return false;
    }
    lines = std::move(m_lines);
    return true;
}

bool RtfReader::openGroup()
{
    flushBytes();
    if (m_stack.size() >= static_cast<std::size_t>(RtfFormat::kMaxGroupDepth))
        return fail(
            QCoreApplication::translate("accrua::reports::classic", "groups are nested more than %1 deep")
                .arg(RtfFormat::kMaxGroupDepth));
    m_stack.push_back(m_state);
    m_skipFallback = 0;
    return true;
}

bool RtfReader::closeGroup()
{
    flushBytes();
    if (m_stack.empty())
        return fail(QCoreApplication::translate("accrua::reports::classic",
                                                "a group is closed that was never opened"));
    if (m_state.destination == Destination::FontTable)
        finishFontEntry();
    m_state = m_stack.back();
    m_stack.pop_back();
    m_skipFallback = 0;
    if (m_stack.empty())
        m_ended = true; // whatever follows the document's group is not read
    return true;
}

bool RtfReader::controlWord()
{
    const qsizetype size = m_data.size();
    if (m_pos >= size)
        return fail(
            QCoreApplication::translate("accrua::reports::classic", "the file ends inside a control word"));
    const char first = m_data[m_pos];
    const auto isLetter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };

    if (first == '\'') {
        if (m_pos + 2 >= size)
            return fail(
                QCoreApplication::translate("accrua::reports::classic", "the file ends inside a \\' escape"));
        const auto hexValue = [](char c) -> int {
            if (c >= '0' && c <= '9')
                return c - '0';
            if (c >= 'a' && c <= 'f')
                return c - 'a' + 10;
            if (c >= 'A' && c <= 'F')
                return c - 'A' + 10;
            return -1;
        };
        const int h = hexValue(m_data[m_pos + 1]);
        const int l = hexValue(m_data[m_pos + 2]);
        if (h < 0 || l < 0)
            return fail(QCoreApplication::translate("accrua::reports::classic",
                                                    "a \\' escape without two hexadecimal digits"));
        m_pos += 3;
        if (m_skipFallback > 0) {
            --m_skipFallback;
            return true;
        }
        textByte(static_cast<unsigned char>(h * 16 + l), true);
        return true;
    }

    flushBytes();
    if (!isLetter(first)) {
        ++m_pos;
        if (first == '\r' || first == '\n')
            return m_state.destination == Destination::Text ? endLine() : true;
        if (m_skipFallback > 0) {
            --m_skipFallback;
            return true;
        }
        controlSymbol(first);
        return m_error.isEmpty();
    }

    const qsizetype start = m_pos;
    while (m_pos < size && isLetter(m_data[m_pos])) {
        ++m_pos;
        if (m_pos - start > RtfFormat::kMaxControlWordLength)
            return fail(QCoreApplication::translate("accrua::reports::classic",
                                                    "a control word is longer than %1 letters")
                            .arg(RtfFormat::kMaxControlWordLength));
    }
    const std::string_view word(m_data.constData() + start, static_cast<std::size_t>(m_pos - start));

    bool negative = false;
    if (m_pos + 1 < size && m_data[m_pos] == '-' && isDigit(m_data[m_pos + 1])) {
        negative = true;
        ++m_pos;
    }
    bool hasParameter = false;
    long long parameter = 0;
    const qsizetype digitsStart = m_pos;
    while (m_pos < size && isDigit(m_data[m_pos])) {
        if (m_pos - digitsStart >= RtfFormat::kMaxParameterDigits)
            return fail(
                QCoreApplication::translate("accrua::reports::classic", "a number has more than %1 digits")
                    .arg(RtfFormat::kMaxParameterDigits));
        parameter = parameter * 10 + (m_data[m_pos] - '0');
        hasParameter = true;
        ++m_pos;
    }
    if (negative)
        parameter = -parameter;
    if (parameter > INT32_MAX || parameter < INT32_MIN)
        return fail(QCoreApplication::translate("accrua::reports::classic", "a number is out of range"));
    if (m_pos < size && m_data[m_pos] == ' ')
        ++m_pos; // the delimiter belongs to the control word

    if (m_skipFallback > 0 && word != "bin") {
        --m_skipFallback;
        return true;
    }
    return handleWord(word, hasParameter, parameter);
}

void RtfReader::controlSymbol(char c)
{
    switch (c) {
    case '\\':
    case '{':
    case '}':
        put(static_cast<char16_t>(c));
        break;
    case '~':
        put(0x00A0);
        break;
    case '_':
        put(0x2011);
        break;
    case '*':
        // An optional destination: none is of use to a report's lines.
        m_state.destination = Destination::Skip;
        break;
    default:
        break; // optional hyphens, index marks and the like show nothing
    }
}

bool RtfReader::handleWord(std::string_view word, bool hasParameter, long long parameter)
{
    const bool on = !hasParameter || parameter != 0;
    const Destination dest = m_state.destination;

    if (word == "bin") {
        // Binary data: skipped whole, counted as one fallback character.
        const long long length = hasParameter ? parameter : 0;
        if (length < 0 || length > m_data.size() - m_pos)
            return fail(QCoreApplication::translate("accrua::reports::classic",
                                                    "binary data runs past the end of the file"));
        m_pos += static_cast<qsizetype>(length);
        if (m_skipFallback > 0)
            --m_skipFallback;
        return true;
    }
    if (dest == Destination::Skip)
        return true;
    if (word == "fonttbl") {
        m_state.destination = Destination::FontTable;
        return true;
    }
    if (isSkippedDestination(word)) {
        m_state.destination = Destination::Skip;
        return true;
    }

    if (dest == Destination::FontTable) {
        if (word == "f" && hasParameter) {
            finishFontEntry();
            m_fontEntryNumber = static_cast<int>(parameter);
        } else if (word == "fcharset" && hasParameter) {
            m_fontEntry.codepage = codepageOfCharset(parameter);
        } else if (word == "cpg" && hasParameter && parameter > 0 && parameter < 65536) {
            m_fontEntry.codepage = static_cast<int>(parameter);
        } else if (word == "u" && hasParameter) {
            put(static_cast<char16_t>(parameter < 0 ? parameter + 65536 : parameter));
            m_skipFallback = m_state.unicodeSkip;
        }
        return true;
    }

    // Text destination.
    if (word == "par" || word == "line" || word == "sect" || word == "row")
        return endLine();
    if (word == "u") {
        if (!hasParameter)
            return true;
        const long long unit = parameter < 0 ? parameter + 65536 : parameter;
        const bool ok = put(unit >= 0 && unit <= 0xFFFF ? static_cast<char16_t>(unit) : char16_t(0xFFFD));
        m_skipFallback = m_state.unicodeSkip;
        return ok;
    }
    if (const char16_t named = namedCharacter(word))
        return put(named);
    if (word == "b") {
        m_state.bold = on;
    } else if (isUnderlineWord(word)) {
        m_state.underline = on;
    } else if (word == "ulnone") {
        m_state.underline = false;
    } else if (word == "plain") {
        m_state.font = -1;
        m_state.halfPoints = 24;
        m_state.bold = false;
        m_state.underline = false;
    } else if (word == "f") {
        m_state.font = hasParameter ? static_cast<int>(parameter) : -1;
    } else if (word == "fs") {
        m_state.halfPoints = hasParameter ? clampPointSize((parameter + 1) / 2) * 2 : 24;
    } else if (word == "deff" && hasParameter) {
        m_defaultFont = static_cast<int>(parameter);
    } else if (word == "uc" && hasParameter) {
        m_state.unicodeSkip = static_cast<int>(std::clamp<long long>(parameter, 0, 16));
    } else if (word == "ansicpg" && hasParameter && parameter > 0 && parameter < 65536) {
        m_documentCodepage = static_cast<int>(parameter);
    } else if (word == "mac") {
        m_documentCodepage = 10000;
    } else if (word == "pc") {
        m_documentCodepage = 437;
    } else if (word == "pca") {
        m_documentCodepage = 850;
    }
    return true;
}

void RtfReader::finishFontEntry()
{
    if (m_fontEntryNumber >= 0 && m_fonts.size() < kMaxFonts) {
        FontEntry entry = std::move(m_fontEntry);
        entry.name = entry.name.trimmed();
        if (!entry.name.isEmpty() && !m_fonts.contains(m_fontEntryNumber))
            m_fonts.insert(m_fontEntryNumber, entry);
    }
    m_fontEntryNumber = -1;
    m_fontEntry = FontEntry();
}

int RtfReader::textCodepage() const
{
    if (m_state.destination == Destination::FontTable)
        return m_fontEntry.codepage ? m_fontEntry.codepage : m_documentCodepage;
    const auto it = m_fonts.constFind(m_state.font >= 0 ? m_state.font : m_defaultFont);
    return it != m_fonts.constEnd() && it->codepage ? it->codepage : m_documentCodepage;
}

void RtfReader::textByte(unsigned char b, bool escaped)
{
    if (m_skipFallback > 0) {
        --m_skipFallback;
        return;
    }
    if (m_state.destination == Destination::Skip)
        return;
    if (!escaped && b == ';' && m_state.destination == Destination::FontTable) {
        flushBytes();
        finishFontEntry();
        return;
    }
    if (b < 0x80 && m_bytes.isEmpty()) {
        put(b);
        return;
    }
    const int codepage = textCodepage();
    if (!m_bytes.isEmpty() && codepage != m_bytesCodepage)
        flushBytes();
    m_bytesCodepage = codepage;
    m_bytes.append(static_cast<char>(b));
}

QString RtfReader::decode(const QByteArray &bytes, int codepage)
{
    if (codepage == 1252)
        return decodeCp1252(bytes);
    if (codepage == 65001)
        return QString::fromUtf8(bytes);
    auto it = m_decoders.find(codepage);
    if (it == m_decoders.end()) {
        const QByteArray name =
            (codepage >= 10000 ? QByteArrayLiteral("x-mac-") : QByteArrayLiteral("windows-")) +
            QByteArray::number(codepage);
        QStringDecoder decoder(name.constData(), QStringConverter::Flag::Stateless);
        if (!decoder.isValid()) {
            const QByteArray cpName = QByteArrayLiteral("cp") + QByteArray::number(codepage);
            decoder = QStringDecoder(cpName.constData(), QStringConverter::Flag::Stateless);
        }
        it = m_decoders.emplace(codepage, std::move(decoder)).first;
    }
    if (!it->second.isValid())
        return decodeCp1252(bytes);
    return it->second.decode(bytes);
}

void RtfReader::flushBytes()
{
    if (m_bytes.isEmpty())
        return;
    const QString text = decode(m_bytes, m_bytesCodepage);
    m_bytes.clear();
    for (const QChar c : text)
        put(c.unicode());
}

ClassicAttributes RtfReader::currentAttributes() const
{
    ClassicAttributes a;
    auto it = m_fonts.constFind(m_state.font >= 0 ? m_state.font : m_defaultFont);
    if (it == m_fonts.constEnd())
        it = m_fonts.constFind(m_defaultFont);
    a.fontName = it != m_fonts.constEnd() ? it->name : kDefaultFontName;
    a.pointSize = m_state.halfPoints / 2;
    a.bold = m_state.bold;
    a.underline = m_state.underline;
    return a;
}

bool RtfReader::put(char16_t c)
{
    switch (m_state.destination) {
    case Destination::Skip:
        return true;
    case Destination::FontTable:
        if (m_fontEntry.name.size() < kMaxFontNameLength)
            m_fontEntry.name += QChar(c);
        return true;
    case Destination::Text:
        break;
    }
    if (!m_lineHasAttributes) {
        m_lineAttributes = currentAttributes();
        m_lineHasAttributes = true;
    }
    if (m_lineText.size() >= kMaxLineLength)
        return fail(
            QCoreApplication::translate("accrua::reports::classic", "a line is longer than %1 characters")
                .arg(kMaxLineLength));
    m_lineText += QChar(c);
    return true;
}

bool RtfReader::endLine()
{
    flushBytes();
    if (!m_error.isEmpty())
        return false;
    if (m_lines.size() >= RtfFormat::kMaxLines)
        return fail(QCoreApplication::translate("accrua::reports::classic", "it has more than %1 lines")
                        .arg(RtfFormat::kMaxLines));
    ClassicLine line;
    line.text = std::move(m_lineText);
    line.attributes = m_lineHasAttributes ? std::move(m_lineAttributes) : currentAttributes();
    m_lines.push_back(std::move(line));
    m_lineText = QString();
    m_lineHasAttributes = false;
    return true;
}

} // namespace

bool readRichText(const QByteArray &data, ClassicLines &lines, QString &error)
{
    return RtfReader(data).read(lines, error);
}

bool readPlainText(const QByteArray &data, ClassicLines &lines, QString &error)
{
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(data);
    if (utf8.hasError())
        text = decodeCp1252(data);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);

    ClassicLines result;
    const ClassicAttributes plain;
    QString line;
    const auto finish = [&]() {
        if (result.size() >= RtfFormat::kMaxLines) {
            error = QCoreApplication::translate("accrua::reports::classic", "it has more than %1 lines")
                        .arg(RtfFormat::kMaxLines);
            return false;
        }
        result.push_back(ClassicLine{std::move(line), plain});
        line = QString();
        return true;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            if (!finish())
                return false;
        } else if (c == u'\t' || c.unicode() >= 0x20) {
            if (line.size() >= kMaxLineLength) {
                error = QCoreApplication::translate("accrua::reports::classic",
                                                    "a line is longer than %1 characters")
                            .arg(kMaxLineLength);
                return false;
            }
            line += c;
        }
    }
    if (!line.isEmpty() && !finish())
        return false;
    lines = std::move(result);
    return true;
}

} // namespace accrua::reports::classic
