// The program's one libjpeg decoder and the limits every picture read keeps.
// The report picture decodes whole files; the options dialog's preview asks
// for a picture already scaled down by libjpeg, or for the rows and columns
// that show from the top left corner only (the rest is still read, so that a
// damaged end is found as the reports would find it).
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <variant>

namespace accrua::engine::picture {

// No picture file larger than this is read.
inline constexpr qint64 kMaxFileBytes = 64LL * 1024 * 1024;
// Nor a picture wider or higher than kMaxSide, or of more than kMaxPixels.
inline constexpr long kMaxSide = 16384;
inline constexpr long long kMaxPixels = 40LL * 1000 * 1000;
// Progressive files with thousands of scans take quadratic time to decode.
inline constexpr int kMaxJpegScans = 500;

struct JpegRequest {
    QSize fitInto; // valid: decoded by libjpeg scaled down (1/8 to 8/8) just enough to shrink into it
    QSize keep;    // valid: at most this much from the top left
    bool plainColours = false; // refuse CMYK and YCCK files instead of converting them
};

struct JpegPicture {
    QImage image;   // RGB32
    QSize fullSize; // of the picture in the file
};

struct JpegFailure {
    enum class Kind {
        Damaged,  // reason says how (libjpeg's words, or ours)
        TooLarge, // beyond kMaxSide or kMaxPixels; fullSize says how large
        NoMemory, // for the picture as a whole
    };
    Kind kind = Kind::Damaged;
    QSize fullSize;
    QString reason;
};

// The libjpeg scale numerator (over 8) that decodes a picture of `full` size
// just large enough to be shrunk to `target`.
int jpegScaleNumerator(QSize full, QSize target);

std::variant<JpegPicture, JpegFailure> decodeJpeg(const QByteArray &data, const JpegRequest &request = {});

} // namespace accrua::engine::picture
