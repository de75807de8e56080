// The preview window: shows the pages of a banded report one at a time while
// the engine may still be generating them on its worker thread, and lets the
// user zoom, page through, print, save the pages as a report page file and
// open another one.
//
// The window reads only the page list's count and pages. Its dialogs (print,
// open, save) and message boxes go through the seams it is given.
#pragma once

#include "desktop/dialogs.h"
#include "desktop/messages.h"
#include "reports/banded/enginenames.h"

#include <QDialog>
#include <QString>

#include <memory>

class QAction;
class QLabel;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QTimer;
class QToolBar;

namespace accrua::engine::view {
class PageView;
}

namespace accrua::reports::preview {

class TZtPrintPreview;

// The engine's page store as the window sees it: the pages, the report behind
// them and the generator filling them (both none for pages loaded from a file).
struct PreviewPageStore {
    eng::TRptPageList *pages = nullptr;
    eng::Report *report = nullptr;
    eng::ReportGenerator *generator = nullptr;
    QString title;
};

struct PreviewDialogs {
    desktop::MessageService *messages = nullptr;
    desktop::FileDialogService *files = nullptr;
    desktop::PrintDialogService *printDialog = nullptr;
};

class TForm_Preview : public QDialog {
    Q_OBJECT

public:
    TForm_Preview(const PreviewPageStore &store, const PreviewDialogs &dialogs, QWidget *parent = nullptr);
    ~TForm_Preview() override;

    // Whether the Print button may be used; the preview interface copies the
    // shared EnablePrint flag into it.
    bool PrintAllowed = true;

    QToolBar *ToolBar = nullptr;
    QAction *ToolButton_ZoomPage = nullptr;
    QAction *ToolButton_ZoomIn = nullptr;
    QAction *ToolButton_ZoomOut = nullptr;
    QAction *ToolButton_ZoomWidth = nullptr;
    QAction *ToolButton_First = nullptr;
    QAction *ToolButton_Prev = nullptr;
    QAction *ToolButton_Next = nullptr;
    QAction *ToolButton_Last = nullptr;
    QAction *ToolButton_PrintSetup = nullptr;
    QAction *ToolButton_Print = nullptr;
    QAction *ToolButton_Save = nullptr;
    QAction *ToolButton_Open = nullptr;
    QPushButton *Button_Close = nullptr;
    engine::view::PageView *RptPreview = nullptr;
    QStatusBar *StatusBar = nullptr;
    QLabel *StatusPanel[3] = {nullptr, nullptr, nullptr};
    QProgressBar *ProgressBar = nullptr;

    void ToolButton_ZoomPageClick();
    void ToolButton_ZoomInClick();
    void ToolButton_ZoomOutClick();
    void ToolButton_ZoomWidthClick();
    void ToolButton_FirstClick();
    void ToolButton_PrevClick();
    void ToolButton_NextClick();
    void ToolButton_LastClick();
    void ToolButton_PrintClick();
    void ToolButton_SaveClick();
    void ToolButton_OpenClick();
    void Button_CloseClick();

    void RptPreviewPageAvailable(int pageCount);
    void RptPreviewProgressUpdate(int percent);
    void RptPreviewMouseWheel(int delta);
    void StatusBarDrawPanel();
    void UpdateNavigation();

    // The pages shown: the store's, or those of the last file opened here.
    eng::TRptPageList *pages() const;
    // True while the engine is still generating the shown pages.
    bool isGenerating() const;
    bool firstPagePending() const { return m_firstPagePending; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void done(int result) override;

private:
    void FormCreate();
    bool handleKey(int key, Qt::KeyboardModifiers modifiers);
    void pageArrived(int pageCount);
    void GenerationFailed(const QString &message);
    // Lets the generator run to its end; false when the pages are incomplete
    // (generation failed or the window was closed meanwhile).
    bool awaitPages();
    void printLoadedPages();
    void showError(const QString &text);
    desktop::FileDialogRequest fileRequest(const QString &title);
    void coverWorkArea();
    void fitFrameToWorkArea();

    PreviewPageStore m_store;
    PreviewDialogs m_dialogs;
    std::unique_ptr<eng::TRptPageList> m_loaded; // pages opened in this window
    bool m_firstPagePending = false;
    int m_percent = 0; // the progress the bar shows at the next turn
    QTimer *m_progressTimer = nullptr;
    bool m_closed = false;
    bool m_placed = false;
};

} // namespace accrua::reports::preview
