#include "engine/layout/report.h"

#include "engine/emf/rounding.h"

#include <cmath>
#include <stdexcept>

namespace accrua::engine::layout {

double mmToPixels(double mm)
{
    const double px = mm * kPixelsPerInch / 25.4;
    const double scaled = px * 1024.0;
    // The layout asks for margins at every band: no library call for each.
    if (std::fabs(scaled) < 0x1p52)
        return std::copysign(double(emf::roundHalfAway(scaled)), scaled) / 1024.0;
    return std::round(scaled) / 1024.0;
}

QSizeF PageSetup::pageSize() const
{
    const double w = mmToPixels(paperWidthMm);
    const double h = mmToPixels(paperHeightMm);
    return landscape ? QSizeF(h, w) : QSizeF(w, h);
}

Label &Band::addLabel(const QString &name, double left, double top, const QString &caption)
{
    auto label = std::make_unique<Label>(name);
    label->left = left;
    label->top = top;
    label->caption = caption;
    Label &ref = *label;
    m_elements.push_back(std::move(label));
    return ref;
}

PageNumberField &Band::addPageNumber(const QString &name, double left, double top)
{
    auto field = std::make_unique<PageNumberField>(name);
    field->left = left;
    field->top = top;
    PageNumberField &ref = *field;
    m_elements.push_back(std::move(field));
    return ref;
}

Shape &Band::addShape(const QString &name, const QRectF &rect)
{
    auto shape = std::make_unique<Shape>(name);
    shape->left = rect.left();
    shape->top = rect.top();
    shape->width = rect.width();
    shape->height = rect.height();
    Shape &ref = *shape;
    m_elements.push_back(std::move(shape));
    return ref;
}

Drawing &Band::addDrawing(const QString &name, const QRectF &frame)
{
    auto drawing = std::make_unique<Drawing>(name);
    drawing->left = frame.left();
    drawing->top = frame.top();
    drawing->width = frame.width();
    drawing->height = frame.height();
    Drawing &ref = *drawing;
    m_elements.push_back(std::move(drawing));
    return ref;
}

Picture &Band::addPicture(const QString &name, const QRectF &frame)
{
    auto picture = std::make_unique<Picture>(name);
    picture->left = frame.left();
    picture->top = frame.top();
    picture->width = frame.width();
    picture->height = frame.height();
    Picture &ref = *picture;
    m_elements.push_back(std::move(picture));
    return ref;
}

Element *Band::element(const QString &name) const
{
    for (const auto &e : m_elements)
        if (e->name() == name)
            return e.get();
    return nullptr;
}

Label *Band::label(const QString &name) const
{
    Element *e = element(name);
    if (e && (e->kind() == Element::Kind::Label || e->kind() == Element::Kind::PageNumber))
        return static_cast<Label *>(e);
    return nullptr;
}

Band &Report::addBand(BandKind kind, const QString &name, double height)
{
    if ((kind == BandKind::PageHeader || kind == BandKind::PageFooter) && firstBand(kind))
        throw std::invalid_argument("a report has at most one page header and one page footer");
    if (!(height >= 0) || !std::isfinite(height))
        throw std::invalid_argument("a band height must be a finite number of pixels, not negative");
    m_bands.push_back(std::make_unique<Band>(kind, name, height));
    return *m_bands.back();
}

Band *Report::band(const QString &name) const
{
    for (const auto &b : m_bands)
        if (b->name() == name)
            return b.get();
    return nullptr;
}

Band *Report::firstBand(BandKind kind) const
{
    for (const auto &b : m_bands)
        if (b->kind() == kind)
            return b.get();
    return nullptr;
}

Element *Report::element(const QString &name) const
{
    for (const auto &b : m_bands)
        if (Element *e = b->element(name))
            return e;
    return nullptr;
}

Label *Report::label(const QString &name) const
{
    for (const auto &b : m_bands)
        if (Label *l = b->label(name))
            return l;
    return nullptr;
}

} // namespace accrua::engine::layout
