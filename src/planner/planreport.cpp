#include "planner/planreport.h"

#include "planner/chart.h"
#include "planner/comparison.h"
#include "planner/fieldtext.h"

#include <QCoreApplication>
#include <QFont>

#include <algorithm>
#include <cmath>

namespace accrua::planner {

namespace {

// This file's texts, translated in the planner's domain.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(accrua::planner::PlanReport)
};

} // namespace

namespace eng = engine::layout;
namespace emf = engine::emf;

namespace {

const QString kFamily = QStringLiteral("Arial");
const emf::FontSpec kTitleFont{kFamily, 14, true, false};
const emf::FontSpec kHeadFont{kFamily, 9, true, false};
const emf::FontSpec kBodyFont{kFamily, 7.5, false, false};
const emf::FontSpec kBoldFont{kFamily, 7.5, true, false};
constexpr double kRow = 13;
constexpr double kFooter = 20;

eng::Label &label(eng::Band &band, const QString &name, double left, double top, double width,
                  const QString &caption, const emf::FontSpec &font, emf::HAlign align = emf::HAlign::Left)
{
    eng::Label &l = band.addLabel(name, left, top, caption);
    l.width = width;
    l.alignment = align;
    l.font = font;
    return l;
}

// Text cut to what fits a column, with an ellipsis, judged by characters of
// the body font (about 4 pixels each at 7.5 points).
QString fitted(const QString &text, double width)
{
    const auto chars = static_cast<qsizetype>(std::max(3.0, width / 4.2));
    return text.size() <= chars ? text : text.left(chars - 1) + QChar(0x2026);
}

// A side-by-side table: a header line of scenario names, then one line per row.
double addTable(eng::Band &band, const QString &prefix, double top, const QString &heading,
                const Comparison &table, double width)
{
    const double labelWidth = 130;
    const double column = (width - labelWidth) / std::max<qsizetype>(1, table.scenarios.size());
    label(band, prefix + QStringLiteral("Heading"), 0, top, labelWidth, heading, kHeadFont);
    for (qsizetype c = 0; c < table.scenarios.size(); ++c)
        label(band, prefix + QStringLiteral("Name%1").arg(c), labelWidth + column * static_cast<double>(c),
              top + 2, column - 6, fitted(table.scenarios[c], column), kBoldFont, emf::HAlign::Right);
    top += kRow + 4;
    emf::PenSpec pen;
    pen.width = 1;
    band.addShape(prefix + QStringLiteral("Rule"), QRectF(0, top - 3, width, 0.01)).pen = pen;
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const ComparisonRow &row = table.rows[r];
        label(band, prefix + QStringLiteral("Row%1").arg(r), 0, top, labelWidth, row.label, kBodyFont);
        for (qsizetype c = 0; c < row.cells.size(); ++c)
            label(band, prefix + QStringLiteral("Cell%1_%2").arg(r).arg(c),
                  labelWidth + column * static_cast<double>(c), top, column - 6, fitted(row.cells[c], column),
                  kBodyFont, emf::HAlign::Right);
        top += kRow;
    }
    return top;
}

emf::PenSpec penOf(const QColor &color, double width)
{
    emf::PenSpec p;
    p.color = color;
    p.width = width;
    p.null = !color.isValid();
    return p;
}

// The chart's items as page drawing: dashes become their solid pieces.
void addChart(eng::Drawing &drawing, const ChartScene &scene)
{
    for (const ChartItem &item : scene.items) {
        switch (item.kind) {
        case ChartItem::Kind::Line:
            for (const QPolygonF &piece : dashedPieces(item.points, item.dashes)) {
                eng::DrawingItem d;
                d.kind = eng::DrawingItem::Kind::Polyline;
                d.points = piece;
                d.pen = penOf(item.color, item.width);
                drawing.items.push_back(std::move(d));
            }
            break;
        case ChartItem::Kind::Rect: {
            eng::DrawingItem d;
            d.kind = eng::DrawingItem::Kind::Rect;
            d.rect = item.rect;
            d.pen = penOf(item.color, 0.5);
            d.brush =
                emf::BrushSpec{item.fill.isValid() ? item.fill : QColor(Qt::white), !item.fill.isValid()};
            drawing.items.push_back(std::move(d));
            break;
        }
        case ChartItem::Kind::Text: {
            eng::DrawingItem d;
            d.kind = eng::DrawingItem::Kind::Text;
            d.rect = item.rect;
            d.text = item.text;
            d.font = item.bold ? kBoldFont : kBodyFont;
            d.color = item.color;
            d.align = item.align & Qt::AlignRight     ? emf::HAlign::Right
                      : item.align & Qt::AlignHCenter ? emf::HAlign::Center
                                                      : emf::HAlign::Left;
            drawing.items.push_back(std::move(d));
            break;
        }
        }
    }
}

struct ScheduleColumnPlace {
    double left;
    double width;
    emf::HAlign align;
};

