#include "engine/emf/pagesize.h"

#include "engine/emf/emfplayer.h"

namespace accrua::engine::emf {

QSizeF pageSizeOf(const QByteArray &metafile)
{
    // Up to 100 inches a side: beyond any paper a report is printed on.
    constexpr double kLargest = 100 * 96;
    const auto size = EmfPlayer::pageSize(metafile);
    if (!size || !(size->width() >= 1 && size->width() <= kLargest) ||
        !(size->height() >= 1 && size->height() <= kLargest))
        return kLetterPage;
    return *size;
}

} // namespace accrua::engine::emf
