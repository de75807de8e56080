#include "engine/picture/jpeg.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>

namespace accrua::engine::picture {

namespace {

// Everything the decoder touches across setjmp/longjmp lives here, in plain C
// storage owned by the caller: no C++ object with a destructor is alive in
// the frame that the error handler jumps back to.
struct JpegJob {
    jpeg_error_mgr pub; // first member: libjpeg sees a jpeg_error_mgr
    jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    jpeg_progress_mgr progress;
    jpeg_decompress_struct cinfo;
    // In.
    int fitWidth; // 0: no scaling
    int fitHeight;
    unsigned keepWidth; // 0: all
    unsigned keepHeight;
    int plainColours;
    // Out: the kept pixels (malloc'd RGB), their size, the picture's size.
    unsigned char *pixels;
    unsigned char *row;
    unsigned keptWidth;
    unsigned keptHeight;
    unsigned long imageWidth;
    unsigned long imageHeight;
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

extern "C" void jpegProgress(j_common_ptr cinfo)
{
    if (cinfo->is_decompressor &&
        reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxJpegScans) {
        JpegJob *job = reinterpret_cast<JpegJob *>(cinfo->err);
        std::snprintf(job->message, sizeof job->message, "too many scans");
        std::longjmp(job->jump, 1);
    }
}

int fail(JpegJob *job, const char *why)
{
    if (why)
        std::snprintf(job->message, sizeof job->message, "%s", why);
    std::free(job->pixels);
    std::free(job->row);
    job->pixels = nullptr;
    job->row = nullptr;
    jpeg_destroy_decompress(&job->cinfo);
    return 1;
}

// Returns 0 with job->pixels filled, non-zero on failure (job->message says
// why). Plain C within: safe to longjmp through.
int decode(const unsigned char *data, unsigned long size, JpegJob *job)
{
    jpeg_decompress_struct &cinfo = job->cinfo;
    std::memset(&cinfo, 0, sizeof cinfo);
    cinfo.err = jpeg_std_error(&job->pub);
    job->pub.error_exit = jpegErrorExit;
    job->pub.emit_message = jpegEmitMessage;
    job->pub.output_message = jpegOutputMessage;
    job->pixels = nullptr;
    job->row = nullptr;
    job->tooLarge = 0;
    if (setjmp(job->jump))
        return fail(job, nullptr);
    jpeg_create_decompress(&cinfo);
    cinfo.mem->max_memory_to_use = 512L * 1024 * 1024;
    job->progress.progress_monitor = jpegProgress;
    cinfo.progress = &job->progress;
    jpeg_mem_src(&cinfo, data, size);
    if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK || cinfo.image_width == 0 || cinfo.image_height == 0)
        return fail(job, "no image in the file");
    job->imageWidth = cinfo.image_width;
    job->imageHeight = cinfo.image_height;
    if (cinfo.image_width > kMaxSide || cinfo.image_height > kMaxSide ||
        static_cast<long long>(cinfo.image_width) * cinfo.image_height > kMaxPixels) {
        job->tooLarge = 1;
        return fail(job, "too large");
    }
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    if (job->plainColours && cinfo.jpeg_color_space != JCS_YCbCr && cinfo.jpeg_color_space != JCS_GRAYSCALE &&
        cinfo.jpeg_color_space != JCS_RGB)
        return fail(job, "not a plain colour picture");
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    int scale = 8;
    if (job->fitWidth > 0) {
        const QSize full(int(cinfo.image_width), int(cinfo.image_height));
        const QSize target = full.scaled(QSize(job->fitWidth, job->fitHeight), Qt::KeepAspectRatio)
                                 .boundedTo(full)
                                 .expandedTo(QSize(1, 1));
        scale = jpegScaleNumerator(full, target);
        cinfo.scale_num = static_cast<unsigned>(scale);
        cinfo.scale_denom = 8;
    }
    jpeg_start_decompress(&cinfo);
    const int comps = cinfo.output_components;
    if ((comps != 3 && comps != 4) || cinfo.output_width == 0 || cinfo.output_height == 0 ||
        (scale == 8 &&
         (cinfo.output_width != cinfo.image_width || cinfo.output_height != cinfo.image_height)))
        return fail(job, "unexpected output format");
    job->keptWidth =
        job->keepWidth ? std::min<unsigned>(cinfo.output_width, job->keepWidth) : cinfo.output_width;
    job->keptHeight =
        job->keepHeight ? std::min<unsigned>(cinfo.output_height, job->keepHeight) : cinfo.output_height;
    const size_t rowBytes = size_t(cinfo.output_width) * size_t(comps);
    const size_t keptBytes = size_t(job->keptWidth) * size_t(comps);
    job->pixels = static_cast<unsigned char *>(std::malloc(keptBytes * job->keptHeight));
    job->row = static_cast<unsigned char *>(std::malloc(rowBytes));
    if (!job->pixels || !job->row)
        return fail(job, "out of memory");
    JSAMPROW row = job->row;
    while (cinfo.output_scanline < job->keptHeight) {
        const JDIMENSION y = cinfo.output_scanline;
        if (jpeg_read_scanlines(&cinfo, &row, 1) != 1)
            return fail(job, "premature end of data");
        std::memcpy(job->pixels + keptBytes * y, job->row, keptBytes);
    }
    if (cinfo.output_scanline < cinfo.output_height) {
        // The rows below are not converted, but their data is decoded:
        // skipping to the very end would read nothing, so the last row is read.
        const JDIMENSION skip = cinfo.output_height - cinfo.output_scanline - 1;
        if (skip > 0 && jpeg_skip_scanlines(&cinfo, skip) != skip)
            return fail(job, "premature end of data");
        if (jpeg_read_scanlines(&cinfo, &row, 1) != 1)
            return fail(job, "premature end of data");
    }
    // Adobe writes CMYK inverted; convert to RGB in place, 4 bytes to 3.
    if (comps == 4) {
        const size_t n = size_t(job->keptWidth) * job->keptHeight;
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
    std::free(job->row);
    job->row = nullptr;
    return 0;
}

} // namespace

int jpegScaleNumerator(QSize full, QSize target)
{
    for (int num = 1; num < 8; ++num) {
        // libjpeg rounds scaled sizes up.
        const qint64 w = (qint64(full.width()) * num + 7) / 8;
        const qint64 h = (qint64(full.height()) * num + 7) / 8;
        if (w >= target.width() && h >= target.height())
            return num;
    }
    return 8;
}

std::variant<JpegPicture, JpegFailure> decodeJpeg(const QByteArray &data, const JpegRequest &request)
{
    using Kind = JpegFailure::Kind;
    if (data.isEmpty())
        return JpegFailure{Kind::Damaged, {}, QStringLiteral("the file is empty")};
    auto *job = static_cast<JpegJob *>(std::calloc(1, sizeof(JpegJob)));
    if (!job)
        return JpegFailure{Kind::NoMemory, {}, {}};
    job->fitWidth = request.fitInto.isValid() ? std::max(request.fitInto.width(), 1) : 0;
    job->fitHeight = request.fitInto.isValid() ? std::max(request.fitInto.height(), 1) : 0;
    job->keepWidth = request.keep.isValid() ? unsigned(std::max(request.keep.width(), 1)) : 0;
    job->keepHeight = request.keep.isValid() ? unsigned(std::max(request.keep.height(), 1)) : 0;
    job->plainColours = request.plainColours ? 1 : 0;
    const int failed = decode(reinterpret_cast<const unsigned char *>(data.constData()),
                              static_cast<unsigned long>(data.size()), job);
    const QSize full(int(job->imageWidth), int(job->imageHeight));
    if (failed) {
        JpegFailure failure{job->tooLarge ? Kind::TooLarge : Kind::Damaged, full,
                            QString::fromLocal8Bit(job->message)};
        std::free(job);
        return failure;
    }
    QImage image(int(job->keptWidth), int(job->keptHeight), QImage::Format_RGB32);
    if (!image.isNull()) {
        for (unsigned y = 0; y < job->keptHeight; ++y) {
            const unsigned char *src = job->pixels + size_t(y) * job->keptWidth * 3;
            auto *dst = reinterpret_cast<QRgb *>(image.scanLine(int(y)));
            for (size_t x = 0; x < job->keptWidth; ++x)
                dst[x] = qRgb(src[x * 3], src[x * 3 + 1], src[x * 3 + 2]);
        }
    }
    std::free(job->pixels);
    std::free(job);
    if (image.isNull())
        return JpegFailure{Kind::NoMemory, full, {}};
    return JpegPicture{std::move(image), full};
}

} // namespace accrua::engine::picture
