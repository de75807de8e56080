// PDF back-ends on the same pages: the 12000-payment amortization report's
// 301 metafile pages (made once) written as a PDF in memory by
//   qt      the metafile player on a QPdfWriter (the old path, kept for printing)
//   ours    engine::pdf::PdfWriter (fonts subset by our TrueType subsetter)
//   cairo   the same page player onto cairo's PDF surface (fonts through FreeType)
//   haru    the same page player onto libharu (TrueType fonts embedded, UTF-8)
// in pairs within one run: every round runs each candidate once, in turn, on
// this thread's CPU clock. The counters are the medians (ms) and the sizes (KB).
#include "app/mainmodel.h"
#include "desktop/messages.h"
#include "engine/emf/emfplayer.h"
#include "engine/emf/pagesize.h"
#include "engine/emf/textmetrics.h"
#include "engine/pdf/pdf.h"
#include "reports/banded/reportinputs.h"
#include "reports/banded/reportoutput.h"
#include "reports/banded/reportsform.h"
#include "support.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QHash>

#include <benchmark/benchmark.h>
#include <cairo-pdf.h>
#include <cairo.h>
#include <hpdf.h>

#include <algorithm>
#include <ctime>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

using namespace accrua;
namespace pdf = accrua::engine::pdf;

double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// The pages of a 12000-payment report, as the command line makes them.
const std::vector<QByteArray> &pages12000()
{
    static const std::vector<QByteArray> pages = [] {
        desktop::ScriptedMessageService messages;
        messages.setDefaultAnswer([](const desktop::ScriptedMessageService::Shown &shown) -> unsigned short {
            return shown.buttons.testFlag(desktop::MessageButton::No) ? desktop::mrNo : desktop::mrOk;
        });
        app::MainModel model{testsupport::usDollars(), messages};
        model.resetAmountFields();
        model.appSettings().ImagePath.clear();
        model.selectMode(app::Mode::PaymentAmount);
        for (auto [f, v] : {std::pair{app::Field::Principal, "1000000"},
                            {app::Field::Interest, "0.25"},
                            {app::Field::Years, "1000"},
                            {app::Field::Months, "0"}}) {
            model.typeText(f, QLatin1String(v));
            model.leaveField(f);
        }
        model.calculate();
        reports::banded::TForm_Reports form(testsupport::usDollars(), [] { return QDate(2026, 2, 1); });
        reports::banded::fillAmortization(form, model, QStringLiteral("2/1/2026"),
                                          QStringLiteral("HOME LOAN"));
        const auto list = reports::banded::generatePages(form.BandReport);
        std::vector<QByteArray> out;
        for (int n = 1; n <= list->pageCount(); ++n)
            out.push_back(list->GetPage(n).value_or(QByteArray()));
        return out;
    }();
    return pages;
}

// Liberation faces as Debian installs them (fonts-liberation).
std::string faceFile(const engine::emf::FontSpec &spec)
{
    const QString family = engine::emf::TextMetrics::resolvedFamily(spec.family);
    const char *base = family.contains(QLatin1String("Mono"))    ? "LiberationMono"
                       : family.contains(QLatin1String("Serif")) ? "LiberationSerif"
                                                                 : "LiberationSans";
    const char *style = spec.bold && spec.italic ? "BoldItalic"
                        : spec.bold              ? "Bold"
                        : spec.italic            ? "Italic"
                                                 : "Regular";
    return std::string("/usr/share/fonts/truetype/liberation/") + base + "-" + style + ".ttf";
}

// Canvas units (1/1200 inch) in points.
constexpr double kPt = 0.06;

double channel(QRgb c, int shift)
{
    return ((c >> shift) & 0xFF) / 255.0;
}

class CairoCanvas : public pdf::PageCanvas {
public:
    CairoCanvas()
    {
        m_surface = cairo_pdf_surface_create_for_stream(
            [](void *closure, const unsigned char *data, unsigned int length) {
                static_cast<QByteArray *>(closure)->append(reinterpret_cast<const char *>(data), length);
                return CAIRO_STATUS_SUCCESS;
            },
            &m_out, 612, 792);
        m_cr = cairo_create(m_surface);
    }
    ~CairoCanvas() override
    {
        for (auto &[key, face] : m_faces)
            cairo_font_face_destroy(face);
        if (m_cr)
            cairo_destroy(m_cr);
        if (m_surface)
            cairo_surface_destroy(m_surface);
    }
    CairoCanvas(const CairoCanvas &) = delete;
    CairoCanvas &operator=(const CairoCanvas &) = delete;

