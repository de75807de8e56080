// Loads arbitrary bytes as a picture; the first byte chooses the extension.
#include "engine/picture/picture.h"

#include "fuzz_gui.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    fuzzEnsureGuiApp(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    static const char *const extensions[] = {"jpg", "jpeg", "bmp", "ico", "emf", "png"};
    const char *ext = extensions[data[0] % 6];
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    try {
        accrua::engine::picture::loadPictureData(bytes, QString::fromLatin1(ext));
    } catch (const accrua::engine::picture::PictureError &) {
    }
    return 0;
}
