#include "engine/emf/dib.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace accrua::engine::emf {

using namespace records;

namespace {

constexpr qint64 kMaxDibPixels = 16LL * 1024 * 1024;
constexpr qint64 kMaxDibSide = 32768;

DibResult decodeDib(const Reader &rec, qint64 fixedSize, quint32 offBmi, quint32 cbBmi, quint32 offBits,
                    quint32 cbBits, quint32 usage, bool partialScans, QImage *out, QString *why)
{
    const qint64 size = rec.size();
    if (offBmi < fixedSize || qint64(offBmi) + cbBmi > size) {
        *why = QStringLiteral("bitmap header outside its record");
        return DibResult::Damaged;
    }
    if (offBits < fixedSize || qint64(offBits) + cbBits > size) {
        *why = QStringLiteral("bitmap bits outside their record");
        return DibResult::Damaged;
    }
    if (cbBmi < 40) {
        *why = QStringLiteral("bitmap header too short");
        return cbBmi >= 12 ? DibResult::Unsupported : DibResult::Damaged;
    }
    const quint32 biSize = rec.u32(offBmi);
    if (biSize < 40)
        return DibResult::Unsupported; // core headers are not written by report programs
    if (biSize > cbBmi) {
        *why = QStringLiteral("bitmap header larger than its space");
        return DibResult::Damaged;
    }
    const qint64 w = rec.i32(offBmi + 4);
    const qint64 rawH = rec.i32(offBmi + 8);
    const quint32 bpp = rec.u16(offBmi + 14);
    const quint32 compression = rec.u32(offBmi + 16);
    const quint32 clrUsed = rec.u32(offBmi + 32);
    const bool bottomUp = rawH > 0;
    const qint64 h = rawH < 0 ? -rawH : rawH;
    if (w <= 0 || h <= 0 || w > kMaxDibSide || h > kMaxDibSide || w * h > kMaxDibPixels) {
        *why = QStringLiteral("bitmap dimensions out of range (%1 x %2)").arg(w).arg(rawH);
        return DibResult::Damaged;
    }
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) {
        *why = QStringLiteral("bitmap depth %1 not valid").arg(bpp);
        return DibResult::Damaged;
    }
    const bool bitfields = compression == BI_BITFIELDS && (bpp == 16 || bpp == 32);
    if (compression != BI_RGB && !bitfields)
        return DibResult::Unsupported;
    if (bpp <= 8 && usage != DIB_RGB_COLORS)
        return DibResult::Unsupported;

    const qint64 stride = ((w * bpp + 31) / 32) * 4;
    if (stride * h > cbBits) {
        // SETDIBITSTODEVICE may carry only some scan lines: not drawn here.
        *why = QStringLiteral("bitmap bits shorter than its dimensions");
        return partialScans ? DibResult::Unsupported : DibResult::Damaged;
    }

    std::vector<QRgb> table;
    if (bpp <= 8) {
        const qint64 maxColors = qint64(1) << bpp;
        const qint64 n = clrUsed == 0 ? maxColors : std::min<qint64>(clrUsed, maxColors);
        const qint64 tableAt = qint64(offBmi) + biSize;
        if (tableAt + n * 4 > qint64(offBmi) + cbBmi) {
            *why = QStringLiteral("colour table outside the bitmap header");
            return DibResult::Damaged;
        }
        table.resize(size_t(maxColors), qRgb(0, 0, 0));
        for (qint64 i = 0; i < n; ++i) {
            const quint32 q = rec.u32(tableAt + i * 4);
            table[size_t(i)] = qRgb(int((q >> 16) & 0xFF), int((q >> 8) & 0xFF), int(q & 0xFF));
        }
    }
    quint32 masks[3] = {0x7C00, 0x03E0, 0x001F};
    if (bpp == 32 && !bitfields) {
        masks[0] = 0xFF0000;
        masks[1] = 0xFF00;
        masks[2] = 0xFF;
    }
    if (bitfields) {
        const qint64 maskAt = qint64(offBmi) + 40;
        if (maskAt + 12 > qint64(offBmi) + cbBmi) {
            *why = QStringLiteral("colour masks outside the bitmap header");
            return DibResult::Damaged;
        }
        for (int i = 0; i < 3; ++i)
            masks[i] = rec.u32(maskAt + qint64{i} * 4);
    }
    int shift[3], bits[3];
    for (int i = 0; i < 3; ++i) {
        quint32 m = masks[i];
        shift[i] = 0;
        bits[i] = 0;
        if (!m)
            continue;
        while (!(m & 1)) {
            m >>= 1;
            ++shift[i];
        }
        while (m & 1) {
            m >>= 1;
            ++bits[i];
        }
    }
    auto channel = [&](quint32 v, int i) -> int {
        if (!bits[i])
            return 0;
        const quint32 x = (v & masks[i]) >> shift[i];
        const quint32 maxv = bits[i] >= 32 ? 0xFFFFFFFFu : ((1u << bits[i]) - 1);
        return int((quint64(x) * 255 + maxv / 2) / maxv);
    };

