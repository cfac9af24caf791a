#pragma once
// Pure encodings of the command protocol: the command block, its checksum and
// the scrambling shared by both firmware families. No I/O here.

#include <array>
#include <cstdint>

namespace protocol {

constexpr int kBlockSize = 8;          // command block: opcode, six parameters, checksum
constexpr int kFeatureReportSize = 9;  // report ID 0 + command block
constexpr int kNotifyReportSize = 4;   // 06 07 xx stage
constexpr uint8_t kNotifyMagic0 = 0x06;
constexpr uint8_t kNotifyDpiSwitch = 0x07;
constexpr int kBulkBufferSize = 512;

using Block = std::array<uint8_t, kBlockSize>;
using SecrecyCode = std::array<uint8_t, 8>;   // positions 1..6 hold the six code characters

// Bitwise complement of the 8-bit sum of bytes 0..6.
uint8_t checksum(const uint8_t* block);
// A block with cmd[0..6] as given (missing parameters 0) and byte 7 = checksum.
Block makeBlock(uint8_t opcode, std::initializer_list<uint8_t> params = {});

// The fixed key, the ASCII bytes of "KaVomLep".
extern const std::array<uint8_t, 8> kScrambleKey;

// Scramble / unscramble 8 bytes in place with a secrecy code (bytes 0 and 7 of the code unused).
void scramble(uint8_t* block, const uint8_t* code);
void unscramble(uint8_t* block, const uint8_t* code);

// Secrecy code from a six-character code text; false (code untouched) when the text is not six characters.
bool loadSecrecyCode(SecrecyCode& code, const char* text, int length);

} // namespace protocol
