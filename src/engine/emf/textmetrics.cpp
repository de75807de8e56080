#include "engine/emf/textmetrics.h"

#include "engine/fonts/locate.h"

#include <QFont>
#include <QHash>

#include <array>
#include <cmath>
#include <limits>
#include <unordered_map>

namespace accrua::engine::emf {

namespace {

// Advances are taken from unhinted design metrics at a large size and scaled,
// so they do not depend on the screen, its dpi or the hinting settings.
constexpr int kReferencePixels = 2048;
constexpr double kPixelsPerPoint = 96.0 / 72.0;
constexpr int kMaxCachedSizes = 64;

struct FaceKey {
    QString family;
    bool bold;
    bool italic;
    friend bool operator==(const FaceKey &, const FaceKey &) = default;
};

size_t qHash(const FaceKey &k, size_t seed = 0)
{
    return qHashMulti(seed, k.family, k.bold, k.italic);
}

struct Face {
    FaceKey key;
    TextMetrics::FileFace direct; // read from its file, or
    QRawFont raw; // Qt's, at kReferencePixels: for a face that could not be read, or for drawing
    bool rawLoaded = false;
    std::array<double, 256> latin;                // in ems; NaN: not yet known
    std::unordered_map<char32_t, double> advance; // the other code points, in ems
    double ascent = 0;                            // in ems
    double descent = 0;
};

struct SizedKey {
    FaceKey face;
    double pixels;
    friend bool operator==(const SizedKey &, const SizedKey &) = default;
};

size_t qHash(const SizedKey &k, size_t seed = 0)
{
    return qHashMulti(seed, k.face, k.pixels);
}

FaceKey keyOf(const FontSpec &font)
{
    return {TextMetrics::resolvedFamily(font.family), font.bold, font.italic};
}

Face loadFace(const FaceKey &key);

// Fonts are per thread: the layout may run on a worker thread while the
// page view plays pages on the user-interface thread.
struct Faces {
    QHash<FaceKey, Face> all;
    RecentStyles<Face> recent;