constexpr ScheduleColumnPlace kColumns[kScheduleColumns + 1] = {
    {0, 56, emf::HAlign::Right},   {64, 70, emf::HAlign::Left},   {134, 54, emf::HAlign::Right},
    {192, 78, emf::HAlign::Right}, {274, 74, emf::HAlign::Right}, {352, 78, emf::HAlign::Right},
    {434, 70, emf::HAlign::Right}, {508, 84, emf::HAlign::Right}, {604, 116, emf::HAlign::Left},
};

} // namespace

QString planReportTitle()
{
    return Text::tr("Loan Plan");
}

PlanReport::PlanReport(PlanReportData data, const text::Locale &locale)
    : m_data(std::move(data)), m_locale(locale),
      m_report(std::make_unique<eng::Report>(QStringLiteral("PlanReport")))
{
    m_report->title = m_data.title;
    m_report->defaultFont = kBodyFont;
    m_data.selected =
        std::clamp(m_data.selected, 0, std::max(0, static_cast<int>(m_data.scenarios.size()) - 1));
    if (static_cast<std::size_t>(m_data.selected) < m_data.results.size())
        m_lines = scheduleLines(m_data.results[static_cast<std::size_t>(m_data.selected)].plan);
    buildFirstPage();
    buildSchedule();
    m_report->expectedRows = static_cast<int>(m_lines.size());
    m_report->beforePrint = [this] {
        m_next = 0;
        m_line = nullptr;
    };
    m_report->needData = [this] { return nextLine(); };
}

PlanReport::~PlanReport() = default;

void PlanReport::buildFirstPage()
{
    const double width = m_report->page.bandWidth();
    eng::Band &heading = m_report->addBand(eng::BandKind::Title, QStringLiteral("Heading"), 46);
    label(heading, QStringLiteral("Title"), 0, 0, width, m_data.title, kTitleFont);
    QString sub = m_data.subtitle;
    if (m_data.printed.isValid())
        sub += (sub.isEmpty() ? QString() : QStringLiteral("    ")) +
               Text::tr("Printed %1").arg(dateText(m_data.printed, m_locale));
    label(heading, QStringLiteral("Subtitle"), 0, 24, width, sub, kBodyFont);

    std::vector<QString> names;
    std::vector<const ScenarioInputs *> inputs;
    std::vector<NamedResult> named;
    std::vector<const ScenarioResult *> results;
    for (std::size_t i = 0; i < m_data.scenarios.size(); ++i) {
        names.push_back(m_data.scenarios[i].name);
        inputs.push_back(&m_data.scenarios[i].inputs);
        const ScenarioResult *r = i < m_data.results.size() ? &m_data.results[i] : nullptr;
        named.push_back(NamedResult{m_data.scenarios[i].name, r});
        results.push_back(r);
    }
    const Comparison in = inputTable(names, inputs, m_locale);
    const double inputsHeight = (static_cast<double>(in.rows.size()) + 1) * kRow + 14;
    eng::Band &inputBand = m_report->addBand(eng::BandKind::Title, QStringLiteral("Inputs"), inputsHeight);
    addTable(inputBand, QStringLiteral("Input"), 0, Text::tr("Inputs"), in, width);

    const Comparison cmp = compare(named, m_locale);
    const double cmpHeight = (static_cast<double>(cmp.rows.size()) + 1) * kRow + 14;
    eng::Band &cmpBand = m_report->addBand(eng::BandKind::Title, QStringLiteral("Comparison"), cmpHeight);
    addTable(cmpBand, QStringLiteral("Compare"), 0, Text::tr("Comparison"), cmp, width);

    // The chart takes the rest of the first page, so the schedule starts on the next.
    const eng::PageSetup &page = m_report->page;
    const double used = page.topMargin() + 46 + inputsHeight + cmpHeight;
    double chartHeight = page.pageLength() - page.bottomMargin() - kFooter - used;
    if (chartHeight < 260)
        chartHeight = 420;
    eng::Band &chartBand = m_report->addBand(eng::BandKind::Title, QStringLiteral("Chart"), chartHeight);
    const QRectF frame(0, 4, width, chartHeight - 12);
    eng::Drawing &drawing = chartBand.addDrawing(QStringLiteral("ChartDrawing"), frame);
    QFont font(kFamily);
    font.setPixelSize(static_cast<int>(std::lround(kBodyFont.pointSize * eng::kPixelsPerInch / 72)));
    const ChartData data = chartData(names, results, m_data.selected);
    addChart(drawing, layoutChart(data, frame.size(), font, m_locale));

    eng::Band &footer = m_report->addBand(eng::BandKind::PageFooter, QStringLiteral("Footer"), kFooter);
    label(footer, QStringLiteral("FooterText"), 0, 6, width / 2,
          m_data.subtitle.isEmpty() ? m_data.title : m_data.title + QStringLiteral(": ") + m_data.subtitle,
          kBodyFont);
    label(footer, QStringLiteral("PageCaption"), width - 80, 6, 50, Text::tr("Page"), kBodyFont,
          emf::HAlign::Right);
    eng::PageNumberField &number = footer.addPageNumber(QStringLiteral("PageNumber"), width - 26, 6);
    number.font = kBodyFont;
}

