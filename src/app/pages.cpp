// The five pages of the main window: their group boxes, labels and fields.
// Everything starts where the program has always placed it; fitWindow() then
// widens fields for the longest value they show, moves a box's contents
// clear of its caption, spreads boxes apart and sizes the window around them,
// all measured with the fonts in use, so that nothing is cut at any scale.
#include "app/mainwindow.h"
#include "desktop/datefield.h"
#include "desktop/glyphs.h"

#include <QApplication>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>

#include <algorithm>

namespace accrua::app {

namespace {

constexpr int kClientWidth = 492;
constexpr int kToolBarHeight = 29;
constexpr int kPageControlHeight = 287;
constexpr int kFieldHeight = 21;
constexpr int kLabelToField = 15; // from a label's top to its field's top
constexpr int kInnerMargin = 8;   // between a box's contents and its frame
constexpr int kGap = 6;           // between neighbouring boxes, and below the last one

bool isAnswer(Field field)
{
    return field == Field::PaymentAnswer || field == Field::YearsAnswer || field == Field::MonthsAnswer;
}

// The longest text a field has to show whole: amounts up to twelve integer
// digits with a sign, the one-day interest with fifteen significant digits
// behind three zeros, counts across the 32-bit range.
QString longestText(Field field, const text::Locale &locale)
{
    const QString sep = locale.decimalSeparator();
    switch (field) {
    case Field::DailyRate:
        return QStringLiteral("-0") + sep + QStringLiteral("000136986301369863");
    case Field::Interest:
    case Field::DayInterest:
    case Field::SaveInterest:
        return QStringLiteral("100") + sep + QStringLiteral("12345");
    case Field::Years:
    case Field::Months:
    case Field::Days:
    case Field::SaveYears:
    case Field::SaveMonths:
    case Field::TotalNumberPayments:
    case Field::YearsAnswer:
    case Field::MonthsAnswer:
        return QStringLiteral("-2147483648");
    default:
        return QStringLiteral("-999999999999") + sep + QStringLiteral("99");
    }
}

// The width a line edit needs to show `text` without scrolling, reckoned as
// the edit reckons its own size hint.
int widthFor(const QLineEdit *edit, const QString &text)
{
    const QFontMetrics metrics(edit->font());
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.rect = edit->rect();
    option.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
    const QMargins textMargins = edit->textMargins();
    const QMargins contents = edit->contentsMargins();
    // 2 pixels of the edit's own margin on each side, 2 for the cursor and rounding.
    const int inner = metrics.horizontalAdvance(text) + 4 + 2 + textMargins.left() + textMargins.right() +
                      contents.left() + contents.right();
    return edit->style()
        ->sizeFromContents(QStyle::CT_LineEdit, &option, QSize(inner, metrics.height()), edit)
        .width();
}

// Moves a box's contents down until the first of them stands clear of the
// box's caption; returns how far.
int clearCaption(QGroupBox *box)
{
    int top = box->height();
    const auto children = box->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (QWidget *child : children)
        top = std::min(top, child->y());
    const int shift = std::max(0, box->contentsRect().top() + 3 - top);
    for (QWidget *child : children)
        child->move(child->x(), child->y() + shift);
    return shift;
}

// Grows a box to hold its contents (shown or not) with a margin to its frame.
void wrapContents(QGroupBox *box, int minWidth, int minHeight)
{
    int right = 0;
    int bottom = 0;
    for (QWidget *child : box->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        right = std::max(right, child->geometry().right() + 1);
        bottom = std::max(bottom, child->geometry().bottom() + 1);
    }
    const int titleWidth = box->fontMetrics().horizontalAdvance(box->title()) + 2 * kInnerMargin;
    box->resize(std::max({minWidth, right + kInnerMargin, titleWidth}),
                std::max(minHeight, bottom + kInnerMargin));
}

// Arrow keys move the choice through the items in their order, wrapping
// round, as in any radio group; Qt's own arrow handling goes by position.
class RadioGroupKeys : public QObject {
public:
    RadioGroupKeys(QRadioButton *const (&buttons)[4], QObject *parent) : QObject(parent)
    {
        std::copy(std::begin(buttons), std::end(buttons), m_buttons);
        for (QRadioButton *b : m_buttons) {
            b->installEventFilter(this);
            // Tab enters the group at its choice only, as in any radio group.
            connect(b, &QRadioButton::toggled, this,
                    [b](bool on) { b->setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus); });
            b->setFocusPolicy(b->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
        }
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent *>(event)->key();
        int step = 0;
        if (key == Qt::Key_Down || key == Qt::Key_Right)
            step = 1;
        else if (key == Qt::Key_Up || key == Qt::Key_Left)
            step = -1;
        const auto at = std::find(std::begin(m_buttons), std::end(m_buttons), watched);
        if (step == 0 || at == std::end(m_buttons))
            return false;
        const int count = int(std::size(m_buttons));
        QRadioButton *next = m_buttons[(int(at - std::begin(m_buttons)) + step + count) % count];
        next->setFocus(Qt::TabFocusReason);
        next->setChecked(true);
        return true;
    }

private:
    QRadioButton *m_buttons[4] = {};
};

// The platform style marks a focused default button no differently from an
// unfocused one; this one draws the dotted frame inside it whenever it has
// the focus, however the focus came.
class FocusFrameStyle : public QProxyStyle {
public:
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override
    {
        QProxyStyle::drawControl(element, option, painter, widget);
        if (element != CE_PushButton || !(option->state & State_HasFocus))
            return;
        painter->save();
        painter->setPen(QPen(option->palette.color(QPalette::ButtonText), 1, Qt::DotLine));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option->rect.adjusted(3, 3, -4, -4));
        painter->restore();
    }
};

} // namespace

