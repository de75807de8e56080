// Reads the input as a font file (a face, or a collection's first two),
// its metrics and character map, and asks for glyphs and advances across
// the character range: nothing may read outside the input, and every glyph
// found must be one the face has.
#include "engine/fonts/facemetrics.h"
#include "engine/fonts/fontfile.h"

#include <QByteArray>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace accrua::engine::fonts;
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    for (int index = 0; index < 2; ++index) {
        const auto file = FontFile::fromBytes(bytes, index);
        if (!file)
            continue;
        for (const char *tag : {"head", "glyf", "cmap", "OS/2", "zzzz"})
            (void)file->table(tag);
        const auto metrics = FaceMetrics::load(*file);
        if (!metrics)
            continue;
        for (char32_t cp : {U'\0', U'A', U'\u00e9', U'\u20ac', U'\uffff', U'\U00010000', char32_t(0x10FFFF),
                            char32_t(0xFFFFFFFF)}) {
            const quint32 g = metrics->glyph(cp);
            if ((metrics->glyphCount() > 0 && g >= quint32(metrics->glyphCount())) ||
                !std::isfinite(metrics->advanceEm(g)))
                std::abort();
        }
        if (!std::isfinite(metrics->ascentEm()) || !std::isfinite(metrics->descentEm()))
            std::abort();
    }
    return 0;
}
