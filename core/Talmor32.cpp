#include "core/Talmor32.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace {

// The 254 byte values other than LF (10) and CR (13), numbered 0..253 in ascending order.
constexpr int kAlphabet = 254;

constexpr int rankOf(int b)
{
    return b - (b > 10 ? 1 : 0) - (b > 13 ? 1 : 0);
}

constexpr int byteOf(int r)
{
    return r < 10 ? r : (r < 12 ? r + 1 : r + 2);
}

// For each keystream value k, the reflection r -> (k - r) mod 254 as a byte table; LF and CR map to themselves.
// A reflection is its own inverse, which is what makes the cipher self-inverse.
struct ReflectionTables
{
    std::array<std::array<uint8_t, 256>, kAlphabet> map{};
    ReflectionTables()
    {
        for (int k = 0; k < kAlphabet; ++k) {
            for (int b = 0; b < 256; ++b) {
                if (b == 10 || b == 13) {
                    map[k][b] = uint8_t(b);
                } else {
                    const int r = ((k - rankOf(b)) % kAlphabet + kAlphabet) % kAlphabet;
                    map[k][b] = uint8_t(byteOf(r));
                }
            }
        }
    }
};

const ReflectionTables& tables()
{
    static const ReflectionTables t;
    return t;
}

uint64_t splitMix64(uint64_t x)
{
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

uint64_t keySeed(const QByteArray& key)
{
    uint64_t h = 0xCBF29CE484222325ull; // FNV-1a over the key's bytes
    for (char c : key) {
        h ^= uint8_t(c);
        h *= 0x100000001B3ull;
    }
    return h;
}

// The keystream value for each position depends on the key and the position only, so every line is
// enciphered independently. The first positions of the last key's stream are kept, since the program uses
// one key and its lines are short; positions beyond are computed a block at a time as they come, so a line
// of any length needs no stream of its own size.
class Keystream
{
public:
    static constexpr qsizetype kKept = 64 * 1024;

    void setKey(const QByteArray& key)
    {
        if (key != m_key || m_stream.empty()) {
            m_key = key;
            m_seed = keySeed(key);
            m_stream.assign(size_t(kKept), 0);
            fill(0, kKept, m_stream.data());
        }
    }
    const uint8_t* kept() const { return m_stream.data(); }

    // The values of positions from, from + 1, ... into out.
    void fill(qsizetype from, qsizetype count, uint8_t* out) const
    {
        const auto* keyBytes = reinterpret_cast<const uint8_t*>(m_key.constData());
        const uint64_t keySize = uint64_t(m_key.size());
        uint64_t k = keySize ? uint64_t(from) % keySize : 0;
        for (qsizetype j = 0; j < count; ++j) {
            const uint64_t i = uint64_t(from + j);
            uint8_t keyByte = 0;
            if (keySize) {
                keyByte = keyBytes[k];
                k = k + 1 == keySize ? 0 : k + 1;
            }
            out[j] = uint8_t((splitMix64(m_seed ^ (i * 0xD6E8FEB86659FD93ull)) + keyByte) % kAlphabet);
        }
    }

private:
    QByteArray m_key;
    uint64_t m_seed = 0;
    std::vector<uint8_t> m_stream;
};

} // namespace

namespace Talmor32 {

void Transform(const char* text, qsizetype length, const QByteArray& key, char* out)
{
    static thread_local Keystream keystream;
    if (length <= 0)
        return;
    keystream.setKey(key);
    const auto& map = tables().map;
    const auto* in = reinterpret_cast<const uint8_t*>(text);
    auto* o = reinterpret_cast<uint8_t*>(out);
    const uint8_t* k = keystream.kept();
    std::vector<uint8_t> block;
    for (qsizetype from = 0; from < length; from += Keystream::kKept) {
        const qsizetype count = std::min(length - from, Keystream::kKept);
        if (from > 0) {
            block.resize(size_t(Keystream::kKept));
            keystream.fill(from, count, block.data());
            k = block.data();
        }
        for (qsizetype i = 0; i < count; ++i)
            o[from + i] = map[k[i]][in[from + i]];
    }
}

QByteArray DxXCrypted(const QByteArray& text, const QByteArray& key, int /*mode*/)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    Transform(text.constData(), text.size(), key, out.data());
    return out;
}

QByteArray Export330(const QByteArray& buffer)
{
    const qsizetype nul = buffer.indexOf('\0');
    return nul < 0 ? buffer : buffer.left(nul);
}

} // namespace Talmor32
