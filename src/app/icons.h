// The pictures of the tool bar buttons and the Calculate button, drawn as
// vector shapes at whatever size and pixel density they are asked for, so that
// they stay sharp under any scale factor and need no image files.
#pragma once

#include <QIcon>

namespace accrua::app {

enum class Glyph { Open, Save, PrintPreview, Print, Calculate, Planner };

QIcon glyphIcon(Glyph glyph);

} // namespace accrua::app
