// Parsing of POSIX locale names. Anything outside the narrow grammar is rejected rather than guessed at,
// so that a stray value such as a path or a Windows-style name never selects some unrelated language.
#include "kernel/locale/LocaleName.h"

namespace platform::kernel::locale {

namespace {

bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }
char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }
char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

bool allLetters(std::string_view s) {
  for (char c : s)
    if (!isAsciiLetter(c)) return false;
  return true;
}

bool allDigits(std::string_view s) {
  for (char c : s)
    if (!isAsciiDigit(c)) return false;
  return true;
}

// Codesets and modifiers: "UTF-8", "ISO-8859-15", "euro", "latin", "iqtelif".
bool isNameToken(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (!isAsciiLetter(c) && !isAsciiDigit(c) && c != '-' && c != '_') return false;
  return true;
}

}  // namespace

LocaleName::LocaleName(std::string_view text) { valid_ = parse(text); }

bool LocaleName::parse(std::string_view text) {
  std::string_view rest = text;
  size_t at = rest.find('@');
  if (at != std::string_view::npos) {
    std::string_view modifier = rest.substr(at + 1);
    if (!isNameToken(modifier)) return false;
    for (char c : modifier) modifier_.push_back(lower(c));
    rest = rest.substr(0, at);
  }
  size_t dot = rest.find('.');
  if (dot != std::string_view::npos) {
    if (!isNameToken(rest.substr(dot + 1))) return false;
    rest = rest.substr(0, dot);
  }
  if (rest == "C" || rest == "POSIX") {
    portable_ = true;
    return true;
  }
  // The territory follows an underscore; a hyphen is accepted too, as some users write "pt-BR".
  size_t separator = rest.find_first_of("_-");
  std::string_view language = rest.substr(0, separator);
  if (language.size() < 2 || language.size() > 3 || !allLetters(language)) return false;
  if (separator != std::string_view::npos) {
    std::string_view territory = rest.substr(separator + 1);
    // Two letters (a country) or three digits (a region such as 419, Latin America).
    bool country = territory.size() == 2 && allLetters(territory);
    bool region = territory.size() == 3 && allDigits(territory);
    if (!country && !region) return false;
    for (char c : territory) territory_.push_back(upper(c));
  }
  for (char c : language) language_.push_back(lower(c));
  return true;
}

}  // namespace platform::kernel::locale
