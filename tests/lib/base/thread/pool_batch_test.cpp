// Giving many objects back at once: the same outcome as releasing them one by one, under one entry
// into the pool's lock.
#include <gtest/gtest.h>

#include <type_traits>
#include <vector>

#include "Probe.h"
#include "RecordFactory.h"
#include "base/col/_array/ArrayP.h"
#include "base/thread/PoolerBase.h"

using probe::Probe;
using probe::RecordFactory;

namespace {

// Releases `objects` objects of P in one call, with a null slot after every second one.
template <class P>
std::vector<void*> releaseMany(int objects) {
  std::vector<void*> slots;
  for (int i = 0; i < objects; ++i) {
    P* object = P::acquire();
    object->value = i + 1;
    slots.push_back(object);
    if (i % 2 == 1) slots.push_back(nullptr);
  }
  P::pool()->destructMany(slots.data(), static_cast<uint32_t>(slots.size()));
  return slots;
}

}  // namespace

TEST(EasyPoolerBatch, KeepsUpToTheLimitResetsThemAndDestroysTheRest) {
  struct Case {
    uint32_t limit;
    int objects;
    uint32_t kept;
    int destroyed;
  };
  auto run = [](auto probeType, Case c) {
    using P = typename decltype(probeType)::type;
    std::vector<void*> slots = releaseMany<P>(c.objects);
    for (void* slot : slots) EXPECT_EQ(slot, nullptr) << "limit " << c.limit;
    EXPECT_EQ(P::pool()->freeCount(), c.kept) << "limit " << c.limit;
    EXPECT_EQ(P::counts.destroyed, c.destroyed) << "limit " << c.limit;
    // Whatever is kept comes back reset.
    std::vector<P*> again;
    for (uint32_t i = 0; i < c.kept; ++i) again.push_back(P::acquire());
    for (P* object : again) {
      EXPECT_EQ(object->value, 0) << "limit " << c.limit;
      object->release();
    }
  };
  run(std::type_identity<Probe<101, 1000>>(), {1000, 7, 7, 0});
  run(std::type_identity<Probe<102, 4>>(), {4, 7, 4, 3});
  run(std::type_identity<Probe<103, 0>>(), {0, 5, 0, 5});
  run(std::type_identity<Probe<104, 10>>(), {10, 0, 0, 0});
}

TEST(EasyPoolerBatch, CountsWhatIsAlreadyKeptAgainstTheLimit) {
  using P = Probe<105, 3>;
  std::vector<void*> objects;
  for (int i = 0; i < 5; ++i) objects.push_back(P::acquire());
  static_cast<P*>(objects[0])->release();
  static_cast<P*>(objects[1])->release();
  EXPECT_EQ(P::pool()->freeCount(), 2u);
  P::pool()->destructMany(objects.data() + 2, 3);
  EXPECT_EQ(P::pool()->freeCount(), 3u);
  EXPECT_EQ(P::counts.destroyed, 2);
}

TEST(EasyPoolerBatch, AnOwningArrayGivesItsElementsBackTogether) {
  using P = Probe<106, 2>;
  s::col::_array::ArrayP* array = s::col::_array::ArrayP::acquire();
  array->setElementDestroyer(P::pool());
  for (int i = 0; i < 5; ++i) array->appendPointer(P::acquire());
  array->freeMemory();
  EXPECT_EQ(array->size(), 0u);
  EXPECT_EQ(P::pool()->freeCount(), 2u);
  EXPECT_EQ(P::counts.destroyed, 3);
  array->release();
}

TEST(PoolerBaseBatch, AppliesTheCountAndWeightRulesToEachObject) {
  struct Case {
    const char* what;
    bool weighted;
    uint32_t maxCount;
    std::vector<uint32_t> weights;
    uint32_t kept;
    uint32_t totalWeight;
  };
  const Case cases[] = {
      {"unweighted, room for all", false, 10, {5, 5000, 7}, 3, 0},
      {"unweighted, room for two", false, 2, {1, 1, 1, 1}, 2, 0},
      {"weighted, too heavy alone", true, 1000, {1025, 1024, 0}, 2, 1024},
      {"weighted, total passes the bound", true, 1000, std::vector<uint32_t>(101, 1024), 100, 102400},
  };
  for (const Case& c : cases) {
    RecordFactory factory;
    factory.setWeighted(c.weighted);
    factory.setMaxCount(c.maxCount);
    std::vector<void*> slots;
    for (uint32_t w : c.weights) slots.push_back(factory.recordOfWeight(w));
    slots.push_back(nullptr);
    factory.destructMany(slots.data(), static_cast<uint32_t>(slots.size()));
    for (void* slot : slots) EXPECT_EQ(slot, nullptr) << c.what;
    EXPECT_EQ(factory.freeCount(), c.kept) << c.what;
    EXPECT_EQ(factory.resetCount, static_cast<int>(c.kept)) << c.what;
    EXPECT_EQ(factory.destroyedCount, static_cast<int>(c.weights.size() - c.kept)) << c.what;
    EXPECT_EQ(factory.getTotalWeight(), c.totalWeight) << c.what;
  }
}
