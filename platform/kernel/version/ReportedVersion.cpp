#include "kernel/version/ReportedVersion.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace platform::kernel::version {

namespace {

struct Known {
  uint32_t major, minor, build;
  const char16_t* servicePack;
  uint16_t servicePackMajor;
  uint8_t productType;
};

// The last service pack of each release; 5.2 is Windows Server 2003, the others are workstations.
const Known kKnown[] = {
    {5, 0, 2195, u"Service Pack 4", 4, 1}, {5, 1, 2600, u"Service Pack 3", 3, 1},
    {5, 2, 3790, u"Service Pack 2", 2, 3}, {6, 0, 6002, u"Service Pack 2", 2, 1},
    {6, 1, 7601, u"Service Pack 1", 1, 1}, {6, 2, 9200, u"", 0, 1},
    {6, 3, 9600, u"", 0, 1},               {10, 0, 19045, u"", 0, 1},
};

bool parsePart(const std::string& text, size_t from, size_t to, uint32_t& value) {
  if (to <= from || to - from > 3) return false;
  value = 0;
  for (size_t i = from; i < to; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + static_cast<uint32_t>(text[i] - '0');
  }
  return value <= 255;
}

// One line per malformed value, not per call: programs read the version often.
void warnOnce(const std::string& value) {
  static std::mutex mutex;
  static std::string* warned = nullptr;
  std::lock_guard<std::mutex> guard(mutex);
  if (warned && *warned == value) return;
  if (!warned) warned = new std::string();
  *warned = value;
  std::fprintf(stderr, "vesper: VESPER_WINVER=\"%s\" is not a version such as \"5.1\"; reporting 5.1\n",
               value.c_str());
}

}  // namespace

bool ReportedVersion::parse(const std::string& text, uint32_t& major, uint32_t& minor) {
  size_t dot = text.find('.');
  if (dot == std::string::npos) return false;
  if (!parsePart(text, 0, dot, major) || !parsePart(text, dot + 1, text.size(), minor)) return false;
  return major >= 1;
}

ReportedVersion ReportedVersion::of(uint32_t major, uint32_t minor) {
  ReportedVersion v;
  v.major = major;
  v.minor = minor;
  v.build = 0;
  v.servicePack = u"";
  v.servicePackMajor = 0;
  v.productType = 1;
  for (const Known& k : kKnown) {
    if (k.major != major || k.minor != minor) continue;
    v.build = k.build;
    v.servicePack = k.servicePack;
    v.servicePackMajor = k.servicePackMajor;
    v.productType = k.productType;
  }
  return v;
}

ReportedVersion ReportedVersion::current() {
  const char* setting = std::getenv("VESPER_WINVER");
  // An empty value counts as unset.
  if (!setting || !*setting) return of(5, 1);
  uint32_t major = 0, minor = 0;
  if (!parse(setting, major, minor)) {
    warnOnce(setting);
    return of(5, 1);
  }
  return of(major, minor);
}

}  // namespace platform::kernel::version
