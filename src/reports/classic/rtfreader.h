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

int clampPointSize(long long points);

// A file that starts with "{\rtf": its lines, or false with the reason.
// Bounded as RtfFormat says.
bool readRichText(const QByteArray &data, ClassicLines &lines, QString &error);
// Any other file: UTF-8 when it is valid UTF-8, else Windows-1252; lines end
// at CR LF, LF or CR.
bool readPlainText(const QByteArray &data, ClassicLines &lines, QString &error);

} // namespace accrua::reports::classic
