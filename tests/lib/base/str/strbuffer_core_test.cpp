// Memory, ordering, hashing, pooling, iterators and the stream faces of the string buffer.
#include <gtest/gtest.h>

#include <cstring>

#include "StrTestSupport.h"
#include "base/str/strbuffer/Iterator.h"

using s::str::strbuffer::Iterator;
using s::str::strbuffer::StrBuffer;
using strtest::printable;
using strtest::ScopedBuffer;
using strtest::textOf;

TEST(StrBufferMemory, NewBufferHasNoMemory) {
  ScopedBuffer text;
  EXPECT_EQ(text->length(), 0u);
  EXPECT_EQ(text->capacity(), 0u);
  EXPECT_EQ(text->getChars(), nullptr);
  EXPECT_EQ(text->getPosition(), 0u);
}

TEST(StrBufferMemory, GrowthStepsFollowTheArrayRule) {
  struct Case {
    uint32_t from;
    uint32_t expected;
  } cases[] = {{0, 100}, {99, 100}, {100, 300}, {300, 900}};
  for (const Case& c : cases) {
    ScopedBuffer text;
    if (c.from) {
      ASSERT_TRUE(text->reserveExact(c.from));
    }
    ASSERT_TRUE(text->grow());
    EXPECT_EQ(text->capacity(), c.expected) << "from " << c.from;
  }
}

TEST(StrBufferMemory, AppendingOneUnitToAFullBufferTakesOneStep) {
  ScopedBuffer text;
  text->appendChar(u'a');
  EXPECT_EQ(text->capacity(), 100u);
  for (int i = 1; i < 100; ++i) text->appendChar(u'a');
  EXPECT_EQ(text->capacity(), 100u);
  text->appendChar(u'b');
  EXPECT_EQ(text->capacity(), 300u);
  EXPECT_EQ(text->length(), 101u);
  EXPECT_EQ(text->charAt(100), u'b');
}

TEST(StrBufferMemory, ReserveTakesStepsAndSetsAllocateExactly) {
  ScopedBuffer text;
  ASSERT_TRUE(text->reserve(301));
  EXPECT_EQ(text->capacity(), 900u);
  ScopedBuffer exact;
  exact->setText(u"twelve units");
  EXPECT_EQ(exact->capacity(), 12u);
  exact->setS32(-12345);
  EXPECT_EQ(textOf(exact.get()), u"-12345");
}

TEST(StrBufferMemory, ClearKeepsMemoryAndResetFreesIt) {
  ScopedBuffer text(u"abc");
  text->setPosition(4);
  text->clear();
  EXPECT_EQ(text->length(), 0u);
  EXPECT_EQ(text->getPosition(), 0u);
  EXPECT_NE(text->getChars(), nullptr);
  text->appendText(u"x");
  text->reset();
  EXPECT_EQ(text->getChars(), nullptr);
  EXPECT_EQ(text->capacity(), 0u);
  EXPECT_EQ(text->length(), 0u);
}

TEST(StrBufferMemory, SetLengthStaysWithinTheCapacity) {
  ScopedBuffer text(u"abcd");
  text->setLength(2);
  EXPECT_EQ(textOf(text.get()), u"ab");
  text->setLength(1000);
  EXPECT_EQ(text->length(), text->capacity());
}

TEST(StrBufferText, GetTextOnEmptyIsAStaticEmptyText) {
  ScopedBuffer text(u"abc");
  text->clear();
  const char16_t* empty = text->getText();
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(empty[0], 0);
  EXPECT_NE(empty, text->getChars());
  EXPECT_EQ(text->terminate(), nullptr);
}

TEST(StrBufferText, GetTextTerminatesTheOwnMemory) {
  ScopedBuffer text;
  text->appendChars(u"abcdef", 3);
  const char16_t* terminated = text->getText();
  EXPECT_EQ(terminated, text->getChars());
  EXPECT_EQ(std::u16string(terminated), u"abc");
  char16_t* end = text->terminate();
  EXPECT_EQ(end, text->getChars() + 3);
  EXPECT_EQ(*end, 0);
}

TEST(StrBufferText, AppendsOfItsOwnTextSurviveGrowth) {
  ScopedBuffer text(u"0123456789");
  for (int i = 0; i < 6; ++i) text->appendChars(text->getChars(), static_cast<int32_t>(text->length()));
  EXPECT_EQ(text->length(), 640u);
  for (uint32_t i = 0; i < text->length(); ++i) ASSERT_EQ(text->charAt(i), u'0' + i % 10) << i;
  text->setChars(text->getChars() + 630, 5);
  EXPECT_EQ(textOf(text.get()), u"01234");
}

