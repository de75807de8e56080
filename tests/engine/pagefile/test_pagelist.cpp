#include "engine/pagefile/pagelist.h"

#include "pagefile_support.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <atomic>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>

using namespace accrua::engine::pagefile;
using namespace accrua::engine::pagefile::testing;

namespace {

const QString kDataDir = QStringLiteral(PAGEFILE_DATA_DIR);

double fixtureDays()
{
    return 46000.5;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

// A page whose comment makes it about size bytes long, different per page.
QByteArray sizedPage(int n, int size)
{
    QByteArray payload(qMax(1, size - 140), Qt::Uninitialized);
    for (qsizetype i = 0; i < payload.size(); ++i)
        payload[i] = static_cast<char>('a' + (i * 7 + n) % 26);
    return makeEmf(n, payload);
}

std::vector<QByteArray> sizedPages(int count, int size)
{
    std::vector<QByteArray> pages;
    for (int n = 1; n <= count; ++n)
        pages.push_back(sizedPage(n, size + (n % 5) * 8));
    return pages;
}

void fill(TRptPageList &list, const std::vector<QByteArray> &pages, bool coded = false)
{
    list.setClock(fixtureTime);
    list.beginReport(coded);
    for (const QByteArray &p : pages)
        list.AddPage(p);
    list.Finish();
}

quint32 u32At(const QByteArray &b, qint64 at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}

class PageListFile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const QString &name) const { return dir.filePath(name); }
};

TEST_F(PageListFile, OnePageLaysOutHeaderRecordAndTrailingOffset)
{
    TRptPageList list;
    const QByteArray page = makeEmf(1);
    fill(list, {page});
    list.SaveToFile(path("one.arp"));
    const QByteArray file = readAll(path("one.arp"));

    ASSERT_EQ(file.size(), 128 + 8 + page.size() + 4);
    EXPECT_EQ(qFromLittleEndian<quint16>(file.constData()), 3);
    EXPECT_EQ(qFromLittleEndian<quint16>(file.constData() + 2), 305);
    EXPECT_EQ(qFromLittleEndian<qint32>(file.constData() + 8), 1);
    EXPECT_DOUBLE_EQ(qFromLittleEndian<double>(file.constData() + 16), fixtureDays());
    EXPECT_EQ(file[25], 0);
    for (int i : {4, 5, 6, 7, 12, 13, 14, 15, 24, 26, 60, 127})
        EXPECT_EQ(file[i], 0) << "reserved byte " << i;
    EXPECT_EQ(u32At(file, 128), 1u);
    EXPECT_EQ(u32At(file, 132), static_cast<quint32>(file.size()));
    EXPECT_TRUE(file.mid(136, page.size()) == page);
    EXPECT_EQ(u32At(file, file.size() - 4), 128u);
}

TEST_F(PageListFile, ZeroPagesIsTheBareHeader)
{
    TRptPageList list;
    fill(list, {});
    list.SaveToFile(path("none.arp"));
    const QByteArray file = readAll(path("none.arp"));
    EXPECT_TRUE(file == composeFile({}, false, fixtureDays()));
    EXPECT_EQ(list.GetPage(1), std::nullopt);

    TRptPageList back;
    back.LoadFromFile(path("none.arp"));
    EXPECT_EQ(back.pageCount(), 0);
}

TEST_F(PageListFile, WritesTheFixturesByteForByte)
{
    // make_fixtures.py lays the files out independently, with its own coder.
    for (bool coded : {false, true}) {
        TRptPageList list;
        fill(list, threeFixturePages(), coded);
        const QString name =
            coded ? QStringLiteral("three-pages-coded.arp") : QStringLiteral("three-pages.arp");
        list.SaveToFile(path(name));
        EXPECT_TRUE(readAll(path(name)) == readAll(kDataDir + QStringLiteral("/good/") + name))
            << name.toStdString();
    }
}

TEST(PageList, ThreePagesReadAsThreeOneTwo)
{
    TRptPageList list;
    const auto pages = threeFixturePages();
    fill(list, pages);
    for (int n : {3, 1, 2, 2, 3, 1, 1})
        EXPECT_TRUE(list.GetPage(n) == pages[n - 1]) << "page " << n;
}

TEST(PageList, PagesOutsideTheCountAreNothing)
{
    TRptPageList list;
    EXPECT_EQ(list.GetPage(1), std::nullopt);
    fill(list, threeFixturePages());
    for (int n : {-1, 0, 4, 1000})
        EXPECT_EQ(list.GetPage(n), std::nullopt) << n;
    list.clear();
    EXPECT_EQ(list.pageCount(), 0);
    EXPECT_EQ(list.GetPage(1), std::nullopt);
}

