// Makes a new object on request; pools are generators.
#pragma once

#include <cstdint>

namespace s::base {

class IGenerator {
 public:
  virtual ~IGenerator();
  void destroy(uint32_t flags);
  virtual void* generate() = 0;
};

}  // namespace s::base
