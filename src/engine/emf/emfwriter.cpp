#include "engine/emf/emfwriter.h"
#include "engine/emf/pagesize.h"
#include "engine/emf/records.h"
#include "engine/emf/rounding.h"
#include "engine/emf/textmetrics.h"

#include <QPainter>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <vector>

namespace accrua::engine::emf {

using namespace records;

namespace {

// Logical unit: 1/1440 inch, 15 per page pixel, so positions keep sub-pixel
// precision. The reference device is the page itself at 96 dots per inch.
constexpr double kTwipsPerPixel = 15.0;
constexpr double kMicrometresPerPixel = 25400.0 / 96.0;
// Pictures are stored at no more than 300 dpi of the area they fill.
constexpr double kMaxPictureScale = 300.0 / 96.0;

constexpr double kMaxTwips = 1.0e9;

qint32 twips(double px)
{
    const double v = px * kTwipsPerPixel;
    if (std::fabs(v) < kMaxTwips)
        return qint32(roundHalfAway(v));
    if (v >= kMaxTwips)
        return qint32(kMaxTwips);
    if (v <= -kMaxTwips)
        return -qint32(kMaxTwips);
    return 0; // NaN
}

// floor(v) kept within 0..last.
qint32 floorWithin(double v, int last)
{
    if (!(v > 0))
        return 0;
    if (v >= last)
        return last;
    return qint32(v);
}

// ceil(v) - 1 kept within 0..last: the last pixel an edge at v still covers.
qint32 lastPixelWithin(double v, int last)
{
    if (!(v > 1))
        return 0;
    if (v >= double(last) + 1)
        return last;
    const qint32 t = qint32(v);
    return double(t) == v ? t - 1 : t;
}

// The edges of a rectangle as QRectF::normalized() gives them.
struct Edges {
    double left, top, right, bottom;
};

Edges edgesOf(const QRectF &r)
{
    double x = r.x();
    double y = r.y();
    double w = r.width();
    double h = r.height();
    if (w < 0) {
        x += w;
        w = -w;
    }
    if (h < 0) {
        y += h;
        h = -h;
    }
    return {x, y, x + w, y + h};
}

// a.united(b) when both have a size and neither is turned over, the case of
// every text run, without the library calls.
QRectF united(const QRectF &a, const QRectF &b)
{
    const auto plain = [](const QRectF &r) {
        return r.width() >= 0 && r.height() >= 0 && (r.width() > 0 || r.height() > 0);
    };
    if (!plain(a) || !plain(b))
        return a.united(b);
    const double left = qMin(a.x(), b.x());
    const double right = qMax(a.x() + a.width(), b.x() + b.width());
    const double top = qMin(a.y(), b.y());
    const double bottom = qMax(a.y() + a.height(), b.y() + b.height());
    return {left, top, right - left, bottom - top};
}

quint32 colorOf(const QColor &c)
{
    const QColor rgb = c.toRgb();
    return colorRef(quint8(rgb.red()), quint8(rgb.green()), quint8(rgb.blue()));
}

// Room for the next page this thread starts, up to a bound: as much as the
// larger of its recent pages took, with some to spare, so that a page of the
// same report seldom outgrows its buffer (each growth copies the page so far)
// and a short last page does not shrink the room of the next report's pages.
// The room left unused is given back when the page is finished.
thread_local qsizetype pageRoom = 0;
constexpr qsizetype kMaxPageRoom = qsizetype(4) << 20;

struct PenKey {
    quint32 color;
    qint32 width;
    friend bool operator==(const PenKey &, const PenKey &) = default;
};

} // namespace

struct EmfWriter::Impl {
    Sink buf;
    quint32 records = 0;
    bool finished = false;
    int pageW = 0; // device pixels
    int pageH = 0;
    QSizeF pageSize;

    std::vector<bool> used{true}; // index 0 is the metafile itself
    quint32 maxIndex = 0;

    std::optional<FontSpec> font;
    double fontHeight = 0; // TextMetrics::height(*font)
    quint32 fontIndex = 0;
    std::optional<PenKey> pen; // nullopt: the null pen is selected
    bool penKnown = false;
    quint32 penIndex = 0;
    std::optional<quint32> brush; // colour; nullopt: the null brush
    bool brushKnown = false;
    quint32 brushIndex = 0;
    std::optional<quint32> textAlign;
    std::optional<quint32> textColor;
    bool stretchModeSet = false;
    // Most runs of a page share one colour. An RGB colour's reference
    // depends on its channels alone, which rgba64() gives as they are kept.
    bool lastColorKnown = false;
    quint64 lastRgba64 = 0;
    quint32 lastColorRef = 0;

