#include "services/md5.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "platform/text.h"

namespace lv {
namespace {

constexpr std::size_t kBlock = 64;
constexpr std::size_t kLengthField = 8;  // message length in bits, little-endian, ends the last block

using State = std::array<std::uint32_t, 4>;

constexpr State kInitialState = {0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476};

// The per-step constants: floor(abs(sin(i + 1)) * 2^32).
constexpr std::uint32_t kSine[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391,
};

// Left-rotation amounts, four per round.
constexpr int kShift[4][4] = {{7, 12, 17, 22}, {5, 9, 14, 20}, {4, 11, 16, 23}, {6, 10, 15, 21}};

constexpr std::uint32_t RotateLeft(std::uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

// One round: 16 steps with its own mixing function and message word order.
template <int Round>
void RunRound(std::uint32_t& a, std::uint32_t& b, std::uint32_t& c, std::uint32_t& d, const std::uint32_t* x) {
  // Unrolled, the word indexes and rotation amounts become constants.
#pragma GCC unroll 16
  for (int i = 0; i < 16; ++i) {
    const int step = Round * 16 + i;
    std::uint32_t f;
    int k;
    if constexpr (Round == 0) {
      f = (b & c) | (~b & d);
      k = i;
    } else if constexpr (Round == 1) {
      f = (b & d) | (c & ~d);
      k = (5 * i + 1) % 16;
    } else if constexpr (Round == 2) {
      f = b ^ c ^ d;
      k = (3 * i + 5) % 16;
    } else {
      f = c ^ (b | ~d);
      k = (7 * i) % 16;
    }
    const std::uint32_t rotated = RotateLeft(a + f + kSine[step] + x[k], kShift[Round][i % 4]);
    a = d;
    d = c;
    c = b;
    b += rotated;
  }
}

void ProcessBlock(State& state, const std::uint8_t* block) {
  std::uint32_t x[16];
  for (int i = 0; i < 16; ++i) {
    x[i] = std::uint32_t{block[4 * i]} | std::uint32_t{block[4 * i + 1]} << 8 | std::uint32_t{block[4 * i + 2]} << 16 |
           std::uint32_t{block[4 * i + 3]} << 24;
  }
  std::uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
  RunRound<0>(a, b, c, d, x);
  RunRound<1>(a, b, c, d, x);
  RunRound<2>(a, b, c, d, x);
  RunRound<3>(a, b, c, d, x);
  state[0] += a;
  state[1] += b;
  state[2] += c;
  state[3] += d;
}

State Digest(std::string_view message) {
  State state = kInitialState;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(message.data());
  const std::size_t whole = message.size() - message.size() % kBlock;
  for (std::size_t offset = 0; offset < whole; offset += kBlock) ProcessBlock(state, bytes + offset);

  // The rest of the message, 0x80, zero bytes and the bit length: one block,
  // or two when fewer than nine bytes are left after the rest.
  std::uint8_t tail[2 * kBlock] = {};
  const std::size_t rest = message.size() - whole;
  std::memcpy(tail, bytes + whole, rest);
  tail[rest] = 0x80;
  const std::size_t tail_size = rest < kBlock - kLengthField ? kBlock : 2 * kBlock;
  std::uint64_t bits = static_cast<std::uint64_t>(message.size()) * 8;
  for (std::size_t i = tail_size - kLengthField; i < tail_size; ++i, bits >>= 8) tail[i] = static_cast<std::uint8_t>(bits);
  for (std::size_t offset = 0; offset < tail_size; offset += kBlock) ProcessBlock(state, tail + offset);
  return state;
}

}  // namespace

std::wstring MD5Hex(const std::wstring& text) {
  static constexpr wchar_t kHexDigits[] = L"0123456789abcdef";
  const State state = Digest(ToAnsi(text));
  // The digest's bytes in order: each state word least significant byte first.
  std::wstring hex(2 * sizeof(State), L'0');
  std::size_t at = 0;
  for (std::uint32_t word : state) {
    for (int byte = 0; byte < 4; ++byte, word >>= 8) {
      hex[at++] = kHexDigits[(word >> 4) & 0xF];
      hex[at++] = kHexDigits[word & 0xF];
    }
  }
  return hex;
}

}  // namespace lv
