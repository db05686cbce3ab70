// A module that the platform itself provides (such as "ntdll.dll"): its base name, its exports by name
// and its message table. LoadLibraryW finds these by name; FormatMessageW reads their messages.
#pragma once

#include <win/module.h>

#include <cstddef>

namespace kernel {

struct BuiltinExport {
  const char* name;
  FARPROC address;
};

struct MessageText {
  DWORD id;
  const char16_t* text;  // ends with "\r\n", as message table texts do
};

struct BuiltinModule {
  const char16_t* baseName;  // without ".dll", in lower case
  const BuiltinExport* exports;
  size_t exportCount;
  const MessageText* messages;
  size_t messageCount;

  FARPROC find(const char* name) const;
  const char16_t* message(DWORD id) const;
};

// The modules the platform provides, in the order LoadLibraryW tries them.
const BuiltinModule* const* builtinModules(size_t& count);
// The built-in module a handle from LoadLibraryW stands for, or null.
const BuiltinModule* builtinOf(HMODULE module);
// The message table of the system's error codes (FORMAT_MESSAGE_FROM_SYSTEM).
const BuiltinModule& systemMessages();

}  // namespace kernel
