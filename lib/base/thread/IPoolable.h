// The second base of every pooled class: how client code gives an object back to its class's pool.
#pragma once

#include <cstdint>

namespace s::thread {

class EasyPooler;

class IPoolable {
 public:
  virtual ~IPoolable();
  void destroy(uint32_t flags);
  // Gives the object to its class's pool; the caller must not use it afterwards.
  virtual void release() = 0;
  // Brings the object back to its freshly constructed state, releasing the pooled objects it owns.
  virtual void reset() = 0;
};

}  // namespace s::thread

// Declares the pool face of a pooled class: its pool accessor, acquire, release and newInstance.
// The matching S_POOLED_IMPL in the class's source file defines them with the pool's limit.
#define S_POOLED(Class)                                  \
 public:                                                 \
  static ::s::thread::EasyPooler* pool();                \
  static Class* acquire();                               \
  void release() override;                               \
  ::s::base::IObject* newInstance() const override;
