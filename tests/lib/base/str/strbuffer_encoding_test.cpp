// Conversions of the string buffer to and from bytes, and its digest.
#include <gtest/gtest.h>
#include <win/codepage.h>

#include <string>
#include <vector>

#include "StrTestSupport.h"
#include "base/col/_array/ArrayU08.h"
#include "digest/md5/Md5.h"
#include "system/codepage/CodePage.h"

using s::col::_array::ArrayU08;
using s::system::codepage::CodePage;
using strtest::printable;
using strtest::ScopedBuffer;
using strtest::textOf;

namespace {

std::vector<uint8_t> bytesOf(const ArrayU08* array) {
  return std::vector<uint8_t>(array->data(), array->data() + array->size());
}

std::vector<uint8_t> bytesOf(const char* text) {
  return std::vector<uint8_t>(text, text + std::char_traits<char>::length(text));
}

}  // namespace

TEST(StrBufferEncoding, Utf8RoundTrips) {
  struct Case {
    std::u16string text;
    const char* utf8;
  } cases[] = {
      {u"plain", "plain"},
      {u"\u00E4\u00F6\u00FC", "\xC3\xA4\xC3\xB6\xC3\xBC"},
      {u"\u20AC", "\xE2\x82\xAC"},
      {u"\U0001F600", "\xF0\x9F\x98\x80"},
      {u"\u3000\uFFFF", "\xE3\x80\x80\xEF\xBF\xBF"},
      {u"", ""},
  };
  for (const Case& c : cases) {
    ScopedBuffer text(c.text);
    ArrayU08* plain = text->toUtf8();
    EXPECT_EQ(bytesOf(plain), bytesOf(c.utf8)) << printable(c.text);
    // The 0 byte sits just after the length.
    EXPECT_EQ(plain->data()[plain->size()], 0) << printable(c.text);
    ArrayU08* counted = text->toUtf8Terminated();
    ASSERT_EQ(counted->size(), plain->size() + 1);
    EXPECT_EQ(counted->get(plain->size()), 0);

    ScopedBuffer decoded(u"junk");
    uint32_t units = decoded->fromUtf8(plain->data(), false, static_cast<int32_t>(plain->size()));
    EXPECT_EQ(units, c.text.size());
    EXPECT_EQ(textOf(decoded.get()), c.text) << printable(c.text);
    ScopedBuffer terminated;
    terminated->fromUtf8(counted->data(), false, -1);
    EXPECT_EQ(textOf(terminated.get()), c.text) << printable(c.text);
    plain->release();
    counted->release();
  }
}

TEST(StrBufferEncoding, AppendFlagKeepsOrEmptiesTheArray) {
  ScopedBuffer text(u"ab");
  ArrayU08* bytes = ArrayU08::acquire();
  bytes->add('#');
  text->toUtf8Terminated(bytes, true);
  EXPECT_EQ(bytesOf(bytes), (std::vector<uint8_t>{'#', 'a', 'b', 0}));
  text->toUtf8(bytes, false);
  EXPECT_EQ(bytesOf(bytes), bytesOf("ab"));

  ScopedBuffer decoded(u"x:");
  EXPECT_EQ(decoded->fromUtf8("yz", true), 2u);
  EXPECT_EQ(textOf(decoded.get()), u"x:yz");
  EXPECT_EQ(decoded->fromUtf8("", false), 0u);
  EXPECT_EQ(decoded->length(), 0u);
  bytes->release();
}

TEST(StrBufferEncoding, InvalidUtf8BecomesReplacementCharacters) {
  ScopedBuffer text;
  const char bytes[] = {'a', static_cast<char>(0xFF), 'b'};
  EXPECT_EQ(text->fromUtf8(bytes, false, 3), 3u);
  EXPECT_EQ(textOf(text.get()), u"a\uFFFDb");
}

// The buffer decodes well-formed UTF-8 itself and leaves the rest to the platform: for every input,
// well-formed or not, it must give exactly the platform's units.
TEST(StrBufferEncoding, Utf8DecodingAgreesWithThePlatform) {
  const std::string cases[] = {
      "ascii only, longer than eight bytes",
      "\xC3\xA4 mixed \xE2\x82\xAC and \xF0\x9F\x98\x80 text \xD0\x91\xD0\xB5",
      std::string("nul\0inside", 11),
      "\xEF\xBB\xBF<lang/>",               // a byte-order mark stays a unit
      "\xC0\x80",                           // overlong NUL
      "\xC1\xBF",                           // overlong two-byte form
      "\xE0\x9F\xBF",                       // overlong three-byte form
      "\xED\xA0\x80",                       // an encoded surrogate
      "\xF0\x8F\xBF\xBF",                   // overlong four-byte form
      "\xF4\x90\x80\x80",                   // past U+10FFFF
      "\xF5\x80\x80\x80",                   // no such lead byte
      "abc\xE2\x82",                         // cut short at the end
      "abcdefgh\x80ijklmnop",                // a stray continuation byte after a fast stretch
      "\xC3(",                               // a lead byte without its continuation
      "\xF0\x9F\x98",                        // a four-byte form cut short
      "\xEF\xBF\xBF\xF4\x8F\xBF\xBF",          // the highest values of three and four bytes
  };
  for (const std::string& c : cases) {
    std::u16string expected(c.size() + 1, u'\0');
    int units = MultiByteToWideChar(CP_UTF8, 0, c.data(), static_cast<int>(c.size()), expected.data(),
                                    static_cast<int>(expected.size()));
    ASSERT_GT(units, 0);
    expected.resize(static_cast<size_t>(units));
    ScopedBuffer decoded;
    EXPECT_EQ(decoded->fromUtf8(c.data(), false, static_cast<int32_t>(c.size())), expected.size())
        << printable(expected);
    EXPECT_EQ(textOf(decoded.get()), expected) << printable(expected);
  }
}

