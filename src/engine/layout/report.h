// Banded report definitions: what a report is made of, not how it is laid out.
//
// A Report holds bands in layout order (title, page header, column heading,
// detail bands, page footer); each band holds positioned elements (labels,
// rectangles, pictures, the page-number field). Handlers are plain
// std::function members that the report form fills with its own methods; the
// layout (layout.h) calls them while it pulls rows one at a time through
// needData and places the bands on pages.
//
// Units: band heights and element positions are page pixels at 96 per inch,
// kept as doubles; the paper is given in millimetres and converted once.
#pragma once

#include "engine/emf/styles.h"

#include <QColor>
#include <QImage>
#include <QPolygonF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace accrua::engine::layout {

inline constexpr double kPixelsPerInch = 96.0;

// Millimetres to page pixels, snapped to 1/1024 pixel so that 12.7 mm is
// exactly 48 and comparisons against band heights are not upset by the
// inexact decimal conversion.
double mmToPixels(double mm);

struct PageSetup {
    double paperWidthMm = 215.9; // Letter
    double paperHeightMm = 279.4;
    bool landscape = false;
    double leftMarginMm = 12.7;
    double topMarginMm = 12.7;
    double rightMarginMm = 12.7;
    double bottomMarginMm = 12.7;

    QSizeF pageSize() const; // pixels, orientation applied
    double pageLength() const { return pageSize().height(); }
    double leftMargin() const { return mmToPixels(leftMarginMm); }
    double topMargin() const { return mmToPixels(topMarginMm); }
    double rightMargin() const { return mmToPixels(rightMarginMm); }
    double bottomMargin() const { return mmToPixels(bottomMarginMm); }
    double bandWidth() const { return pageSize().width() - leftMargin() - rightMargin(); }
    friend bool operator==(const PageSetup &, const PageSetup &) = default;
};

class Band;

class Element {
public:
    enum class Kind { Label, PageNumber, Shape, Picture, Drawing };
    virtual ~Element() = default;
    Kind kind() const { return m_kind; }
    const QString &name() const { return m_name; }

    // Position within the band, pixels.
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;

protected:
    Element(Kind kind, QString name) : m_kind(kind), m_name(std::move(name)) {}

private:
    Kind m_kind;
    QString m_name;
};

// A line of text. With autoSize the box follows the text and keeps the edge
// its alignment names: the left edge `left`, the right edge `left + width`, or
// the centre. A height of 0 means the font's line height.
class Label : public Element {
public:
    explicit Label(QString name) : Element(Kind::Label, std::move(name)) {}

    QString caption;
    emf::HAlign alignment = emf::HAlign::Left;
    bool autoSize = true;
    std::optional<emf::FontSpec> font; // none: the report's default font
    QColor color = Qt::black;
    std::optional<QColor> background; // none: transparent

    void setCaption(const QString &text) { caption = text; }

protected:
    Label(Kind kind, QString name) : Element(kind, std::move(name)) {}
};

// The current page number, drawn like a label.
class PageNumberField : public Label {
public:
    explicit PageNumberField(QString name) : Label(Kind::PageNumber, std::move(name)) {}
};

class Shape : public Element {
public:
    explicit Shape(QString name) : Element(Kind::Shape, std::move(name)) {}
    emf::PenSpec pen;
    emf::BrushSpec brush;
};

// A picture inside its frame (left, top, width, height). Stretched pictures
// fill the frame; otherwise they keep their size at 96 per inch, centred or at
// the top-left corner, and are clipped to the frame. An empty image or a
// disabled picture prints nothing.
class Picture : public Element {
public:
    explicit Picture(QString name) : Element(Kind::Picture, std::move(name)) {}
    QImage image;
    QByteArray jpeg; // the JPEG file image was decoded from, if it was one
    bool center = false;
    bool stretch = false;
    bool enabled = true;
};

