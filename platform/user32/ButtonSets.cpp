#include "user32/ButtonSets.h"

namespace platform::user32 {

namespace {

const ButtonSet kButtonSets[] = {
    {1, {IDOK, 0, 0}, IDOK},                                // MB_OK
    {2, {IDOK, IDCANCEL, 0}, IDCANCEL},                     // MB_OKCANCEL
    {3, {IDABORT, IDRETRY, IDIGNORE}, 0},                   // MB_ABORTRETRYIGNORE
    {3, {IDYES, IDNO, IDCANCEL}, IDCANCEL},                 // MB_YESNOCANCEL
    {2, {IDYES, IDNO, 0}, 0},                               // MB_YESNO
    {2, {IDRETRY, IDCANCEL, 0}, IDCANCEL},                  // MB_RETRYCANCEL
    {3, {IDCANCEL, IDTRYAGAIN, IDCONTINUE}, IDCANCEL},      // MB_CANCELTRYCONTINUE
};

}  // namespace

bool ButtonSets::forType(UINT type, ButtonSet* out) {
  UINT set = type & MB_TYPEMASK;
  if (set >= sizeof kButtonSets / sizeof kButtonSets[0]) return false;
  *out = kButtonSets[set];
  return true;
}

int ButtonSets::defaultIndex(UINT type, const ButtonSet& set) {
  int index = static_cast<int>((type & MB_DEFMASK) >> 8);
  return index < set.count ? index : 0;
}

const char16_t* ButtonSets::caption(int answer) {
  switch (answer) {
    case IDOK: return u"OK";
    case IDCANCEL: return u"Cancel";
    case IDABORT: return u"&Abort";
    case IDRETRY: return u"&Retry";
    case IDIGNORE: return u"&Ignore";
    case IDYES: return u"&Yes";
    case IDNO: return u"&No";
    case IDTRYAGAIN: return u"&Try Again";
    case IDCONTINUE: return u"&Continue";
    default: return u"";
  }
}

}  // namespace platform::user32
