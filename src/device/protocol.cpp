#include "device/protocol.h"

#include <algorithm>
#include <utility>

namespace protocol {

const std::array<uint8_t, 8> kScrambleKey = {'K', 'a', 'V', 'o', 'm', 'L', 'e', 'p'};

uint8_t checksum(const uint8_t* block)
{
    unsigned sum = 0;
    for (int i = 0; i < 7; ++i)
        sum += block[i];
    return static_cast<uint8_t>(~sum & 0xFF);
}

Block makeBlock(uint8_t opcode, std::initializer_list<uint8_t> params)
{
    Block b{};
    b[0] = opcode;
    int i = 1;
    for (uint8_t p : params) {
        if (i > 6)
            break;
        b[i++] = p;
    }
    b[7] = checksum(b.data());
    return b;
}

namespace {
uint8_t nibbleSwap(uint8_t x) { return static_cast<uint8_t>((x << 4) | (x >> 4)); }

void swapPairs(uint8_t* p)
{
    std::swap(p[0], p[5]);
    std::swap(p[1], p[4]);
    std::swap(p[2], p[7]);
    std::swap(p[3], p[6]);
}
} // namespace

void scramble(uint8_t* p, const uint8_t* c)
{
    swapPairs(p);
    for (int i = 1; i <= 6; ++i)
        p[i] ^= c[i];
    const uint8_t first = p[0];
    for (int i = 0; i < 7; ++i)
        p[i] = static_cast<uint8_t>((p[i] << 3) | (p[i + 1] >> 5));
    p[7] = static_cast<uint8_t>((p[7] << 3) | (first >> 5));
    for (int i = 0; i < 8; ++i)
        p[i] = static_cast<uint8_t>(p[i] + nibbleSwap(kScrambleKey[i]));
}

void unscramble(uint8_t* p, const uint8_t* c)
{
    for (int i = 0; i < 8; ++i)
        p[i] = static_cast<uint8_t>(p[i] - nibbleSwap(kScrambleKey[i]));
    const uint8_t last = p[7];
    for (int i = 7; i > 0; --i)
        p[i] = static_cast<uint8_t>((p[i] >> 3) | (p[i - 1] << 5));
    p[0] = static_cast<uint8_t>((p[0] >> 3) | (last << 5));
    for (int i = 1; i <= 6; ++i)
        p[i] ^= c[i];
    swapPairs(p);
}

bool loadSecrecyCode(SecrecyCode& code, const char* text, int length)
{
    if (length != 6)
        return false;
    for (int i = 0; i < 6; ++i)
        code[i + 1] = static_cast<uint8_t>(text[i]);
    return true;
}

} // namespace protocol
