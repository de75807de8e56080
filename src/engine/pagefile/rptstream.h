// The byte stream behind a page list. A report's pages start in memory and
// move to a private temporary file once they pass kMemoryLimit bytes; a stream
// made from an opened report page file reads that file in place. Every read,
// write and seek holds the stream's re-entrant lock; callers that need several
// steps to stay together take lock() themselves.
#pragma once

#include <QByteArray>
#include <QString>

#include <initializer_list>
#include <memory>
#include <mutex>

class QFile;
class QTemporaryFile;

namespace accrua::engine::pagefile {

class TRptStream {
public:
    static constexpr qint64 kMemoryLimit = 100000;

    // An empty writable stream in memory.
    TRptStream();
    ~TRptStream();
    TRptStream(const TRptStream &) = delete;
    TRptStream &operator=(const TRptStream &) = delete;

    // A read-only stream on a file, opened so that others may still read and
    // write it. Throws PageFileError naming the file.
    static std::unique_ptr<TRptStream> openFile(const QString &fileName);
    // A read-only stream on bytes already in memory.
    static std::unique_ptr<TRptStream> fromData(const QByteArray &data, const QString &name);

    // How errors name the stream: the file, or what the caller calls it.
    QString name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }

    std::recursive_mutex &lock() const { return m_lock; }

    qint64 size() const;
    qint64 pos() const;
    void seek(qint64 pos);
    // Reads up to n bytes at the position; returns the count read (0 at the end).
    qint64 read(char *data, qint64 n);
    // Reads exactly n bytes or throws PageFileError.
    void readExactly(char *data, qint64 n);
    // Writes at the position, growing the stream; spills to the temporary file
    // at the first write that takes the stream past kMemoryLimit.
    void write(const char *data, qint64 n);
    // Writes the pieces one after the other at the position, as write does,
    // in one system call once the stream has spilled.
    struct Piece {
        const char *data;
        qint64 size;
    };
    void writeGathered(std::initializer_list<Piece> pieces);
    // Drops everything from size on (undoing a half-written page).
    void truncate(qint64 size);

    qint32 readInt32();
    quint32 readUInt32();
    void writeInt32(qint32 value);

    bool isReadOnly() const { return m_readOnly; }
    bool isSpilled() const;
    // The temporary file's path while the stream has spilled, else empty.
    QString temporaryFileName() const;
    // Bytes of page data held in memory (0 once spilled or for a file).
    qint64 memoryBytes() const;

private:
    void spill();
    [[noreturn]] void fail(const QString &what) const;

    mutable std::recursive_mutex m_lock;
    QByteArray m_memory;
    qint64 m_pos = 0;
    std::unique_ptr<QTemporaryFile> m_temp;
    qint64 m_tempSize = 0;
    std::unique_ptr<QFile> m_file; // an opened report page file
    bool m_readOnly = false;
    QString m_name = QStringLiteral("report pages in memory");
};

} // namespace accrua::engine::pagefile
