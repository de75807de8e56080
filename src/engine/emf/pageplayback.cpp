#include "engine/emf/pageplayback.h"

#include "engine/emf/emfplayer.h"
#include "engine/emf/pagesize.h"

#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>

#include <exception>
#include <set>

namespace accrua::engine::emf {

QPageLayout pageLayoutFor(QSizeF pagePixels)
{
    const QSizeF inches(pagePixels.width() / 96.0, pagePixels.height() / 96.0);
    const bool landscape = inches.width() > inches.height();
    const QPageSize size(landscape ? inches.transposed() : inches, QPageSize::Inch, QString(),
                         QPageSize::FuzzyMatch);
    return QPageLayout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF());
}

std::optional<PlaybackFailure> firstBadPage(const std::vector<int> &order, const PageSource &source)
{
    using Kind = PlaybackFailure::Kind;
    std::set<int> checked;
    for (const int page : order) {
        if (!checked.insert(page).second)
            continue;
        std::optional<QByteArray> body;
        try {
            body = source(page);
        } catch (const std::exception &e) {
            return PlaybackFailure{Kind::Play, page, QString::fromUtf8(e.what())};
        }
        if (!body)
            return PlaybackFailure{Kind::Missing, page, {}};
        QString why;
        if (!EmfPlayer::check(*body, &why))
            return PlaybackFailure{Kind::Play, page, why};
    }
    return std::nullopt;
}

std::optional<PlaybackFailure> playPages(QPagedPaintDevice &device, const std::vector<int> &order,
                                         const PageSource &source, const std::function<QRectF()> &sheet)
{
    using Kind = PlaybackFailure::Kind;
    if (order.empty())
        return PlaybackFailure{Kind::Missing, 0, {}};
    if (std::optional<PlaybackFailure> bad = firstBadPage(order, source))
        return bad;
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
