// The planner window's views on the model: the schedule and the comparison
// as table models (cells made when asked for, so 12000 rows scroll without a
// widget or a text per cell held), and the chart painted from its laid-out
// items with the values under the mouse in a tool tip.
#pragma once

#include "planner/chart.h"
#include "planner/comparison.h"
#include "planner/schedule.h"
#include "text/locale.h"

#include <QAbstractTableModel>
#include <QWidget>

#include <memory>

namespace accrua::planner {

class ScheduleModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit ScheduleModel(const text::Locale &locale, QObject *parent = nullptr);

    // Shows the plan's schedule (none: an empty table); the model keeps it alive.
    void setPlan(std::shared_ptr<const calc::PlanResult> plan);
    const std::vector<ScheduleLine> &lines() const { return m_lines; }
    // The table line of the crossover payment, or -1.
    int crossoverLine() const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    text::Locale m_locale;
    std::shared_ptr<const calc::PlanResult> m_plan;
    std::vector<ScheduleLine> m_lines;
};

class ComparisonModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit ComparisonModel(QObject *parent = nullptr);

    void setComparison(Comparison comparison);
    const Comparison &comparison() const { return m_comparison; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    Comparison m_comparison;
};

class ChartView : public QWidget {
    Q_OBJECT

public:
    explicit ChartView(const text::Locale &locale, QWidget *parent = nullptr);

    void setData(ChartData chart);
    const ChartScene &scene() const { return m_scene; }

    QSize minimumSizeHint() const override { return {320, 220}; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool event(QEvent *event) override;

private:
    void relayout();

    text::Locale m_locale;
    ChartData m_data;
    ChartScene m_scene;
};

} // namespace accrua::planner