    QByteArray finish()
    {
        cairo_destroy(m_cr);
        m_cr = nullptr;
        cairo_surface_finish(m_surface);
        cairo_surface_destroy(m_surface);
        m_surface = nullptr;
        return m_out;
    }

    void beginPage(QSizeF page) override
    {
        cairo_pdf_surface_set_size(m_surface, page.width() * 0.75, page.height() * 0.75);
        cairo_identity_matrix(m_cr);
        cairo_scale(m_cr, 0.06, 0.06);
    }
    void endPage() override { cairo_show_page(m_cr); }
    void rect(const QRectF &r, const std::optional<pdf::Stroke> &stroke, std::optional<QRgb> fill) override
    {
        cairo_rectangle(m_cr, r.x(), r.y(), r.width(), r.height());
        paint(stroke, fill);
    }
    void figure(const pdf::Figure &f, const std::optional<pdf::Stroke> &stroke,
                std::optional<QRgb> fill) override
    {
        cairo_move_to(m_cr, f.points[0].x(), f.points[0].y());
        for (size_t i = 1; i < f.points.size(); ++i)
            cairo_line_to(m_cr, f.points[i].x(), f.points[i].y());
        if (f.closed)
            cairo_close_path(m_cr);
        paint(stroke, fill);
    }
    void text(const pdf::TextRun &run) override
    {
        if (!m_face || !(run.face == m_spec)) {
            const std::string file = faceFile(run.face);
            auto it = m_faces.find(file);
            if (it == m_faces.end()) {
                cairo_font_face_t *face = cairo_toy_font_face_create(
                    engine::emf::TextMetrics::resolvedFamily(run.face.family).toUtf8(),
                    run.face.italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                    run.face.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
                it = m_faces.emplace(file, face).first;
            }
            m_face = it->second;
            m_spec = run.face;
        }
        cairo_set_font_face(m_cr, m_face);
        cairo_set_font_size(m_cr, run.em);
        cairo_set_source_rgb(m_cr, channel(run.color, 16), channel(run.color, 8), channel(run.color, 0));
        const QByteArray utf8 = run.text.toUtf8();
        cairo_glyph_t *glyphs = nullptr;
        int count = 0;
        const QPointF origin = run.origin();
        cairo_scaled_font_text_to_glyphs(cairo_get_scaled_font(m_cr), origin.x(), origin.y(),
                                         utf8.constData(), int(utf8.size()), &glyphs, &count, nullptr,
                                         nullptr, nullptr);
        double x = run.start.x();
        for (int i = 0; i < count && size_t(i) < run.advances.size(); ++i) {
            glyphs[i].x = run.anchor.x() + x * run.scale.width();
            x += run.advances[size_t(i)];
        }
        cairo_show_glyphs(m_cr, glyphs, count);
        cairo_glyph_free(glyphs);
    }
    void image(const QRectF &target, const QImage &image, const QRect &source, const QByteArray &) override
    {
        QImage part = image.copy(source).convertToFormat(QImage::Format_RGB32);
        cairo_surface_t *s = cairo_image_surface_create_for_data(
            part.bits(), CAIRO_FORMAT_RGB24, part.width(), part.height(), int(part.bytesPerLine()));
        cairo_save(m_cr);
        cairo_translate(m_cr, target.x(), target.y());
        cairo_scale(m_cr, target.width() / part.width(), target.height() / part.height());
        cairo_set_source_surface(m_cr, s, 0, 0);
        cairo_paint(m_cr);
        cairo_restore(m_cr);
        cairo_surface_destroy(s);
    }

private:
    void paint(const std::optional<pdf::Stroke> &stroke, std::optional<QRgb> fill)
    {
        if (fill) {
            cairo_set_source_rgb(m_cr, channel(*fill, 16), channel(*fill, 8), channel(*fill, 0));
            if (stroke)
                cairo_fill_preserve(m_cr);
            else
                cairo_fill(m_cr);
        }
        if (stroke) {
            cairo_set_source_rgb(m_cr, channel(stroke->color, 16), channel(stroke->color, 8),
                                 channel(stroke->color, 0));
            cairo_set_line_width(m_cr, stroke->width);
            cairo_stroke(m_cr);
        }
    }

    QByteArray m_out;
    cairo_surface_t *m_surface = nullptr;
    cairo_t *m_cr = nullptr;
    std::map<std::string, cairo_font_face_t *> m_faces;
    cairo_font_face_t *m_face = nullptr;
    engine::emf::FontSpec m_spec;
};

class HaruCanvas : public pdf::PageCanvas {
public:
    HaruCanvas()
    {
        m_doc = HPDF_New(nullptr, nullptr);
        HPDF_SetCompressionMode(m_doc, HPDF_COMP_ALL);
        HPDF_UseUTFEncodings(m_doc);
        HPDF_SetCurrentEncoder(m_doc, "UTF-8");
    }
    ~HaruCanvas() override { HPDF_Free(m_doc); }
    HaruCanvas(const HaruCanvas &) = delete;
    HaruCanvas &operator=(const HaruCanvas &) = delete;

