// Classic reports as rich text (RTF): the writer puts each line in its own
// paragraph with its font, size, bold and underline, and every character
// outside ASCII as a Unicode escape; the reader takes back what the writer
// wrote and what word processors write for plain formatted text (unknown
// control words and destinations skipped), and reads a file that does not
// start with "{\rtf" as plain text.
//
// Every file read is hostile: the reader bounds the file size, the nesting of
// groups, the length of control words and their numbers, and the number of
// lines, so a crafted file gives an error text, never a crash or a hang.
#pragma once

#include "reports/classic/classicline.h"

#include <QByteArray>
#include <QString>

#include <cstddef>

class QIODevice;

namespace accrua::reports::classic {

class RtfFormat {
public:
    static constexpr qint64 kMaxFileSize = qint64{64} * 1024 * 1024;
    static constexpr int kMaxGroupDepth = 100;
    static constexpr int kMaxControlWordLength = 32;
    static constexpr int kMaxParameterDigits = 10;
    static constexpr std::size_t kMaxLines = 2'000'000;

    // The rich text of the lines.
    static QByteArray toRtf(const ClassicLines &lines);

    // Each returns false with errorString() set on failure; `lines` is then
    // left as it was.
    bool write(QIODevice &device, const ClassicLines &lines);
    bool read(QIODevice &device, ClassicLines &lines);
    bool readData(const QByteArray &data, ClassicLines &lines);

    // Whole files: writing goes to a temporary file that replaces the target
    // only when complete, so a failure leaves an existing file as it was.
    bool writeFile(const QString &fileName, const ClassicLines &lines);
    bool readFile(const QString &fileName, ClassicLines &lines);

    QString errorString() const { return m_error; }

private:
    QString m_error;
};

} // namespace accrua::reports::classic
