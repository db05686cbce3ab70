#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <string>

#include "XmlTestSupport.h"

using namespace xmltest;

namespace {

struct SetterCase {
  const char* what;
  std::function<void(Node*)> set;
  const char16_t* stored;
};

// The text each setter stores under the name "v".
TEST(XmlValues, SettersWriteTheirFormats) {
  const uint64_t big = 0x8000000000000000ull;
  const uint64_t halves[] = {0x0000000100000002ull};
  const uint8_t bytes[] = {0x0A, 0xFF};
  const uint16_t shorts[] = {0x0001, 0xABCD};
  const uint32_t words[] = {0xDEADBEEF, 1};
  const uint64_t longs[] = {0x0123456789ABCDEFull};
  const int8_t signedBytes[] = {-1, 16};
  const int16_t signedShorts[] = {-2};
  const int32_t signedWords[] = {-1};
  const int64_t signedLongs[] = {-1};
  const SetterCase cases[] = {
      {"U8", [](Node* n) { n->setU8(u"v", 255); }, u"255"},
      {"U16", [](Node* n) { n->setU16(u"v", 65535); }, u"65535"},
      {"U32", [](Node* n) { n->setU32(u"v", 4294967295u); }, u"4294967295"},
      {"I8", [](Node* n) { n->setI8(u"v", -128); }, u"-128"},
      {"I16", [](Node* n) { n->setI16(u"v", -32768); }, u"-32768"},
      {"I32", [](Node* n) { n->setI32(u"v", std::numeric_limits<int32_t>::min()); }, u"-2147483648"},
      {"I64", [](Node* n) { n->setI64(u"v", -1234567890123ll); }, u"-1234567890123"},
      {"U64 at 2^63 is written signed", [&](Node* n) { n->setU64(u"v", big); }, u"-9223372036854775808"},
      {"float", [](Node* n) { n->setFloat(u"v", 1.5f); }, u"1.500000"},
      {"double", [](Node* n) { n->setDouble(u"v", -0.25); }, u"-0.250000"},
      {"8-bit array", [&](Node* n) { n->setArrayU8(u"v", bytes, 2); }, u"0aff"},
      {"16-bit array", [&](Node* n) { n->setArrayU16(u"v", shorts, 2); }, u"0001abcd"},
      {"32-bit array", [&](Node* n) { n->setArrayU32(u"v", words, 2); }, u"deadbeef00000001"},
      {"64-bit array", [&](Node* n) { n->setArrayU64(u"v", longs, 1); }, u"0123456789abcdef"},
      {"signed 8-bit array", [&](Node* n) { n->setArrayI8(u"v", signedBytes, 2); }, u"ff10"},
      {"signed 16-bit array", [&](Node* n) { n->setArrayI16(u"v", signedShorts, 1); }, u"fffe"},
      {"signed 32-bit array", [&](Node* n) { n->setArrayI32(u"v", signedWords, 1); }, u"ffffffff"},
      {"signed 64-bit array", [&](Node* n) { n->setArrayI64(u"v", signedLongs, 1); }, u"ffffffffffffffff"},
      {"setArray32", [&](Node* n) { n->setArray32(u"v", words, 1); }, u"deadbeef"},
      {"64-bit halves, low first", [&](Node* n) { n->setArray64Halves(u"v", halves, 1); }, u"0000000200000001"},
      {"empty array", [&](Node* n) { n->setArrayU8(u"v", bytes, 0); }, u""},
      {"attribute escaping",
       [](Node* n) { n->setString(u"v", u"x\"<&>\r\n "); }, u"x&quot;&lt;&amp;>&#13;&#10; "},
      {"text escaping", [](Node* n) { n->setString(u"", u"x\"<&>\r\n "); }, u"x\"&lt;&amp;&gt;&#13;&#10;&#160;"},
  };
  for (const SetterCase& c : cases) {
    NodeHolder node;
    node->setName(u"n");
    c.set(node.get());
    ASSERT_EQ(node->getAttributes()->size(), 1u) << c.what;
    const char16_t* name = node->getAttributes()->get(0)->name;
    EXPECT_EQ(rawOf(node.get(), name), std::u16string(c.stored)) << c.what;
  }
}

TEST(XmlValues, HugeDoubleIsWrittenWhole) {
  NodeHolder node;
  node->setDouble(u"v", 1e300);
  std::u16string stored = rawOf(node.get(), u"v");
  EXPECT_EQ(stored.size(), 301u + 7u);
  EXPECT_EQ(stored.substr(0, 2), u"10");
  EXPECT_EQ(stored.substr(stored.size() - 7), u".000000");
  EXPECT_DOUBLE_EQ(node->getDouble(u"v", 0), 1e300);
}

TEST(XmlValues, NumbersReadBackToTheSameBits) {
  NodeHolder node;
  node->setU64(u"big", 0xFFFFFFFFFFFFFFFFull);
  node->setU64(u"half", 0x8000000000000000ull);
  node->setI64(u"neg", std::numeric_limits<int64_t>::min());
  node->setU32(u"u32", 4000000000u);
  node->setI16(u"i16", -7);
  node->setFloat(u"f", 0.125f);
  EXPECT_EQ(node->getU64(u"big", 0), 0xFFFFFFFFFFFFFFFFull);
  EXPECT_EQ(node->getU64(u"half", 0), 0x8000000000000000ull);
  EXPECT_EQ(node->getI64(u"neg", 0), std::numeric_limits<int64_t>::min());
  EXPECT_EQ(node->getU32(u"u32", 0), 4000000000u);
  EXPECT_EQ(node->getI16(u"i16", 0), -7);
  EXPECT_FLOAT_EQ(node->getFloat(u"f", 0), 0.125f);
}

struct ConversionCase {
  const char16_t* stored;
  int64_t i32;
  uint64_t u8;
  int64_t i8;
  uint64_t u16;
};

TEST(XmlValues, ConversionsKeepTheLowBits) {
  const ConversionCase cases[] = {
      {u"300", 300, 44, 44, 300},
      {u"200", 200, 200, -56, 200},
      {u"70000", 70000, 0x70, 0x70, 70000 & 0xFFFF},
      {u"-1", -1, 0xFF, -1, 0xFFFF},
      {u"  +12x", 12, 12, 12, 12},
      {u"\t42", 42, 42, 42, 42},
      {u"abc", 0, 0, 0, 0},
      {u"", 0, 0, 0, 0},
  };
  for (const ConversionCase& c : cases) {
    NodeHolder node;
    node->getAttributes()->add(u"v", -1, c.stored, -1);
    std::string what = narrow(c.stored);
    EXPECT_EQ(node->getI32(u"v", 99), c.i32) << what;
    EXPECT_EQ(node->getU8(u"v", 99), c.u8) << what;
    EXPECT_EQ(node->getI8(u"v", 99), c.i8) << what;
    EXPECT_EQ(node->getU16(u"v", 99), c.u16) << what;
  }
}

TEST(XmlValues, MissingNamesAnswerTheDefault) {
  NodeHolder node;
  node->setI32(u"x", 1);
  EXPECT_EQ(node->getI32(u"y", -5), -5);
  EXPECT_EQ(node->getU8(u"y", 7), 7);
  EXPECT_EQ(node->getU64(u"y", 123456789012ull), 123456789012ull);
  EXPECT_TRUE(node->getBool(u"y", true));
  EXPECT_DOUBLE_EQ(node->getDouble(u"y", 2.5), 2.5);
  EXPECT_EQ(std::u16string(node->getRaw(u"y", u"d")), u"d");
  EXPECT_EQ(node->getRaw(u"y", nullptr), nullptr);
}

TEST(XmlValues, GetBoolReadsOneAndLowerCaseTrue) {
  const struct {
    const char16_t* stored;
    bool expected;
  } cases[] = {
      {u"1", true}, {u"true", true}, {u"truex", true}, {u"10", true},
      {u"TRUE", false}, {u"0", false}, {u"yes", false}, {u"tru", false}, {u"", false}, {u" 1", false},
  };
  for (const auto& c : cases) {
    NodeHolder node;
    node->getAttributes()->add(u"b", -1, c.stored, -1);
    EXPECT_EQ(node->getBool(u"b", !c.expected), c.expected) << narrow(c.stored);
  }
}

TEST(XmlValues, SettersAppendAndTheFirstRecordWins) {
  NodeHolder node;
  node->setName(u"n");
  node->setI32(u"x", 1);
  node->setI32(u"X", 2);
  EXPECT_EQ(node->getAttributes()->size(), 2u);
  EXPECT_EQ(node->getI32(u"x", 0), 1);
  EXPECT_EQ(node->getI32(u"X", 0), 1) << "names are matched ignoring ASCII case";
  EXPECT_EQ(textOf(node.get()), u"<n x=\"1\" X=\"2\"></n>");
  EXPECT_TRUE(node->getAttributes()->removeFirst(u"x"));
  EXPECT_EQ(node->getI32(u"x", 0), 2);
}

TEST(XmlValues, SpacesOfATextRunSurviveAsEntities) {
  NodeHolder node;
  node->setName(u"n");
  node->setString(u"", u" a b ");
  EXPECT_EQ(rawOf(node.get(), u""), u"&#160;a&#160;b&#160;");
  EXPECT_EQ(stringOf(node.get(), u""), u" a b ");
  // Through the writer and the reader again.
  NodeHolder again;
  again->parse(textOf(node.get()).c_str());
  EXPECT_EQ(stringOf(again.get(), u""), u" a b ");
}

TEST(XmlValues, TextRunLosesItsLayoutWhiteSpace) {
  NodeHolder node;
  node->parse(u"<a>  hello \n</a>");
  EXPECT_EQ(stringOf(node.get(), u""), u"hello");
}

TEST(XmlValues, UnescapingDependsOnTheScheme) {
  NodeHolder node;
  node->parse(u"<a v=\"a&gt;b\">a&gt;b</a>");
  EXPECT_EQ(stringOf(node.get(), u"v"), u"a&gt;b");
  EXPECT_EQ(stringOf(node.get(), u""), u"a>b");
  const struct {
    const char16_t* name;
    const char16_t* stored;
    const char16_t* read;
  } cases[] = {
      {u"v", u"&amp;&lt;&quot;&#13;&#10;", u"&<\"\r\n"},
      {u"v", u"&#160;&apos;&", u"&#160;&apos;&"},
      {u"v", u"  keep  ", u"  keep  "},
      {u"", u"&amp;&lt;&gt;&#160;&#13;&#10;", u"&<> \r\n"},
      {u"", u"&quot;&", u"&quot;&"},
      {u"", u" \t\r\n&#160;x&#160; \t\u3000", u" x "},
      {u"", u"x&#10;\n  ", u"x\n"},
      {u"", u"x \u3000\t", u"x"},
      {u"", u"   ", u""},
  };
  for (const auto& c : cases) {
    NodeHolder n;
    n->getAttributes()->add(c.name, -1, c.stored, -1);
    EXPECT_EQ(stringOf(n.get(), c.name), std::u16string(c.read)) << narrow(c.stored);
  }
}

TEST(XmlValues, EscapingRoundTripsEveryScheme) {
  const char16_t* texts[] = {u"plain", u"a \"quoted\" <tag> & more", u"line\r\nbreak", u" both ends ",
                             u"&amp; literal", u"\u65E5\u672C \u8A9E"};
  for (const char16_t* text : texts) {
    NodeHolder node;
    node->setName(u"n");
    node->setString(u"a", text);
    node->setString(u"", text);
    NodeHolder again;
    again->parse(textOf(node.get()).c_str());
    EXPECT_EQ(stringOf(again.get(), u"a"), std::u16string(text)) << narrow(text);
    EXPECT_EQ(stringOf(again.get(), u""), std::u16string(text)) << narrow(text);
  }
}

TEST(XmlValues, GetStringFillsTheCallersBuffer) {
  NodeHolder node;
  node->setString(u"a", u"value");
  StrBuffer* target = StrBuffer::acquireText(u"old ");
  node->getString(target, u"a", u"dflt", true);
  EXPECT_EQ(std::u16string(target->getText()), u"old value");
  node->getString(target, u"a", u"dflt", false);
  EXPECT_EQ(std::u16string(target->getText()), u"value");
  node->getString(target, u"missing", u"dflt", true);
  EXPECT_EQ(std::u16string(target->getText()), u"valuedflt");
  node->getString(target, u"missing", u"dflt", false);
  EXPECT_EQ(std::u16string(target->getText()), u"dflt");
  node->getString(target, u"missing", nullptr, false);
  EXPECT_EQ(target->length(), 0u);
  // Trimming a text run never reaches into what the buffer held before.
  NodeHolder blank;
  blank->getAttributes()->add(u"", 0, u"  \n", -1);
  target->setText(u"kept ");
  blank->getString(target, u"", nullptr, true);
  EXPECT_EQ(std::u16string(target->getText()), u"kept ");
  target->release();
}

}  // namespace
