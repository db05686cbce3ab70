// A POSIX locale name taken apart: language[_territory][.codeset][@modifier]. The language is kept in
// lower case, the territory in upper case and the modifier in lower case, so that lookups need not care
// how the user spelled them; the codeset plays no part in choosing a language and is dropped.
#pragma once

#include <string>
#include <string_view>

namespace platform::kernel::locale {

class LocaleName {
 public:
  // Parses `text`; valid() tells whether it was a well-formed locale name at all.
  explicit LocaleName(std::string_view text);

  bool valid() const { return valid_; }
  // "C" and "POSIX" (with or without a codeset, as in "C.UTF-8"): the portable locale.
  bool portable() const { return portable_; }
  const std::string& language() const { return language_; }
  const std::string& territory() const { return territory_; }
  const std::string& modifier() const { return modifier_; }

 private:
  bool parse(std::string_view text);

  bool valid_ = false;
  bool portable_ = false;
  std::string language_;
  std::string territory_;
  std::string modifier_;
};

}  // namespace platform::kernel::locale
