#include "core/Talmor32.h"

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
// enciphered independently. The stream of the last key used is kept, since the program uses one key.
class Keystream
{
public:
    const uint8_t* forKey(const QByteArray& key, int length)
    {
        if (key != m_key || m_stream.empty()) {
            m_key = key;
            m_seed = keySeed(key);
            m_stream.clear();
        }
        while (int(m_stream.size()) < length) {
            const uint64_t i = m_stream.size();
            const uint8_t keyByte = key.isEmpty() ? 0 : uint8_t(key.at(int(i % uint64_t(key.size()))));
            m_stream.push_back(uint8_t((splitMix64(m_seed ^ (i * 0xD6E8FEB86659FD93ull)) + keyByte) % kAlphabet));
        }
        return m_stream.data();
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
    const uint8_t* k = keystream.forKey(key, int(length));
    const auto& map = tables().map;
    const auto* in = reinterpret_cast<const uint8_t*>(text);
    auto* o = reinterpret_cast<uint8_t*>(out);
    for (qsizetype i = 0; i < length; ++i)
        o[i] = map[k[i]][in[i]];
}

QByteArray DxXCrypted(const QByteArray& text, const QByteArray& key, int /*mode*/)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    Transform(text.constData(), text.size(), key, out.data());
    return out;
}

QByteArray Export330(const QByteArray& buffer)
{
    const int nul = int(buffer.indexOf('\0'));
    return nul < 0 ? buffer : buffer.left(nul);
}

} // namespace Talmor32
