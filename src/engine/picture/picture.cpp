#include "engine/picture/picture.h"

#include "engine/emf/emfplayer.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>

namespace accrua::engine::picture {

namespace {

constexpr qint64 kMaxFileBytes = 64LL * 1024 * 1024;
constexpr long kMaxSide = 16384;
constexpr long long kMaxPixels = 40LL * 1000 * 1000;
constexpr int kMaxMetafileSide = 4096;
constexpr int kMaxScans = 500;
constexpr int kReaderAllocationMB = 256;

// Everything the JPEG decoder touches across setjmp/longjmp lives here, in
// plain C storage owned by the caller: no C++ object with a destructor is
// alive in the frame that the error handler jumps back to.
struct JpegJob {
    jpeg_error_mgr pub; // first member: libjpeg sees a jpeg_error_mgr
    jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    jpeg_progress_mgr progress;
    jpeg_decompress_struct cinfo;
    unsigned char *pixels; // malloc'd RGB, width * height * 3
    unsigned long width;
    unsigned long height;
    int tooLarge;
};

extern "C" void jpegErrorExit(j_common_ptr cinfo)
{
    JpegJob *job = reinterpret_cast<JpegJob *>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, job->message);
    std::longjmp(job->jump, 1);
}

// A corrupt-data warning means the picture is damaged: fail rather than show
// a half-grey image.
extern "C" void jpegEmitMessage(j_common_ptr cinfo, int level)
{
    if (level < 0)
        jpegErrorExit(cinfo);
}

extern "C" void jpegOutputMessage(j_common_ptr) {}

// Progressive files with thousands of scans take quadratic time to decode.
extern "C" void jpegProgress(j_common_ptr cinfo)
{
    if (cinfo->is_decompressor) {
        j_decompress_ptr d = reinterpret_cast<j_decompress_ptr>(cinfo);
        if (d->input_scan_number > kMaxScans) {
            JpegJob *job = reinterpret_cast<JpegJob *>(cinfo->err);
            std::snprintf(job->message, sizeof job->message, "too many scans");
            std::longjmp(job->jump, 1);
        }
    }
}

// Returns 0 on success (job->pixels holds the picture), non-zero on failure
// (job->message says why). Plain C within: safe to longjmp through.
int decodeJpeg(const unsigned char *data, unsigned long size, JpegJob *job)
{
    jpeg_decompress_struct &cinfo = job->cinfo;
    std::memset(&cinfo, 0, sizeof cinfo);
    cinfo.err = jpeg_std_error(&job->pub);
    job->pub.error_exit = jpegErrorExit;
    job->pub.emit_message = jpegEmitMessage;
    job->pub.output_message = jpegOutputMessage;
    job->pixels = nullptr;
    job->tooLarge = 0;
    if (setjmp(job->jump)) {
        std::free(job->pixels);
        job->pixels = nullptr;
        jpeg_destroy_decompress(&cinfo);
        return 1;
    }
    jpeg_create_decompress(&cinfo);
    cinfo.mem->max_memory_to_use = 512L * 1024 * 1024;
    job->progress.progress_monitor = jpegProgress;
    cinfo.progress = &job->progress;
    jpeg_mem_src(&cinfo, data, size);
    if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK || cinfo.image_width == 0 ||
        cinfo.image_height == 0) {
        std::snprintf(job->message, sizeof job->message, "no image in the file");
        jpeg_destroy_decompress(&cinfo);
        return 1;
    }
    if (cinfo.image_width > kMaxSide || cinfo.image_height > kMaxSide ||
        static_cast<long long>(cinfo.image_width) * cinfo.image_height > kMaxPixels) {
        job->tooLarge = 1;
        job->width = cinfo.image_width;
        job->height = cinfo.image_height;
        jpeg_destroy_decompress(&cinfo);
        return 1;
    }
    if (cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK)
        cinfo.out_color_space = JCS_CMYK;
    else
        cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    const int comps = cinfo.output_components;
    if ((comps != 3 && comps != 4) || cinfo.output_width != cinfo.image_width ||
        cinfo.output_height != cinfo.image_height) {
        std::snprintf(job->message, sizeof job->message, "unexpected output format");
        jpeg_destroy_decompress(&cinfo);
        return 1;
    }
    job->width = cinfo.output_width;
    job->height = cinfo.output_height;
    const size_t rowBytes = size_t(cinfo.output_width) * size_t(comps);
    job->pixels = static_cast<unsigned char *>(std::malloc(rowBytes * cinfo.output_height));
    if (!job->pixels) {
        std::snprintf(job->message, sizeof job->message, "out of memory");
        jpeg_destroy_decompress(&cinfo);
        return 1;
    }
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = job->pixels + rowBytes * cinfo.output_scanline;
        if (jpeg_read_scanlines(&cinfo, &row, 1) != 1) {
            std::snprintf(job->message, sizeof job->message, "premature end of data");
            std::free(job->pixels);
            job->pixels = nullptr;
            jpeg_destroy_decompress(&cinfo);
            return 1;
        }
    }
    // Adobe writes CMYK inverted; convert to RGB in place, 4 bytes to 3.
    if (comps == 4) {
        const size_t n = size_t(cinfo.output_width) * cinfo.output_height;
        const bool inverted = cinfo.saw_Adobe_marker;
        for (size_t i = 0; i < n; ++i) {
            unsigned c = job->pixels[i * 4], m = job->pixels[i * 4 + 1], y = job->pixels[i * 4 + 2],
                     k = job->pixels[i * 4 + 3];
            if (!inverted) {
                c = 255 - c;
                m = 255 - m;
                y = 255 - y;
                k = 255 - k;
            }
            job->pixels[i * 3] = static_cast<unsigned char>(c * k / 255);
            job->pixels[i * 3 + 1] = static_cast<unsigned char>(m * k / 255);
            job->pixels[i * 3 + 2] = static_cast<unsigned char>(y * k / 255);
        }
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return 0;
}

