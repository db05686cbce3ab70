#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/IDestructor.h"
#include "base/str/strbuffer/StrBuffer.h"
#include "base/thread/EasyPooler.h"
#include "map/BucketLevels.h"
#include "map/Map.h"
#include "map/MapEntry.h"
#include "map/MapTable.h"
#include "map/MapTableEntry.h"

using s::map::BucketLevels;
using s::map::Map;
using s::map::MapTable;
using s::str::strbuffer::StrBuffer;

namespace {

// A key with a chosen hash, so that chains and collisions are under the test's control.
class FixedHashKey : public s::base::IComparable {
 public:
  FixedHashKey(uint32_t hash, int id) : hash(hash), id(id) {}
  int32_t compareTo(const IComparable* other, s::base::IComparator* = nullptr) const override {
    int otherId = static_cast<const FixedHashKey*>(other)->id;
    return id < otherId ? -1 : id > otherId ? 1 : 0;
  }
  uint32_t hashCode() const override { return hash; }
  uint32_t hash;
  int id;
};

// Counts what it is asked to dispose of and nulls the slot.
class CountingDestroyer : public s::base::IDestructor {
 public:
  void destruct(void** slot) override {
    if (*slot) ++count;
    *slot = nullptr;
  }
  int count = 0;
};

TEST(MapTest, EqualKeysAreNeverReplaced) {
  Map* set = Map::acquire();
  StrBuffer* a = StrBuffer::acquireText(u"Key");
  StrBuffer* b = StrBuffer::acquireText(u"Key");
  StrBuffer* c = StrBuffer::acquireText(u"KEY");
  EXPECT_TRUE(set->add(a));
  EXPECT_FALSE(set->add(b));
  EXPECT_TRUE(set->add(c));
  EXPECT_EQ(set->size(), 2u);
  EXPECT_EQ(set->find(b), a);
  set->release();

  Map* folded = Map::acquire();
  folded->setIgnoreCase(true);
  EXPECT_TRUE(folded->add(a));
  EXPECT_FALSE(folded->add(c));
  EXPECT_EQ(folded->find(c), a);
  EXPECT_TRUE(folded->remove(c, nullptr));
  EXPECT_EQ(folded->size(), 0u);
  EXPECT_FALSE(folded->contains(a));
  folded->release();
  for (StrBuffer* s : {a, b, c}) s->release();
}

TEST(MapTest, GrowsOneLevelWhenHalfFullAndKeepsEveryEntry) {
  struct Step {
    uint32_t entries;  // entries present when the next one is added
    uint32_t level;    // level after that insertion
  } steps[] = {{0, 0}, {105, 0}, {106, 1}, {215, 1}, {216, 2}};
  std::vector<FixedHashKey*> keys;
  MapTable* table = MapTable::acquire();
  for (const Step& step : steps) {
    while (table->size() < step.entries) {
      keys.push_back(new FixedHashKey(static_cast<uint32_t>(keys.size() * 2654435761u), static_cast<int>(keys.size())));
      ASSERT_TRUE(table->put(keys.back(), keys.back()));
    }
    keys.push_back(new FixedHashKey(static_cast<uint32_t>(keys.size() * 2654435761u), static_cast<int>(keys.size())));
    ASSERT_TRUE(table->put(keys.back(), keys.back()));
    EXPECT_EQ(table->getLevel(), step.level) << "after " << step.entries;
    EXPECT_EQ(table->bucketCount(), BucketLevels::countAt(step.level));
  }
  for (FixedHashKey* key : keys) {
    FixedHashKey probe(key->hash, key->id);
    EXPECT_EQ(table->get(&probe), key);
  }
  table->release();
  for (FixedHashKey* key : keys) delete key;
}

TEST(MapTest, CollidingKeysChainInInsertionOrderAcrossRehashes) {
  // Every key hashes alike: one chain, whose order forEach shows.
  std::vector<FixedHashKey*> keys;
  Map* set = Map::acquire();
  for (int i = 0; i < 300; ++i) {
    keys.push_back(new FixedHashKey(77, i));
    ASSERT_TRUE(set->add(keys.back()));
  }
  EXPECT_EQ(set->getLevel(), 2u);
  std::vector<int> order;
  set->forEach([](s::base::IComparable* key, void* context) {
    static_cast<std::vector<int>*>(context)->push_back(static_cast<FixedHashKey*>(key)->id);
  }, &order);
  ASSERT_EQ(order.size(), 300u);
  for (int i = 0; i < 300; ++i) EXPECT_EQ(order[static_cast<size_t>(i)], i);
  FixedHashKey duplicate(77, 150);
  EXPECT_FALSE(set->add(&duplicate));
  EXPECT_TRUE(set->remove(&duplicate, nullptr));
  EXPECT_FALSE(set->contains(&duplicate));
  EXPECT_EQ(set->size(), 299u);
  set->release();
  for (FixedHashKey* key : keys) delete key;
}

TEST(MapTest, ClearUsesTheDestroyersGivenAndReleaseUsesTheTablesOwn) {
  CountingDestroyer keysGone, valuesGone, ownKeys, ownValues;
  FixedHashKey k1(1, 1), k2(2, 2);
  int v1 = 0, v2 = 0;
  MapTable* table = MapTable::acquire();
  table->put(&k1, &v1);
  table->put(&k2, &v2);
  table->clear(nullptr, nullptr);
  EXPECT_EQ(table->size(), 0u);
  table->put(&k1, &v1);
  table->put(&k2, &v2);
  table->clear(&keysGone, &valuesGone);
  EXPECT_EQ(keysGone.count, 2);
  EXPECT_EQ(valuesGone.count, 2);
  table->setKeyDestroyer(&ownKeys);
  table->setValueDestroyer(&ownValues);
  table->put(&k1, &v1);
  table->release();
  EXPECT_EQ(ownKeys.count, 1);
  EXPECT_EQ(ownValues.count, 1);
  // A recycled table keeps neither the destroyers nor the options of its last user.
  MapTable* again = MapTable::acquire();
  EXPECT_EQ(again->getKeyDestroyer(), nullptr);
  EXPECT_EQ(again->size(), 0u);
  EXPECT_FALSE(again->getIgnoreCase());
  again->release();
}

TEST(MapTest, EntryRecordsHaveTheirOwnLargePools) {
  EXPECT_EQ(s::map::MapEntry::pool()->getLimit(), 10000u);
  EXPECT_EQ(s::map::MapTableEntry::pool()->getLimit(), 10000u);
  s::map::MapTableEntry* entry = s::map::MapTableEntry::acquire();
  ASSERT_NE(entry, nullptr);
  entry->hash = 5;
  s::map::MapTableEntry::release(entry);
  s::map::MapTableEntry* recycled = s::map::MapTableEntry::acquire();
  EXPECT_EQ(recycled->hash, 0u);
  EXPECT_EQ(recycled->next, nullptr);
  s::map::MapTableEntry::release(recycled);
}

TEST(MapTest, NullKeysAreRefused) {
  MapTable* table = MapTable::acquire();
  EXPECT_FALSE(table->put(nullptr, nullptr));
  EXPECT_EQ(table->get(nullptr), nullptr);
  table->release();
}

}  // namespace
