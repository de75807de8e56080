#include "fileio/safefile.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace accrua::fileio {

namespace {

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

std::optional<struct stat> statOf(const QString &path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return std::nullopt;
    return st;
}

QString kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("a folder");
    if (S_ISFIFO(mode))
        return QStringLiteral("a FIFO");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("a device");
    return QStringLiteral("not a regular file");
}

} // namespace

std::optional<QString> checkOutputTarget(const QString &path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) {
        // Only a name that is not there yet is free: a loop of links would
        // be replaced by a file.
        if (errno == ENOENT)
            return std::nullopt;
        return systemError(errno);
    }
    if (S_ISREG(st.st_mode))
        return std::nullopt;
    return QStringLiteral("it is %1, not a regular file").arg(kindOf(st.st_mode));
}

namespace {

// Where a write to `path` would create the file when it is not there yet.
QString placeOf(const QString &path)
{
    QFileInfo info(path);
    if (info.isSymLink())
        info.setFile(info.symLinkTarget());
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return (folder.isEmpty() ? QDir::cleanPath(info.absolutePath()) : folder) + u'/' + info.fileName();
}

} // namespace

bool sameFile(const QString &a, const QString &b)
{
    const std::optional<struct stat> x = statOf(a);
    const std::optional<struct stat> y = statOf(b);
    if (x && y)
        return x->st_dev == y->st_dev && x->st_ino == y->st_ino;
    return !x && !y && placeOf(a) == placeOf(b);
}

// Passes writes on to the unbuffered temporary file and remembers the first
// one that failed or was cut short; errno still holds the reason then.
class SafeFile::CheckedDevice : public QIODevice {
public:
    CheckedDevice(QSaveFile &file, QString &error) : m_file(file), m_error(error) {}

    bool failed() const { return !m_error.isEmpty(); }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 len) override
    {
        if (failed()) {
            setErrorString(m_error);
            return -1;
        }
        errno = 0;
        const qint64 written = m_file.write(data, len);
        if (written != len) {
            const int error = errno;
            m_error = error != 0 ? systemError(error) : m_file.errorString();
            if (m_error.isEmpty())
                m_error = QStringLiteral("the write was cut short");
            setErrorString(m_error);
            return -1;
        }
        return written;
    }

private:
    QSaveFile &m_file;
    QString &m_error;
};

SafeFile::SafeFile(const QString &path) : m_path(path), m_file(path) {}

SafeFile::~SafeFile()
{
    if (!m_committed)
        cancel();
}

bool SafeFile::open()
{
    if (const std::optional<QString> why = checkOutputTarget(m_path)) {
        m_error = *why;
        return false;
    }
    // Unbuffered, so that each write reaches the file at once and its result
    // is seen; a buffered QFileDevice drops a short write when it flushes.
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        m_error = m_file.errorString();
        return false;
    }
    m_device = std::make_unique<CheckedDevice>(m_file, m_error);
    m_device->open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    return true;
}

QIODevice &SafeFile::device()
{
    Q_ASSERT(m_device);
    return *m_device;
}

bool SafeFile::write(const QByteArray &bytes)
{
    if (!m_device || !m_error.isEmpty())
        return false;
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = m_device->write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

bool SafeFile::commit()
{
    if (!m_device || !m_error.isEmpty()) {
        cancel();
        return false;
    }
    // A delayed allocation can still fail here: the data must be on the disk
    // before the old file is replaced.
    if (::fsync(m_file.handle()) != 0 && errno != EINVAL && errno != EROFS) {
        m_error = systemError(errno);
        cancel();
        return false;
    }
    m_device->close();
    if (!m_file.commit()) {
        m_error = m_file.errorString();
        return false;
    }
    m_committed = true;
    return true;
}

void SafeFile::cancel()
{
    if (m_device)
        m_device->close();
    if (m_file.isOpen()) {
        m_file.cancelWriting();
        // Committing a cancelled file only removes the temporary file.
        m_file.commit();
    }
}

QString SafeFile::errorString() const
{
    return m_error.isEmpty() ? m_file.errorString() : m_error;
}

std::optional<QString> writeFile(const QString &path, const QByteArray &bytes)
{
    SafeFile file(path);
    if (!file.open() || !file.write(bytes) || !file.commit())
        return file.errorString();
    return std::nullopt;
}

bool openRegularForReading(QFile &file, QIODevice::OpenMode mode, QString *why)
{
    const auto fail = [&](const QString &text) {
        if (why)
            *why = text;
        return false;
    };
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
    const int fd =
        ::open(QFile::encodeName(file.fileName()).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return fail(systemError(errno));
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const QString text = QStringLiteral("it is %1, not a regular file").arg(kindOf(st.st_mode));
        ::close(fd);
        return fail(text);
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    if (!file.open(fd, mode | QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return fail(file.errorString());
    }
    return true;
}

std::optional<QByteArray> readRegularFile(const QString &path, qint64 maxBytes, QString *why)
{
    QFile file(path);
    if (!openRegularForReading(file, QIODevice::ReadOnly, why))
        return std::nullopt;
    QByteArray data = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError || data.size() > maxBytes) {
        if (why)
            *why = data.size() > maxBytes ? QStringLiteral("it is larger than %1 bytes").arg(maxBytes)
                                          : file.errorString();
        return std::nullopt;
    }
    return data;
}

} // namespace accrua::fileio
