// The help topics dialog and the help window. TZtHelpFiles holds the topics
// ("file=title" lines) and, on ShowHelpTopics, creates both windows once,
// hands them its properties and shows the topics dialog; Display there turns
// the chosen title into a page path (help/helpfiles.h) and shows it in the
// help window, whose viewer is a QTextBrowser on local files.
#pragma once

#include "desktop/desktop.h"
#include "help/helpfiles.h"

#include <QDialog>
#include <QMainWindow>
#include <QPointer>
#include <QTextBrowser>

class QListWidget;
class QPushButton;
class QTabWidget;

namespace accrua::help {

class TForm_HelpForm;

// The embedded viewer: a page that does not exist shows which file is
// missing, and web addresses go to the desktop's browser.
class HelpViewer : public QTextBrowser {
    Q_OBJECT

public:
    HelpViewer(std::function<void(const QUrl &)> openUrl, QWidget *parent = nullptr);

    QVariant loadResource(int type, const QUrl &name) override;

protected:
    void doSetSource(const QUrl &name, QTextDocument::ResourceType type) override;

private:
    std::function<void(const QUrl &)> m_openUrl;
};

class TForm_HelpMenu : public QDialog {
    Q_OBJECT

public:
    explicit TForm_HelpMenu(QWidget *parent = nullptr);

    void FormShow();
    void BitBtn_DisplayClick();
    void BitBtn_CloseClick();

    QStringList HelpFiles;
    QString HelpFilePath;
    QString SubDirectory;
    QString ApplicationTitle;
    QPointer<TForm_HelpForm> HelpForm; // where Display shows the topic

    QTabWidget *PageControl = nullptr;
    QWidget *TabSheet_Index = nullptr;
    QLabel *Label_Click = nullptr;
    QListWidget *ListBox_Help = nullptr;
    QPushButton *BitBtn_Display = nullptr;
    QPushButton *BitBtn_Close = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QList<HelpTopic> m_topics; // titles and file names, index for index
};

class TForm_HelpForm : public QMainWindow {
    Q_OBJECT

public:
    explicit TForm_HelpForm(desktop::DesktopServices desktop, QWidget *parent = nullptr);

    void FormActivate();
    void BitBtn_TopicsClick();
    void MenuItem_BackClick();
    void HTMLCommandStateChange(int command, bool enable);
    void BitBtn_PrintClick();
    void MenuItem_ExitClick();

    QStringList HelpFiles;
    QString HelpFilePath;
    QString SubDirectory;
    QString ApplicationTitle;
    QString TopicPath;
    QString TopicTitle;
    // The next activation shows TopicPath. There is one help window per
    // program, so this is the program's one flag.
    bool PendingShow = false;
    QPointer<TForm_HelpMenu> HelpMenu; // opened by Help Topics

    QWidget *Panel_Top = nullptr;
    QPushButton *BitBtn_Topics = nullptr;
    QPushButton *BitBtn_Back = nullptr;
    QPushButton *BitBtn_Print = nullptr;
    HelpViewer *HTML = nullptr;
    QMenu *MenuItem_File = nullptr;
    QAction *MenuItem_PrintTopic = nullptr;
    QAction *MenuItem_Exit = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    bool event(QEvent *event) override;

private:
    desktop::DesktopServices m_desktop;
    bool m_placed = false;
};

class TZtHelpFiles : public QObject {
    Q_OBJECT

public:
    // The windows are parented to `owner`, the window whose Help menu asks.
    explicit TZtHelpFiles(desktop::DesktopServices desktop, QWidget *owner = nullptr);
    ~TZtHelpFiles() override;

    QString ApplicationTitle;
    QStringList HelpFiles; // "file=title"
    QString HelpFilePath;
    QString SubDirectory;

    void ShowHelpTopics();
    // Shows one topic's page in the help window straight away (F1 on a page).
    void ShowHelpTopic(const QString &fileName, const QString &title);

    // Created on the first ShowHelpTopics, kept until this component goes.
    TForm_HelpForm *helpForm() const { return m_form; }
    TForm_HelpMenu *helpMenu() const { return m_menu; }

private:
    void prepareForm();

    desktop::DesktopServices m_desktop;
    QPointer<QWidget> m_owner;
    QPointer<TForm_HelpForm> m_form;
    QPointer<TForm_HelpMenu> m_menu;
};

// The application's title, for a component whose ApplicationTitle is empty.
QString applicationTitle();

} // namespace accrua::help
