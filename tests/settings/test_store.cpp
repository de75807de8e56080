#include "settings/inifile.h"
#include "settings/store.h"
#include "settings/values.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include <climits>
#include <csignal>
#include <random>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>

using namespace accrua::settings;

namespace {

// Every test that reaches the native store finds it under this folder, never
// in the real user's configuration.
class IsolatedConfigHome : public ::testing::Environment {
public:
    void SetUp() override
    {
        m_dir = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(m_dir->isValid());
        qputenv("XDG_CONFIG_HOME", m_dir->path().toLocal8Bit());
    }
    void TearDown() override { m_dir.reset(); }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};
const auto *const kConfigHome = ::testing::AddGlobalTestEnvironment(new IsolatedConfigHome);

class StoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.path() + QStringLiteral("/Quennet/Accrua.conf");
    }

    SettingsStore store() const { return SettingsStore(FileSettingsFactory(m_path)); }

    void writeRaw(const QByteArray &content) const
    {
        QDir().mkpath(QFileInfo(m_path).path());
        QFile f(m_path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
        f.flush();
        // QSettings notices a changed file by its size and time; rewrites in
        // quick succession get distinct times as hand edits would have.
        static int edits = 0;
        f.setFileTime(QDateTime::currentDateTime().addSecs(++edits), QFileDevice::FileModificationTime);
    }

    QByteArray readRaw() const
    {
        QFile f(m_path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir m_dir;
    QString m_path;
};

std::string errorText(const std::function<void()> &action)
{
    try {
        action();
    } catch (const SettingsError &e) {
        return e.what();
    }
    return "(no error)";
}

TEST_F(StoreTest, NoStoreGivesDefaultsAndCreatesNothingUntilAWrite)
{
    SettingsStore s = store();
    AppSettings loaded;
    loaded.Title = QStringLiteral("stale");
    loaded.AmortizedBase = 1;
    loaded.PrintTotals = false;
    bool useDefaults = true;
    LoadSettings(s, loaded, useDefaults);
    const AppSettings d;
    EXPECT_EQ(loaded.PaymentResolution, d.PaymentResolution);
    EXPECT_EQ(loaded.Title, QStringLiteral("Amortization Schedule"));
    EXPECT_EQ(loaded.ImagePath, QStringLiteral("c:\\"));
    EXPECT_EQ(loaded.LoanType, QStringLiteral("GENERAL LOAN"));
    EXPECT_EQ(loaded.AmortizedBase, 365);
    EXPECT_TRUE(loaded.PrintTotals);
    EXPECT_TRUE(loaded.SavingsSubtitle.isEmpty());
    EXPECT_TRUE(loaded.DailySubtitle.isEmpty());
    EXPECT_FALSE(useDefaults);
    EXPECT_FALSE(readStayOnTop(s));
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(m_path).path()));

    writeToolsMarks(s, false, false);
    const QByteArray raw = readRaw();
    EXPECT_TRUE(raw.contains("USEDEFAULTS=0")) << raw.constData();
    EXPECT_TRUE(raw.contains("STAYONTOP=0")) << raw.constData();
}

struct FlagCase {
    const char *stored;
    bool whenDefaultTrue;
    bool whenDefaultFalse;
};

TEST_F(StoreTest, FlagsReadAsIntegers)
{
    const std::vector<FlagCase> table = {
        {"1", true, true},    {"0", false, false}, {"2", true, true},    {"-1", true, true},
        {"abc", true, false}, {"", true, false},   {"1.0", true, false}, {" 0 ", false, false},
    };
    for (const FlagCase &c : table) {
        writeRaw(QByteArray("[General]\nPRINTTOTALS=\"") + c.stored + "\"\nUSECLASSICVIEW=\"" + c.stored +
                 "\"\n");
        SettingsStore s = store();
        AppSettings loaded;
        bool useDefaults = false;
        LoadSettings(s, loaded, useDefaults);
        EXPECT_EQ(loaded.PrintTotals, c.whenDefaultTrue) << "stored '" << c.stored << "'";
        EXPECT_EQ(loaded.UseClassicView, c.whenDefaultFalse) << "stored '" << c.stored << "'";
    }
}

