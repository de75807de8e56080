#include "engine/fonts/fontfile.h"

#include "engine/fonts/bigendian.h"
#include "fileio/safefile.h"

#include <QFile>

#include <algorithm>
#include <cstring>

namespace accrua::engine::fonts {

namespace {

// Far above any real table (a large CJK face's outlines are tens of MB);
// a bigger one is not read at all.
constexpr qint64 kMaxTable = 128LL << 20;
constexpr quint32 kMaxFacesInCollection = 4096;

quint32 tagOf(const char *tag)
{
    quint32 t = 0;
    for (int i = 0; i < 4; ++i)
        t = (t << 8) | quint8(tag[i] ? tag[i] : ' ');
    return t;
}

} // namespace

std::optional<FontFile> FontFile::parse(const QByteArray &head, qint64 fileSize,
                                        const std::function<QByteArray(qint64, qint64)> &read, int index)
{
    if (index < 0)
        return std::nullopt;
    qint64 start = 0;
    if (u32(head, 0) == tagOf("ttcf")) {
        const quint32 faces = u32(head, 8);
        if (faces > kMaxFacesInCollection || quint32(index) >= faces)
            return std::nullopt;
        start = u32(read(12 + qint64(index) * 4, 4), 0);
    } else if (index != 0) {
        return std::nullopt;
    }
    const QByteArray sfnt = read(start, 12);
    const quint32 version = u32(sfnt, 0);
    if (sfnt.size() < 12 || (version != 0x00010000 && version != tagOf("true") && version != tagOf("OTTO")))
        return std::nullopt;
    const int tables = int(u32(sfnt, 4) >> 16);
    const QByteArray records = read(start + 12, qint64(tables) * 16);
    if (records.size() < qsizetype(tables) * 16)
        return std::nullopt;
    FontFile f;
    for (qint64 i = 0; i < tables; ++i) {
        const qint64 at = i * 16;
        const Entry e{u32(records, at), u32(records, at + 8), u32(records, at + 12)};
        if (qint64(e.offset) + e.length <= fileSize && e.length <= kMaxTable)
            f.m_entries.push_back(e);
    }
    return f;
}

std::optional<FontFile> FontFile::open(const QString &path, int index)
{
    QFile file(path);
    // A path (from fontconfig or the remembered locations) that is a FIFO
    // or a device is not waited on.
    if (!fileio::openRegularForReading(file, QIODevice::ReadOnly, nullptr))
        return std::nullopt;
    const qint64 size = file.size();
    auto read = [&file, size](qint64 at, qint64 length) -> QByteArray {
        if (at < 0 || length < 0 || at > size || length > size - at || !file.seek(at))
            return {};
        return file.read(length);
    };
    std::optional<FontFile> f = parse(read(0, 12), size, read, index);
    if (f)
        f->m_path = path;
    return f;
}

std::optional<FontFile> FontFile::fromBytes(const QByteArray &bytes, int index)
{
    auto read = [&bytes](qint64 at, qint64 length) -> QByteArray {
        if (at < 0 || length < 0 || at > bytes.size() || length > bytes.size() - at)
            return {};
        return bytes.mid(at, length);
    };
    std::optional<FontFile> f = parse(read(0, 12), bytes.size(), read, index);
    if (f)
        f->m_bytes = bytes;
    return f;
}

const FontFile::Entry *FontFile::find(const char *tag) const
{
    const quint32 t = tagOf(tag);
    auto it = std::find_if(m_entries.begin(), m_entries.end(), [t](const Entry &e) { return e.tag == t; });
    return it == m_entries.end() ? nullptr : &*it;
}

bool FontFile::has(const char *tag) const
{
    return find(tag) != nullptr;
}

QByteArray FontFile::table(const char *tag) const
{
    const Entry *e = find(tag);
    if (!e)
        return {};
    if (m_path.isEmpty())
        return m_bytes.mid(e->offset, e->length);
    // Opened again for each table: a face is read a few tables at a time,
    // and no open file is shared between threads.
    QFile file(m_path);
    if (!fileio::openRegularForReading(file, QIODevice::ReadOnly, nullptr) ||
        file.size() < qint64(e->offset) + e->length || !file.seek(e->offset))
        return {};
    QByteArray t = file.read(e->length);
    return t.size() == qsizetype(e->length) ? t : QByteArray();
}

} // namespace accrua::engine::fonts
