// TForm_OldPreview: the classic report window. It shows the lines of a
// classic report in a read-only text control with their fonts, sizes, bold
// and underline, and opens, saves and prints them. The lines it holds are
// the content: Save writes exactly them, Open replaces them.
//
// File and print dialogs are reached through ClassicDialogs, messages
// through desktop::MessageService, so tests script both.
#pragma once

#include "desktop/messages.h"
#include "reports/classic/classicline.h"

#include <QDialog>
#include <QPageLayout>
#include <QPageSize>
#include <QString>

class QAction;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPrinter;
class QPushButton;
class QTextDocument;
class QWidget;

namespace accrua::reports::classic {

// The file and print dialogs of the classic reports. Filters are given as
// the program names them ("Text File (*.TXT)|*.TXT").
class ClassicDialogs {
public:
    virtual ~ClassicDialogs();
    // The chosen file name; empty when cancelled.
    virtual QString openFileName(QWidget *parent, const QString &filter, const QString &defaultExtension) = 0;
    virtual QString saveFileName(QWidget *parent, const QString &filter, const QString &defaultExtension) = 0;
    // Shows the print dialog for `printer`; true when the user confirms.
    virtual bool choosePrinter(QWidget *parent, QPrinter &printer) = 0;
};

// The real dialogs.
class QtClassicDialogs : public ClassicDialogs {
public:
    QString openFileName(QWidget *parent, const QString &filter, const QString &defaultExtension) override;
    QString saveFileName(QWidget *parent, const QString &filter, const QString &defaultExtension) override;
    bool choosePrinter(QWidget *parent, QPrinter &printer) override;
};

inline const QString kClassicOpenFilter = QStringLiteral("Rich Text File (*.TXT)|*.TXT");
inline const QString kClassicSaveFilter = QStringLiteral("Text File (*.TXT)|*.TXT");
inline const QString kClassicDefaultExtension = QStringLiteral("*.TXT");

// A document showing the lines in their attributes, laid out line by line
// (the window sets it to no wrapping).
QTextDocument *classicDocument(const ClassicLines &lines, QObject *parent);

// The page printed lines go on: `paper` with the classic margins, turned as
// classicLandscape() turns the saved file's page.
QPageLayout classicPageLayout(const ClassicLines &lines, const QPageSize &paper);

// Prints the lines unwrapped, scaled down to the paper's width when the
// widest is wider, with page breaks between lines. False when the printer
// could not be started or reported an error.
bool printClassicLines(const ClassicLines &lines, QPrinter &printer);

class TForm_OldPreview : public QDialog {
    Q_OBJECT

public:
    TForm_OldPreview(desktop::MessageService &messages, ClassicDialogs &dialogs, QWidget *parent = nullptr);

    void setLines(ClassicLines lines);
    const ClassicLines &lines() const { return m_lines; }

    // Replaces the content by the file; on failure says why and keeps it.
    bool loadFile(const QString &fileName);
    // Writes the content as rich text; on failure says why.
    bool saveFile(const QString &fileName);
    // Prints the content with an empty document title; on failure says so.
    bool printOn(QPrinter &printer);

    void BitBtn_OpenClick();
    void BitBtn_SaveClick();
    void BitBtn_PrintClick();
    void MenuItem_CloseClick();

    QMenuBar *MainMenu = nullptr;
    QMenu *MenuItem_File = nullptr;
    QAction *MenuItem_Open = nullptr;
    QAction *MenuItem_Save = nullptr;
    QAction *MenuItem_Print = nullptr;
    QAction *MenuItem_Close = nullptr;
    QWidget *Panel_Ok = nullptr;
    QPushButton *BitBtn_Open = nullptr;
    QPushButton *BitBtn_Save = nullptr;
    QPushButton *BitBtn_Print = nullptr;
    QPlainTextEdit *RichEdit_Preview = nullptr;

private:
    void showError(const QString &text);

    desktop::MessageService &m_messages;
    ClassicDialogs &m_dialogs;
    ClassicLines m_lines;
};

} // namespace accrua::reports::classic
