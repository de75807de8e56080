// Loads arbitrary bytes as a picture; the first byte chooses the extension.
// For JPEG the one decoder is also asked as the options preview asks it:
// scaled to fit or cut at an area, the second byte choosing which and how large.
#include "engine/picture/jpeg.h"
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
    if (data[0] % 6 < 2 && size > 1) {
        const int side = 1 + (data[1] & 0x3f) * 4;
        accrua::engine::picture::JpegRequest request;
        request.plainColours = true;
        if (data[1] & 0x80)
            request.fitInto = QSize(side, side + (data[1] & 0x40 ? 7 : 0));
        else
            request.keep = QSize(side, side);
        (void)accrua::engine::picture::decodeJpeg(bytes, request);
    }
    return 0;
}