    Face &insert(const FaceKey &key, Face face)
    {
        Face &f = *all.emplace(key, std::move(face));
        // QHash keeps its values in place until it grows, which it may just
        // have done: the faces remembered before may have moved.
        recent.clear();
        return f;
    }
};

Faces &threadFaces()
{
    thread_local Faces faces;
    return faces;
}

Face &face(const FontSpec &font)
{
    Faces &t = threadFaces();
    if (Face *f = t.recent.find(font))
        return *f;
    const FaceKey key = keyOf(font);
    auto it = t.all.find(key);
    Face &f = it != t.all.end() ? *it : t.insert(key, loadFace(key));
    t.recent.remember(font, &f);
    return f;
}

QRawFont qtFace(const FaceKey &key)
{
    QFont qf(key.family);
    qf.setPixelSize(kReferencePixels);
    qf.setBold(key.bold);
    qf.setItalic(key.italic);
    qf.setHintingPreference(QFont::PreferNoHinting);
    qf.setKerning(false);
    qf.setStyleStrategy(QFont::StyleStrategy(QFont::NoFontMerging | QFont::PreferOutline));
    QRawFont raw = QRawFont::fromFont(qf);
    if (raw.isValid())
        raw.setPixelSize(kReferencePixels);
    return raw;
}

// The face fontconfig chooses, read from its file; null when it cannot be.
TextMetrics::FileFace fromFile(const FaceKey &key)
{
    const auto where = fonts::locate(key.family, key.bold, key.italic);
    auto file = where ? fonts::FontFile::open(where->path, where->index) : std::nullopt;
    auto metrics = file ? fonts::FaceMetrics::load(*file) : std::nullopt;
    if (!metrics)
        return {};
    return {std::make_shared<const fonts::FontFile>(*std::move(file)),
            std::make_shared<const fonts::FaceMetrics>(*std::move(metrics))};
}

// A face measured from what its file gave (direct.metrics), or, without
// them, by nothing yet.
Face faceOf(const FaceKey &key, TextMetrics::FileFace direct)
{
    Face f;
    f.key = key;
    f.latin.fill(std::numeric_limits<double>::quiet_NaN());
    f.direct = std::move(direct);
    if (f.direct.metrics) {
        f.ascent = f.direct.metrics->ascentEm();
        f.descent = f.direct.metrics->descentEm();
    }
    return f;
}

Face loadFace(const FaceKey &key)
{
    // Reading the face from its file spares Qt's font database, whose
    // start-up costs more than a short report.
    Face f = faceOf(key, fromFile(key));
    if (f.direct.metrics)
        return f;
    f.raw = qtFace(key);
    f.rawLoaded = true;
    if (f.raw.isValid()) {
        f.ascent = f.raw.ascent() / kReferencePixels;
        f.descent = f.raw.descent() / kReferencePixels;
    } else {
        // No usable face at all: keep layout going with plausible numbers.
        f.ascent = 0.905;
        f.descent = 0.212;
    }
    return f;
}

double advanceEm(Face &f, char32_t cp)
{
    if (cp < f.latin.size() && !std::isnan(f.latin[cp]))
        return f.latin[cp];
    auto it = f.advance.find(cp);
    if (it != f.advance.end())
        return it->second;
    double em = 0.5;
    if (f.direct.metrics) {
        em = f.direct.metrics->advanceEm(f.direct.metrics->glyph(cp));
    } else if (f.raw.isValid()) {
        QString s = QString::fromUcs4(&cp, 1);
        const QList<quint32> glyphs = f.raw.glyphIndexesForString(s);
        if (!glyphs.isEmpty()) {
            const QList<QPointF> adv = f.raw.advancesForGlyphIndexes(glyphs, QRawFont::UseDesignMetrics);
            em = 0;
            for (const QPointF &a : adv)
                em += a.x();
            em /= kReferencePixels;
        }
    }
    if (cp < f.latin.size())
        f.latin[cp] = em;
    else if (f.advance.size() < 65536)
        f.advance.emplace(cp, em);
    return em;
}

double emPixels(const FontSpec &font)
{
    const double pt = std::isfinite(font.pointSize) && font.pointSize > 0 ? font.pointSize : 0;
    return pt * kPixelsPerPoint;
}

} // namespace

QString TextMetrics::resolvedFamily(const QString &family)
{
    QString f = family.trimmed();
    if (f.compare(QLatin1String("Arial"), Qt::CaseInsensitive) == 0 ||
        f.compare(QLatin1String("Helvetica"), Qt::CaseInsensitive) == 0 || f.isEmpty())
        return QStringLiteral("Liberation Sans");
    if (f.compare(QLatin1String("Courier New"), Qt::CaseInsensitive) == 0 ||
        f.compare(QLatin1String("Courier"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Mono");
    if (f.compare(QLatin1String("Times New Roman"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Serif");
    return f;
}

namespace {

// Calls out(i, advance) for each UTF-16 unit of text, as metafile text runs
// carry advances; the low half of a surrogate pair advances by nothing.
template <class Out> void eachAdvance(const FontSpec &font, QStringView text, Out &&out)
{
    Face &f = face(font);
    const double px = emPixels(font);
    const QChar *units = text.constData();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = units[i].unicode();
        if (c < f.latin.size() && !std::isnan(f.latin[c])) {
            out(i, f.latin[c] * px);
            continue;
        }
        char32_t cp = c;
        if (QChar::isHighSurrogate(c) && i + 1 < n && units[i + 1].isLowSurrogate()) {
            cp = QChar::surrogateToUcs4(c, units[i + 1].unicode());
            out(i, advanceEm(f, cp) * px);
            out(++i, 0.0);
            continue;
        }
        out(i, advanceEm(f, cp) * px);
    }
}

} // namespace

QVector<double> TextMetrics::advances(const FontSpec &font, const QString &text)
{
    QVector<double> out;
    advances(font, text, out);
    return out;
}

void TextMetrics::advances(const FontSpec &font, QStringView text, QVector<double> &into)
{
    into.resize(text.size());
    double *a = into.data();
    eachAdvance(font, text, [a](qsizetype i, double v) { a[i] = v; });
}

double TextMetrics::width(const FontSpec &font, const QString &text)
{
    double w = 0;
    eachAdvance(font, text, [&w](qsizetype, double v) { w += v; });
    return w;
}

double TextMetrics::ascent(const FontSpec &font)
{
    return face(font).ascent * emPixels(font);
}

double TextMetrics::descent(const FontSpec &font)
{
    return face(font).descent * emPixels(font);
}

double TextMetrics::height(const FontSpec &font)
{
    const Face &f = face(font);
    return (f.ascent + f.descent) * emPixels(font);
}

QRawFont TextMetrics::rawFont(const FontSpec &font, double pixelSize)
{
    thread_local QHash<SizedKey, QRawFont> sized;
    const SizedKey key{keyOf(font), pixelSize};
    auto it = sized.constFind(key);
    if (it != sized.constEnd())
        return *it;
    Face &f = face(font);
    if (!f.rawLoaded) {
        f.raw = qtFace(f.key);
        f.rawLoaded = true;
    }
    QRawFont raw = f.raw;
    if (raw.isValid())
        raw.setPixelSize(pixelSize);
    if (sized.size() >= kMaxCachedSizes)
        sized.clear(); // hostile metafiles may ask for any number of sizes
    sized.insert(key, raw);
    return raw;
}

bool TextMetrics::readsFromFile(const FontSpec &font)
{
    // Read into the faces kept for measuring, so that no face is read twice.
    // One its file cannot give is not kept: measuring it falls back to Qt's
    // font database, which this must not start.
    Faces &t = threadFaces();
    const FaceKey key = keyOf(font);
    const auto it = t.all.constFind(key);
    const Face *f = it != t.all.constEnd() ? &*it : nullptr;
    if (!f) {
        FileFace direct = fromFile(key);
        if (!direct.metrics)
            return false;
        f = &t.insert(key, faceOf(key, std::move(direct)));
    }
    return f->direct.file && f->direct.file->has("glyf") && f->direct.file->has("loca");
}

TextMetrics::FileFace TextMetrics::fileFace(const FontSpec &font)
{
    return face(font).direct;
}

} // namespace accrua::engine::emf