QImage loadJpeg(const QByteArray &data)
{
    if (data.isEmpty())
        throw PictureError(QStringLiteral("Damaged JPEG picture: the file is empty"));
    JpegJob *job = static_cast<JpegJob *>(std::calloc(1, sizeof(JpegJob)));
    if (!job)
        throw PictureError(QStringLiteral("Not enough memory for the JPEG picture"));
    const int failed = decodeJpeg(reinterpret_cast<const unsigned char *>(data.constData()),
                                  static_cast<unsigned long>(data.size()), job);
    if (failed) {
        const QString text =
            job->tooLarge
                ? QStringLiteral("JPEG picture too large (%1 x %2 pixels)").arg(job->width).arg(job->height)
                : QStringLiteral("Damaged JPEG picture: %1").arg(QString::fromLocal8Bit(job->message));
        std::free(job);
        throw PictureError(text);
    }
    QImage img(int(job->width), int(job->height), QImage::Format_RGB32);
    if (img.isNull()) {
        std::free(job->pixels);
        std::free(job);
        throw PictureError(QStringLiteral("Not enough memory for the JPEG picture"));
    }
    for (unsigned long y = 0; y < job->height; ++y) {
        const unsigned char *src = job->pixels + size_t(y) * job->width * 3;
        QRgb *dst = reinterpret_cast<QRgb *>(img.scanLine(int(y)));
        for (unsigned long x = 0; x < job->width; ++x)
            dst[x] = qRgb(src[x * 3], src[x * 3 + 1], src[x * 3 + 2]);
    }
    std::free(job->pixels);
    std::free(job);
    return img;
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
        if (best < 0 || !reader.jumpToImage(best))
            best = -1;
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

QImage loadPicture(const QString &path)
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
        return loadPictureData(data, extension);
    } catch (const PictureError &e) {
        throw PictureError(QStringLiteral("%1: %2").arg(path, e.message()));
    }
}

} // namespace accrua::engine::picture
