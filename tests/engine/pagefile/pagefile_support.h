// Helpers shared by the page file tests: small synthetic metafiles (the same
// ones make_fixtures.py writes) and an independent composition of the file
// layout to compare the page list's output with.
#pragma once

#include "engine/pagefile/rptcompress.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QIODevice>
#include <QString>
#include <QtEndian>

#include <vector>

namespace accrua::engine::pagefile::testing {

inline void putU32(QByteArray &out, quint32 v)
{
    char b[4];
    qToLittleEndian<quint32>(v, b);
    out.append(b, 4);
}

// A minimal metafile: header record (108 bytes), an optional comment record
// carrying payload, and the end-of-file record.
inline QByteArray makeEmf(int page, const QByteArray &payload = {})
{
    QByteArray records;
    if (!payload.isEmpty()) {
        QByteArray padded = payload;
        padded.append(QByteArray((4 - payload.size() % 4) % 4, '\0'));
        putU32(records, 70);
        putU32(records, static_cast<quint32>(12 + padded.size()));
        putU32(records, static_cast<quint32>(payload.size()));
        records.append(padded);
    }
    const quint32 total = static_cast<quint32>(108 + records.size() + 20);
    QByteArray h;
    for (quint32 v : {1u, 108u, 0u, 0u, static_cast<quint32>(815 + page), 1055u, 0u, 0u, 21590u, 27940u,
                      0x464D4520u, 0x10000u, total, payload.isEmpty() ? 2u : 3u})
        putU32(h, v);
    putU32(h, 1); // nHandles 1, sReserved 0
    for (quint32 v : {0u, 0u, 0u, 816u, 1056u, 216u, 279u, 0u, 0u, 0u, 215900u, 279400u})
        putU32(h, v);
    QByteArray out = h + records;
    for (quint32 v : {14u, 20u, 0u, 16u, 20u})
        putU32(out, v);
    return out;
}

// The pages of make_fixtures.py's three-page files.
inline std::vector<QByteArray> threeFixturePages()
{
    return {makeEmf(1), makeEmf(2, "second page"), makeEmf(3, "third")};
}

// The time make_fixtures.py writes: 46000.5 days after 1899-12-30.
inline QDateTime fixtureTime()
{
    return QDateTime(QDate(1899, 12, 30).addDays(46000), QTime(12, 0));
}

// The report page file for bodies, laid out by hand.
inline QByteArray composeFile(const std::vector<QByteArray> &pages, bool coded, double writtenAt)
{
    QByteArray out(128, '\0');
    qToLittleEndian<quint16>(3, out.data());
    qToLittleEndian<quint16>(305, out.data() + 2);
    qToLittleEndian<qint32>(static_cast<qint32>(pages.size()), out.data() + 8);
    qToLittleEndian<double>(writtenAt, out.data() + 16);
    out[25] = coded ? 1 : 0;
    int n = 0;
    for (const QByteArray &page : pages) {
        QByteArray body;
        if (coded) {
            putU32(body, static_cast<quint32>(page.size()));
            body += TRptCompress::codeAll(page);
        } else {
            body = page;
        }
        const quint32 start = static_cast<quint32>(out.size());
        putU32(out, static_cast<quint32>(++n));
        putU32(out, start + 8 + static_cast<quint32>(body.size()) + 4);
        out += body;
        putU32(out, start);
    }
    return out;
}

// A device that accepts limit bytes and then fails every write.
class FailDevice : public QIODevice {
public:
    explicit FailDevice(qint64 limit) : m_limit(limit) { open(QIODevice::WriteOnly); }
    QByteArray written;

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 len) override
    {
        if (written.size() + len > m_limit) {
            setErrorString(QStringLiteral("device full"));
            return -1;
        }
        written.append(data, len);
        return len;
    }

private:
    qint64 m_limit;
};

} // namespace accrua::engine::pagefile::testing
