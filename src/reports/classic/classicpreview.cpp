#include "reports/classic/classicpreview.h"

#include "desktop/dialogs.h"

#include "reports/classic/rtf.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

#include <map>
#include <tuple>

namespace accrua::reports::classic {

namespace {

// "Text File (*.TXT)|*.TXT" as a Qt filter. The patterns are matched in
// either case, as the program's users expect of file names.
QString qtFilter(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString &p : parts[i + 1].split(u';', Qt::SkipEmptyParts)) {
            patterns << p;
            if (p.toLower() != p)
                patterns << p.toLower();
        }
        QString description = parts[i];
        const qsizetype paren = description.indexOf(u'(');
        if (paren > 0)
            description = description.left(paren).trimmed();
        filters << description + QStringLiteral(" (") + patterns.join(u' ') + u')';
    }
    return filters.join(QStringLiteral(";;"));
}

QString suffixOf(const QString &defaultExtension)
{
    QString suffix = defaultExtension;
    if (suffix.startsWith(QLatin1String("*.")))
        suffix.remove(0, 2);
    return suffix;
}

// The program's filter notation turned into a request for the report
// commands' file dialog.
desktop::FileDialogRequest fileRequest(QWidget *parent, const QString &filter,
                                       const QString &defaultExtension)
{
    desktop::FileDialogRequest request;
    request.filter = qtFilter(filter);
    request.defaultSuffix = suffixOf(defaultExtension);
    request.parent = parent;
    request.centreOverParent = false;
    return request;
}

// A printer glyph: the style has none.
QIcon printerIcon(const QPalette &palette)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(palette.color(QPalette::WindowText));
    p.setBrush(Qt::white);
    p.drawRect(4, 1, 7, 5); // paper in
    p.setBrush(palette.color(QPalette::Mid));
    p.drawRect(1, 6, 13, 6); // body
    p.setBrush(Qt::white);
    p.drawRect(4, 10, 7, 5); // paper out
    p.drawLine(6, 12, 9, 12);
    p.end();
    return QIcon(pixmap);
}

QPushButton *glyphButton(QWidget *parent, const char *name, const QIcon &icon, const QString &hint, int left)
{
    auto *button = new QPushButton(icon, QString(), parent);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(hint);
    button->setGeometry(left, 4, 27, 27);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

} // namespace

ClassicDialogs::~ClassicDialogs() = default;

QString QtClassicDialogs::openFileName(QWidget *parent, const QString &filter,
                                       const QString &defaultExtension)
{
    return desktop::QtFileDialogService().getOpenFileName(fileRequest(parent, filter, defaultExtension));
}

QString QtClassicDialogs::saveFileName(QWidget *parent, const QString &filter,
                                       const QString &defaultExtension)
{
    return desktop::QtFileDialogService().getSaveFileName(fileRequest(parent, filter, defaultExtension));
}

bool QtClassicDialogs::choosePrinter(QWidget *parent, QPrinter &printer)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

namespace {

// The lines as blocks, each in its own attributes; an empty line keeps the
// height of its font.
void fillDocument(QTextDocument &document, const ClassicLines &lines)
{
    document.setUndoRedoEnabled(false);
    QFont base(QStringLiteral("Courier New"));
    base.setPointSize(10);
    base.setStyleHint(QFont::TypeWriter);
    document.setDefaultFont(base);

    // One format per distinct set of attributes: a report has a handful.
    std::map<std::tuple<QString, int, bool, bool>, QTextCharFormat> formats;
    const auto formatOf = [&formats](const ClassicAttributes &a) -> const QTextCharFormat & {
        const auto key = std::make_tuple(a.fontName, a.pointSize, a.bold, a.underline);
        auto it = formats.find(key);
        if (it == formats.end()) {
            QTextCharFormat format;
            QFont font(a.fontName);
            font.setPointSize(a.pointSize);
            font.setBold(a.bold);
            font.setUnderline(a.underline);
            if (a.fontName.contains(QLatin1String("courier"), Qt::CaseInsensitive))
                font.setStyleHint(QFont::TypeWriter);
            format.setFont(font, QTextCharFormat::FontPropertiesAll);
            it = formats.emplace(key, format).first;
        }
        return it->second;
    };

    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    bool first = true;
    for (const ClassicLine &line : lines) {
        const QTextCharFormat &format = formatOf(line.attributes);
        if (first)
            cursor.setBlockCharFormat(format);
        else
            cursor.insertBlock(QTextBlockFormat(), format);
        first = false;
        if (!line.text.isEmpty())
            cursor.insertText(line.text, format);
    }
    cursor.endEditBlock();
}

} // namespace

