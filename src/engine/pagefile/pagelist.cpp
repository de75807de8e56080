#include "engine/pagefile/pagelist.h"

#include "engine/pagefile/rptcompress.h"
#include "engine/pagefile/rptstream.h"
#include "fileio/safefile.h"

#include <QDir>
#include <QtEndian>

#include <cstring>
#include <limits>

namespace accrua::engine::pagefile {

namespace {

constexpr qint64 kHeaderSize = TRptPageList::kHeaderSize;
constexpr qint64 kRecordOverhead = 12; // page number, next offset, own offset
constexpr qint64 kMinEmfSize = 88;     // the shortest metafile header record
constexpr qint64 kMaxOffset = std::numeric_limits<qint32>::max();
constexpr quint32 kEmfHeaderType = 1;
constexpr quint32 kEmfSignature = 0x464D4520; // " EMF"
constexpr quint16 kFormatNumber = 3;
constexpr quint16 kWriterVersion = 305;

double daysSince1899(const QDateTime &when)
{
    static const QDate epoch(1899, 12, 30);
    const double days = static_cast<double>(epoch.daysTo(when.date()));
    return days + when.time().msecsSinceStartOfDay() / 86400000.0;
}

// The metafile's own size from its header, or -1 and why the bytes are not a
// metafile. Reads only the header; available is how many bytes could belong to it.
qint64 emfSize(const char *data, qint64 available, QString *why)
{
    if (available < kMinEmfSize) {
        *why = QStringLiteral("%1 bytes are too few for a metafile header").arg(available);
        return -1;
    }
    const quint32 type = qFromLittleEndian<quint32>(data);
    const quint32 headerSize = qFromLittleEndian<quint32>(data + 4);
    const quint32 signature = qFromLittleEndian<quint32>(data + 40);
    const quint32 bytes = qFromLittleEndian<quint32>(data + 48);
    if (type != kEmfHeaderType || signature != kEmfSignature) {
        *why = QStringLiteral("it does not start with an Enhanced Metafile header");
        return -1;
    }
    if (headerSize < kMinEmfSize || headerSize > bytes) {
        *why = QStringLiteral("its metafile header size %1 is impossible").arg(headerSize);
        return -1;
    }
    if (bytes > available) {
        *why =
            QStringLiteral("its metafile claims %1 bytes but the record holds %2").arg(bytes).arg(available);
        return -1;
    }
    return bytes;
}

// Reads and checks the records of one stream. Every offset is checked
// against the file size and the record before it is followed; the walks can
// only move in one direction, so a looping chain stops with an error.
class RecordReader {
public:
    RecordReader(TRptStream &stream, const QString &name, qint32 pageCount, bool coded,
                 RecordFields *ahead = nullptr)
        : m_s(stream), m_name(name), m_count(pageCount), m_coded(coded), m_size(stream.size()), m_ahead(ahead)
    {
    }

    [[noreturn]] void damaged(const QString &what) const
    {
        throw PageFileError(QStringLiteral("\"%1\" is damaged: %2").arg(m_name, what));
    }

    qint64 minRecord() const { return kRecordOverhead + (m_coded ? 4 : kMinEmfSize); }

    qint32 int32At(qint64 offset)
    {
        m_s.seek(offset);
        return m_s.readInt32();
    }
    quint32 uint32At(qint64 offset)
    {
        m_s.seek(offset);
        return m_s.readUInt32();
    }

    // The page number and next offset that open the record at offset.
    void fieldsAt(qint64 offset, qint32 *number, qint64 *next)
    {
        if (m_ahead && m_ahead->offset == offset) {
            *number = m_ahead->number;
            *next = m_ahead->next;
        } else {
            char fields[8];
            m_s.seek(offset);
            m_s.readExactly(fields, 8);
            *number = qFromLittleEndian<qint32>(fields);
            *next = qFromLittleEndian<quint32>(fields + 4);
        }
        m_lastFieldsOffset = offset;
        m_lastFields = {*number, *next};
    }

