#include "settings/optionspicture.h"

#include "engine/picture/jpeg.h"
#include "engine/picture/picture.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <optional>
#include <variant>

namespace accrua::settings {

namespace {

// The quick path: the program's one JPEG decoder, asked for only what the
// area shows. Anything it does not take (CMYK pictures, damaged files) is
// left to the loader, which refuses it with its own words.
std::optional<PreviewPicture> quickJpeg(const QString &path, QSize area, PreviewFit fit)
{
    using engine::picture::kMaxFileBytes;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileBytes)
        return std::nullopt;
    const QByteArray data = file.read(kMaxFileBytes + 1);
    if (data.isEmpty() || data.size() > kMaxFileBytes)
        return std::nullopt;
    const QSize shown(std::max(area.width(), 1), std::max(area.height(), 1));
    engine::picture::JpegRequest request;
    request.plainColours = true;
    if (fit == PreviewFit::ScaleToFit)
        request.fitInto = shown;
    else
        request.keep = shown;
    auto decoded = engine::picture::decodeJpeg(data, request);
    auto *picture = std::get_if<engine::picture::JpegPicture>(&decoded);
    if (!picture)
        return std::nullopt;
    return PreviewPicture{std::move(picture->image), picture->fullSize};
}

QImage fitted(const QImage &image, QSize area, QSize full)
{
    const QSize target = full.scaled(area, Qt::KeepAspectRatio).boundedTo(full).expandedTo(QSize(1, 1));
    if (image.size() == target)
        return image;
    return image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

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