TEST(StrBufferEncoding, Utf16InBothByteOrders) {
  ScopedBuffer text(u"A\u0102");
  struct Case {
    const CodePage* page;
    std::vector<uint8_t> bytes;
  } cases[] = {
      {CodePage::utf16LittleEndian(), {0x41, 0x00, 0x02, 0x01}},
      {CodePage::utf16BigEndian(), {0x00, 0x41, 0x01, 0x02}},
  };
  for (const Case& c : cases) {
    ArrayU08* plain = text->toCodePage(c.page);
    EXPECT_EQ(bytesOf(plain), c.bytes) << c.page->getNumber();
    EXPECT_EQ(plain->data()[plain->size()], 0);
    ArrayU08* counted = text->toCodePageTerminated(c.page);
    EXPECT_EQ(counted->size(), c.bytes.size() + 1);

    ScopedBuffer decoded;
    EXPECT_EQ(decoded->fromCodePage(c.page, c.bytes.data(), false, static_cast<int32_t>(c.bytes.size())), 2u);
    EXPECT_EQ(textOf(decoded.get()), u"A\u0102");
    // -1 reads up to a 0 unit; an odd trailing byte is ignored with a count.
    std::vector<uint8_t> terminated = c.bytes;
    terminated.insert(terminated.end(), {0, 0, 0x41, 0x41});
    ScopedBuffer upToZero;
    upToZero->fromCodePage(c.page, terminated.data(), false, -1);
    EXPECT_EQ(textOf(upToZero.get()), u"A\u0102");
    ScopedBuffer odd;
    odd->fromCodePage(c.page, c.bytes.data(), false, 3);
    EXPECT_EQ(textOf(odd.get()), u"A");
    plain->release();
    counted->release();
  }
}

TEST(StrBufferEncoding, WindowsCodePagesByNumber) {
  struct Case {
    uint32_t number;
    std::u16string text;
    std::vector<uint8_t> bytes;
  } cases[] = {
      {1252, u"\u00E4\u20AC", {0xE4, 0x80}},
      {437, u"\u00E4", {0x84}},
      {65001, u"\u00E4", {0xC3, 0xA4}},
  };
  for (const Case& c : cases) {
    CodePage* page = CodePage::acquireNumber(c.number);
    ScopedBuffer text(c.text);
    ArrayU08* bytes = text->toCodePage(page);
    EXPECT_EQ(bytesOf(bytes), c.bytes) << c.number;
    ScopedBuffer decoded;
    decoded->fromCodePage(page, bytes->data(), false, static_cast<int32_t>(bytes->size()));
    EXPECT_EQ(textOf(decoded.get()), c.text) << c.number;
    bytes->release();
    page->release();
  }
}

TEST(StrBufferEncoding, UnrepresentableCharactersGetTheDefaultReplacement) {
  CodePage* page = CodePage::acquireNumber(1252);
  ScopedBuffer text(u"a\u4E00b");
  ArrayU08* bytes = text->toCodePage(page);
  EXPECT_EQ(bytesOf(bytes), bytesOf("a?b"));
  bytes->release();
  page->release();
}

TEST(StrBufferEncoding, OemCodePage) {
  ScopedBuffer text(u"\u00E4x");
  ArrayU08* bytes = text->toOemTerminated();
  EXPECT_EQ(bytesOf(bytes), (std::vector<uint8_t>{0x84, 'x', 0}));
  ScopedBuffer decoded;
  EXPECT_EQ(decoded->fromOem(bytes->data()), 2u);
  EXPECT_EQ(textOf(decoded.get()), u"\u00E4x");
  ArrayU08* plain = text->toOem();
  EXPECT_EQ(plain->size(), 2u);
  plain->release();
  bytes->release();
}

TEST(StrBufferDigest, Md5OfTheUtf16Bytes) {
  // The MD5 of "a" as UTF-16LE (the bytes 61 00), and of no bytes at all.
  struct Case {
    std::u16string text;
    const char16_t* hex;
  } cases[] = {
      {u"", u"d41d8cd98f00b204e9800998ecf8427e"},
      {u"a", u"4144e195f46de78a3623da7364d04f11"},
  };
  for (const Case& c : cases) {
    ScopedBuffer text(c.text);
    ArrayU08* digest = text->digest();
    ASSERT_EQ(digest->size(), 16u);
    ScopedBuffer hex;
    hex->appendHexBytes(digest->data(), digest->size());
    EXPECT_EQ(textOf(hex.get()), c.hex) << printable(c.text);
    digest->release();
  }
  // A caller's digester and output array.
  s::digest::md5::Md5* md5 = s::digest::md5::Md5::acquire();
  ArrayU08* out = ArrayU08::acquire();
  out->add(0xAA);
  ScopedBuffer text(u"a");
  EXPECT_EQ(text->digest(md5, out), out);
  EXPECT_EQ(out->size(), 17u);
  EXPECT_EQ(out->get(1), 0x41);
  out->release();
  md5->release();
}
