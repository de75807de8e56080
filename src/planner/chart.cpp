#include "planner/chart.h"

#include "planner/fieldtext.h"
#include "text/numbers.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace accrua::planner {

namespace {

// This file's texts, translated in the planner's domain.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(accrua::planner::Chart)
};

} // namespace

ChartData chartData(const std::vector<QString> &names, const std::vector<const ScenarioResult *> &results,
                    int selected)
{
    ChartData out;
    for (std::size_t i = 0; i < names.size(); ++i) {
        ChartSeries s;
        s.name = names[i];
        const ScenarioResult *r = i < results.size() ? results[i] : nullptr;
        if (r && r->planned() && r->advance.isValid()) {
            s.dates.reserve(r->plan.rows.size() + 1);
            s.balances.reserve(r->plan.rows.size() + 1);
            s.dates.push_back(r->advance);
            s.balances.push_back(r->principal);
            for (const calc::PlanRow &row : r->plan.rows) {
                s.dates.push_back(toQDate(row.date));
                s.balances.push_back(row.balance);
            }
        }
        out.series.push_back(std::move(s));
    }
    if (selected >= 0 && static_cast<std::size_t>(selected) < names.size()) {
        out.selectedName = names[static_cast<std::size_t>(selected)];
        const ScenarioResult *r = results[static_cast<std::size_t>(selected)];
        if (r && r->planned()) {
            for (const calc::PlanRow &row : r->plan.rows) {
                if (out.years.empty() || out.years.back().year != row.date.year)
                    out.years.push_back(ChartYear{row.date.year, {}, {}});
                out.years.back().interest += row.interest;
                out.years.back().principal += row.principal;
            }
        }
    }
    return out;
}

QColor seriesColor(int index)
{
    static const QColor kColors[] = {QColor(0x1f, 0x4e, 0x9a), QColor(0xc0, 0x39, 0x2b),
                                     QColor(0x2e, 0x7d, 0x32), QColor(0x7b, 0x3f, 0x9e),
                                     QColor(0xd3, 0x6b, 0x00), QColor(0x40, 0x40, 0x40)};
    return kColors[static_cast<std::size_t>(index) % std::size(kColors)];
}

std::vector<double> seriesDashes(int index)
{
    switch (index % 6) {
    case 0:
        return {};
    case 1:
        return {9, 4};
    case 2:
        return {2, 3};
    case 3:
        return {10, 3, 2, 3};
    case 4:
        return {16, 5};
    default:
        return {5, 3, 2, 3, 2, 3};
    }
}

QString axisMoneyText(calc::Money value, const text::Locale &locale)
{
    QString text = text::CurrencyText(std::trunc(value.value()), locale);
    const QString cents = locale.decimalSeparator() + QStringLiteral("00");
    const qsizetype at = text.lastIndexOf(cents);
    if (at >= 0)
        text.remove(at, cents.size());
    return text;
}

std::vector<QPolygonF> dashedPieces(const QPolygonF &line, const std::vector<double> &dashes)
{
    if (dashes.empty() || line.size() < 2)
        return {line};
    double total = 0;
    for (double d : dashes)
        total += d;
    if (total <= 0)
        return {line};
    std::vector<QPolygonF> out;
    std::size_t dash = 0;
    double left = dashes[0]; // of the current dash or gap
    bool on = true;
    QPolygonF piece{line.front()};
    for (qsizetype i = 1; i < line.size(); ++i) {
        QPointF from = line[i - 1];
        const QPointF to = line[i];
        double length = std::hypot(to.x() - from.x(), to.y() - from.y());
        while (length > left) {
            const QPointF cut = from + (to - from) * (left / length);
            if (on) {
                piece << cut;
                out.push_back(piece);
            }
            piece = QPolygonF{cut};
            length -= left;
            from = cut;
            on = !on;
            dash = (dash + 1) % dashes.size();
            left = dashes[dash];
        }
        left -= length;
        if (on)
            piece << to;
    }
    if (on && piece.size() > 1)
        out.push_back(piece);
    return out;
}

