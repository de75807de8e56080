#include "desktop/dialogs.h"

#include "settings/loaninfoservice.h"

#include <QEvent>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace accrua::desktop {

FileDialogService::~FileDialogService() = default;
PrintDialogService::~PrintDialogService() = default;

namespace {

// Moves the dialog over the centre of its parent once it is shown, keeping
// its size.
class CentreOnShow : public QObject {
public:
    CentreOnShow(QWidget *dialog, QWidget *over) : QObject(dialog), m_dialog(dialog), m_over(over) {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_dialog && event->type() == QEvent::Show && m_over)
            m_dialog->move(
                settings::CentredTopLeft(m_over->frameGeometry(), m_dialog->frameGeometry().size()));
        return false;
    }

private:
    QWidget *m_dialog;
    QWidget *m_over;
};

QString runFileDialog(const FileDialogRequest &request, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(request.parent, request.title);
    // Qt's own dialog, so that it can be placed over the main window.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilter(request.filter);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (request.centreOverParent && request.parent)
        dialog.installEventFilter(new CentreOnShow(&dialog, request.parent->window()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

QString QtFileDialogService::getOpenFileName(const FileDialogRequest &request)
{
    return runFileDialog(request, QFileDialog::AcceptOpen);
}

QString QtFileDialogService::getSaveFileName(const FileDialogRequest &request)
{
    return runFileDialog(request, QFileDialog::AcceptSave);
}

bool QtPrintDialogService::exec(QPrinter &printer, QWidget *parent)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace accrua::desktop