TEST_F(StoreTest, IntegersConvertOrFallBackToTheDefault)
{
    const std::vector<std::pair<const char *, std::int32_t>> table = {
        {"366", 366},
        {"360", 360},
        {"x", 365},
        {"", 365},
        {"+360", 360},
        {"-5", -5},
        {"36 5", 365},
        {"0x16D", 365},
        {"2147483647", INT_MAX},
        {"2147483648", 365},
        {"-2147483648", INT_MIN},
        {"-2147483649", 365},
        {"99999999999999999999", 365},
    };
    for (const auto &[stored, expected] : table) {
        writeRaw(QByteArray("[General]\nAMORTIZEDBASE=\"") + stored + "\"\n");
        EXPECT_EQ(store().readInteger(names::kAmortizedBase, 365), expected) << "stored '" << stored << "'";
    }
}

TEST_F(StoreTest, EveryKindIsStoredAsText)
{
    SettingsStore s = store();
    s.writeInteger(names::kAmortizedBase, -12);
    s.writeFlag(names::kPrintImage, true);
    s.writeFlag(names::kPrintTotals, false);
    s.writeString(names::kTitle, QStringLiteral("Loans, \"quoted\" @Variant(x) c:\\dir\nnext ü"));

    QSettings raw(m_path, QSettings::IniFormat);
    for (const QString &name :
         {names::kAmortizedBase, names::kPrintImage, names::kPrintTotals, names::kTitle})
        EXPECT_EQ(raw.value(name).typeId(), QMetaType::QString) << name.toStdString();
    EXPECT_EQ(raw.value(names::kAmortizedBase).toString(), QStringLiteral("-12"));
    EXPECT_EQ(raw.value(names::kPrintImage).toString(), QStringLiteral("1"));
    EXPECT_EQ(raw.value(names::kPrintTotals).toString(), QStringLiteral("0"));
    EXPECT_EQ(s.readString(names::kTitle, {}),
              QStringLiteral("Loans, \"quoted\" @Variant(x) c:\\dir\nnext ü"));
    s.writeString(names::kDailySubtitle, QString());
    EXPECT_EQ(s.readText(names::kDailySubtitle), std::optional<QString>(QString()));
}

TEST_F(StoreTest, HandEditedTexts)
{
    const std::vector<std::pair<const char *, QString>> table = {
        {"TITLE=Smith, Jones", QStringLiteral("Smith, Jones")}, // unquoted commas: one text
        {"TITLE=a,b", QStringLiteral("a, b")},
        {"TITLE=\"a,b\"", QStringLiteral("a,b")},
        {"TITLE=ab\\0cd", QStringLiteral("ab")}, // ends at the first NUL
        {"TITLE=", QString()},
    };
    for (const auto &[line, expected] : table) {
        writeRaw(QByteArray("[General]\n") + line + "\n");
        EXPECT_EQ(store().readString(names::kTitle, QStringLiteral("default")), expected) << line;
    }
}

// A hand-edited file whose General header runs on with a trailing backslash:
// a value written after it must not become part of the header line.
TEST_F(StoreTest, WritesAfterAContinuedHeaderReadBack)
{
    const std::vector<std::pair<const char *, QByteArray>> table = {
        {"ContinuedAtTheEnd", "[General]\\\n"},
        {"ContinuedWithCrLf", "[General]\\\r\n"},
        {"ContinuedThenReturn", "x\n[General]\\\n\r"},
        {"PlainHeader", "[General]\nLOANTYPE=CAR\n"},
    };
    for (const auto &[name, content] : table) {
        writeRaw(content);
        store().writeString(names::kTitle, QStringLiteral("Written"));
        EXPECT_EQ(store().readString(names::kTitle, QStringLiteral("default")), QStringLiteral("Written"))
            << name;
    }
}