    void checkStart(qint64 offset, qint32 number) const
    {
        if (offset < kHeaderSize || offset > m_size - minRecord())
            damaged(QStringLiteral("page %1 would start at offset %2, outside the file (%3 bytes)")
                        .arg(number)
                        .arg(offset)
                        .arg(m_size));
    }

    // The checks of a record's fields: its number, and a next offset past a
    // page's worth of bytes and within the file.
    void checkFields(qint64 offset, qint32 number, qint32 found, qint64 next) const
    {
        if (found != number)
            damaged(QStringLiteral("the record at offset %1 is numbered %2 where page %3 belongs")
                        .arg(offset)
                        .arg(found)
                        .arg(number));
        if (next <= offset)
            damaged(QStringLiteral("page %1's next offset %2 points back (a loop)").arg(number).arg(next));
        if (next > m_size)
            damaged(QStringLiteral("page %1's next offset %2 lies beyond the end of the file (%3 bytes)")
                        .arg(number)
                        .arg(next)
                        .arg(m_size));
        if (next < offset + minRecord())
            damaged(QStringLiteral("page %1's record of %2 bytes is too short for a page")
                        .arg(number)
                        .arg(next - offset));
    }

    void checkOwn(qint32 number, qint64 own, qint64 offset) const
    {
        if (own != offset)
            damaged(QStringLiteral("page %1 ends with own offset %2 instead of %3")
                        .arg(number)
                        .arg(own)
                        .arg(offset));
    }

    // The body's start: a coded body's length, or a metafile header that
    // fits the record.
    void checkBodyStart(const PageRecordInfo &info, const char *start) const
    {
        if (m_coded) {
            const qint64 length = qFromLittleEndian<qint32>(start);
            const qint64 codedBytes = info.bodySize - 4;
            if (length < kMinEmfSize || length > TRptCompress::maxDecodedLength(codedBytes))
                damaged(QStringLiteral("page %1's coded length %2 is impossible for %3 coded bytes")
                            .arg(info.number)
                            .arg(length)
                            .arg(codedBytes));
        } else {
            QString why;
            if (emfSize(start, info.bodySize, &why) < 0)
                damaged(QStringLiteral("page %1's body: %2").arg(info.number).arg(why));
        }
    }

    static PageRecordInfo info(qint32 number, qint64 offset, qint64 next)
    {
        PageRecordInfo info;
        info.number = number;
        info.offset = offset;
        info.nextOffset = next;
        info.bodySize = next - offset - kRecordOverhead;
        return info;
    }

    // The record of page number at offset, checked whole.
    PageRecordInfo recordAt(qint64 offset, qint32 number)
    {
        checkStart(offset, number);
        const qint32 found = int32At(offset);
        const qint64 next = m_s.readUInt32();
        checkFields(offset, number, found, next);
        checkOwn(number, uint32At(next - 4), offset);
        const PageRecordInfo record = info(number, offset, next);
        char head[kMinEmfSize];
        m_s.seek(offset + 8);
        m_s.readExactly(head, m_coded ? 4 : kMinEmfSize);
        checkBodyStart(record, head);
        m_s.seek(next);
        return record;
    }

    // The same checks as recordAt and body, with the record read in one
    // piece after its fields (known already when found stands for them).
    QByteArray page(qint64 offset, qint32 number, std::optional<std::pair<qint32, qint64>> found)
    {
        checkStart(offset, number);
        if (!found || found->first != number) {
            found.emplace();
            fieldsAt(offset, &found->first, &found->second);
        }
        const qint64 next = found->second;
        checkFields(offset, number, found->first, next);
        const PageRecordInfo record = info(number, offset, next);
        // The body, the own offset that closes the record and, when there is
        // one, the next record's fields.
        const bool ahead = m_ahead && next + 8 <= m_size;
        QByteArray data(record.bodySize + 4 + (ahead ? 8 : 0), Qt::Uninitialized);
        m_s.seek(offset + 8);
        m_s.readExactly(data.data(), data.size());
        const char *const end = data.constData() + record.bodySize;
        checkOwn(number, qFromLittleEndian<quint32>(end), offset);
        checkBodyStart(record, data.constData());
        if (ahead)
            *m_ahead = {next, qFromLittleEndian<qint32>(end + 4), qFromLittleEndian<quint32>(end + 8)};
        data.truncate(record.bodySize);
        m_s.seek(next);
        return bodyOf(record, std::move(data));
    }