QTextDocument *classicDocument(const ClassicLines &lines, QObject *parent)
{
    auto *document = new QTextDocument(parent);
    document->setDocumentLayout(new QPlainTextDocumentLayout(document));
    fillDocument(*document, lines);
    return document;
}

bool printClassicLines(const ClassicLines &lines, QPrinter &printer)
{
    // Inside the banded reports' margins, never the printer's bare minimum,
    // on whatever paper the print dialog left; turned as the saved file is.
    const QPageLayout page = classicPageLayout(lines, printer.pageLayout().pageSize());
    printer.setFullPage(false);
    printer.setPageOrientation(page.orientation());
    printer.setPageMargins(page.margins(), page.units());

    QTextDocument document;
    document.documentLayout()->setPaintDevice(&printer); // measured as printed
    document.setDocumentMargin(0);
    QTextOption option = document.defaultTextOption();
    option.setWrapMode(QTextOption::NoWrap);
    document.setDefaultTextOption(option);
    fillDocument(document, lines);

    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRectF area = printer.pageLayout().paintRectPixels(printer.resolution());
    const qreal width = document.idealWidth();
    // A line wider than the paper would lose its last columns: the whole
    // report is scaled to the paper's width instead.
    const qreal scale = width > area.width() ? area.width() / width : 1.0;
    const qreal pageHeight = area.height() / scale;
    QAbstractTextDocumentLayout *layout = document.documentLayout();

    const auto drawRange = [&](qreal from, qreal to) {
        painter.save();
        painter.scale(scale, scale);
        painter.translate(0, -from);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(0, from, width, to - from);
        painter.setClipRect(context.clip);
        layout->draw(&painter, context);
        painter.restore();
    };
    // Pages break between lines, never through one.
    qreal top = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QRectF r = layout->blockBoundingRect(block);
        if (r.bottom() - top > pageHeight && r.top() > top) {
            drawRange(top, r.top());
            if (!printer.newPage())
                return false;
            top = r.top();
        }
    }
    drawRange(top, layout->documentSize().height());
    return painter.end() && printer.printerState() != QPrinter::Error;
}

