// A synthetic report of the amortization shape for the layout tests: title,
// column heading, page header, detail rows of six labels, totals every
// twelfth row, page footer with the page number.
#pragma once

#include "engine/layout/report.h"

#include <memory>

namespace accrua::engine::layout::testing {

struct SyntheticReport {
    std::unique_ptr<Report> report = std::make_unique<Report>(QStringLiteral("BandReport"));
    int rows = 0;
    int fed = 0;
    int totalsEvery = 12; // 0: totals only after the last row
    Band *totals = nullptr;

    SyntheticReport(const SyntheticReport &) = delete; // handlers hold `this`
    SyntheticReport &operator=(const SyntheticReport &) = delete;

    explicit SyntheticReport(int rowCount, int every = 12) : rows(rowCount), totalsEvery(every)
    {
        Report &r = *report;
        r.title = QStringLiteral("Synthetic schedule");
        r.expectedRows = rowCount;
        const emf::FontSpec bold{QStringLiteral("Arial"), 8, true, false};

        auto headings = [&](Band &b, const QString &suffix) {
            Shape &frame = b.addShape(QStringLiteral("RptShape_Heading") + suffix, QRectF(0, 0, 719, 19));
            frame.pen.width = 2;
            frame.brush.color = QColor(192, 192, 192);
            const char *captions[] = {"PMT", "DATE", "PAYMENT AMOUNT", "PRINCIPAL", "INTEREST", "BALANCE"};
            const double edges[] = {6, 114, 311, 444, 581, 712};
            for (int i = 0; i < 6; ++i) {
                Label &l = b.addLabel(QStringLiteral("RptLabel_H%1").arg(i) + suffix, edges[i], 3,
                                      QString::fromLatin1(captions[i]));
                l.font = bold;
                if (i >= 2)
                    l.alignment = emf::HAlign::Right;
            }
        };
        headings(r.addBand(BandKind::PageHeader, QStringLiteral("RptBand_Header"), 21), QStringLiteral("2"));

        Band &title = r.addBand(BandKind::Title, QStringLiteral("RptBand_Title"), 93);
        Label &t =
            title.addLabel(QStringLiteral("RptLabel_Title"), 0, 1, QStringLiteral("Amortization Schedule"));
        t.width = 721;
        t.height = 30;
        t.alignment = emf::HAlign::Center;
        t.font = emf::FontSpec{QStringLiteral("Arial"), 14, true, false};
        title.addPicture(QStringLiteral("RptImage"), QRectF(265, 38, 190, 50)).center = true;

        headings(r.addBand(BandKind::ColumnHeader, QStringLiteral("RptGroup_header"), 20),
                 QStringLiteral("1"));

        Band &detail = r.addBand(BandKind::Detail, QStringLiteral("RptSubDetail_Details"), 17);
        const double lefts[] = {6, 100, 208, 342, 479, 613};
        const double widths[] = {27, 65, 100, 100, 100, 100};
        for (int i = 0; i < 6; ++i) {
            Label &l = detail.addLabel(QStringLiteral("RptLabel_D%1").arg(i), lefts[i], 0);
            l.width = widths[i];
            l.alignment = emf::HAlign::Right;
        }

        Band &tot = r.addBand(BandKind::Detail, QStringLiteral("RptSubDetail_Totals"), 66);
        tot.addLabel(QStringLiteral("RptLabel_YearlyTotals"), 6, 3, QStringLiteral("YEARLY TOTALS")).font =
            bold;
        tot.enabled = false;
        tot.afterPrint = [&tot] { tot.enabled = false; };
        totals = &tot;

        Band &footer = r.addBand(BandKind::PageFooter, QStringLiteral("RptBand_Footer"), 18);
        footer.addLabel(QStringLiteral("RptLabel_Page"), 325, 1, QStringLiteral("Page")).font = bold;
        footer.addPageNumber(QStringLiteral("RptSysData_PageNo"), 356, 1).font = bold;

        r.beforePrint = [this] { fed = 0; };
        r.needData = [this, &detail] {
            if (fed >= rows)
                return false;
            ++fed;
            const QString n = QString::number(fed);
            detail.label(QStringLiteral("RptLabel_D0"))->setCaption(n);
            detail.label(QStringLiteral("RptLabel_D1"))->setCaption(QStringLiteral("01/15/2027"));
            detail.label(QStringLiteral("RptLabel_D2"))->setCaption(QStringLiteral("1,234.56"));
            detail.label(QStringLiteral("RptLabel_D3"))->setCaption(QStringLiteral("1,000.00"));
            detail.label(QStringLiteral("RptLabel_D4"))->setCaption(QStringLiteral("234.56"));
            detail.label(QStringLiteral("RptLabel_D5"))->setCaption(QStringLiteral("Row ") + n);
            if ((totalsEvery > 0 && fed % totalsEvery == 0) || fed == rows)
                totals->enabled = true;
            return true;
        };
    }
};

} // namespace accrua::engine::layout::testing
