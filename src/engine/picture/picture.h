// One picture loader for the reports and the options dialog: JPEG through
// libjpeg, bitmaps and icons through Qt's readers, metafiles through the
// metafile player. Every file is treated as hostile.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <stdexcept>

namespace accrua::engine::picture {

class PictureError : public std::runtime_error {
public:
    explicit PictureError(const QString &message);
    QString message() const;
};

// Chooses the reader by the extension (jpg, jpeg, bmp, ico, emf); any other
// fails with "Unknown picture file extension (.%s)". Throws PictureError.
// jpeg, when given, receives the file's bytes if it was a JPEG, else nothing.
QImage loadPicture(const QString &path, QByteArray *jpeg = nullptr);
// The same on bytes already read; extension without the dot.
QImage loadPictureData(const QByteArray &data, const QString &extension);

} // namespace accrua::engine::picture
