#include "reg/ValueText.h"

#include <cstdio>
#include <cctype>
#include <cstring>

#include "reg/Text.h"

namespace reg {

namespace {

const struct {
  ULONG type;
  const char* name;
} kTypes[] = {
    {REG_NONE, "REG_NONE"},
    {REG_SZ, "REG_SZ"},
    {REG_EXPAND_SZ, "REG_EXPAND_SZ"},
    {REG_BINARY, "REG_BINARY"},
    {REG_DWORD, "REG_DWORD"},
    {REG_DWORD_BIG_ENDIAN, "REG_DWORD_BIG_ENDIAN"},
    {REG_LINK, "REG_LINK"},
    {REG_MULTI_SZ, "REG_MULTI_SZ"},
    {REG_RESOURCE_LIST, "REG_RESOURCE_LIST"},
    {REG_FULL_RESOURCE_DESCRIPTOR, "REG_FULL_RESOURCE_DESCRIPTOR"},
    {REG_RESOURCE_REQUIREMENTS_LIST, "REG_RESOURCE_REQUIREMENTS_LIST"},
    {REG_QWORD, "REG_QWORD"},
};

std::string hex(const std::vector<uint8_t>& data) {
  std::string out;
  char two[3];
  for (uint8_t b : data) {
    std::snprintf(two, sizeof two, "%02X", b);
    out += two;
  }
  return out;
}

bool parseNumber(const std::string& text, uint64_t limit, uint64_t& value) {
  if (text.empty()) {
    value = 0;
    return true;
  }
  size_t at = 0;
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    at = 2;
  }
  value = 0;
  for (; at < text.size(); ++at) {
    char c = text[at];
    int digit = c >= '0' && c <= '9' ? c - '0' : (base == 16 && std::strchr("abcdefABCDEF", c)) ? (c | 0x20) - 'a' + 10 : -1;
    if (digit < 0) return false;
    if (value > (limit - digit) / base) return false;
    value = value * base + digit;
  }
  return true;
}

}  // namespace

std::string ValueText::typeName(ULONG type) {
  for (const auto& t : kTypes)
    if (t.type == type) return t.name;
  char number[32];
  std::snprintf(number, sizeof number, "REG_UNKNOWN(0x%X)", static_cast<unsigned>(type));
  return number;
}

bool ValueText::typeOf(const std::string& name, ULONG& type) {
  static const ULONG accepted[] = {REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ, REG_DWORD, REG_QWORD, REG_BINARY};
  std::u16string upper = Text::upper(Text::fromUtf8(name));
  for (ULONG candidate : accepted)
    if (Text::fromUtf8(typeName(candidate)) == upper) {
      type = candidate;
      return true;
    }
  return false;
}

std::vector<uint8_t> ValueText::bytesOf(const std::u16string& text, bool terminate) {
  std::vector<uint8_t> out((text.size() + (terminate ? 1 : 0)) * 2, 0);
  if (!text.empty()) std::memcpy(out.data(), text.data(), text.size() * 2);
  return out;
}

std::u16string ValueText::textOf(const std::vector<uint8_t>& data) {
  std::u16string out(data.size() / 2, u'\0');
  if (!out.empty()) std::memcpy(out.data(), data.data(), out.size() * 2);
  return out;
}

std::string ValueText::display(ULONG type, const std::vector<uint8_t>& data) {
  switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ: {
      std::u16string text = textOf(data);
      return Text::toUtf8(text.substr(0, text.find(u'\0')));
    }
    case REG_MULTI_SZ: {
      std::u16string text = textOf(data);
      std::string out;
      size_t at = 0;
      while (at < text.size() && text[at] != u'\0') {
        size_t end = text.find(u'\0', at);
        if (end == std::u16string::npos) end = text.size();
        if (!out.empty()) out += "\\0";
        out += Text::toUtf8(text.substr(at, end - at));
        at = end + 1;
      }
      return out;
    }
    case REG_DWORD:
      if (data.size() == 4) {
        uint32_t v;
        std::memcpy(&v, data.data(), 4);
        char number[16];
        std::snprintf(number, sizeof number, "0x%x", v);
        return number;
      }
      return hex(data);
    case REG_QWORD:
      if (data.size() == 8) {
        uint64_t v;
        std::memcpy(&v, data.data(), 8);
        char number[24];
        std::snprintf(number, sizeof number, "0x%llx", static_cast<unsigned long long>(v));
        return number;
      }
      return hex(data);
    default:
      return hex(data);
  }
}

bool ValueText::parse(ULONG type, const std::string& text, char16_t separator, std::vector<uint8_t>& data,
                      std::string& error) {
  switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
      data = bytesOf(Text::fromUtf8(text), true);
      return true;
    case REG_MULTI_SZ: {
      std::u16string all = Text::fromUtf8(text);
      std::vector<std::u16string> items;
      if (!all.empty()) {
        size_t at = 0;
        for (;;) {
          size_t end = separator == u'\0' ? all.find(u"\\0", at) : all.find(separator, at);
          items.push_back(all.substr(at, end == std::u16string::npos ? std::u16string::npos : end - at));
          if (end == std::u16string::npos) break;
          at = end + (separator == u'\0' ? 2 : 1);
        }
      }
      std::u16string joined;
      for (const std::u16string& item : items) {
        // An empty string inside a list would end the list early when read back.
        if (item.empty()) {
          error = "ERROR: A REG_MULTI_SZ list cannot hold an empty string.";
          return false;
        }
        joined += item;
        joined.push_back(u'\0');
      }
      if (joined.empty()) joined.push_back(u'\0');
      data = bytesOf(joined, true);
      return true;
    }
    case REG_DWORD:
    case REG_QWORD: {
      uint64_t value = 0;
      uint64_t limit = type == REG_DWORD ? 0xFFFFFFFFull : ~0ull;
      if (!parseNumber(text, limit, value)) {
        error = "ERROR: \"" + text + "\" is not a valid " + typeName(type) +
                " number (decimal or 0x hexadecimal, not negative, within range).";
        return false;
      }
      data.resize(type == REG_DWORD ? 4 : 8);
      std::memcpy(data.data(), &value, data.size());
      return true;
    }
    case REG_BINARY: {
      if (text.size() % 2) {
        error = "ERROR: REG_BINARY data needs an even number of hexadecimal digits.";
        return false;
      }
      data.clear();
      for (size_t i = 0; i < text.size(); i += 2) {
        unsigned v = 0;
        char pair[3] = {text[i], text[i + 1], 0};
        if (!std::isxdigit(static_cast<unsigned char>(pair[0])) || !std::isxdigit(static_cast<unsigned char>(pair[1])) ||
            std::sscanf(pair, "%2x", &v) != 1) {
          error = "ERROR: \"" + text + "\" is not hexadecimal REG_BINARY data.";
          return false;
        }
        data.push_back(static_cast<uint8_t>(v));
      }
      return true;
    }
  }
  error = "ERROR: Unsupported type.";
  return false;
}

}  // namespace reg
