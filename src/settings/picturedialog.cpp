#include "settings/picturedialog.h"

#include "engine/picture/picture.h"
#include "settings/optionspicture.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace accrua::settings {

const QStringList &pictureNameFilters()
{
    static const QStringList filters{
        QStringLiteral("All pictures (*.jpg *.jpeg *.bmp *.ico *.emf)"),
        QStringLiteral("JPEG Image File (*.jpg *.jpeg)"),
        QStringLiteral("Bitmaps (*.bmp)"),
        QStringLiteral("Icons (*.ico)"),
        QStringLiteral("Enhanced Metafiles (*.emf)"),
    };
    return filters;
}

PictureBrowser::~PictureBrowser() = default;

std::optional<QString> ScriptedPictureBrowser::browsePicture(QWidget *, const QString &current)
{
    m_asked << current;
    if (m_answers.empty())
        return std::nullopt;
    const QString answer = m_answers.front();
    m_answers.pop_front();
    if (answer.isNull())
        return std::nullopt;
    return answer;
}

OpenPictureDialog::OpenPictureDialog(QWidget *parent) : QFileDialog(parent)
{
    setObjectName(QStringLiteral("OpenPictureDialog"));
    setWindowTitle(tr("Open"));
    // The desktop's own dialog has no room for a preview pane.
    setOption(QFileDialog::DontUseNativeDialog);
    setFileMode(QFileDialog::ExistingFile);
    setAcceptMode(QFileDialog::AcceptOpen);
    setNameFilters(pictureNameFilters());
    setSizeGripEnabled(true);

    auto *pane = new QWidget(this);
    auto *paneLayout = new QVBoxLayout(pane);
    paneLayout->setContentsMargins(0, 0, 0, 0);
    m_image = new QLabel(pane);
    m_image->setObjectName(QStringLiteral("PreviewImage"));
    m_image->setFixedSize(kPreviewSide, kPreviewSide);
    m_image->setAlignment(Qt::AlignCenter);
    m_image->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    m_caption = new QLabel(tr("(None)"), pane);
    m_caption->setAlignment(Qt::AlignCenter);
    m_caption->setWordWrap(true);
    m_caption->setFixedWidth(kPreviewSide);
    paneLayout->addWidget(m_caption);
    paneLayout->addWidget(m_image);
    paneLayout->addStretch();
    if (auto *grid = qobject_cast<QGridLayout *>(layout()))
        grid->addWidget(pane, 1, grid->columnCount(), grid->rowCount() - 1, 1);

    connect(this, &QFileDialog::currentChanged, this, &OpenPictureDialog::showPreview);
    // Room for the list beside the pane.
    resize(800, 460);
}

void OpenPictureDialog::showPreview(const QString &path)
{
    m_image->clear();
    if (!QFileInfo(path).isFile()) {
        m_caption->setText(tr("(None)"));
        return;
    }
    try {
        const PreviewPicture picture =
            loadPreviewPicture(path, QSize(kPreviewSide - 4, kPreviewSide - 4), PreviewFit::ScaleToFit);
        m_image->setPixmap(QPixmap::fromImage(picture.image));
        m_caption->setText(
            QStringLiteral("(%1x%2)").arg(picture.fullSize.width()).arg(picture.fullSize.height()));
    } catch (const engine::picture::PictureError &) {
        // Only a look while choosing: the choice itself reports the failure.
        m_caption->setText(tr("(None)"));
    }
}

std::optional<QString> DialogPictureBrowser::browsePicture(QWidget *parent, const QString &current)
{
    OpenPictureDialog dialog(parent);
    const QFileInfo info(current);
    if (info.isFile()) {
        dialog.selectFile(info.absoluteFilePath());
        dialog.showPreview(info.absoluteFilePath());
    } else if (info.isDir()) {
        dialog.setDirectory(info.absoluteFilePath());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QFileInfo(dialog.selectedFiles().constFirst()).absoluteFilePath();
}

} // namespace accrua::settings
