// Small pooled classes for the pool tests; each counts its constructions, resets and destructions.
#pragma once

#include "base/IObject.h"
#include "base/thread/EasyPooler.h"
#include "base/thread/IPoolable.h"

namespace probe {

struct Counts {
  int constructed = 0;
  int reset = 0;
  int destroyed = 0;
};

// One class (and so one pool) per Tag, with the given pool limit.
template <int Tag, uint32_t Limit>
class Probe : public s::base::IObject, public s::thread::IPoolable {
  S_CLASS_NAME(u"s_test_Probe")

 public:
  static Counts counts;
  int value = 0;

  Probe() {
    ++counts.constructed;
    reset();
    counts.reset = 0;
  }
  ~Probe() override { ++counts.destroyed; }

  static s::thread::EasyPooler* pool() {
    static s::thread::EasyPooler* const instance = s::thread::EasyPooler::createFor<Probe>(Limit);
    return instance;
  }
  static Probe* acquire() { return static_cast<Probe*>(pool()->generate()); }
  void release() override {
    void* self = this;
    pool()->destruct(&self);
  }
  void reset() override {
    ++counts.reset;
    value = 0;
  }
  s::base::IObject* newInstance() const override { return acquire(); }
};

template <int Tag, uint32_t Limit>
Counts Probe<Tag, Limit>::counts;

}  // namespace probe
