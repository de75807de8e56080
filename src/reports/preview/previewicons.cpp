#include "reports/preview/previewicons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

#include <cmath>
#include <map>
#include <memory>
#include <tuple>

namespace accrua::reports::preview {

namespace {

// All drawn on a 16 x 16 grid.
QByteArray svg(const QByteArray &body)
{
    return "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 16 16' width='16' height='16'>" + body +
           "</svg>";
}

const char *const kLens =
    "<circle cx='6.5' cy='6.5' r='4.5' fill='#dcecff' stroke='#2d3e50' stroke-width='1.3'/>"
    "<path d='M9.8 9.8 L14.5 14.5' stroke='#2d3e50' stroke-width='2.2' "
    "stroke-linecap='round'/>";

QByteArray svgOf(PreviewGlyph glyph)
{
    const QByteArray lens(kLens);
    switch (glyph) {
    case PreviewGlyph::ZoomPage:
        return svg("<rect x='4.5' y='3.5' width='7' height='9' fill='#fff' stroke='#555'/>"
                   "<path d='M6 6h4M6 8h4M6 10h3' stroke='#999'/>"
                   "<path d='M1 4V1h3M12 1h3v3M15 12v3h-3M4 15H1v-3' fill='none' stroke='#1f6fc5' "
                   "stroke-width='1.4'/>");
    case PreviewGlyph::ZoomIn:
        return svg(lens + "<path d='M4 6.5h5M6.5 4v5' stroke='#1f6fc5' stroke-width='1.4'/>");
    case PreviewGlyph::ZoomOut:
        return svg(lens + "<path d='M4 6.5h5' stroke='#1f6fc5' stroke-width='1.4'/>");
    case PreviewGlyph::ZoomWidth:
        return svg("<rect x='3.5' y='1.5' width='9' height='13' fill='#fff' stroke='#555'/>"
                   "<path d='M5 4h6M5 6h6M5 11h6M5 13h4' stroke='#999'/>"
                   "<path d='M1 8.5h14' stroke='#1f6fc5' stroke-width='1.4'/>"
                   "<path d='M0.5 8.5l3-2.5v5zM15.5 8.5l-3-2.5v5z' fill='#1f6fc5'/>");
    case PreviewGlyph::First:
        return svg("<rect x='3' y='3' width='2' height='10' fill='#2d3e50'/>"
                   "<path d='M13 3v10L6 8z' fill='#2e8b3d'/>");
    case PreviewGlyph::Prev:
        return svg("<path d='M11.5 3v10L4.5 8z' fill='#2e8b3d'/>");
    case PreviewGlyph::Next:
        return svg("<path d='M4.5 3v10L11.5 8z' fill='#2e8b3d'/>");
    case PreviewGlyph::Last:
        return svg("<path d='M3 3v10L10 8z' fill='#2e8b3d'/>"
                   "<rect x='11' y='3' width='2' height='10' fill='#2d3e50'/>");
    case PreviewGlyph::PrintSetup:
        return svg("<rect x='4.5' y='1.5' width='7' height='4' fill='#fff' stroke='#555'/>"
                   "<rect x='1.5' y='5.5' width='13' height='6' rx='1' fill='#b9c2cc' stroke='#4a5561'/>"
                   "<circle cx='11' cy='12' r='3' fill='#e9a23b' stroke='#8a5a10'/>"
                   "<circle cx='11' cy='12' r='1' fill='#fff'/>");
    case PreviewGlyph::Print:
        return svg("<rect x='4.5' y='1.5' width='7' height='5' fill='#fff' stroke='#555'/>"
                   "<rect x='1.5' y='6.5' width='13' height='6' rx='1' fill='#b9c2cc' stroke='#4a5561'/>"
                   "<rect x='4.5' y='10.5' width='7' height='4' fill='#fff' stroke='#555'/>"
                   "<circle cx='12.5' cy='8.5' r='0.8' fill='#2e8b3d'/>");
    case PreviewGlyph::Save:
        return svg("<path d='M1.5 1.5h11l2 2v11h-13z' fill='#3b6ec2' stroke='#1d3f7a'/>"
                   "<rect x='3.5' y='2' width='8' height='5' fill='#fff'/>"
                   "<rect x='4' y='9.5' width='8' height='5' fill='#c8cfd8'/>"
                   "<rect x='9' y='10.5' width='2' height='3' fill='#1d3f7a'/>");
    case PreviewGlyph::Open:
        return svg("<path d='M1.5 13.5v-10H6L7.5 5h6v8.5z' fill='#e8b94a' stroke='#8a6210'/>"
                   "<path d='M1.5 13.5L4 7.5h11.5l-2 6z' fill='#f7d77c' stroke='#8a6210'/>");
    }
    return {};
}

// Renders the drawing at each size and pixel density asked for, so the
// pictures stay sharp under any scale factor; each rendering is kept, as
// toolbar buttons ask again at every paint.
class SvgIconEngine : public QIconEngine {
public:
    explicit SvgIconEngine(const QByteArray &svg)
        : m_svg(svg), m_renderer(std::make_shared<QSvgRenderer>(svg))
    {
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State) override
    {
        if (mode == QIcon::Disabled)
            painter->setOpacity(0.35);
        m_renderer->render(painter, QRectF(rect));
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        const auto key = std::make_tuple(size.width(), size.height(), static_cast<int>(mode),
                                         static_cast<int>(std::lround(scale * 100)));
        if (const auto it = m_pixmaps.find(key); it != m_pixmaps.end())
            return it->second;
        QPixmap pixmap(size * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        painter.end();
        m_pixmaps.emplace(key, pixmap);
        return pixmap;
    }

    QIconEngine *clone() const override { return new SvgIconEngine(m_svg); }

private:
    QByteArray m_svg;
    std::shared_ptr<QSvgRenderer> m_renderer;
    std::map<std::tuple<int, int, int, int>, QPixmap> m_pixmaps;
};

} // namespace

QIcon previewIcon(PreviewGlyph glyph)
{
    return QIcon(new SvgIconEngine(svgOf(glyph)));
}

} // namespace accrua::reports::preview
