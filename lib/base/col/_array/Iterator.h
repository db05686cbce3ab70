// The pooled cursor that arrays hand out from their iterator operations; all walking is done by
// IteratorBase, this class adds the identity and the pool.
#pragma once

#include "base/col/IteratorBase.h"

namespace s::col::_array {

class Iterator : public s::col::IteratorBase {
  S_CLASS_NAME(u"s_col_array_Iterator")
  S_POOLED(Iterator)

 public:
  Iterator() { reset(); }
};

}  // namespace s::col::_array
