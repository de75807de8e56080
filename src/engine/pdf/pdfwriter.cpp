#include "engine/pdf/pdfwriter.h"

#include "engine/emf/textmetrics.h"
#include "engine/pdf/pdffont.h"
#include "engine/pdf/pdfsyntax.h"

#include <QHash>
#include <QRawFont>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace accrua::engine::pdf {

namespace {

// Catalog, page tree, the resources every page shares, document information.
constexpr int kCatalog = 1, kPages = 2, kResources = 3, kInfo = 4;
// Glyphs closer than this to their place on the grid (content units) are
// left where the font's advances take them.
constexpr double kPlacementTolerance = 0.001;
// Glyphs sit on the grid of 1/64 canvas unit from their run's anchor that
// Qt's PDF engine places them on: text extraction then finds every word
// exactly where the PDFs printed through Qt have it. Text space is that grid,
// so that moves to it are whole numbers, shorter to write and to deflate.
constexpr double kGrid = 64;
// Decimals of the moves in text space (1/64 canvas unit).
constexpr int kMoveDecimals = 4;
constexpr double kMoveScale = 1e4;

// Shifts within a run are in thousandths of the em: written with as few
// decimals as keep a glyph within the tolerance of its place, two up to an
// em of 200 content units (12 points).
struct ShiftUnit {
    int decimals;
    double scale; // 10^decimals
};

ShiftUnit shiftUnit(double em)
{
    ShiftUnit u{2, 100};
    for (double limit = 200; u.decimals < 6 && em > limit; limit *= 10) {
        ++u.decimals;
        u.scale *= 10;
    }
    return u;
}

// A face's glyph for a character below 256 as the runs use it: looked up,
// marked used and measured once, its escaping decided once.
struct LatinGlyph {
    double width = -1; // thousandths of an em; -1: not looked up yet
    quint32 glyph = 0;
    bool plain = false; // looked up, one byte, nothing to escape
};
using LatinGlyphs = std::array<LatinGlyph, 256>;

struct ImageKey {
    size_t hash;
    int width;
    int height;
    friend bool operator==(const ImageKey &, const ImageKey &) = default;
};

size_t qHash(const ImageKey &k, size_t seed = 0)
{
    return qHashMulti(seed, k.hash, k.width, k.height);
}

} // namespace

// What one document leaves for the next on its thread: the page buffer and
// deflate's, and how long the file was, so that a batch of similar
// documents grows no buffer after the first.
struct Spares {
    Content content;
    std::vector<char> packed;
    qsizetype outSize = 0;
};

Spares &spares()
{
    thread_local Spares s;
    return s;
}

struct PdfWriter::Impl : ObjectWriter {
    Impl()
    {
        Spares &s = spares();
        content.swap(s.content);
        packed.swap(s.packed);
        out.reserve(s.outSize + s.outSize / 8 + 1024);
    }
    ~Impl()
    {
        Spares &s = spares();
        content.clear();
        s.content.swap(content);
        s.packed.swap(packed);
        s.outSize = out.size();
    }
    Impl(const Impl &) = delete;
    Impl &operator=(const Impl &) = delete;

    QString title, creator;
    std::vector<int> pages;
    std::vector<std::unique_ptr<Face>> faces;
    std::vector<std::unique_ptr<LatinGlyphs>> latin; // by face number - 1
    emf::RecentStyles<Face> recent;
    NumberTexts numbers;
    std::vector<double> advances; // a run's, when it gives fewer than it has glyphs
    QHash<ImageKey, int> images;  // -> image number
    std::vector<int> imageObjects;
    bool unsupported = false;
    bool finished = false;

    // The page being drawn.
    bool inPage = false;
    QSizeF page;
    Content content;
    std::optional<QRgb> fill, strokeColor;
    double lineWidth = -1;
    bool inText = false;
    Face *textFace = nullptr;
    double textSize = 0;
    double lineX = 0, lineY = 0; // where the current text line starts

