#include "reports/classic/rtfcharacters.h"

namespace accrua::reports::classic {

namespace {

// Windows-1252 at 0x80..0x9F; everywhere else it is Latin-1.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,
};

} // namespace

char16_t fromCp1252(unsigned char b)
{
    return b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : char16_t(b);
}

QString decodeCp1252(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        text[i] = QChar(fromCp1252(static_cast<unsigned char>(bytes[i])));
    return text;
}

// Characters named by control words.
char16_t namedCharacter(std::string_view word)
{
    struct Named {
        std::string_view word;
        char16_t c;
    };
    static constexpr Named kNamed[] = {
        {"tab", u'\t'},     {"cell", u'\t'},     {"emdash", 0x2014},    {"endash", 0x2013},
        {"lquote", 0x2018}, {"rquote", 0x2019},  {"ldblquote", 0x201C}, {"rdblquote", 0x201D},
        {"bullet", 0x2022}, {"emspace", 0x2003}, {"enspace", 0x2002},   {"qmspace", 0x2005},
        {"zwj", 0x200D},    {"zwnj", 0x200C},    {"ltrmark", 0x200E},   {"rtlmark", 0x200F},
    };
    for (const Named &n : kNamed)
        if (n.word == word)
            return n.c;
    return 0;
}

int codepageOfCharset(long long charset)
{
    switch (charset) {
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 130:
        return 1361;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 255:
        return 437;
    default:
        return 0; // ANSI, default, symbol: the document's code page
    }
}

} // namespace accrua::reports::classic
