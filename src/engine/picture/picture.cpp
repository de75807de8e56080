#include "engine/picture/picture.h"

#include "engine/emf/emfplayer.h"
#include "engine/picture/jpeg.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace accrua::engine::picture {

namespace {

constexpr int kMaxMetafileSide = 4096;
constexpr int kReaderAllocationMB = 256;

QImage loadJpeg(const QByteArray &data)
{
    if (data.isEmpty())
        throw PictureError(QStringLiteral("Damaged JPEG picture: the file is empty"));
    auto decoded = decodeJpeg(data);
    if (auto *picture = std::get_if<JpegPicture>(&decoded))
        return std::move(picture->image);
    const JpegFailure &failure = std::get<JpegFailure>(decoded);
    switch (failure.kind) {
    case JpegFailure::Kind::TooLarge:
        throw PictureError(QStringLiteral("JPEG picture too large (%1 x %2 pixels)")
                               .arg(failure.fullSize.width())
                               .arg(failure.fullSize.height()));
    case JpegFailure::Kind::NoMemory:
        throw PictureError(QStringLiteral("Not enough memory for the JPEG picture"));
    case JpegFailure::Kind::Damaged:
        break;
    }
    throw PictureError(QStringLiteral("Damaged JPEG picture: %1").arg(failure.reason));
}

QImage loadWithReader(const QByteArray &data, const char *format, const QString &kind)
{
    // Process-wide limit on what one Qt image reader may allocate.
    static const bool limited = [] {
        QImageReader::setAllocationLimit(kReaderAllocationMB);
        return true;
    }();
    (void)limited;
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setDecideFormatFromContent(false);
    reader.setAutoTransform(false);
    if (!reader.canRead())
        throw PictureError(QStringLiteral("Damaged %1 picture: not a readable %1 file").arg(kind));
    // Icons hold several images: take the largest.
    int best = -1;
    qint64 bestArea = -1;
    const int count = std::clamp(reader.imageCount(), 0, 256);
    if (count > 1) {
        for (int i = 0; i < count; ++i) {
            if (!reader.jumpToImage(i))
                break;
            const QSize s = reader.size();
            const qint64 area = qint64(s.width()) * s.height();
            if (area > bestArea) {
                bestArea = area;
                best = i;
            }
        }
        if (best >= 0)
            reader.jumpToImage(best);
    }
    const QSize s = reader.size();
    if (s.isValid() &&
        (s.width() > kMaxSide || s.height() > kMaxSide || qint64(s.width()) * s.height() > kMaxPixels))
        throw PictureError(
            QStringLiteral("%1 picture too large (%2 x %3 pixels)").arg(kind).arg(s.width()).arg(s.height()));
    QImage img = reader.read();
    if (img.isNull())
        throw PictureError(QStringLiteral("Damaged %1 picture: %2").arg(kind, reader.errorString()));
    return img;
}

// Qt's reader fills a short file with black; a truncated bitmap is damaged.
void checkBitmapLength(const QByteArray &data)
{
    if (data.size() < 30 || data.at(0) != 'B' || data.at(1) != 'M')
        throw PictureError(QStringLiteral("Damaged bitmap picture: not a bitmap file"));
    auto u32 = [&](int at) {
        return quint32(uchar(data.at(at))) | (quint32(uchar(data.at(at + 1))) << 8) |
               (quint32(uchar(data.at(at + 2))) << 16) | (quint32(uchar(data.at(at + 3))) << 24);
    };
    const quint32 offBits = u32(10), headerSize = u32(14);
    if (headerSize < 40 || data.size() < 14 + 40)
        return; // the old core header: left to the reader
    const qint64 w = qint32(u32(18));
    const qint64 h = qint32(u32(22));
    const int bpp = uchar(data.at(28)) | (uchar(data.at(29)) << 8);
    const quint32 compression = u32(30);
    if (compression != 0 && compression != 3)
        return; // run-length coded: the reader checks as it decodes
    if (w <= 0 || h == 0 || w > kMaxSide || h > kMaxSide || h < -kMaxSide || bpp <= 0 || bpp > 32)
        throw PictureError(QStringLiteral("Damaged bitmap picture: dimensions out of range"));
    const qint64 stride = ((w * bpp + 31) / 32) * 4;
    if (qint64(offBits) + stride * (h < 0 ? -h : h) > data.size())
        throw PictureError(QStringLiteral("Damaged bitmap picture: the file is truncated"));
}

QImage loadMetafile(const QByteArray &data)
{
    QString why;
    if (!emf::EmfPlayer::inspect(data, &why))
        throw PictureError(QStringLiteral("Damaged metafile picture: %1").arg(why));
    const std::optional<QSizeF> page = emf::EmfPlayer::pageSize(data);
    if (!page)
        throw PictureError(QStringLiteral("Damaged metafile picture: the frame is empty"));
    double w = std::max(1.0, std::round(page->width()));
    double h = std::max(1.0, std::round(page->height()));
    const double fit = std::min({1.0, kMaxMetafileSide / w, kMaxMetafileSide / h});
    w = std::max(1.0, std::round(w * fit));
    h = std::max(1.0, std::round(h * fit));
    QImage img(int(w), int(h), QImage::Format_ARGB32_Premultiplied);
    if (img.isNull())
        throw PictureError(QStringLiteral("Not enough memory for the metafile picture"));
    img.fill(Qt::transparent);
    QPainter painter(&img);
    const bool ok = emf::EmfPlayer::play(data, painter, QRectF(0, 0, w, h), &why);
    painter.end();
    if (!ok)
        throw PictureError(QStringLiteral("Damaged metafile picture: %1").arg(why));
    return img;
}

} // namespace

