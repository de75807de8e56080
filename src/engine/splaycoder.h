// The splay-tree prefix code of coded page bodies: an adaptive code after
// D. W. Jones (semi-splaying), bits packed from the least significant bit of
// each byte, the last byte padded with zero bits. Coder and decoder start from
// the same complete tree and splay after every byte, so they stay in step.
#pragma once

#include <QByteArray>

#include <array>
#include <cstdint>
#include <optional>

namespace accrua::engine {

class TRptCompress {
public:
    enum class Mode { Code, Decode };

    explicit TRptCompress(Mode mode);

    // Coding: appends the code of each byte to out; finish() writes the last
    // partial byte, if any.
    void code(const char *data, qint64 size, QByteArray &out);
    void finish(QByteArray &out);

    // Decoding: decodes exactly count bytes into out from input[*inputPos..inputSize),
    // advancing *inputPos by the bytes consumed. False when the input ends first.
    bool decode(const char *input, qint64 inputSize, qint64 *inputPos, char *out, qint64 count);

    // Whole buffers in one call.
    static QByteArray codeAll(const QByteArray &plain);
    // Nothing when the input ends before length bytes are decoded; consumed
    // (optional) receives the number of input bytes used.
    static std::optional<QByteArray> decodeAll(const char *input, qint64 inputSize,
                                               qint64 length, qint64 *consumed = nullptr);

    // No byte takes fewer than one bit, so a coded run of n bytes never
    // decodes to more than this many bytes.
    static constexpr qint64 maxDecodedLength(qint64 codedBytes) { return codedBytes * 8; }

private:
    void splay(int c);

    std::array<quint8, 513> m_up{};
    std::array<quint16, 256> m_left{};
    std::array<quint16, 256> m_right{};
    int m_bitPos = 0;
    quint8 m_byte = 0;
};

} // namespace accrua::engine
