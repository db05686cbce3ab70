#include <gtest/gtest.h>

#include <atomic>
#include <type_traits>
#include <thread>
#include <vector>

#include "Probe.h"
#include "RecordFactory.h"
#include "base/IComparator.h"
#include "base/thread/PoolerBase.h"
#include "base/col/_array/ArrayP.h"

using probe::Probe;
using probe::RecordFactory;

TEST(EasyPooler, ReleasedObjectComesBackResetAndLastInFirstOut) {
  using P = Probe<1, 1000>;
  P* first = P::acquire();
  EXPECT_EQ(P::counts.constructed, 1);
  P* second = P::acquire();
  first->value = 7;
  second->value = 8;
  first->release();
  second->release();
  EXPECT_EQ(P::pool()->freeCount(), 2u);
  P* again = P::acquire();
  EXPECT_EQ(again, second);
  EXPECT_EQ(again->value, 0);
  EXPECT_EQ(P::acquire(), first);
  EXPECT_EQ(P::counts.constructed, 2);
  EXPECT_EQ(P::counts.destroyed, 0);
  first->release();
  second->release();
}

TEST(EasyPooler, KeepsAtMostItsLimit) {
  struct Case {
    uint32_t limit;
    int released;
    uint32_t kept;
    int destroyed;
  };
  // Run through one pool per limit; the counts are the pool's own.
  auto run = [](auto probeType, Case c) {
    using P = typename decltype(probeType)::type;
    std::vector<P*> objects;
    for (int i = 0; i < c.released; ++i) objects.push_back(P::acquire());
    for (P* o : objects) o->release();
    EXPECT_EQ(P::pool()->freeCount(), c.kept) << "limit " << c.limit;
    EXPECT_EQ(P::counts.destroyed, c.destroyed) << "limit " << c.limit;
  };
  run(std::type_identity<Probe<2, 1000>>(), {1000, 1001, 1000, 1});
  run(std::type_identity<Probe<3, 0>>(), {0, 3, 0, 3});
  run(std::type_identity<Probe<4, 2>>(), {2, 5, 2, 3});
  EXPECT_EQ((Probe<4, 2>::counts.constructed), 5);
}

TEST(EasyPooler, NullSlotIsIgnoredAndReleaseNullsTheSlot) {
  using P = Probe<5, 10>;
  void* slot = nullptr;
  P::pool()->destruct(&slot);
  EXPECT_EQ(P::pool()->freeCount(), 0u);
  slot = static_cast<void*>(P::acquire());
  P::pool()->destruct(&slot);
  EXPECT_EQ(slot, nullptr);
  EXPECT_EQ(P::pool()->freeCount(), 1u);
}

TEST(EasyPooler, ManyThreadsShareOnePoolSafely) {
  using P = Probe<6, 1000>;
  std::atomic<bool> go{false};
  std::vector<std::thread> threads;
  std::vector<s::thread::EasyPooler*> seen(8);
  for (int t = 0; t < 8; ++t)
    threads.emplace_back([&, t] {
      while (!go) std::this_thread::yield();
      seen[t] = P::pool();
      for (int i = 0; i < 2000; ++i) {
        P* a = P::acquire();
        P* b = P::acquire();
        a->value = b->value = i;
        b->release();
        a->release();
      }
    });
  go = true;
  for (auto& th : threads) th.join();
  for (auto* p : seen) EXPECT_EQ(p, seen[0]);
  // Every object ever made is either kept or was destroyed; none is lost or kept twice.
  EXPECT_LE(P::pool()->freeCount(), 16u);
  EXPECT_EQ(static_cast<int>(P::pool()->freeCount()) + P::counts.destroyed, P::counts.constructed);
}

TEST(ObjectDefaults, IdentityComparisonAndClassWideHash) {
  using P = Probe<7, 10>;
  P* a = P::acquire();
  P* b = P::acquire();
  P* low = a < b ? a : b;
  P* high = a < b ? b : a;
  EXPECT_FALSE(a->equals(b));
  EXPECT_TRUE(a->equals(a));
  EXPECT_TRUE(a->equalsIgnoreCase(a));
  EXPECT_EQ(low->compareTo(high), -1);
  EXPECT_EQ(high->compareTo(low), 1);
  EXPECT_EQ(a->compareTo(a), 0);
  EXPECT_EQ(high->compareToIgnoreCase(low), 1);
  EXPECT_EQ(a->hashCode(), b->hashCode());
  EXPECT_EQ(a->hashCodeIgnoreCase(), a->hashCode());
  EXPECT_NE(a->hashCode(), (Probe<8, 10>().hashCode()));
  EXPECT_EQ(a->getClassName(), P::kClassName);
  a->release();
  b->release();
}

