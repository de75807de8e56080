// The pictures of the program's tool bar buttons and the Calculate button,
// main window and preview alike: small vector drawings kept as SVG text and
// rendered at whatever size and pixel density they are asked for, so that
// they stay sharp under any scale factor and need no image files.
#pragma once

#include <QIcon>

namespace accrua::desktop {

enum class Glyph {
    Open,
    Save,
    PrintPreview,
    Print,
    PrintSetup,
    Calculate,
    ZoomPage,
    ZoomIn,
    ZoomOut,
    ZoomWidth,
    First,
    Prev,
    Next,
    Last,
    Planner,
};

QIcon glyphIcon(Glyph glyph);

} // namespace accrua::desktop
