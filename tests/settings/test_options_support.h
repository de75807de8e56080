// Shared by the options tests and benchmark: a picture with a pattern, files,
// and a store in a temporary folder.
#pragma once

#include "jpeg.h"
#include "settings/store.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QString>

#include <cstdlib>
#include <vector>

namespace accrua::testsupport {

// Smooth gradients with a grid, so that misplaced rows or columns show.
inline QImage patternImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const bool grid = x % 37 == 0 || y % 23 == 0;
            line[x] = grid ? qRgb(0, 0, 0) : qRgb((x * 255) / width, (y * 255) / height, ((x + y) * 7) % 256);
        }
    }
    return image;
}

inline bool writeFile(const QString &path, const QByteArray &data)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(data) == data.size();
}

} // namespace accrua::testsupport
