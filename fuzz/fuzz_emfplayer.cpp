// Plays arbitrary bytes as a metafile onto a small image, and inspects them.
#include "engine/emf.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication *app = new QGuiApplication(*argc, *argv);
    (void)app;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    accrua::engine::EmfPlayer::inspect(bytes);
    accrua::engine::EmfPlayer::pageSize(bytes);
    QImage img(96, 128, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    QPainter painter(&img);
    accrua::engine::EmfPlayer::play(bytes, painter, QRectF(0, 0, 96, 128));
    return 0;
}
