// The pictures of the preview window's toolbar: small vector drawings kept
// as SVG text, rendered at every size the toolbar asks for.
#pragma once

#include <QIcon>

namespace accrua::reports::preview {

enum class PreviewGlyph {
    ZoomPage,
    ZoomIn,
    ZoomOut,
    ZoomWidth,
    First,
    Prev,
    Next,
    Last,
    PrintSetup,
    Print,
    Save,
    Open,
};

QIcon previewIcon(PreviewGlyph glyph);

} // namespace accrua::reports::preview