TEST(PageList, RejectsBodiesThatAreNotMetafilesAndPagesAfterTheEnd)
{
    TRptPageList list;
    list.beginReport();
    EXPECT_THROW(list.AddPage(QByteArray(200, 'x')), PageFileError);
    QByteArray lying = makeEmf(1);
    qToLittleEndian<quint32>(4000, lying.data() + 48);
    EXPECT_THROW(list.AddPage(lying), PageFileError);
    EXPECT_EQ(list.pageCount(), 0);
    list.AddPage(makeEmf(1));
    list.Finish();
    EXPECT_THROW(list.AddPage(makeEmf(2)), PageFileError);
    EXPECT_EQ(list.pageCount(), 1);
}

// Every storage a page list reads from: its own memory, its temporary file,
// an opened file, and each of those with coded bodies.
struct Storage {
    const char *name;
    int pages;
    int pageSize;
    bool coded;
    bool reopen;
};

class PageListStorage : public ::testing::TestWithParam<Storage> {};

TEST_P(PageListStorage, ReadsEveryPageInRandomOrder)
{
    const Storage &s = GetParam();
    const auto pages = sizedPages(s.pages, s.pageSize);
    TRptPageList list;
    fill(list, pages, s.coded);
    QTemporaryDir dir;
    if (s.reopen) {
        list.SaveToFile(dir.filePath(QStringLiteral("r.arp")));
        list.LoadFromFile(dir.filePath(QStringLiteral("r.arp")));
        EXPECT_FALSE(list.isSpilled());
    }
    ASSERT_EQ(list.pageCount(), s.pages);
    EXPECT_EQ(list.header().coded, s.coded);

    QRandomGenerator rng(s.pages);
    std::vector<int> order;
    for (int n = 1; n <= s.pages; ++n)
        order.push_back(n);
    for (int round = 0; round < 3; ++round) {
        std::shuffle(order.begin(), order.end(), rng);
        for (int n : order) {
            const auto page = list.GetPage(n);
            ASSERT_TRUE(page.has_value()) << n;
            ASSERT_TRUE(*page == pages[n - 1]) << "page " << n;
        }
    }

    const auto records = list.records();
    ASSERT_EQ(records.size(), static_cast<size_t>(s.pages));
    EXPECT_EQ(records.front().offset, 128);
    for (size_t i = 1; i < records.size(); ++i)
        EXPECT_EQ(records[i].offset, records[i - 1].nextOffset);
}

INSTANTIATE_TEST_SUITE_P(Kinds, PageListStorage,
                         ::testing::Values(Storage{"memory", 20, 300, false, false},
                                           Storage{"spilled", 60, 4000, false, false},
                                           Storage{"opened", 60, 4000, false, true},
                                           Storage{"coded_memory", 20, 300, true, false},
                                           Storage{"coded_spilled", 40, 8000, true, false},
                                           Storage{"coded_opened", 40, 8000, true, true}),
                         [](const auto &paramInfo) { return std::string(paramInfo.param.name); });

TEST(PageList, SavedFileIsTheSameWhetherInMemoryOrSpilled)
{
    // Page counts around the 100000-byte limit: well below, at it and past it.
    for (int count : {5, 24, 25, 26, 60}) {
        const auto pages = sizedPages(count, 3980);
        TRptPageList list;
        fill(list, pages);
        const QByteArray expected = composeFile(pages, false, fixtureDays());
        EXPECT_EQ(list.isSpilled(), expected.size() > 100000) << count;
        EXPECT_EQ(list.memoryBytes(), list.isSpilled() ? 0 : expected.size());
        QTemporaryDir dir;
        list.SaveToFile(dir.filePath(QStringLiteral("s.arp")));
        EXPECT_TRUE(readAll(dir.filePath(QStringLiteral("s.arp"))) == expected) << count;
    }
}

TEST(PageList, SpillsOnlyPastTheLimit)
{
    // One page whose record brings the stream to exactly 100000 bytes stays in
    // memory; four bytes more move it to the temporary file.
    for (int extra : {0, 4}) {
        const QByteArray page = makeEmf(1, QByteArray(100000 - 128 - 12 - 140 + extra, 'p'));
        TRptPageList list;
        fill(list, {page});
        const QByteArray expected = composeFile({page}, false, fixtureDays());
        ASSERT_EQ(expected.size(), 100000 + extra);
        EXPECT_EQ(list.isSpilled(), extra > 0);
        QTemporaryDir dir;
        list.SaveToFile(dir.filePath(QStringLiteral("b.arp")));
        EXPECT_TRUE(readAll(dir.filePath(QStringLiteral("b.arp"))) == expected);
    }
}

