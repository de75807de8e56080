#include "app/icons.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>

namespace accrua::app {

namespace {

// Every glyph is drawn on a 16 x 16 grid and scaled to the requested rectangle.
void drawOpen(QPainter &p)
{
    QPainterPath back;
    back.moveTo(1.5, 13.5);
    back.lineTo(1.5, 3.5);
    back.lineTo(6, 3.5);
    back.lineTo(7.5, 5);
    back.lineTo(13.5, 5);
    back.lineTo(13.5, 13.5);
    back.closeSubpath();
    p.setPen(QPen(QColor(0x8a, 0x62, 0x10), 1));
    p.setBrush(QColor(0xe8, 0xb9, 0x4a));
    p.drawPath(back);
    QPainterPath flap; // the open front of the folder
    flap.moveTo(1.5, 13.5);
    flap.lineTo(4, 7.5);
    flap.lineTo(15.5, 7.5);
    flap.lineTo(13.5, 13.5);
    flap.closeSubpath();
    p.setBrush(QColor(0xf7, 0xd7, 0x7c));
    p.drawPath(flap);
}

void drawSave(QPainter &p)
{
    p.setPen(QPen(QColor(0x1d, 0x3f, 0x7a), 1));
    p.setBrush(QColor(0x3b, 0x6e, 0xc2));
    QPainterPath disk;
    disk.moveTo(1.5, 1.5);
    disk.lineTo(12.5, 1.5);
    disk.lineTo(14.5, 3.5);
    disk.lineTo(14.5, 14.5);
    disk.lineTo(1.5, 14.5);
    disk.closeSubpath();
    p.drawPath(disk);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white); // label
    p.drawRect(QRectF(3.5, 2, 8, 5));
    p.setBrush(QColor(0xc8, 0xcf, 0xd8)); // shutter
    p.drawRect(QRectF(4, 9.5, 8, 5));
    p.setBrush(QColor(0x1d, 0x3f, 0x7a));
    p.drawRect(QRectF(9, 10.5, 2, 3));
}

void drawPage(QPainter &p, const QRectF &page)
{
    p.setPen(QPen(QColor(0x55, 0x55, 0x55), 1));
    p.setBrush(Qt::white);
    p.drawRect(page);
    p.setPen(QPen(QColor(0x8c, 0x8c, 0x8c), 1));
    for (int i = 0;; ++i) {
        const qreal y = page.top() + 2.5 + 2 * i;
        if (y >= page.bottom() - 1)
            break;
        p.drawLine(QPointF(page.left() + 2, y), QPointF(page.right() - 2, y));
    }
}

void drawPrintPreview(QPainter &p)
{
    drawPage(p, QRectF(1.5, 0.5, 9, 12));
    // A magnifying glass over the page.
    p.setPen(QPen(QColor(0x33, 0x33, 0x33), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(11.5, 11.5), QPointF(14.8, 14.8));
    p.setPen(QPen(QColor(0x33, 0x33, 0x33), 1.2));
    p.setBrush(QColor(0xbf, 0xe0, 0xff, 0xc0));
    p.drawEllipse(QPointF(9, 9), 3.3, 3.3);
}

void drawPrint(QPainter &p)
{
    drawPage(p, QRectF(4.5, 0.5, 7, 6)); // paper going in
    p.setPen(QPen(QColor(0x44, 0x44, 0x44), 1));
    p.setBrush(QColor(0xa9, 0xae, 0xb5)); // the printer's body
    QPainterPath body;
    body.addRoundedRect(QRectF(0.5, 5.5, 15, 7), 1.5, 1.5);
    p.drawPath(body);
    p.setBrush(QColor(0x6b, 0x70, 0x78)); // output slot
    p.drawRect(QRectF(3.5, 10.5, 9, 2));
    drawPage(p, QRectF(4.5, 11.5, 7, 4)); // the printed sheet
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2e, 0xb8, 0x3c)); // power light
    p.drawEllipse(QPointF(13, 7.7), 0.9, 0.9);
}

void drawCalculate(QPainter &p)
{
    p.setPen(QPen(QColor(0x33, 0x33, 0x33), 1));
    p.setBrush(QColor(0x5a, 0x60, 0x6b));
    p.drawRoundedRect(QRectF(2.5, 0.5, 11, 15), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xb8, 0xe0, 0xa8)); // display
    p.drawRect(QRectF(4, 2, 8, 3.5));
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            p.setBrush(row == 2 && col == 2 ? QColor(0xf0, 0x8c, 0x2a) : QColor(0xee, 0xee, 0xee));
            p.drawRect(QRectF(4 + col * 2.9, 7 + row * 2.8, 2.1, 2));
        }
    }
}

void drawPlanner(QPainter &p)
{
    // Two falling balance lines over a frame: the planner's chart.
    p.setPen(QPen(QColor(0x55, 0x55, 0x55), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(0.5, 1.5, 15, 13));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x1f, 0x4e, 0x9a), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(2.5, 4), QPointF(7, 6.5), QPointF(11, 10), QPointF(13.5, 12.5)}));
    p.setPen(QPen(QColor(0xc0, 0x39, 0x2b), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(2.5, 4), QPointF(5.5, 7.5), QPointF(8.5, 12.5)}));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x9c, 0x3d, 0x2a));
    p.drawRect(QRectF(10, 12.5, 1.5, 1.5));
    p.drawRect(QRectF(12.5, 13, 1.5, 1));
}

class GlyphEngine : public QIconEngine {
public:
    explicit GlyphEngine(Glyph glyph) : m_glyph(glyph) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        Q_UNUSED(state);
        if (mode == QIcon::Disabled) {
            // Greyed as the style greys any picture.
            const qreal dpr = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
            painter->drawPixmap(rect, pixmap(rect.size() * dpr, mode, state));
            return;
        }
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(rect.topLeft());
        const qreal side = std::min(rect.width(), rect.height());
        painter->translate((rect.width() - side) / 2, (rect.height() - side) / 2);
        painter->scale(side / 16.0, side / 16.0);
        switch (m_glyph) {
        case Glyph::Open:
            drawOpen(*painter);
            break;
        case Glyph::Save:
            drawSave(*painter);
            break;
        case Glyph::PrintPreview:
            drawPrintPreview(*painter);
            break;
        case Glyph::Print:
            drawPrint(*painter);
            break;
        case Glyph::Calculate:
            drawCalculate(*painter);
            break;
        case Glyph::Planner:
            drawPlanner(*painter);
            break;
        }
        painter->restore();
    }

    // `size` is in device pixels: drawn at that size, the picture is as sharp
    // as the screen allows.
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap image(size);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            paint(&painter, QRect(QPoint(0, 0), size), QIcon::Normal, state);
        }
        if (mode == QIcon::Normal || mode == QIcon::Active)
            return image;
        QStyleOption option;
        option.palette = QApplication::palette();
        return QApplication::style()->generatedIconPixmap(mode, image, &option);
    }

    QIconEngine *clone() const override { return new GlyphEngine(m_glyph); }
    QString key() const override { return QStringLiteral("accrua-glyph"); }

private:
    Glyph m_glyph;
};

} // namespace

QIcon glyphIcon(Glyph glyph)
{
    return QIcon(new GlyphEngine(glyph));
}

} // namespace accrua::app