namespace {

// Orders everything as equal, but "ignoring case" everything as smaller.
class FlatComparator : public s::base::IComparator {
 public:
  int32_t compare(const void*, const void*) override { return 0; }
  int32_t compareIgnoreCase(const void*, const void*) override { return -1; }
};

}  // namespace

TEST(ObjectDefaults, ComparatorDecidesWhenGiven) {
  using P = Probe<9, 10>;
  FlatComparator flat;
  P* a = P::acquire();
  P* b = P::acquire();
  EXPECT_EQ(a->compareTo(b, &flat), 0);
  EXPECT_TRUE(a->equals(b, &flat));
  EXPECT_EQ(a->compareToIgnoreCase(b, &flat), -1);
  EXPECT_FALSE(a->equalsIgnoreCase(b, &flat));
  a->release();
  b->release();
}

TEST(PoolerBase, WeightedModeBoundsObjectAndTotalWeight) {
  RecordFactory factory;
  factory.setWeighted(true);
  struct Case {
    uint32_t weight;
    bool kept;
  };
  const Case cases[] = {{1025, false}, {1024, true}, {0, true}};
  for (const Case& c : cases) {
    int before = factory.destroyedCount;
    factory.release(factory.recordOfWeight(c.weight), -1);
    EXPECT_EQ(factory.destroyedCount == before, c.kept) << c.weight;
    if (c.kept) delete[] static_cast<uint32_t*>(factory.acquire());
  }
  EXPECT_EQ(factory.getTotalWeight(), 0u);
  // 100 objects of 1024 fill the 102400 allowed; the 101st is destroyed.
  int before = factory.destroyedCount;
  for (int i = 0; i < 101; ++i) factory.release(factory.recordOfWeight(1024), -1);
  EXPECT_EQ(factory.freeCount(), 100u);
  EXPECT_EQ(factory.getTotalWeight(), 102400u);
  EXPECT_EQ(factory.destroyedCount - before, 1);
  void* taken = factory.acquire();
  EXPECT_EQ(factory.getTotalWeight(), 101376u);
  factory.release(taken, 1024);
}

TEST(PoolerBase, DestructReleasesWithWeightOfAndNullsSlot) {
  RecordFactory factory;
  factory.setWeighted(true);
  void* slot = factory.recordOfWeight(1280);
  factory.destruct(&slot);
  EXPECT_EQ(slot, nullptr);
  EXPECT_EQ(factory.destroyedCount, 1);
  EXPECT_EQ(factory.freeCount(), 0u);
}

TEST(PoolerBase, UnweightedModeKeepsAtMostMaxCount) {
  RecordFactory factory;
  factory.setMaxCount(3);
  for (int i = 0; i < 5; ++i) factory.release(factory.recordOfWeight(1), -1);
  EXPECT_EQ(factory.freeCount(), 3u);
  EXPECT_EQ(factory.destroyedCount, 2);
}

namespace {

// A probe whose reset waits for another thread that uses the same pool, as the reset of a busy
// worker waits for a run that may take a worker of its own.
class WaitingProbe : public s::base::IObject, public s::thread::IPoolable {
  S_CLASS_NAME(u"s_test_WaitingProbe")

 public:
  bool waitOnReset = false;
  static s::thread::EasyPooler* pool() {
    static s::thread::EasyPooler* const instance = s::thread::EasyPooler::createFor<WaitingProbe>(10);
    return instance;
  }
  void release() override {
    void* self = this;
    pool()->destruct(&self);
  }
  void reset() override {
    if (!waitOnReset) return;
    waitOnReset = false;
    std::thread([] { static_cast<WaitingProbe*>(pool()->generate())->release(); }).join();
  }
  s::base::IObject* newInstance() const override { return nullptr; }
};

}  // namespace

TEST(EasyPooler, ResetMayWaitForAnotherThreadUsingThePool) {
  auto* probe = static_cast<WaitingProbe*>(WaitingProbe::pool()->generate());
  probe->waitOnReset = true;
  probe->release();  // would never return if the reset ran under the pool's lock
  EXPECT_EQ(WaitingProbe::pool()->freeCount(), 2u);
}
