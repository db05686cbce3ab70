// The C locale as a locale object, so that numbers are formatted and parsed with a decimal point
// whatever locale the process has selected.
#pragma once

#include <locale.h>

namespace platform::crt {

class CLocale {
 public:
  // The process-wide C locale object, created on first use; (locale_t)0 if it could not be created.
  static locale_t get();

  // Makes the C locale the calling thread's locale for the lifetime of the scope.
  class Scope {
   public:
    Scope();
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    locale_t previous_;
  };
};

}  // namespace platform::crt
