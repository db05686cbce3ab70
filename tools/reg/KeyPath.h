// A key as the user names it, "HKCU\Software\X" or "HKEY_CURRENT_USER\Software\X": its root, the
// path below it, and the native name the registry services take.
#pragma once

#include <string>

namespace reg {

struct KeyPath {
  std::u16string rootName;  // the long name, "HKEY_CURRENT_USER"
  std::u16string path;      // below the root, no leading or trailing "\"; empty for the root itself
  std::u16string nativeName;

  // False (with the reason in error) for a remote name, an unknown root or a malformed path.
  static bool parse(const std::u16string& text, KeyPath& out, std::string& error);
  std::u16string fullName() const { return path.empty() ? rootName : rootName + u"\\" + path; }
  KeyPath child(const std::u16string& name) const;
};

}  // namespace reg