TEST(StrBufferText, CreationFunctions) {
  StrBuffer* joined2 = StrBuffer::acquireJoined(u"ab", u"cd");
  StrBuffer* joined4 = StrBuffer::acquireJoined(u"a", nullptr, u"c", u"d");
  StrBuffer* ascii = StrBuffer::acquireAscii("plain");
  EXPECT_EQ(textOf(joined2), u"abcd");
  EXPECT_EQ(textOf(joined4), u"acd");
  EXPECT_EQ(textOf(ascii), u"plain");
  joined2->release();
  joined4->release();
  ascii->release();
}

TEST(StrBufferText, SetStrCopiesAnotherTextAndIgnoresItself) {
  ScopedBuffer source(u"source");
  ScopedBuffer target(u"old");
  target->setStr(source.get());
  EXPECT_EQ(textOf(target.get()), u"source");
  target->setStr(target.get());
  EXPECT_EQ(textOf(target.get()), u"source");
  target->appendStr(source.get());
  EXPECT_EQ(textOf(target.get()), u"sourcesource");
}

TEST(StrBufferOrder, CompareToOrdersByLittleEndianBytes) {
  struct Case {
    std::u16string a;
    std::u16string b;
    int32_t expected;
  } cases[] = {
      {u"a", u"\u0100", 1},  // 0x61 0x00 against 0x00 0x01: the first byte decides
      {u"\u0100", u"a", -1},
      {u"abc", u"abc", 0},
      {u"ab", u"abc", -1},
      {u"abc", u"ab", 1},
      {u"", u"", 0},
      {u"", u"a", -1},
      {u"\u0201", u"\u0102", -1},  // 0x01 0x02 against 0x02 0x01
      {u"B", u"a", -1},
  };
  for (const Case& c : cases) {
    ScopedBuffer a(c.a), b(c.b);
    EXPECT_EQ(a->compareTo(b.get()), c.expected) << printable(c.a) << " vs " << printable(c.b);
    EXPECT_EQ(a->equals(b.get()), c.expected == 0);
  }
}

TEST(StrBufferOrder, CompareToIgnoreCaseFoldsAsciiOnly) {
  struct Case {
    std::u16string a;
    std::u16string b;
    int32_t expected;
  } cases[] = {
      {u"ABC", u"abc", 0},
      {u"\u00C4", u"\u00E4", -1},  // capital and small a with diaeresis stay different
      {u"Zeta", u"alpha", 1},
      {u"[", u"a", -1},  // "[" (0x5B) is no letter and is not folded
      {u"abc", u"ABCD", -1},
      {u"-SUSPEND", u"-suspend", 0},
  };
  for (const Case& c : cases) {
    ScopedBuffer a(c.a), b(c.b);
    EXPECT_EQ(a->compareToIgnoreCase(b.get()), c.expected) << printable(c.a) << " vs " << printable(c.b);
    EXPECT_EQ(a->equalsIgnoreCase(b.get()), c.expected == 0);
  }
}

TEST(StrBufferOrder, HashesFollowTheShiftRule) {
  auto reference = [](const std::u16string& text, bool ignoreCase) {
    uint32_t h = 0;
    for (char16_t u : text) {
      if (ignoreCase && u >= 65 && u <= 90) u = static_cast<char16_t>(u + 32);
      h = (h << 1) | ((h >> 30) & 1u);
      h ^= u;
    }
    return h;
  };
  const std::u16string texts[] = {u"", u"a", u"Hello World", u"\uFFFF\u3000x",
                                  std::u16string(100, u'Q')};
  for (const std::u16string& t : texts) {
    ScopedBuffer text(t);
    EXPECT_EQ(text->hashCode(), reference(t, false)) << printable(t);
    EXPECT_EQ(text->hashCodeIgnoreCase(), reference(t, true)) << printable(t);
  }
  ScopedBuffer empty, upper(u"MiXeD"), lower(u"mixed");
  EXPECT_EQ(empty->hashCode(), 0u);
  EXPECT_EQ(upper->hashCodeIgnoreCase(), lower->hashCodeIgnoreCase());
  EXPECT_NE(upper->hashCode(), lower->hashCode());
  // Bit 30 moves into bit 0 (and bit 31) on the next step.
  ScopedBuffer high(std::u16string(31, u'\x01'));
  EXPECT_EQ(high->hashCode(), reference(std::u16string(31, u'\x01'), false));
}

