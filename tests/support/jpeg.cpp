#include "jpeg.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace accrua::testsupport {

QByteArray encodeJpeg(const QImage &image, JpegKind kind, int quality)
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
    jpeg_set_quality(&c, quality, TRUE);
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

} // namespace accrua::testsupport