    Face *face(const emf::FontSpec &spec);
    // The same, the faces found last checked here.
    Face *runFace(const emf::FontSpec &spec)
    {
        Face *f = recent.find(spec);
        return f ? f : face(spec);
    }
    void endText();
    void setFill(QRgb c)
    {
        if (fill != c) {
            appendColor(content, c, "rg");
            fill = c;
        }
    }
    void setStroke(const Stroke &s)
    {
        if (strokeColor != s.color) {
            appendColor(content, s.color, "RG");
            strokeColor = s.color;
        }
        if (lineWidth != s.width) {
            appendNumber(content, s.width);
            content.append(" w\n");
            lineWidth = s.width;
        }
    }
    // A shape leaves any text object and sets the colours and width it is drawn with.
    void beginShape(const std::optional<Stroke> &stroke, std::optional<QRgb> brush)
    {
        endText();
        if (brush)
            setFill(*brush);
        if (stroke)
            setStroke(*stroke);
    }
    void paint(const std::optional<Stroke> &stroke, std::optional<QRgb> brush, bool evenOdd)
    {
        if (stroke && brush)
            evenOdd ? content.append("B*\n") : content.append("B\n");
        else if (brush)
            evenOdd ? content.append("f*\n") : content.append("f\n");
        else
            content.append("S\n");
    }
};

Face *PdfWriter::Impl::face(const emf::FontSpec &spec)
{
    // Runs come in long stretches of a few faces, their names shared from
    // the page's font objects.
    if (Face *f = recent.find(spec))
        return f;
    const QString family = emf::TextMetrics::resolvedFamily(spec.family);
    Face *found = nullptr;
    for (const auto &f : faces)
        if (f->family == family && f->bold == spec.bold && f->italic == spec.italic)
            found = f.get();
    if (!found) {
        std::shared_ptr<LoadedFace> loaded = loadedFace(spec);
        if (!loaded)
            return nullptr;
        auto f = std::make_unique<Face>();
        f->loaded = std::move(loaded);
        f->family = family;
        f->bold = spec.bold;
        f->italic = spec.italic;
        f->number = int(faces.size()) + 1;
        f->object = reserve();
        f->latin.fill(-1);
        const auto glyphs = size_t(f->tt().glyphCount());
        f->wide = wideFace(f->tt().glyphCount());
        f->used.assign(glyphs, false);
        f->unicode.assign(glyphs, 0);
        f->widths.assign(glyphs, -1);
        found = f.get();
        faces.push_back(std::move(f));
        latin.push_back(std::make_unique<LatinGlyphs>());
    }
    recent.remember(spec, found);
    return found;
}

void PdfWriter::Impl::endText()
{
    if (inText)
        content.append("ET\n");
    inText = false;
    textFace = nullptr;
}

