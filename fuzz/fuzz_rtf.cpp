// A classic report file is whatever the user opens: any bytes must read as
// lines or give an error text, never crash, hang or exhaust memory. What
// reads as lines must also write and read back unchanged.
#include "reports/classic/rtf.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace accrua::reports::classic;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    RtfFormat format;
    ClassicLines lines;
    if (!format.readData(bytes, lines))
        return 0;
    ClassicLines again;
    if (!format.readData(RtfFormat::toRtf(lines), again) || again != lines)
        std::abort();
    return 0;
}