    quint32 colorRefOf(const QColor &c)
    {
        if (c.spec() != QColor::Rgb)
            return colorOf(c);
        const quint64 channels = c.rgba64();
        if (!lastColorKnown || channels != lastRgba64) {
            lastColorKnown = true;
            lastRgba64 = channels;
            lastColorRef = colorOf(c);
        }
        return lastColorRef;
    }

    quint32 allocate()
    {
        for (quint32 i = 1; i < used.size(); ++i) {
            if (!used[i]) {
                used[i] = true;
                return i;
            }
        }
        used.push_back(true);
        const quint32 i = quint32(used.size() - 1);
        maxIndex = std::max(maxIndex, i);
        return i;
    }

    // Starts a record; the caller writes the body, then end() patches the size.
    qsizetype begin(quint32 type)
    {
        const qsizetype at = buf.size;
        Writer w(buf);
        w.u32(type);
        w.u32(0);
        return at;
    }
    void end(qsizetype at)
    {
        Writer(buf).pad4();
        patchU32(buf, at + 4, quint32(buf.size - at));
        ++records;
    }
    void simple(quint32 type, std::initializer_list<quint32> values)
    {
        const qsizetype at = begin(type);
        Writer w(buf);
        for (quint32 v : values)
            w.u32(v);
        end(at);
    }

    // Inclusive device bounds, clipped to the page.
    void deviceRect(char *p, const QRectF &px) const
    {
        const Edges e = edgesOf(px);
        storeU32(p, quint32(floorWithin(e.left, pageW - 1)));
        storeU32(p + 4, quint32(floorWithin(e.top, pageH - 1)));
        storeU32(p + 8, quint32(lastPixelWithin(e.right, pageW - 1)));
        storeU32(p + 12, quint32(lastPixelWithin(e.bottom, pageH - 1)));
    }
    void deviceRect(Writer &, const QRectF &px) { deviceRect(buf.grow(16), px); }
    static void logicalRect(char *p, const QRectF &px)
    {
        const Edges e = edgesOf(px);
        storeU32(p, quint32(twips(e.left)));
        storeU32(p + 4, quint32(twips(e.top)));
        storeU32(p + 8, quint32(twips(e.right)));
        storeU32(p + 12, quint32(twips(e.bottom)));
    }
    void logicalRect(Writer &, const QRectF &px) { logicalRect(buf.grow(16), px); }

    void selectFont(const FontSpec &f)
    {
        if (!font || !(*font == f))
            createFont(f);
    }
    void createFont(const FontSpec &f)
    {
        const quint32 index = allocate();
        // The record in one step, zeros first: LOGFONTW in the LogFontPanose
        // form, which readers expect in full.
        char *p = buf.grow(kFontRecordSize);
        std::memset(p, 0, kFontRecordSize);
        storeU32(p, EMR_EXTCREATEFONTINDIRECTW);
        storeU32(p + 4, kFontRecordSize);
        storeU32(p + 8, index);
        // A negative height is the character (em) height; width, escapement
        // and orientation stay 0.
        storeU32(p + 12, quint32(-twips(f.pointSize * 96.0 / 72.0)));
        storeU32(p + 28, f.bold ? 700 : 400); // weight
        p[32] = char(f.italic ? 1 : 0);
        p[35] = 1; // DEFAULT_CHARSET; precision, quality and pitch stay 0
        qToLittleEndian<quint16>(f.family.constData(), std::min<qsizetype>(f.family.size(), 31), p + 40);
        ++records;
        simple(EMR_SELECTOBJECT, {index});
        if (fontIndex) {
            simple(EMR_DELETEOBJECT, {fontIndex});
            used[fontIndex] = false;
        }
        fontIndex = index;
        font = f;
        fontHeight = TextMetrics::height(f);
    }

    void selectPen(const PenSpec &p)
    {
        std::optional<PenKey> want;
        if (!p.null && p.color.alpha() != 0)
            want = PenKey{colorOf(p.color), std::max(0, twips(std::max(0.0, p.width)))};
        if (penKnown && want == pen)
            return;
        penKnown = true;
        pen = want;
        if (!want) {
            simple(EMR_SELECTOBJECT, {NULL_PEN});
            if (penIndex) {
                simple(EMR_DELETEOBJECT, {penIndex});
                used[penIndex] = false;
                penIndex = 0;
            }
            return;
        }
        const quint32 index = allocate();
        // LOGPEN: style, width as a point (x used), colour.
        simple(EMR_CREATEPEN, {index, PS_SOLID, quint32(want->width), 0, want->color});
        simple(EMR_SELECTOBJECT, {index});
        if (penIndex) {
            simple(EMR_DELETEOBJECT, {penIndex});
            used[penIndex] = false;
        }
        penIndex = index;
    }