// One piece of a drawing, in the drawing's own page pixels (its frame's
// top-left corner at 0,0).
struct DrawingItem {
    enum class Kind { Polyline, Rect, Text };
    Kind kind = Kind::Polyline;
    QPolygonF points; // Polyline
    QRectF rect;      // Rect; Text: one line aligned in it, its top at rect.top()
    emf::PenSpec pen;
    emf::BrushSpec brush;
    emf::FontSpec font;
    emf::HAlign align = emf::HAlign::Left;
    QString text;
    QColor color = Qt::black;
};

// Vector drawing (lines, rectangles, text) that prints as it is, a chart for
// instance. It is kept as values, so pages record it as lines and text, not
// as a bitmap.
class Drawing : public Element {
public:
    explicit Drawing(QString name) : Element(Kind::Drawing, std::move(name)) {}
    std::vector<DrawingItem> items;
};

enum class BandKind {
    Title,        // once at the start
    PageHeader,   // every page but the first
    ColumnHeader, // once, after the title
    Detail,       // once per data row, in layout order, while enabled
    PageFooter,   // every page, the last included
};

class Band {
public:
    Band(BandKind kind, QString name, double bandHeight)
        : height(bandHeight), m_kind(kind), m_name(std::move(name))
    {
    }
    Band(const Band &) = delete;
    Band &operator=(const Band &) = delete;

    BandKind kind() const { return m_kind; }
    const QString &name() const { return m_name; }

    double height = 0;
    // Handlers may flip this while the report is generated.
    bool enabled = true;
    // Returns false to suppress the band this time; empty: always prints.
    std::function<bool()> beforePrint;
    // Runs after the band's turn, whether it printed or not.
    std::function<void()> afterPrint;

    Label &addLabel(const QString &name, double left, double top, const QString &caption = {});
    PageNumberField &addPageNumber(const QString &name, double left, double top);
    Shape &addShape(const QString &name, const QRectF &rect);
    Picture &addPicture(const QString &name, const QRectF &frame);
    Drawing &addDrawing(const QString &name, const QRectF &frame);

    // Elements in drawing order (later ones paint over earlier ones).
    const std::vector<std::unique_ptr<Element>> &elements() const { return m_elements; }
    Element *element(const QString &name) const;
    Label *label(const QString &name) const; // also finds page-number fields

private:
    BandKind m_kind;
    QString m_name;
    std::vector<std::unique_ptr<Element>> m_elements;
};

class Report {
public:
    explicit Report(QString name = {}) : m_name(std::move(name)) {}
    Report(const Report &) = delete;
    Report &operator=(const Report &) = delete;

    const QString &name() const { return m_name; }

    QString title; // document name for printing
    PageSetup page;
    emf::FontSpec defaultFont{QStringLiteral("Courier New"), 8, false, false};
    // Printed even without data: title, headings and footer still come out.
    // Rows the report expects, for the progress percentage; 0: unknown.
    int expectedRows = 0;

    // Report events. beforePrint runs on the generating thread before the
    // first band; afterPrint once a print of the report is over (printing.h),
    // not after generating for the screen or for saving; afterPreview when
    // the preview showing the report closes (ReportGenerator::closePreview).
    // Either may release the report: the engine touches it no more after.
    std::function<void()> beforePrint;
    std::function<void()> afterPrint;
    std::function<void()> afterPreview;
    // Asked for one row at a time: true when a row was supplied (the detail
    // bands then print), false when there is no more data. Empty: no rows.
    std::function<bool()> needData;

    // Throws std::invalid_argument for a second page header or page footer.
    Band &addBand(BandKind kind, const QString &name, double height);
    const std::vector<std::unique_ptr<Band>> &bands() const { return m_bands; }
    Band *band(const QString &name) const;
    Band *firstBand(BandKind kind) const;
    // Looks through every band.
    Element *element(const QString &name) const;
    Label *label(const QString &name) const;

private:
    QString m_name;
    std::vector<std::unique_ptr<Band>> m_bands;
};

} // namespace accrua::engine::layout
