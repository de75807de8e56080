// Files the user keeps: written whole or not at all, read only when they are
// plain files.
//
// SafeFile writes to a temporary file beside the target and renames it over
// the target only when every byte was written and flushed to the disk; any
// failure (a full disk, a file size limit, an I/O error) leaves the target as
// it was, byte for byte. QSaveFile alone is not enough: its buffered writes
// lose a short write when it flushes, and it would replace a device node or
// a FIFO standing at the target's path with a regular file.
#pragma once

#include <QFile>
#include <QSaveFile>
#include <QString>

#include <memory>
#include <optional>

namespace accrua::fileio {

// Why an output path cannot be written to: it exists and is no regular file
// (a device, a FIFO, a folder or a socket), or it cannot be looked up (a loop
// of links, a folder that cannot be searched). Nothing when it is a regular
// file or does not exist yet.
std::optional<QString> checkOutputTarget(const QString &path);

// True when writing one path would reach the file the other names: one
// existing file (the same device and inode, whatever the spelling or links),
// or, for a file not there yet, the same name in the same folder (by the
// folder's canonical path; a dangling link stands for the file it points to,
// where a write through it lands).
bool sameFile(const QString &a, const QString &b);

class SafeFile {
public:
    explicit SafeFile(const QString &path);
    ~SafeFile(); // discards the temporary file unless committed
    SafeFile(const SafeFile &) = delete;
    SafeFile &operator=(const SafeFile &) = delete;

    // Creates the temporary file; refuses a target that is no regular file.
    bool open();
    // Where the writers write. Every write is checked: once one fails or is
    // cut short, later writes fail too and commit() refuses.
    QIODevice &device();
    // Writes all of `bytes`; false on the first failure.
    bool write(const QByteArray &bytes);
    // Flushes to the disk and renames over the target; false (target
    // untouched) after any failure.
    bool commit();
    // Drops what was written; the target stays as it was.
    void cancel();

    // The reason of the first failure, for messages ("No space left on
    // device", "File too large", ...).
    QString errorString() const;
    QString fileName() const { return m_path; }

private:
    class CheckedDevice;

    QString m_path;
    QSaveFile m_file;
    std::unique_ptr<CheckedDevice> m_device;
    QString m_error;
    bool m_committed = false;
};

// Writes `bytes` to `path` through a SafeFile; the reason when it failed.
std::optional<QString> writeFile(const QString &path, const QByteArray &bytes);

// Opens `file` (by its file name) for reading only when it is a regular file,
// without ever waiting on a FIFO or a device. On failure `why` says why.
bool openRegularForReading(QFile &file, QIODevice::OpenMode mode, QString *why);

// The bytes of a regular file of at most `maxBytes`, read as
// openRegularForReading opens it; nothing, with the reason in `why`, for
// anything else (a device would never end, a FIFO never answer).
std::optional<QByteArray> readRegularFile(const QString &path, qint64 maxBytes, QString *why);

} // namespace accrua::fileio
