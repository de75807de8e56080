// The page list: finished report pages (one metafile each) kept in a stream
// whose byte layout is the report page file (*.ARP). The engine adds pages
// while a report runs; the preview reads any page at random; saving copies
// the stream to a file, opening reads a file in place.
#pragma once

#include "engine/pagefile/pagefileerror.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

class QIODevice;

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <vector>

namespace accrua::engine::pagefile {

class TRptStream;

struct PageFileHeader {
    quint16 format = 3;
    quint16 writerVersion = 305;
    qint32 pageCount = 0;
    double writtenAt = 0; // days since 1899-12-30
    bool coded = false;
};

// The opening fields of a record (page number, next offset) at an offset,
// read ahead with the record before it.
struct RecordFields {
    qint64 offset = -1;
    qint32 number = 0;
    qint64 next = 0;
};

struct PageRecordInfo {
    qint32 number = 0;
    qint64 offset = 0; // own offset
    qint64 nextOffset = 0;
    qint64 bodySize = 0; // bytes of the body as stored
};

class TRptPageList {
public:
    TRptPageList();
    ~TRptPageList();
    TRptPageList(const TRptPageList &) = delete;
    TRptPageList &operator=(const TRptPageList &) = delete;

    // A fresh in-memory stream (spilling past 100000 bytes); coded bodies when asked.
    void beginReport(bool coded = false);
    void AddPage(const QByteArray &metafile);
    void Finish();
    bool isFinished() const;
    int pageCount() const;
    // Page n (1-based) as metafile bytes; nothing when n is out of range.
    // Throws PageFileError when the stream is damaged.
    std::optional<QByteArray> GetPage(int n) const;
    // Writes a finished report atomically (temporary file, then replace).
    void SaveToFile(const QString &fileName) const;
    // Opens and checks the file before the current stream is released; on
    // failure the list keeps what it had.
    void LoadFromFile(const QString &fileName);
    void clear();

    PageFileHeader header() const;
    std::vector<PageRecordInfo> records() const; // walks every record, checked

    static constexpr qint64 kHeaderSize = 128;
    static constexpr qint64 kCopyBlockSize = 10240;

    // LoadFromFile on bytes already in memory (fuzzing, tests); name is what
    // errors call them.
    void loadFromData(const QByteArray &data, const QString &name);
    // Copies the whole stream to device in kCopyBlockSize blocks; throws
    // PageFileError naming targetName when a write fails.
    void writeTo(QIODevice &device, const QString &targetName) const;
    // Where the header's time of writing comes from (local time); tests pin it.
    void setClock(std::function<QDateTime()> clock);

    // The stream's state, for tests and benchmarks.
    bool isSpilled() const;
    QString temporaryFileName() const;
    qint64 memoryBytes() const;

private:
    mutable std::recursive_mutex m_lock;
    std::unique_ptr<TRptStream> m_stream;
    int m_pageCount = 0;
    bool m_coded = false;
    bool m_finished = false;
    QString m_fileName; // the opened file, for error texts
    // The next record's fields, read with the page last read: a preview or a
    // PDF reading the pages in order reads each in one piece. Any change to
    // the list forgets them.
    mutable RecordFields m_ahead;
    std::function<QDateTime()> m_clock;

    void load(std::unique_ptr<TRptStream> stream, const QString &name);
    void WriteFileHeader(qint32 pageCount);
    QString streamName() const;
};

} // namespace accrua::engine::pagefile