TForm_OldPreview::TForm_OldPreview(desktop::MessageService &messages, ClassicDialogs &dialogs,
                                   QWidget *parent)
    : QDialog(parent), m_messages(messages), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("TForm_OldPreview"));
    setWindowTitle(tr("Print Preview"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowMinMaxButtonsHint, true);

    MainMenu = new QMenuBar(this);
    MenuItem_File = MainMenu->addMenu(tr("&File"));
    MenuItem_File->setObjectName(QStringLiteral("MenuItem_File"));
    MenuItem_Open = MenuItem_File->addAction(tr("&Open..."));
    MenuItem_Save = MenuItem_File->addAction(tr("&Save..."));
    MenuItem_File->addSeparator();
    MenuItem_Print = MenuItem_File->addAction(tr("&Print..."));
    MenuItem_File->addSeparator();
    MenuItem_Close = MenuItem_File->addAction(tr("&Close"));
    connect(MenuItem_Open, &QAction::triggered, this, &TForm_OldPreview::BitBtn_OpenClick);
    connect(MenuItem_Save, &QAction::triggered, this, &TForm_OldPreview::BitBtn_SaveClick);
    connect(MenuItem_Print, &QAction::triggered, this, &TForm_OldPreview::BitBtn_PrintClick);
    connect(MenuItem_Close, &QAction::triggered, this, &TForm_OldPreview::MenuItem_CloseClick);

    Panel_Ok = new QWidget(this);
    Panel_Ok->setObjectName(QStringLiteral("Panel_Ok"));
    Panel_Ok->setFixedHeight(34);
    BitBtn_Open = glyphButton(Panel_Ok, "BitBtn_Open", style()->standardIcon(QStyle::SP_DialogOpenButton),
                              tr("Open"), 4);
    BitBtn_Save = glyphButton(Panel_Ok, "BitBtn_Save", style()->standardIcon(QStyle::SP_DialogSaveButton),
                              tr("Save"), 33);
    BitBtn_Print = glyphButton(Panel_Ok, "BitBtn_Print", printerIcon(palette()), tr("Print"), 62);
    connect(BitBtn_Open, &QPushButton::clicked, this, &TForm_OldPreview::BitBtn_OpenClick);
    connect(BitBtn_Save, &QPushButton::clicked, this, &TForm_OldPreview::BitBtn_SaveClick);
    connect(BitBtn_Print, &QPushButton::clicked, this, &TForm_OldPreview::BitBtn_PrintClick);

    RichEdit_Preview = new QPlainTextEdit(this);
    RichEdit_Preview->setObjectName(QStringLiteral("RichEdit_Preview"));
    RichEdit_Preview->setReadOnly(true);
    RichEdit_Preview->setLineWrapMode(QPlainTextEdit::NoWrap);
    RichEdit_Preview->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit_Preview->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit_Preview->setFocusPolicy(Qt::ClickFocus); // no tab stop
    RichEdit_Preview->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setLines({});

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(MainMenu);
    layout->addWidget(Panel_Ok);
    layout->addWidget(RichEdit_Preview, 1);

    resize(800, 600);
    if (QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
}

void TForm_OldPreview::setLines(ClassicLines lines)
{
    m_lines = std::move(lines);
    // The control deletes the document it replaces, a child of its own.
    RichEdit_Preview->setDocument(classicDocument(m_lines, RichEdit_Preview));
    // The caret and the view at the top of the report.
    RichEdit_Preview->moveCursor(QTextCursor::Start);
}

bool TForm_OldPreview::loadFile(const QString &fileName)
{
    RtfFormat format;
    ClassicLines lines;
    if (!format.readFile(fileName, lines)) {
        showError(format.errorString());
        return false;
    }
    setLines(std::move(lines));
    return true;
}

bool TForm_OldPreview::saveFile(const QString &fileName)
{
    RtfFormat format;
    if (!format.writeFile(fileName, m_lines)) {
        showError(format.errorString());
        return false;
    }
    return true;
}

bool TForm_OldPreview::printOn(QPrinter &printer)
{
    printer.setDocName(QString());
    if (printClassicLines(m_lines, printer))
        return true;
    showError(tr("The report could not be printed on \"%1\".")
                  .arg(printer.printerName().isEmpty() ? printer.outputFileName() : printer.printerName()));
    return false;
}

void TForm_OldPreview::BitBtn_OpenClick()
{
    const QString fileName = m_dialogs.openFileName(this, kClassicOpenFilter, kClassicDefaultExtension);
    if (!fileName.isEmpty())
        loadFile(fileName);
}

void TForm_OldPreview::BitBtn_SaveClick()
{
    const QString fileName = m_dialogs.saveFileName(this, kClassicSaveFilter, kClassicDefaultExtension);
    if (!fileName.isEmpty())
        saveFile(fileName);
}

void TForm_OldPreview::BitBtn_PrintClick()
{
    QPrinter printer;
    if (m_dialogs.choosePrinter(this, printer))
        printOn(printer);
}

void TForm_OldPreview::MenuItem_CloseClick()
{
    close();
}

void TForm_OldPreview::showError(const QString &text)
{
    m_messages.ShowMessageDialog(text, desktop::MessageKind::Error, desktop::MessageButton::OK);
}

} // namespace accrua::reports::classic
