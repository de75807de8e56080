#include "engine/pagefile/rptcompress.h"

#include <QtEndian>

namespace accrua::engine::pagefile {

namespace {
constexpr int kRoot = 0;
constexpr int kFirstLeaf = 256;
// A tree of 256 inner nodes puts no leaf more than 256 steps below the root.
constexpr int kMaxDepth = 257;
} // namespace

TRptCompress::TRptCompress()
{
    for (int i = 1; i <= 512; ++i)
        m_up[i] = (i - 1) / 2;
    for (int i = 0; i < 256; ++i) {
        m_child[i][0] = 2 * i + 1;
        m_child[i][1] = 2 * i + 2;
    }
}

[[gnu::always_inline]] inline void TRptCompress::rotate(int a, int p, int g)
{
    // The uncle s takes a's place under p, and a takes the uncle's place
    // under g. Indexing by side keeps these data-dependent choices free of
    // branches, which random data would mispredict.
    const int uncleSide = m_child[g][0] == p ? 1 : 0;
    const int s = m_child[g][uncleSide];
    m_child[g][uncleSide] = a;
    m_child[p][m_child[p][0] == a ? 0 : 1] = s;
    m_up[a] = g;
    m_up[s] = p;
}

[[gnu::always_inline]] inline void TRptCompress::splayPath(const int *path, int depth)
{
    // path[0] is the leaf, path[k + 1] the parent of path[k], path[depth] the
    // root. Semi-splaying moves up two levels a step; the parent of each new
    // grandparent is unchanged by the rotation below it, so the path recorded
    // before the first step serves every step, without chasing parent links.
    for (int i = 0; i + 1 < depth; i += 2)
        rotate(path[i], path[i + 1], path[i + 2]);
}

[[gnu::always_inline]] inline void TRptCompress::splayDown(const int *down, int depth)
{
    // The same steps with the path recorded from the root down: down[0] is
    // the root, down[depth] the leaf.
    for (int j = depth; j >= 2; j -= 2)
        rotate(down[j], down[j - 1], down[j - 2]);
}

void TRptCompress::code(const char *data, qint64 size, QByteArray &out)
{
    quint64 bits = m_bits;
    int count = m_bitCount;
    auto put = [&](quint64 code, int length) {
        // length <= 64; code's bit 0 goes out first.
        bits |= code << count;
        const int total = count + length;
        if (total < 64) {
            count = total;
            return;
        }
        char word[8];
        qToLittleEndian<quint64>(bits, word);
        out.append(word, 8);
        count = total - 64;
        bits = count == 0 ? 0 : code >> (length - count);
    };
    int path[kMaxDepth + 1];
    for (qint64 i = 0; i < size; ++i) {
        const int c = static_cast<quint8>(data[i]);
        int depth = 0;
        for (int a = c + kFirstLeaf; a != kRoot; a = m_up[a])
            path[depth++] = a;
        path[depth] = kRoot;
        // The root's bit is sent first: shifting each bit in at the bottom,
        // from the leaf's up, leaves it lowest.
        if (depth <= 64) {
            quint64 code = 0;
            for (int k = 0; k < depth; ++k)
                code = (code << 1) | (m_child[path[k + 1]][1] == path[k] ? 1u : 0u);
            put(code, depth);
        } else {
            // Deeper than 64 levels (semi-splaying keeps the tree far
            // shallower in practice): send bit by bit.
            for (int k = depth - 1; k >= 0; --k)
                put(m_child[path[k + 1]][1] == path[k] ? 1u : 0u, 1);
        }
        splayPath(path, depth);
    }
    m_bits = bits;
    m_bitCount = count;
}

void TRptCompress::finish(QByteArray &out)
{
    char word[8];
    qToLittleEndian<quint64>(m_bits, word);
    out.append(word, (m_bitCount + 7) / 8);
    m_bits = 0;
    m_bitCount = 0;
}

bool TRptCompress::decode(const char *input, qint64 inputSize, qint64 *inputPos, char *out, qint64 count)
{
    qint64 pos = *inputPos;
    quint64 bits = 0;
    int available = 0;
    bool ok = true;
    int down[kMaxDepth + 1];
    for (qint64 i = 0; i < count && ok; ++i) {
        int node = kRoot;
        int depth = 0;
        down[0] = kRoot;
        do {
            if (available == 0) {
                if (pos >= inputSize) {
                    ok = false;
                    break;
                }
                const qint64 take = qMin<qint64>(8, inputSize - pos);
                bits = 0;
                for (qint64 k = 0; k < take; ++k)
                    bits |= static_cast<quint64>(static_cast<quint8>(input[pos + k])) << (8 * k);
                pos += take;
                available = static_cast<int>(8 * take);
            }
            node = m_child[node][bits & 1u];
            down[++depth] = node;
            bits >>= 1;
            --available;
        } while (node < kFirstLeaf && depth < kMaxDepth);
        // Node 512 is the tree's spare leaf; no coder sends it.
        if (!ok || node < kFirstLeaf || node > kFirstLeaf + 255) {
            ok = false;
            break;
        }
        out[i] = static_cast<char>(node - kFirstLeaf);
        splayDown(down, depth);
    }
    // Bytes read ahead but not yet begun do not count as consumed.
    *inputPos = pos - available / 8;
    return ok;
}

QByteArray TRptCompress::codeAll(const QByteArray &plain)
{
    QByteArray out;
    out.reserve(plain.size() + plain.size() / 4 + 16);
    TRptCompress coder;
    coder.code(plain.constData(), plain.size(), out);
    coder.finish(out);
    return out;
}

std::optional<QByteArray> TRptCompress::decodeAll(const char *input, qint64 inputSize, qint64 length,
                                                  qint64 *consumed)
{
    if (length < 0 || inputSize < 0 || length > maxDecodedLength(inputSize))
        return std::nullopt;
    QByteArray out(length, Qt::Uninitialized);
    TRptCompress decoder;
    qint64 pos = 0;
    const bool ok = decoder.decode(input, inputSize, &pos, out.data(), length);
    if (consumed)
        *consumed = pos;
    if (!ok)
        return std::nullopt;
    return out;
}

} // namespace accrua::engine::pagefile