TEST(StrBufferPool, ReleasedBufferComesBackEmptyAndWithoutMemory) {
  StrBuffer* first = StrBuffer::acquire();
  first->appendText(u"some text");
  first->setPosition(6);
  first->release();
  StrBuffer* second = StrBuffer::acquire();
  EXPECT_EQ(second, first);
  EXPECT_EQ(second->length(), 0u);
  EXPECT_EQ(second->capacity(), 0u);
  EXPECT_EQ(second->getPosition(), 0u);
  EXPECT_EQ(second->getClassName(), StrBuffer::kClassName);
  EXPECT_EQ(std::u16string(second->getClassName()), u"s_str_strbuffer_StrBuffer");
  s::base::IObject* fresh = second->newInstance();
  EXPECT_NE(fresh, second);
  static_cast<StrBuffer*>(fresh)->release();
  second->release();
}

TEST(StrBufferIterator, WalksTheUnitsInBothDirections) {
  ScopedBuffer text(u"abc");
  Iterator* forward = text->iteratorAtStart();
  EXPECT_EQ(forward->getClassName(), Iterator::kClassName);
  EXPECT_EQ(forward->getIndex(), -1);
  std::u16string seen;
  while (forward->hasNext()) seen += *static_cast<char16_t*>(forward->next());
  EXPECT_EQ(seen, u"abc");
  forward->release();

  Iterator* backward = text->iteratorAtEnd();
  EXPECT_EQ(backward->getIndex(), 3);
  seen.clear();
  for (int i = 0; i < 3; ++i) seen += *static_cast<char16_t*>(backward->previous());
  EXPECT_EQ(seen, u"cba");
  backward->release();

  struct Case {
    bool fromEnd;
    uint32_t i;
    int32_t index;
    char16_t cursorUnit;
  } cases[] = {{false, 1, 0, u'b'}, {false, 0, -1, u'a'}, {true, 1, 2, u'c'}, {true, 3, 0, u'a'}};
  for (const Case& c : cases) {
    Iterator* at = c.fromEnd ? text->iteratorAtFromEnd(c.i) : text->iteratorAt(c.i);
    EXPECT_EQ(at->getIndex(), c.index);
    EXPECT_EQ(*static_cast<char16_t*>(at->next()), c.cursorUnit);
    at->release();
  }
}

TEST(StrBufferIterator, EmptyBufferHasNothingToWalk) {
  ScopedBuffer text;
  Iterator* it = text->iteratorAtStart();
  EXPECT_FALSE(it->hasNext());
  it->release();
}

TEST(StrBufferStream, ReadsTheLittleEndianBytes) {
  ScopedBuffer text(u"AB\u0102");
  uint8_t bytes[8] = {};
  uint32_t got = 0;
  EXPECT_TRUE(text->readBytes(bytes, 4, &got));
  EXPECT_EQ(got, 4u);
  EXPECT_EQ(std::memcmp(bytes, "A\0B\0", 4), 0);
  EXPECT_TRUE(text->readBytes(bytes, 8, &got));
  EXPECT_EQ(got, 2u);
  EXPECT_EQ(bytes[0], 0x02);
  EXPECT_EQ(bytes[1], 0x01);
  EXPECT_FALSE(text->readBytes(bytes, 8, &got));
  EXPECT_EQ(got, 0u);
}

TEST(StrBufferStream, WritesGrowTheTextAndCoverOddBytes) {
  ScopedBuffer text;
  EXPECT_TRUE(text->writeBytes("h\0i\0", 4));
  EXPECT_EQ(textOf(text.get()), u"hi");
  EXPECT_EQ(text->getPosition(), 4u);
  EXPECT_TRUE(text->writeBytes("!", 1));
  EXPECT_EQ(text->length(), 3u);
  EXPECT_EQ(text->charAt(2), u'!');
  // Writing past the end leaves zero units in the gap.
  text->setPosition(10);
  EXPECT_TRUE(text->writeBytes("z\0", 2));
  EXPECT_EQ(textOf(text.get()), std::u16string(u"hi!\0\0z", 6));
  // Overwriting inside keeps the length.
  text->rewind();
  EXPECT_TRUE(text->writeBytes("H\0", 2));
  EXPECT_EQ(text->length(), 6u);
  EXPECT_EQ(text->charAt(0), u'H');
}

TEST(StrBufferStream, PositionOperationsStayInRange) {
  ScopedBuffer text(u"abcd");
  text->seekEnd();
  EXPECT_EQ(text->getPosition(), 8u);
  text->seekBeforeEnd(3);
  EXPECT_EQ(text->getPosition(), 5u);
  text->seekBeforeEnd(100);
  EXPECT_EQ(text->getPosition(), 0u);
  text->skipForward(6);
  text->skipBackward(2);
  EXPECT_EQ(text->getPosition(), 4u);
  text->skipBackward(10);
  EXPECT_EQ(text->getPosition(), 0u);
  EXPECT_TRUE(text->ready());
}
