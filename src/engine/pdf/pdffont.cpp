#include "engine/pdf/pdffont.h"

#include "engine/emf/textmetrics.h"

#include <algorithm>
#include <tuple>

namespace accrua::engine::pdf {

namespace {

// Bounds of the per-thread caches: a report has a handful of faces, and
// hostile metafiles may name any number of them or draw any glyphs.
constexpr size_t kMaxLoadedFaces = 16;
constexpr size_t kMaxPrograms = 8;

// The code ranges of page content, the same in both maps.
constexpr char kCodeSpace[] = "2 begincodespacerange\n<00> <DF>\n<E000> <FFFF>\nendcodespacerange\n";
constexpr char kWideCodeSpace[] = "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";

void appendHex(QByteArray &out, quint32 value, int digits)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    out.append('<');
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
        out.append(kDigits[value >> shift & 0xF]);
    out.append('>');
}

void appendCode(QByteArray &out, quint32 glyph, bool wide)
{
    const GlyphCode code = glyphCode(glyph, wide);
    quint32 value = 0;
    for (int i = 0; i < code.length; ++i)
        value = value << 8 | code.bytes[size_t(i)];
    appendHex(out, value, code.length * 2);
}

// Entries of a map in blocks of at most 100, as readers expect them.
void appendBlocks(QByteArray &out, const std::vector<QByteArray> &entries, const char *begin, const char *end)
{
    for (size_t i = 0; i < entries.size(); i += 100) {
        const size_t n = std::min<size_t>(100, entries.size() - i);
        appendInt(out, qint64(n));
        out.append(begin);
        for (size_t k = i; k < i + n; ++k)
            out.append(entries[k]);
        out.append(end);
    }
}

// The Unicode map of the codes of glyphs that stand for a character.
QByteArray unicodeMap(const std::vector<char32_t> &unicode, bool wide)
{
    QByteArray cmap("/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                    "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
                    "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n");
    cmap.append(wide ? kWideCodeSpace : kCodeSpace);
    std::vector<QByteArray> entries;
    for (size_t g = 0; g < unicode.size(); ++g) {
        if (unicode[g] == 0)
            continue;
        QByteArray entry;
        appendCode(entry, quint32(g), wide);
        entry.append(" <");
        const char32_t cp = unicode[g];
        for (QChar c : QString::fromUcs4(&cp, 1))
            entry.append(QByteArray::number(c.unicode(), 16).rightJustified(4, '0'));
        entry.append(">\n");
        entries.push_back(entry);
    }
    appendBlocks(cmap, entries, " beginbfchar\n", "endbfchar\n");
    cmap.append("endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n");
    return cmap;
}

// The map of codes to glyph numbers (the font's CIDs): a range for the
// one-byte codes, and one for each run of 256 longer codes a glyph used
// falls in.
QByteArray encodingMap(const std::vector<bool> &used)
{
    QByteArray cmap("%!PS-Adobe-3.0 Resource-CMap\n/CIDInit /ProcSet findresource begin\n12 dict begin\n"
                    "begincmap\n/CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 >> "
                    "def\n/CMapName /Accrua-Glyphs def\n/CMapType 1 def\n");
    cmap.append(kCodeSpace);
    std::vector<QByteArray> entries{"<00> <DF> 0\n"};
    for (size_t first = kOneByteGlyphs; first < used.size();) {
        // Codes of one length whose last byte runs from 00 to FF.
        const GlyphCode code = glyphCode(quint32(first), false);
        const size_t last = std::min(used.size(), first + 256 - code.bytes[size_t(code.length - 1)]) - 1;
        if (std::find(used.begin() + qsizetype(first), used.begin() + qsizetype(last) + 1, true) !=
            used.begin() + qsizetype(last) + 1) {
            QByteArray entry;
            appendCode(entry, quint32(first), false);
            entry.append(' ');
            appendCode(entry, quint32(last), false);
            entry.append(' ');
            appendInt(entry, qint64(first));
            entry.append('\n');
            entries.push_back(entry);
        }
        first = last + 1;
    }
    appendBlocks(cmap, entries, " begincidrange\n", "endcidrange\n");
    cmap.append("endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n");
    return cmap;
}

// The font program of the glyphs a document used and their Unicode map,
// made once for a given glyph set; valid until the face's next program.
const LoadedFace::Program &program(ObjectWriter &w, LoadedFace &face, const Face &f)
{
    for (const LoadedFace::Program &p : face.programs)
        if (p.used == f.used && p.unicode == f.unicode)
            return p;
    const QByteArray file = face.tt.subset(f.used);
    // The subset's tag: six capitals derived from the glyphs it holds.
    size_t h = qHash(file);
    QByteArray name;
    for (int i = 0; i < 6; ++i, h /= 26)
        name.append(char('A' + h % 26));
    name.append('+');
    name.append(face.tt.postScriptName().isEmpty() ? QString(f.family).remove(u' ').toLatin1()
                                                   : face.tt.postScriptName().toLatin1());
    if (face.programs.size() >= kMaxPrograms)
        face.programs.erase(face.programs.begin());
    const QByteArray map = unicodeMap(f.unicode, f.wide);
    const QByteArray encoding = f.wide ? QByteArray() : encodingMap(f.used);
    face.programs.push_back(
        {f.used, f.unicode, deflated(w.compressor, file.constData(), file.size()), file.size(), name,
         deflated(w.compressor, map.constData(), map.size()),
         f.wide ? QByteArray() : deflated(w.compressor, encoding.constData(), encoding.size())});
    return face.programs.back();
}

} // namespace

