// Splitting into string arrays, and the array's ownership of its strings.
#include <gtest/gtest.h>

#include <vector>

#include "StrTestSupport.h"
#include "base/str/strarray/StrArray.h"
#include "base/thread/EasyPooler.h"

using s::str::strarray::StrArray;
using s::str::strbuffer::StrBuffer;
using strtest::printable;
using strtest::ScopedBuffer;
using strtest::textOf;

namespace {

std::vector<std::u16string> piecesOf(const StrArray* array) {
  std::vector<std::u16string> pieces;
  for (uint32_t i = 0; i < array->size(); ++i) pieces.push_back(textOf(array->get(i)));
  return pieces;
}

}  // namespace

TEST(StrBufferSplit, SkipsEmptyPieces) {
  struct Case {
    std::u16string text;
    std::vector<std::u16string> pieces;
  } cases[] = {
      {u";a;;b;", {u"a", u"b"}},
      {u"a;b;c", {u"a", u"b", u"c"}},
      {u"", {}},
      {u";;;", {}},
      {u"whole", {u"whole"}},
      {u"tail;", {u"tail"}},
  };
  for (const Case& c : cases) {
    ScopedBuffer text(c.text);
    StrArray* pieces = text->split(u';');
    EXPECT_EQ(piecesOf(pieces), c.pieces) << printable(c.text);
    pieces->release();
  }
}

TEST(StrBufferSplit, WordsAreDistinctIgnoringCase) {
  struct Case {
    std::u16string text;
    bool filter;
    std::vector<std::u16string> words;
  } cases[] = {
      {u"Hello, world! hello WORLD", false, {u"Hello", u"world"}},
      {u"C++ 50% x-ray", false, {u"C++", u"50%", u"x-ray"}},
      {u"\u65E5\u672C\u3001\u8A9E\u3002\u300C\u5F15\u300D", false, {u"\u65E5\u672C", u"\u8A9E", u"\u5F15"}},
      {u"a\u3000b\uFF08c\uFF09", false, {u"a", u"b", u"c"}},
      {u"caf\u00E9 bar", false, {u"caf", u"bar"}},  // U+00E9 is below 256 and so a separator
      {u"  ", false, {}},
      {u"war and the", true, {u"war", u"and"}},  // only the final word meets the stop words
      {u"the war of the", true, {u"the", u"war", u"of"}},
      {u"Tale Of THE", true, {u"Tale", u"Of"}},
      {u"war and the", false, {u"war", u"and", u"the"}},
      {u"the", true, {}},
  };
  for (const Case& c : cases) {
    ScopedBuffer text(c.text);
    StrArray* words = text->splitWords(c.filter);
    EXPECT_EQ(piecesOf(words), c.words) << printable(c.text) << " filter " << c.filter;
    words->release();
  }
}

TEST(StrArray, ClearingGivesStringsBackToTheirPool) {
  StrArray* array = StrArray::acquire();
  EXPECT_EQ(std::u16string(array->getClassName()), u"s_str_strarray_StrArray");
  StrBuffer* text = StrBuffer::acquireText(u"owned");
  array->add(text);
  array->add(nullptr);
  EXPECT_EQ(array->size(), 1u);
  EXPECT_EQ(array->get(0), text);
  array->clear();
  EXPECT_EQ(array->size(), 0u);
  // The string went back to the pool, reset, and is the next one handed out.
  StrBuffer* again = StrBuffer::acquire();
  EXPECT_EQ(again, text);
  EXPECT_EQ(again->length(), 0u);
  again->release();

  array->add(StrBuffer::acquireText(u"kept"));
  EXPECT_TRUE(array->containsIgnoreCase(ScopedBuffer(u"KEPT").get()));
  EXPECT_FALSE(array->containsIgnoreCase(ScopedBuffer(u"kep").get()));
  array->release();
  StrArray* fresh = StrArray::acquire();
  EXPECT_EQ(fresh, array);
  EXPECT_EQ(fresh->size(), 0u);
  fresh->release();
}

TEST(StrArray, DestroyingDestroysItsStrings) {
  StrArray* owned = StrArray::acquire();
  owned->add(StrBuffer::acquireText(u"one"));
  owned->add(StrBuffer::acquireText(u"two"));
  uint32_t kept = StrBuffer::pool()->freeCount();
  owned->destroy(1);
  // The strings were destroyed with the array, not handed to the pool (the leak checker sees the rest).
  EXPECT_EQ(StrBuffer::pool()->freeCount(), kept);
}
