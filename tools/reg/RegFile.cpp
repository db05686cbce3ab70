#include "reg/RegFile.h"

#include <cstdio>
#include <cstring>

#include "reg/Text.h"
#include "reg/ValueText.h"

namespace reg {

namespace {

std::u16string quoted(const std::u16string& text) {
  std::u16string out = u"\"";
  for (char16_t c : text) {
    if (c == u'\\' || c == u'"') out.push_back(u'\\');
    out.push_back(c);
  }
  out.push_back(u'"');
  return out;
}

// A REG_SZ is written as a quoted string only when reading that string back gives the same bytes.
bool plainString(const Value& v) {
  if (v.type != REG_SZ || v.data.size() < 2 || v.data.size() % 2) return false;
  std::u16string text = ValueText::textOf(v.data);
  if (text.back() != u'\0') return false;
  text.pop_back();
  for (char16_t c : text)
    if (c == u'\0' || c == u'\r' || c == u'\n') return false;
  return true;
}

// Hexadecimal bytes, wrapped as the registry editor wraps them: lines of at most 80 characters
// continued with "\" and indented by two spaces.
std::u16string hexList(const std::u16string& prefix, const std::vector<uint8_t>& data) {
  std::u16string out = prefix;
  size_t lineLength = prefix.size();
  char pair[4];
  for (size_t i = 0; i < data.size(); ++i) {
    std::snprintf(pair, sizeof pair, "%02x", data[i]);
    std::u16string item = Text::fromUtf8(pair);
    if (i + 1 < data.size()) item.push_back(u',');
    if (lineLength + item.size() > 77 && i + 1 < data.size()) {
      out += item + u"\\\r\n  ";
      lineLength = 2;
      continue;
    }
    out += item;
    lineLength += item.size();
  }
  return out;
}

std::u16string valueLine(const Value& v) {
  std::u16string line = v.name.empty() ? u"@=" : quoted(v.name) + u"=";
  if (plainString(v)) {
    std::u16string text = ValueText::textOf(v.data);
    text.pop_back();
    return line + quoted(text);
  }
  if (v.type == REG_DWORD && v.data.size() == 4) {
    uint32_t number;
    std::memcpy(&number, v.data.data(), 4);
    char digits[16];
    std::snprintf(digits, sizeof digits, "dword:%08x", number);
    return line + Text::fromUtf8(digits);
  }
  if (v.type == REG_BINARY) return hexList(line + u"hex:", v.data);
  char prefix[24];
  std::snprintf(prefix, sizeof prefix, "hex(%x):", static_cast<unsigned>(v.type));
  return hexList(line + Text::fromUtf8(prefix), v.data);
}

std::u16string decode(const std::string& bytes) {
  if (bytes.size() >= 2 && static_cast<uint8_t>(bytes[0]) == 0xFF && static_cast<uint8_t>(bytes[1]) == 0xFE) {
    std::u16string out((bytes.size() - 2) / 2, u'\0');
    std::memcpy(out.data(), bytes.data() + 2, out.size() * 2);
    return out;
  }
  if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) return Text::fromUtf8(bytes.substr(3));
  return Text::fromUtf8(bytes);
}

std::vector<std::u16string> splitLines(const std::u16string& text) {
  std::vector<std::u16string> lines;
  size_t at = 0;
  while (at <= text.size()) {
    size_t end = text.find(u'\n', at);
    if (end == std::u16string::npos) end = text.size();
    std::u16string line = text.substr(at, end - at);
    if (!line.empty() && line.back() == u'\r') line.pop_back();
    lines.push_back(line);
    at = end + 1;
  }
  return lines;
}

std::u16string trim(const std::u16string& s) {
  size_t a = s.find_first_not_of(u" \t");
  if (a == std::u16string::npos) return u"";
  size_t b = s.find_last_not_of(u" \t");
  return s.substr(a, b - a + 1);
}

// Reads a quoted string starting at text[at] == '"'; answers the position after its closing quote.
bool readQuoted(const std::u16string& text, size_t& at, std::u16string& out) {
  out.clear();
  for (++at; at < text.size(); ++at) {
    char16_t c = text[at];
    if (c == u'"') {
      ++at;
      return true;
    }
    if (c == u'\\') {
      if (at + 1 >= text.size() || (text[at + 1] != u'\\' && text[at + 1] != u'"')) return false;
      c = text[++at];
    }
    out.push_back(c);
  }
  return false;
}

bool readHex(const std::u16string& text, std::vector<uint8_t>& out) {
  out.clear();
  std::u16string compact;
  for (char16_t c : text)
    if (c != u' ' && c != u'\t') compact.push_back(c);
  if (compact.empty()) return true;
  size_t at = 0;
  for (;;) {
    size_t end = compact.find(u',', at);
    std::u16string item = compact.substr(at, end == std::u16string::npos ? std::u16string::npos : end - at);
    if (item.empty() || item.size() > 2) return false;
    unsigned v = 0;
    for (char16_t c : item) {
      int d = c >= u'0' && c <= u'9' ? c - u'0' : (c | 0x20) >= u'a' && (c | 0x20) <= u'f' ? (c | 0x20) - u'a' + 10 : -1;
      if (d < 0) return false;
      v = v * 16 + static_cast<unsigned>(d);
    }
    out.push_back(static_cast<uint8_t>(v));
    if (end == std::u16string::npos) return true;
    at = end + 1;
  }
}

bool parseData(const std::u16string& data, Value& value, bool& remove) {
  remove = false;
  if (data == u"-") {
    remove = true;
    return true;
  }
  if (!data.empty() && data[0] == u'"') {
    size_t at = 0;
    std::u16string text;
    if (!readQuoted(data, at, text) || at != data.size()) return false;
    value.type = REG_SZ;
    value.data = ValueText::bytesOf(text, true);
    return true;
  }
  if (data.compare(0, 6, u"dword:") == 0) {
    std::u16string digits = data.substr(6);
    if (digits.empty() || digits.size() > 8) return false;
    uint32_t number = 0;
    for (char16_t c : digits) {
      int d = c >= u'0' && c <= u'9' ? c - u'0' : (c | 0x20) >= u'a' && (c | 0x20) <= u'f' ? (c | 0x20) - u'a' + 10 : -1;
      if (d < 0) return false;
      number = number * 16 + static_cast<uint32_t>(d);
    }
    value.type = REG_DWORD;
    value.data.resize(4);
    std::memcpy(value.data.data(), &number, 4);
    return true;
  }
  if (data.compare(0, 4, u"hex:") == 0) {
    value.type = REG_BINARY;
    return readHex(data.substr(4), value.data);
  }
  if (data.compare(0, 4, u"hex(") == 0) {
    size_t close = data.find(u"):");
    if (close == std::u16string::npos || close == 4 || close > 12) return false;
    uint64_t type = 0;
    for (size_t i = 4; i < close; ++i) {
      char16_t c = data[i];
      int d = c >= u'0' && c <= u'9' ? c - u'0' : (c | 0x20) >= u'a' && (c | 0x20) <= u'f' ? (c | 0x20) - u'a' + 10 : -1;
      if (d < 0) return false;
      type = type * 16 + static_cast<uint64_t>(d);
    }
    if (type > 0xFFFFFFFFull) return false;
    value.type = static_cast<ULONG>(type);
    return readHex(data.substr(close + 2), value.data);
  }
  return false;
}

}  // namespace