    QImage img(int(w), int(h), QImage::Format_RGB32);
    if (img.isNull()) {
        *why = QStringLiteral("bitmap cannot be held in memory");
        return DibResult::Damaged;
    }
    const uchar *base = rec.data() + offBits;
    for (qint64 y = 0; y < h; ++y) {
        const uchar *src = base + stride * (bottomUp ? h - 1 - y : y);
        QRgb *dst = reinterpret_cast<QRgb *>(img.scanLine(int(y)));
        for (qint64 x = 0; x < w; ++x) {
            switch (bpp) {
            case 1:
                dst[x] = table[size_t((src[x >> 3] >> (7 - (x & 7))) & 1)];
                break;
            case 4:
                dst[x] = table[size_t((src[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF)];
                break;
            case 8:
                dst[x] = table[src[x]];
                break;
            case 16: {
                const quint32 v = quint32(src[x * 2]) | (quint32(src[x * 2 + 1]) << 8);
                dst[x] = qRgb(channel(v, 0), channel(v, 1), channel(v, 2));
                break;
            }
            case 24:
                dst[x] = qRgb(src[x * 3 + 2], src[x * 3 + 1], src[x * 3]);
                break;
            default: {
                const uchar *p = src + x * 4;
                const quint32 v =
                    quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16) | (quint32(p[3]) << 24);
                dst[x] = qRgb(channel(v, 0), channel(v, 1), channel(v, 2));
                break;
            }
            }
        }
    }
    *out = img;
    return DibResult::Ok;
}

// Where the fields of each bitmap record lie, in bytes from the record's
// start; a raster operation at -1 means the record has none (SRCCOPY).
// Four constant rows: their field order follows the records, not the padding.
struct BitmapLayout { // NOLINT(clang-analyzer-optin.performance.Padding)
    quint32 type;
    qint64 fixedSize;
    qint64 destX, destY, destW, destH; // logical units
    qint64 srcX, srcY, srcW, srcH;     // bitmap pixels
    qint64 rop;
    qint64 usage, offBmi, cbBmi, offBits, cbBits;
    bool srcFromBottom; // source rows counted from the bitmap's bottom
    bool partialScans;  // may carry only some of the scan lines
};

// clang-format off
constexpr BitmapLayout kBitmapLayouts[] = {
    //                      fixed  destination       source             rop usage  bmi     bits   bottom partial
    {EMR_BITBLT,            100,   24, 28, 32, 36,   44, 48,  32,  36,  40, 80,   84, 88,  92, 96,  false, false},
    {EMR_STRETCHBLT,        108,   24, 28, 32, 36,   44, 48, 100, 104,  40, 80,   84, 88,  92, 96,  false, false},
    {EMR_STRETCHDIBITS,      80,   24, 28, 72, 76,   32, 36,  40,  44,  68, 64,   48, 52,  56, 60,  true,  false},
    {EMR_SETDIBITSTODEVICE,  76,   24, 28, 40, 44,   32, 36,  40,  44,  -1, 64,   48, 52,  56, 60,  true,  true},
};
// clang-format on

} // namespace

bool isBitmapRecord(quint32 type)
{
    return std::any_of(std::begin(kBitmapLayouts), std::end(kBitmapLayouts),
                       [type](const BitmapLayout &l) { return l.type == type; });
}

DibResult readBitmap(const Reader &rec, quint32 type, BitmapRecord &out, QString *why)
{
    const auto *layout = std::find_if(std::begin(kBitmapLayouts), std::end(kBitmapLayouts),
                                      [type](const BitmapLayout &l) { return l.type == type; });
    if (layout == std::end(kBitmapLayouts))
        return DibResult::Unsupported;
    const BitmapLayout &f = *layout;
    if (rec.size() < f.fixedSize) {
        *why = QStringLiteral("bitmap record too short");
        return DibResult::Damaged;
    }
    out.dest = QRectF(rec.i32(f.destX), rec.i32(f.destY), rec.i32(f.destW), rec.i32(f.destH));
    out.rop = f.rop < 0 ? SRCCOPY : rec.u32(f.rop);
    const quint32 usage = rec.u32(f.usage);
    const quint32 offBmi = rec.u32(f.offBmi), cbBmi = rec.u32(f.cbBmi);
    const quint32 offBits = rec.u32(f.offBits), cbBits = rec.u32(f.cbBits);
    out.hasBitmap = cbBmi != 0;
    out.image = QImage();
    out.src = QRectF();
    if (!out.hasBitmap)
        return DibResult::Ok;
    const DibResult r =
        decodeDib(rec, f.fixedSize, offBmi, cbBmi, offBits, cbBits, usage, f.partialScans, &out.image, why);
    if (r != DibResult::Ok)
        return r;
    QRectF src = QRectF(rec.i32(f.srcX), rec.i32(f.srcY), rec.i32(f.srcW), rec.i32(f.srcH)).normalized();
    if (f.srcFromBottom && rec.i32(offBmi + 8) > 0)
        src.moveTop(out.image.height() - src.top() - src.height());
    out.src = src.intersected(QRectF(0, 0, out.image.width(), out.image.height()));
    return DibResult::Ok;
}

} // namespace accrua::engine::emf