namespace {

// A step of 1, 2 or 5 times a power of ten, so that `range` takes about `ticks` steps.
calc::Extended niceStep(calc::Extended range, int ticks)
{
    if (range <= 0)
        return 1;
    const calc::Extended raw = range / std::max(1, ticks);
    const calc::Extended power = std::pow(10.0L, std::floor(std::log10(raw)));
    for (calc::Extended m : {1.0L, 2.0L, 5.0L, 10.0L}) {
        if (raw <= m * power)
            return m * power;
    }
    return 10 * power;
}

ChartItem text(const QRectF &rect, const QString &t, Qt::Alignment align, bool bold = false)
{
    ChartItem item;
    item.kind = ChartItem::Kind::Text;
    item.rect = rect;
    item.text = t;
    item.align = align | Qt::AlignVCenter;
    item.bold = bold;
    return item;
}

ChartItem line(QPolygonF points, const QColor &color, double width, std::vector<double> dashes = {})
{
    ChartItem item;
    item.kind = ChartItem::Kind::Line;
    item.points = std::move(points);
    item.color = color;
    item.width = width;
    item.dashes = std::move(dashes);
    return item;
}

ChartItem rect(const QRectF &r, const QColor &fill, const QColor &outline)
{
    ChartItem item;
    item.kind = ChartItem::Kind::Rect;
    item.rect = r;
    item.fill = fill;
    item.color = outline;
    return item;
}

const QColor kGrid(0xd8, 0xd8, 0xd8);
const QColor kAxis(0x40, 0x40, 0x40);
const QColor kInterest(0x9c, 0x3d, 0x2a);
const QColor kPrincipal(0x9c, 0xc8, 0xea);

struct Axis {
    calc::Extended top = 1; // currency units
    calc::Extended step = 1;
    int ticks = 1; // steps from 0 to top
    double labelWidth = 0;
    calc::Extended tick(int k) const { return step * k; }
};

Axis moneyAxis(calc::Extended max, int ticks, const QFontMetricsF &fm, const text::Locale &locale)
{
    Axis a;
    a.step = niceStep(max, ticks);
    a.ticks = std::max(1, static_cast<int>(std::ceil(max / a.step)));
    a.top = a.tick(a.ticks);
    for (int k = 0; k <= a.ticks; ++k)
        a.labelWidth = std::max(
            a.labelWidth, fm.horizontalAdvance(axisMoneyText(calc::Money::fromValue(a.tick(k)), locale)));
    return a;
}

void yGrid(ChartScene &scene, const Axis &axis, const QRectF &plot, double lineHeight,
           const text::Locale &locale)
{
    for (int k = 0; k <= axis.ticks; ++k) {
        const calc::Extended v = axis.tick(k);
        const double y = plot.bottom() - static_cast<double>(v / axis.top) * plot.height();
        if (v > 0)
            scene.items.push_back(line(QPolygonF{{plot.left(), y}, {plot.right(), y}}, kGrid, 1));
        scene.items.push_back(text(QRectF(0, y - lineHeight / 2, plot.left() - 6, lineHeight),
                                   axisMoneyText(calc::Money::fromValue(v), locale), Qt::AlignRight));
    }
}

void axes(ChartScene &scene, const QRectF &plot)
{
    scene.items.push_back(line(QPolygonF{plot.topLeft(), plot.bottomLeft(), plot.bottomRight()}, kAxis, 1));
}

void balancePanel(ChartScene &scene, const ChartData &data, const QRectF &panel, const QFontMetricsF &fm,
                  const text::Locale &locale)
{
    const double lh = fm.height();
    const QString title = Text::tr("Remaining balance");
    scene.items.push_back(
        text(QRectF(panel.left(), panel.top(), panel.width() / 2, lh), title, Qt::AlignLeft, true));
    // The legend, right to left along the title line, or on a line of its own
    // below the title when the names need the room; a name too long for its
    // share of the width is cut with an ellipsis.
    const auto count = static_cast<double>(data.series.size());
    const double sample = 46; // the dash sample and the gaps around it
    const double titleWidth = fm.horizontalAdvance(title) * 1.15 + 12;
    double legendWidth = 0;
    for (const ChartSeries &s : data.series)
        legendWidth += fm.horizontalAdvance(s.name) + sample;
    const bool ownLine = legendWidth > panel.width() - titleWidth;
    const double legendTop = ownLine ? panel.top() + lh * 1.2 : panel.top();
    const double share =
        (ownLine ? panel.width() : panel.width() - titleWidth) / std::max(1.0, count) - sample;
    double x = panel.right();
    for (int i = static_cast<int>(data.series.size()) - 1; i >= 0; --i) {
        const QString name = fm.elidedText(data.series[static_cast<std::size_t>(i)].name, Qt::ElideRight,
                                           std::max(share, 12.0));
        const double w = fm.horizontalAdvance(name);
        x -= w;
        scene.items.push_back(text(QRectF(x, legendTop, w + 1, lh), name, Qt::AlignLeft));
        x -= 34;
        const double y = legendTop + lh / 2;
        scene.items.push_back(line(QPolygonF{{x, y}, {x + 28, y}}, seriesColor(i), 2, seriesDashes(i)));
        x -= 12;
    }

    calc::Extended maxBalance = 0;
    qint64 first = 0;
    qint64 last = 0;
    bool any = false;
    for (const ChartSeries &s : data.series) {
        for (std::size_t k = 0; k < s.dates.size(); ++k) {
            maxBalance = std::max(maxBalance, s.balances[k].value());
            const qint64 day = s.dates[k].toJulianDay();
            first = any ? std::min(first, day) : day;
            last = any ? std::max(last, day) : day;
            any = true;
        }
    }
    const Axis axis = moneyAxis(maxBalance, 5, fm, locale);
    const QRectF plot(panel.left() + axis.labelWidth + 10, legendTop + lh * 1.6, 0, 0);
    QRectF p = plot;
    p.setRight(panel.right() - fm.horizontalAdvance(QStringLiteral("0000")) / 2);
    p.setBottom(panel.bottom() - lh - 4);
    scene.balancePlot = p;
    yGrid(scene, axis, p, lh, locale);
    if (!any) {
        axes(scene, p);
        return;
    }
    if (last <= first)
        last = first + 1;
    const auto xOf = [&](qint64 day) {
        return p.left() + static_cast<double>(day - first) / static_cast<double>(last - first) * p.width();
    };
    // Years along the time axis, as many as fit.
    const int y0 = QDate::fromJulianDay(first).year();
    const int y1 = QDate::fromJulianDay(last).year();
    const double yearWidth = fm.horizontalAdvance(QStringLiteral("0000")) + 14;
    int step = 1;
    for (int s : {1, 2, 5, 10, 20, 50, 100, 200, 500}) {
        step = s;
        const double perYear = p.width() * 365.25 / static_cast<double>(last - first);
        if (perYear * s >= yearWidth)
            break;
    }
    for (int year = (y0 + step - 1) / step * step; year <= y1 + 1; year += step) {
        const qint64 day = QDate(year, 1, 1).toJulianDay();
        if (day < first || day > last)
            continue;
        const double xx = xOf(day);
        scene.items.push_back(line(QPolygonF{{xx, p.bottom()}, {xx, p.bottom() + 4}}, kAxis, 1));
        scene.items.push_back(text(QRectF(xx - yearWidth / 2, p.bottom() + 4, yearWidth, lh),
                                   QString::number(year), Qt::AlignHCenter));
    }
    for (std::size_t i = 0; i < data.series.size(); ++i) {
        const ChartSeries &s = data.series[i];
        ChartHoverLine hover{s.name, {}, &s};
        hover.xs.reserve(s.dates.size());
        QPolygonF points;
        for (std::size_t k = 0; k < s.dates.size(); ++k) {
            const QPointF pt(xOf(s.dates[k].toJulianDay()),
                             p.bottom() - static_cast<double>(s.balances[k].value() / axis.top) * p.height());
            hover.xs.push_back(pt.x());
            // Thousands of payments on a few hundred pixels: one point per half pixel is enough.
            if (!points.isEmpty() && k + 1 < s.dates.size() && pt.x() - points.back().x() < 0.5)
                continue;
            points << pt;
        }
        if (points.size() > 1)
            scene.items.push_back(
                line(points, seriesColor(static_cast<int>(i)), 2, seriesDashes(static_cast<int>(i))));
        scene.lines.push_back(std::move(hover));
    }
    axes(scene, p);
}

void barPanel(ChartScene &scene, const ChartData &data, const QRectF &panel, const QFontMetricsF &fm,
              const text::Locale &locale)
{
    const double lh = fm.height();
    const QString title = data.selectedName.isEmpty()
                              ? Text::tr("Interest and principal by year")
                              : Text::tr("Interest and principal by year: %1").arg(data.selectedName);
    scene.items.push_back(
        text(QRectF(panel.left(), panel.top(), panel.width() / 2, lh), title, Qt::AlignLeft, true));
    double x = panel.right();
    for (const auto &[name, color] :
         {std::pair{Text::tr("Principal"), kPrincipal}, std::pair{Text::tr("Interest"), kInterest}}) {
        const double w = fm.horizontalAdvance(name);
        x -= w;
        scene.items.push_back(text(QRectF(x, panel.top(), w + 1, lh), name, Qt::AlignLeft));
        x -= lh;
        scene.items.push_back(
            rect(QRectF(x, panel.top() + lh * 0.2, lh * 0.6 * 1.2, lh * 0.6), color, kAxis));
        x -= 12;
    }
    calc::Extended max = 0;
    for (const ChartYear &y : data.years)
        max = std::max(max, (y.interest + y.principal).value());
    const Axis axis = moneyAxis(max, 4, fm, locale);
    QRectF p(panel.left() + std::max(axis.labelWidth, scene.balancePlot.left() - panel.left() - 10) + 10,
             panel.top() + lh * 1.6, 0, 0);
    p.setRight(scene.balancePlot.isValid() ? scene.balancePlot.right() : panel.right() - 10);
    p.setBottom(panel.bottom() - lh - 4);
    scene.barPlot = p;
    yGrid(scene, axis, p, lh, locale);
    const int n = static_cast<int>(data.years.size());
    if (n > 0) {
        const double slot = p.width() / n;
        const double barWidth = std::max(1.0, slot * 0.7);
        const double labelWidth = fm.horizontalAdvance(QStringLiteral("0000")) + 8;
        const int every = std::max(1, static_cast<int>(std::ceil(labelWidth / slot)));
        for (int i = 0; i < n; ++i) {
            const ChartYear &y = data.years[static_cast<std::size_t>(i)];
            const double left = p.left() + slot * i + (slot - barWidth) / 2;
            const double hi = static_cast<double>(y.interest.value() / axis.top) * p.height();
            const double hp = static_cast<double>(y.principal.value() / axis.top) * p.height();
            const QRectF interest(left, p.bottom() - hi, barWidth, hi);
            const QRectF principal(left, p.bottom() - hi - hp, barWidth, hp);
            scene.items.push_back(rect(interest, kInterest, slot > 5 ? kAxis : QColor()));
            scene.items.push_back(rect(principal, kPrincipal, slot > 5 ? kAxis : QColor()));
            scene.bars.push_back(ChartHoverBar{QRectF(p.left() + slot * i, p.top(), slot, p.height()), y});
            if (i % every == 0)
                scene.items.push_back(
                    text(QRectF(left + barWidth / 2 - labelWidth / 2, p.bottom() + 4, labelWidth, lh),
                         QString::number(y.year), Qt::AlignHCenter));
        }
    }
    axes(scene, p);
}

} // namespace