void RegFile::appendKey(std::u16string& out, const std::u16string& fullName, const std::vector<Value>& values) {
  out += u"[" + fullName + u"]\r\n";
  for (const Value& v : values) out += valueLine(v) + u"\r\n";
  out += u"\r\n";
}

std::string RegFile::encode(const std::u16string& text) {
  std::string out = "\xFF\xFE";
  for (char16_t c : text) {
    out.push_back(static_cast<char>(c & 0xFF));
    out.push_back(static_cast<char>(c >> 8));
  }
  return out;
}

bool RegFile::parse(const std::string& bytes, std::vector<RegChange>& changes, std::string& error) {
  changes.clear();
  std::vector<std::u16string> lines = splitLines(decode(bytes));
  size_t first = 0;
  while (first < lines.size() && trim(lines[first]).empty()) ++first;
  if (first == lines.size() || trim(lines[first]) != u"Windows Registry Editor Version 5.00") {
    error = "ERROR: The file is not a registry script: its first line must be \"Windows Registry Editor Version 5.00\".";
    return false;
  }
  bool haveKey = false;
  KeyPath current;
  for (size_t i = first + 1; i < lines.size(); ++i) {
    const size_t lineNumber = i + 1;
    std::u16string line = trim(lines[i]);
    auto fail = [&](const std::string& what) {
      error = "ERROR: Line " + std::to_string(lineNumber) + ": " + what;
      return false;
    };
    if (line.empty() || line[0] == u';') continue;
    if (line[0] == u'[') {
      if (line.back() != u']') return fail("a key line must end with \"]\".");
      bool remove = line.size() > 1 && line[1] == u'-';
      std::u16string name = line.substr(remove ? 2 : 1, line.size() - (remove ? 3 : 2));
      std::string why;
      if (!KeyPath::parse(name, current, why)) return fail(why.substr(7));
      if (remove && current.path.empty()) return fail("a root key cannot be deleted.");
      changes.push_back({remove ? RegChange::Kind::DeleteKey : RegChange::Kind::Key, current, {}});
      haveKey = !remove;
      continue;
    }
    if (line[0] != u'"' && line[0] != u'@') return fail("expected a key in [brackets] or a value line.");
    if (!haveKey) return fail("a value line must follow a key line.");
    Value value;
    size_t at = 0;
    if (line[0] == u'@') {
      at = 1;
    } else if (!readQuoted(line, at, value.name)) {
      return fail("the value name is not a properly quoted string.");
    }
    while (at < line.size() && (line[at] == u' ' || line[at] == u'\t')) ++at;
    if (at >= line.size() || line[at] != u'=') return fail("expected \"=\" after the value name.");
    std::u16string data = trim(line.substr(at + 1));
    // Hexadecimal data continues on the next lines while a line ends with "\".
    while (data.compare(0, 3, u"hex") == 0 && !data.empty() && data.back() == u'\\') {
      data.pop_back();
      if (++i >= lines.size()) return fail("the value's data continues past the end of the file.");
      data += trim(lines[i]);
    }
    bool remove = false;
    if (!parseData(data, value, remove)) return fail("the value's data is not valid.");
    changes.push_back({remove ? RegChange::Kind::DeleteValue : RegChange::Kind::SetValue, current, value});
  }
  return true;
}

}  // namespace reg
