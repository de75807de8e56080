// Big-endian fields of font tables, read as 0 past a table's end.
#pragma once

#include <QByteArray>

namespace accrua::engine::fonts {

inline quint16 u16(const QByteArray &t, qint64 at)
{
    if (at < 0 || at + 2 > t.size())
        return 0;
    return quint16((quint8(t.at(at)) << 8) | quint8(t.at(at + 1)));
}

inline quint32 u32(const QByteArray &t, qint64 at)
{
    return (quint32(u16(t, at)) << 16) | u16(t, at + 2);
}

inline qint16 i16(const QByteArray &t, qint64 at)
{
    return qint16(u16(t, at));
}

} // namespace accrua::engine::fonts