PdfWriter::PdfWriter(const QString &title, const QString &creator) : d(std::make_unique<Impl>())
{
    d->title = title;
    d->creator = creator;
    d->out.append("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
}

PdfWriter::~PdfWriter() = default;

PlayResult PdfWriter::addPage(const QByteArray &metafile, QString *why)
{
    const PlayResult r = playPage(metafile, *this, why);
    if (r == PlayResult::Played && d->unsupported) {
        if (why)
            *why = QStringLiteral("a font that cannot be embedded");
        return PlayResult::Unsupported;
    }
    return r;
}

int PdfWriter::pageCount() const
{
    return int(d->pages.size());
}

void PdfWriter::beginPage(QSizeF pagePixels)
{
    if (d->inPage)
        endPage();
    d->inPage = true;
    d->page = pagePixels;
    d->content.clear();
    d->fill.reset();
    d->strokeColor.reset();
    d->lineWidth = -1;
    d->inText = false;
    d->textFace = nullptr;
    // Page pixels, y downwards, onto points.
    d->content.append("0.06 0 0 -0.06 0 ");
    appendNumber(d->content, pagePixels.height() * 0.75);
    d->content.append(" cm\n");
}

void PdfWriter::endPage()
{
    if (!d->inPage)
        return;
    d->endText();
    d->inPage = false;
    const int contents = d->reserve();
    d->stream(contents, d->content.data(), qsizetype(d->content.size()), {}, &DeflateCode::pageContent());
    const int pageObject = d->reserve();
    d->begin(pageObject);
    d->out.append("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 ");
    appendNumber(d->out, d->page.width() * 0.75);
    d->out.append(' ');
    appendNumber(d->out, d->page.height() * 0.75);
    d->out.append("] /Resources 3 0 R /Contents ");
    appendInt(d->out, contents);
    d->out.append(" 0 R >>");
    d->end();
    d->pages.push_back(pageObject);
}

void PdfWriter::rect(const QRectF &r, const std::optional<Stroke> &stroke, std::optional<QRgb> fill)
{
    if (!d->inPage || (!stroke && !fill))
        return;
    d->beginShape(stroke, fill);
    Content &c = d->content;
    appendNumber(c, r.left());
    c.push_back(' ');
    appendNumber(c, r.top());
    c.push_back(' ');
    appendNumber(c, r.width());
    c.push_back(' ');
    appendNumber(c, r.height());
    c.append(" re ");
    d->paint(stroke, fill, false);
}

void PdfWriter::figure(const Figure &f, const std::optional<Stroke> &stroke, std::optional<QRgb> fill)
{
    if (!d->inPage || f.points.size() < 2 || (!stroke && !fill))
        return;
    d->beginShape(stroke, fill);
    Content &c = d->content;
    auto point = [&c](QPointF p) {
        appendNumber(c, p.x());
        c.push_back(' ');
        appendNumber(c, p.y());
        c.push_back(' ');
    };
    point(f.points[0]);
    c.append("m\n");
    if (f.bezier) {
        for (size_t i = 1; i + 2 < f.points.size(); i += 3) {
            point(f.points[i]);
            point(f.points[i + 1]);
            point(f.points[i + 2]);
            c.append("c\n");
        }
    } else {
        for (size_t i = 1; i < f.points.size(); ++i) {
            point(f.points[i]);
            c.append("l\n");
        }
    }
    if (f.closed)
        c.append("h ");
    d->paint(stroke, fill, true);
}

namespace {

// The bytes a literal string escapes: its delimiters, the escape itself, and
// a carriage return, which a reader would take for the end of a line.
constexpr std::array<bool, 256> kEscaped = [] {
    std::array<bool, 256> e{};
    for (const unsigned char b : {'(', ')', '\\', '\r'})
        e[b] = true;
    return e;
}();

// An operator's bytes at p, without the literal's terminating nul.
template <size_t N> char *put(char *p, const char (&text)[N])
{
    return std::copy_n(text, N - 1, p);
}

char *escapedByte(char *p, unsigned char byte)
{
    *p++ = '\\';
    *p++ = byte == '\r' ? 'r' : char(byte);
    return p;
}

// The face subsets glyph g, which first stood for cp.
void markUsed(Face &f, quint32 g, char32_t cp)
{
    if (!f.used[g]) {
        f.used[g] = true;
        if (cp >= 32 && g != 0) // .notdef stands for no character in particular
            f.unicode[g] = cp;
    }
}

LatinGlyph latinGlyph(Face &f, char32_t cp)
{
    const quint32 g = f.glyph(cp);
    markUsed(f, g, cp);
    return LatinGlyph{f.width(g), g, !f.wide && g < kOneByteGlyphs && !kEscaped[g]};
}

// A glyph's code in a literal string, its bytes escaped where they must be.
char *putCode(char *p, quint32 g, bool wide)
{
    const GlyphCode code = glyphCode(g, wide);
    for (int i = 0; i < code.length; ++i) {
        const unsigned char byte = code.bytes[size_t(i)];
        p = kEscaped[byte] ? escapedByte(p, byte) : (*p = char(byte), p + 1);
    }
    return p;
}

} // namespace

void PdfWriter::text(const TextRun &run)
{
    if (!d->inPage || run.text.isEmpty())
        return;
    Face *f = d->runFace(run.face);
    if (!f) {
        d->unsupported = true;
        return;
    }
    Content &c = d->content;
    const double size = run.em;
    const double sx = run.scale.width();
    const double ax = run.anchor.x();
    const double atX = ax + truncated(run.start.x() * sx * kGrid) / kGrid;
    const double atY = run.anchor.y() + truncated(run.start.y() * run.scale.height() * kGrid) / kGrid;
    // One text array per run (a cell): text extraction reads a row merged
    // into one array differently. Consecutive runs share the text object.
    if (!d->inText) {
        c.append("BT\n0.015625 0 0 -0.015625 0 0 Tm\n");
        d->inText = true;
        d->lineX = d->lineY = 0;
    }
    if (d->textFace != f || d->textSize != size) {
        c.append("/F");
        appendInt(c, f->number);
        c.push_back(' ');
        char *q = c.tail(32);
        c.setEnd(d->numbers.write(q, scaledToInt(size * kGrid, kMoveScale), kMoveDecimals));
        c.append(" Tf\n");
        d->textFace = f;
        d->textSize = size;
    }
    d->setFill(run.color);

    // Written in place: the move to the run, then at most a shift, two
    // parentheses and two escaped bytes a glyph.
    const qsizetype n = run.text.size();
    char *p = c.tail(80 + size_t(n) * 40);
    // The rounded numbers are where the line really starts.
    const long long dx = scaledToInt((atX - d->lineX) * kGrid, kMoveScale),
                    dy = scaledToInt((atY - d->lineY) * kGrid, kMoveScale);
    p = d->numbers.write(p, dx, kMoveDecimals);
    *p++ = ' ';
    p = d->numbers.write(p, -dy, kMoveDecimals);
    p = put(p, " Td(");
    // A run placed by the font's advances alone is a string; the array it
    // becomes at its first shift opens where the string does.
    char *const open = p - 1;
    bool inArray = false;
    d->lineX += double(dx) / kMoveScale / kGrid;
    d->lineY += double(dy) / kMoveScale / kGrid;
    double penX = d->lineX;
    const ShiftUnit unit = shiftUnit(size);

    bool inString = true;
    char *stringStart = p;
    double offset = run.start.x(); // of the next glyph from the anchor, device pixels
    const QChar *chars = run.text.data();
    LatinGlyphs &latin = *d->latin[size_t(f->number - 1)];
    const double *advances = run.advances.data();
    if (run.advances.size() < size_t(n)) { // a glyph without an advance steps by 0
        d->advances.assign(size_t(n), 0);
        std::copy(run.advances.begin(), run.advances.end(), d->advances.begin());
        advances = d->advances.data();
    }
    // Multiplying by 64 is exact: the grid places as offset * sx on it would.
    const double gridScale = sx * kGrid;
    const double perMille = size / 1000;
    for (qsizetype i = 0; i < n; ++i) {
        // Most glyphs: Latin ones seen before, where the font's advances
        // put them, with nothing to escape.
        for (; i < n; ++i) {
            const char16_t c16 = chars[i].unicode();
            if (c16 >= 256)
                break;
            const LatinGlyph &l = latin[c16];
            if (!l.plain)
                break;
            const double target = ax + truncated(offset * gridScale) / kGrid;
            if (std::abs(target - penX) > kPlacementTolerance)
                break;
            *p++ = char(l.glyph);
            penX += l.width * perMille;
            offset += advances[i];
        }
        if (i == n)
            break;
        // Any other, and a shift before it where it is needed.
        char32_t cp = chars[i].unicode();
        double advance = advances[i];
        if (QChar::isHighSurrogate(cp) && i + 1 < n && chars[i + 1].isLowSurrogate()) {
            cp = QChar::surrogateToUcs4(chars[i], chars[i + 1]);
            ++i;
            advance += advances[i];
        }
        quint32 g = 0;
        double width = 0;
        if (cp < 256) {
            LatinGlyph &l = latin[cp];
            if (l.width < 0)
                l = latinGlyph(*f, cp);
            g = l.glyph;
            width = l.width;
        } else {
            g = f->glyph(cp);
            markUsed(*f, g, cp);
            width = f->widths[g] >= 0 ? f->widths[g] : f->width(g);
        }
        const double target = ax + truncated(offset * gridScale) / kGrid;
        if (std::abs(target - penX) > kPlacementTolerance) {
            const long long shift = scaledToInt((penX - target) / perMille, unit.scale);
            if (shift != 0) {
                if (!inArray) {
                    std::memmove(open + 1, open, size_t(p - open));
                    *open = '[';
                    ++p;
                    ++stringStart;
                    inArray = true;
                }
                if (p == stringStart)
                    --p; // the string has no glyph yet: the shift goes first
                else if (inString)
                    *p++ = ')';
                inString = false;
                p = d->numbers.write(p, shift, unit.decimals);
                penX -= double(shift) / unit.scale * perMille;
            }
        }
        if (!inString) {
            *p++ = '(';
            stringStart = p;
        }
        inString = true;
        p = putCode(p, g, f->wide);
        penX += width * perMille;
        offset += advance;
    }
    p = inArray ? put(p, ")]TJ\n") : put(p, ")Tj\n");
    c.setEnd(p);
}

void PdfWriter::image(const QRectF &target, const QImage &image, const QRect &source, const QByteArray &jpeg)
{
    if (!d->inPage || image.isNull() || source.isEmpty())
        return;
    d->endText();
    // The page's JPEG goes in as it is when it is the picture drawn.
    std::optional<JpegFrame> frame;
    if (!jpeg.isEmpty() && source == image.rect())
        frame = jpegFrame(jpeg);
    if (frame && (frame->width != image.width() || frame->height != image.height()))
        frame.reset();
    QImage rgb;
    QByteArray pixels;
    if (!frame) {
        rgb = (source == image.rect() ? image : image.copy(source)).convertToFormat(QImage::Format_RGB888);
        if (rgb.isNull())
            return;
        pixels.reserve(qsizetype(rgb.width()) * 3 * rgb.height());
        for (int y = 0; y < rgb.height(); ++y)
            pixels.append(reinterpret_cast<const char *>(rgb.constScanLine(y)), qsizetype(rgb.width()) * 3);
    }
    const ImageKey key{frame ? qHash(jpeg) : qHash(pixels), frame ? -frame->width : rgb.width(),
                       frame ? frame->height : rgb.height()};
    auto it = d->images.constFind(key);
    int number = 0;
    if (it != d->images.constEnd()) {
        number = *it;
    } else {
        const int object = d->reserve();
        QByteArray dict(" /Type /XObject /Subtype /Image /Width ");
        appendInt(dict, frame ? frame->width : rgb.width());
        dict.append(" /Height ");
        appendInt(dict, frame ? frame->height : rgb.height());
        dict.append(frame && frame->components == 1 ? " /ColorSpace /DeviceGray" : " /ColorSpace /DeviceRGB");
        dict.append(" /BitsPerComponent 8");
        if (frame)
            d->rawStream(object, jpeg, dict + " /Filter /DCTDecode");
        else
            d->stream(object, pixels.constData(), pixels.size(), dict);
        d->imageObjects.push_back(object);
        number = int(d->imageObjects.size());
        d->images.insert(key, number);
    }
    Content &c = d->content;
    c.append("q ");
    appendNumber(c, target.width());
    c.append(" 0 0 ");
    appendNumber(c, -target.height());
    c.push_back(' ');
    appendNumber(c, target.left());
    c.push_back(' ');
    appendNumber(c, target.bottom());
    c.append(" cm /Im");
    appendInt(c, number);
    c.append(" Do Q\n");
}

QByteArray PdfWriter::finish()
{
    if (d->finished)
        return d->out;
    d->finished = true;
    endPage();
    Encodings encodings;
    for (const auto &f : d->faces)
        writeFont(*d, *f, encodings);

    QByteArray &out = d->out;
    d->begin(kResources);
    out.append("<< /ProcSet [/PDF /Text /ImageC] /Font <<");
    for (const auto &f : d->faces) {
        out.append(" /F");
        appendInt(out, f->number);
        out.append(' ');
        appendInt(out, f->object);
        out.append(" 0 R");
    }
    out.append(" >> /XObject <<");
    for (size_t i = 0; i < d->imageObjects.size(); ++i) {
        out.append(" /Im");
        appendInt(out, qint64(i) + 1);
        out.append(' ');
        appendInt(out, d->imageObjects[i]);
        out.append(" 0 R");
    }
    out.append(" >> >>");
    d->end();

    d->begin(kPages);
    out.append("<< /Type /Pages /Kids [");
    for (int p : d->pages) {
        out.append(' ');
        appendInt(out, p);
        out.append(" 0 R");
    }
    out.append(" ] /Count ");
    appendInt(out, qint64(d->pages.size()));
    out.append(" >>");
    d->end();

    d->begin(kCatalog);
    out.append("<< /Type /Catalog /Pages 2 0 R >>");
    d->end();

    d->begin(kInfo);
    out.append("<< /Title ");
    appendTextString(out, d->title);
    out.append(" /Creator ");
    appendTextString(out, d->creator);
    out.append(" /Producer ");
    appendTextString(out, QStringLiteral("Accrua"));
    out.append(" >>");
    d->end();

    const qint64 xref = out.size();
    out.append("xref\n0 ");
    appendInt(out, qint64(d->offsets.size()));
    out.append("\n0000000000 65535 f \n");
    for (size_t i = 1; i < d->offsets.size(); ++i) {
        QByteArray entry = QByteArray::number(d->offsets[i]).rightJustified(10, '0');
        out.append(entry);
        out.append(" 00000 n \n");
    }
    out.append("trailer\n<< /Size ");
    appendInt(out, qint64(d->offsets.size()));
    out.append(" /Root 1 0 R /Info 4 0 R >>\nstartxref\n");
    appendInt(out, xref);
    out.append("\n%%EOF\n");
    return out;
}

} // namespace accrua::engine::pdf
