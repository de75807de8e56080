// Storage faults: every write of the settings store lands whole or leaves the
// file as it was, byte for byte, however far the disk lets it get; values
// that would make the store unreadable are refused; an unreadable store says
// so instead of showing defaults.
#include "settings/inifile.h"
#include "settings/options.h"
#include "settings/store.h"
#include "settings/values.h"

#include "faults.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>
#include <set>

using namespace accrua::settings;
using accrua::testsupport::fileBytes;
using accrua::testsupport::runUnprivileged;
using accrua::testsupport::runWithFileSizeLimit;

namespace {

class StoreFaults : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("Quennet/Accrua.conf"));
    }
    SettingsStore store() const { return SettingsStore(FileSettingsFactory(m_path)); }
    void writeRaw(const QByteArray &bytes) const
    {
        QDir().mkpath(QFileInfo(m_path).path());
        QFile f(m_path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }

    QTemporaryDir m_dir;
    QString m_path;
};

// What stood in the store before the failing write.
struct Before {
    const char *name;
    QByteArray content; // empty: no store yet
};

class StoreWriteOnAFullDisk : public StoreFaults, public ::testing::WithParamInterface<Before> {};

// However many bytes the disk takes, the file afterwards is the old one or
// the complete new one, and the write reports failure exactly when it is
// the old one.
TEST_P(StoreWriteOnAFullDisk, LeavesTheOldFileOrTheWholeNewOne)
{
    const QByteArray old = GetParam().content;
    if (!old.isEmpty())
        writeRaw(old);
    // The complete result, written without a limit into a copy.
    QTemporaryDir other;
    const QString copy = other.filePath(QStringLiteral("Accrua.conf"));
    if (!old.isEmpty()) {
        QFile f(copy);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(old);
    }
    SettingsStore(FileSettingsFactory(copy)).writeString(names::kDailyTitle, QStringLiteral("hello"));
    const QByteArray complete = fileBytes(copy);
    ASSERT_TRUE(complete.contains("DAILYTITLE=hello"));

    std::set<qint64> limits = {0, 1, complete.size() / 2, complete.size() - 1, complete.size() + 4096};
    for (qint64 n = 64; n < complete.size(); n += 97)
        limits.insert(n);
    for (const qint64 limit : limits) {
        SCOPED_TRACE(limit);
        const int status = runWithFileSizeLimit(limit, [&] {
            try {
                store().writeString(names::kDailyTitle, QStringLiteral("hello"));
                return 0;
            } catch (const SettingsError &e) {
                const bool named = e.text() == QStringLiteral("Failed to set data for 'DAILYTITLE'") ||
                                   e.text() == QStringLiteral("Failed to create key %1").arg(kSettingsKey);
                return named ? 1 : 2;
            }
        });
        const QByteArray after = fileBytes(m_path);
        EXPECT_EQ(status, limit < complete.size() ? 1 : 0);
        EXPECT_EQ(after, status == 1 ? old : complete);
        // The next write starts from what is there.
        if (!old.isEmpty())
            writeRaw(old);
        else
            QFile::remove(m_path);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Stores, StoreWriteOnAFullDisk,
    ::testing::Values(Before{"NoStoreYet", {}},
                      Before{"SixteenValues",
                             "[General]\nPRINTTOTALS=1\nIMAGEPATH=/home/u/logo.jpg\nTITLE=" +
                                 QByteArray(1500, 'a') +
                                 "\nLOANTYPE=HOME\nAMORTIZEDBASE=360\nUSEDEFAULTS=1\n"
                                 "PAYMENTRESOLUTION=INCREASEPAYMENTCOUNT\nAMORTSCHEDULE=MONTHLY\n"
                                 "SAVINGSTITLE=Savings\nSAVINGSSUBTITLE=sub\nPRINTSAVINGSTOTALS=0\n"
                                 "DAILYTITLE=Daily\nDAILYSUBTITLE=\nPRINTIMAGE=0\nUSECLASSICVIEW=1\n"
                                 "STAYONTOP=1\n"},
                      Before{"HandEditedWithComments", "; kept by hand\n[General]\nTITLE=\"a, b\" ; note\n"
                                                       "[Other]\nDAILYTITLE=elsewhere\n"}),
    [](const ::testing::TestParamInfo<Before> &row) { return std::string(row.param.name); });

// A batch of writes (the options dialog's OK, the Tools marks on close) that
// meets a full disk stops at the failing value: the file then holds exactly
// the values written before it, each whole.
TEST_F(StoreFaults, ABatchOnAFullDiskKeepsEachWriteWhole)
{
    OptionsState state = OptionsState::defaults();
    state.amortTitle = QString(700, QLatin1Char('t'));
    state.savingsTitle = QString(700, QLatin1Char('s'));
    state.dailyTitle = QString(700, QLatin1Char('d'));
    // The file after each write of the batch, from a run without a limit.
    std::vector<QByteArray> stages;
    {
        QTemporaryDir other;
        const QString copy = other.filePath(QStringLiteral("Accrua.conf"));
        SettingsStore s(FileSettingsFactory(copy));
        struct Recording : SettingsStoreAccess {
            Recording(SettingsStore &s, const QString &path, std::vector<QByteArray> &out)
                : SettingsStoreAccess(s), m_path(path), m_out(out)
            {
            }
            void writeString(const QString &n, const QString &t) override
            {
                SettingsStoreAccess::writeString(n, t);
                m_out.push_back(fileBytes(m_path));
            }
            void writeInteger(const QString &n, std::int32_t v) override
            {
                SettingsStoreAccess::writeInteger(n, v);
                m_out.push_back(fileBytes(m_path));
            }
            void writeFlag(const QString &n, bool v) override
            {
                SettingsStoreAccess::writeFlag(n, v);
                m_out.push_back(fileBytes(m_path));
            }
            QString m_path;
            std::vector<QByteArray> &m_out;
        } recording(s, copy, stages);
        writeOptions(recording, state);
    }
    ASSERT_EQ(stages.size(), 14u);
    for (const qint64 limit : {qint64{0}, qint64{300}, qint64{900}, qint64{1600}, qint64{2200}}) {
        SCOPED_TRACE(limit);
        QFile::remove(m_path);
        const int status = runWithFileSizeLimit(limit, [&] {
            SettingsStore s = store();
            SettingsStoreAccess access(s);
            try {
                writeOptions(access, state);
            } catch (const SettingsError &) {
                return 1;
            }
            return 0;
        });
        EXPECT_EQ(status, 1);
        const QByteArray after = fileBytes(m_path);
        const bool isAStage =
            after.isEmpty() || std::find(stages.begin(), stages.end(), after) != stages.end();
        EXPECT_TRUE(isAStage) << after.size() << " bytes";
    }
}

// Values that would push the file past what the store reads back are
// refused, so the store can always be read and repaired.
TEST_F(StoreFaults, ValuesThatWouldLockTheStoreOutAreRefused)
{
    struct Row {
        const char *name;
        QString text;
        bool stored;
    };
    const QString control = QString(QChar(u'\x01')).repeated(20000); // stored as 6-byte escapes
    const Row rows[] = {
        {"64 KiB of letters", QString(64 * 1024, QLatin1Char('a')), true},
        {"one byte more", QString(64 * 1024 + 1, QLatin1Char('a')), false},
        {"a megabyte", QString(1024 * 1024, QLatin1Char('a')), false},
        {"escapes past 64 KiB", control, false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        QFile::remove(m_path);
        SettingsStore s = store();
        s.writeString(names::kLoanType, QStringLiteral("kept"));
        const QByteArray before = fileBytes(m_path);
        bool refused = false;
        try {
            s.writeString(names::kTitle, row.text);
        } catch (const SettingsError &e) {
            refused = true;
            EXPECT_TRUE(e.text().contains(QStringLiteral("'TITLE'"))) << e.text().toStdString();
        }
        EXPECT_EQ(refused, !row.stored);
        if (refused) {
            EXPECT_EQ(fileBytes(m_path), before);
        }
        // Whatever happened, the store still reads.
        EXPECT_EQ(store().readString(names::kLoanType, {}), QStringLiteral("kept"));
        if (row.stored) {
            EXPECT_EQ(store().readString(names::kTitle, {}), row.text);
        }
    }
    // Filling every text value to the bound still leaves a readable store.
    SettingsStore s = store();
    for (const SettingSpec &spec : settingSpecs()) {
        if (spec.kind == SettingKind::String)
            s.writeString(spec.name, QString(64 * 1024, QLatin1Char('x')));
    }
    EXPECT_LE(QFileInfo(m_path).size(), kMaxStoreFileBytes);
    EXPECT_EQ(store().readString(names::kDailySubtitle, {}).size(), 64 * 1024);
}

// Any text a user can give (all but a NUL) is stored so that it reads back
// as itself, as one text, whatever QSettings would make of it unquoted.
TEST(StoredText, ReadsBackAsItself)
{
    std::vector<QString> texts = {
        QString(),
        QStringLiteral(" lead"),
        QStringLiteral("trail "),
        QStringLiteral("a,b"),
        QStringLiteral("a;b"),
        QStringLiteral("\"q\""),
        QStringLiteral("c:\\dir\\"),
        QStringLiteral("@Variant(x)"),
        QStringLiteral("@@"),
        QStringLiteral("line\nbreak\r\n"),
        QStringLiteral("tab\there"),
        QStringLiteral("\x01"
                       "abc"),
        QStringLiteral("ü € 日本"),
        QStringLiteral("#hash"),
        QStringLiteral("a=b"),
        QString(QChar(0xd83d)) + QChar(0xde00),
        QString::fromUtf8("\xef\xbb\xbf\x9e"
                          "eT?I\"neG]\nT\n"),
        QString(QChar(0xdc00)) + QStringLiteral("lone"),
    };
    std::mt19937 gen(11);
    for (int k = 0; k < 300; ++k) {
        QString t;
        const int length = static_cast<int>(gen() % 12);
        for (int i = 0; i < length; ++i) {
            const char16_t pick[] = {u'a',
                                     u'0',
                                     u'F',
                                     u' ',
                                     u',',
                                     u';',
                                     u'"',
                                     u'\\',
                                     u'@',
                                     u'=',
                                     u'\n',
                                     u'\x7f',
                                     u'\x1f',
                                     u'é',
                                     u'[',
                                     u']',
                                     u'%',
                                     u'#',
                                     static_cast<char16_t>(gen() % 0xd800)};
            t += QChar(pick[gen() % std::size(pick)]);
        }
        texts.push_back(t);
    }
    QTemporaryDir dir;
    int n = 0;
    for (const QString &text : texts) {
        // A fresh file each time: QSettings caches what it read per path.
        const QString path = dir.filePath(QStringLiteral("%1.conf").arg(++n));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(SetValueInStoreFile("[General]\nOTHER=1\n", names::kTitle, text));
        f.close();
        QSettings raw(path, QSettings::IniFormat);
        EXPECT_EQ(raw.value(names::kTitle).typeId(), QMetaType::QString) << text.toStdString();
        EXPECT_EQ(raw.value(names::kTitle).toString(), text)
            << SetValueInStoreFile({}, names::kTitle, text).toStdString();
        EXPECT_EQ(raw.value(QStringLiteral("OTHER")).toString(), QStringLiteral("1"));
        EXPECT_FALSE(FindSerializedValue(fileBytes(path)).has_value());
    }
}

// The new value replaces the General section's line for it; every other
// byte stays.
TEST(StoredText, OnlyTheValuesLineChanges)
{
    struct Row {
        const char *name;
        QByteArray before, after;
    };
    const Row rows[] = {
        {"no file", "", "[General]\nTITLE=new\n"},
        {"replaced in place", "; mine\n[General]\nA=1\nTITLE=old ; why\nB=2\n",
         "; mine\n[General]\nA=1\nTITLE=new; why\nB=2\n"},
        {"keys before any section are General", "TITLE=old\n[Other]\nTITLE=x\n",
         "TITLE=new\n[Other]\nTITLE=x\n"},
        {"other sections untouched", "[Other]\nTITLE=x\n", "[General]\nTITLE=new\n[Other]\nTITLE=x\n"},
        {"added to the General section", "[Other]\nX=1\n[general]\nA=1",
         "[Other]\nX=1\n[general]\nTITLE=new\nA=1"},
        {"duplicates dropped", "[General]\nTITLE=a\nTITLE=b\nC=3\n", "[General]\n\nTITLE=new\nC=3\n"},
        {"quotes run over line breaks", "[General]\nA=\"x\nTITLE=old\"\n",
         "[General]\nTITLE=new\nA=\"x\nTITLE=old\"\n"},
        {"byte order mark", "\xef\xbb\xbfTITLE=old\n", "\xef\xbb\xbfTITLE=new\n"},
        // QSettings would read the name " TITLE" there.
        {"blanks after the byte order mark", "\xef\xbb\xbf \tTITLE=old\n", "\xef\xbb\xbfTITLE=new\n"},
        {"continued line replaced whole", "[General]\nTITLE=a\\\nb\nC=3\n", "[General]\nTITLE=new\nC=3\n"},
        {"header without a line break", "[General]", "[General]\nTITLE=new\n[General]"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(SetValueInStoreFile(row.before, names::kTitle, QStringLiteral("new")), row.after)
            << row.name;
}

// A store that exists but cannot be read says so: it is not a store of
// defaults, and writing over it would lose the values in it.
TEST_F(StoreFaults, AnUnreadableStoreIsReportedNotShownAsDefaults)
{
    writeRaw("[General]\nTITLE=mine\n");
    // The folders can be searched; the file itself cannot be read.
    const auto searchable = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                            QFileDevice::ExeGroup | QFileDevice::ExeOther;
    QFile(m_dir.path()).setPermissions(searchable);
    QFile(QFileInfo(m_path).path()).setPermissions(searchable);
    ASSERT_EQ(QFile(m_path).setPermissions(QFileDevice::WriteOwner), true);
    const QByteArray before = fileBytes(m_path);
    const int status = runUnprivileged([&] {
        int failures = 0;
        for (const auto &action : std::vector<std::function<void()>>{
                 [&] { readAllSettings(*std::make_unique<SettingsStore>(FileSettingsFactory(m_path))); },
                 [&] { store().writeString(names::kTitle, QStringLiteral("x")); }}) {
            try {
                action();
            } catch (const SettingsError &e) {
                failures += e.text().contains(QStringLiteral("cannot be read")) ? 1 : 0;
            }
        }
        return failures;
    });
    EXPECT_EQ(status, 2);
    QFile(m_path).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(fileBytes(m_path), before);
}

} // namespace
