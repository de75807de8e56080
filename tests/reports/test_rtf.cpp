// The rich text file of the classic reports: what is written reads back
// line for line with its attributes, word processors' rich text reads as
// the lines it shows, and hostile bytes give an error or plain text.
#include "reports/classic/rtf.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using namespace accrua::reports::classic;

namespace {

ClassicLine line(const QString &text, const char *font = "Courier New", int size = 10, bool bold = false,
                 bool underline = false)
{
    return ClassicLine{text, ClassicAttributes{QString::fromLatin1(font), size, bold, underline}};
}

std::string describe(const ClassicLines &lines)
{
    std::string s;
    for (const ClassicLine &l : lines) {
        const ClassicAttributes &a = l.attributes;
        s += QStringLiteral("%1|%2|%3|%4|%5\n")
                 .arg(a.fontName)
                 .arg(a.pointSize)
                 .arg(QChar(a.bold ? u'B' : u'-'))
                 .arg(QChar(a.underline ? u'U' : u'-'))
                 .arg(l.text)
                 .toStdString();
    }
    return s;
}

// ---------------------------------------------------------------- round trip

struct RoundTripCase {
    const char *name;
    ClassicLines lines;
};

class RtfRoundTrip : public testing::TestWithParam<RoundTripCase> {};

TEST_P(RtfRoundTrip, ReadsBackWhatWasWritten)
{
    const ClassicLines &lines = GetParam().lines;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    RtfFormat format;
    ASSERT_TRUE(format.write(buffer, lines)) << format.errorString().toStdString();
    for (const char c : bytes)
        ASSERT_TRUE(c >= 0x0A && c < 0x7F) << "written rich text is 7-bit ASCII";

    buffer.close();
    buffer.open(QIODevice::ReadOnly);
    ClassicLines read{line(QStringLiteral("replaced"))};
    ASSERT_TRUE(format.read(buffer, read)) << format.errorString().toStdString();
    EXPECT_EQ(describe(read), describe(lines));
}

const RoundTripCase kRoundTrips[] = {
    {"Empty", {}},
    {"OneEmptyLine", {line({})}},
    {"AttributesSwitchPerLine",
     {line(QStringLiteral("   Title"), "Arial", 12, true), line({}, "Arial", 12, true),
      line(QStringLiteral("     HEADING___"), "courier new", 10, true, true),
      line(QStringLiteral("  1   12/31/2003"), "courier new", 10), line({}, "Courier New", 10, false, true),
      line(QStringLiteral("   leading and trailing   "), "Courier New", 10)}},
    {"CharactersRichTextReserves",
     {line(QStringLiteral("C:\\reports\\{draft}\\")), line(QStringLiteral("a\tb")),
      line(QStringLiteral("}{"))}},
    {"LocaleCharacters",
     {line(QStringLiteral("1.234,56 € · 31.12.2003 · 1 234,56 kr · 12’345.00 CHF")),
      line(QStringLiteral("ÄÖÜ äöü ß — “quoted” ½")),
      line(QStringLiteral("年月日 ١٢٣ Ωμέγα 𝄞 🙂"))}},
    {"FontNamesWithOddCharacters",
     {line(QStringLiteral("x"), "Font; with {braces}"), line(QStringLiteral("y"), "Schrift Ä")}},
    {"ControlCharacters", {line(QStringLiteral("bell\x07 and nul").replace(u'\x07', QChar(0)))}},
    {"SizesAndBold",
     {line(QStringLiteral("big"), "Arial", 72, true), line(QStringLiteral("small"), "Arial", 1),
      line(QStringLiteral("huge"), "Arial", 1638)}},
    // A purpose or loan type as long as the store or the command line takes.
    {"LongestValueLines",
     {line(QStringLiteral("     ") + QString(65532, u'p')),
      line(QString(131072, u'\u00e9'), "Arial", 12, true)}},
};

INSTANTIATE_TEST_SUITE_P(Lines, RtfRoundTrip, testing::ValuesIn(kRoundTrips),
                         [](const auto &paramInfo) { return std::string(paramInfo.param.name); });

// ------------------------------------------------- what word processors write

struct ReadCase {
    const char *name;
    const char *input;
    ClassicLines expected;
};

class RtfReads : public testing::TestWithParam<ReadCase> {};

TEST_P(RtfReads, GivesTheLinesShown)
{
    RtfFormat format;
    ClassicLines lines;
    ASSERT_TRUE(format.readData(QByteArray(GetParam().input), lines)) << format.errorString().toStdString();
    EXPECT_EQ(describe(lines), describe(GetParam().expected));
}

const ReadCase kReads[] = {
    {"DefaultFontAndSizeWithoutFormatting",
     R"({\rtf1\ansi{\fonttbl{\f0\fswiss Arial;}}plain\par})",
     {line(QStringLiteral("plain"), "Arial", 12)}},
    {"NoFontTableFallsBackToCourierNew",
     R"({\rtf1 text})",
     {line(QStringLiteral("text"), "Courier New", 12)}},
    {"FontTableWithoutEntryGroups",
     R"({\rtf1{\fonttbl\f0\fnil Helvetica;\f1\fmodern Courier;}\f1\fs20 a\par})",
     {line(QStringLiteral("a"), "Courier", 10)}},
    {"AlternateAndPanoseSkippedInFontNames",
     R"({\rtf1{\fonttbl{\f3\froman{\*\panose 02020603050405020304}Times New Roman{\*\falt Times};}}\f3 t})",
     {line(QStringLiteral("t"), "Times New Roman", 12)}},
    {"GroupsScopeAttributes",
     R"({\rtf1{\b bold}{\ul under}\par{\b\ul both}\par})",
     {line(QStringLiteral("boldunder"), "Courier New", 12, true, false),
      line(QStringLiteral("both"), "Courier New", 12, true, true)}},
    {"AttributesOfALineAreThoseOfItsFirstCharacter",
     R"({\rtf1\b first\b0  rest\par})",
     {line(QStringLiteral("first rest"), "Courier New", 12, true)}},
    {"EmptyLineTakesAttributesAtItsEnd",
     R"({\rtf1\fs20\b\par\b0 x\par})",
     {line({}, "Courier New", 10, true), line(QStringLiteral("x"), "Courier New", 10)}},
    {"SwitchesOffAndPlain",
     R"({\rtf1\b\ul a\par\b0\ulnone b\par\b\uldb c\par\plain d\par\ul\ul0 e\par})",
     {line(QStringLiteral("a"), "Courier New", 12, true, true), line(QStringLiteral("b"), "Courier New", 12),
      line(QStringLiteral("c"), "Courier New", 12, true, true), line(QStringLiteral("d"), "Courier New", 12),
      line(QStringLiteral("e"), "Courier New", 12)}},
    {"UnderlineColourIsNoUnderline", R"({\rtf1\ulc2 a})", {line(QStringLiteral("a"), "Courier New", 12)}},
    {"OddHalfPointsRoundUp", R"({\rtf1\fs21 a})", {line(QStringLiteral("a"), "Courier New", 11)}},
    {"LineTabAndNamedCharacters",
     R"({\rtf1 a\line b\tab c\emdash\~d\par})",
     {line(QStringLiteral("a"), "Courier New", 12),
      line(QStringLiteral("b\tc\u2014\u00A0d"), "Courier New", 12)}},
    {"HexEscapesInCodePage1252",
     R"({\rtf1\ansi\ansicpg1252 \'80 \'e9\'E9})",
     {line(QStringLiteral("\u20AC \u00E9\u00E9"), "Courier New", 12)}},
    {"HexEscapesInTheFontsCharset",
     R"({\rtf1\ansi{\fonttbl{\f0\fcharset204 Arial;}}\f0 \'cf\'f0\'e8\par})",
     {line(QStringLiteral("\u041F\u0440\u0438"), "Arial", 12)}},
    {"UnicodeWithFallbacksSkipped",
     R"({\rtf1\uc1\u8364?\u-4064?\uc2\u233\'65\'65 x\uc0\u252 y})",
     {line(QStringLiteral("\u20AC\uF020\u00E9 x\u00FCy"), "Courier New", 12)}},
    {"SurrogatePairsJoin", R"({\rtf1\u-10179?\u-8638?})", {line(QStringLiteral("🙂"), "Courier New", 12)}},
    {"UnknownDestinationsAndControlWordsSkipped",
     R"({\rtf1{\colortbl;\red0\green0\blue0;}{\stylesheet{\s0 Normal;}}{\info{\title T}}{\*\generator W;})"
     R"({\*\unknowndest hidden}\viewkind4\sa200\unknownword12 shown\par})",
     {line(QStringLiteral("shown"), "Courier New", 12)}},
    {"FieldsShowTheirResult",
     R"({\rtf1{\field{\*\fldinst HYPERLINK "x"}{\fldrslt link}}\par})",
     {line(QStringLiteral("link"), "Courier New", 12)}},
    {"BinaryDataSkipped",
     "{\\rtf1 a{\\pict\\bin4 }}{}}b\\bin3 xyzc\\par}",
     {line(QStringLiteral("abc"), "Courier New", 12)}},
    {"EscapedLineBreakIsAParagraph",
     "{\\rtf1 a\\\nb}",
     {line(QStringLiteral("a"), "Courier New", 12), line(QStringLiteral("b"), "Courier New", 12)}},
    {"SourceLineBreaksAreNotText",
     "{\\rtf1 a\r\nb\\par\r\n}",
     {line(QStringLiteral("ab"), "Courier New", 12)}},
    {"TextAfterTheDocumentIgnored",
     R"({\rtf1 a\par}}} trailing)",
     {line(QStringLiteral("a"), "Courier New", 12)}},
};

INSTANTIATE_TEST_SUITE_P(WordProcessorText, RtfReads, testing::ValuesIn(kReads),
                         [](const auto &paramInfo) { return std::string(paramInfo.param.name); });

// --------------------------------------------------------------- plain text

struct PlainCase {
    const char *name;
    QByteArray input;
    QStringList expected;
};

class PlainTextFallback : public testing::TestWithParam<PlainCase> {};

TEST_P(PlainTextFallback, ReadsLinesInTheDefaultFont)
{
    RtfFormat format;
    ClassicLines lines;
    ASSERT_TRUE(format.readData(GetParam().input, lines)) << format.errorString().toStdString();
    QStringList texts;
    for (const ClassicLine &l : lines) {
        EXPECT_EQ(l.attributes, ClassicAttributes());
        texts << l.text;
    }
    EXPECT_EQ(texts, GetParam().expected);
}

const PlainCase kPlain[] = {
    {"Empty", QByteArray(), {}},
    {"LineEnds", QByteArray("a\r\nb\nc\rd\n"), {"a", "b", "c", "d"}},
    {"EmptyLinesKept", QByteArray("a\n\n\nb"), {"a", "", "", "b"}},
    {"Utf8WithMark",
     QByteArray("\xEF\xBB\xBF"
                "1.234,56 \xE2\x82\xAC\n"),
     {QStringLiteral("1.234,56 €")}},
    {"Cp1252WhenNotUtf8", QByteArray("caf\xE9 \x80\n"), {QStringLiteral("café €")}},
    {"RtfNotAtTheStart", QByteArray(" {\\rtf1 x}"), {QStringLiteral(" {\\rtf1 x}")}},
    {"ControlBytesDropped", QByteArray("a\0b\x01\tc", 6), {QStringLiteral("ab\tc")}},
};

INSTANTIATE_TEST_SUITE_P(NotRichText, PlainTextFallback, testing::ValuesIn(kPlain),
                         [](const auto &paramInfo) { return std::string(paramInfo.param.name); });

// ----------------------------------------------------------------- hostile

struct HostileCase {
    const char *name;
    QByteArray input;
    const char *error; // part of the error text
};

class HostileRtf : public testing::TestWithParam<HostileCase> {};

TEST_P(HostileRtf, RefusedWithAReason)
{
    RtfFormat format;
    ClassicLines lines{line(QStringLiteral("kept"))};
    EXPECT_FALSE(format.readData(GetParam().input, lines));
    EXPECT_NE(format.errorString().indexOf(QLatin1String(GetParam().error)), -1)
        << format.errorString().toStdString();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].text, QStringLiteral("kept"));
}

