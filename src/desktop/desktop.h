// What the help windows, the splash and the about box ask of the desktop:
// a printer chosen in the print dialog, a web address handed to the browser,
// and the program's picture. Tests replace the two questions; the defaults
// are the only code here that shows a print dialog or opens a browser.
#pragma once

#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QUrl>

#include <functional>

class QIcon;
class QPrinter;
class QWidget;

namespace accrua::desktop {

struct DesktopServices {
    // Sets up `printer` in the print dialog; false when the user cancels.
    std::function<bool(QPrinter &printer, QWidget *parent)> askPrinter;
    // Hands a web address to the desktop unchanged; whether it worked is not looked at.
    std::function<void(const QUrl &url)> openUrl;

    // The print dialog and the desktop's launcher.
    static DesktopServices system();
};

// A label that reports a click, for the vendor's web address.
class LinkLabel : public QLabel {
    Q_OBJECT

public:
    explicit LinkLabel(QWidget *parent = nullptr);

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

// Passing a text to a label: the design caption is cleared and an empty
// value leaves the label blank.
void passToLabel(QLabel *label, const QString &value);
void setLabelFont(QLabel *label, int points, bool bold);

// Puts a window in the middle of the screen it is on.
void centreOnScreen(QWidget *window);

// Copies a picture control: picture, size, stretching and transparency; none
// leaves `target` empty.
void copyPicture(const QLabel *source, QLabel *target);

// The picture the splash and about components show and where their form
// places it; moving it also moves the picture control itself when one is set.
class PlacedPicture {
public:
    PlacedPicture(int left, int top) : m_imageLeft(left), m_imageTop(top) {}

    QPointer<QLabel> Image; // not owned; none: no picture

    int imageLeft() const { return m_imageLeft; }
    int imageTop() const { return m_imageTop; }
    void setImageLeft(int left);
    void setImageTop(int top);

    // Copies the picture into the form's control, at the placed position.
    void placeInto(QLabel *target) const;

private:
    int m_imageLeft;
    int m_imageTop;
};

// The program's emblem at the given size, drawn from its SVG.
QPixmap programPixmap(const QSize &size);
QIcon programIcon();

// The main window's hidden picture control: 162 x 140, stretched, transparent.
QLabel *makeProgramImage(QWidget *parent);

} // namespace accrua::desktop