void TForm_Main::buildPages(QWidget *client)
{
    PageControl = new QTabWidget(client);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    PageControl->setGeometry(0, kToolBarHeight, kClientWidth, kPageControlHeight);
    PageControl->setDocumentMode(true);
    PageControl->setFocusPolicy(Qt::NoFocus);
    PageControl->tabBar()->setFocusPolicy(Qt::NoFocus);
    PageControl->tabBar()->setExpanding(false);
    PageControl->tabBar()->setUsesScrollButtons(false);
    // Flat, button-like tabs that all fit the fixed width. On the tab bar
    // alone: a style sheet on the page control would keep the window's font
    // from its pages.
    PageControl->tabBar()->setStyleSheet(
        QStringLiteral("QTabBar::tab { padding: 3px 5px; margin-right: 1px; border: 1px solid palette(mid); "
                       "border-radius: 2px; background: palette(button); }"
                       "QTabBar::tab:selected { background: palette(dark); color: palette(bright-text); }"));

    const auto addPage = [this](const char *name, const char *caption) {
        auto *page = new QWidget;
        page->setObjectName(QLatin1String(name));
        PageControl->addTab(page, tr(caption));
        return page;
    };
    TabSheet_Payment = addPage("TabSheet_Payment", QT_TR_NOOP("Payment Amount"));
    TabSheet_NumberOfPayments = addPage("TabSheet_NumberOfPayments", QT_TR_NOOP("Number Of Payments"));
    TabSheet_Amortization = addPage("TabSheet_Amortization", QT_TR_NOOP("Amortization"));
    TabSheet_Daily = addPage("TabSheet_Daily", QT_TR_NOOP("Daily Interest"));
    TabSheet_Savings = addPage("TabSheet_Savings", QT_TR_NOOP("Savings Interest"));

    GroupBox_PaymentAmount = new QGroupBox(tr("Payment Amount"), TabSheet_Payment);
    GroupBox_PaymentAmount->setObjectName(QStringLiteral("GroupBox_PaymentAmount"));
    GroupBox_PaymentAmount->setGeometry(167, 74, 150, 100);
    makeEdit(Field::PaymentAnswer, GroupBox_PaymentAmount, 15, 44, 121, true)
        ->setAccessibleName(GroupBox_PaymentAmount->title());

    GroupBox_LengthOfLoan = new QGroupBox(tr("Length of Loan"), TabSheet_NumberOfPayments);
    GroupBox_LengthOfLoan->setObjectName(QStringLiteral("GroupBox_LengthOfLoan"));
    GroupBox_LengthOfLoan->setGeometry(167, 73, 150, 100);
    makeLabel(fieldCaption(Field::YearsAnswer), GroupBox_LengthOfLoan, 35, 16);
    makeEdit(Field::YearsAnswer, GroupBox_LengthOfLoan, 35, 30, 80, true);
    makeLabel(fieldCaption(Field::MonthsAnswer), GroupBox_LengthOfLoan, 35, 58);
    makeEdit(Field::MonthsAnswer, GroupBox_LengthOfLoan, 35, 72, 80, true);

    buildLoanBoxes();
    buildDailyPage(TabSheet_Daily);
    buildSavingsPage(TabSheet_Savings);

    BitBtn_Calculate =
        new QPushButton(desktop::glyphIcon(desktop::Glyph::Calculate), tr("Calculate"), client);
    BitBtn_Calculate->setObjectName(QStringLiteral("BitBtn_Calculate"));
    BitBtn_Calculate->setGeometry(206, 67, 79, 27);
    BitBtn_Calculate->setDefault(true);
    auto *focusStyle = new FocusFrameStyle;
    focusStyle->setParent(BitBtn_Calculate);
    BitBtn_Calculate->setStyle(focusStyle);
    BitBtn_Calculate->raise();
    connect(BitBtn_Calculate, &QPushButton::clicked, this, &TForm_Main::BitBtn_CalculateClick);

    Panel_Working = new QLabel(tr("Working..."), client);
    Panel_Working->setObjectName(QStringLiteral("Panel_Working"));
    Panel_Working->setGeometry(153, 123, 185, 77);
    Panel_Working->setAlignment(Qt::AlignCenter);
    Panel_Working->setStyleSheet(
        QStringLiteral("background: red; color: white; font-weight: bold; font-size: 14pt;"));
    Panel_Working->hide();
}