QByteArray repeated(const char *piece, int times, const char *before = "", const char *after = "")
{
    return QByteArray(before) + QByteArray(piece).repeated(times) + QByteArray(after);
}

const HostileCase kHostile[] = {
    {"UnclosedGroup", QByteArray("{\\rtf1 {\\b a}"), "ends before its groups are closed"},
    {"OnlyTheSignature", QByteArray("{\\rtf"), "ends before its groups are closed"},
    {"DeepNesting", repeated("{", 100000, "{\\rtf1 "), "nested more than 100 deep"},
    {"NestingJustTooDeep", repeated("{", 100, "{\\rtf1 "), "nested more than 100 deep"},
    {"LongControlWord", repeated("a", 33, "{\\rtf1 \\", " x}"), "longer than 32 letters"},
    {"HugeParameter", QByteArray("{\\rtf1 \\fs99999999999999999999 x}"), "more than 10 digits"},
    {"ParameterOutOfRange", QByteArray("{\\rtf1 \\fs9999999999 x}"), "out of range"},
    {"NegativeParameterOutOfRange", QByteArray("{\\rtf1 \\u-9999999999 x}"), "out of range"},
    {"TruncatedHexEscape", QByteArray("{\\rtf1 \\'4"), "inside a \\' escape"},
    {"BadHexEscape", QByteArray("{\\rtf1 \\'zz}"), "two hexadecimal digits"},
    {"TruncatedControlWord", QByteArray("{\\rtf1 \\"), "ends inside a control word"},
    {"BinaryPastTheEnd", QByteArray("{\\rtf1 \\bin2000000000 x}"), "past the end"},
    {"NegativeBinary", QByteArray("{\\rtf1 \\bin-5 x}"), "past the end"},
    {"BinaryBytesUnbalanced", QByteArray("{\\rtf1 \x00\xff{{\x80\x81", 12),
     "ends before its groups are closed"},
    {"OverlongLine", repeated("x", 1100000, "{\\rtf1 ", "}"), "longer than 1048576 characters"},
    {"OverlongPlainLine", QByteArray(1100000, 'x'), "longer than 1048576 characters"},
    {"TooManyLines", repeated("\\par", 2000001, "{\\rtf1 ", "}"), "more than 2000000 lines"},
    {"TooManyPlainLines", QByteArray(2000001, '\n'), "more than 2000000 lines"},
};

