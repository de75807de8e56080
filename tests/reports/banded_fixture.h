// Shared by the banded report tests: a main window model with a calculation
// done through its fields, and a page sink that records what every band
// printed (page, position and the captions at that moment) without drawing.
#pragma once

#include "app/mainmodel.h"
#include "desktop/messages.h"
#include "reports/banded/reportsform.h"
#include "support.h"

#include <QDate>
#include <QString>

#include <map>
#include <vector>

namespace accrua::reportstest {

using app::Field;
using app::Mode;

struct Model {
    desktop::ScriptedMessageService messages;
    app::MainModel model{testsupport::usDollars(), messages};

    Model()
    {
        model.resetAmountFields();
        model.appSettings().ImagePath.clear();
    }
    void type(Field f, const QString &value)
    {
        model.typeText(f, value);
        model.leaveField(f);
    }
    // A loan on the Amortization page (payment typed) or the Payment Amount
    // page (payment computed); the term in years and months.
    void loan(const char *principal, const char *rate, int years, int months, const char *payment = nullptr)
    {
        model.selectMode(payment ? Mode::Amortization : Mode::PaymentAmount);
        type(Field::Principal, QLatin1String(principal));
        type(Field::Interest, QLatin1String(rate));
        if (payment)
            type(Field::Payment, QLatin1String(payment));
        type(Field::Years, QString::number(years));
        type(Field::Months, QString::number(months));
        model.calculate();
    }
    void savings(const char *amount, const char *rate, int compounding, int years, int months)
    {
        model.selectMode(Mode::SavingsInterest);
        type(Field::SaveAmount, QLatin1String(amount));
        type(Field::SaveInterest, QLatin1String(rate));
        model.setCompounding(compounding);
        type(Field::SaveYears, QString::number(years));
        type(Field::SaveMonths, QString::number(months));
        model.calculate();
    }
    void daily(const QDate &start, const QDate &receive, const char *principal, const char *rate,
               const char *payment)
    {
        model.selectMode(Mode::DailyInterest);
        model.datePickerChanged(false, receive);
        model.datePickerChanged(true, start);
        type(Field::DayPrincipal, QLatin1String(principal));
        type(Field::DayInterest, QLatin1String(rate));
        type(Field::DayPayment, QLatin1String(payment));
        model.calculate();
    }
};

struct PrintedBand {
    int page = 0;
    QString band;
    double top = 0;
    double height = 0;
    std::map<QString, QString> captions;
    QString caption(const char *label) const
    {
        const auto it = captions.find(QLatin1String(label));
        return it == captions.end() ? QString() : it->second;
    }
};

class CaptureSink : public reports::eng::PageSink {
public:
    void beginPage(int) override { ++pages; }
    void printBand(const reports::eng::Band &band, double top, int pageNumber) override
    {
        PrintedBand p{pageNumber, band.name(), top, band.height, {}};
        for (const auto &e : band.elements())
            if (e->kind() == reports::eng::Element::Kind::Label)
                p.captions[e->name()] = static_cast<const reports::eng::Label &>(*e).caption;
        printed.push_back(std::move(p));
    }
    void endPage(int) override {}

    std::vector<PrintedBand> of(const char *band) const
    {
        std::vector<PrintedBand> out;
        for (const PrintedBand &p : printed)
            if (p.band == QLatin1String(band))
                out.push_back(p);
        return out;
    }

    int pages = 0;
    std::vector<PrintedBand> printed;
};

inline CaptureSink layOut(reports::eng::Report &report)
{
    CaptureSink sink;
    reports::eng::ReportLayout layout(report, sink);
    layout.run();
    return sink;
}

} // namespace accrua::reportstest
