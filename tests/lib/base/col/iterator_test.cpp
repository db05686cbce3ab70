// Array iterators at the start, the end, an index and an index from the end.
#include <gtest/gtest.h>

#include "base/col/_array/ArrayU32.h"
#include "base/col/_array/Iterator.h"
#include "base/thread/EasyPooler.h"

namespace {

using s::col::IteratorBase;
using s::col::_array::ArrayU32;
using s::col::_array::Iterator;

class ArrayIterator : public ::testing::Test {
 protected:
  void SetUp() override {
    for (uint32_t v : {10u, 20u, 30u}) three->add(v);
    one->add(7);
  }
  void TearDown() override {
    three->release();
    one->release();
    empty->release();
  }
  ArrayU32* three = ArrayU32::acquire();
  ArrayU32* one = ArrayU32::acquire();
  ArrayU32* empty = ArrayU32::acquire();
};

TEST_F(ArrayIterator, StartingPositions) {
  struct Case {
    const char* name;
    IteratorBase* it;
    int32_t index;
    void* cursor;  // what next() returns
  };
  const Case cases[] = {
      {"at start", three->iteratorAtStart(), -1, three->elementAt(0)},
      {"at end", three->iteratorAtEnd(), 3, three->elementAt(3)},
      {"at 0", three->iteratorAt(0), -1, three->elementAt(0)},
      {"at 2", three->iteratorAt(2), 1, three->elementAt(2)},
      {"at past the end", three->iteratorAt(9), 2, three->elementAt(3)},
      {"from end 0", three->iteratorAtFromEnd(0), 3, three->elementAt(3)},
      {"from end 1", three->iteratorAtFromEnd(1), 2, three->elementAt(2)},
      {"from end 3", three->iteratorAtFromEnd(3), 0, three->elementAt(0)},
      {"from end past the start", three->iteratorAtFromEnd(9), 0, three->elementAt(0)},
  };
  for (const Case& c : cases) {
    ASSERT_NE(c.it, nullptr) << c.name;
    EXPECT_EQ(c.it->getClassName(), Iterator::kClassName) << c.name;
    EXPECT_EQ(c.it->getIndex(), c.index) << c.name;
    EXPECT_EQ(c.it->getCollection(), static_cast<s::col::IEnumerable*>(three)) << c.name;
    EXPECT_EQ(c.it->next(), c.cursor) << c.name;
    c.it->release();
  }
}

TEST_F(ArrayIterator, WalksForwardToTheEnd) {
  IteratorBase* it = three->iteratorAtStart();
  for (uint32_t i = 0; i < 3; ++i) {
    ASSERT_TRUE(it->hasNext()) << i;
    EXPECT_EQ(*static_cast<uint32_t*>(it->next()), 10u * (i + 1));
    EXPECT_EQ(it->getIndex(), static_cast<int32_t>(i));
  }
  EXPECT_FALSE(it->hasNext());
  it->release();
}

TEST_F(ArrayIterator, WalksBackFromTheEnd) {
  IteratorBase* it = three->iteratorAtEnd();
  EXPECT_EQ(*static_cast<uint32_t*>(it->previous()), 30u);
  EXPECT_EQ(it->getIndex(), 2);
  EXPECT_TRUE(it->hasPrevious());
  it->skipBack(1);
  EXPECT_EQ(*static_cast<uint32_t*>(it->previous()), 10u);
  EXPECT_FALSE(it->hasPrevious());
  it->release();
}

TEST_F(ArrayIterator, EmptyAndSingleElementArrays) {
  IteratorBase* none = empty->iteratorAtStart();
  EXPECT_FALSE(none->hasNext());
  none->release();

  IteratorBase* single = one->iteratorAtStart();
  EXPECT_TRUE(single->hasNext());
  EXPECT_EQ(single->next(), one->elementAt(0));
  EXPECT_FALSE(single->hasNext());
  single->release();
}

TEST_F(ArrayIterator, ReleasedIteratorsAreRecycledReset) {
  IteratorBase* it = three->iteratorAt(2);
  uint32_t before = Iterator::pool()->freeCount();
  it->release();
  EXPECT_EQ(Iterator::pool()->freeCount(), before + 1);
  Iterator* again = Iterator::acquire();
  EXPECT_EQ(again->getIndex(), -1);
  EXPECT_EQ(again->getCollection(), nullptr);
  again->release();
}

}  // namespace
