#include "digest/md5/Md5.h"

#include <cstring>

#include "base/col/_array/ArrayU08.h"
#include "base/thread/EasyPooler.h"

namespace s::digest::md5 {

S_POOLED_IMPL(Md5, s::thread::EasyPooler::kDefaultLimit)

namespace {

// Per-step left rotations and the sine-derived constants of the four rounds.
constexpr uint8_t kShift[64] = {7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22,
                                5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20,
                                4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23,
                                6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21};

constexpr uint32_t kSine[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};

inline uint32_t rotateLeft(uint32_t x, uint32_t n) { return (x << n) | (x >> (32 - n)); }

}  // namespace

Md5::Md5() { reset(); }

void Md5::restart() {
  state[0] = 0x67452301;
  state[1] = 0xefcdab89;
  state[2] = 0x98badcfe;
  state[3] = 0x10325476;
  bitCount = 0;
  std::memset(pending, 0, sizeof(pending));
}

void Md5::transform(const uint8_t block[64]) {
  uint32_t words[16];
  for (int i = 0; i < 16; ++i)
    words[i] = static_cast<uint32_t>(block[4 * i]) | (static_cast<uint32_t>(block[4 * i + 1]) << 8) |
               (static_cast<uint32_t>(block[4 * i + 2]) << 16) | (static_cast<uint32_t>(block[4 * i + 3]) << 24);
  uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
  for (int i = 0; i < 64; ++i) {
    uint32_t f;
    int g;
    if (i < 16) {
      f = (b & c) | (~b & d);
      g = i;
    } else if (i < 32) {
      f = (d & b) | (~d & c);
      g = (5 * i + 1) % 16;
    } else if (i < 48) {
      f = b ^ c ^ d;
      g = (3 * i + 5) % 16;
    } else {
      f = c ^ (b | ~d);
      g = (7 * i) % 16;
    }
    uint32_t rotated = rotateLeft(a + f + kSine[i] + words[g], kShift[i]);
    a = d;
    d = c;
    c = b;
    b += rotated;
  }
  state[0] += a;
  state[1] += b;
  state[2] += c;
  state[3] += d;
}

void Md5::update(const void* bytes, size_t count) {
  if (!bytes || count == 0) return;
  const auto* input = static_cast<const uint8_t*>(bytes);
  size_t used = static_cast<size_t>((bitCount >> 3) & 63);
  bitCount += static_cast<uint64_t>(count) << 3;
  if (used > 0) {
    size_t take = 64 - used < count ? 64 - used : count;
    std::memcpy(pending + used, input, take);
    input += take;
    count -= take;
    if (used + take < 64) return;
    transform(pending);
  }
  for (; count >= 64; input += 64, count -= 64) transform(input);
  if (count > 0) std::memcpy(pending, input, count);
}

void Md5::finishInto(uint8_t digest[kDigestBytes]) {
  uint8_t lengthBytes[8];
  for (int i = 0; i < 8; ++i) lengthBytes[i] = static_cast<uint8_t>(bitCount >> (8 * i));
  // Pad with 0x80 and zeros to 56 bytes modulo 64, then the message length in bits.
  static constexpr uint8_t kPadding[64] = {0x80};
  size_t used = static_cast<size_t>((bitCount >> 3) & 63);
  update(kPadding, used < 56 ? 56 - used : 120 - used);
  update(lengthBytes, 8);
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) digest[4 * i + j] = static_cast<uint8_t>(state[i] >> (8 * j));
  restart();
}

s::col::_array::ArrayU08* Md5::finish(s::col::_array::ArrayU08* out) {
  uint8_t digest[kDigestBytes];
  finishInto(digest);
  s::col::_array::ArrayU08* target = out ? out : s::col::_array::ArrayU08::acquire();
  if (target) target->append(digest, kDigestBytes, 0);
  return target;
}

}  // namespace s::digest::md5
