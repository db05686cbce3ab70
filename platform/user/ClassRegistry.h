// The window classes of the process, found by name (ASCII case ignored) or by atom.
// Guarded by the window manager's lock.
#pragma once

#include "user/WindowClass.h"

#include <memory>
#include <vector>

namespace platform::user {

class ClassRegistry {
 public:
  // Answers the new class's atom, or 0 when the name is taken or invalid.
  ATOM add(const WNDCLASSW& description);
  // A class named by a string or by MAKEINTATOM(atom).
  std::shared_ptr<WindowClass> find(LPCWSTR nameOrAtom) const;
  bool remove(LPCWSTR nameOrAtom);

 private:
  std::vector<std::shared_ptr<WindowClass>> classes_;
  ATOM nextAtom_ = 0xC000;
};

}  // namespace platform::user
