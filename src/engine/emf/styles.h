// What a report page is drawn with: fonts, alignment, pens and brushes. Kept
// apart from the writer and the player so that report definitions can name
// them without pulling in either.
#pragma once

#include <QColor>
#include <QString>

namespace accrua::engine::emf {

struct FontSpec {
    QString family = QStringLiteral("Arial");
    double pointSize = 8;
    bool bold = false;
    bool italic = false;
    friend bool operator==(const FontSpec &a, const FontSpec &b)
    {
        // Copies of one font share the family's characters: no need to compare them.
        return a.pointSize == b.pointSize && a.bold == b.bold && a.italic == b.italic &&
               a.family.size() == b.family.size() &&
               (a.family.constData() == b.family.constData() || a.family == b.family);
    }
};

enum class HAlign { Left, Center, Right };

struct PenSpec {
    QColor color = Qt::black;
    double width = 1; // page pixels
    bool null = false;
};

struct BrushSpec {
    QColor color = Qt::white;
    bool null = false;
};

} // namespace accrua::engine::emf
