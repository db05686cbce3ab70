// Pointer arrays owning their elements through an element destroyer.
#include <gtest/gtest.h>

#include <vector>

#include "base/cleaner/CleanerIObject.h"
#include "base/col/_array/ArrayP.h"
#include "base/number/S64Value.h"
#include "base/thread/EasyPooler.h"

namespace {

using s::col::_array::ArrayP;
using s::number::S64Value;

// Records every slot it is asked to dispose of and nulls it, as a destroyer must.
class CountingDestroyer : public s::base::IDestructor {
 public:
  void destruct(void** slot) override {
    if (*slot) disposed.push_back(*slot);
    *slot = nullptr;
  }
  std::vector<void*> disposed;
};

ArrayP* arrayOfValues(uint32_t n, std::vector<S64Value*>* made) {
  ArrayP* a = ArrayP::acquire();
  for (uint32_t i = 0; i < n; ++i) {
    S64Value* v = S64Value::create(i);
    made->push_back(v);
    a->appendPointer(v);
  }
  return a;
}

TEST(ArrayP, ElementsArePointerSized) {
  ArrayP* a = ArrayP::acquire();
  EXPECT_EQ(a->elementBytes(), sizeof(void*));
  int x = 0;
  a->appendPointer(&x);
  EXPECT_EQ(a->get(0), &x);
  EXPECT_EQ(a->byteSize(), sizeof(void*));
  a->dropLast(1);
  a->release();
}

TEST(ArrayP, ResetWithAPoolDestroyerGivesEveryElementBackToThePool) {
  std::vector<S64Value*> made;
  ArrayP* a = arrayOfValues(3, &made);
  a->setElementDestroyer(S64Value::pool());
  uint32_t before = S64Value::pool()->freeCount();
  a->reset();
  EXPECT_EQ(S64Value::pool()->freeCount(), before + 3);
  EXPECT_EQ(a->size(), 0u);
  EXPECT_EQ(a->getCapacity(), 0u);
  a->release();
}

TEST(ArrayP, ClearForgetsTheElementsWithoutDisposingOfThem) {
  std::vector<S64Value*> made;
  ArrayP* a = arrayOfValues(3, &made);
  a->setElementDestroyer(S64Value::pool());
  uint32_t before = S64Value::pool()->freeCount();
  a->clear();
  EXPECT_EQ(S64Value::pool()->freeCount(), before);
  EXPECT_EQ(a->size(), 0u);
  a->release();  // nothing left to dispose of
  EXPECT_EQ(S64Value::pool()->freeCount(), before);
  for (S64Value* v : made) EXPECT_EQ(v->get(), v->get());  // still alive and ours
  for (S64Value* v : made) v->release();
}

TEST(ArrayP, ReleasingDisposesOfTheElementsAndTheRecycledArrayOwnsNothing) {
  std::vector<S64Value*> made;
  ArrayP* a = arrayOfValues(2, &made);
  a->setElementDestroyer(S64Value::pool());
  uint32_t before = S64Value::pool()->freeCount();
  a->release();
  EXPECT_EQ(S64Value::pool()->freeCount(), before + 2);
  ArrayP* next = ArrayP::acquire();
  EXPECT_EQ(next->getElementDestroyer(), nullptr);
  next->release();
}

TEST(ArrayP, DisposeAllUsesTheGivenDestroyerOrElseItsOwn) {
  int x = 0, y = 0;
  CountingDestroyer own, given;
  ArrayP* a = ArrayP::acquire();
  a->setElementDestroyer(&own);
  a->appendPointer(&x);
  a->appendPointer(nullptr);
  a->appendPointer(&y);
  a->disposeAll(&given);
  EXPECT_EQ(given.disposed, (std::vector<void*>{&x, &y}));
  EXPECT_TRUE(own.disposed.empty());
  EXPECT_EQ(a->size(), 0u);
  a->appendPointer(&y);
  a->disposeAll();
  EXPECT_EQ(own.disposed, (std::vector<void*>{&y}));
  a->setElementDestroyer(nullptr);
  a->release();
}

TEST(ArrayP, EmbeddedArrayKeepsItsDestroyerAcrossResetAndDisposesOnDestruction) {
  int x = 0, y = 0;
  CountingDestroyer destroyer;
  {
    ArrayP member(&destroyer);
    member.appendPointer(&x);
    member.reset();
    EXPECT_EQ(member.getElementDestroyer(), &destroyer);
    member.appendPointer(&y);
  }
  EXPECT_EQ(destroyer.disposed, (std::vector<void*>{&x, &y}));
}

// A plain object that counts its destructions.
class Tracked : public s::base::IObject {
  S_CLASS_NAME(u"test_Tracked")

 public:
  explicit Tracked(int* destroyed) : destroyed(destroyed) {}
  ~Tracked() override { ++*destroyed; }
  s::base::IObject* newInstance() const override { return new Tracked(destroyed); }

 private:
  int* destroyed;
};

TEST(ArrayP, CleanerDestroysElementsForGood) {
  int destroyed = 0;
  s::base::IObject* first = new Tracked(&destroyed);
  s::base::IObject* second = new Tracked(&destroyed);
  ArrayP* a = ArrayP::acquire();
  a->setElementDestroyer(s::cleaner::CleanerIObject::shared());
  a->appendPointer(first);
  a->appendPointer(second);
  a->clear();
  EXPECT_EQ(destroyed, 0);
  a->appendPointer(first);
  a->appendPointer(second);
  a->release();
  EXPECT_EQ(destroyed, 2);
}

TEST(ArrayP, PopLastTakesFromTheEnd) {
  int x = 0, y = 0;
  ArrayP* a = ArrayP::acquire();
  EXPECT_EQ(a->popLast(), nullptr);
  a->appendPointer(&x);
  a->appendPointer(&y);
  EXPECT_EQ(a->popLast(), &y);
  EXPECT_EQ(a->popLast(), &x);
  EXPECT_EQ(a->popLast(), nullptr);
  a->release();
}

}  // namespace
