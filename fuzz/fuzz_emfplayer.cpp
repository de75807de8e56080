// Plays arbitrary bytes as a metafile onto a small image, and inspects them.
#include "engine/emf/emf.h"

#include "fuzz_gui.h"
#include <QImage>
#include <QPainter>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    fuzzEnsureGuiApp(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    accrua::engine::emf::EmfPlayer::inspect(bytes);
    accrua::engine::emf::EmfPlayer::pageSize(bytes);
    QImage img(96, 128, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    QPainter painter(&img);
    accrua::engine::emf::EmfPlayer::play(bytes, painter, QRectF(0, 0, 96, 128));
    return 0;
}
