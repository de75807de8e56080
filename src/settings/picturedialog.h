// Choosing the picture for the reports: the PictureBrowser seam, a scripted
// browser for tests, and the file dialog with a preview pane that the program
// shows.
#pragma once

#include <QFileDialog>
#include <QString>
#include <QStringList>

#include <deque>
#include <optional>

class QLabel;

namespace accrua::settings {

// The filters of the pictures the program loads, "All pictures" first.
const QStringList &pictureNameFilters();

class PictureBrowser {
public:
    virtual ~PictureBrowser();
    // The full path of the picture the user chose, or nothing when cancelled.
    // `parent` is the window that asks; `current` the path shown now.
    virtual std::optional<QString> browsePicture(QWidget *parent, const QString &current) = 0;
};

// Answers from a queue (nothing queued: cancelled) and records the paths it
// was started from.
class ScriptedPictureBrowser : public PictureBrowser {
public:
    std::optional<QString> browsePicture(QWidget *parent, const QString &current) override;
    void queueAnswer(const std::optional<QString> &answer)
    {
        m_answers.push_back(answer.value_or(QString()));
    }
    const QStringList &asked() const { return m_asked; }

private:
    std::deque<QString> m_answers; // a null text: cancelled
    QStringList m_asked;
};

// Qt's own (not the desktop's) file dialog with a pane beside the list that
// shows the current file's picture fitted into it, with its size.
class OpenPictureDialog : public QFileDialog {
    Q_OBJECT

public:
    static constexpr int kPreviewSide = 160;

    explicit OpenPictureDialog(QWidget *parent = nullptr);

    QLabel *previewImage() const { return m_image; }
    QLabel *previewCaption() const { return m_caption; }

    void showPreview(const QString &path);

private:
    QLabel *m_image = nullptr;
    QLabel *m_caption = nullptr;
};

class DialogPictureBrowser : public PictureBrowser {
public:
    std::optional<QString> browsePicture(QWidget *parent, const QString &current) override;
};

} // namespace accrua::settings
