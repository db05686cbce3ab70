// The pool of attribute records. Records are plain structures, so the factory makes, empties and
// frees them itself; each counts 16 towards the pool's weight, and up to 1000 free records are kept.
#pragma once

#include <cstdint>

#include "base/thread/PoolerBase.h"
#include "xml/AttrRecord.h"

namespace s::xml {

class AttrFactory : public s::thread::Factory {
  S_CLASS_NAME(u"s_xml_AttrFactory")

 public:
  static constexpr uint32_t kRecordWeight = 16;

  AttrFactory();
  ~AttrFactory() override;

  // The process-wide factory of every node's records. It lives to the very end of the process (its
  // kept records are freed at exit), so records released late in the exit still have a home.
  static AttrFactory* shared();

  // A fresh, empty factory (factories are constructed directly, never pooled).
  s::base::IObject* newInstance() const override;

  // A zeroed record; null when memory runs out.
  void* generate() override;
  uint32_t weightOf(void* object) override;
  // Frees the record's block (its name followed by its value) and zeroes it.
  void resetObject(void* object) override;
  // Frees the record's block and the record, and nulls the slot.
  void destroyObject(void** slot) override;

  // A record holding copies of the name and the (already escaped) value, both in one block; null
  // when memory runs out.
  // A count of -1 takes the text up to its terminator.
  AttrRecord* make(const char16_t* name, int32_t nameLength, const char16_t* value, int32_t valueLength);
  // Gives a record back to the pool.
  void give(AttrRecord* record) { release(record, -1); }

  // Frees every kept record (at exit).
  void dropKept() { destroyAll(); }

  // A NUL-terminated heap copy of `length` units (the block of a name or value); null when memory
  // runs out.
  static char16_t* copyUnits(const char16_t* units, int32_t length);
};

}  // namespace s::xml
