// Registry names as the hive stores them: one path segment or value name, as written and folded for
// matching, and the parsing of a native object name into its segments.
#pragma once

#include <win/ntdll.h>

#include <string>
#include <vector>

namespace ntdll {

struct RegistryName {
  std::string text;    // UTF-8 as written
  std::string folded;  // UTF-8 of the upper-case form, what names are matched by

  static constexpr size_t kMaxKeyNameUnits = 255;

  // A key name segment: 1 to 255 units, no "\", no unpaired surrogate.
  static NTSTATUS keySegment(const char16_t* units, size_t count, RegistryName& out);
  // A value name: any units (the empty name is the default value), no unpaired surrogate.
  static NTSTATUS valueName(PCUNICODE_STRING name, RegistryName& out);
  // The segments of an object name. Without a root directory the name must start with "\Registry",
  // which is consumed; relative names must not start with "\".
  static NTSTATUS path(PCUNICODE_STRING name, bool relative, std::vector<RegistryName>& segments);
  // Checks a counted string's shape: even length, a buffer when the length is not zero.
  static bool wellFormed(PCUNICODE_STRING name);
};

}  // namespace ntdll
