// Pictures for the options dialog's preview and the browse dialog's preview
// pane, loaded only as far as the area they are shown in needs.
//
// A JPEG is decoded by libjpeg directly: for an area that cuts the picture at
// its edges only the rows that show are converted (the rest is still read, so
// a damaged end is found as the reports would find it); for an area the
// picture is fitted into, libjpeg decodes it already scaled down (1/8 to 8/8).
// Everything else, and any JPEG the quick path does not take, goes through
// the program's one picture loader, whose errors are the ones reported.
#pragma once

#include "engine/picture/jpeg.h"

#include <QImage>
#include <QSize>
#include <QString>

namespace accrua::settings {

enum class PreviewFit {
    CutAtEdges, // at its own size from the top left corner
    ScaleToFit, // shrunk, never enlarged, to fit, keeping its proportions
};

struct PreviewPicture {
    QImage image;
    QSize fullSize; // of the picture in the file
};

// Throws engine::picture::PictureError with the loader's texts ("Unknown picture file
// extension (.%s)", damaged files, ...).
PreviewPicture loadPreviewPicture(const QString &path, QSize area, PreviewFit fit);

// The scale the preview asks the JPEG decoder for.
using engine::picture::jpegScaleNumerator;

} // namespace accrua::settings
