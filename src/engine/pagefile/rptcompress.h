// The splay-tree prefix code of coded page bodies: an adaptive code after
// D. W. Jones (semi-splaying), bits packed from the least significant bit of
// each byte, the last byte padded with zero bits. Coder and decoder start from
// the same complete tree and splay after every byte, so they stay in step.
#pragma once

#include <QByteArray>

#include <array>
#include <optional>

namespace accrua::engine::pagefile {

class TRptCompress {
public:
    // A fresh coder, as at the start of a page body.
    TRptCompress();

    // Appends the code of each byte to out; finish() writes the last partial
    // byte, if any. A coder codes one body.
    void code(const char *data, qint64 size, QByteArray &out);
    void finish(QByteArray &out);

    // Whole buffers in one call.
    static QByteArray codeAll(const QByteArray &plain);
    // Decodes exactly length bytes with a fresh decoder. Nothing when the
    // input ends first or length is impossible for the input; consumed
    // (optional) receives the input bytes read.
    static std::optional<QByteArray> decodeAll(const char *input, qint64 inputSize, qint64 length,
                                               qint64 *consumed = nullptr);

    // No byte takes fewer than one bit, so a coded run of n bytes never
    // decodes to more than this many bytes.
    static constexpr qint64 maxDecodedLength(qint64 codedBytes) { return codedBytes * 8; }

private:
    void rotate(int a, int p, int g);
    void splayPath(const int *path, int depth);
    void splayDown(const int *down, int depth);
    bool decode(const char *input, qint64 inputSize, qint64 *inputPos, char *out, qint64 count);

    // up[i] is the parent of node i; child[i][0] and child[i][1] are the left
    // and right children of inner node i (indexing by the bit saves a branch).
    // Plain ints: the tree is small enough for the first-level cache either way.
    std::array<int, 513> m_up{};
    std::array<std::array<int, 2>, 256> m_child{};
    // Bits not yet written, least significant first.
    quint64 m_bits = 0;
    int m_bitCount = 0;
};

} // namespace accrua::engine::pagefile
