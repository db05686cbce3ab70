// The root interface of every library class: comparison and hashing, a class identifier and a
// factory operation. Class identifiers are static UTF-16 texts compared by address.
#pragma once

#include "base/IComparable.h"

namespace s::base {

class IObject : public IComparable {
 public:
  // The address of the class's one static identifier, such as u"s_col__array_ArrayP".
  virtual const char16_t* getClassName() const = 0;
  // A fresh object of the same class, normally taken from the class's pool.
  virtual IObject* newInstance() const = 0;
};

}  // namespace s::base

// Declares a class's identifier and answers getClassName with its address. The identifier is the
// namespace path and class name joined by underscores.
#define S_CLASS_NAME(text)                                                 \
 public:                                                                   \
  static constexpr char16_t kClassName[] = text;                           \
  const char16_t* getClassName() const override { return kClassName; }
