#include "desktop/glyphs.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>

#include <cmath>
#include <map>
#include <memory>
#include <tuple>

namespace accrua::desktop {

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

QByteArray svgOf(Glyph glyph)
{
    const QByteArray lens(kLens);
    switch (glyph) {
    case Glyph::Open:
        return svg("<path d='M1.5 13.5v-10H6L7.5 5h6v8.5z' fill='#e8b94a' stroke='#8a6210'/>"
                   "<path d='M1.5 13.5L4 7.5h11.5l-2 6z' fill='#f7d77c' stroke='#8a6210'/>");
    case Glyph::Save:
        return svg("<path d='M1.5 1.5h11l2 2v11h-13z' fill='#3b6ec2' stroke='#1d3f7a'/>"
                   "<rect x='3.5' y='2' width='8' height='5' fill='#fff'/>"
                   "<rect x='4' y='9.5' width='8' height='5' fill='#c8cfd8'/>"
                   "<rect x='9' y='10.5' width='2' height='3' fill='#1d3f7a'/>");
    case Glyph::PrintPreview:
        // A ruled page under a magnifying glass.
        return svg("<rect x='1.5' y='0.5' width='9' height='12' fill='#fff' stroke='#555'/>"
                   "<path d='M3.5 3h5M3.5 5h5M3.5 7h5M3.5 9h5M3.5 11h5' stroke='#8c8c8c'/>"
                   "<path d='M11.5 11.5L14.8 14.8' stroke='#333' stroke-width='2' stroke-linecap='round'/>"
                   "<circle cx='9' cy='9' r='3.3' fill='#bfe0ff' fill-opacity='0.75' stroke='#333' "
                   "stroke-width='1.2'/>");
    case Glyph::Print:
        // Paper going in, the printer's body, its output slot, the printed sheet, the power light.
        return svg("<rect x='4.5' y='0.5' width='7' height='6' fill='#fff' stroke='#555'/>"
                   "<path d='M6.5 3h3M6.5 5h3' stroke='#8c8c8c'/>"
                   "<rect x='0.5' y='5.5' width='15' height='7' rx='1.5' fill='#a9aeb5' stroke='#444'/>"
                   "<rect x='3.5' y='10.5' width='9' height='2' fill='#6b7078' stroke='#444'/>"
                   "<rect x='4.5' y='11.5' width='7' height='4' fill='#fff' stroke='#555'/>"
                   "<path d='M6.5 14h3' stroke='#8c8c8c'/>"
                   "<circle cx='13' cy='7.7' r='0.9' fill='#2eb83c'/>");
    case Glyph::PrintSetup:
        return svg("<rect x='4.5' y='1.5' width='7' height='4' fill='#fff' stroke='#555'/>"
                   "<rect x='1.5' y='5.5' width='13' height='6' rx='1' fill='#b9c2cc' stroke='#4a5561'/>"
                   "<circle cx='11' cy='12' r='3' fill='#e9a23b' stroke='#8a5a10'/>"
                   "<circle cx='11' cy='12' r='1' fill='#fff'/>");
    case Glyph::Calculate: {
        // A calculator: body, display and a three by three keypad, the last key orange.
        QByteArray keys;
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 3; ++col)
                keys += QByteArray("<rect x='") + QByteArray::number(4 + col * 2.9) + "' y='" +
                        QByteArray::number(7 + row * 2.8) + "' width='2.1' height='2' fill='" +
                        (row == 2 && col == 2 ? "#f08c2a" : "#eee") + "'/>";
        return svg("<rect x='2.5' y='0.5' width='11' height='15' rx='1.5' fill='#5a606b' stroke='#333'/>"
                   "<rect x='4' y='2' width='8' height='3.5' fill='#b8e0a8'/>" +
                   keys);
    }
    case Glyph::ZoomPage:
        return svg("<rect x='4.5' y='3.5' width='7' height='9' fill='#fff' stroke='#555'/>"
                   "<path d='M6 6h4M6 8h4M6 10h3' stroke='#999'/>"
                   "<path d='M1 4V1h3M12 1h3v3M15 12v3h-3M4 15H1v-3' fill='none' stroke='#1f6fc5' "
                   "stroke-width='1.4'/>");
    case Glyph::ZoomIn:
        return svg(lens + "<path d='M4 6.5h5M6.5 4v5' stroke='#1f6fc5' stroke-width='1.4'/>");
    case Glyph::ZoomOut:
        return svg(lens + "<path d='M4 6.5h5' stroke='#1f6fc5' stroke-width='1.4'/>");
    case Glyph::ZoomWidth:
        return svg("<rect x='3.5' y='1.5' width='9' height='13' fill='#fff' stroke='#555'/>"
                   "<path d='M5 4h6M5 6h6M5 11h6M5 13h4' stroke='#999'/>"
                   "<path d='M1 8.5h14' stroke='#1f6fc5' stroke-width='1.4'/>"
                   "<path d='M0.5 8.5l3-2.5v5zM15.5 8.5l-3-2.5v5z' fill='#1f6fc5'/>");
    case Glyph::First:
        return svg("<rect x='3' y='3' width='2' height='10' fill='#2d3e50'/>"
                   "<path d='M13 3v10L6 8z' fill='#2e8b3d'/>");
    case Glyph::Prev:
        return svg("<path d='M11.5 3v10L4.5 8z' fill='#2e8b3d'/>");
    case Glyph::Next:
        return svg("<path d='M4.5 3v10L11.5 8z' fill='#2e8b3d'/>");
    case Glyph::Last:
        return svg("<path d='M3 3v10L10 8z' fill='#2e8b3d'/>"
                   "<rect x='11' y='3' width='2' height='10' fill='#2d3e50'/>");
    case Glyph::Planner:
        // The loan planner's chart: two balances falling at different speeds over a framed plot.
        return svg("<rect x='0.5' y='1.5' width='15' height='13' fill='#fff' stroke='#555'/>"
                   "<path d='M2.5 4L7 6.5L11 10L13.5 12.5' fill='none' stroke='#1f4e9a' stroke-width='1.6' "
                   "stroke-linecap='round' stroke-linejoin='round'/>"
                   "<path d='M2.5 4L5.5 7.5L8.5 12.5' fill='none' stroke='#c0392b' stroke-width='1.6' "
                   "stroke-linecap='round' stroke-linejoin='round'/>"
                   "<rect x='10' y='12.5' width='1.5' height='1.5' fill='#9c3d2a'/>"
                   "<rect x='12.5' y='13' width='1.5' height='1' fill='#9c3d2a'/>");
    }
    return {};
}

