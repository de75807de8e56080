#include "planner/plannerinputs.h"

#include "planner/fieldtext.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace accrua::planner {

namespace {

const QString kBadStyle = QStringLiteral("background-color: #ffd6d6; color: black;");

void mark(QLineEdit *edit, const QString &reason)
{
    edit->setStyleSheet(reason.isEmpty() ? QString() : kBadStyle);
    edit->setToolTip(reason);
    edit->setProperty("refused", !reason.isEmpty());
}

void markItem(QTableWidgetItem *item, const QString &reason)
{
    item->setBackground(reason.isEmpty() ? QBrush() : QBrush(QColor(0xff, 0xd6, 0xd6)));
    item->setToolTip(reason);
}

template <typename T> void selectData(QComboBox *combo, T value)
{
    const int at = combo->findData(static_cast<int>(value));
    combo->setCurrentIndex(at >= 0 ? at : 0);
}

QString cellText(const QTableWidget *table, int row, int column)
{
    const QTableWidgetItem *item = table->item(row, column);
    return item ? item->text() : QString();
}

} // namespace

PlannerInputs::PlannerInputs(const text::Locale &locale, QWidget *parent) : QWidget(parent), m_locale(locale)
{
    setObjectName(QStringLiteral("PlannerInputs"));
    auto *form = new QFormLayout(this);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->setRowWrapPolicy(QFormLayout::DontWrapRows);
    const auto edit = [this](const char *name) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        connect(e, &QLineEdit::textEdited, this, [this] {
            if (!m_loading)
                Q_EMIT edited();
        });
        connect(e, &QLineEdit::returnPressed, this, &PlannerInputs::enterPressed);
        return e;
    };
    const auto combo = [this](const char *name) {
        auto *c = new QComboBox(this);
        c->setObjectName(QLatin1String(name));
        return c;
    };

    LineEdit_Name = new QLineEdit(this);
    LineEdit_Name->setObjectName(QStringLiteral("LineEdit_Name"));
    LineEdit_Name->setMaxLength(60);
    connect(LineEdit_Name, &QLineEdit::textEdited, this, &PlannerInputs::nameEdited);
    form->addRow(tr("Scenario na&me"), LineEdit_Name);

    LineEdit_Principal = edit("LineEdit_Principal");
    form->addRow(tr("&Principal"), LineEdit_Principal);
    LineEdit_Rate = edit("LineEdit_Rate");
    form->addRow(tr("&Rate, % a year"), LineEdit_Rate);

    ComboBox_Term = combo("ComboBox_Term");
    ComboBox_Term->addItem(tr("Years and months"), static_cast<int>(TermKind::YearsMonths));
    ComboBox_Term->addItem(tr("Number of payments"), static_cast<int>(TermKind::Payments));
    ComboBox_Term->addItem(tr("Fixed payment"), static_cast<int>(TermKind::FixedPayment));
    form->addRow(tr("&Term"), ComboBox_Term);

    LineEdit_Years = edit("LineEdit_Years");
    LineEdit_Months = edit("LineEdit_Months");
    auto *yearsRow = new QHBoxLayout;
    auto *yearsLabel = new QLabel(tr("&Years"), this);
    yearsLabel->setBuddy(LineEdit_Years);
    auto *monthsLabel = new QLabel(tr("Mo&nths"), this);
    monthsLabel->setBuddy(LineEdit_Months);
    yearsRow->addWidget(LineEdit_Years, 1);
    yearsRow->addWidget(monthsLabel);
    yearsRow->addWidget(LineEdit_Months, 1);
    form->addRow(yearsLabel, yearsRow);
    LineEdit_Payments = edit("LineEdit_Payments");
    form->addRow(tr("Num&ber of payments"), LineEdit_Payments);
    LineEdit_FixedPayment = edit("LineEdit_FixedPayment");
    form->addRow(tr("Fixe&d payment"), LineEdit_FixedPayment);

    ComboBox_Frequency = combo("ComboBox_Frequency");
    for (calc::Frequency f : calc::kFrequencies)
        ComboBox_Frequency->addItem(frequencyLabel(f), static_cast<int>(f));
    form->addRow(tr("Fre&quency"), ComboBox_Frequency);
    ComboBox_Compounding = combo("ComboBox_Compounding");
    for (int c : compoundingChoices())
        ComboBox_Compounding->addItem(compoundingLabel(c), c);
    form->addRow(tr("&Compounding"), ComboBox_Compounding);
    ComboBox_Repayment = combo("ComboBox_Repayment");
    ComboBox_Repayment->addItem(tr("Level payment"), static_cast<int>(calc::Repayment::Annuity));
    ComboBox_Repayment->addItem(tr("Equal principal"), static_cast<int>(calc::Repayment::EqualPrincipal));
    form->addRow(tr("Repayment &kind"), ComboBox_Repayment);

    LineEdit_InterestOnly = edit("LineEdit_InterestOnly");
    form->addRow(tr("&Interest-only payments"), LineEdit_InterestOnly);
    LineEdit_Balloon = edit("LineEdit_Balloon");
    form->addRow(tr("Ba&lloon"), LineEdit_Balloon);
    LineEdit_AmortizePayments = edit("LineEdit_AmortizePayments");
    LineEdit_AmortizePayments->setToolTip(tr("Payments the loan is amortized over; 0: the term"));
    form->addRow(tr("&Amortize over payments"), LineEdit_AmortizePayments);

    QWidget *holder = nullptr;
    Table_Extras =
        makeTable({tr("From"), tr("Amount"), tr("Every")}, &Button_AddExtra, &Button_RemoveExtra, &holder);
    Table_Extras->setObjectName(QStringLiteral("Table_Extras"));
    auto *extrasLabel = new QLabel(tr("E&xtra payments"), this);
    extrasLabel->setBuddy(Table_Extras);
    form->addRow(extrasLabel, holder);
    connect(Button_AddExtra, &QPushButton::clicked, this, [this] {
        addRow(Table_Extras, {QStringLiteral("1"), amountFieldText(calc::Money::fromValue(100), m_locale),
                              QStringLiteral("1")});
    });
    Table_Lumps = makeTable({tr("Payment"), tr("Amount")}, &Button_AddLump, &Button_RemoveLump, &holder);
    Table_Lumps->setObjectName(QStringLiteral("Table_Lumps"));
    auto *lumpsLabel = new QLabel(tr("Lump s&ums"), this);
    lumpsLabel->setBuddy(Table_Lumps);
    form->addRow(lumpsLabel, holder);
    connect(Button_AddLump, &QPushButton::clicked, this, [this] {
        addRow(Table_Lumps, {QStringLiteral("12"), amountFieldText(calc::Money::fromValue(1000), m_locale)});
    });
    Table_Rates = makeTable({tr("From"), tr("Rate, %")}, &Button_AddRate, &Button_RemoveRate, &holder);
    Table_Rates->setObjectName(QStringLiteral("Table_Rates"));
    auto *ratesLabel = new QLabel(tr("Rate chan&ges"), this);
    ratesLabel->setBuddy(Table_Rates);
    form->addRow(ratesLabel, holder);
    connect(Button_AddRate, &QPushButton::clicked, this, [this] {
        addRow(Table_Rates, {QStringLiteral("61"), LineEdit_Rate->text()});
    });

    LineEdit_Fee = edit("LineEdit_Fee");
    // An accepted amount is shown as the field will read it: two decimals, no grouping.
    for (QLineEdit *e : {LineEdit_Principal, LineEdit_FixedPayment, LineEdit_Balloon, LineEdit_Fee}) {
        connect(e, &QLineEdit::editingFinished, this, [this, e] {
            const Parsed<calc::Money> p = parseAmount(e->text(), m_locale);
            if (p.value && e->text() != amountFieldText(*p.value, m_locale))
                e->setText(amountFieldText(*p.value, m_locale));
        });
    }
    form->addRow(tr("Fee paid &with the advance"), LineEdit_Fee);
    DateEdit_Advance = new QDateEdit(this);
    DateEdit_Advance->setObjectName(QStringLiteral("DateEdit_Advance"));
    form->addRow(tr("Ad&vance date"), DateEdit_Advance);
    CheckBox_FirstPayment = new QCheckBox(tr("First payment &on"), this);
    CheckBox_FirstPayment->setObjectName(QStringLiteral("CheckBox_FirstPayment"));
    DateEdit_FirstPayment = new QDateEdit(this);
    DateEdit_FirstPayment->setObjectName(QStringLiteral("DateEdit_FirstPayment"));
    form->addRow(CheckBox_FirstPayment, DateEdit_FirstPayment);
    for (QDateEdit *d : {DateEdit_Advance, DateEdit_FirstPayment}) {
        d->setCalendarPopup(true);
        d->setDisplayFormat(m_locale.shortDateFormat());
        d->setDateRange(QDate(1900, 1, 1), QDate(2999, 12, 31));
        connect(d, &QDateEdit::dateChanged, this, [this] {
            if (!m_loading)
                Q_EMIT edited();
        });
    }
    connect(CheckBox_FirstPayment, &QCheckBox::toggled, this, [this](bool on) {
        DateEdit_FirstPayment->setEnabled(on);
        if (!m_loading)
            Q_EMIT edited();
    });
    ComboBox_ExtraMode = combo("ComboBox_ExtraMode");
    ComboBox_ExtraMode->addItem(tr("the term (pay off sooner)"), static_cast<int>(calc::ExtraMode::Shorten));
    ComboBox_ExtraMode->addItem(tr("the payment (same end date)"),
                                static_cast<int>(calc::ExtraMode::LowerPayment));
    form->addRow(tr("Extra payments ad&just"), ComboBox_ExtraMode);

    for (QComboBox *c :
         {ComboBox_Term, ComboBox_Frequency, ComboBox_Compounding, ComboBox_Repayment, ComboBox_ExtraMode}) {
        connect(c, &QComboBox::currentIndexChanged, this, [this] {
            updateTermFields();
            if (!m_loading)
                Q_EMIT edited();
        });
    }
    for (QTableWidget *t : {Table_Extras, Table_Lumps, Table_Rates}) {
        connect(t, &QTableWidget::itemChanged, this, [this] {
            if (!m_loading)
                Q_EMIT edited();
        });
    }
    updateTermFields();
}

