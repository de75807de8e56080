// Recording and playing one report page: 50 detail lines of six labels plus
// the title block, column headings and footer.
#include "engine/emf/emf.h"
#include "support.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

using namespace accrua::engine::emf;

namespace {

const QImage &logo()
{
    static const QImage img = [] {
        QImage i(190, 50, QImage::Format_RGB32);
        for (int y = 0; y < i.height(); ++y)
            for (int x = 0; x < i.width(); ++x)
                i.setPixel(x, y, qRgb(x, y * 4, 128));
        return i;
    }();
    return img;
}

QByteArray writePage(int page)
{
    const FontSpec title{QStringLiteral("Arial"), 14, true, false};
    const FontSpec caption{QStringLiteral("Arial"), 8, true, false};
    const FontSpec detail{QStringLiteral("Courier New"), 8, false, false};
    const double m = 48;
    EmfWriter w(QSizeF(816, 1056));
    w.drawText(QRectF(m, m + 1, 721, 30), HAlign::Center, title, QStringLiteral("Amortization Schedule"));
    w.drawText(QRectF(m, m + 24, 721, 14), HAlign::Center, caption, QStringLiteral("HOME MORTGAGE"));
    w.drawText(QRectF(m + 7, m + 41, 150, 14), HAlign::Left, caption, QStringLiteral("INTEREST RATE:"));
    w.drawText(QRectF(m + 162, m + 41, 100, 14), HAlign::Left, caption, QStringLiteral("6.5%"));
    w.drawText(QRectF(m + 513, m + 41, 120, 14), HAlign::Left, caption, QStringLiteral("BEGINNING BALANCE:"));
    w.drawText(QRectF(m + 634, m + 41, 80, 14), HAlign::Right, caption, QStringLiteral("250,000.00"));
    w.drawImage(QRectF(m + 265, m + 38, 190, 50), logo());
    w.drawRect(QRectF(m, m + 93, 719, 19), PenSpec{Qt::black, 2, false},
               BrushSpec{QColor(192, 192, 192), false});
    const char *heads[] = {"PMT", "DATE", "PAYMENT AMOUNT", "PRINCIPAL", "INTEREST", "BALANCE"};
    const double cols[6][2] = {{6, 33}, {100, 165}, {208, 308}, {342, 442}, {479, 579}, {613, 713}};
    for (int i = 0; i < 6; ++i)
        w.drawText(QRectF(m + cols[i][0] - 60, m + 96, cols[i][1] - cols[i][0] + 60, 14), HAlign::Right,
                   caption, QString::fromLatin1(heads[i]));
    for (int line = 0; line < 50; ++line) {
        const double top = m + 113 + line * 17;
        const int n = page * 50 + line + 1;
        w.drawText(QRectF(m + 6, top, 27, 17), HAlign::Right, detail, QString::number(n));
        w.drawText(QRectF(m + 100, top, 65, 17), HAlign::Right, detail, QStringLiteral("12/01/2031"));
        for (int c = 2; c < 6; ++c)
            w.drawText(QRectF(m + cols[c][0], top, cols[c][1] - cols[c][0], 17), HAlign::Right, detail,
                       QString::number(1000 + n * 17.31 * c, 'f', 2));
    }
    w.drawText(QRectF(m + 325, 1056 - m - 17, 30, 14), HAlign::Left, caption, QStringLiteral("Page"));
    w.drawText(QRectF(m + 356, 1056 - m - 17, 30, 14), HAlign::Left, caption, QString::number(page + 1));
    return w.finish();
}

void BM_WritePage(benchmark::State &state)
{
    accrua::testsupport::ensureGuiApp();
    int page = 0;
    qint64 bytes = 0;
    for (auto _ : state) {
        const QByteArray emf = writePage(page++ % 240);
        bytes = emf.size();
        benchmark::DoNotOptimize(emf.constData());
    }
    state.counters["page_bytes"] = double(bytes);
}
BENCHMARK(BM_WritePage)->Unit(benchmark::kMicrosecond);

void BM_PlayPage96dpi(benchmark::State &state)
{
    accrua::testsupport::ensureGuiApp();
    const QByteArray emf = writePage(7);
    QImage img(816, 1056, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        img.fill(Qt::white);
        QPainter p(&img);
        if (!EmfPlayer::play(emf, p, QRectF(0, 0, 816, 1056)))
            state.SkipWithError("page did not play");
        p.end();
        benchmark::DoNotOptimize(img.constBits());
    }
}
BENCHMARK(BM_PlayPage96dpi)->Unit(benchmark::kMillisecond);

} // namespace
