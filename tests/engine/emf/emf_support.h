// Helpers for the metafile and picture tests: a record walker independent of
// the player and a builder for hand-made metafiles of the kind Windows
// programs write.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QtEndian>

#include <initializer_list>
#include <vector>

namespace accrua::engine::emf::testing {

// Byte by byte, so that no read can leave the array.
inline quint32 u32At(const QByteArray &b, qsizetype at)
{
    quint32 v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | uchar(b.at(at + i));
    return v;
}
inline qint32 i32At(const QByteArray &b, qsizetype at)
{
    return qint32(u32At(b, at));
}
inline quint16 u16At(const QByteArray &b, qsizetype at)
{
    return quint16(uchar(b.at(at)) | (uchar(b.at(at + 1)) << 8));
}
inline void setU32(QByteArray &b, qsizetype at, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (8 * i)) & 0xFF);
}

struct RecordRef {
    quint32 type;
    qsizetype offset;
    quint32 size;
};

// Walks the records by their size fields; stops at anything implausible.
inline std::vector<RecordRef> walk(const QByteArray &emf)
{
    std::vector<RecordRef> out;
    qsizetype at = 0;
    while (at + 8 <= emf.size()) {
        const quint32 type = u32At(emf, at), size = u32At(emf, at + 4);
        if (size < 8 || at + qsizetype(size) > emf.size())
            break;
        out.push_back({type, at, size});
        at += size;
        if (type == 14)
            break;
    }
    return out;
}

inline std::vector<RecordRef> recordsOf(const QByteArray &emf, quint32 type)
{
    std::vector<RecordRef> out;
    for (const RecordRef &r : walk(emf))
        if (r.type == type)
            out.push_back(r);
    return out;
}

// Builds a metafile record by record; finish() adds EMR_EOF and patches the
// header's size, record count and handle count.
class EmfBuilder {
public:
    // A device of devW x devH pixels that is mmW x mmH millimetres; the frame
    // covers the whole device.
    EmfBuilder(int devW, int devH, int mmW, int mmH, quint16 handles)
    {
        u32(1);
        u32(88);
        u32(0), u32(0), u32(quint32(devW - 1)), u32(quint32(devH - 1));
        u32(0), u32(0), u32(quint32(mmW * 100)), u32(quint32(mmH * 100));
        u32(0x464D4520);
        u32(0x10000);
        u32(0); // nBytes
        u32(0); // nRecords
        m_buf.append(char(handles & 0xFF));
        m_buf.append(char(handles >> 8));
        m_buf.append(2, '\0');
        u32(0), u32(0), u32(0);
        u32(quint32(devW)), u32(quint32(devH)), u32(quint32(mmW)), u32(quint32(mmH));
        m_records = 1;
    }
    EmfBuilder &record(quint32 type, std::initializer_list<quint32> fields)
    {
        return record(type, fields, {});
    }
    EmfBuilder &record(quint32 type, std::initializer_list<quint32> fields, const QByteArray &tail)
    {
        const qsizetype at = m_buf.size();
        u32(type);
        u32(0);
        for (quint32 f : fields)
            u32(f);
        m_buf.append(tail);
        while (m_buf.size() % 4)
            m_buf.append('\0');
        setU32(m_buf, at + 4, quint32(m_buf.size() - at));
        ++m_records;
        return *this;
    }
    QByteArray finish()
    {
        record(14, {0, 16, 20});
        setU32(m_buf, 48, quint32(m_buf.size()));
        setU32(m_buf, 52, m_records);
        return m_buf;
    }

private:
    void u32(quint32 v)
    {
        char b[4];
        qToLittleEndian<quint32>(v, b);
        m_buf.append(b, 4);
    }
    QByteArray m_buf;
    quint32 m_records = 0;
};

inline QByteArray le32(std::initializer_list<quint32> values)
{
    QByteArray out;
    for (quint32 v : values) {
        char b[4];
        qToLittleEndian<quint32>(v, b);
        out.append(b, 4);
    }
    return out;
}

inline QByteArray utf16(const QString &s)
{
    QByteArray out;
    for (QChar c : s) {
        out.append(char(c.unicode() & 0xFF));
        out.append(char(c.unicode() >> 8));
    }
    return out;
}

// A bounding box of the pixels that differ clearly from white.
inline QRect inkBox(const QImage &img, const QRect &area)
{
    QRect box;
    const QRect a = area.intersected(img.rect());
    for (int y = a.top(); y <= a.bottom(); ++y)
        for (int x = a.left(); x <= a.right(); ++x) {
            const QRgb p = img.pixel(x, y);
            if (qRed(p) < 160 || qGreen(p) < 160 || qBlue(p) < 160)
                box = box.united(QRect(x, y, 1, 1));
        }
    return box;
}

} // namespace accrua::engine::emf::testing
