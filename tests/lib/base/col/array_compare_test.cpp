// Ordering of arrays (size first, then elements by the element type's comparator) and the shared
// comparators themselves.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

#include "base/col/_array/ArrayP.h"
#include "base/col/_array/ArrayS08.h"
#include "base/col/_array/ArrayS32.h"
#include "base/col/_array/ArrayU08.h"
#include "base/col/_array/ArrayU32.h"
#include "base/comp/CompP.h"
#include "base/comp/CompS08.h"
#include "base/comp/CompS32.h"
#include "base/comp/CompU08.h"
#include "base/comp/CompU32.h"
#include "base/number/S64Value.h"

namespace {

using namespace s::col::_array;

template <class Array, class T>
Array* arrayOf(const std::vector<T>& values) {
  Array* a = Array::acquire();
  for (T v : values) a->add(v);
  return a;
}

template <class Array, class T>
int32_t compareArrays(const std::vector<T>& x, const std::vector<T>& y) {
  Array* a = arrayOf<Array>(x);
  Array* b = arrayOf<Array>(y);
  int32_t r = a->compareTo(b);
  EXPECT_EQ(a->equals(b), r == 0);
  EXPECT_EQ(b->compareTo(a), -r) << "the order is antisymmetric";
  a->release();
  b->release();
  return r;
}

TEST(ArrayCompare, ByteArraysOrderBySizeThenUnsignedOrSignedElements) {
  struct Case {
    const char* name;
    std::vector<int> x, y;
    int32_t unsignedOrder, signedOrder;
  };
  const Case cases[] = {
      {"shorter first regardless of content", {255, 255}, {0, 0, 0}, -1, -1},
      {"longer after", {0, 0, 0}, {9, 9}, 1, 1},
      {"equal", {1, 2, 255}, {1, 2, 255}, 0, 0},
      {"first difference decides", {1, 2, 255}, {1, 2, 1}, 1, -1},
      {"earlier difference wins over later", {1, 200, 0}, {1, 3, 255}, 1, -1},
      {"both empty", {}, {}, 0, 0},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> ux(c.x.begin(), c.x.end()), uy(c.y.begin(), c.y.end());
    std::vector<int8_t> sx, sy;
    for (int v : c.x) sx.push_back(static_cast<int8_t>(v));
    for (int v : c.y) sy.push_back(static_cast<int8_t>(v));
    EXPECT_EQ((compareArrays<ArrayU08>(ux, uy)), c.unsignedOrder) << c.name;
    EXPECT_EQ((compareArrays<ArrayS08>(sx, sy)), c.signedOrder) << c.name;
  }
}

TEST(ArrayCompare, WordArraysOrderUnsignedOrSigned) {
  EXPECT_EQ((compareArrays<ArrayU32>(std::vector<uint32_t>{0x80000000u}, {1u})), 1);
  EXPECT_EQ((compareArrays<ArrayS32>(std::vector<int32_t>{INT_MIN}, {1})), -1);
  EXPECT_EQ((compareArrays<ArrayS32>(std::vector<int32_t>{5, -1}, {5, -1})), 0);
  EXPECT_EQ((compareArrays<ArrayU32>(std::vector<uint32_t>{1, 2}, {7})), 1);
}

TEST(ArrayCompare, GivenComparatorReceivesTheTwoArrays) {
  struct Recorder : s::base::IComparator {
    const void* a = nullptr;
    const void* b = nullptr;
    int32_t compare(const void* x, const void* y) override {
      a = x;
      b = y;
      return -1;
    }
  } recorder;
  ArrayU08* x = ArrayU08::acquire();
  ArrayU08* y = ArrayU08::acquire();
  y->add(1);
  EXPECT_EQ(y->compareTo(x, &recorder), -1);  // the comparator decides, not the sizes
  EXPECT_EQ(recorder.a, static_cast<const void*>(y));
  EXPECT_EQ(recorder.b, static_cast<const void*>(x));
  EXPECT_EQ(y->compareToIgnoreCase(x, &recorder), -1);
  x->release();
  y->release();
}

TEST(ArrayCompare, ArraysOfDifferentElementSizeOrNonArraysNeverReadOutOfBounds) {
  ArrayU08* bytes = arrayOf<ArrayU08>(std::vector<uint8_t>{1, 2});
  ArrayU32* words = arrayOf<ArrayU32>(std::vector<uint32_t>{1, 2});
  EXPECT_EQ(bytes->compareTo(words), -1);
  EXPECT_EQ(words->compareTo(bytes), 1);
  s::number::S64Value* number = s::number::S64Value::create(1);
  EXPECT_NE(bytes->compareTo(number), 0);
  EXPECT_FALSE(bytes->equals(number));
  EXPECT_EQ(bytes->compareTo(bytes), 0);
  number->release();
  bytes->release();
  words->release();
}

TEST(Comparators, ReadTheElementTypeAtEachAddress) {
  uint8_t b1 = 0xff, b2 = 0x01;
  uint32_t w1 = 0xffffffffu, w2 = 1;
  uintptr_t p1 = ~uintptr_t{0}, p2 = 1;
  struct Case {
    const char* name;
    s::base::IComparator* comparator;
    const void* a;
    const void* b;
    int32_t expected;
  };
  const Case cases[] = {
      {"CompU08", s::comp::CompU08::shared(), &b1, &b2, 1},
      {"CompS08", s::comp::CompS08::shared(), &b1, &b2, -1},
      {"CompU32", s::comp::CompU32::shared(), &w1, &w2, 1},
      {"CompS32", s::comp::CompS32::shared(), &w1, &w2, -1},
      {"CompP", s::comp::CompP::shared(), &p1, &p2, 1},
      {"CompP equal", s::comp::CompP::shared(), &p2, &p2, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.comparator->compare(c.a, c.b), c.expected) << c.name;
    EXPECT_EQ(c.comparator->compare(c.b, c.a), -c.expected) << c.name;
    EXPECT_EQ(c.comparator->compareIgnoreCase(c.a, c.b), c.expected) << c.name;
  }
}

TEST(Comparators, OneSharedInstanceEachServesItsArrays) {
  EXPECT_EQ(s::comp::CompU08::shared(), s::comp::CompU08::shared());
  EXPECT_EQ(s::comp::CompP::shared()->getClassName(), s::comp::CompP::kClassName);
  EXPECT_EQ(std::u16string(s::comp::CompS32::shared()->getClassName()), u"s_comp_CompS32");

  ArrayP* p = ArrayP::acquire();
  ArrayU08* u8 = ArrayU08::acquire();
  ArrayS08* s8 = ArrayS08::acquire();
  ArrayU32* u32 = ArrayU32::acquire();
  ArrayS32* s32 = ArrayS32::acquire();
  EXPECT_EQ(p->getComparator(), s::comp::CompP::shared());
  EXPECT_EQ(u8->getComparator(), s::comp::CompU08::shared());
  EXPECT_EQ(s8->getComparator(), s::comp::CompS08::shared());
  EXPECT_EQ(u32->getComparator(), s::comp::CompU32::shared());
  EXPECT_EQ(s32->getComparator(), s::comp::CompS32::shared());
  // Element kinds tell the classes apart.
  EXPECT_NE(u8->elementKind(), s8->elementKind());
  EXPECT_NE(u32->elementKindTag(), s32->elementKindTag());
  p->release();
  u8->release();
  s8->release();
  u32->release();
  s32->release();

  s::base::IObject* separate = s::comp::CompU32::shared()->newInstance();
  EXPECT_NE(separate, static_cast<s::base::IObject*>(s::comp::CompU32::shared()));
  EXPECT_EQ(separate->getClassName(), s::comp::CompU32::kClassName);
  separate->destroy(1);
}

}  // namespace
