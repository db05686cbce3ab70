// An independent reader over a collection's element bytes: each stream keeps its own position, so
// several readers can walk one array at once. The stream does not own the collection.
#pragma once

#include <cstdint>

#include "base/IObject.h"
#include "base/col/ICollection.h"
#include "base/io/IInputStream.h"

namespace s::col {

class CollectionInputStream : public s::base::IObject, public s::io::IInputStream {
  S_CLASS_NAME(u"s_col_CollectionInputStream")
  S_POOLED(CollectionInputStream)

 public:
  CollectionInputStream();

  // Starts reading `source` (may be null: nothing to read) from byte 0.
  void open(ICollection* source);
  ICollection* getCollection() const { return collection; }

  bool readBytes(void* buffer, uint32_t n, uint32_t* got) override;
  uint32_t getPosition() const override { return position; }
  void setPosition(uint32_t bytes) override { position = bytes; }
  void rewind() override { position = 0; }
  void seekEnd() override;
  void seekBeforeEnd(uint32_t bytes) override;
  void skipForward(uint32_t bytes) override { position += bytes; }
  void skipBackward(uint32_t bytes) override;
  bool ready() const override { return true; }

  // No collection, position 0.
  void reset() override;

 private:
  uint64_t totalBytes() const;

  ICollection* collection = nullptr;
  uint32_t position = 0;
};

}  // namespace s::col