ChartScene layoutChart(const ChartData &data, const QSizeF &size, const QFont &font,
                       const text::Locale &locale)
{
    ChartScene scene;
    const QFontMetricsF fm(font);
    const double gap = fm.height();
    const double top = std::floor((size.height() - gap) * 0.58);
    balancePanel(scene, data, QRectF(0, 0, size.width(), top), fm, locale);
    barPanel(scene, data, QRectF(0, top + gap, size.width(), size.height() - top - gap), fm, locale);
    return scene;
}

void paintChart(QPainter &painter, const ChartScene &scene, const QFont &font)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    QFont bold = font;
    bold.setBold(true);
    for (const ChartItem &item : scene.items) {
        switch (item.kind) {
        case ChartItem::Kind::Line: {
            QPen pen(item.color, item.width);
            pen.setCapStyle(Qt::FlatCap);
            pen.setJoinStyle(Qt::RoundJoin);
            if (!item.dashes.empty()) {
                QList<qreal> pattern;
                for (double d : item.dashes)
                    pattern << d / item.width;
                pen.setDashPattern(pattern);
            }
            painter.setPen(pen);
            painter.setBrush(Qt::NoBrush);
            painter.drawPolyline(item.points);
            break;
        }
        case ChartItem::Kind::Rect:
            painter.setPen(item.color.isValid() ? QPen(item.color, 1) : QPen(Qt::NoPen));
            painter.setBrush(item.fill.isValid() ? QBrush(item.fill) : QBrush(Qt::NoBrush));
            painter.drawRect(item.rect);
            break;
        case ChartItem::Kind::Text:
            painter.setFont(item.bold ? bold : font);
            painter.setPen(item.color);
            painter.drawText(item.rect, static_cast<int>(item.align), item.text);
            break;
        }
    }
    painter.restore();
}

QString hoverText(const ChartScene &scene, const QPointF &at, const text::Locale &locale)
{
    if (scene.balancePlot.contains(at)) {
        QStringList lines;
        for (const ChartHoverLine &l : scene.lines) {
            if (l.xs.empty() || !l.series)
                continue;
            auto it = std::lower_bound(l.xs.begin(), l.xs.end(), at.x());
            // The nearer of the points on either side.
            if (it == l.xs.end() || (it != l.xs.begin() && at.x() - *(it - 1) < *it - at.x()))
                --it;
            const auto k = static_cast<std::size_t>(it - l.xs.begin());
            lines << QStringLiteral("%1: %2  %3")
                         .arg(l.name, dateText(l.series->dates[k], locale),
                              moneyText(l.series->balances[k], locale));
        }
        return lines.join(u'\n');
    }
    for (const ChartHoverBar &b : scene.bars) {
        if (b.rect.contains(at))
            return Text::tr("%1: interest %2, principal %3")
                .arg(QString::number(b.year.year), moneyText(b.year.interest, locale),
                     moneyText(b.year.principal, locale));
    }
    return {};
}

} // namespace accrua::planner
