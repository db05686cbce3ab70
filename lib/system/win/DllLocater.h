// Holds one module loaded by name and frees it again when the holder is reset or destroyed, so that
// a module stays loaded exactly as long as someone keeps its holder.
#pragma once

#include <win/module.h>

#include "base/IObject.h"
#include "base/thread/IPoolable.h"

namespace s::system::win {

class DllLocater final : public s::base::IObject, public s::thread::IPoolable {
  S_CLASS_NAME(u"s_system_win_DllLocater")
  S_POOLED(DllLocater)

 public:
  using IObject::destroy;

  DllLocater();
  ~DllLocater() override;
  DllLocater(const DllLocater&) = delete;
  DllLocater& operator=(const DllLocater&) = delete;

  // Frees the module, if one is held.
  void reset() override;

  // A holder from the pool with the named module loaded; the holder is kept (empty) when it fails.
  static DllLocater* acquireFile(const char16_t* fileName);

  // Frees the module held before and loads this one; false when it does not load.
  bool load(const char16_t* fileName);
  HMODULE getModule() const { return module; }
  bool isLoaded() const { return module != nullptr; }
  // The export of that name, or null.
  FARPROC getProc(const char* procName) const;

 private:
  HMODULE module = nullptr;
};

}  // namespace s::system::win
