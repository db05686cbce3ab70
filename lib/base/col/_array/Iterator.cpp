#include "base/col/_array/Iterator.h"

#include "base/thread/EasyPooler.h"

namespace s::col::_array {

S_POOLED_IMPL(Iterator, s::thread::EasyPooler::kDefaultLimit)

}  // namespace s::col::_array
