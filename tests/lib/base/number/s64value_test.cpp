// The boxed 64-bit integer: order, equality and hash by value.
#include <gtest/gtest.h>

#include <cstdint>

#include "base/IComparator.h"
#include "base/number/S64Value.h"

namespace {

using s::number::S64Value;

TEST(S64Value, OrdersBySigned64BitValue) {
  struct Case {
    int64_t a, b;
    int32_t expected;
  };
  const Case cases[] = {
      {5, 5, 0},
      {-1, 0, -1},
      {0, -1, 1},
      {INT64_MIN, INT64_MAX, -1},
      {int64_t{1} << 32, 0, 1},          // equal low halves: the high half decides
      {int64_t{1} << 32, 1, 1},
      {-(int64_t{1} << 32), 0xFFFFFFFF, -1},
  };
  for (const Case& c : cases) {
    S64Value* a = S64Value::create(c.a);
    S64Value* b = S64Value::create(c.b);
    EXPECT_EQ(a->compareTo(b), c.expected) << c.a << " vs " << c.b;
    EXPECT_EQ(a->compareToIgnoreCase(b), c.expected) << c.a << " vs " << c.b;
    EXPECT_EQ(a->equals(b), c.expected == 0) << c.a << " vs " << c.b;
    EXPECT_EQ(a->equalsIgnoreCase(b), c.expected == 0) << c.a << " vs " << c.b;
    if (c.expected == 0) {
      EXPECT_EQ(a->hashCode(), b->hashCode());
    }
    a->release();
    b->release();
  }
}

TEST(S64Value, HashIsLowXorHigh) {
  struct Case {
    int64_t value;
    uint32_t hash;
  };
  const Case cases[] = {
      {0, 0},
      {-1, 0},
      {0x1234567800000001, 0x12345679},
      {0xFFFFFFFF, 0xFFFFFFFF},
  };
  for (const Case& c : cases) {
    S64Value* v = S64Value::create(c.value);
    EXPECT_EQ(v->hashCode(), c.hash) << c.value;
    EXPECT_EQ(v->hashCodeIgnoreCase(), c.hash) << c.value;
    v->release();
  }
}

// An object of another class, compared by identity.
class Plain : public s::base::IObject {
  S_CLASS_NAME(u"test_Plain")

 public:
  s::base::IObject* newInstance() const override { return nullptr; }
};

TEST(S64Value, ComparatorAndForeignObjects) {
  struct Always : s::base::IComparator {
    int32_t compare(const void*, const void*) override { return 1; }
  } always;
  S64Value* a = S64Value::create(3);
  S64Value* b = S64Value::create(3);
  EXPECT_EQ(a->compareTo(b, &always), 1);
  EXPECT_FALSE(a->equals(b, &always));

  Plain plain;
  EXPECT_NE(a->compareTo(&plain), 0);
  EXPECT_FALSE(a->equals(&plain));
  a->release();
  b->release();
}

TEST(S64Value, RecycledValueIsZero) {
  S64Value* v = S64Value::create(42);
  EXPECT_EQ(v->get(), 42);
  v->release();
  S64Value* again = S64Value::acquire();
  EXPECT_EQ(again->get(), 0);
  EXPECT_EQ(again->getClassName(), S64Value::kClassName);
  again->release();
}

}  // namespace
