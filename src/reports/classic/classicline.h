// A classic report is an ordered list of text lines, each with the character
// attributes in effect when it was appended. The builder produces them, the
// rich text file keeps them, the window and the command line show them.
#pragma once

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

} // namespace accrua::reports::classic