QLabel *TForm_Main::makeLabel(const QString &caption, QWidget *parent, int left, int top)
{
    auto *label = new QLabel(caption, parent);
    label->move(left, top);
    label->adjustSize();
    m_lastLabel = label;
    return label;
}

QLineEdit *TForm_Main::makeEdit(Field field, QWidget *parent, int left, int top, int width, bool result)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(controlName(field));
    e->setGeometry(left, top, width, kFieldHeight);
    e->setText(m_model.text(field));
    QString name = fieldCaption(field);
    if (name.endsWith(u':'))
        name.chop(1);
    e->setAccessibleName(name);
    if (result || !fieldInfo(field).input) {
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        QPalette p = e->palette();
        if (isAnswer(field)) {
            p.setColor(QPalette::Base, Qt::black);
            p.setColor(QPalette::Text, Qt::white);
            QFont bold = e->font();
            bold.setBold(true);
            e->setFont(bold);
        } else {
            p.setColor(QPalette::Base, p.color(QPalette::Button));
        }
        e->setPalette(p);
    } else {
        // Typed letters become upper case; the model's change handler runs.
        connect(e, &QLineEdit::textEdited, this, [this, e, field](const QString &typed) {
            // A pasted line break shows as a blank in the field; the text
            // holds the blank too, so that messages quote what is shown.
            QString shown = typed;
            for (QChar &c : shown) {
                if ((c.unicode() < 0x20 && c != u'\t') || c == QChar::LineSeparator ||
                    c == QChar::ParagraphSeparator)
                    c = u' ';
            }
            const QString upper = m_model.typeText(field, shown);
            if (upper != typed) {
                const int cursor = e->cursorPosition();
                e->setText(upper);
                e->setCursorPosition(cursor);
            }
        });
    }
    // The label just made for this field names it, to the access keys and to screen readers.
    if (m_lastLabel && m_lastLabel->parentWidget() == parent && !m_lastLabel->buddy())
        m_lastLabel->setBuddy(e);
    m_edits[field] = e;
    m_fieldOfEdit[e] = field;
    return e;
}

