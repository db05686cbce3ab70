// Number formatting and parsing, hexadecimal dumps and hexadecimal reading of the string buffer.
#include <gtest/gtest.h>

#include <cfloat>
#include <cstdint>
#include <functional>
#include <limits>

#include "StrTestSupport.h"
#include "base/col/_array/ArrayU08.h"

using s::col::_array::ArrayU08;
using s::str::strbuffer::StrBuffer;
using strtest::printable;
using strtest::ScopedBuffer;
using strtest::textOf;

namespace {

struct NumberCase {
  const char* name;
  std::function<void(StrBuffer*)> append;
  std::function<void(StrBuffer*)> set;
  std::u16string expected;
};

}  // namespace

TEST(StrBufferNumbers, AppendAndSetFormatEachWidth) {
  const NumberCase cases[] = {
      {"s08 0xFF", [](StrBuffer* b) { b->appendS08(static_cast<int8_t>(0xFF)); },
       [](StrBuffer* b) { b->setS08(static_cast<int8_t>(0xFF)); }, u"-1"},
      {"u08 0xFF", [](StrBuffer* b) { b->appendU08(0xFF); }, [](StrBuffer* b) { b->setU08(0xFF); }, u"255"},
      {"s16 min", [](StrBuffer* b) { b->appendS16(INT16_MIN); }, [](StrBuffer* b) { b->setS16(INT16_MIN); },
       u"-32768"},
      {"u16 max", [](StrBuffer* b) { b->appendU16(0xFFFF); }, [](StrBuffer* b) { b->setU16(0xFFFF); }, u"65535"},
      {"s32 min", [](StrBuffer* b) { b->appendS32(INT32_MIN); }, [](StrBuffer* b) { b->setS32(INT32_MIN); },
       u"-2147483648"},
      {"u32 max", [](StrBuffer* b) { b->appendU32(UINT32_MAX); }, [](StrBuffer* b) { b->setU32(UINT32_MAX); },
       u"4294967295"},
      {"s64 min", [](StrBuffer* b) { b->appendS64(INT64_MIN); }, [](StrBuffer* b) { b->setS64(INT64_MIN); },
       u"-9223372036854775808"},
      {"s64 0", [](StrBuffer* b) { b->appendS64(0); }, [](StrBuffer* b) { b->setS64(0); }, u"0"},
      {"u64 max", [](StrBuffer* b) { b->appendU64(UINT64_MAX); }, [](StrBuffer* b) { b->setU64(UINT64_MAX); },
       u"18446744073709551615"},
      {"float", [](StrBuffer* b) { b->appendFloat(1.5f); }, [](StrBuffer* b) { b->setFloat(1.5f); }, u"1.500000"},
      {"double", [](StrBuffer* b) { b->appendDouble(-0.25); }, [](StrBuffer* b) { b->setDouble(-0.25); },
       u"-0.250000"},
  };
  for (const NumberCase& c : cases) {
    ScopedBuffer appended(u"x=");
    c.append(appended.get());
    EXPECT_EQ(textOf(appended.get()), u"x=" + c.expected) << c.name;
    ScopedBuffer set(u"old content");
    c.set(set.get());
    EXPECT_EQ(textOf(set.get()), c.expected) << c.name;
    ScopedBuffer fresh;
    c.set(fresh.get());
    EXPECT_EQ(fresh->capacity(), c.expected.size()) << c.name << ": sets allocate exactly";
  }
}

TEST(StrBufferNumbers, AppendsReserveRoomForTheNumber) {
  ScopedBuffer text;
  text->appendS32(7);
  EXPECT_GE(text->capacity(), 256u);
  EXPECT_EQ(textOf(text.get()), u"7");
}

TEST(StrBufferNumbers, LargestDoubleIsNotCutOff) {
  // "%f" of the largest double needs 316 units, more than the usual 256 of room.
  ScopedBuffer text(u"v");
  text->appendDouble(DBL_MAX);
  ASSERT_EQ(text->length(), 1u + 309u + 7u);
  EXPECT_TRUE(text->startsWith(u"v179769313486231570"));
  EXPECT_TRUE(text->endsWith(u".000000"));
  ScopedBuffer set;
  set->setDouble(-DBL_MAX);
  EXPECT_EQ(set->length(), 1u + 309u + 7u);
}