TEST_F(StoreTest, NonTextValuesFailTheRead)
{
    const std::vector<const char *> table = {"@ByteArray(abc)", "@Variant(\\0\\0\\0\\x2\\0\\0\\0\\0\\x5)",
                                             "@Invalid()", "@Rect(1 2 3 4)"};
    for (const char *value : table) {
        writeRaw(QByteArray("[General]\nLOANTYPE=") + value + "\n");
        SettingsStore s = store();
        EXPECT_EQ(errorText([&] { s.readString(names::kLoanType, {}); }), "Invalid data type for 'LOANTYPE'")
            << value;
        EXPECT_EQ(errorText([&] { s.readFlag(names::kLoanType, true); }), "Invalid data type for 'LOANTYPE'")
            << value;
    }
}

TEST(FindSerializedValue, FindsValuesQSettingsWouldDecodeFromBinary)
{
    const QByteArray payload = "@Variant(\\0\\0\\0\\x2\\0\\0\\0\\0\\x5)";
    const std::vector<std::pair<QByteArray, const char *>> table = {
        {"[General]\nTITLE=" + payload + "\n", "TITLE"},
        {"TITLE=@DateTime(\\0)", "TITLE"},
        {"TITLE=a, " + payload, "TITLE"},  // one item of a list
        {"TITLE=\"\"" + payload, "TITLE"}, // after an empty quoted part
        {"TITLE=\\\n" + payload, "TITLE"}, // after a continued line
        {"TITLE=\\\r\n" + payload, "TITLE"},
        {"TITLE=a,\\\r\n " + payload, "TITLE"},
        {"TITLE=\\x40Variant(\\0)", "TITLE"},      // '@' as a hex escape
        {"TITLE=\\100Variant(\\0)", "TITLE"},      // '@' as an octal escape
        {"TITLE=\\x10040Variant(\\0)", "TITLE"},   // cut to 16 bits
        {"[Other]\nX=1\nKEY = " + payload, "KEY"}, // any section
        {"TITLE=@@Variant(x)", nullptr},           // an escaped text
        {"TITLE=@ByteArray(abc)", nullptr},        // decoded without QDataStream
        {"TITLE=@Rect(1 2 3 4)", nullptr},
        {"TITLE=\"a, " + payload + "\"", nullptr}, // one quoted text
        {"TITLE=x ; " + payload, nullptr},         // a comment
        {"TITLE=e-mail" + payload, nullptr},       // not at the start
        {"TITLE=\\x41", nullptr},
        {payload, nullptr}, // no value at all
        {"", nullptr},
    };
    for (const auto &[content, name] : table) {
        const std::optional<QString> found = FindSerializedValue(content);
        if (name)
            EXPECT_EQ(found, std::optional<QString>(QString::fromLatin1(name))) << content.constData();
        else
            EXPECT_FALSE(found.has_value()) << content.constData();
    }
}

// A serialized value could claim any size; the file is refused before it is
// decoded, on reads and writes alike, naming the value.
TEST_F(StoreTest, SerializedValuesRefuseTheWholeFile)
{
    writeRaw("[General]\nTITLE=kept\nLOANTYPE=@Variant(\\0\\0\\0\\t\\0\\x5\\0\\0\\0)\n");
    SettingsStore s = store();
    AppSettings loaded;
    bool useDefaults = false;
    EXPECT_EQ(errorText([&] { LoadSettings(s, loaded, useDefaults); }), "Invalid data type for 'LOANTYPE'");
    EXPECT_EQ(loaded.Title, AppSettings{}.Title);
    EXPECT_EQ(errorText([&] { writeToolsMarks(s, true, true); }), "Invalid data type for 'LOANTYPE'");
    EXPECT_TRUE(readRaw().contains("TITLE=kept"));
    EXPECT_FALSE(readRaw().contains("STAYONTOP"));
}