void TForm_Main::buildLoanBoxes()
{
    GroupBox_EnterValues = new QGroupBox(tr("Enter Values"), TabSheet_Payment);
    GroupBox_EnterValues->setObjectName(QStringLiteral("GroupBox_EnterValues"));
    GroupBox_EnterValues->setGeometry(6, 2, 150, 251);
    makeLabel(fieldCaption(Field::Principal), GroupBox_EnterValues, 8, 17);
    makeEdit(Field::Principal, GroupBox_EnterValues, 8, 32, 121);
    makeLabel(fieldCaption(Field::Interest), GroupBox_EnterValues, 8, 66);
    makeEdit(Field::Interest, GroupBox_EnterValues, 8, 80, 80);
    Label_Payment = makeLabel(fieldCaption(Field::Payment), GroupBox_EnterValues, 8, 114);
    makeEdit(Field::Payment, GroupBox_EnterValues, 8, 129, 121);
    Label_Years = makeLabel(fieldCaption(Field::Years), GroupBox_EnterValues, 8, 162);
    makeEdit(Field::Years, GroupBox_EnterValues, 8, 177, 80);
    // Placed as in the Amortization mode, the tallest, until a mode lays them out.
    Label_Months = makeLabel(fieldCaption(Field::Months), GroupBox_EnterValues, 8, 210);
    makeEdit(Field::Months, GroupBox_EnterValues, 8, 225, 80);

    GroupBox_Totals = new QGroupBox(tr("Totals"), TabSheet_Payment);
    GroupBox_Totals->setObjectName(QStringLiteral("GroupBox_Totals"));
    GroupBox_Totals->setGeometry(328, 2, 150, 251);
    const Field totals[] = {Field::TotalPayments, Field::TotalPrincipal, Field::TotalInterest,
                            Field::TotalNumberPayments};
    const int labelTops[] = {17, 65, 114, 162};
    const int fieldTops[] = {33, 81, 129, 177};
    for (int k = 0; k < 4; ++k) {
        makeLabel(fieldCaption(totals[k]), GroupBox_Totals, 14, labelTops[k]);
        makeEdit(totals[k], GroupBox_Totals, 14, fieldTops[k], 121, true);
    }
}

