// The paper of a page in page pixels (96 per inch): Letter when nothing
// better is known, and the size a page's metafile gives, kept within reason.
#pragma once

#include <QByteArray>
#include <QSizeF>

namespace accrua::engine::emf {

// Letter portrait, 8.5 x 11 inches.
inline constexpr QSizeF kLetterPage(816, 1056);

// The page size of a page as its metafile gives it; Letter when the metafile
// gives none or an implausible one (a damaged file must not make the view or
// the printer allocate without bound).
QSizeF pageSizeOf(const QByteArray &metafile);

} // namespace accrua::engine::emf