    QByteArray finish()
    {
        HPDF_SaveToStream(m_doc);
        const HPDF_UINT32 size = HPDF_GetStreamSize(m_doc);
        QByteArray out(qsizetype(size), Qt::Uninitialized);
        HPDF_UINT32 got = size;
        HPDF_ReadFromStream(m_doc, reinterpret_cast<HPDF_BYTE *>(out.data()), &got);
        out.truncate(qsizetype(got));
        return out;
    }

    void beginPage(QSizeF page) override
    {
        m_page = HPDF_AddPage(m_doc);
        m_height = page.height() * 0.75;
        HPDF_Page_SetWidth(m_page, HPDF_REAL(page.width() * 0.75));
        HPDF_Page_SetHeight(m_page, HPDF_REAL(m_height));
    }
    void endPage() override {}
    void rect(const QRectF &r, const std::optional<pdf::Stroke> &stroke, std::optional<QRgb> fill) override
    {
        style(stroke, fill);
        HPDF_Page_Rectangle(m_page, HPDF_REAL(r.x() * kPt), HPDF_REAL(m_height - r.bottom() * kPt),
                            HPDF_REAL(r.width() * kPt), HPDF_REAL(r.height() * kPt));
        paint(stroke, fill);
    }
    void figure(const pdf::Figure &f, const std::optional<pdf::Stroke> &stroke,
                std::optional<QRgb> fill) override
    {
        style(stroke, fill);
        HPDF_Page_MoveTo(m_page, HPDF_REAL(f.points[0].x() * kPt),
                         HPDF_REAL(m_height - f.points[0].y() * kPt));
        for (size_t i = 1; i < f.points.size(); ++i)
            HPDF_Page_LineTo(m_page, HPDF_REAL(f.points[i].x() * kPt),
                             HPDF_REAL(m_height - f.points[i].y() * kPt));
        if (f.closed)
            HPDF_Page_ClosePath(m_page);
        paint(stroke, fill);
    }
    void text(const pdf::TextRun &run) override
    {
        if (!m_font || !(run.face == m_spec)) {
            const std::string file = faceFile(run.face);
            auto it = m_fonts.find(file);
            if (it == m_fonts.end()) {
                const char *name = HPDF_LoadTTFontFromFile(m_doc, file.c_str(), HPDF_TRUE);
                it = m_fonts.emplace(file, HPDF_GetFont(m_doc, name, "UTF-8")).first;
            }
            m_font = it->second;
            m_spec = run.face;
        }
        HPDF_Page_BeginText(m_page);
        HPDF_Page_SetFontAndSize(m_page, m_font, HPDF_REAL(run.em * kPt));
        HPDF_Page_SetRGBFill(m_page, HPDF_REAL(channel(run.color, 16)), HPDF_REAL(channel(run.color, 8)),
                             HPDF_REAL(channel(run.color, 0)));
        const QPointF origin = run.origin();
        HPDF_Page_TextOut(m_page, HPDF_REAL(origin.x() * kPt), HPDF_REAL(m_height - origin.y() * kPt),
                          run.text.toUtf8().constData());
        HPDF_Page_EndText(m_page);
    }
    void image(const QRectF &target, const QImage &image, const QRect &source, const QByteArray &) override
    {
        const QImage part = image.copy(source).convertToFormat(QImage::Format_RGB888);
        QByteArray rows;
        for (int y = 0; y < part.height(); ++y)
            rows.append(reinterpret_cast<const char *>(part.constScanLine(y)), qsizetype(part.width()) * 3);
        HPDF_Image img = HPDF_LoadRawImageFromMem(
            m_doc, reinterpret_cast<const HPDF_BYTE *>(rows.constData()), HPDF_UINT(part.width()),
            HPDF_UINT(part.height()), HPDF_CS_DEVICE_RGB, 8);
        HPDF_Page_DrawImage(m_page, img, HPDF_REAL(target.x() * kPt),
                            HPDF_REAL(m_height - target.bottom() * kPt), HPDF_REAL(target.width() * kPt),
                            HPDF_REAL(target.height() * kPt));
    }

private:
    void style(const std::optional<pdf::Stroke> &stroke, std::optional<QRgb> fill)
    {
        if (fill)
            HPDF_Page_SetRGBFill(m_page, HPDF_REAL(channel(*fill, 16)), HPDF_REAL(channel(*fill, 8)),
                                 HPDF_REAL(channel(*fill, 0)));
        if (stroke) {
            HPDF_Page_SetRGBStroke(m_page, HPDF_REAL(channel(stroke->color, 16)),
                                   HPDF_REAL(channel(stroke->color, 8)),
                                   HPDF_REAL(channel(stroke->color, 0)));
            HPDF_Page_SetLineWidth(m_page, HPDF_REAL(stroke->width * kPt));
        }
    }
    void paint(const std::optional<pdf::Stroke> &stroke, std::optional<QRgb> fill)
    {
        if (stroke && fill)
            HPDF_Page_FillStroke(m_page);
        else if (fill)
            HPDF_Page_Fill(m_page);
        else
            HPDF_Page_Stroke(m_page);
    }

