// The text and markup dumps of arrays, and their digest.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "base/col/_array/ArrayP.h"
#include "base/col/_array/ArrayS08.h"
#include "base/col/_array/ArrayS32.h"
#include "base/col/_array/ArrayU08.h"
#include "base/col/_array/ArrayU32.h"
#include "base/number/S64Value.h"
#include "base/str/strbuffer/StrBuffer.h"
#include "digest/IDigester.h"

namespace {

using namespace s::col::_array;
using s::str::strbuffer::StrBuffer;

std::u16string textOf(StrBuffer* text) {
  std::u16string s(text->getChars(), text->length());
  text->release();
  return s;
}

template <class Array, class T>
Array* arrayOf(std::initializer_list<T> values) {
  Array* a = Array::acquire();
  for (T v : values) a->add(v);
  return a;
}

TEST(ArrayText, TextAndMarkupOfEveryValueArray) {
  struct Case {
    ArrayBase* array;
    std::u16string text;
    std::u16string markup;
  };
  const Case cases[] = {
      {arrayOf<ArrayU08, uint8_t>({1, 2, 255}), u"s_col__array_ArrayU08 [1 2 255]",
       u"<s_col__array_ArrayU08 length=\"3\">0102ff</s_col__array_ArrayU08>"},
      {arrayOf<ArrayS08, int8_t>({-1, 0, 127, -128}), u"s_col__array_ArrayS08 [-1 0 127 -128]",
       u"<s_col__array_ArrayS08 length=\"4\">ff007f80</s_col__array_ArrayS08>"},
      {arrayOf<ArrayU32, uint32_t>({0, 4294967295u, 16}), u"s_col__array_ArrayU32 [0 4294967295 16]",
       u"<s_col__array_ArrayU32 length=\"3\">00000000ffffffff00000010</s_col__array_ArrayU32>"},
      {arrayOf<ArrayS32, int32_t>({-1, 2147483647, INT32_MIN}),
       u"s_col__array_ArrayS32 [-1 2147483647 -2147483648]",
       u"<s_col__array_ArrayS32 length=\"3\">ffffffff7fffffff80000000</s_col__array_ArrayS32>"},
      {arrayOf<ArrayU08, uint8_t>({}), u"s_col__array_ArrayU08 []",
       u"<s_col__array_ArrayU08 length=\"0\"></s_col__array_ArrayU08>"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(textOf(c.array->toText()), c.text);
    EXPECT_EQ(textOf(c.array->toMarkup()), c.markup);
    c.array->release();
  }
}

TEST(ArrayText, GivenBufferIsEmptiedUnlessAppending) {
  ArrayU08* a = arrayOf<ArrayU08, uint8_t>({7});
  StrBuffer* text = StrBuffer::acquire();
  text->appendAscii("old ");
  EXPECT_EQ(a->toText(text, true), text);
  EXPECT_EQ(std::u16string(text->getChars(), text->length()), u"old s_col__array_ArrayU08 [7]");
  a->toText(text, false);
  EXPECT_EQ(std::u16string(text->getChars(), text->length()), u"s_col__array_ArrayU08 [7]");
  a->toMarkup(text, true);
  EXPECT_EQ(std::u16string(text->getChars(), text->length()),
            u"s_col__array_ArrayU08 [7]<s_col__array_ArrayU08 length=\"1\">07</s_col__array_ArrayU08>");
  a->appendAllMarkup(text, false);
  EXPECT_EQ(std::u16string(text->getChars(), text->length()), u"07");
  text->release();
  a->release();
}

TEST(ArrayText, PointerArrayPrintsClassIdAndAddressOfEachElement) {
  ArrayP* a = ArrayP::acquire();
  s::number::S64Value* v = s::number::S64Value::create(3);
  a->appendPointer(v);
  a->appendPointer(nullptr);
  std::u16string expected = u"s_col__array_ArrayP [s_number_S64Value(";
  for (char c : std::to_string(static_cast<int64_t>(reinterpret_cast<intptr_t>(v)))) expected += char16_t(c);
  expected += u") null(0)]";
  EXPECT_EQ(textOf(a->toText()), expected);
  EXPECT_EQ(textOf(a->toMarkup()), u"<s_col__array_ArrayP length=\"2\"></s_col__array_ArrayP>");
  EXPECT_EQ(a->getName(), ArrayP::kClassName);
  v->release();
  a->release();
}

// Records what it is fed; its digest is the byte count.
class RecordingDigester : public s::digest::IDigester {
 public:
  void restart() override { fed.clear(); }
  void update(const void* bytes, size_t count) override {
    fed.insert(fed.end(), static_cast<const uint8_t*>(bytes), static_cast<const uint8_t*>(bytes) + count);
  }
  ArrayU08* finish(ArrayU08* out) override {
    if (!out) out = ArrayU08::acquire();
    out->add(static_cast<uint8_t>(fed.size()));
    return out;
  }
  std::vector<uint8_t> fed;
};

TEST(ArrayDigest, FeedsEveryElementByteToTheGivenDigester) {
  ArrayU32* a = arrayOf<ArrayU32, uint32_t>({0x04030201u, 0x08070605u});
  RecordingDigester digester;
  ArrayU08* out = ArrayU08::acquire();
  out->add(0xaa);
  EXPECT_EQ(a->digest(&digester, out), out);
  EXPECT_EQ(digester.fed, (std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 7, 8}));
  ASSERT_EQ(out->size(), 2u);
  EXPECT_EQ(out->get(1), 8u);
  out->release();
  a->release();
}

TEST(ArrayDigest, DefaultsToMd5) {
  struct Case {
    std::vector<uint8_t> bytes;
    std::u16string hex;
  };
  const Case cases[] = {
      {{}, u"d41d8cd98f00b204e9800998ecf8427e"},
      {{'a', 'b', 'c'}, u"900150983cd24fb0d6963f7d28e17f72"},
  };
  for (const Case& c : cases) {
    ArrayU08* a = ArrayU08::acquire();
    if (!c.bytes.empty()) a->append(c.bytes.data(), static_cast<uint32_t>(c.bytes.size()));
    ArrayU08* md5 = a->digest();
    ASSERT_NE(md5, nullptr);
    ASSERT_EQ(md5->size(), 16u);
    StrBuffer* hex = md5->appendAllMarkup();
    EXPECT_EQ(textOf(hex), c.hex);
    md5->release();
    a->release();
  }
}

}  // namespace
