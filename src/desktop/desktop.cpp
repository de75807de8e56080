#include "desktop/desktop.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QIcon>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QSvgRenderer>

namespace accrua::desktop {

namespace {

const QString kEmblem = QStringLiteral(":/accrua/accrua.svg");

} // namespace

DesktopServices DesktopServices::system()
{
    DesktopServices services;
    services.askPrinter = [](QPrinter &printer, QWidget *parent) {
        QPrintDialog dialog(&printer, parent);
        return dialog.exec() == QDialog::Accepted;
    };
    services.openUrl = [](const QUrl &url) { QDesktopServices::openUrl(url); };
    return services;
}

LinkLabel::LinkLabel(QWidget *parent) : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}

void passToLabel(QLabel *label, const QString &value)
{
    label->clear();
    if (!value.isEmpty())
        label->setText(value);
}

void setLabelFont(QLabel *label, int points, bool bold)
{
    QFont f = label->font();
    f.setPointSize(points);
    f.setBold(bold);
    label->setFont(f);
}

void centreOnScreen(QWidget *window)
{
    QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

void copyPicture(const QLabel *source, QLabel *target)
{
    if (!source)
        return;
    target->setPixmap(source->pixmap());
    target->resize(source->size());
    target->setScaledContents(source->hasScaledContents());
    target->setAutoFillBackground(source->autoFillBackground());
}

void PlacedPicture::setImageLeft(int left)
{
    m_imageLeft = left;
    if (Image)
        Image->move(left, Image->y());
}

void PlacedPicture::setImageTop(int top)
{
    m_imageTop = top;
    if (Image)
        Image->move(Image->x(), top);
}

void PlacedPicture::placeInto(QLabel *target) const
{
    if (!Image)
        return;
    copyPicture(Image, target);
    target->move(m_imageLeft, m_imageTop);
}

QPixmap programPixmap(const QSize &size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(kEmblem);
    renderer.setAspectRatioMode(Qt::KeepAspectRatio);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

QIcon programIcon()
{
    // Drawn here rather than through the SVG icon plugin, which may be missing.
    QIcon icon;
    for (int side : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(programPixmap(QSize(side, side)));
    return icon;
}

QLabel *makeProgramImage(QWidget *parent)
{
    auto *image = new QLabel(parent);
    image->setObjectName(QStringLiteral("Image"));
    image->setGeometry(0, 0, 162, 140);
    image->setScaledContents(true);
    image->setAutoFillBackground(false);
    image->setPixmap(programPixmap(image->size()));
    image->hide();
    return image;
}

} // namespace accrua::desktop