INSTANTIATE_TEST_SUITE_P(Inputs, HostileRtf, testing::ValuesIn(kHostile),
                         [](const auto &paramInfo) { return std::string(paramInfo.param.name); });

// ------------------------------------------------------------------- files

class RtfFiles : public testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const char *name) const { return dir.filePath(QLatin1String(name)); }
    static QByteArray contents(const QString &fileName)
    {
        QFile f(fileName);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

TEST_F(RtfFiles, OversizedFileRefusedBeforeReading)
{
    QFile big(path("big.txt"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(RtfFormat::kMaxFileSize + 1)); // sparse: nothing is written
    big.close();
    RtfFormat format;
    ClassicLines lines;
    EXPECT_FALSE(format.readFile(big.fileName(), lines));
    EXPECT_TRUE(format.errorString().contains(QLatin1String("larger than 64 MiB")))
        << format.errorString().toStdString();
}

TEST_F(RtfFiles, MissingFileNamedInTheError)
{
    RtfFormat format;
    ClassicLines lines;
    EXPECT_FALSE(format.readFile(path("missing.txt"), lines));
    EXPECT_TRUE(format.errorString().contains(QLatin1String("missing.txt")));
}

TEST_F(RtfFiles, DamagedFileNamedInTheError)
{
    QFile f(path("damaged.txt"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("{\\rtf1 {\\b");
    f.close();
    RtfFormat format;
    ClassicLines lines;
    EXPECT_FALSE(format.readFile(f.fileName(), lines));
    EXPECT_TRUE(format.errorString().contains(QLatin1String("damaged.txt")));
    EXPECT_TRUE(format.errorString().contains(QLatin1String("groups are closed")));
}

TEST_F(RtfFiles, FailedWriteLeavesTheOldFile)
{
    const QString target = path("report.txt");
    const ClassicLines old{line(QStringLiteral("old report"))};
    RtfFormat format;
    ASSERT_TRUE(format.writeFile(target, old));
    const QByteArray before = contents(target);

    // A file size limit makes the write fail part way, as a full disk would.
    ClassicLines large(20000, line(QString(80, u'x')));
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    rlimit limited = previous;
    limited.rlim_cur = 64 * 1024;
    setrlimit(RLIMIT_FSIZE, &limited);
    const bool written = format.writeFile(target, large);
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(written);
    EXPECT_TRUE(format.errorString().contains(QLatin1String("report.txt")))
        << format.errorString().toStdString();
    EXPECT_EQ(contents(target), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("report.txt")})
        << "no temporary file is left behind";
}

TEST_F(RtfFiles, WriteIntoMissingFolderFails)
{
    RtfFormat format;
    EXPECT_FALSE(format.writeFile(path("no/such/folder/report.txt"), {line(QStringLiteral("x"))}));
    EXPECT_TRUE(format.errorString().startsWith(QLatin1String("Cannot save")))
        << format.errorString().toStdString();
}

} // namespace
