// A classic report is an ordered list of text lines, each with the character
// attributes in effect when it was appended. The builder produces them, the
// rich text file keeps them, the window and the command line show them.
#pragma once

#include <QMarginsF>
#include <QSizeF>
#include <QString>

#include <vector>

namespace accrua::reports::classic {

struct ClassicAttributes {
    QString fontName = QStringLiteral("Courier New");
    int pointSize = 10;
    bool bold = false;
    bool underline = false;

    friend bool operator==(const ClassicAttributes &, const ClassicAttributes &) = default;
};

struct ClassicLine {
    QString text;
    ClassicAttributes attributes;

    friend bool operator==(const ClassicLine &, const ClassicLine &) = default;
};

using ClassicLines = std::vector<ClassicLine>;

// The lines as plain text, one per line, each ended by "\n".
QString plainText(const ClassicLines &lines);

// The page a classic report is printed on and saved for: the banded reports'
// 12.7 mm margins, turned to landscape when the widest line is wider than the
// portrait page between its margins. Widths are reckoned from the fonts'
// advances (fixed-pitch faces 0.6 em), so no font need be loaded.
inline constexpr qreal kClassicMarginMm = 12.7;
bool classicLandscape(const ClassicLines &lines, const QSizeF &portraitPaperPoints);

// The page of a saved file: US Letter, sizes in points.
struct ClassicPage {
    QSizeF paper; // as turned
    QMarginsF margins;
    bool landscape = false;
};
ClassicPage classicLetterPage(const ClassicLines &lines);

} // namespace accrua::reports::classic