TEST(StrBufferNumbers, Parsing) {
  struct Case {
    const char16_t* text;
    int32_t asInt;
    int64_t asInt64;
    float asFloat;
  } cases[] = {
      {u"42", 42, 42, 42.0f},
      {u"  -17xyz", -17, -17, -17.0f},
      {u"not a number", 0, 0, 0.0f},
      {u"", 0, 0, 0.0f},
      {u"9000000000", INT32_MAX, 9000000000LL, 9e9f},
      {u"2.5", 2, 2, 2.5f},
  };
  for (const Case& c : cases) {
    ScopedBuffer text(c.text);
    EXPECT_EQ(text->toInt(), c.asInt) << printable(c.text);
    EXPECT_EQ(text->toInt64(), c.asInt64) << printable(c.text);
    EXPECT_FLOAT_EQ(text->toFloat(), c.asFloat) << printable(c.text);
  }
}

TEST(StrBufferHex, FixedWidthLowerCase) {
  ScopedBuffer bytes;
  const uint8_t byteValues[] = {0x0A, 0xFF};
  bytes->appendHexBytes(byteValues, 2);
  EXPECT_EQ(textOf(bytes.get()), u"0aff");

  ScopedBuffer words;
  const uint16_t wordValues[] = {0x1, 0xBEEF};
  words->appendHex16(wordValues, 2);
  EXPECT_EQ(textOf(words.get()), u"0001beef");

  ScopedBuffer dwords(u"#");
  const uint32_t dwordValues[] = {0xDEADBEEF, 0x10};
  dwords->appendHex32(dwordValues, 2);
  EXPECT_EQ(textOf(dwords.get()), u"#deadbeef00000010");

  ScopedBuffer qwords;
  const uint64_t qwordValues[] = {0x0123456789ABCDEFull, 1};
  qwords->appendHex64(qwordValues, 2);
  EXPECT_EQ(textOf(qwords.get()), u"0123456789abcdef0000000000000001");

  ScopedBuffer none(u"keep");
  none->appendHexBytes(byteValues, 0);
  EXPECT_EQ(textOf(none.get()), u"keep");
}

TEST(StrBufferHex, ManyBytesCrossGrowthSteps) {
  uint8_t values[300];
  for (int i = 0; i < 300; ++i) values[i] = static_cast<uint8_t>(i);
  ScopedBuffer text;
  text->appendHexBytes(values, 300);
  ASSERT_EQ(text->length(), 600u);
  EXPECT_TRUE(text->startsWith(u"000102"));
  EXPECT_TRUE(text->endsWith(u"2a2b"));
}

TEST(StrBufferHex, DigitsAndClassification) {
  struct Case {
    const char16_t* text;
    bool hex;
    bool integer;
  } cases[] = {
      {u"0123456789abcdefABCDEF", true, false},
      {u"", false, false},
      {u"12g", false, false},
      {u"-", false, false},
      {u"-5", false, true},
      {u"5-", false, false},
      {u"007", true, true},
      {u"\uFF10", false, false},  // a full-width digit is no digit
      {u"+5", false, false},
  };
  for (const Case& c : cases) {
    ScopedBuffer text(c.text);
    EXPECT_EQ(text->isHex(), c.hex) << printable(c.text);
    EXPECT_EQ(text->isInteger(), c.integer) << printable(c.text);
  }
  ScopedBuffer digits(u"09afAFgz");
  const uint8_t expected[] = {0, 9, 10, 15, 10, 15, 0, 0};
  for (uint32_t i = 0; i < 8; ++i) EXPECT_EQ(digits->hexDigitAt(i), expected[i]) << i;
}

TEST(StrBufferHex, HexToBytesReadsPairsAndIgnoresAnOddUnit) {
  ScopedBuffer text(u"0aFF7");
  ArrayU08* bytes = text->hexToBytes();
  ASSERT_EQ(bytes->size(), 2u);
  EXPECT_EQ(bytes->get(0), 0x0A);
  EXPECT_EQ(bytes->get(1), 0xFF);
  ScopedBuffer more(u"10");
  more->hexToBytes(bytes, true);
  ASSERT_EQ(bytes->size(), 3u);
  EXPECT_EQ(bytes->get(2), 0x10);
  more->hexToBytes(bytes, false);
  ASSERT_EQ(bytes->size(), 1u);
  EXPECT_EQ(bytes->get(0), 0x10);
  bytes->release();
}
