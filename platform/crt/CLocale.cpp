// One locale object for the whole process; a thread switches to it only around a conversion.
#include "crt/CLocale.h"

namespace platform::crt {

locale_t CLocale::get() {
  static locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  return locale;
}

CLocale::Scope::Scope() : previous_(static_cast<locale_t>(0)) {
  locale_t c = get();
  if (c != static_cast<locale_t>(0)) previous_ = uselocale(c);
}

CLocale::Scope::~Scope() {
  if (previous_ != static_cast<locale_t>(0)) uselocale(previous_);
}

}  // namespace platform::crt