    void selectBrush(const BrushSpec &b)
    {
        std::optional<quint32> want;
        if (!b.null && b.color.alpha() != 0)
            want = colorOf(b.color);
        if (brushKnown && want == brush)
            return;
        brushKnown = true;
        brush = want;
        if (!want) {
            simple(EMR_SELECTOBJECT, {NULL_BRUSH});
            if (brushIndex) {
                simple(EMR_DELETEOBJECT, {brushIndex});
                used[brushIndex] = false;
                brushIndex = 0;
            }
            return;
        }
        const quint32 index = allocate();
        simple(EMR_CREATEBRUSHINDIRECT, {index, BS_SOLID, *want, 0});
        simple(EMR_SELECTOBJECT, {index});
        if (brushIndex) {
            simple(EMR_DELETEOBJECT, {brushIndex});
            used[brushIndex] = false;
        }
        brushIndex = index;
    }
};

EmfWriter::EmfWriter(QSizeF pageSize, const QString &description) : d(std::make_unique<Impl>())
{
    if (!pageSize.isValid() || !std::isfinite(pageSize.width()) || !std::isfinite(pageSize.height()))
        pageSize = kLetterPage;
    pageSize =
        QSizeF(std::clamp(pageSize.width(), 1.0, 100000.0), std::clamp(pageSize.height(), 1.0, 100000.0));
    d->pageSize = pageSize;
    d->pageW = std::max(1, int(std::lround(pageSize.width())));
    d->pageH = std::max(1, int(std::lround(pageSize.height())));
    d->buf.bytes.resize(pageRoom);

    // Header record, 108-byte form followed by the description; the sizes,
    // counts and bounds are patched in finish().
    const qsizetype at = d->begin(EMR_HEADER);
    Writer w(d->buf);
    w.zeros(16); // rclBounds
    w.i32(0);    // rclFrame, 0.01 mm
    w.i32(0);
    w.i32(qint32(std::lround(pageSize.width() * kMicrometresPerPixel / 10.0)));
    w.i32(qint32(std::lround(pageSize.height() * kMicrometresPerPixel / 10.0)));
    w.u32(kSignature);
    w.u32(kVersion);
    w.u32(0); // nBytes
    w.u32(0); // nRecords
    w.u16(0); // nHandles
    w.u16(0); // reserved
    QString desc = description;
    desc.remove(QChar(0));
    desc = desc.left(1000);
    const quint32 nDesc = desc.isEmpty() ? 0 : quint32(desc.size() + 2);
    w.u32(nDesc);
    w.u32(nDesc ? kHeaderFullSize : 0);
    w.u32(0); // nPalEntries
    w.i32(d->pageW);
    w.i32(d->pageH);
    w.i32(qint32(std::lround(pageSize.width() * kMicrometresPerPixel / 1000.0)));
    w.i32(qint32(std::lround(pageSize.height() * kMicrometresPerPixel / 1000.0)));
    w.u32(0); // cbPixelFormat
    w.u32(0); // offPixelFormat
    w.u32(0); // bOpenGL
    w.i32(qint32(std::lround(pageSize.width() * kMicrometresPerPixel)));
    w.i32(qint32(std::lround(pageSize.height() * kMicrometresPerPixel)));
    if (nDesc) {
        for (QChar c : desc)
            w.u16(c.unicode());
        w.u16(0);
        w.u16(0);
    }
    d->end(at);

    d->simple(EMR_SETMAPMODE, {MM_ANISOTROPIC});
    d->simple(EMR_SETWINDOWEXTEX, {quint32(twips(pageSize.width())), quint32(twips(pageSize.height()))});
    d->simple(EMR_SETVIEWPORTEXTEX, {quint32(d->pageW), quint32(d->pageH)});
    d->simple(EMR_SETBKMODE, {TRANSPARENT});
}

EmfWriter::~EmfWriter() = default;

void EmfWriter::drawText(const QRectF &rect, HAlign align, const FontSpec &font, const QString &text,
                         const QColor &color)
{
    drawText(rect, align, font, text, color, TextMetrics::advances(font, text.left(kMaxTextRun)));
}

void EmfWriter::drawText(const QRectF &rect, HAlign align, const FontSpec &font, const QString &text,
                         const QColor &color, const QVector<double> &advances, std::optional<double> width)
{
    // An empty or inverted box still places the text; only nonsense is dropped.
    if (d->finished || text.isEmpty() || !std::isfinite(rect.left()) || !std::isfinite(rect.top()) ||
        !std::isfinite(rect.right()) || !std::isfinite(rect.bottom()))
        return;
    const qsizetype n = std::min(text.size(), kMaxTextRun);
    d->selectFont(font);
    const quint32 wantColor = d->colorRefOf(color);
    if (d->textColor != wantColor) {
        d->simple(EMR_SETTEXTCOLOR, {wantColor});
        d->textColor = wantColor;
    }
    // The reference point carries the alignment, so readers that ignore the
    // advances still line right-aligned columns up.
    quint32 ta = 0;
    double refX = rect.left();
    if (align == HAlign::Center) {
        ta = TA_CENTER;
        refX = rect.center().x();
    } else if (align == HAlign::Right) {
        ta = TA_RIGHT;
        refX = rect.right();
    }
    if (d->textAlign != ta) {
        d->simple(EMR_SETTEXTALIGN, {ta});
        d->textAlign = ta;
    }

    if (advances.size() < n)
        return; // not the advances of this text
    const double *adv = advances.constData();
    double widthPx = 0;
    if (width && advances.size() == n) {
        widthPx = *width;
    } else {
        for (qsizetype i = 0; i < n; ++i)
            widthPx += adv[i];
    }
    double x0 = refX;
    if (align == HAlign::Center)
        x0 = refX - widthPx / 2;
    else if (align == HAlign::Right)
        x0 = refX - widthPx;
    const QRectF inked(x0, rect.top(), widthPx, d->fontHeight);

    // The whole record in one step: fixed part, characters, advances.
    const quint32 nChars = quint32(n);
    const quint32 stringBytes = (nChars * 2 + 3) & ~3u;
    const quint32 size = 76 + stringBytes + nChars * 4;
    char *p = d->buf.grow(size);
    storeU32(p, EMR_EXTTEXTOUTW);
    storeU32(p + 4, size);
    d->deviceRect(p + 8, united(inked, rect));
    storeU32(p + 24, 1);                                                     // GM_COMPATIBLE
    const float scale = float(kMicrometresPerPixel / 10.0 / kTwipsPerPixel); // 0.01 mm per twip
    quint32 scaleBits;
    std::memcpy(&scaleBits, &scale, sizeof scaleBits);
    storeU32(p + 28, scaleBits);
    storeU32(p + 32, scaleBits);
    storeU32(p + 36, quint32(twips(refX)));
    storeU32(p + 40, quint32(twips(rect.top())));
    storeU32(p + 44, nChars);
    storeU32(p + 48, 76); // offString
    storeU32(p + 52, 0);  // options: the rectangle is carried but neither clips nor fills
    d->logicalRect(p + 56, rect);
    storeU32(p + 72, 76 + stringBytes); // offDx
    char *chars = p + 76;
    qToLittleEndian<quint16>(text.constData(), n, chars);
    if (stringBytes != 2 * nChars) { // an odd count: two bytes of padding
        chars[2 * n] = 0;
        chars[2 * n + 1] = 0;
    }
    char *dx = chars + stringBytes;
    double total = 0;
    qint32 placed = 0;
    // Rounded from the running total so no error accumulates along the run.
    for (qsizetype i = 0; i < n; ++i) {
        total += adv[i];
        const qint32 next = twips(total);
        storeU32(dx + 4 * i, quint32(next - placed));
        placed = next;
    }
    ++d->records;
}

void EmfWriter::drawRect(const QRectF &rect, const PenSpec &pen, const BrushSpec &brush)
{
    if (d->finished || !rect.isValid())
        return;
    const bool noPen = pen.null || pen.color.alpha() == 0;
    const bool noBrush = brush.null || brush.color.alpha() == 0;
    if (noPen && noBrush)
        return;
    d->selectPen(pen);
    d->selectBrush(brush);
    const qsizetype at = d->begin(EMR_RECTANGLE);
    Writer w(d->buf);
    d->logicalRect(w, rect);
    d->end(at);
}

void EmfWriter::drawPolyline(const QPolygonF &points, const PenSpec &pen)
{
    if (d->finished || points.size() < 2 || pen.null || pen.color.alpha() == 0)
        return;
    d->selectPen(pen);
    const qsizetype at = d->begin(EMR_POLYLINE);
    Writer w(d->buf);
    d->deviceRect(w, points.boundingRect().adjusted(0, 0, 1, 1));
    w.u32(quint32(points.size()));
    for (const QPointF &p : points) {
        w.i32(twips(p.x()));
        w.i32(twips(p.y()));
    }
    d->end(at);
}

void EmfWriter::drawImage(const QRectF &target, const QImage &image, const QByteArray &jpeg)
{
    if (d->finished || image.isNull() || !target.isValid())
        return;
    // Keep pages small: a camera picture is reduced to what the area can show.
    const int maxW = std::max(1, int(std::ceil(target.width() * kMaxPictureScale)));
    const int maxH = std::max(1, int(std::ceil(target.height() * kMaxPictureScale)));
    QImage src = image;
    if (src.width() > maxW || src.height() > maxH)
        src = src.scaled(std::min(src.width(), maxW), std::min(src.height(), maxH), Qt::IgnoreAspectRatio,
                         Qt::SmoothTransformation);
    // Transparent parts land on the white paper.
    QImage flat(src.size(), QImage::Format_RGB32);
    if (flat.isNull())
        return;
    flat.fill(Qt::white);
    {
        QPainter p(&flat);
        p.drawImage(0, 0, src);
    }
    const int w = flat.width();
    const int h = flat.height();
    const quint32 stride = (quint32(w) * 3 + 3) & ~3u;
    const quint32 bitsSize = stride * quint32(h);

    if (!d->stretchModeSet) {
        d->simple(EMR_SETSTRETCHBLTMODE, {4}); // HALFTONE
        d->stretchModeSet = true;
    }
    if (!jpeg.isEmpty() && src.size() == image.size() && jpeg.size() < qsizetype{64} * 1024 * 1024) {
        const qsizetype comment = d->begin(EMR_GDICOMMENT);
        Writer cw(d->buf);
        cw.u32(quint32(jpeg.size() + 4)); // cbData
        cw.bytes(kJpegComment, 4);
        cw.bytes(jpeg.constData(), jpeg.size());
        d->end(comment);
    }
    const qsizetype at = d->begin(EMR_STRETCHDIBITS);
    Writer wr(d->buf);
    d->deviceRect(wr, target);
    const QRectF t = target.normalized();
    wr.i32(twips(t.left()));
    wr.i32(twips(t.top()));
    wr.i32(0);        // xSrc
    wr.i32(0);        // ySrc
    wr.i32(w);        // cxSrc
    wr.i32(h);        // cySrc
    wr.u32(80);       // offBmiSrc
    wr.u32(40);       // cbBmiSrc
    wr.u32(120);      // offBitsSrc
    wr.u32(bitsSize); // cbBitsSrc
    wr.u32(DIB_RGB_COLORS);
    wr.u32(SRCCOPY);
    wr.i32(twips(t.right()) - twips(t.left()));
    wr.i32(twips(t.bottom()) - twips(t.top()));
    // BITMAPINFOHEADER: 24-bit, uncompressed, bottom-up.
    wr.u32(40);
    wr.i32(w);
    wr.i32(h);
    wr.u16(1);
    wr.u16(24);
    wr.u32(BI_RGB);
    wr.u32(bitsSize);
    wr.i32(3780); // 96 dpi in pixels per metre
    wr.i32(3780);
    wr.u32(0);
    wr.u32(0);
    for (int y = h - 1; y >= 0; --y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(flat.constScanLine(y));
        char *out = d->buf.grow(stride);
        std::memset(out + qsizetype(w) * 3, 0, stride - size_t(w) * 3);
        for (qsizetype x = 0; x < w; ++x) {
            out[x * 3] = char(qBlue(line[x]));
            out[x * 3 + 1] = char(qGreen(line[x]));
            out[x * 3 + 2] = char(qRed(line[x]));
        }
    }
    d->end(at);
}

QByteArray EmfWriter::finish()
{
    if (d->finished)
        return d->buf.bytes;
    d->finished = true;
    // EMR_EOF: no palette; nSizeLast repeats the record size.
    d->simple(EMR_EOF, {0, 16, 20});

    // The bounds cover the whole page so that every reader scales the page
    // the same way, whatever was drawn on it.
    Sink &s = d->buf;
    patchU32(s, 8, 0);
    patchU32(s, 12, 0);
    patchU32(s, 16, quint32(d->pageW - 1));
    patchU32(s, 20, quint32(d->pageH - 1));
    patchU32(s, 48, quint32(s.size));
    patchU32(s, 52, d->records);
    pageRoom = std::min(std::max(s.size + s.size / 8, pageRoom - pageRoom / 16), kMaxPageRoom);
    QByteArray &b = s.bytes;
    b.truncate(s.size);
    b.squeeze(); // pages are kept by the hundred: no room grown ahead
    const quint32 handles = std::min<quint32>(d->maxIndex + 1, 0xFFFF);
    b[56] = char(handles & 0xFF);
    b[57] = char((handles >> 8) & 0xFF);
    return b;
}

} // namespace accrua::engine::emf
