// Faults on demand for the tests of everything that writes or reads user
// files: a device that fails after N bytes, and child processes that meet a
// full disk or lack the rights to read, without root and without a small
// file system of their own.
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <functional>

namespace accrua::testsupport {

// Takes `limit` bytes, then fails every write, the way a full disk does: the
// write that crosses the limit is cut short, the next one fails.
class FailAfterDevice : public QIODevice {
public:
    explicit FailAfterDevice(qint64 limit);
    const QByteArray &written() const { return m_data; }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 len) override;

private:
    qint64 m_limit;
    QByteArray m_data;
};

// Runs `body` in a forked child whose files cannot grow past `bytes`
// (RLIMIT_FSIZE, with SIGXFSZ ignored so that such writes fail with EFBIG
// instead of killing it). Returns the child's exit status, or -1 when it did
// not exit normally.
int runWithFileSizeLimit(qint64 bytes, const std::function<int()> &body);

// Runs `body` in a forked child that is killed after `seconds`: a loop that
// does not end fails the test (-1) instead of hanging the run.
int runWithTimeLimit(unsigned seconds, const std::function<int()> &body);

// Runs `body` in a forked child without root's rights (as nobody when the
// tests run as root), so that a file without read permission is unreadable.
int runUnprivileged(const std::function<int()> &body);

// A file's bytes, or an empty array when it cannot be read.
QByteArray fileBytes(const QString &path);

} // namespace accrua::testsupport
