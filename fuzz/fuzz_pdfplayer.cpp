// Plays arbitrary bytes as a metafile page into the PDF writer, twice, and
// finishes the document: the direct PDF path must hold on hostile pages too.
#include "engine/pdf/pdfwriter.h"

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
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    accrua::engine::pdf::PdfWriter writer;
    for (int page = 0; page < 2; ++page)
        if (writer.addPage(bytes) != accrua::engine::pdf::PlayResult::Played)
            return 0;
    writer.finish();
    return 0;
}