QTableWidget *PlannerInputs::makeTable(const QStringList &headers, QPushButton **add, QPushButton **remove,
                                       QWidget **holder)
{
    *holder = new QWidget(this);
    auto *box = new QVBoxLayout(*holder);
    box->setContentsMargins(0, 0, 0, 0);
    auto *table = new QTableWidget(0, static_cast<int>(headers.size()), *holder);
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->setVisible(false);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->setTabKeyNavigation(false); // Tab leaves the table, as in the rest of the form
    table->setMinimumHeight(table->horizontalHeader()->sizeHint().height() +
                            3 * table->verticalHeader()->defaultSectionSize() + 4);
    table->setMaximumHeight(table->minimumHeight() + table->verticalHeader()->defaultSectionSize() * 2);
    box->addWidget(table);
    auto *buttons = new QHBoxLayout;
    *add = new QPushButton(tr("Add row"), *holder);
    *remove = new QPushButton(tr("Remove row"), *holder);
    buttons->addWidget(*add);
    buttons->addWidget(*remove);
    buttons->addStretch();
    box->addLayout(buttons);
    connect(*remove, &QPushButton::clicked, this, [this, table] {
        int row = table->currentRow();
        if (row < 0)
            row = table->rowCount() - 1;
        if (row < 0)
            return;
        table->removeRow(row);
        Q_EMIT edited();
    });
    return table;
}

