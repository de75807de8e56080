#include "engine/pagefile/rptstream.h"

#include "engine/pagefile/pagefileerror.h"
#include "fileio/safefile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>
#include <QtEndian>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <sys/uio.h>
#include <unistd.h>
#endif

namespace accrua::engine::pagefile {

namespace {

// QTemporaryFile opens buffered; page walks seek on every record, so an
// unbuffered handle reads only what is asked for.
class UnbufferedTemporaryFile : public QTemporaryFile {
public:
    using QTemporaryFile::QTemporaryFile;
    bool openUnbuffered() { return open(QIODevice::ReadWrite | QIODevice::Unbuffered); }
};

} // namespace

TRptStream::TRptStream() = default;
TRptStream::~TRptStream() = default;

std::unique_ptr<TRptStream> TRptStream::openFile(const QString &fileName)
{
    auto stream = std::make_unique<TRptStream>();
    stream->m_file = std::make_unique<QFile>(fileName);
    // Only a regular file: a FIFO or a device would never end (or never start).
    QString why;
    if (!fileio::openRegularForReading(*stream->m_file, QIODevice::Unbuffered, &why))
        throw PageFileError(QStringLiteral("Cannot open report page file \"%1\": %2")
                                .arg(QDir::toNativeSeparators(fileName), why));
    stream->m_readOnly = true;
    stream->m_name = QDir::toNativeSeparators(fileName);
    return stream;
}

std::unique_ptr<TRptStream> TRptStream::fromData(const QByteArray &data, const QString &name)
{
    auto stream = std::make_unique<TRptStream>();
    stream->m_name = name;
    stream->m_memory = data;
    stream->m_readOnly = true;
    return stream;
}

qint64 TRptStream::size() const
{
    std::lock_guard guard(m_lock);
    if (m_temp)
        return m_tempSize; // only this stream writes it
    if (m_file)
        return m_file->size();
    return m_memory.size();
}

qint64 TRptStream::pos() const
{
    std::lock_guard guard(m_lock);
    return m_pos;
}

void TRptStream::seek(qint64 pos)
{
    std::lock_guard guard(m_lock);
    if (pos < 0)
        fail(QStringLiteral("Cannot read \"%1\": seek to a negative offset").arg(m_name));
    m_pos = pos;
}

qint64 TRptStream::read(char *data, qint64 n)
{
    std::lock_guard guard(m_lock);
    if (n <= 0)
        return 0;
    QFile *device = m_temp ? static_cast<QFile *>(m_temp.get()) : m_file.get();
    if (device) {
#ifdef Q_OS_UNIX
        // One positioned read per step of a page walk instead of a seek and a
        // read; the device's own position is left alone.
        qint64 got;
        do {
            got = ::pread(device->handle(), data, static_cast<size_t>(n), m_pos);
        } while (got < 0 && errno == EINTR);
        if (got < 0)
            fail(QStringLiteral("Cannot read \"%1\": %2").arg(m_name, qt_error_string(errno)));
#else
        if (device->pos() != m_pos && !device->seek(m_pos))
            return 0;
        const qint64 got = device->read(data, n);
#endif
        if (got < 0)
            fail(QStringLiteral("Cannot read \"%1\": %2").arg(m_name, device->errorString()));
        m_pos += got;
        return got;
    }
    const qint64 available = qMax<qint64>(0, m_memory.size() - m_pos);
    const qint64 got = qMin(n, available);
    if (got > 0)
        memcpy(data, m_memory.constData() + m_pos, static_cast<size_t>(got));
    m_pos += got;
    return got;
}

void TRptStream::readExactly(char *data, qint64 n)
{
    std::lock_guard guard(m_lock);
    qint64 done = 0;
    while (done < n) {
        const qint64 got = read(data + done, n - done);
        if (got <= 0)
            fail(QStringLiteral("Cannot read \"%1\": it ends unexpectedly").arg(m_name));
        done += got;
    }
}

void TRptStream::write(const char *data, qint64 n)
{
    std::lock_guard guard(m_lock);
    if (m_readOnly)
        fail(QStringLiteral("Cannot add to \"%1\": it is opened for reading only").arg(m_name));
    if (n <= 0)
        return;
    if (!m_temp && m_pos + n > kMemoryLimit)
        spill();
    if (m_temp) {
#ifdef Q_OS_UNIX
        // One positioned write, as reads are: the handle's position is left alone.
        qint64 done = 0;
        while (done < n) {
            const ssize_t put =
                ::pwrite(m_temp->handle(), data + done, static_cast<size_t>(n - done), m_pos + done);
            if (put < 0 && errno == EINTR)
                continue;
            if (put <= 0)
                fail(QStringLiteral("Cannot write the temporary page file \"%1\": %2")
                         .arg(QDir::toNativeSeparators(m_temp->fileName()),
                              qt_error_string(put < 0 ? errno : ENOSPC)));
            done += put;
        }
#else
        // Reads go straight to the file descriptor, so nothing may wait in a buffer.
        if ((m_temp->pos() != m_pos && !m_temp->seek(m_pos)) || m_temp->write(data, n) != n ||
            !m_temp->flush())
            fail(QStringLiteral("Cannot write the temporary page file \"%1\": %2")
                     .arg(QDir::toNativeSeparators(m_temp->fileName()), m_temp->errorString()));
#endif
        m_pos += n;
        m_tempSize = qMax(m_tempSize, m_pos);
        return;
    }
    if (m_pos > m_memory.size())
        m_memory.append(QByteArray(m_pos - m_memory.size(), '\0'));
    const qint64 overlap = qMin(n, m_memory.size() - m_pos);
    if (overlap > 0)
        memcpy(m_memory.data() + m_pos, data, static_cast<size_t>(overlap));
    if (overlap < n)
        m_memory.append(data + overlap, n - overlap);
    m_pos += n;
}

void TRptStream::writeGathered(std::initializer_list<Piece> pieces)
{
    std::lock_guard guard(m_lock);
    qint64 n = 0;
    for (const Piece &p : pieces)
        n += p.size;
    if (!m_readOnly && n > 0 && !m_temp && m_pos + n > kMemoryLimit)
        spill();
#ifdef Q_OS_UNIX
    if (!m_readOnly && m_temp && pieces.size() <= 8) {
        iovec parts[8];
        int count = 0;
        for (const Piece &p : pieces)
            if (p.size > 0)
                parts[count++] = {const_cast<char *>(p.data), static_cast<size_t>(p.size)};
        ssize_t put;
        do {
            put = ::pwritev(m_temp->handle(), parts, count, m_pos);
        } while (put < 0 && errno == EINTR);
        if (put == n) {
            m_pos += n;
            m_tempSize = qMax(m_tempSize, m_pos);
            return;
        }
        // A short write: the rest piece by piece, which says why it stops.
        qint64 skip = qMax<qint64>(put, 0);
        for (const Piece &p : pieces) {
            const qint64 done = qMin(skip, p.size);
            skip -= done;
            m_pos += done;
            write(p.data + done, p.size - done);
        }
        return;
    }
#endif
    for (const Piece &p : pieces)
        write(p.data, p.size);
}

void TRptStream::truncate(qint64 size)
{
    std::lock_guard guard(m_lock);
    if (m_readOnly || size < 0)
        return;
    if (m_temp) {
        if (m_temp->resize(size))
            m_tempSize = size;
        else
            m_tempSize = m_temp->size();
    } else if (size < m_memory.size())
        m_memory.truncate(size);
    m_pos = qMin(m_pos, size);
}

void TRptStream::spill()
{
    auto temp = std::make_unique<UnbufferedTemporaryFile>(QDir::tempPath() + QStringLiteral("/ARPXXXXXX"));
    if (!temp->openUnbuffered())
        fail(QStringLiteral("Cannot create a temporary page file in \"%1\": %2")
                 .arg(QDir::toNativeSeparators(QDir::tempPath()), temp->errorString()));
    // QTemporaryFile already creates the file owner-only; say so explicitly,
    // since the pages may hold someone's loan figures.
    temp->setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (temp->write(m_memory) != m_memory.size() || !temp->flush())
        fail(QStringLiteral("Cannot write the temporary page file \"%1\": %2")
                 .arg(QDir::toNativeSeparators(temp->fileName()), temp->errorString()));
    m_tempSize = m_memory.size();
    m_temp = std::move(temp);
    m_memory = QByteArray();
}

qint32 TRptStream::readInt32()
{
    char bytes[4];
    readExactly(bytes, 4);
    return qFromLittleEndian<qint32>(bytes);
}

quint32 TRptStream::readUInt32()
{
    char bytes[4];
    readExactly(bytes, 4);
    return qFromLittleEndian<quint32>(bytes);
}

void TRptStream::writeInt32(qint32 value)
{
    char bytes[4];
    qToLittleEndian<qint32>(value, bytes);
    write(bytes, 4);
}

bool TRptStream::isSpilled() const
{
    std::lock_guard guard(m_lock);
    return m_temp != nullptr;
}

QString TRptStream::temporaryFileName() const
{
    std::lock_guard guard(m_lock);
    return m_temp ? m_temp->fileName() : QString();
}

qint64 TRptStream::memoryBytes() const
{
    std::lock_guard guard(m_lock);
    return m_memory.size();
}

void TRptStream::fail(const QString &what) const
{
    throw PageFileError(what);
}

} // namespace accrua::engine::pagefile
