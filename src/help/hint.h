// The help hint popup's geometry, without widgets: how big the rounded box is
// for a text of a measured width, and where it sits inside the owning form.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace accrua::help {

// A text wider than this on one line is wrapped into lines of this width.
inline constexpr int kHintWrapWidth = 300;
inline constexpr int kHintMinimumWidth = 200;
inline constexpr int kHintOneLineHeight = 23;
// Height per wrapped line; the box holds one line more than the text needs.
inline constexpr int kHintLineStep = 12;
// Room left and right of a one-line text.
inline constexpr int kHintTextPadding = 10;

// The box for a text `textWidth` pixels wide on one line; `wrappedLines` is
// the number of lines the text takes when wrapped, used only when it is wider
// than kHintWrapWidth.
QSize hintBoxSize(int textWidth, int wrappedLines);

// The box's top left corner relative to the form: at the cursor (screen
// coordinates), moved left and up just enough to end inside `form` (screen
// coordinates). There is no lower bound: a box wider than the form starts
// left of it.
QPoint hintBoxPosition(QPoint cursor, const QRect &form, QSize box);

// Both together: the box in the form's coordinates.
QRect hintBoxGeometry(int textWidth, int wrappedLines, QPoint cursor, const QRect &form);

} // namespace accrua::help
