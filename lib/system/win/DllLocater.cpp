#include "system/win/DllLocater.h"

#include "base/thread/EasyPooler.h"

namespace s::system::win {

S_POOLED_IMPL(DllLocater, s::thread::EasyPooler::kDefaultLimit)

DllLocater::DllLocater() { reset(); }

DllLocater::~DllLocater() { reset(); }

void DllLocater::reset() {
  if (module) FreeLibrary(module);
  module = nullptr;
}

DllLocater* DllLocater::acquireFile(const char16_t* fileName) {
  DllLocater* locater = acquire();
  if (locater) locater->load(fileName);
  return locater;
}

bool DllLocater::load(const char16_t* fileName) {
  reset();
  if (!fileName) return false;
  module = LoadLibraryW(fileName);
  return module != nullptr;
}

FARPROC DllLocater::getProc(const char* procName) const {
  return module ? GetProcAddress(module, procName) : nullptr;
}

}  // namespace s::system::win