quint32 LoadedFace::glyphOf(char32_t cp) const
{
    if (metrics)
        return metrics->glyph(cp);
    QChar units[2];
    int n = 0;
    if (QChar::requiresSurrogates(cp)) {
        units[0] = QChar(QChar::highSurrogate(cp));
        units[1] = QChar(QChar::lowSurrogate(cp));
        n = 2;
    } else {
        units[0] = QChar(char16_t(cp));
        n = 1;
    }
    quint32 glyphs[2] = {0, 0};
    int count = 2;
    if (!raw.glyphIndexesForChars(units, n, glyphs, &count) || count < 1)
        return 0;
    return glyphs[0];
}

std::shared_ptr<LoadedFace> loadedFace(const emf::FontSpec &spec)
{
    using Key = std::tuple<QString, bool, bool>;
    thread_local std::vector<std::pair<Key, std::shared_ptr<LoadedFace>>> faces;
    // By the family as named: each name loads the face it always loaded.
    const Key key{spec.family, spec.bold, spec.italic};
    for (const auto &[k, face] : faces)
        if (k == key)
            return face;
    const emf::FontSpec sized{spec.family, 12, spec.bold, spec.italic};
    const emf::TextMetrics::FileFace direct = emf::TextMetrics::fileFace(sized);
    QRawFont raw;
    std::optional<TrueTypeFace> tt;
    if (direct.file) {
        tt = TrueTypeFace::load([&direct](const char *tag) { return direct.file->table(tag); });
    } else {
        raw = emf::TextMetrics::rawFont(sized, 16);
        if (raw.isValid())
            tt = TrueTypeFace::load([&raw](const char *tag) { return raw.fontTable(tag); });
    }
    if (!tt)
        return nullptr;
    auto face = std::make_shared<LoadedFace>(LoadedFace{*std::move(tt), direct.metrics, raw, {}});
    if (faces.size() >= kMaxLoadedFaces)
        faces.clear(); // documents still writing keep theirs
    faces.emplace_back(key, face);
    return face;
}

void writeFont(ObjectWriter &w, Face &f, Encodings &encodings)
{
    const LoadedFace::Program &file = program(w, *f.loaded, f);
    const QByteArray &name = file.name;

    const int fileObject = w.reserve(), descriptor = w.reserve(), cid = w.reserve(), toUnicode = w.reserve();
    QByteArray dict(" /Filter /FlateDecode /Length1 ");
    appendInt(dict, file.length);
    w.rawStream(fileObject, file.packed, dict);

    w.begin(descriptor);
    w.out.append("<< /Type /FontDescriptor /FontName /" + name + " /Flags ");
    appendInt(w.out, 4 | (f.tt().fixedPitch() ? 1 : 0) | (f.italic ? 64 : 0));
    w.out.append(" /FontBBox [");
    for (double v : f.tt().boundingBox()) {
        w.out.append(' ');
        appendNumber(w.out, v, 6);
    }
    w.out.append(" ] /ItalicAngle ");
    appendNumber(w.out, f.tt().italicAngle());
    w.out.append(" /Ascent ");
    appendNumber(w.out, f.tt().ascent(), 6);
    w.out.append(" /Descent ");
    appendNumber(w.out, f.tt().descent(), 6);
    w.out.append(" /CapHeight ");
    appendNumber(w.out, f.tt().capHeight(), 6);
    w.out.append(" /StemV ");
    appendInt(w.out, f.bold ? 120 : 80);
    w.out.append(" /FontFile2 ");
    appendInt(w.out, fileObject);
    w.out.append(" 0 R >>");
    w.end();

    w.begin(cid);
    w.out.append(
        "<< /Type /Font /Subtype /CIDFontType2 /BaseFont /" + name +
        " /CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 >> /FontDescriptor ");
    appendInt(w.out, descriptor);
    w.out.append(" 0 R /CIDToGIDMap /Identity /W [");
    int run = -2; // the glyph that would continue the current run of widths
    for (size_t g = 0; g < f.used.size(); ++g) {
        if (!f.used[g])
            continue;
        if (int(g) != run) {
            if (run >= 0)
                w.out.append(']');
            w.out.append('\n');
            appendInt(w.out, qint64(g));
            w.out.append(" [");
        } else {
            w.out.append(' ');
        }
        appendNumber(w.out, f.width(quint32(g)));
        run = int(g) + 1;
    }
    if (run >= 0)
        w.out.append(']');
    w.out.append(" ] >>");
    w.end();

    w.rawStream(toUnicode, file.packedMap, " /Filter /FlateDecode");

    int encoding = 0;
    for (const auto &[packed, object] : encodings)
        if (!f.wide && packed == file.packedEncoding)
            encoding = object;
    if (encoding == 0 && !f.wide) {
        encoding = w.reserve();
        w.rawStream(encoding, file.packedEncoding,
                    " /Filter /FlateDecode /Type /CMap /CMapName /Accrua-Glyphs /CIDSystemInfo << /Registry "
                    "(Adobe) /Ordering (Identity) /Supplement 0 >>");
        encodings.emplace_back(file.packedEncoding, encoding);
    }

    w.begin(f.object);
    w.out.append("<< /Type /Font /Subtype /Type0 /BaseFont /" + name + " /Encoding ");
    if (f.wide) {
        w.out.append("/Identity-H");
    } else {
        appendInt(w.out, encoding);
        w.out.append(" 0 R");
    }
    w.out.append(" /DescendantFonts [");
    appendInt(w.out, cid);
    w.out.append(" 0 R] /ToUnicode ");
    appendInt(w.out, toUnicode);
    w.out.append(" 0 R >>");
    w.end();
}

} // namespace accrua::engine::pdf