QGroupBox *TForm_Main::makeBox(QWidget *parent, const char *name, const char *caption, int left)
{
    auto *box = new QGroupBox(tr(caption), parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(left, 2, 150, 251);
    return box;
}

void TForm_Main::addLabelledFields(QWidget *box, int left, int top, int step,
                                   std::initializer_list<LabelledField> fields, bool result)
{
    for (const LabelledField &f : fields) {
        makeLabel(fieldCaption(f.field), box, left, top);
        makeEdit(f.field, box, left, top + kLabelToField, f.width, result);
        top += step;
    }
}

void TForm_Main::buildDailyPage(QWidget *page)
{
    QGroupBox *values = makeBox(page, "GroupBox_DailyEnterValues", QT_TR_NOOP("Enter Values"), 6);
    const auto makePicker = [this, values](const char *name, const char *caption, int top, bool start) {
        const QString shown = QCoreApplication::translate("accrua::app::Fields", caption);
        QLabel *label = makeLabel(shown, values, 8, top);
        auto *picker = new desktop::DateField(m_services.locale, values);
        picker->setObjectName(QLatin1String(name));
        picker->setDate(m_model.startDate());
        picker->setGeometry(8, top + kLabelToField, 121, kFieldHeight);
        label->setBuddy(picker);
        picker->setAccessibleName(shown.chopped(1));
        // Both are heard while the focus may be moving on, as a field's leave check is.
        connect(picker, &desktop::DateField::dateChanged, this, [this, start](const QDate &d) {
            m_inFocusChange = true;
            m_model.datePickerChanged(start, d);
            m_inFocusChange = false;
        });
        connect(picker, &desktop::DateField::dateRefused, this, [this, start](const QString &text) {
            m_inFocusChange = true;
            m_model.dateRefused(start, text);
            m_inFocusChange = false;
        });
        return picker;
    };
    DateTimePicker_StartDate = makePicker("DateTimePicker_StartDate", kStartDateCaption, 12, true);
    DateTimePicker_ReceiveDate = makePicker("DateTimePicker_ReceiveDate", kReceiveDateCaption, 50, false);
    addLabelledFields(
        values, 8, 88, 38,
        {{Field::Days, 80}, {Field::DayPrincipal, 121}, {Field::DayInterest, 80}, {Field::DayPayment, 121}});

    QGroupBox *totals = makeBox(page, "GroupBox_DailyTotals", QT_TR_NOOP("Totals"), 328);
    addLabelledFields(totals, 14, 17, 46,
                      {{Field::DailyRate, 121},
                       {Field::IntPerPeriod, 121},
                       {Field::PrincipalPayment, 121},
                       {Field::IntAccrued, 121},
                       {Field::RemainingBalance, 121}},
                      true);
}

void TForm_Main::buildSavingsPage(QWidget *page)
{
    // Balance, rate, the compounding choice, then years and months side by
    // side, all inside "Enter Values" and in that tab order.
    QGroupBox *values = makeBox(page, "GroupBox_SavingsEnterValues", QT_TR_NOOP("Enter Values"), 6);
    addLabelledFields(values, 8, 17, 49, {{Field::SaveAmount, 121}, {Field::SaveInterest, 80}});

    RadioGroup_SaveCompounded =
        new QGroupBox(QCoreApplication::translate("accrua::app::Fields", kCompoundedCaption), values);
    RadioGroup_SaveCompounded->setObjectName(QStringLiteral("RadioGroup_SaveCompounded"));
    RadioGroup_SaveCompounded->move(8, 114);
    for (int k = 0; k < 4; ++k) {
        auto *button =
            new QRadioButton(QCoreApplication::translate("accrua::app::Fields", kCompoundingItems[k]),
                             RadioGroup_SaveCompounded);
        RadioButton_Compounded[k] = button;
        connect(button, &QRadioButton::toggled, this, [this, k](bool on) {
            if (on)
                m_model.setCompounding(k);
        });
    }
    RadioButton_Compounded[m_model.compounding()]->setChecked(true);
    new RadioGroupKeys(RadioButton_Compounded, RadioGroup_SaveCompounded);

    // Placed below the choice once its height is known (fitWindow).
    makeLabel(fieldCaption(Field::SaveYears), values, 8, 0);
    makeEdit(Field::SaveYears, values, 8, kLabelToField, 70);
    makeLabel(fieldCaption(Field::SaveMonths), values, 86, 0);
    makeEdit(Field::SaveMonths, values, 86, kLabelToField, 70);

    QGroupBox *totals = makeBox(page, "GroupBox_SavingsTotals", QT_TR_NOOP("Totals"), 328);
    addLabelledFields(totals, 14, 17, 48, {{Field::SaveIntAccrued, 121}, {Field::SaveEndBalance, 121}}, true);
}

void TForm_Main::layoutSavingsValues()
{
    // Two columns, items running down the first column and then the second.
    QRadioButton *const(&buttons)[4] = RadioButton_Compounded;
    int itemWidth = 0;
    int itemHeight = 0;
    for (QRadioButton *b : buttons) {
        itemWidth = std::max(itemWidth, b->sizeHint().width());
        itemHeight = std::max(itemHeight, b->sizeHint().height());
    }
    QGroupBox *group = RadioGroup_SaveCompounded;
    group->resize(200, 100); // for a contents rectangle to measure
    const int top = group->contentsRect().top() + 3;
    for (int k = 0; k < 4; ++k)
        buttons[k]->setGeometry(kGap + (k / 2) * (itemWidth + kGap), top + (k % 2) * (itemHeight + 2),
                                itemWidth, itemHeight);
    group->resize(kGap + 2 * itemWidth + kGap + kGap, top + 2 * itemHeight + 2 + kGap);

    QLineEdit *years = m_edits.at(Field::SaveYears);
    QLineEdit *months = m_edits.at(Field::SaveMonths);
    const int labelTop = group->geometry().bottom() + 1 + kGap;
    years->move(years->x(), labelTop + kLabelToField);
    months->move(years->geometry().right() + 1 + kInnerMargin, labelTop + kLabelToField);
    for (QLabel *label : years->parentWidget()->findChildren<QLabel *>(Qt::FindDirectChildrenOnly)) {
        if (label->buddy() == years || label->buddy() == months)
            label->move(label->buddy()->x(), labelTop);
    }
}

void TForm_Main::layoutLoanInputs(Mode mode)
{
    QLineEdit *payment = m_edits.at(Field::Payment);
    QLineEdit *years = m_edits.at(Field::Years);
    QLineEdit *months = m_edits.at(Field::Months);
    const auto place = [this](QLabel *label, QLineEdit *edit, int labelTop, int editTop) {
        label->move(label->x(), labelTop + m_loanInputsShift);
        edit->move(edit->x(), editTop + m_loanInputsShift);
    };
    const auto show = [](QLabel *label, QLineEdit *edit, bool visible) {
        label->setVisible(visible);
        edit->setVisible(visible);
    };
    switch (mode) {
    case Mode::PaymentAmount:
        show(Label_Payment, payment, false);
        show(Label_Years, years, true);
        show(Label_Months, months, true);
        place(Label_Years, years, 114, 129);
        place(Label_Months, months, 162, 177);
        break;
    case Mode::NumberOfPayments:
        show(Label_Payment, payment, true);
        place(Label_Payment, payment, 114, 129);
        show(Label_Years, years, false);
        show(Label_Months, months, false);
        break;
    case Mode::Amortization:
        show(Label_Payment, payment, true);
        show(Label_Years, years, true);
        show(Label_Months, months, true);
        place(Label_Years, years, 162, 177);
        place(Label_Months, months, 210, 225);
        break;
    default:
        break;
    }
}

void TForm_Main::fitWindow()
{
    ensurePolished();
    for (const auto &[field, edit] : m_edits)
        edit->resize(std::max(edit->width(), widthFor(edit, longestText(field, m_services.locale))),
                     std::max(kFieldHeight, edit->minimumSizeHint().height()));
    for (desktop::DateField *picker : {DateTimePicker_StartDate, DateTimePicker_ReceiveDate})
        picker->resize(std::max(picker->width(), picker->sizeHint().width()),
                       std::max(kFieldHeight, picker->minimumSizeHint().height()));
    layoutSavingsValues();

    const auto boxesOf = [](QWidget *page) {
        return page->findChildren<QGroupBox *>(Qt::FindDirectChildrenOnly);
    };
    // Contents clear of captions, boxes around their contents.
    for (QWidget *page : {TabSheet_Payment, TabSheet_NumberOfPayments, TabSheet_Daily, TabSheet_Savings}) {
        for (QGroupBox *box : boxesOf(page)) {
            const int shift = clearCaption(box);
            if (box == GroupBox_EnterValues)
                m_loanInputsShift = shift;
            wrapContents(box, box->width(), box->height());
        }
    }

    // The two full-height boxes of a page stand on the same top with the same
    // height, whichever has more to hold.
    const auto endTogether = [](QGroupBox *left, QGroupBox *right) {
        const int height = std::max(left->height(), right->height());
        left->resize(left->width(), height);
        right->resize(right->width(), height);
    };
    endTogether(GroupBox_EnterValues, GroupBox_Totals);
    endTogether(TabSheet_Daily->findChild<QGroupBox *>(QStringLiteral("GroupBox_DailyEnterValues")),
                TabSheet_Daily->findChild<QGroupBox *>(QStringLiteral("GroupBox_DailyTotals")));
    endTogether(TabSheet_Savings->findChild<QGroupBox *>(QStringLiteral("GroupBox_SavingsEnterValues")),
                TabSheet_Savings->findChild<QGroupBox *>(QStringLiteral("GroupBox_SavingsTotals")));

    // Boxes side by side, each clear of the one to its left; the Calculate
    // button, above the pages, clear of the boxes on every page.
    const int tabHeight = PageControl->tabBar()->sizeHint().height();
    const int pageTop = kToolBarHeight + tabHeight;
    int pageWidth = kClientWidth;
    int pageHeight = kPageControlHeight - tabHeight;
    int leftEdge = 0; // right edge of the widest left-hand box
    for (QWidget *page : {TabSheet_Payment, TabSheet_NumberOfPayments, TabSheet_Daily, TabSheet_Savings}) {
        QList<QGroupBox *> boxes = boxesOf(page);
        if (page == TabSheet_NumberOfPayments)
            boxes << GroupBox_EnterValues << GroupBox_Totals; // they visit this page too
        std::sort(boxes.begin(), boxes.end(), [](QGroupBox *a, QGroupBox *b) { return a->x() < b->x(); });
        leftEdge = std::max(leftEdge, boxes.front()->geometry().right() + 1);
    }
    const int buttonLeft = std::max(206, leftEdge + kGap);
    BitBtn_Calculate->setGeometry(buttonLeft, 67, std::max(79, BitBtn_Calculate->sizeHint().width()),
                                  std::max(27, BitBtn_Calculate->sizeHint().height()));
    const int belowButton = BitBtn_Calculate->geometry().bottom() + 1 + kGap - pageTop;
    for (QWidget *page : {TabSheet_Payment, TabSheet_NumberOfPayments, TabSheet_Daily, TabSheet_Savings}) {
        QList<QGroupBox *> boxes = boxesOf(page);
        if (page == TabSheet_NumberOfPayments)
            boxes << GroupBox_EnterValues << GroupBox_Totals;
        std::sort(boxes.begin(), boxes.end(), [](QGroupBox *a, QGroupBox *b) { return a->x() < b->x(); });
        int right = 0;
        for (QGroupBox *box : boxes) {
            int top = box->y();
            const bool middle = box != boxes.front() && box != boxes.back();
            if (middle)
                top = std::max(top, belowButton);
            int left = std::max(box->x(), right + (right ? kGap : 0));
            if (box == boxes.back())
                left = std::max(left, BitBtn_Calculate->geometry().right() + 1 + kGap);
            box->move(left, top);
            right = box->geometry().right() + 1;
            pageHeight = std::max(pageHeight, box->geometry().bottom() + 1 + kGap);
        }
        pageWidth = std::max(pageWidth, right + kGap + 4);
    }

    const int toolBarHeight = std::max(kToolBarHeight, ToolBar->sizeHint().height());
    ToolBar->setGeometry(0, 0, pageWidth, toolBarHeight);
    PageControl->setGeometry(0, toolBarHeight, pageWidth, tabHeight + pageHeight);
    centralWidget()->setFixedSize(pageWidth, toolBarHeight + tabHeight + pageHeight);
    // The window is exactly its menu bar and client area: no resizing, no strip below.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    layout()->activate();
}

} // namespace accrua::app