    // The offset of page n's record, found as the page file's readers always
    // have: page 1 at the header's end, the last page through the trailing
    // offset, any other by walking from the current record.
    qint64 findRecord(qint32 n)
    {
        if (n == 1)
            return kHeaderSize;
        if (n == m_count)
            return uint32At(m_size - 4);
        qint64 r = m_s.pos();
        if (r >= m_size)
            r = uint32At(m_size - 4);
        if (r < kHeaderSize || r > m_size - kRecordOverhead)
            r = kHeaderSize;
        qint32 number = 0;
        qint64 next = 0;
        fieldsAt(r, &number, &next);
        if (number < 1 || number > m_count)
            damaged(QStringLiteral("the record at offset %1 is numbered %2, outside 1 to %3")
                        .arg(r)
                        .arg(number)
                        .arg(m_count));
        while (number < n) {
            if (next <= r || next > m_size - minRecord())
                damaged(QStringLiteral("page %1's next offset %2 leads outside the file (%3 bytes)")
                            .arg(number)
                            .arg(next)
                            .arg(m_size));
            r = next;
            qint32 following = 0;
            fieldsAt(r, &following, &next);
            if (following != number + 1)
                damaged(
                    QStringLiteral("page %1 is followed by a record numbered %2").arg(number).arg(following));
            number = following;
        }
        while (number > n) {
            if (r - 4 < kHeaderSize + minRecord())
                damaged(QStringLiteral("page %1 has no page before it").arg(number));
            const qint64 own = uint32At(r - 4);
            if (own < kHeaderSize || own + minRecord() > r)
                damaged(
                    QStringLiteral("the offset %1 before page %2 does not lead back").arg(own).arg(number));
            qint32 preceding = 0;
            fieldsAt(own, &preceding, &next);
            if (preceding != number - 1 || next != r)
                damaged(QStringLiteral("page %1 is not preceded by the record of page %2")
                            .arg(number)
                            .arg(number - 1));
            r = own;
            number = preceding;
        }
        return r;
    }

    // The metafile of a record already checked by recordAt.
    QByteArray body(const PageRecordInfo &info)
    {
        QByteArray data(info.bodySize, Qt::Uninitialized);
        m_s.seek(info.offset + 8);
        m_s.readExactly(data.data(), data.size());
        return bodyOf(info, std::move(data));
    }

