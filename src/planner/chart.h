// The planner's chart as values: the remaining balance of every scenario
// over time (one line each, told apart by dash pattern as well as colour)
// and, for the selected scenario, a yearly stacked bar of interest and
// principal. layoutChart() places everything in a given size and font;
// paintChart() paints the result with QPainter, and the report turns the
// same items into page drawing, so screen and paper show one chart.
#pragma once

#include "planner/scenario.h"
#include "text/locale.h"

#include <QColor>
#include <QDate>
#include <QFont>
#include <QPolygonF>
#include <QRectF>
#include <QString>

#include <vector>

class QPainter;

namespace accrua::planner {

struct ChartSeries {
    QString name;
    std::vector<QDate> dates; // the advance, then each payment
    std::vector<calc::Money> balances;
};

struct ChartYear {
    int year = 0;
    calc::Money interest;
    calc::Money principal; // extras included
};

struct ChartData {
    std::vector<ChartSeries> series; // in scenario order; a scenario without a plan has no points
    QString selectedName;
    std::vector<ChartYear> years; // of the selected scenario
};

// The chart data of computed scenarios; `selected` indexes `scenarios`.
ChartData chartData(const std::vector<QString> &names, const std::vector<const ScenarioResult *> &results,
                    int selected);

struct ChartItem {
    enum class Kind { Line, Rect, Text };
    Kind kind = Kind::Line;
    QPolygonF points;           // Line
    QRectF rect;                // Rect; Text: the box the text is aligned in
    QColor color = Qt::black;   // line, outline or text colour
    QColor fill;                // Rect: invalid for none
    double width = 1;           // line width in pixels
    std::vector<double> dashes; // Line: dash and gap lengths in pixels; empty: solid
    QString text;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
    bool bold = false;
};

// Where the hover finds its values.
struct ChartHoverLine {
    QString name;
    std::vector<double> xs; // screen x of each point, ascending
    const ChartSeries *series = nullptr;
};
struct ChartHoverBar {
    QRectF rect;
    ChartYear year;
};

struct ChartScene {
    std::vector<ChartItem> items;
    QRectF balancePlot;
    QRectF barPlot;
    std::vector<ChartHoverLine> lines;
    std::vector<ChartHoverBar> bars;
};

// Dash pattern and colour of the n-th scenario's line.
QColor seriesColor(int index);
std::vector<double> seriesDashes(int index);

// Lays out the chart in `size` pixels with `font` (the window's, or the
// report's). The data must outlive the scene (hover reads it).
ChartScene layoutChart(const ChartData &data, const QSizeF &size, const QFont &font,
                       const text::Locale &locale);
void paintChart(QPainter &painter, const ChartScene &scene, const QFont &font);
// The values under a point of the chart, or an empty text.
QString hoverText(const ChartScene &scene, const QPointF &at, const text::Locale &locale);

// Whole currency units in the locale's money format: "$120,000".
QString axisMoneyText(calc::Money value, const text::Locale &locale);
// A dashed line as its solid pieces (for drawing that knows no dashes).
std::vector<QPolygonF> dashedPieces(const QPolygonF &line, const std::vector<double> &dashes);

} // namespace accrua::planner
