// The interface of the library's collections: an object, a source of input streams, poolable and
// enumerable, in that base order.
#pragma once

#include "base/IObject.h"
#include "base/col/IEnumerable.h"
#include "base/io/IInputStreamable.h"
#include "base/thread/IPoolable.h"

namespace s::col {

class ICollection : public s::base::IObject,
                    public s::io::IInputStreamable,
                    public s::thread::IPoolable,
                    public IEnumerable {};

}  // namespace s::col