void PlanReport::buildSchedule()
{
    const double width = m_report->page.bandWidth();
    const QString name = m_data.scenarios.empty()
                             ? QString()
                             : m_data.scenarios[static_cast<std::size_t>(m_data.selected)].name;
    eng::Band &header = m_report->addBand(eng::BandKind::PageHeader, QStringLiteral("ScheduleHeader"), 40);
    label(header, QStringLiteral("ScheduleTitle"), 0, 0, width, Text::tr("Schedule of scenario %1").arg(name),
          kHeadFont);
    for (int c = 0; c < kScheduleColumns; ++c) {
        const ScheduleColumnPlace &p = kColumns[c];
        label(header, QStringLiteral("Heading%1").arg(c), p.left, 20, p.width, scheduleHeader(c), kBoldFont,
              p.align);
    }
    label(header, QStringLiteral("HeadingNote"), kColumns[kScheduleColumns].left, 20,
          kColumns[kScheduleColumns].width, Text::tr("Note"), kBoldFont);
    emf::PenSpec pen;
    header.addShape(QStringLiteral("HeaderRule"), QRectF(0, 35, width, 0.01)).pen = pen;

    if (m_lines.empty()) {
        eng::Band &none = m_report->addBand(eng::BandKind::Detail, QStringLiteral("NoSchedule"), kRow);
        label(none, QStringLiteral("NoScheduleText"), 0, 0, width,
              Text::tr("Scenario %1 has no schedule: its inputs do not make a plan.").arg(name), kBodyFont);
        return;
    }
    eng::Band &row = m_report->addBand(eng::BandKind::Detail, QStringLiteral("PaymentRow"), kRow);
    eng::Shape &mark = row.addShape(QStringLiteral("Mark"), QRectF(0, 0, width, kRow));
    mark.pen.null = true;
    mark.brush = emf::BrushSpec{QColor(0xff, 0xf0, 0xa8), true};
    for (int c = 0; c <= kScheduleColumns; ++c) {
        const ScheduleColumnPlace &p = kColumns[c];
        label(row, QStringLiteral("Cell%1").arg(c), p.left, 1, p.width, {}, kBodyFont, p.align);
    }
    row.beforePrint = [this] { return m_line && m_line->kind == ScheduleLine::Kind::Payment; };

    eng::Band &total = m_report->addBand(eng::BandKind::Detail, QStringLiteral("TotalRow"), kRow + 5);
    emf::PenSpec thin;
    thin.width = 0.5;
    total
        .addShape(QStringLiteral("TotalRule"),
                  QRectF(kColumns[3].left, 1, width - kColumns[3].left - 116, 0.01))
        .pen = thin;
    for (int c = 0; c < kScheduleColumns; ++c) {
        const ScheduleColumnPlace &p = kColumns[c];
        label(total, QStringLiteral("Total%1").arg(c), c == 0 ? 0 : p.left, 3, c == 0 ? 130 : p.width, {},
              kBoldFont, c == 0 ? emf::HAlign::Left : p.align);
    }
    total.beforePrint = [this] { return m_line && m_line->kind != ScheduleLine::Kind::Payment; };
}

bool PlanReport::nextLine()
{
    if (m_lines.empty()) {
        // One pass for the "no schedule" line.
        if (m_next++ == 0) {
            m_line = nullptr;
            return true;
        }
        return false;
    }
    if (m_next >= m_lines.size())
        return false;
    m_line = &m_lines[m_next++];
    const calc::PlanResult &plan = m_data.results[static_cast<std::size_t>(m_data.selected)].plan;
    if (m_line->kind == ScheduleLine::Kind::Payment) {
        eng::Band *row = m_report->band(QStringLiteral("PaymentRow"));
        for (int c = 0; c < kScheduleColumns; ++c) {
            eng::Label *l = row->label(QStringLiteral("Cell%1").arg(c));
            l->caption = scheduleCell(plan, *m_line, c, m_locale);
            l->font =
                (c == static_cast<int>(ScheduleColumn::Rate) && m_line->rateChange) ? kBoldFont : kBodyFont;
        }
        QStringList notes;
        if (m_line->rateChange)
            notes << Text::tr("rate change");
        if (m_line->crossover)
            notes << Text::tr("crossover");
        row->label(QStringLiteral("Cell%1").arg(kScheduleColumns))->caption =
            notes.join(QStringLiteral(", "));
        static_cast<eng::Shape *>(row->element(QStringLiteral("Mark")))->brush.null = !m_line->crossover;
    } else {
        eng::Band *total = m_report->band(QStringLiteral("TotalRow"));
        for (int c = 0; c < kScheduleColumns; ++c)
            total->label(QStringLiteral("Total%1").arg(c))->caption =
                scheduleCell(plan, *m_line, c, m_locale);
    }
    return true;
}

} // namespace accrua::planner