void PlannerInputs::addRow(QTableWidget *table, const QStringList &cells)
{
    const bool was = m_loading;
    m_loading = true;
    const int row = table->rowCount();
    table->insertRow(row);
    for (int c = 0; c < cells.size(); ++c)
        table->setItem(row, c, new QTableWidgetItem(cells[c]));
    m_loading = was;
    if (!m_loading) {
        table->setCurrentCell(row, 0);
        Q_EMIT edited();
    }
}

void PlannerInputs::updateTermFields()
{
    const auto kind = static_cast<TermKind>(ComboBox_Term->currentData().toInt());
    LineEdit_Years->setEnabled(kind == TermKind::YearsMonths);
    LineEdit_Months->setEnabled(kind == TermKind::YearsMonths);
    LineEdit_Payments->setEnabled(kind == TermKind::Payments);
    LineEdit_FixedPayment->setEnabled(kind == TermKind::FixedPayment);
}

void PlannerInputs::setName(const QString &name)
{
    LineEdit_Name->setText(name);
    markName({});
}

QString PlannerInputs::name() const
{
    return LineEdit_Name->text();
}

void PlannerInputs::markName(const QString &reason)
{
    mark(LineEdit_Name, reason);
}

void PlannerInputs::setInputs(const ScenarioInputs &in)
{
    m_loading = true;
    LineEdit_Principal->setText(amountFieldText(in.principal, m_locale));
    LineEdit_Rate->setText(percentFieldText(in.ratePercent, m_locale));
    selectData(ComboBox_Term, in.termKind);
    LineEdit_Years->setText(QString::number(in.years));
    LineEdit_Months->setText(QString::number(in.months));
    LineEdit_Payments->setText(QString::number(in.payments));
    LineEdit_FixedPayment->setText(amountFieldText(in.fixedPayment, m_locale));
    selectData(ComboBox_Frequency, in.frequency);
    selectData(ComboBox_Compounding, in.compounding);
    selectData(ComboBox_Repayment, in.repayment);
    LineEdit_InterestOnly->setText(QString::number(in.interestOnly));
    LineEdit_Balloon->setText(amountFieldText(in.balloon, m_locale));
    LineEdit_AmortizePayments->setText(QString::number(in.amortizePayments));
    for (QTableWidget *t : {Table_Extras, Table_Lumps, Table_Rates})
        t->setRowCount(0);
    for (const ExtraRow &e : in.extras)
        addRow(Table_Extras,
               {QString::number(e.from), amountFieldText(e.amount, m_locale), QString::number(e.every)});
    for (const LumpRow &l : in.lumps)
        addRow(Table_Lumps, {QString::number(l.payment), amountFieldText(l.amount, m_locale)});
    for (const RateRow &r : in.rateChanges)
        addRow(Table_Rates, {QString::number(r.from), percentFieldText(r.ratePercent, m_locale)});
    LineEdit_Fee->setText(amountFieldText(in.fee, m_locale));
    if (in.advance.isValid())
        DateEdit_Advance->setDate(in.advance);
    CheckBox_FirstPayment->setChecked(in.firstPayment.isValid());
    DateEdit_FirstPayment->setEnabled(in.firstPayment.isValid());
    DateEdit_FirstPayment->setDate(in.firstPayment.isValid() ? in.firstPayment
                                                             : DateEdit_Advance->date().addMonths(1));
    selectData(ComboBox_ExtraMode, in.extraMode);
    for (QLineEdit *e : findChildren<QLineEdit *>()) {
        if (e != LineEdit_Name)
            mark(e, {});
    }
    updateTermFields();
    m_loading = false;
}

