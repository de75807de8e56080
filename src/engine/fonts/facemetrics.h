// What laying out text needs of a face: the glyph of a character and the
// advances and vertical metrics, in ems, as Qt's FreeType engine reports
// them for an unhinted face at 2048 pixels (so that measuring from the file
// places text exactly where measuring through Qt did).
#pragma once

#include "engine/fonts/fontfile.h"

#include <QByteArray>

#include <optional>
#include <vector>

namespace accrua::engine::fonts {

class FaceMetrics {
public:
    // Nothing when the face lacks a usable Unicode character map or
    // horizontal metrics.
    static std::optional<FaceMetrics> load(const FontFile &file);

    quint32 glyph(char32_t cp) const;
    double advanceEm(quint32 glyph) const;
    double ascentEm() const { return m_ascent; }
    double descentEm() const { return m_descent; }
    int glyphCount() const { return m_glyphCount; }

private:
    quint32 mappedGlyph(char32_t cp) const;

    QByteArray m_cmap; // the chosen subtable, from its format field on
    int m_format = 0;
    std::vector<quint16> m_advances; // per glyph, in font units
    qint64 m_scale = 0;              // 2048 pixels per em, 16.16, per font unit
    int m_glyphCount = 0;
    double m_ascent = 0;
    double m_descent = 0;
};

} // namespace accrua::engine::fonts
