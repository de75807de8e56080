// Reading classic report files, behind RtfFormat: the rich text parser, the
// plain text fallback, and the limits the writer shares with them.
#pragma once

#include "reports/classic/classicline.h"

#include <QByteArray>
#include <QString>

namespace accrua::reports::classic {

inline constexpr int kMinPointSize = 1;
inline constexpr int kMaxPointSize = 1638; // the largest size rich text controls accept
inline const QString kDefaultFontName = QStringLiteral("Courier New");
// The longest line read, and so the longest written: far more than any
// setting or command-line value can put in a report line, so that every
// report the program writes opens again.
inline constexpr qsizetype kMaxLineLength = qsizetype{1} << 20;

int clampPointSize(long long points);

// A file that starts with "{\rtf": its lines, or false with the reason.
// Bounded as RtfFormat says.
bool readRichText(const QByteArray &data, ClassicLines &lines, QString &error);
// Any other file: UTF-8 when it is valid UTF-8, else Windows-1252; lines end
// at CR LF, LF or CR.
bool readPlainText(const QByteArray &data, ClassicLines &lines, QString &error);

} // namespace accrua::reports::classic
