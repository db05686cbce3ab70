// The "Windows Registry Editor Version 5.00" text format: writing keys with their values, and reading a
// file into a list of changes that is only applied once the whole file has been read without error.
#pragma once

#include <string>
#include <vector>

#include "reg/KeyPath.h"
#include "reg/NativeKey.h"

namespace reg {

struct RegChange {
  enum class Kind { Key, DeleteKey, SetValue, DeleteValue };
  Kind kind;
  KeyPath key;
  Value value;
};

class RegFile {
 public:
  // Appends one key section: "[name]" and a line per value.
  static void appendKey(std::u16string& out, const std::u16string& fullName, const std::vector<Value>& values);
  static std::u16string header() { return u"Windows Registry Editor Version 5.00\r\n\r\n"; }
  // Encodes the text as the file holds it: UTF-16 little endian with a byte-order mark.
  static std::string encode(const std::u16string& text);

  // Reads a whole file (UTF-16 with a byte-order mark, or UTF-8); false with "ERROR: ..." in error.
  static bool parse(const std::string& bytes, std::vector<RegChange>& changes, std::string& error);
};

}  // namespace reg
