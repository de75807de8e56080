#include "engine/emf/pageplayback.h"

#include "engine/emf/emfplayer.h"
#include "engine/emf/pagesize.h"

#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>

namespace accrua::engine::emf {

QPageLayout pageLayoutFor(QSizeF pagePixels)
{
    const QSizeF inches(pagePixels.width() / 96.0, pagePixels.height() / 96.0);
    const bool landscape = inches.width() > inches.height();
    const QPageSize size(landscape ? inches.transposed() : inches, QPageSize::Inch, QString(),
                         QPageSize::FuzzyMatch);
    return QPageLayout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF());
}

std::optional<PlaybackFailure> playPages(QPagedPaintDevice &device, const std::vector<int> &order,
                                         const PageSource &source, const std::function<QRectF()> &sheet)
{
    using Kind = PlaybackFailure::Kind;
    if (order.empty())
        return PlaybackFailure{Kind::Missing, 0, {}};
    std::optional<QByteArray> body = source(order.front());
    if (!body)
        return PlaybackFailure{Kind::Missing, order.front(), {}};
    device.setPageLayout(pageLayoutFor(pageSizeOf(*body)));
    QPainter painter;
    if (!painter.begin(&device))
        return PlaybackFailure{Kind::Begin, 0, {}};
    for (std::size_t k = 0; k < order.size(); ++k) {
        const int page = order[k];
        if (k > 0) {
            if (page != order[k - 1]) {
                body = source(page);
                if (!body) {
                    painter.end();
                    return PlaybackFailure{Kind::Missing, page, {}};
                }
            }
            device.setPageLayout(pageLayoutFor(pageSizeOf(*body)));
            if (!device.newPage()) {
                painter.end();
                return PlaybackFailure{Kind::NewPage, page, {}};
            }
        }
        const QRectF target = sheet();
        QString error;
        if (!EmfPlayer::play(*body, painter, QRectF(QPointF(0, 0), target.size()), &error)) {
            painter.end();
            return PlaybackFailure{Kind::Play, page, error};
        }
    }
    if (!painter.end())
        return PlaybackFailure{Kind::End, 0, {}};
    return std::nullopt;
}

} // namespace accrua::engine::emf
