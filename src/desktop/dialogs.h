// Seams for the modal dialogs of the report commands: file open/save and the
// print dialog. The Qt adapters here are the only code of the reports that
// shows a QFileDialog or a QPrintDialog; tests script the answers instead.
#pragma once

#include <QString>
#include <QStringList>

class QPrinter;
class QWidget;

namespace accrua::desktop {

struct FileDialogRequest {
    QString title;
    QString filter;        // Qt notation: "Report File (*.ARP)"
    QString defaultSuffix; // without the dot: "ARP"
    QWidget *parent = nullptr;
    bool centreOverParent = true; // the main window's dialogs are centred over it
};

class FileDialogService {
public:
    virtual ~FileDialogService();
    // The chosen file name, or an empty text when the user cancelled.
    virtual QString getOpenFileName(const FileDialogRequest &request) = 0;
    virtual QString getSaveFileName(const FileDialogRequest &request) = 0;
};

class PrintDialogService {
public:
    virtual ~PrintDialogService();
    // Shows the print dialog for `printer`; true when the user confirmed, the
    // printer then carrying the chosen printer, page range and copies.
    virtual bool exec(QPrinter &printer, QWidget *parent) = 0;
    // The printers of the system a confirmed dialog may have chosen, by name;
    // a print goes ahead only on one of them (or into a PDF file).
    virtual QStringList installedPrinters() const = 0;
};

class QtFileDialogService : public FileDialogService {
public:
    QString getOpenFileName(const FileDialogRequest &request) override;
    QString getSaveFileName(const FileDialogRequest &request) override;
};

// Page ranges offered; printing to a file is not (PDF comes from the
// command line and from the desktop's PDF printer).
class QtPrintDialogService : public PrintDialogService {
public:
    bool exec(QPrinter &printer, QWidget *parent) override;
    QStringList installedPrinters() const override;
};

} // namespace accrua::desktop
