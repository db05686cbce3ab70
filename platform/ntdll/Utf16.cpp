// UTF-16 <-> UTF-8 without locale dependence, plus the fixed case fold of registry names.
#include "ntdll/Utf16.h"

namespace ntdll {

namespace {

void appendCodePoint(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

template <bool Fold>
bool convert(const char16_t* units, size_t count, std::string& out) {
  out.reserve(out.size() + count);
  for (size_t i = 0; i < count; ++i) {
    char16_t u = Fold ? Utf16::upcase(units[i]) : units[i];
    if (u < 0x80) {
      out.push_back(static_cast<char>(u));
      continue;
    }
    if (u >= 0xD800 && u <= 0xDBFF) {
      if (i + 1 >= count || units[i + 1] < 0xDC00 || units[i + 1] > 0xDFFF) return false;
      char32_t cp = 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (units[i + 1] - 0xDC00);
      appendCodePoint(out, cp);
      ++i;
      continue;
    }
    if (u >= 0xDC00 && u <= 0xDFFF) return false;
    appendCodePoint(out, u);
  }
  return true;
}

}  // namespace

bool Utf16::toUtf8(const char16_t* units, size_t count, std::string& out) {
  return convert<false>(units, count, out);
}

bool Utf16::toFoldedUtf8(const char16_t* units, size_t count, std::string& out) {
  return convert<true>(units, count, out);
}

std::u16string Utf16::fromUtf8(const char* text, size_t bytes) {
  std::u16string out;
  out.reserve(bytes);
  const auto* s = reinterpret_cast<const unsigned char*>(text);
  size_t i = 0;
  while (i < bytes) {
    unsigned char c = s[i];
    char32_t cp;
    size_t extra;
    if (c < 0x80) {
      cp = c;
      extra = 0;
    } else if ((c & 0xE0) == 0xC0) {
      cp = c & 0x1F;
      extra = 1;
    } else if ((c & 0xF0) == 0xE0) {
      cp = c & 0x0F;
      extra = 2;
    } else {
      cp = c & 0x07;
      extra = 3;
    }
    if (extra > 0 && i + extra >= bytes) {
      out.push_back(u'\xFFFD');
      break;
    }
    for (size_t k = 1; k <= extra; ++k) cp = (cp << 6) | (s[i + k] & 0x3F);
    i += extra + 1;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
  }
  return out;
}

char16_t Utf16::upcase(char16_t u) {
  if (u < 0x80) return (u >= u'a' && u <= u'z') ? static_cast<char16_t>(u - 32) : u;
  if (u >= 0xE0 && u <= 0xFE && u != 0xF7) return static_cast<char16_t>(u - 32);
  if (u == 0xFF) return 0x178;
  // Latin Extended-A pairs capital/small on even/odd code points, except the dotless i region.
  if (u >= 0x100 && u <= 0x17F) {
    if ((u >= 0x139 && u <= 0x148) || (u >= 0x179 && u <= 0x17E)) return (u & 1) ? u : static_cast<char16_t>(u - 1);
    if (u == 0x131 || u == 0x138 || u == 0x149 || u == 0x17F) return u;
    return (u & 1) ? static_cast<char16_t>(u - 1) : u;
  }
  if (u >= 0x3B1 && u <= 0x3C9 && u != 0x3C2) return static_cast<char16_t>(u - 32);
  if (u >= 0x430 && u <= 0x44F) return static_cast<char16_t>(u - 32);
  if (u >= 0x450 && u <= 0x45F) return static_cast<char16_t>(u - 80);
  return u;
}

}  // namespace ntdll
