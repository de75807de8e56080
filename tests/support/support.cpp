#include "support.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPrinter>

namespace accrua::testsupport {

namespace {
int argc = 1;
char name[] = "accrua_tests";
char *argv[] = {name, nullptr};
} // namespace

void ensureGuiApp()
{
    if (!QGuiApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QGuiApplication(argc, argv);
    }
}

void ensureWidgetsApp()
{
    if (!QGuiApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
    }
}

text::Locale usDollars()
{
    return text::Locale(u'.', u',', 2, QStringLiteral("$"), true, QStringLiteral("M/d/yyyy"));
}

text::Locale kuwaitiDinars()
{
    return text::Locale(u',', u'.', 3, QStringLiteral("KD"), false);
}

std::unique_ptr<QPrinter> pdfPrinter(const QString &path)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    return printer;
}

} // namespace accrua::testsupport