    HPDF_Doc m_doc = nullptr;
    HPDF_Page m_page = nullptr;
    double m_height = 0;
    std::map<std::string, HPDF_Font> m_fonts;
    HPDF_Font m_font = nullptr;
    engine::emf::FontSpec m_spec;
};

QByteArray viaQt(const std::vector<QByteArray> &pages)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    pdf::writeDocumentThroughQt(
        pdf::allPages(int(pages.size())),
        [&pages](int n) { return std::optional<QByteArray>(pages[size_t(n - 1)]); }, buffer,
        QStringLiteral("Report"));
    return buffer.data();
}

QByteArray viaOurs(const std::vector<QByteArray> &pages)
{
    pdf::PdfWriter writer(QStringLiteral("Report"));
    for (const QByteArray &p : pages)
        writer.addPage(p);
    return writer.finish();
}

template <class Canvas> QByteArray viaCanvas(const std::vector<QByteArray> &pages)
{
    Canvas canvas;
    for (const QByteArray &p : pages)
        pdf::playPage(p, canvas);
    return canvas.finish();
}

void BM_PdfBackEndsInPairs(benchmark::State &state)
{
    testsupport::ensureGuiApp();
    const std::vector<QByteArray> &pages = pages12000();
    const std::vector<std::pair<const char *, std::function<QByteArray(const std::vector<QByteArray> &)>>>
        candidates = {{"qt", viaQt},
                      {"ours", viaOurs},
                      {"cairo", viaCanvas<CairoCanvas>},
                      {"haru", viaCanvas<HaruCanvas>}};
    std::map<std::string, std::vector<double>> times;
    std::map<std::string, double> sizes;
    // BENCH_PDF_KEEP=folder keeps each candidate's PDF there, to be looked at.
    const QString keepIn = qEnvironmentVariable("BENCH_PDF_KEEP");
    for (auto _ : state) {
        for (const auto &[name, run] : candidates) {
            const double start = cpuMs();
            const QByteArray out = run(pages);
            times[name].push_back(cpuMs() - start);
            sizes[name] = double(out.size()) / 1024.0;
            if (!keepIn.isEmpty()) {
                QFile file(QDir(keepIn).filePath(QString::fromLatin1(name) + QStringLiteral(".pdf")));
                if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size())
                    state.SkipWithError("cannot keep the PDFs");
            }
        }
    }
    for (auto &[name, t] : times) {
        std::sort(t.begin(), t.end());
        state.counters[name + "_ms"] = t[t.size() / 2];
        state.counters[name + "_KB"] = sizes[name];
    }
    state.counters["pages"] = double(pages.size());
}
BENCHMARK(BM_PdfBackEndsInPairs)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
