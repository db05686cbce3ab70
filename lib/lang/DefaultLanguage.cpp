#include "lang/DefaultLanguage.h"

#include <iterator>

#include "base/thread/ObjLocker.h"
#include "lang/PrimaryLanguageNames.h"

namespace s::lang {

namespace {

struct ExactLanguage {
  uint16_t id;
  const char* name;
};

// Identifiers whose sublanguage decides the name, looked at before the primary language.
constexpr ExactLanguage kExactLanguages[] = {
    {0x0004, "CHINESE_SIMPLIFIED"},  {0x0804, "CHINESE_SIMPLIFIED"},  {0x1004, "CHINESE_SIMPLIFIED"},
    {0x0404, "CHINESE_TRADITIONAL"}, {0x0C04, "CHINESE_TRADITIONAL"}, {0x1404, "CHINESE_TRADITIONAL"},
    {0x7C04, "CHINESE_TRADITIONAL"}, {0x001A, "CROATIAN"},            {0x041A, "CROATIAN"},
    {0x101A, "CROATIAN"},            {0x0416, "PORTUGUESE_BRAZILIAN"}, {0x0816, "PORTUGUESE_PORTUGAL"},
    {0x081A, "SERBIAN_LATIN"},       {0x181A, "SERBIAN_LATIN"},       {0x0C1A, "SERBIAN_CYRILLIC"},
    {0x1C1A, "SERBIAN_CYRILLIC"},    {0x7C1A, "SERBIAN"},             {0x201A, "BOSNIAN"},
    {0x042E, "UPPER_SORBIAN"},       {0x082E, "LOWER_SORBIAN"},
};

const char* upperCaseNameOf(LANGID language) {
  for (const ExactLanguage& exact : kExactLanguages)
    if (exact.id == language) return exact.name;
  const char* name = PrimaryLanguageNames::nameOf(language & 0xFF);
  return name ? name : "UNKNOWN";
}

// Guards the kept name; the locker itself is made on first use, which C++ makes safe.
s::thread::ObjLocker& nameLock() {
  static s::thread::ObjLocker lock;
  return lock;
}

char16_t gName[DefaultLanguage::kNameCapacity];
bool gNameReady = false;

}  // namespace

void DefaultLanguage::nameFor(LANGID language, char16_t* out) {
  const char* name = upperCaseNameOf(language);
  uint32_t i = 0;
  // The first letter stays upper case, the others are folded to lower case (ASCII only).
  for (; name[i] && i + 1 < kNameCapacity; ++i) {
    char16_t unit = static_cast<unsigned char>(name[i]);
    if (i > 0 && unit >= u'A' && unit <= u'Z') unit = static_cast<char16_t>(unit + (u'a' - u'A'));
    out[i] = unit;
  }
  out[i] = 0;
}

const char16_t* DefaultLanguage::name() {
  s::thread::ObjLocker::Scope scope(nameLock());
  if (!gNameReady) {
    nameFor(GetUserDefaultUILanguage(), gName);
    gNameReady = true;
  }
  return gName;
}

const char16_t* DefaultLanguage::refresh() {
  s::thread::ObjLocker::Scope scope(nameLock());
  nameFor(GetUserDefaultUILanguage(), gName);
  gNameReady = true;
  return gName;
}

const char16_t* defaultLanguageName() { return DefaultLanguage::name(); }

}  // namespace s::lang
