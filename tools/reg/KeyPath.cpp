#include "reg/KeyPath.h"

#include "reg/Session.h"
#include "reg/Text.h"

namespace reg {

namespace {

struct Root {
  const char16_t* longName;
  const char16_t* shortName;
};

const Root kRoots[] = {
    {u"HKEY_LOCAL_MACHINE", u"HKLM"},  {u"HKEY_CURRENT_USER", u"HKCU"}, {u"HKEY_CLASSES_ROOT", u"HKCR"},
    {u"HKEY_USERS", u"HKU"},           {u"HKEY_CURRENT_CONFIG", u"HKCC"},
};

std::u16string nativeRoot(const std::u16string& longName) {
  if (longName == u"HKEY_LOCAL_MACHINE") return u"\\Registry\\Machine";
  if (longName == u"HKEY_CURRENT_USER") return u"\\Registry\\User\\" + Session::userSid();
  if (longName == u"HKEY_CLASSES_ROOT") return u"\\Registry\\Machine\\SOFTWARE\\Classes";
  if (longName == u"HKEY_USERS") return u"\\Registry\\User";
  return u"\\Registry\\Machine\\System\\CurrentControlSet\\Hardware Profiles\\Current";
}

}  // namespace

bool KeyPath::parse(const std::u16string& text, KeyPath& out, std::string& error) {
  if (text.size() >= 2 && text[0] == u'\\' && text[1] == u'\\') {
    error = "ERROR: Remote registries are not supported.";
    return false;
  }
  size_t slash = text.find(u'\\');
  std::u16string root = Text::upper(text.substr(0, slash));
  std::u16string rest = slash == std::u16string::npos ? u"" : text.substr(slash + 1);
  while (!rest.empty() && rest.back() == u'\\') rest.pop_back();
  out = KeyPath();
  for (const Root& r : kRoots)
    if (root == r.longName || root == r.shortName) out.rootName = r.longName;
  if (out.rootName.empty()) {
    error = "ERROR: Invalid key name \"" + Text::toUtf8(text) + "\": it must start with a root such as HKCU or HKLM.";
    return false;
  }
  // Every segment must be a key name: not empty, at most 255 characters.
  size_t at = 0;
  while (!rest.empty() && at <= rest.size()) {
    size_t end = rest.find(u'\\', at);
    if (end == std::u16string::npos) end = rest.size();
    if (end == at || end - at > 255) {
      error = "ERROR: Invalid key name \"" + Text::toUtf8(text) + "\".";
      return false;
    }
    at = end + 1;
  }
  out.path = rest;
  out.nativeName = nativeRoot(out.rootName) + (rest.empty() ? u"" : u"\\" + rest);
  return true;
}

KeyPath KeyPath::child(const std::u16string& name) const {
  KeyPath out = *this;
  out.path = path.empty() ? name : path + u"\\" + name;
  out.nativeName = nativeName + u"\\" + name;
  return out;
}

}  // namespace reg
