#include "help/hint.h"

#include <algorithm>

namespace accrua::help {

QSize hintBoxSize(int textWidth, int wrappedLines)
{
    if (textWidth > kHintWrapWidth)
        return {kHintWrapWidth, kHintLineStep * (std::max(wrappedLines, 1) + 1)};
    return {std::max(textWidth + kHintTextPadding, kHintMinimumWidth), kHintOneLineHeight};
}

QPoint hintBoxPosition(QPoint cursor, const QRect &form, QSize box)
{
    const int x = std::min(cursor.x() - form.left(), form.width() - box.width());
    const int y = std::min(cursor.y() - form.top(), form.height() - box.height());
    return {x, y};
}

QRect hintBoxGeometry(int textWidth, int wrappedLines, QPoint cursor, const QRect &form)
{
    const QSize box = hintBoxSize(textWidth, wrappedLines);
    return {hintBoxPosition(cursor, form, box), box};
}

} // namespace accrua::help
