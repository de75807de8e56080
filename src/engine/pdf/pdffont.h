// The fonts of a PDF: each face the pages use, the glyphs they draw from it
// and their widths, embedded at the end as a subset with a Unicode map so
// that the text can be searched and copied. Page content names a glyph by a
// code of one byte for the face's first glyphs (every glyph of a Latin
// report), of two bytes for the others; the font's own character map turns
// codes back into glyph numbers.
#pragma once

#include "engine/emf/styles.h"
#include "engine/fonts/facemetrics.h"
#include "engine/pdf/pdfsyntax.h"
#include "engine/pdf/truetype.h"

#include <QHash>
#include <QRawFont>
#include <QString>

#include <array>
#include <memory>
#include <vector>

namespace accrua::engine::pdf {

// A glyph's code in page content, most significant byte first: glyphs below
// kOneByteGlyphs as one byte, the next kTwoByteGlyphs as two bytes from
// 0xE000. A face with more glyphs than that is wide: its codes are its glyph
// numbers in two bytes. Readers take codes of one or two bytes only.
struct GlyphCode {
    std::array<unsigned char, 2> bytes{};
    int length = 0;
};
inline constexpr quint32 kOneByteGlyphs = 0xE0;
inline constexpr quint32 kTwoByteGlyphs = 0x2000;

inline bool wideFace(int glyphCount)
{
    return quint32(glyphCount) > kOneByteGlyphs + kTwoByteGlyphs;
}

inline GlyphCode glyphCode(quint32 g, bool wide)
{
    if (!wide && g < kOneByteGlyphs)
        return {{static_cast<unsigned char>(g), 0}, 1};
    const quint32 c = wide ? g : 0xE000 + (g - kOneByteGlyphs);
    return {{static_cast<unsigned char>(c >> 8 & 0xFF), static_cast<unsigned char>(c & 0xFF)}, 2};
}

// What does not change from one document to the next, kept per thread: a
// face's tables, and the finished (subset, deflated) font programs and
// Unicode maps of the glyph sets it was last embedded with. A batch of
// similar reports uses the same few glyphs, and making the program is most
// of a font's cost.
struct LoadedFace {
    struct Program {
        std::vector<bool> used;
        std::vector<char32_t> unicode;
        QByteArray packed;         // deflated
        qsizetype length;          // before deflating
        QByteArray name;           // with its subset tag
        QByteArray packedMap;      // the Unicode map, deflated
        QByteArray packedEncoding; // the codes' map to glyphs, deflated; none for a wide face
    };
    TrueTypeFace tt;
    // The glyphs of characters: from the face's own character map when it
    // was read from its file, else through Qt.
    std::shared_ptr<const fonts::FaceMetrics> metrics;
    QRawFont raw;
    std::vector<Program> programs; // oldest first

    quint32 glyphOf(char32_t cp) const;
};

// The face that draws `spec` (its size aside); nothing when it cannot be
// embedded.
std::shared_ptr<LoadedFace> loadedFace(const emf::FontSpec &spec);

struct Face {
    std::shared_ptr<LoadedFace> loaded;
    const TrueTypeFace &tt() const { return loaded->tt; }
    QString family; // as resolved, with the style below: the key
    bool bold = false;
    bool italic = false;
    int number = 0;    // /F<number>
    int object = 0;    // the Type0 font
    bool wide = false; // see glyphCode
    std::array<qint32, 256> latin{};
    QHash<char32_t, quint32> other;
    std::vector<bool> used;
    std::vector<char32_t> unicode; // the character each used glyph stands for
    std::vector<double> widths;    // thousandths of an em, as written; -1 not yet known

    // The glyph that draws cp; 0 (.notdef) when the face has none.
    quint32 glyph(char32_t cp)
    {
        if (cp < 256 && latin[cp] >= 0)
            return quint32(latin[cp]);
        if (cp >= 256) {
            auto it = other.constFind(cp);
            if (it != other.constEnd())
                return *it;
        }
        const quint32 found = loaded->glyphOf(cp);
        const quint32 g = found < quint32(tt().glyphCount()) ? found : 0;
        if (cp < 256)
            latin[cp] = qint32(g);
        else if (other.size() < 65536)
            other.insert(cp, g);
        return g;
    }
    double width(quint32 g)
    {
        if (widths[g] < 0)
            widths[g] = std::round(tt().advance(g));
        return widths[g];
    }
};

// The map of codes to glyphs, written once per document for the faces
// whose maps are alike: deflated bytes and their object.
using Encodings = std::vector<std::pair<QByteArray, int>>;

// The font's objects (file, descriptor, CID font, Unicode map, code map and
// the Type0 font at f.object) for the glyphs used.
void writeFont(ObjectWriter &w, Face &f, Encodings &encodings);

} // namespace accrua::engine::pdf
