// Growth, editing at the ends and in the middle, and raw copies of the value arrays.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "base/col/_array/ArrayS32.h"
#include "base/col/_array/ArrayU08.h"
#include "base/col/_array/ArrayU32.h"

namespace {

using s::col::_array::ArrayS32;
using s::col::_array::ArrayU08;
using s::col::_array::ArrayU32;

std::vector<int32_t> contentOf(const ArrayS32* a) {
  return std::vector<int32_t>(a->data(), a->data() + a->size());
}

ArrayS32* arrayOf(std::initializer_list<int32_t> values) {
  ArrayS32* a = ArrayS32::acquire();
  for (int32_t v : values) a->add(v);
  return a;
}

TEST(ArrayGrowth, SingleAppendsStepFrom100To300To900) {
  struct Case {
    uint32_t appends;
    uint32_t capacity;
  };
  const Case cases[] = {{1, 100}, {100, 100}, {101, 300}, {300, 300}, {301, 900}};
  for (const Case& c : cases) {
    ArrayU32* a = ArrayU32::acquire();
    for (uint32_t i = 0; i < c.appends; ++i) a->add(i);
    EXPECT_EQ(a->getCapacity(), c.capacity) << c.appends << " appends";
    EXPECT_EQ(a->size(), c.appends);
    EXPECT_EQ(a->get(c.appends - 1), c.appends - 1);
    a->release();
  }
}

TEST(ArrayGrowth, BlockAppendsTakeStepsUntilTheyFit) {
  struct Case {
    uint32_t first;
    uint32_t second;
    uint32_t capacity;
  };
  const Case cases[] = {{0, 50, 100}, {0, 250, 300}, {100, 1000, 2700}, {99, 2, 300}};
  for (const Case& c : cases) {
    ArrayU08* a = ArrayU08::acquire();
    std::vector<uint8_t> block(c.first > c.second ? c.first : c.second, 7);
    if (c.first > 0) a->append(block.data(), c.first);
    a->append(block.data(), c.second);
    EXPECT_EQ(a->getCapacity(), c.capacity) << c.first << "+" << c.second;
    EXPECT_EQ(a->size(), c.first + c.second);
    a->release();
  }
}

TEST(ArrayGrowth, ExactReservationsAllocateJustWhatIsAsked) {
  ArrayU32* a = ArrayU32::acquire();
  a->reserveExact(150);
  EXPECT_EQ(a->getCapacity(), 150u);
  a->reserve(151);
  EXPECT_EQ(a->getCapacity(), 450u);
  a->release();

  ArrayU32* b = ArrayU32::acquire();
  b->setSize(5);
  EXPECT_EQ(b->getCapacity(), 5u);
  EXPECT_EQ(b->size(), 5u);
  for (uint32_t i = 0; i < 5; ++i) EXPECT_EQ(b->get(i), 0u) << "new elements read as zero";
  b->setSize(2);
  EXPECT_EQ(b->size(), 2u);
  EXPECT_EQ(b->getCapacity(), 5u);
  b->release();
}

TEST(ArrayGrowth, WritePastTheEndReservesExactlyAndZeroesTheGap) {
  ArrayS32* a = arrayOf({1, 2});
  const int32_t values[] = {8, 9, 10};
  a->write(values, 2, 1, 5);  // 9, 10 at index 5
  EXPECT_EQ(contentOf(a), (std::vector<int32_t>{1, 2, 0, 0, 0, 9, 10}));
  a->write(values, 1, 0, 0);  // overwrite inside: the count stays
  EXPECT_EQ(contentOf(a), (std::vector<int32_t>{8, 2, 0, 0, 0, 9, 10}));
  a->release();

  ArrayS32* b = ArrayS32::acquire();
  b->write(values, 3, 0, 0);
  EXPECT_EQ(b->getCapacity(), 3u);
  b->release();
}

TEST(ArrayPool, ReleasedArrayComesBackEmptyWithoutStorage) {
  ArrayU08* a = ArrayU08::acquire();
  a->add(1);
  a->setPosition(1);
  a->release();
  ArrayU08* b = ArrayU08::acquire();
  EXPECT_EQ(b->size(), 0u);
  EXPECT_EQ(b->getCapacity(), 0u);
  EXPECT_EQ(b->getPosition(), 0u);
  EXPECT_EQ(b->getClassName(), ArrayU08::kClassName);
  s::base::IObject* fresh = b->newInstance();
  EXPECT_EQ(fresh->getClassName(), ArrayU08::kClassName);
  static_cast<ArrayU08*>(fresh)->release();
  b->release();
}

TEST(ArrayEditing, InsertRemoveAndTakeAtEndsAndMiddle) {
  using Edit = std::function<void(ArrayS32*, std::vector<int32_t>&)>;
  struct Case {
    const char* name;
    Edit edit;
    std::vector<int32_t> remaining;
    std::vector<int32_t> taken;
  };
  const int32_t src[] = {7, 8, 9};
  auto takeInto = [](std::vector<int32_t>& out, uint32_t n) {
    out.assign(n, -1);
    return out.data();
  };
  const Case cases[] = {
      {"insert at 0", [&](ArrayS32* a, auto&) { a->insert(0, src, 1); }, {7, 0, 1, 2, 3, 4}, {}},
      {"insert in the middle",
       [&](ArrayS32* a, auto&) { a->insert(2, src, 2, 1); },
       {0, 1, 8, 9, 2, 3, 4},
       {}},
      {"insert at the count", [&](ArrayS32* a, auto&) { a->insert(5, src, 1); }, {0, 1, 2, 3, 4, 7}, {}},
      {"insert past the count appends",
       [&](ArrayS32* a, auto&) { a->insert(99, src, 1); },
       {0, 1, 2, 3, 4, 7},
       {}},
      {"prepend from a source index",
       [&](ArrayS32* a, auto&) { a->prepend(src, 2, 1); },
       {8, 9, 0, 1, 2, 3, 4},
       {}},
      {"append from a source index",
       [&](ArrayS32* a, auto&) { a->append(src, 1, 2); },
       {0, 1, 2, 3, 4, 9},
       {}},
      {"remove first", [](ArrayS32* a, auto&) { a->remove(0, 1); }, {1, 2, 3, 4}, {}},
      {"remove in the middle", [](ArrayS32* a, auto&) { a->remove(1, 2); }, {0, 3, 4}, {}},
      {"remove last", [](ArrayS32* a, auto&) { a->remove(4, 1); }, {0, 1, 2, 3}, {}},
      {"remove running past the end", [](ArrayS32* a, auto&) { a->remove(3, 9); }, {0, 1, 2}, {}},
      {"remove at the count", [](ArrayS32* a, auto&) { a->remove(5, 1); }, {0, 1, 2, 3, 4}, {}},
      {"drop first", [](ArrayS32* a, auto&) { a->dropFirst(2); }, {2, 3, 4}, {}},
      {"drop last", [](ArrayS32* a, auto&) { a->dropLast(2); }, {0, 1, 2}, {}},
      {"drop more than all", [](ArrayS32* a, auto&) { a->dropLast(9); }, {}, {}},
      {"take first", [&](ArrayS32* a, auto& t) { a->takeFirst(takeInto(t, 2), 2); }, {2, 3, 4}, {0, 1}},
      {"take last", [&](ArrayS32* a, auto& t) { a->takeLast(takeInto(t, 2), 2); }, {0, 1, 2}, {3, 4}},
      {"take in the middle", [&](ArrayS32* a, auto& t) { a->take(1, takeInto(t, 3), 3); }, {0, 4}, {1, 2, 3}},
      {"take to a destination index",
       [&](ArrayS32* a, auto& t) { a->takeFirst(takeInto(t, 3), 2, 1); },
       {2, 3, 4},
       {-1, 0, 1}},
      {"take last more than all",
       [&](ArrayS32* a, auto& t) { a->takeLast(takeInto(t, 6), 9); },
       {},
       {0, 1, 2, 3, 4, -1}},
      {"swap", [](ArrayS32* a, auto&) { a->swap(0, 4); }, {4, 1, 2, 3, 0}, {}},
      {"swap through scratch",
       [](ArrayS32* a, auto&) {
         int32_t scratch;
         a->swapWith(1, 3, &scratch);
       },
       {0, 3, 2, 1, 4},
       {}},
      {"reverse", [](ArrayS32* a, auto&) { a->reverse(); }, {4, 3, 2, 1, 0}, {}},
  };
  for (const Case& c : cases) {
    ArrayS32* a = arrayOf({0, 1, 2, 3, 4});
    std::vector<int32_t> taken;
    c.edit(a, taken);
    EXPECT_EQ(contentOf(a), c.remaining) << c.name;
    EXPECT_EQ(taken, c.taken) << c.name;
    a->release();
  }
}

TEST(ArrayEditing, SourcesInsideTheArrayStayValidWhileItGrowsOrShifts) {
  ArrayS32* a = ArrayS32::acquire();
  for (int32_t i = 0; i < 100; ++i) a->add(i);
  ASSERT_EQ(a->getCapacity(), 100u);
  a->append(a->data(), 100);  // the source block is freed by the growth
  ASSERT_EQ(a->size(), 200u);
  for (int32_t i = 0; i < 200; ++i) ASSERT_EQ(a->get(i), i % 100) << i;
  a->release();

  ArrayS32* b = arrayOf({0, 1, 2});
  b->insert(1, b->data(), 2);  // the source lies in the part that moves up
  EXPECT_EQ(contentOf(b), (std::vector<int32_t>{0, 0, 1, 1, 2}));
  b->write(b->data(), 3, 2, 4);
  EXPECT_EQ(contentOf(b), (std::vector<int32_t>{0, 0, 1, 1, 1, 1, 2}));
  b->release();
}

TEST(ArrayCopies, CopyToFromAndOut) {
  ArrayS32* a = arrayOf({1, 2, 3, 4});
  ArrayS32* b = arrayOf({9});
  a->copyTo(b, 1, 2, -1);  // 3, 4 behind the 9
  EXPECT_EQ(contentOf(b), (std::vector<int32_t>{9, 3, 4}));
  b->copyFrom(a, 0, 0, 2);
  EXPECT_EQ(contentOf(b), (std::vector<int32_t>{1, 2, 4}));
  a->copyTo(b, 0, 3, 10);  // a count past the end copies what there is
  EXPECT_EQ(contentOf(b), (std::vector<int32_t>{4, 2, 4}));

  int32_t out[4] = {-1, -1, -1, -1};
  a->copyOut(out, 1, 1, 2);
  EXPECT_EQ(std::vector<int32_t>(out, out + 4), (std::vector<int32_t>{-1, 2, 3, -1}));
  a->copyOut(out, 0, 3, 9);  // never reads past the count
  EXPECT_EQ(std::vector<int32_t>(out, out + 4), (std::vector<int32_t>{4, 2, 3, -1}));

  EXPECT_EQ(a->byteSize(), 16u);
  EXPECT_EQ(a->byteSize(3), 12u);
  a->release();
  b->release();
}

TEST(ArrayCopies, CopyToAnArrayOfAnotherElementSizeMovesTheSameBytes) {
  ArrayU08* bytes = ArrayU08::acquire();
  const uint8_t raw[] = {1, 0, 0, 0, 2, 0, 0, 0, 3};
  bytes->append(raw, 9);
  ArrayU32* words = ArrayU32::acquire();
  bytes->copyTo(words, 0, 0, -1);  // nine bytes: two whole words
  ASSERT_EQ(words->size(), 2u);
  EXPECT_EQ(words->get(0), 1u);
  EXPECT_EQ(words->get(1), 2u);
  bytes->release();
  words->release();
}

TEST(ArrayCopies, CompareBytesWithABlock) {
  ArrayU08* a = ArrayU08::acquire();
  const uint8_t content[] = {1, 2, 3, 200};
  a->append(content, 4);
  const uint8_t block[] = {9, 1, 2, 3, 4};
  struct Case {
    uint32_t at, blockLength, blockIndex, n;
    int32_t expected;
  };
  const Case cases[] = {
      {0, 5, 1, 3, 0},   // 1 2 3 against 1 2 3
      {0, 5, 1, 4, 1},   // 200 against 4, unsigned
      {0, 5, 0, 1, -1},  // 1 against 9
      {1, 5, 2, 2, 0},   // 2 3 against 2 3
      {2, 5, 3, 3, 1},   // 3 200 (only two left) against 3 4: 200 > 4 decides before the length
      {4, 5, 1, 1, -1},  // nothing left in the array against 1
      {0, 2, 1, 3, 1},   // the block has one element left: 1 against 1, then the array is longer
      {0, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(a->compareBytes(c.at, block, c.blockLength, c.blockIndex, c.n), c.expected)
        << "at " << c.at << " block " << c.blockIndex << " n " << c.n;
  }
  a->release();
}

}  // namespace