// Renders the drawing at each size and pixel density asked for; each
// rendering is kept, as tool bar buttons ask again at every paint. A disabled
// picture is greyed as the style greys any picture.
class GlyphEngine : public QIconEngine {
public:
    explicit GlyphEngine(Glyph glyph)
        : m_glyph(glyph), m_renderer(std::make_shared<QSvgRenderer>(svgOf(glyph)))
    {
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        if (mode == QIcon::Disabled) {
            const qreal dpr = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
            painter->drawPixmap(rect, scaledPixmap(rect.size() * dpr, mode, state, dpr));
            return;
        }
        const qreal side = std::min(rect.width(), rect.height());
        m_renderer->render(painter, QRectF(rect.left() + (rect.width() - side) / 2,
                                           rect.top() + (rect.height() - side) / 2, side, side));
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    // `size` is in device pixels, as QIcon asks: drawn at that size, the
    // picture is as sharp as the screen allows.
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        const auto key = std::make_tuple(size.width(), size.height(), static_cast<int>(mode),
                                         static_cast<int>(std::lround(scale * 100)));
        if (const auto it = m_pixmaps.find(key); it != m_pixmaps.end())
            return it->second;
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        {
            QPainter painter(&pixmap);
            painter.setRenderHint(QPainter::Antialiasing);
            paint(&painter, QRect(QPoint(0, 0), size), QIcon::Normal, state);
        }
        pixmap.setDevicePixelRatio(scale);
        if (mode == QIcon::Disabled || mode == QIcon::Selected) {
            QStyleOption option;
            option.palette = QApplication::palette();
            pixmap = QApplication::style()->generatedIconPixmap(mode, pixmap, &option);
        }
        m_pixmaps.emplace(key, pixmap);
        return pixmap;
    }

    QIconEngine *clone() const override { return new GlyphEngine(m_glyph); }
    QString key() const override { return QStringLiteral("accrua-glyph"); }

private:
    Glyph m_glyph;
    std::shared_ptr<QSvgRenderer> m_renderer;
    std::map<std::tuple<int, int, int, int>, QPixmap> m_pixmaps;
};

} // namespace

QIcon glyphIcon(Glyph glyph)
{
    return QIcon(new GlyphEngine(glyph));
}

} // namespace accrua::desktop
