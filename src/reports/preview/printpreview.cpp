#include "reports/preview/printpreview.h"

#include "engine/view/pageview.h"

#include <QWidget>

namespace accrua::reports::preview {

namespace {

// Program-wide, as every preview window and every component share them.
struct SharedPreviewState {
    bool enablePrint = true;
    std::function<void()> printRequest;
};

SharedPreviewState &shared()
{
    static SharedPreviewState state;
    return state;
}

} // namespace

TRptPreviewInterface::TRptPreviewInterface(const PreviewDialogs &dialogs, QWidget *owner)
    : m_dialogs(dialogs), m_owner(owner)
{
}

TForm_Preview *TRptPreviewInterface::create(const PreviewPageStore &store)
{
    auto *window = new TForm_Preview(store, m_dialogs, m_owner);
    window->PrintAllowed = TZtPrintPreview::EnablePrint();
    window->ToolButton_Print->setEnabled(window->PrintAllowed);
    return window;
}

TForm_Preview *TRptPreviewInterface::Show(const PreviewPageStore &store)
{
    TForm_Preview *window = create(store);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    if (onShown)
        onShown(*window);
    return window;
}

void TRptPreviewInterface::ShowModal(const PreviewPageStore &store)
{
    const std::unique_ptr<TForm_Preview> window(create(store));
    if (window->isVisible())
        window->hide();
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
    // Zoomed once the view has its real size; the first page zooms again.
    window->RptPreview->zoomToWidth();
    if (onShown)
        onShown(*window);
    if (window->isVisible())
        window->exec();
}

struct TZtPrintPreview::Adapters {
    desktop::QtFileDialogService files;
    desktop::QtPrintDialogService printDialog;
};

TZtPrintPreview::TZtPrintPreview(const PreviewDialogs &dialogs)
    : m_adapters(std::make_unique<Adapters>()), m_dialogs(dialogs)
{
    if (!m_dialogs.files)
        m_dialogs.files = &m_adapters->files;
    if (!m_dialogs.printDialog)
        m_dialogs.printDialog = &m_adapters->printDialog;
    SetEnablePrint(true);
}

TZtPrintPreview::~TZtPrintPreview() = default;

void TZtPrintPreview::Execute(QWidget *mainWindow)
{
    m_interface = std::make_unique<TRptPreviewInterface>(m_dialogs, mainWindow);
}

bool TZtPrintPreview::EnablePrint()
{
    return shared().enablePrint;
}

void TZtPrintPreview::SetEnablePrint(bool on)
{
    shared().enablePrint = on;
}

void TZtPrintPreview::SetPrintRequest(std::function<void()> request)
{
    shared().printRequest = std::move(request);
}

const std::function<void()> &TZtPrintPreview::PrintRequest()
{
    return shared().printRequest;
}

void TZtPrintPreview::previewReport(eng::Report &report, std::function<void()> printRequest)
{
    if (!m_interface)
        return;
    SetPrintRequest(std::move(printRequest));
    eng::TRptPageList pages;
    eng::ReportGenerator generator;
    // Generation starts before the window shows, so the first page is on
    // its way while the window is laid out.
    generator.start(report, pages);
    m_interface->ShowModal({&pages, &report, &generator, report.title});
    // The window has told the generator it closed; should it never have
    // shown, this does it, so nothing touches the report after we return.
    generator.closePreview();
    SetPrintRequest({});
}

void TZtPrintPreview::previewPages(eng::Report &carrier, eng::TRptPageList &pages)
{
    if (!m_interface)
        return;
    SetPrintRequest({});
    SetEnablePrint(true);
    m_interface->ShowModal({&pages, nullptr, nullptr, carrier.title});
}

} // namespace accrua::reports::preview
