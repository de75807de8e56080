// A TrueType face as a PDF needs it: its metrics in thousandths of an em,
// its PostScript name, and a subset holding only the glyphs a document
// used. Glyph numbers are kept as they are (the others are left empty), so
// the text can name glyphs by their number in the face.
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace accrua::engine::pdf {

class TrueTypeFace {
public:
    // tables: a face's table by its four-letter tag, empty when it has none.
    // Nothing when the face lacks what a subset needs or a table is broken.
    static std::optional<TrueTypeFace> load(const std::function<QByteArray(const char *tag)> &tables);

    int glyphCount() const { return m_glyphCount; }
    // Advance of a glyph in thousandths of an em.
    double advance(quint32 glyph) const;
    QString postScriptName() const { return m_psName; }
    int unitsPerEm() const { return m_unitsPerEm; }
    // In thousandths of an em.
    double ascent() const { return scaled(m_ascent); }
    double descent() const { return scaled(m_descent); }
    double capHeight() const { return scaled(m_capHeight); }
    double italicAngle() const { return m_italicAngle; }
    bool fixedPitch() const { return m_fixedPitch; }
    // xMin, yMin, xMax, yMax in thousandths of an em.
    std::vector<double> boundingBox() const;

    // A font file with the glyphs marked in `used` (indexed by glyph number)
    // and the components they are built from; every other glyph is empty.
    QByteArray subset(const std::vector<bool> &used) const;

private:
    double scaled(int units) const { return units * 1000.0 / m_unitsPerEm; }
    bool glyphSpan(quint32 glyph, quint32 &start, quint32 &end) const;

    QByteArray m_head, m_hhea, m_maxp, m_hmtx, m_loca, m_glyf, m_cvt, m_fpgm, m_prep;
    int m_unitsPerEm = 1000;
    int m_glyphCount = 0;
    int m_hMetrics = 0;
    bool m_longLoca = false;
    int m_ascent = 0, m_descent = 0, m_capHeight = 0;
    int m_bbox[4] = {0, 0, 0, 0};
    double m_italicAngle = 0;
    bool m_fixedPitch = false;
    QString m_psName;
};

} // namespace accrua::engine::pdf
