#include "desktop/dialogs.h"

#include "settings/loaninfoservice.h"

#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTreeView>

#include <algorithm>

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

// The folder the last file was chosen in: every file dialog of the program
// opens there, as the desktop's own dialogs do.
QString &lastFolder()
{
    static QString folder;
    return folder;
}

// The detail view's columns wide enough for what they hold, the name taking
// what is left.
void showColumnsWhole(QFileDialog &dialog)
{
    auto *view = dialog.findChild<QTreeView *>(QStringLiteral("treeView"));
    if (!view)
        return;
    QHeaderView *header = view->header();
    header->setStretchLastSection(false);
    for (int column = 1; column < header->count(); ++column)
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    // Room for a long name beside the other columns.
    const QFontMetrics metrics(dialog.font());
    dialog.resize(std::max(dialog.width(), metrics.horizontalAdvance(QLatin1Char('x')) * 110),
                  std::max(dialog.height(), metrics.height() * 28));
}

QString runFileDialog(const FileDialogRequest &request, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(request.parent, request.title);
    // Qt's own dialog, so that it can be placed over the main window.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilter(request.filter);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setViewMode(QFileDialog::Detail);
    if (!lastFolder().isEmpty() && QFileInfo(lastFolder()).isDir())
        dialog.setDirectory(lastFolder());
    showColumnsWhole(dialog);
    if (request.centreOverParent && request.parent)
        dialog.installEventFilter(new CentreOnShow(&dialog, request.parent->window()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    QString chosen = dialog.selectedFiles().constFirst();
    lastFolder() = QFileInfo(chosen).absolutePath();
    return chosen;
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

QStringList QtPrintDialogService::installedPrinters() const
{
    return QPrinterInfo::availablePrinterNames();
}

} // namespace accrua::desktop