    // The offset of page n's record, and the fields findRecord read there
    // when it walked to it.
    std::optional<std::pair<qint32, qint64>> fieldsFound(qint64 offset) const
    {
        if (m_lastFieldsOffset != offset)
            return std::nullopt;
        return m_lastFields;
    }

private:
    // The metafile in a checked record's body.
    QByteArray bodyOf(const PageRecordInfo &info, QByteArray data) const
    {
        QString why;
        if (!m_coded) {
            const qint64 bytes = emfSize(data.constData(), data.size(), &why);
            if (bytes < 0)
                damaged(QStringLiteral("page %1's body: %2").arg(info.number).arg(why));
            data.truncate(bytes);
            return data;
        }
        const qint64 length = qFromLittleEndian<qint32>(data.constData());
        std::optional<QByteArray> decoded =
            TRptCompress::decodeAll(data.constData() + 4, data.size() - 4, length);
        if (!decoded)
            damaged(QStringLiteral("page %1's coded body ends before its %2 bytes are decoded")
                        .arg(info.number)
                        .arg(length));
        const qint64 bytes = emfSize(decoded->constData(), decoded->size(), &why);
        if (bytes < 0)
            damaged(QStringLiteral("page %1's decoded body: %2").arg(info.number).arg(why));
        decoded->truncate(bytes);
        return *std::move(decoded);
    }

private:
    TRptStream &m_s;
    QString m_name;
    qint32 m_count;
    bool m_coded;
    qint64 m_size;
    RecordFields *m_ahead;
    qint64 m_lastFieldsOffset = -1;
    std::pair<qint32, qint64> m_lastFields;
};

PageFileHeader ReadFileHeader(TRptStream &stream, const QString &name)
{
    const qint64 size = stream.size();
    if (size == 0)
        throw PageFileError(QStringLiteral("\"%1\" is empty, not a report page file").arg(name));
    if (size < kHeaderSize)
        throw PageFileError(QStringLiteral("\"%1\" is not a report page file: its %2 bytes are "
                                           "too few for the header")
                                .arg(name)
                                .arg(size));
    char bytes[kHeaderSize];
    stream.seek(0);
    stream.readExactly(bytes, kHeaderSize);
    PageFileHeader header;
    header.format = qFromLittleEndian<quint16>(bytes);
    header.writerVersion = qFromLittleEndian<quint16>(bytes + 2);
    header.pageCount = qFromLittleEndian<qint32>(bytes + 8);
    header.writtenAt = qFromLittleEndian<double>(bytes + 16);
    const quint8 flag = static_cast<quint8>(bytes[25]);
    header.coded = flag == 1;
    if (header.format != kFormatNumber)
        // The format number means nothing to a user: a picture or a letter
        // opened by mistake is simply no report file.
        throw PageFileError(QStringLiteral("\"%1\" is not an Accrua report file.").arg(name));
    if (flag > 1)
        throw PageFileError(QStringLiteral("\"%1\" is not a report page file: unknown body "
                                           "coding %2")
                                .arg(name)
                                .arg(flag));
    return header;
}

// Checks the header and every record of a stream about to be adopted.
PageFileHeader checkWhole(TRptStream &stream, const QString &name)
{
    std::lock_guard guard(stream.lock());
    const PageFileHeader header = ReadFileHeader(stream, name);
    RecordReader reader(stream, name, header.pageCount, header.coded);
    const qint64 size = stream.size();
    if (header.pageCount < 0)
        reader.damaged(QStringLiteral("its page count %1 is negative").arg(header.pageCount));
    if (header.pageCount > (size - kHeaderSize) / reader.minRecord())
        reader.damaged(QStringLiteral("its header counts %1 pages, more than %2 bytes can hold")
                           .arg(header.pageCount)
                           .arg(size));
    qint64 offset = kHeaderSize;
    for (qint32 n = 1; n <= header.pageCount; ++n) {
        if (offset == size)
            reader.damaged(QStringLiteral("its header counts %1 pages but it holds only %2")
                               .arg(header.pageCount)
                               .arg(n - 1));
        const PageRecordInfo info = reader.recordAt(offset, n);
        // A coded body shows whether it decodes only by decoding it; do it
        // now, so that a file that opens also reads.
        if (header.coded)
            reader.body(info);
        offset = info.nextOffset;
    }
    if (offset != size)
        reader.damaged(QStringLiteral("%1 bytes follow the last of its %2 pages")
                           .arg(size - offset)
                           .arg(header.pageCount));
    stream.seek(kHeaderSize);
    return header;
}

} // namespace

TRptPageList::TRptPageList() : m_clock([] { return QDateTime::currentDateTime(); }) {}

TRptPageList::~TRptPageList() = default;

QString TRptPageList::streamName() const
{
    return m_stream ? m_stream->name() : QStringLiteral("report pages in memory");
}

void TRptPageList::beginReport(bool coded)
{
    std::lock_guard guard(m_lock);
    m_ahead = {};
    m_stream = std::make_unique<TRptStream>();
    m_pageCount = 0;
    m_coded = coded;
    m_finished = false;
    m_fileName.clear();
}

void TRptPageList::WriteFileHeader(qint32 pageCount)
{
    m_ahead = {};
    char bytes[kHeaderSize];
    std::memset(bytes, 0, sizeof bytes);
    qToLittleEndian<quint16>(kFormatNumber, bytes);
    qToLittleEndian<quint16>(kWriterVersion, bytes + 2);
    qToLittleEndian<qint32>(pageCount, bytes + 8);
    qToLittleEndian<double>(daysSince1899(m_clock()), bytes + 16);
    bytes[25] = m_coded ? 1 : 0;
    std::lock_guard guard(m_stream->lock());
    m_stream->seek(0);
    m_stream->write(bytes, kHeaderSize);
}

void TRptPageList::AddPage(const QByteArray &metafile)
{
    std::lock_guard guard(m_lock);
    m_ahead = {};
    const qint32 number = m_pageCount + 1;
    if (m_finished || (m_stream && m_stream->isReadOnly()))
        throw PageFileError(QStringLiteral("Cannot add page %1 to \"%2\": the report is finished")
                                .arg(number)
                                .arg(streamName()));
    QString why;
    const qint64 bytes = emfSize(metafile.constData(), metafile.size(), &why);
    if (bytes < 0)
        throw PageFileError(QStringLiteral("Cannot add page %1: %2").arg(number).arg(why));
    const QByteArray emf = bytes == metafile.size() ? metafile : metafile.left(bytes);
    if (!m_stream)
        m_stream = std::make_unique<TRptStream>();

    TRptStream &s = *m_stream;
    std::lock_guard streamGuard(s.lock());
    const qint64 start = s.size();
    try {
        if (number == 1)
            WriteFileHeader(1);
        const qint64 begin = s.size();
        const QByteArray body = m_coded ? TRptCompress::codeAll(emf) : emf;
        const qint64 end = begin + kRecordOverhead + body.size() + (m_coded ? 4 : 0);
        if (end > kMaxOffset)
            throw PageFileError(QStringLiteral("Cannot add page %1: the report would pass 2 GB").arg(number));
        // The record in one write: number, next offset, coded length, body, own offset.
        char head[12];
        qToLittleEndian<qint32>(number, head);
        qToLittleEndian<qint32>(static_cast<qint32>(end), head + 4);
        qToLittleEndian<qint32>(static_cast<qint32>(emf.size()), head + 8);
        char own[4];
        qToLittleEndian<qint32>(static_cast<qint32>(begin), own);
        s.seek(begin);
        s.writeGathered({{head, m_coded ? 12 : 8}, {body.constData(), body.size()}, {own, 4}});
    } catch (...) {
        // Leave the stream as it was before this page, so the pages already
        // added stay readable.
        try {
            s.truncate(start);
            s.seek(start);
        } catch (...) {
        }
        throw;
    }
    m_pageCount = number;
}

void TRptPageList::Finish()
{
    std::lock_guard guard(m_lock);
    if (!m_stream)
        m_stream = std::make_unique<TRptStream>();
    if (!m_stream->isReadOnly())
        WriteFileHeader(m_pageCount);
    m_finished = true;
}

bool TRptPageList::isFinished() const
{
    std::lock_guard guard(m_lock);
    return m_finished;
}

int TRptPageList::pageCount() const
{
    std::lock_guard guard(m_lock);
    return m_pageCount;
}

std::optional<QByteArray> TRptPageList::GetPage(int n) const
{
    std::lock_guard guard(m_lock);
    if (!m_stream || n < 1 || n > m_pageCount)
        return std::nullopt;
    TRptStream &s = *m_stream;
    std::lock_guard streamGuard(s.lock());
    try {
        RecordReader reader(s, streamName(), m_pageCount, m_coded, &m_ahead);
        const qint64 offset = reader.findRecord(n);
        return reader.page(offset, n, reader.fieldsFound(offset));
    } catch (...) {
        // The next walk starts from a known record rather than wherever this one stopped.
        s.seek(kHeaderSize);
        m_ahead = {};
        throw;
    }
}

void TRptPageList::writeTo(QIODevice &device, const QString &targetName) const
{
    std::lock_guard guard(m_lock);
    if (!m_stream)
        return;
    TRptStream &s = *m_stream;
    std::lock_guard streamGuard(s.lock());
    QByteArray block(kCopyBlockSize, Qt::Uninitialized);
    s.seek(0);
    for (;;) {
        const qint64 got = s.read(block.data(), kCopyBlockSize);
        if (got <= 0)
            break;
        if (device.write(block.constData(), got) != got)
            throw PageFileError(QStringLiteral("Cannot write \"%1\": %2")
                                    .arg(QDir::toNativeSeparators(targetName), device.errorString()));
    }
}

void TRptPageList::SaveToFile(const QString &fileName) const
{
    std::lock_guard guard(m_lock);
    if (!m_finished || !m_stream)
        return;
    // Every write checked and flushed before the rename: a full disk leaves
    // the old file; a device or FIFO at the path is refused, not replaced.
    fileio::SafeFile file(fileName);
    if (!file.open())
        throw PageFileError(QStringLiteral("Cannot create \"%1\": %2")
                                .arg(QDir::toNativeSeparators(fileName), file.errorString()));
    writeTo(file.device(), fileName); // an exception discards the temporary file, leaving the target
    if (!file.commit())
        throw PageFileError(QStringLiteral("Cannot write \"%1\": %2")
                                .arg(QDir::toNativeSeparators(fileName), file.errorString()));
}

void TRptPageList::load(std::unique_ptr<TRptStream> stream, const QString &name)
{
    const PageFileHeader header = checkWhole(*stream, name);
    std::lock_guard guard(m_lock);
    m_stream = std::move(stream);
    m_ahead = {};
    m_pageCount = header.pageCount;
    m_coded = header.coded;
    m_finished = true;
    m_fileName = name;
}

void TRptPageList::LoadFromFile(const QString &fileName)
{
    load(TRptStream::openFile(fileName), QDir::toNativeSeparators(fileName));
}

void TRptPageList::loadFromData(const QByteArray &data, const QString &name)
{
    load(TRptStream::fromData(data, name), name);
}

void TRptPageList::clear()
{
    std::lock_guard guard(m_lock);
    m_ahead = {};
    m_stream.reset();
    m_pageCount = 0;
    m_coded = false;
    m_finished = false;
    m_fileName.clear();
}

PageFileHeader TRptPageList::header() const
{
    std::lock_guard guard(m_lock);
    PageFileHeader header;
    header.coded = m_coded;
    if (m_stream && m_stream->size() >= kHeaderSize) {
        std::lock_guard streamGuard(m_stream->lock());
        const qint64 pos = m_stream->pos();
        header = ReadFileHeader(*m_stream, streamName());
        m_stream->seek(pos);
    }
    // While a report is running the stored count lags behind; the list knows.
    header.pageCount = m_pageCount;
    return header;
}

std::vector<PageRecordInfo> TRptPageList::records() const
{
    std::lock_guard guard(m_lock);
    std::vector<PageRecordInfo> result;
    if (!m_stream)
        return result;
    TRptStream &s = *m_stream;
    std::lock_guard streamGuard(s.lock());
    const qint64 pos = s.pos();
    try {
        RecordReader reader(s, streamName(), m_pageCount, m_coded);
        qint64 offset = kHeaderSize;
        result.reserve(static_cast<size_t>(m_pageCount));
        for (qint32 n = 1; n <= m_pageCount; ++n) {
            const PageRecordInfo info = reader.recordAt(offset, n);
            result.push_back(info);
            offset = info.nextOffset;
        }
    } catch (...) {
        s.seek(kHeaderSize);
        throw;
    }
    s.seek(pos);
    return result;
}

void TRptPageList::setClock(std::function<QDateTime()> clock)
{
    std::lock_guard guard(m_lock);
    m_clock = clock ? std::move(clock) : [] { return QDateTime::currentDateTime(); };
}

bool TRptPageList::isSpilled() const
{
    std::lock_guard guard(m_lock);
    return m_stream && m_stream->isSpilled();
}

QString TRptPageList::temporaryFileName() const
{
    std::lock_guard guard(m_lock);
    return m_stream ? m_stream->temporaryFileName() : QString();
}

qint64 TRptPageList::memoryBytes() const
{
    std::lock_guard guard(m_lock);
    return m_stream ? m_stream->memoryBytes() : 0;
}

} // namespace accrua::engine::pagefile