PictureError::PictureError(const QString &message) : std::runtime_error(message.toStdString()) {}

QString PictureError::message() const
{
    return QString::fromStdString(what());
}

QImage loadPictureData(const QByteArray &data, const QString &extension)
{
    const QString ext = extension.toLower();
    if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg"))
        return loadJpeg(data);
    if (ext == QLatin1String("bmp")) {
        checkBitmapLength(data);
        return loadWithReader(data, "bmp", QStringLiteral("bitmap"));
    }
    if (ext == QLatin1String("ico"))
        return loadWithReader(data, "ico", QStringLiteral("icon"));
    if (ext == QLatin1String("emf"))
        return loadMetafile(data);
    throw PictureError(QStringLiteral("Unknown picture file extension (.%1)").arg(extension));
}

QImage loadPicture(const QString &path, QByteArray *jpeg)
{
    const QFileInfo fi(path);
    const QString name = fi.fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString extension = dot < 0 ? QString() : name.mid(dot + 1);
    const QString lower = extension.toLower();
    if (lower != QLatin1String("jpg") && lower != QLatin1String("jpeg") && lower != QLatin1String("bmp") &&
        lower != QLatin1String("ico") && lower != QLatin1String("emf"))
        throw PictureError(QStringLiteral("Unknown picture file extension (.%1)").arg(extension));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw PictureError(QStringLiteral("Cannot open picture file %1: %2").arg(path, file.errorString()));
    if (file.size() > kMaxFileBytes)
        throw PictureError(QStringLiteral("Picture file %1 is too large").arg(path));
    const QByteArray data = file.read(kMaxFileBytes + 1);
    if (data.size() > kMaxFileBytes)
        throw PictureError(QStringLiteral("Picture file %1 is too large").arg(path));
    try {
        QImage image = loadPictureData(data, extension);
        if (jpeg)
            *jpeg = lower == QLatin1String("jpg") || lower == QLatin1String("jpeg") ? data : QByteArray();
        return image;
    } catch (const PictureError &e) {
        throw PictureError(QStringLiteral("%1: %2").arg(path, e.message()));
    }
}

} // namespace accrua::engine::picture
