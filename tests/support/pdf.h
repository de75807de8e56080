// Reading back the PDF files the tests print: pages and text through
// poppler's pdfinfo and pdftotext, which scripts/install-deps.sh installs.
// A missing or failing tool throws, so that a test cannot pass unchecked.
#pragma once

#include <QString>
#include <QStringList>

namespace accrua::testsupport {

// pdftotext -layout: the whole text, pages separated by form feeds.
QString pdfText(const QString &pdf);
// The same, one entry per page.
QStringList pdfPageTexts(const QString &pdf);
// pdfinfo's page count.
int pdfPageCount(const QString &pdf);

} // namespace accrua::testsupport
