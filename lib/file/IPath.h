// A path in the file system and what the library does with the file or folder it names: whether it
// exists, its size, reading or writing the whole file, its parent folder and making folders.
// Separators are "/" ("\" is accepted and read as "/").
#pragma once

#include <cstdint>

#include "base/IObject.h"
#include "base/thread/IPoolable.h"

namespace s::col::_array {
class ArrayU08;
}

namespace s::file {

class IPath : public s::base::IObject, public s::thread::IPoolable {
 public:
  using IObject::destroy;

  // Replaces the path (`length` units, -1 = up to the terminator).
  virtual void setText(const char16_t* text, int32_t length = -1) = 0;
  // The path, NUL-terminated; never null.
  virtual const char16_t* getText() const = 0;

  // True when a file or folder of that name exists.
  virtual bool exists() const = 0;
  virtual bool isFolder() const = 0;
  // The size of the file in bytes, or -1 when it cannot be opened.
  virtual int64_t getSize() const = 0;
  // Replaces the array's content with every byte of the file; false (array emptied) on failure.
  virtual bool readAll(s::col::_array::ArrayU08* bytes) const = 0;
  // Writes the bytes as the file's whole content, creating or replacing it; false on failure.
  virtual bool writeAll(const void* bytes, uint32_t count) const = 0;

  // A new path (release it) naming the folder that holds this one; null when there is none.
  virtual IPath* acquireParent() const = 0;
  // A new path (release it) naming `name` inside this folder.
  virtual IPath* acquireChild(const char16_t* name) const = 0;
  // Makes this folder and any missing folder above it; true when it exists afterwards.
  virtual bool createFolder() const = 0;
};

}  // namespace s::file
