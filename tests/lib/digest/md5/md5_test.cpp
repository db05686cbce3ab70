// The MD5 digester against the test suite of RFC 1321, fed whole and in pieces.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/col/_array/ArrayU08.h"
#include "digest/md5/Md5.h"

using s::col::_array::ArrayU08;
using s::digest::md5::Md5;

namespace {

std::string hexOf(const uint8_t* bytes, uint32_t count) {
  static const char digits[] = "0123456789abcdef";
  std::string hex;
  for (uint32_t i = 0; i < count; ++i) {
    hex += digits[bytes[i] >> 4];
    hex += digits[bytes[i] & 15];
  }
  return hex;
}

struct Vector {
  const char* message;
  const char* digest;
};

const Vector kRfcVectors[] = {
    {"", "d41d8cd98f00b204e9800998ecf8427e"},
    {"a", "0cc175b9c0f1b6a831c399e269772661"},
    {"abc", "900150983cd24fb0d6963f7d28e17f72"},
    {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
    {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
    {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
     "57edf4a22be3c955ac49da2e2107b67a"},
};

}  // namespace

TEST(Md5, RfcTestSuite) {
  Md5* md5 = Md5::acquire();
  EXPECT_EQ(std::u16string(md5->getClassName()), u"s_digest_md5_Md5");
  for (const Vector& v : kRfcVectors) {
    md5->update(v.message, std::strlen(v.message));
    ArrayU08* out = md5->finish(nullptr);
    ASSERT_EQ(out->size(), 16u);
    EXPECT_EQ(hexOf(out->data(), out->size()), v.digest) << '"' << v.message << '"';
    out->release();
  }
  md5->release();
}

TEST(Md5, PiecesOfEverySizeGiveTheSameDigest) {
  // Split points around the 64-byte block and the 56-byte padding boundary.
  const Vector& v = kRfcVectors[6];
  size_t length = std::strlen(v.message);
  Md5* md5 = Md5::acquire();
  for (size_t piece : {1, 3, 55, 56, 63, 64, 65}) {
    for (size_t at = 0; at < length; at += piece)
      md5->update(v.message + at, at + piece < length ? piece : length - at);
    uint8_t digest[Md5::kDigestBytes];
    md5->finishInto(digest);
    EXPECT_EQ(hexOf(digest, 16), v.digest) << "pieces of " << piece;
  }
  md5->release();
}

TEST(Md5, FinishAppendsAndStartsOver) {
  Md5* md5 = Md5::acquire();
  ArrayU08* out = ArrayU08::acquire();
  out->add(0x5A);
  md5->update("abc", 3);
  EXPECT_EQ(md5->finish(out), out);
  ASSERT_EQ(out->size(), 17u);
  EXPECT_EQ(out->get(0), 0x5A);
  EXPECT_EQ(hexOf(out->data() + 1, 16), kRfcVectors[2].digest);
  // After finishing, and after restart, the digester holds no earlier input.
  uint8_t digest[Md5::kDigestBytes];
  md5->finishInto(digest);
  EXPECT_EQ(hexOf(digest, 16), kRfcVectors[0].digest);
  md5->update("junk", 4);
  md5->restart();
  md5->update("a", 1);
  md5->finishInto(digest);
  EXPECT_EQ(hexOf(digest, 16), kRfcVectors[1].digest);
  // Messages whose length needs a second padding block.
  std::string long56(56, 'x');
  md5->update(long56.data(), long56.size());
  md5->finishInto(digest);
  EXPECT_EQ(hexOf(digest, 16), "668a72d5ba17f08e62dabcafad6db14b");
  out->release();
  md5->release();
}
