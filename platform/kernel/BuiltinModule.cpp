#include "kernel/BuiltinModule.h"

#include <cstring>

#include "ntdll/NtdllModule.h"

namespace kernel {

FARPROC BuiltinModule::find(const char* name) const {
  for (size_t i = 0; i < exportCount; ++i)
    if (std::strcmp(exports[i].name, name) == 0) return exports[i].address;
  return nullptr;
}

const char16_t* BuiltinModule::message(DWORD id) const {
  for (size_t i = 0; i < messageCount; ++i)
    if (messages[i].id == id) return messages[i].text;
  return nullptr;
}

const BuiltinModule* const* builtinModules(size_t& count) {
  static const BuiltinModule* const modules[] = {&ntdll::ntdllModule()};
  count = sizeof modules / sizeof modules[0];
  return modules;
}

}  // namespace kernel
