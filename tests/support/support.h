// Shared test fixtures: the offscreen start-up, the fixed locales the golden
// texts are written in, and a printer that prints to a PDF file.
#pragma once

#include "text/locale.h"

#include <QString>

#include <memory>

class QPrinter;

namespace accrua::testsupport {

// Creates the process's QGuiApplication on the offscreen platform, once.
void ensureGuiApp();
// The same with widgets; call before any widget is made.
void ensureWidgetsApp();

// "$", dot decimals, comma groups, two currency decimals, M/d/yyyy dates.
text::Locale usDollars();
// Comma decimals, dot groups, three currency decimals ("KD"), no leading symbol.
text::Locale kuwaitiDinars();

// A high-resolution printer writing a PDF to the given path.
std::unique_ptr<QPrinter> pdfPrinter(const QString &path);

} // namespace accrua::testsupport
