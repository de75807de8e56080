#include "settings/optionspicture.h"

#include "engine/picture/picture.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

#include <jpeglib.h>

namespace accrua::settings {

namespace {

// The quick path takes no more than the program's loader accepts; anything
// beyond is left to the loader, which refuses it with its own words.
constexpr qint64 kMaxFileBytes = 64LL * 1024 * 1024;
constexpr unsigned long kMaxSide = 16384;
constexpr unsigned long long kMaxPixels = 40ULL * 1000 * 1000;
constexpr int kMaxScans = 500;

// Everything the decoder touches across setjmp/longjmp lives here, in plain
// C storage: no C++ object with a destructor is alive in the jumping frame.
struct PreviewJob {
    jpeg_error_mgr pub; // first member: libjpeg sees a jpeg_error_mgr
    jmp_buf jump;
    jpeg_progress_mgr progress;
    jpeg_decompress_struct cinfo;
    // In: the area, and whether the picture is fitted into it.
    unsigned areaWidth;
    unsigned areaHeight;
    int fit;
    // Out: the kept pixels (malloc'd RGB), their size, the picture's size.
    unsigned char *pixels;
    unsigned char *row;
    unsigned keptWidth;
    unsigned keptHeight;
    unsigned long imageWidth;
    unsigned long imageHeight;
};

extern "C" void previewErrorExit(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<PreviewJob *>(cinfo->err)->jump, 1);
}

// A corrupt-data warning makes the loader refuse the file: so does this.
extern "C" void previewEmitMessage(j_common_ptr cinfo, int level)
{
    if (level < 0)
        previewErrorExit(cinfo);
}

extern "C" void previewOutputMessage(j_common_ptr) {}

extern "C" void previewProgress(j_common_ptr cinfo)
{
    if (cinfo->is_decompressor && reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxScans)
        previewErrorExit(cinfo);
}

void freeJob(PreviewJob *job)
{
    std::free(job->pixels);
    std::free(job->row);
    job->pixels = nullptr;
    job->row = nullptr;
}

// Returns 0 with job->pixels filled, non-zero when the quick path does not
// take the file. Plain C within: safe to longjmp through.
int decodePreview(const unsigned char *data, unsigned long size, PreviewJob *job)
{
    jpeg_decompress_struct &cinfo = job->cinfo;
    std::memset(&cinfo, 0, sizeof cinfo);
    cinfo.err = jpeg_std_error(&job->pub);
    job->pub.error_exit = previewErrorExit;
    job->pub.emit_message = previewEmitMessage;
    job->pub.output_message = previewOutputMessage;
    job->pixels = nullptr;
    job->row = nullptr;
    if (setjmp(job->jump)) {
        freeJob(job);
        jpeg_destroy_decompress(&cinfo);
        return 1;
    }
    jpeg_create_decompress(&cinfo);
    cinfo.mem->max_memory_to_use = 512L * 1024 * 1024;
    job->progress.progress_monitor = previewProgress;
    cinfo.progress = &job->progress;
    jpeg_mem_src(&cinfo, data, size);
    if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK || cinfo.image_width == 0 ||
        cinfo.image_height == 0 || cinfo.image_width > kMaxSide || cinfo.image_height > kMaxSide ||
        static_cast<unsigned long long>(cinfo.image_width) * cinfo.image_height > kMaxPixels ||
        (cinfo.jpeg_color_space != JCS_YCbCr && cinfo.jpeg_color_space != JCS_GRAYSCALE &&
         cinfo.jpeg_color_space != JCS_RGB)) {
        jpeg_destroy_decompress(&cinfo);
        return 1;
    }
    job->imageWidth = cinfo.image_width;
    job->imageHeight = cinfo.image_height;
    cinfo.out_color_space = JCS_RGB;
    if (job->fit) {
        const QSize full(int(cinfo.image_width), int(cinfo.image_height));
        const QSize target =
            full.scaled(QSize(int(job->areaWidth), int(job->areaHeight)), Qt::KeepAspectRatio)
                .boundedTo(full)
                .expandedTo(QSize(1, 1));
        cinfo.scale_num = static_cast<unsigned>(jpegScaleNumerator(full, target));
        cinfo.scale_denom = 8;
    }
    jpeg_start_decompress(&cinfo);
    if (cinfo.output_components != 3 || cinfo.output_width == 0 || cinfo.output_height == 0) {
        jpeg_destroy_decompress(&cinfo);
        return 1;
    }
    job->keptWidth = job->fit ? cinfo.output_width : std::min<unsigned>(cinfo.output_width, job->areaWidth);
    job->keptHeight =
        job->fit ? cinfo.output_height : std::min<unsigned>(cinfo.output_height, job->areaHeight);
    const size_t rowBytes = size_t(cinfo.output_width) * 3;
    const size_t keptBytes = size_t(job->keptWidth) * 3;
    job->pixels = static_cast<unsigned char *>(std::malloc(keptBytes * job->keptHeight));
    job->row = static_cast<unsigned char *>(std::malloc(rowBytes));
    if (!job->pixels || !job->row) {
        freeJob(job);
        jpeg_destroy_decompress(&cinfo);
        return 1;
    }
    JSAMPROW row = job->row;
    while (cinfo.output_scanline < job->keptHeight) {
        const JDIMENSION y = cinfo.output_scanline;
        if (jpeg_read_scanlines(&cinfo, &row, 1) != 1) {
            freeJob(job);
            jpeg_destroy_decompress(&cinfo);
            return 1;
        }
        std::memcpy(job->pixels + keptBytes * y, job->row, keptBytes);
    }
    if (cinfo.output_scanline < cinfo.output_height) {
        // The rows below the area are not converted, but their data is
        // decoded: skipping to the very end would read nothing, so the last
        // row is read.
        const JDIMENSION skip = cinfo.output_height - cinfo.output_scanline - 1;
        if (skip > 0 && jpeg_skip_scanlines(&cinfo, skip) != skip) {
            freeJob(job);
            jpeg_destroy_decompress(&cinfo);
            return 1;
        }
        if (jpeg_read_scanlines(&cinfo, &row, 1) != 1) {
            freeJob(job);
            jpeg_destroy_decompress(&cinfo);
            return 1;
        }
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    std::free(job->row);
    job->row = nullptr;
    return 0;
}

std::optional<PreviewPicture> quickJpeg(const QString &path, QSize area, PreviewFit fit)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileBytes)
        return std::nullopt;
    const QByteArray data = file.read(kMaxFileBytes + 1);
    if (data.isEmpty() || data.size() > kMaxFileBytes)
        return std::nullopt;
    auto *job = static_cast<PreviewJob *>(std::calloc(1, sizeof(PreviewJob)));
    if (!job)
        return std::nullopt;
    job->areaWidth = unsigned(std::max(area.width(), 1));
    job->areaHeight = unsigned(std::max(area.height(), 1));
    job->fit = fit == PreviewFit::ScaleToFit;
    if (decodePreview(reinterpret_cast<const unsigned char *>(data.constData()),
                      static_cast<unsigned long>(data.size()), job) != 0) {
        std::free(job);
        return std::nullopt;
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
    const QSize full(int(job->imageWidth), int(job->imageHeight));
    std::free(job->pixels);
    std::free(job);
    if (image.isNull())
        return std::nullopt;
    return PreviewPicture{std::move(image), full};
}

QImage fitted(const QImage &image, QSize area, QSize full)
{
    const QSize target = full.scaled(area, Qt::KeepAspectRatio).boundedTo(full).expandedTo(QSize(1, 1));
    if (image.size() == target)
        return image;
    return image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
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

PreviewPicture loadPreviewPicture(const QString &path, QSize area, PreviewFit fit)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg")) {
        if (std::optional<PreviewPicture> quick = quickJpeg(path, area, fit)) {
            if (fit == PreviewFit::ScaleToFit)
                quick->image = fitted(quick->image, area, quick->fullSize);
            return *quick;
        }
    }
    const QImage image = engine::picture::loadPicture(path);
    PreviewPicture picture{image, image.size()};
    if (fit == PreviewFit::ScaleToFit)
        picture.image = fitted(image, area, image.size());
    else
        picture.image = image.copy(QRect(QPoint(0, 0), image.size().boundedTo(area)));
    return picture;
}

} // namespace accrua::settings
