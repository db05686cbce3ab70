// The Windows version the platform reports: NT 5.1 unless VESPER_WINVER names another as
// "major.minor". Known versions carry their usual build number, service pack and product type.
#pragma once

#include <cstdint>
#include <string>

namespace platform::kernel::version {

struct ReportedVersion {
  uint32_t major = 5;
  uint32_t minor = 1;
  uint32_t build = 2600;
  const char16_t* servicePack = u"Service Pack 3";
  uint16_t servicePackMajor = 3;
  uint8_t productType = 1;  // VER_NT_WORKSTATION

  // The version for the current environment; a malformed VESPER_WINVER is reported once on standard
  // error and gives the default.
  static ReportedVersion current();
  // Parses "major.minor" (one to three digits each, major 1..255, minor 0..255); false when malformed.
  static bool parse(const std::string& text, uint32_t& major, uint32_t& minor);
  // The details of a version by its numbers (build 0 and no service pack for unknown ones).
  static ReportedVersion of(uint32_t major, uint32_t minor);
};

}  // namespace platform::kernel::version
