// Value types by name and value data as text: how `reg query` shows data and how `reg add` reads /d.
#pragma once

#include <win/ntdll.h>

#include <cstdint>
#include <string>
#include <vector>

namespace reg {

class ValueText {
 public:
  static std::string typeName(ULONG type);
  // The types `reg add /t` accepts; false for any other name.
  static bool typeOf(const std::string& name, ULONG& type);
  // The data as `reg query` shows it.
  static std::string display(ULONG type, const std::vector<uint8_t>& data);
  // The bytes for /d of that type; false with the reason in error for data the type cannot hold.
  static bool parse(ULONG type, const std::string& text, char16_t separator, std::vector<uint8_t>& data,
                    std::string& error);
  static std::vector<uint8_t> bytesOf(const std::u16string& text, bool terminate);
  static std::u16string textOf(const std::vector<uint8_t>& data);
};

}  // namespace reg
