// The shared comparator of pointer-sized elements as unsigned addresses: compare (a, b) reads
// the two elements at the given addresses and answers -1, 0 or 1. One instance serves every array;
// it is made on first use.
#pragma once

#include <cstdint>

#include "base/IComparator.h"
#include "base/IObject.h"

namespace s::comp {

class CompP : public s::base::IObject, public s::base::IComparator {
  S_CLASS_NAME(u"s_comp_CompP")

 public:
  // The one shared instance; it lives until the process ends.
  static CompP* shared();

  // A separate comparator, constructed directly (comparators are not pooled); dispose of it with
  // destroy (1).
  s::base::IObject* newInstance() const override;
  int32_t compare(const void* a, const void* b) override;
};

}  // namespace s::comp
