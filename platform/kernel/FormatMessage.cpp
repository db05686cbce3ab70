// FormatMessageW over the built-in message tables, with the insert sequences of message texts, and the
// local heap blocks it hands out.
#include <win/error.h>
#include <win/format_message.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "kernel/BuiltinModule.h"

namespace {

// The tables hold English texts only; the neutral and default languages reach them too.
bool languageServed(DWORD languageId) {
  if (languageId == 0 || languageId == LANG_USER_DEFAULT || languageId == LANG_SYSTEM_DEFAULT) return true;
  return (languageId & 0x3FF) == LANG_ENGLISH;
}

const char16_t* findText(DWORD flags, LPCVOID source, DWORD id, DWORD& error) {
  error = ERROR_MR_MID_NOT_FOUND;
  if (flags & FORMAT_MESSAGE_FROM_HMODULE) {
    const kernel::BuiltinModule* module = kernel::builtinOf(static_cast<HMODULE>(const_cast<void*>(source)));
    if (module) {
      if (const char16_t* text = module->message(id)) return text;
    } else if (!(flags & FORMAT_MESSAGE_FROM_SYSTEM)) {
      error = ERROR_RESOURCE_TYPE_NOT_FOUND;
      return nullptr;
    }
  }
  if (flags & FORMAT_MESSAGE_FROM_SYSTEM) return kernel::systemMessages().message(id);
  return nullptr;
}

void appendAscii(std::u16string& out, const char* text) {
  while (*text) out.push_back(static_cast<char16_t>(*text++));
}

// Expands one insert %n or %n!fmt! with the argument given; false for a format this layer does not know.
bool expandInsert(std::u16string& out, DWORD_PTR argument, const std::string& format) {
  if (format.empty() || format == "s" || format == "ls" || format == "ws") {
    const auto* text = reinterpret_cast<const char16_t*>(argument);
    if (!text) text = u"(null)";
    out += text;
    return true;
  }
  char spec[16];
  char buffer[64];
  if (format.size() > 8) return false;
  char conversion = format.back();
  if (std::strchr("diuxXc", conversion) == nullptr) return false;
  if (conversion == 'c') {
    out.push_back(static_cast<char16_t>(argument));
    return true;
  }
  std::snprintf(spec, sizeof spec, "%%%s", format.c_str());
  if (conversion == 'd' || conversion == 'i')
    std::snprintf(buffer, sizeof buffer, spec, static_cast<int>(argument));
  else
    std::snprintf(buffer, sizeof buffer, spec, static_cast<unsigned>(argument));
  appendAscii(out, buffer);
  return true;
}

// Applies the escape and insert sequences of a message text.
bool format(const char16_t* text, DWORD flags, va_list* arguments, std::u16string& out) {
  const bool ignoreInserts = flags & FORMAT_MESSAGE_IGNORE_INSERTS;
  const bool ignoreLineBreaks = (flags & FORMAT_MESSAGE_MAX_WIDTH_MASK) == FORMAT_MESSAGE_MAX_WIDTH_MASK;
  std::vector<DWORD_PTR> values;
  if (!ignoreInserts && arguments) {
    // Inserts are numbered; read the arguments up to the highest one used.
    int highest = 0;
    for (const char16_t* c = text; *c; ++c)
      if (c[0] == u'%' && c[1] >= u'1' && c[1] <= u'9') {
        int n = c[1] - u'0';
        if (c[2] >= u'0' && c[2] <= u'9') n = n * 10 + (c[2] - u'0');
        if (n > highest) highest = n;
      }
    if (flags & FORMAT_MESSAGE_ARGUMENT_ARRAY) {
      const auto* array = reinterpret_cast<const DWORD_PTR*>(arguments);
      values.assign(array, array + highest);
    } else {
      va_list copy;
      va_copy(copy, *arguments);
      for (int i = 0; i < highest; ++i) values.push_back(va_arg(copy, DWORD_PTR));
      va_end(copy);
    }
  }
  for (const char16_t* c = text; *c; ++c) {
    if (ignoreLineBreaks && (*c == u'\r' || *c == u'\n')) {
      if (*c == u'\r' && c[1] == u'\n') ++c;
      if (c[1]) out.push_back(u' ');
      continue;
    }
    if (*c != u'%') {
      out.push_back(*c);
      continue;
    }
    char16_t next = c[1];
    if (ignoreInserts) {
      out.push_back(*c);
      continue;
    }
    if (next == 0) return true;
    ++c;
    switch (next) {
      case u'0':
        return true;  // the text ends here, without a line end
      case u'n':
        out += u"\r\n";
        continue;
      case u't':
        out.push_back(u'\t');
        continue;
      case u'r':
        out.push_back(u'\r');
        continue;
      default:
        break;
    }
    if (next < u'1' || next > u'9') {
      out.push_back(next);  // "%%", "%.", "%!" and "% " stand for the character itself
      continue;
    }
    int n = next - u'0';
    if (c[1] >= u'0' && c[1] <= u'9') n = n * 10 + (*++c - u'0');
    std::string insertFormat;
    if (c[1] == u'!') {
      const char16_t* end = c + 2;
      while (*end && *end != u'!') insertFormat.push_back(static_cast<char>(*end++));
      if (*end != u'!') return false;
      c = end;
    }
    if (static_cast<size_t>(n) > values.size()) return false;
    if (!expandInsert(out, values[n - 1], insertFormat)) return false;
  }
  return true;
}

}  // namespace

DWORD WINAPI FormatMessageW(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId, LPWSTR buffer,
                            DWORD size, va_list* arguments) {
  const char16_t* text = nullptr;
  if (flags & FORMAT_MESSAGE_FROM_STRING) {
    text = static_cast<const char16_t*>(source);
    if (!text) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return 0;
    }
  } else {
    if (!languageServed(languageId)) {
      SetLastError(ERROR_RESOURCE_LANG_NOT_FOUND);
      return 0;
    }
    DWORD error = 0;
    text = findText(flags, source, messageId, error);
    if (!text) {
      SetLastError(error);
      return 0;
    }
  }
  std::u16string out;
  if (!format(text, flags, arguments, out)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (!buffer) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (flags & FORMAT_MESSAGE_ALLOCATE_BUFFER) {
    size_t units = out.size() + 1 > size ? out.size() + 1 : size;
    auto* block = static_cast<LPWSTR>(LocalAlloc(LMEM_FIXED, units * sizeof(WCHAR)));
    if (!block) {
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return 0;
    }
    std::memcpy(block, out.c_str(), (out.size() + 1) * sizeof(WCHAR));
    *reinterpret_cast<LPWSTR*>(buffer) = block;
    return static_cast<DWORD>(out.size());
  }
  if (out.size() + 1 > size) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::memcpy(buffer, out.c_str(), (out.size() + 1) * sizeof(WCHAR));
  return static_cast<DWORD>(out.size());
}

HLOCAL WINAPI LocalAlloc(UINT flags, SIZE_T bytes) {
  size_t n = bytes ? bytes : 1;
  void* block = (flags & LMEM_ZEROINIT) ? std::calloc(1, n) : std::malloc(n);
  if (!block) SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return block;
}

HLOCAL WINAPI LocalFree(HLOCAL block) {
  std::free(block);
  return nullptr;
}
