// Opens the input as a report page file and reads every page, in both walk
// directions, then checks each page's metafile header. The input also goes
// through the body coder and back, which must give it unchanged.
#include "engine/emf/emf.h"
#include "engine/pagefile/pagelist.h"
#include "engine/pagefile/rptcompress.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace accrua::engine::emf;
    using namespace accrua::engine::pagefile;
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QByteArray coded = TRptCompress::codeAll(bytes);
    const auto decoded = TRptCompress::decodeAll(coded.constData(), coded.size(), bytes.size());
    if (!decoded || *decoded != bytes)
        std::abort();

    TRptPageList list;
    try {
        list.loadFromData(bytes, QStringLiteral("fuzz.arp"));
    } catch (const PageFileError &) {
        return 0;
    }
    try {
        const int count = list.pageCount();
        for (int n = 1; n <= count; ++n) {
            if (const auto page = list.GetPage(n))
                EmfPlayer::inspect(*page);
        }
        for (int n = count; n >= 1; n -= 2)
            list.GetPage(n);
        list.records();
    } catch (const PageFileError &) {
    }
    return 0;
}
