// Shared by the options tests and benchmark: JPEG files written with libjpeg
// itself, and a store in a temporary folder.
#pragma once

#include "settings/store.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QString>

#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace accrua::testsupport {

enum class JpegKind { Baseline420, Baseline444, Gray, Progressive };

// Smooth gradients with a grid, so that misplaced rows or columns show.
inline QImage patternImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const bool grid = x % 37 == 0 || y % 23 == 0;
            line[x] = grid ? qRgb(0, 0, 0) : qRgb((x * 255) / width, (y * 255) / height, ((x + y) * 7) % 256);
        }
    }
    return image;
}

inline QByteArray encodeJpeg(const QImage &image, JpegKind kind)
{
    jpeg_compress_struct c;
    jpeg_error_mgr err;
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char *out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &out, &size);
    const bool gray = kind == JpegKind::Gray;
    c.image_width = JDIMENSION(image.width());
    c.image_height = JDIMENSION(image.height());
    c.input_components = gray ? 1 : 3;
    c.in_color_space = gray ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 90, TRUE);
    if (kind == JpegKind::Baseline444) {
        c.comp_info[0].h_samp_factor = 1;
        c.comp_info[0].v_samp_factor = 1;
    }
    if (kind == JpegKind::Progressive)
        jpeg_simple_progression(&c);
    jpeg_start_compress(&c, TRUE);
    std::vector<unsigned char> row(size_t(image.width()) * 3);
    while (c.next_scanline < c.image_height) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(int(c.next_scanline)));
        for (int x = 0; x < image.width(); ++x) {
            if (gray) {
                row[size_t(x)] = static_cast<unsigned char>(qGray(line[x]));
            } else {
                row[size_t(x) * 3] = static_cast<unsigned char>(qRed(line[x]));
                row[size_t(x) * 3 + 1] = static_cast<unsigned char>(qGreen(line[x]));
                row[size_t(x) * 3 + 2] = static_cast<unsigned char>(qBlue(line[x]));
            }
        }
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&c, &r, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    QByteArray data(reinterpret_cast<const char *>(out), qsizetype(size));
    std::free(out);
    return data;
}

inline bool writeFile(const QString &path, const QByteArray &data)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(data) == data.size();
}

} // namespace accrua::testsupport
