#include "engine/splaycoder.h"

namespace accrua::engine {

namespace {
constexpr int Root = 0;
constexpr int FirstLeaf = 256;
// The deepest leaf of a tree of 256 inner nodes sits at most 256 steps below the root.
constexpr int MaxDepth = 257;
} // namespace

TRptCompress::TRptCompress(Mode mode)
{
    for (int i = 1; i <= 512; ++i)
        m_up[i] = static_cast<quint8>((i - 1) / 2);
    for (int i = 0; i < 256; ++i) {
        m_left[i] = static_cast<quint16>(2 * i + 1);
        m_right[i] = static_cast<quint16>(2 * i + 2);
    }
    m_bitPos = mode == Mode::Code ? 0 : 7;
    m_byte = 0;
}

void TRptCompress::splay(int c)
{
    int a = c + FirstLeaf;
    while (a != Root) {
        const int p = m_up[a];
        if (p == Root) {
            a = Root;
            continue;
        }
        const int g = m_up[p];
        int s = m_left[g];
        if (s == p) {
            s = m_right[g];
            m_right[g] = static_cast<quint16>(a);
        } else {
            m_left[g] = static_cast<quint16>(a);
        }
        if (m_left[p] == a)
            m_left[p] = static_cast<quint16>(s);
        else
            m_right[p] = static_cast<quint16>(s);
        m_up[a] = static_cast<quint8>(g);
        m_up[s] = static_cast<quint8>(p);
        a = g;
    }
}

void TRptCompress::code(const char *data, qint64 size, QByteArray &out)
{
    bool path[MaxDepth];
    for (qint64 i = 0; i < size; ++i) {
        const int c = static_cast<quint8>(data[i]);
        int depth = 0;
        int a = c + FirstLeaf;
        while (a != Root) {
            const int p = m_up[a];
            path[depth++] = m_right[p] == a;
            a = p;
        }
        while (depth > 0) {
            if (path[--depth])
                m_byte = static_cast<quint8>(m_byte | (1u << m_bitPos));
            if (m_bitPos == 7) {
                out.append(static_cast<char>(m_byte));
                m_bitPos = 0;
                m_byte = 0;
            } else {
                ++m_bitPos;
            }
        }
        splay(c);
    }
}

void TRptCompress::finish(QByteArray &out)
{
    if (m_bitPos != 0) {
        out.append(static_cast<char>(m_byte));
        m_bitPos = 0;
        m_byte = 0;
    }
}

bool TRptCompress::decode(const char *input, qint64 inputSize, qint64 *inputPos, char *out,
                          qint64 count)
{
    qint64 pos = *inputPos;
    for (qint64 i = 0; i < count; ++i) {
        int node = Root;
        do {
            if (m_bitPos == 7) {
                if (pos >= inputSize) {
                    *inputPos = pos;
                    return false;
                }
                m_byte = static_cast<quint8>(input[pos++]);
                m_bitPos = 0;
            } else {
                ++m_bitPos;
            }
            node = (m_byte >> m_bitPos) & 1u ? m_right[node] : m_left[node];
        } while (node < FirstLeaf);
        const int c = node - FirstLeaf;
        // Node 512 is the tree's spare leaf; no coder ever sends it.
        if (c > 255) {
            *inputPos = pos;
            return false;
        }
        out[i] = static_cast<char>(c);
        splay(c);
    }
    *inputPos = pos;
    return true;
}

QByteArray TRptCompress::codeAll(const QByteArray &plain)
{
    QByteArray out;
    out.reserve(plain.size() + plain.size() / 4 + 8);
    TRptCompress coder(Mode::Code);
    coder.code(plain.constData(), plain.size(), out);
    coder.finish(out);
    return out;
}

std::optional<QByteArray> TRptCompress::decodeAll(const char *input, qint64 inputSize,
                                                  qint64 length, qint64 *consumed)
{
    if (length < 0 || inputSize < 0 || length > maxDecodedLength(inputSize))
        return std::nullopt;
    QByteArray out(length, Qt::Uninitialized);
    TRptCompress decoder(Mode::Decode);
    qint64 pos = 0;
    const bool ok = decoder.decode(input, inputSize, &pos, out.data(), length);
    if (consumed)
        *consumed = pos;
    if (!ok)
        return std::nullopt;
    return out;
}

} // namespace accrua::engine
