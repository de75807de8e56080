// JPEG files written with libjpeg itself, so that tests of the picture
// loaders do not depend on Qt's image plugins.
#pragma once

#include <QByteArray>
#include <QImage>

namespace accrua::testsupport {

enum class JpegKind { Baseline420, Baseline444, Gray, Progressive };

QByteArray encodeJpeg(const QImage &image, JpegKind kind, int quality = 90);

} // namespace accrua::testsupport
