// The tables of a TrueType or OpenType face in a font file (or one face of
// a collection), read on demand and bounds-checked: a font file is read as
// any other file, whatever it holds.
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace accrua::engine::fonts {

class FontFile {
public:
    // The face `index` of the file at path; nothing when it is not an
    // sfnt file (TrueType, OpenType, or a collection of them) or is broken.
    static std::optional<FontFile> open(const QString &path, int index = 0);
    // The same from the file's bytes (for tests and fuzzing).
    static std::optional<FontFile> fromBytes(const QByteArray &bytes, int index = 0);

    // A table by its four-letter tag; empty when the face has none or it
    // lies outside the file.
    QByteArray table(const char *tag) const;
    bool has(const char *tag) const;
    QString path() const { return m_path; }

private:
    struct Entry {
        quint32 tag;
        quint32 offset;
        quint32 length;
    };
    static std::optional<FontFile> parse(const QByteArray &head, qint64 fileSize,
                                         const std::function<QByteArray(qint64, qint64)> &read, int index);
    const Entry *find(const char *tag) const;

    QString m_path; // empty: m_bytes holds the file
    QByteArray m_bytes;
    std::vector<Entry> m_entries;
};

} // namespace accrua::engine::fonts
