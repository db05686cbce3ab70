// A pool factory of raw records for the pool tests: each record is four words, the first holding its
// weight; the factory counts the records it resets and destroys.
#pragma once

#include "base/thread/PoolerBase.h"

#include <cstdint>

namespace probe {

class RecordFactory : public s::thread::Factory {
 public:
  int resetCount = 0;
  int destroyedCount = 0;
  ~RecordFactory() override { destroyAll(); }
  s::base::IObject* newInstance() const override { return new RecordFactory(); }
  void* generate() override { return new uint32_t[4](); }
  uint32_t weightOf(void* object) override { return static_cast<uint32_t*>(object)[0]; }
  void resetObject(void*) override { ++resetCount; }
  void destroyObject(void** slot) override {
    delete[] static_cast<uint32_t*>(*slot);
    *slot = nullptr;
    ++destroyedCount;
  }
  void* recordOfWeight(uint32_t weight) {
    auto* record = static_cast<uint32_t*>(generate());
    record[0] = weight;
    return record;
  }
};

}  // namespace probe