TEST_F(StoreTest, LoadSettingsStopsAtAnErrorKeepingEarlierFields)
{
    writeRaw("[General]\nPRINTTOTALS=0\nIMAGEPATH=/pics/logo.png\nTITLE=My Loans\n"
             "LOANTYPE=@ByteArray(HOME)\nAMORTIZEDBASE=360\nUSEDEFAULTS=1\nSAVINGSTITLE=Saved\n");
    SettingsStore s = store();
    AppSettings loaded;
    loaded.LoanType = QStringLiteral("before");
    loaded.AmortizedBase = 7;
    loaded.SavingsTitle = QStringLiteral("before");
    bool useDefaults = false;
    EXPECT_EQ(errorText([&] { LoadSettings(s, loaded, useDefaults); }), "Invalid data type for 'LOANTYPE'");
    EXPECT_FALSE(loaded.PrintTotals);
    EXPECT_EQ(loaded.ImagePath, QStringLiteral("/pics/logo.png"));
    EXPECT_EQ(loaded.Title, QStringLiteral("My Loans"));
    EXPECT_EQ(loaded.LoanType, QStringLiteral("before"));
    EXPECT_EQ(loaded.AmortizedBase, 7);
    EXPECT_FALSE(useDefaults);
    EXPECT_EQ(loaded.SavingsTitle, QStringLiteral("before"));
}

