// The print preview as the program plugs it into the report engine.
//
// TZtPrintPreview is the main window's component: it registers the
// program's preview class (TRptPreviewInterface) and carries what every
// preview window reads, program-wide: whether printing is allowed, and the
// print request, the call that makes a preview's Print regenerate its report
// through the main window's dispatcher. It is also the dispatcher's preview:
// previewReport starts the engine's worker generating the pages and shows
// them modally while they arrive; previewPages shows pages loaded from a file.
#pragma once

#include "reports/commands/commands.h"
#include "reports/preview/previewform.h"

#include <QPointer>

#include <functional>
#include <memory>

class QWidget;

namespace accrua::reports::preview {

class TRptPreviewInterface {
public:
    TRptPreviewInterface(const PreviewDialogs &dialogs, QWidget *owner);

    // A preview window for the store, shown without blocking; it frees
    // itself when closed. The store must outlive it.
    TForm_Preview *Show(const PreviewPageStore &store);
    // The same, shown modally at page-width zoom; returns once it is closed
    // and freed.
    void ShowModal(const PreviewPageStore &store);

    // Told of each window once it is on screen (tests and benchmarks drive it).
    std::function<void(TForm_Preview &)> onShown;

private:
    TForm_Preview *create(const PreviewPageStore &store);

    PreviewDialogs m_dialogs;
    QPointer<QWidget> m_owner;
};

class TZtPrintPreview : public commands::PreviewService {
public:
    // Seams left none use the real dialogs and print nothing on error boxes.
    explicit TZtPrintPreview(const PreviewDialogs &dialogs);
    ~TZtPrintPreview() override;

    // Registers TRptPreviewInterface as the preview, its windows owned by
    // `mainWindow`. Until then previews show nothing.
    void Execute(QWidget *mainWindow);
    TRptPreviewInterface *previewInterface() const { return m_interface.get(); }

    static bool EnablePrint();
    static void SetEnablePrint(bool on);
    // None clears it.
    static void SetPrintRequest(std::function<void()> request);
    static const std::function<void()> &PrintRequest();

    // PreviewService
    void previewReport(eng::Report &report, std::function<void()> printRequest) override;
    void previewPages(eng::Report &carrier, eng::TRptPageList &pages) override;

private:
    struct Adapters;
    std::unique_ptr<Adapters> m_adapters;
    PreviewDialogs m_dialogs;
    std::unique_ptr<TRptPreviewInterface> m_interface;
};

} // namespace accrua::reports::preview
