#include "planner/plannerviews.h"

#include <QBrush>
#include <QFont>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace accrua::planner {

ScheduleModel::ScheduleModel(const text::Locale &locale, QObject *parent)
    : QAbstractTableModel(parent), m_locale(locale)
{
}

void ScheduleModel::setPlan(std::shared_ptr<const calc::PlanResult> plan)
{
    beginResetModel();
    m_plan = std::move(plan);
    m_lines = m_plan ? scheduleLines(*m_plan) : std::vector<ScheduleLine>{};
    endResetModel();
}

int ScheduleModel::crossoverLine() const
{
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].crossover)
            return static_cast<int>(i);
    }
    return -1;
}

int ScheduleModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_lines.size());
}

int ScheduleModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kScheduleColumns;
}

QVariant ScheduleModel::data(const QModelIndex &index, int role) const
{
    if (!m_plan || !index.isValid() || index.row() >= static_cast<int>(m_lines.size()))
        return {};
    const ScheduleLine &line = m_lines[static_cast<std::size_t>(index.row())];
    const bool total = line.kind != ScheduleLine::Kind::Payment;
    switch (role) {
    case Qt::DisplayRole:
        return scheduleCell(*m_plan, line, index.column(), m_locale);
    case Qt::TextAlignmentRole:
        if (index.column() == static_cast<int>(ScheduleColumn::Date) ||
            (total && index.column() == static_cast<int>(ScheduleColumn::Number)))
            return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::FontRole:
        if (total || (line.rateChange && index.column() == static_cast<int>(ScheduleColumn::Rate))) {
            QFont f;
            f.setBold(true);
            return f;
        }
        return {};
    case Qt::BackgroundRole:
        if (line.crossover)
            return QBrush(QColor(0xff, 0xe8, 0x8a));
        if (total)
            return QBrush(QColor(0xe8, 0xee, 0xf6));
        if (line.rateChange)
            return QBrush(QColor(0xe2, 0xf2, 0xe2));
        return {};
    case Qt::ForegroundRole:
        if (line.crossover || total || line.rateChange)
            return QBrush(Qt::black); // the light marks need dark text under any theme
        return {};
    case Qt::ToolTipRole:
        if (line.crossover)
            return tr("Crossover: from this payment on, more principal is repaid than interest paid.");
        if (line.rateChange)
            return tr("The rate changes with this payment.");
        return {};
    default:
        return {};
    }
}

QVariant ScheduleModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return {};
    return scheduleHeader(section);
}

ComparisonModel::ComparisonModel(QObject *parent) : QAbstractTableModel(parent) {}

void ComparisonModel::setComparison(Comparison comparison)
{
    beginResetModel();
    m_comparison = std::move(comparison);
    endResetModel();
}

int ComparisonModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_comparison.rows.size());
}

int ComparisonModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_comparison.scenarios.size());
}

QVariant ComparisonModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const ComparisonRow &row = m_comparison.rows[static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole)
        return row.cells.value(index.column());
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant ComparisonModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return m_comparison.scenarios.value(section);
    return section < rowCount() ? m_comparison.rows[static_cast<std::size_t>(section)].label : QString();
}

ChartView::ChartView(const text::Locale &locale, QWidget *parent) : QWidget(parent), m_locale(locale)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ChartView::setData(ChartData chart)
{
    m_data = std::move(chart);
    relayout();
    update();
}

void ChartView::relayout()
{
    // The data lives in this view; the scene's hover entries point into it.
    const QRectF inner = QRectF(rect()).adjusted(8, 6, -8, -4);
    m_scene = layoutChart(m_data, inner.size(), font(), m_locale);
    for (ChartItem &item : m_scene.items) {
        item.points.translate(inner.topLeft());
        item.rect.translate(inner.topLeft());
    }
    m_scene.balancePlot.translate(inner.topLeft());
    m_scene.barPlot.translate(inner.topLeft());
    for (ChartHoverLine &l : m_scene.lines) {
        for (double &x : l.xs)
            x += inner.left();
    }
    for (ChartHoverBar &b : m_scene.bars)
        b.rect.translate(inner.topLeft());
}

void ChartView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    relayout();
}

void ChartView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    paintChart(painter, m_scene, font());
}

bool ChartView::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const QString text = hoverText(m_scene, help->pos(), m_locale);
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, this);
        return true;
    }
    return QWidget::event(event);
}

} // namespace accrua::planner