// Files fail to grow while the guard lives, whatever the user's rights (the
// tests may run as root, where permissions would not stop the write).
class NoFileGrowth {
public:
    NoFileGrowth()
    {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limited = m_old;
        limited.rlim_cur = 0;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~NoFileGrowth()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

TEST_F(StoreTest, AFailedWriteReportsTheValueAndKeepsEarlierContent)
{
    SettingsStore s = store();
    s.writeString(names::kTitle, QStringLiteral("first"));
    std::string error;
    {
        NoFileGrowth guard;
        error = errorText([&] { s.writeString(names::kSavingsTitle, QStringLiteral("lost")); });
    }
    EXPECT_EQ(error, "Failed to set data for 'SAVINGSTITLE'");
    EXPECT_EQ(s.readString(names::kTitle, {}), QStringLiteral("first"));
    EXPECT_FALSE(s.readText(names::kSavingsTitle).has_value());
    // The refused value does not come back with a later write.
    s.writeString(names::kDailyTitle, QStringLiteral("later"));
    EXPECT_FALSE(store().readText(names::kSavingsTitle).has_value());
    EXPECT_FALSE(readRaw().contains("lost"));
    EXPECT_TRUE(readRaw().contains("later"));
}

TEST_F(StoreTest, AStoreThatCannotBeCreatedReportsTheKey)
{
    // A file where the folder should be: the folder cannot be made.
    QFile blocker(m_dir.path() + QStringLiteral("/Quennet"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    SettingsStore s = store();
    EXPECT_EQ(errorText([&] { writeToolsMarks(s, true, true); }),
              "Failed to create key \\Software\\Quennet\\Accrua\\");
    EXPECT_FALSE(s.readText(names::kUseDefaults).has_value());
}

TEST_F(StoreTest, ABatchOpensTheStoreOnceAndTheNextSeesOtherWrites)
{
    writeRaw("[General]\nTITLE=stored\n");
    int opens = 0;
    const SettingsFactory files = FileSettingsFactory(m_path);
    SettingsStore s([&] {
        ++opens;
        return files();
    });
    AppSettings loaded;
    bool useDefaults = false;
    LoadSettings(s, loaded, useDefaults);
    EXPECT_EQ(opens, 1);
    EXPECT_EQ(loaded.Title, QStringLiteral("stored"));

    // Another copy of the program writes; the next batch sees it.
    store().writeString(names::kTitle, QStringLiteral("changed"));
    LoadSettings(*std::make_unique<SettingsStore>(FileSettingsFactory(m_path)), loaded, useDefaults);
    EXPECT_EQ(loaded.Title, QStringLiteral("changed"));
}

TEST_F(StoreTest, OverridesWinForOneRunWithoutBeingWritten)
{
    writeRaw("[General]\nTITLE=stored\nLOANTYPE=@ByteArray(x)\n");
    SettingsStore s = store();
    s.setOverrides({{names::kTitle, QStringLiteral("override")},
                    {names::kLoanType, QStringLiteral("BOAT LOAN")},
                    {names::kAmortizedBase, QStringLiteral("360")},
                    {names::kPrintTotals, QStringLiteral("0")},
                    {names::kStayOnTop, QStringLiteral("1")}});
    AppSettings loaded;
    bool useDefaults = false;
    LoadSettings(s, loaded, useDefaults);
    EXPECT_EQ(loaded.Title, QStringLiteral("override"));
    EXPECT_EQ(loaded.LoanType, QStringLiteral("BOAT LOAN"));
    EXPECT_EQ(loaded.AmortizedBase, 360);
    EXPECT_FALSE(loaded.PrintTotals);
    EXPECT_TRUE(readStayOnTop(s));
    EXPECT_EQ(store().readString(names::kTitle, {}), QStringLiteral("stored"));
    EXPECT_FALSE(store().readText(names::kAmortizedBase).has_value());
}

TEST_F(StoreTest, TwoStoresSeeEachOthersWrites)
{
    SettingsStore a = store();
    SettingsStore b = store();
    EXPECT_EQ(b.readString(names::kTitle, QStringLiteral("none")), QStringLiteral("none"));
    a.writeString(names::kTitle, QStringLiteral("from a"));
    EXPECT_EQ(b.readString(names::kTitle, {}), QStringLiteral("from a"));
    b.writeString(names::kTitle, QStringLiteral("from b"));
    b.writeInteger(names::kAmortizedBase, 360);
    EXPECT_EQ(a.readString(names::kTitle, {}), QStringLiteral("from b"));
    EXPECT_EQ(a.readInteger(names::kAmortizedBase, 365), 360);
}

TEST_F(StoreTest, HostileStoreFilesAreRefusedOrSurvived)
{
    // A folder, a FIFO (reading would never end) and an oversized file.
    QDir().mkpath(m_path);
    EXPECT_NE(errorText([&] { store().readText(names::kTitle); }), "(no error)");
    QDir().rmdir(m_path);
    ASSERT_EQ(mkfifo(QFile::encodeName(m_path).constData(), 0600), 0);
    EXPECT_NE(errorText([&] { store().readText(names::kTitle); }), "(no error)");
    QFile::remove(m_path);
    writeRaw(QByteArray("[General]\nTITLE=x\n") + QByteArray(kMaxStoreFileBytes, 'a'));
    EXPECT_NE(errorText([&] { store().readText(names::kTitle); }), "(no error)");

    // Random bytes: no crash; whatever reads back is a text or a refusal.
    std::mt19937 gen(7);
    for (int round = 0; round < 50; ++round) {
        QByteArray noise(4096, '\0');
        for (char &c : noise)
            c = static_cast<char>(gen() & 0xff);
        writeRaw(QByteArray("[General]\nTITLE=") + noise);
        SettingsStore s = store();
        AppSettings loaded;
        bool useDefaults = false;
        try {
            LoadSettings(s, loaded, useDefaults);
        } catch (const SettingsError &) {
        }
    }
}

TEST(NativeStore, LivesInTheUserConfigurationFolder)
{
    const QString expected = qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Quennet/Accrua.conf");
    ASSERT_FALSE(qEnvironmentVariable("XDG_CONFIG_HOME").isEmpty());
    SettingsStore s;
    EXPECT_FALSE(s.readText(names::kStayOnTop).has_value());
    writeToolsMarks(s, true, false);
    EXPECT_TRUE(QFileInfo::exists(expected));
    EXPECT_TRUE(s.readFlag(names::kUseDefaults, false));
    EXPECT_FALSE(readStayOnTop(s));
}

TEST_F(StoreTest, ReadAllShowsEffectiveValuesAgainstDefaults)
{
    writeRaw("[General]\nPRINTTOTALS=2\nAMORTIZEDBASE=360\nTITLE=Amortization Schedule\nSTAYONTOP=abc\n"
             "DAILYSUBTITLE=Sub\n");
    SettingsStore s = store();
    const std::vector<SettingReading> all = readAllSettings(s);
    ASSERT_EQ(all.size(), 16u);
    ASSERT_EQ(all.size(), settingSpecs().size());
    for (std::size_t i = 0; i < all.size(); ++i)
        EXPECT_EQ(all[i].name, settingSpecs()[i].name);
    auto find = [&](const QString &name) {
        for (const SettingReading &r : all)
            if (r.name == name)
                return r;
        ADD_FAILURE() << name.toStdString();
        return SettingReading{};
    };
    EXPECT_EQ(find(names::kPrintTotals).value, QStringLiteral("1"));
    EXPECT_TRUE(find(names::kPrintTotals).isDefault);
    EXPECT_EQ(find(names::kAmortizedBase).value, QStringLiteral("360"));
    EXPECT_FALSE(find(names::kAmortizedBase).isDefault);
    EXPECT_TRUE(find(names::kTitle).isDefault);
    EXPECT_EQ(find(names::kStayOnTop).value, QStringLiteral("0"));
    EXPECT_EQ(find(names::kDailySubtitle).value, QStringLiteral("Sub"));
    EXPECT_FALSE(find(names::kDailySubtitle).isDefault);
    EXPECT_EQ(find(names::kImagePath).value, QStringLiteral("c:\\"));
    EXPECT_EQ(find(names::kImagePath).kind, SettingKind::String);
}

TEST_F(StoreTest, WriteByNameUsesTheKindsEncoding)
{
    struct Row {
        QString name, value;
        bool accepted;
        QString stored;
    };
    const std::vector<Row> table = {
        {names::kAmortizedBase, QStringLiteral("360"), true, QStringLiteral("360")},
        {names::kAmortizedBase, QStringLiteral(" -7 "), true, QStringLiteral("-7")},
        {names::kAmortizedBase, QStringLiteral("abc"), false, {}},
        {names::kAmortizedBase, QStringLiteral("3000000000"), false, {}},
        {names::kPrintTotals, QStringLiteral("true"), true, QStringLiteral("1")},
        {names::kPrintTotals, QStringLiteral("0"), true, QStringLiteral("0")},
        {names::kPrintTotals, QStringLiteral("yes"), false, {}},
        {names::kTitle, QStringLiteral("Any, text"), true, QStringLiteral("Any, text")},
        {names::kTitle, QStringLiteral("a") + QChar(u'\0') + QStringLiteral("b"), false, {}},
        {QStringLiteral("title"), QStringLiteral("x"), false, {}},
        {QStringLiteral("NOSUCH"), QStringLiteral("x"), false, {}},
    };
    for (const Row &row : table) {
        QFile::remove(m_path);
        SettingsStore s = store();
        const std::optional<QString> refusal = writeSettingByName(s, row.name, row.value);
        EXPECT_EQ(!refusal.has_value(), row.accepted)
            << row.name.toStdString() << "=" << row.value.toStdString();
        if (row.accepted)
            EXPECT_EQ(s.readText(row.name), std::optional<QString>(row.stored)) << row.name.toStdString();
        else
            EXPECT_FALSE(QFileInfo::exists(m_path)) << row.name.toStdString();
    }
}

TEST(SettingOverrides, CommandLineAssignmentsAreCheckedAndEncoded)
{
    struct Row {
        QString assignment;
        bool accepted;
        QString name, stored;
    };
    const std::vector<Row> table = {
        {QStringLiteral("TITLE=My = Title"), true, names::kTitle, QStringLiteral("My = Title")},
        {QStringLiteral("DAILYSUBTITLE="), true, names::kDailySubtitle, QString()},
        {QStringLiteral("AMORTIZEDBASE=+360"), true, names::kAmortizedBase, QStringLiteral("360")},
        {QStringLiteral("PRINTTOTALS=False"), true, names::kPrintTotals, QStringLiteral("0")},
        {QStringLiteral("AMORTIZEDBASE=x"), false, {}, {}},
        {QStringLiteral("STAYONTOP=2"), false, {}, {}},
        {QStringLiteral("NOSUCH=1"), false, {}, {}},
        {QStringLiteral("TITLE"), false, {}, {}},
        {QStringLiteral("=x"), false, {}, {}},
    };
    for (const Row &row : table) {
        QHash<QString, QString> overrides;
        const std::optional<QString> refusal = addSettingOverride(row.assignment, overrides);
        EXPECT_EQ(!refusal.has_value(), row.accepted) << row.assignment.toStdString();
        if (row.accepted) {
            ASSERT_EQ(overrides.size(), 1) << row.assignment.toStdString();
            EXPECT_EQ(overrides.value(row.name, QStringLiteral("(absent)")), row.stored);
        } else {
            EXPECT_TRUE(overrides.isEmpty());
            EXPECT_FALSE(refusal->isEmpty());
        }
    }
}

} // namespace