ScenarioInputs PlannerInputs::readInputs(const ScenarioInputs &base, QStringList *problems)
{
    ScenarioInputs in = base;
    const auto note = [&](QLineEdit *e, const QString &what, const QString &reason) {
        //: A field and why its text is refused: "Principal: the amount must not be negative".
        const QString text = reason.isEmpty() ? QString() : tr("%1: %2").arg(what, reason);
        mark(e, text);
        if (!text.isEmpty() && problems)
            *problems << text;
    };
    const auto readAmount = [&](QLineEdit *e, const QString &what, calc::Money &into) {
        const Parsed<calc::Money> p = parseAmount(e->text(), m_locale);
        note(e, what, p.reason);
        if (p.value)
            into = *p.value;
    };
    const auto readCount = [&](QLineEdit *e, const QString &what, std::int64_t low, std::int64_t high,
                               auto &into) {
        const Parsed<std::int64_t> p = parseCount(e->text(), low, high);
        note(e, what, p.reason);
        if (p.value)
            into = static_cast<std::remove_reference_t<decltype(into)>>(*p.value);
    };
    readAmount(LineEdit_Principal, tr("Principal"), in.principal);
    const Parsed<calc::Extended> rate = parsePercent(LineEdit_Rate->text(), m_locale);
    note(LineEdit_Rate, tr("Rate"), rate.reason);
    if (rate.value)
        in.ratePercent = *rate.value;
    in.termKind = static_cast<TermKind>(ComboBox_Term->currentData().toInt());
    for (QLineEdit *e : {LineEdit_Years, LineEdit_Months, LineEdit_Payments, LineEdit_FixedPayment})
        mark(e, {});
    switch (in.termKind) {
    case TermKind::YearsMonths:
        readCount(LineEdit_Years, tr("Years"), 0, 1000, in.years);
        readCount(LineEdit_Months, tr("Months"), 0, 11, in.months);
        break;
    case TermKind::Payments:
        readCount(LineEdit_Payments, tr("Number of payments"), 1, calc::kMaxPayments, in.payments);
        break;
    case TermKind::FixedPayment:
        readAmount(LineEdit_FixedPayment, tr("Fixed payment"), in.fixedPayment);
        break;
    }
    in.frequency = static_cast<calc::Frequency>(ComboBox_Frequency->currentData().toInt());
    in.compounding = ComboBox_Compounding->currentData().toInt();
    in.repayment = static_cast<calc::Repayment>(ComboBox_Repayment->currentData().toInt());
    readCount(LineEdit_InterestOnly, tr("Interest-only payments"), 0, calc::kMaxPayments, in.interestOnly);
    readAmount(LineEdit_Balloon, tr("Balloon"), in.balloon);
    readCount(LineEdit_AmortizePayments, tr("Amortize over"), 0, calc::kMaxPayments, in.amortizePayments);

    m_loading = true; // marking cells is no edit
    const auto tableRows = [&](QTableWidget *t, const QString &what, auto read) {
        for (int r = 0; r < t->rowCount(); ++r) {
            QStringList reasons;
            for (int c = 0; c < t->columnCount(); ++c) {
                QString reason = read(r, c);
                if (QTableWidgetItem *item = t->item(r, c))
                    markItem(item, reason);
                if (!reason.isEmpty())
                    reasons << reason;
            }
            if (!reasons.isEmpty() && problems)
                *problems
                    << tr("%1, row %2: %3").arg(what).arg(r + 1).arg(reasons.join(QStringLiteral("; ")));
        }
    };
    std::vector<ExtraRow> extras;
    tableRows(Table_Extras, tr("Extra payments"), [&](int r, int c) -> QString {
        const Parsed<std::int64_t> from = parseCount(cellText(Table_Extras, r, 0), 1, calc::kMaxPayments);
        const Parsed<calc::Money> amount = parseAmount(cellText(Table_Extras, r, 1), m_locale);
        const Parsed<std::int64_t> every = parseCount(cellText(Table_Extras, r, 2), 1, calc::kMaxPayments);
        if (c == 2 && from.value && amount.value && every.value)
            extras.push_back(ExtraRow{*from.value, *amount.value, *every.value});
        return c == 0 ? from.reason : c == 1 ? amount.reason : every.reason;
    });
    std::vector<LumpRow> lumps;
    tableRows(Table_Lumps, tr("Lump sums"), [&](int r, int c) -> QString {
        const Parsed<std::int64_t> payment = parseCount(cellText(Table_Lumps, r, 0), 0, calc::kMaxPayments);
        const Parsed<calc::Money> amount = parseAmount(cellText(Table_Lumps, r, 1), m_locale);
        if (c == 1 && payment.value && amount.value)
            lumps.push_back(LumpRow{*payment.value, *amount.value});
        return c == 0 ? payment.reason : amount.reason;
    });
    std::vector<RateRow> rates;
    tableRows(Table_Rates, tr("Rate changes"), [&](int r, int c) -> QString {
        const Parsed<std::int64_t> from = parseCount(cellText(Table_Rates, r, 0), 1, calc::kMaxPayments);
        const Parsed<calc::Extended> rateAt = parsePercent(cellText(Table_Rates, r, 1), m_locale);
        if (c == 1 && from.value && rateAt.value)
            rates.push_back(RateRow{*from.value, *rateAt.value});
        return c == 0 ? from.reason : rateAt.reason;
    });
    m_loading = false;
    in.extras = std::move(extras);
    in.lumps = std::move(lumps);
    in.rateChanges = std::move(rates);
    readAmount(LineEdit_Fee, tr("Fee"), in.fee);
    in.advance = DateEdit_Advance->date();
    in.firstPayment = CheckBox_FirstPayment->isChecked() ? DateEdit_FirstPayment->date() : QDate();
    in.extraMode = static_cast<calc::ExtraMode>(ComboBox_ExtraMode->currentData().toInt());
    return in;
}

} // namespace accrua::planner