TEST(PageList, TemporaryFileIsPrivateAndGoneWithTheStream)
{
    const auto pages = sizedPages(40, 4000);
    auto released = [&](auto release) {
        auto list = std::make_unique<TRptPageList>();
        fill(*list, pages);
        const QString temp = list->temporaryFileName();
        EXPECT_TRUE(QFileInfo(temp).fileName().startsWith(QStringLiteral("ARP")));
        EXPECT_EQ(QFileInfo(temp).absolutePath(), QFileInfo(QDir::tempPath()).absoluteFilePath());
        struct stat st {};
        EXPECT_EQ(::stat(QFile::encodeName(temp).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0600u);
        release(list);
        return temp;
    };
    EXPECT_FALSE(QFile::exists(released([](auto &l) { l->clear(); })));
    EXPECT_FALSE(QFile::exists(released([](auto &l) { l.reset(); })));
    EXPECT_FALSE(QFile::exists(released([](auto &l) { l->beginReport(); })));
    QTemporaryDir dir;
    EXPECT_FALSE(QFile::exists(released([&](auto &l) {
        l->SaveToFile(dir.filePath(QStringLiteral("x.arp")));
        l->LoadFromFile(dir.filePath(QStringLiteral("x.arp")));
    })));
}

TEST_F(PageListFile, SavingBeforeTheEndDoesNothing)
{
    TRptPageList list;
    list.SaveToFile(path("never.arp"));
    list.beginReport();
    list.AddPage(makeEmf(1));
    list.SaveToFile(path("never.arp"));
    EXPECT_FALSE(QFile::exists(path("never.arp")));
}

TEST_F(PageListFile, SavingOverTheOpenedFileKeepsItReadable)
{
    const auto pages = sizedPages(10, 500);
    TRptPageList list;
    fill(list, pages);
    list.SaveToFile(path("a.arp"));
    list.LoadFromFile(path("a.arp"));
    list.SaveToFile(path("a.arp"));
    EXPECT_TRUE(readAll(path("a.arp")) == composeFile(pages, false, fixtureDays()));
    for (int n : {10, 1, 5})
        EXPECT_TRUE(list.GetPage(n) == pages[n - 1]);
}

TEST(PageList, WriteErrorIsReportedWithTheTargetName)
{
    TRptPageList list;
    fill(list, sizedPages(8, 3000));
    for (qint64 limit : {0, 100, 10240, 20000}) {
        FailDevice device(limit);
        try {
            list.writeTo(device, QStringLiteral("/reports/target.arp"));
            FAIL() << "no error after " << limit << " bytes";
        } catch (const PageFileError &e) {
            EXPECT_TRUE(e.message().contains(QStringLiteral("target.arp")));
            EXPECT_TRUE(e.message().contains(QStringLiteral("device full")));
        }
        EXPECT_LE(device.written.size(), limit);
    }
}

TEST_F(PageListFile, FailedSaveLeavesTheExistingFileUnchanged)
{
    const QByteArray before = composeFile(threeFixturePages(), false, 1.0);
    writeAll(path("keep.arp"), before);
    TRptPageList list;
    fill(list, sizedPages(30, 3000));

    // The file system refuses to let any file grow past 4096 bytes.
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool failed = false;
    try {
        list.SaveToFile(path("keep.arp"));
    } catch (const PageFileError &e) {
        failed = e.message().contains(QStringLiteral("keep.arp"));
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_TRUE(failed);
    EXPECT_TRUE(readAll(path("keep.arp")) == before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("keep.arp")});

    EXPECT_THROW(list.SaveToFile(path("no/such/folder/x.arp")), PageFileError);
}

TEST(PageListFixtures, GoodFilesOpen)
{
    const QStringList names = QDir(kDataDir + QStringLiteral("/good")).entryList({QStringLiteral("*.arp")});
    ASSERT_EQ(names.size(), 3);
    for (const QString &name : names) {
        TRptPageList list;
        list.LoadFromFile(kDataDir + QStringLiteral("/good/") + name);
        const auto expected =
            name.startsWith(QStringLiteral("zero")) ? std::vector<QByteArray>{} : threeFixturePages();
        ASSERT_EQ(list.pageCount(), static_cast<int>(expected.size())) << name.toStdString();
        EXPECT_EQ(list.header().coded, name.contains(QStringLiteral("coded")));
        for (int n : {3, 1, 2}) {
            if (n <= list.pageCount()) {
                EXPECT_TRUE(list.GetPage(n) == expected[n - 1]) << name.toStdString() << n;
            }
        }
    }
}

class BrokenFixture : public ::testing::TestWithParam<QString> {};

TEST_P(BrokenFixture, FailsClearlyAndLeavesTheLoadedListAlone)
{
    const QString file = kDataDir + QStringLiteral("/broken/") + GetParam();
    QString expect =
        QString::fromUtf8(readAll(QString(file).replace(QStringLiteral(".arp"), QStringLiteral(".expect"))))
            .trimmed();
    ASSERT_FALSE(expect.isEmpty()) << "missing .expect beside " << file.toStdString();

    const auto pages = threeFixturePages();
    TRptPageList list;
    list.LoadFromFile(kDataDir + QStringLiteral("/good/three-pages.arp"));
    ASSERT_TRUE(list.GetPage(2) == pages[1]); // the walk now stands inside the file

    for (bool fromData : {false, true}) {
        try {
            if (fromData)
                list.loadFromData(readAll(file), GetParam());
            else
                list.LoadFromFile(file);
            FAIL() << "opened " << file.toStdString();
        } catch (const PageFileError &e) {
            const QString message = e.message();
            EXPECT_TRUE(message.contains(GetParam())) << message.toStdString();
            EXPECT_TRUE(message.contains(expect)) << message.toStdString();
            EXPECT_FALSE(message.contains(QLatin1Char('\n')));
        }
        EXPECT_EQ(list.pageCount(), 3);
        EXPECT_TRUE(list.isFinished());
        for (int n : {3, 1, 2})
            EXPECT_TRUE(list.GetPage(n) == pages[n - 1]);
    }
}

INSTANTIATE_TEST_SUITE_P(FromDisk, BrokenFixture, ::testing::ValuesIn([] {
                             const QStringList names = QDir(kDataDir + QStringLiteral("/broken"))
                                                           .entryList({QStringLiteral("*.arp")});
                             return std::vector<QString>(names.begin(), names.end());
                         }()),
                         [](const auto &paramInfo) {
                             return QString(paramInfo.param)
                                 .remove(QStringLiteral(".arp"))
                                 .replace(QLatin1Char('-'), QLatin1Char('_'))
                                 .toStdString();
                         });

TEST_F(PageListFile, DamageAfterOpeningIsCaughtWhenThePageIsRead)
{
    // Others may write the file while it is open; each read checks again.
    const auto pages = sizedPages(5, 400);
    const QByteArray good = composeFile(pages, false, fixtureDays());
    writeAll(path("live.arp"), good);
    TRptPageList list;
    list.LoadFromFile(path("live.arp"));

    struct Damage {
        const char *what;
        qint64 at;
        quint32 value;
    };
    const qint64 page3 = u32At(good, u32At(good, 128 + 4) + 4);
    const qint64 page4 = u32At(good, page3 + 4);
    const qint64 page5 = u32At(good, page4 + 4);
    for (const Damage &d :
         {Damage{"next offset loops", page3 + 4, 128},
          Damage{"next offset past the end", page3 + 4, 0x7fffff00}, Damage{"renumbered", page4, 9},
          Damage{"metafile size", page4 + 8 + 48, 0x10000000}, Damage{"own offset", page5 - 4, 16}}) {
        QByteArray bad = good;
        qToLittleEndian<quint32>(d.value, bad.data() + d.at);
        writeAll(path("live.arp"), bad);
        list.GetPage(1);
        EXPECT_THROW(list.GetPage(4), PageFileError) << d.what;
        EXPECT_THROW(list.records(), PageFileError) << d.what;
        writeAll(path("live.arp"), good);
        EXPECT_TRUE(list.GetPage(4) == pages[3]) << d.what;
    }
    // Cut short under the reader.
    writeAll(path("live.arp"), good.left(good.size() / 2));
    EXPECT_THROW(list.GetPage(5), PageFileError);
}

TEST(PageList, PreviewReadsWhileTheWorkerAdds)
{
    const auto pages = sizedPages(300, 1200);
    TRptPageList list;
    list.beginReport();
    std::atomic<bool> done{false};
    std::thread worker([&] {
        for (const QByteArray &p : pages)
            list.AddPage(p);
        list.Finish();
        done = true;
    });
    QRandomGenerator rng(11);
    int reads = 0;
    while (!done || reads < 500) {
        const int count = list.pageCount();
        if (count == 0)
            continue;
        const int n = 1 + static_cast<int>(rng.bounded(count));
        const auto page = list.GetPage(n);
        ASSERT_TRUE(page.has_value());
        ASSERT_TRUE(*page == pages[n - 1]) << n;
        ++reads;
    }
    worker.join();
    EXPECT_EQ(list.pageCount(), 300);
    EXPECT_TRUE(list.isSpilled());
}

} // namespace
