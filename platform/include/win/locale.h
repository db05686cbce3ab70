// The user's interface language as a Windows language identifier (LANGID), taken from the POSIX locale
// of the process, and the macros that build and take apart such identifiers.
#pragma once

#include <win/types.h>

typedef WORD LANGID;

// A language identifier is a primary language in the low 10 bits and a sublanguage in the high 6 bits.
#ifndef MAKELANGID
#define MAKELANGID(primary, sub) (static_cast<WORD>((static_cast<WORD>(sub) << 10) | static_cast<WORD>(primary)))
#endif
#define PRIMARYLANGID(lgid) (static_cast<WORD>(lgid) & 0x3FF)
#define SUBLANGID(lgid) (static_cast<WORD>(lgid) >> 10)

// Primary languages (shared with other headers that may define some of them too).
#ifndef LANG_NEUTRAL
#define LANG_NEUTRAL 0x00
#endif
#define LANG_ARABIC 0x01
#define LANG_BULGARIAN 0x02
#define LANG_CATALAN 0x03
#define LANG_CHINESE 0x04
#define LANG_CZECH 0x05
#define LANG_DANISH 0x06
#define LANG_GERMAN 0x07
#define LANG_GREEK 0x08
#ifndef LANG_ENGLISH
#define LANG_ENGLISH 0x09
#endif
#define LANG_SPANISH 0x0A
#define LANG_FINNISH 0x0B
#define LANG_FRENCH 0x0C
#define LANG_HEBREW 0x0D
#define LANG_HUNGARIAN 0x0E
#define LANG_ICELANDIC 0x0F
#define LANG_ITALIAN 0x10
#define LANG_JAPANESE 0x11
#define LANG_KOREAN 0x12
#define LANG_DUTCH 0x13
#define LANG_NORWEGIAN 0x14
#define LANG_POLISH 0x15
#define LANG_PORTUGUESE 0x16
#define LANG_ROMANIAN 0x18
#define LANG_RUSSIAN 0x19
#define LANG_CROATIAN 0x1A
#define LANG_SERBIAN 0x1A
#define LANG_BOSNIAN 0x1A
#define LANG_SLOVAK 0x1B
#define LANG_ALBANIAN 0x1C
#define LANG_SWEDISH 0x1D
#define LANG_THAI 0x1E
#define LANG_TURKISH 0x1F
#define LANG_URDU 0x20
#define LANG_INDONESIAN 0x21
#define LANG_UKRAINIAN 0x22
#define LANG_BELARUSIAN 0x23
#define LANG_SLOVENIAN 0x24
#define LANG_ESTONIAN 0x25
#define LANG_LATVIAN 0x26
#define LANG_LITHUANIAN 0x27
#define LANG_PERSIAN 0x29
#define LANG_FARSI 0x29
#define LANG_VIETNAMESE 0x2A
#define LANG_ARMENIAN 0x2B
#define LANG_BASQUE 0x2D
#define LANG_UPPER_SORBIAN 0x2E
#define LANG_LOWER_SORBIAN 0x2E
#define LANG_MACEDONIAN 0x2F
#define LANG_GEORGIAN 0x37
#define LANG_HINDI 0x39
#define LANG_MALAY 0x3E
#define LANG_GALICIAN 0x56

// Sublanguages.
#ifndef SUBLANG_NEUTRAL
#define SUBLANG_NEUTRAL 0x00
#endif
#ifndef SUBLANG_DEFAULT
#define SUBLANG_DEFAULT 0x01
#endif
#ifndef SUBLANG_SYS_DEFAULT
#define SUBLANG_SYS_DEFAULT 0x02
#endif
#define SUBLANG_ENGLISH_US 0x01
#define SUBLANG_ENGLISH_UK 0x02
#define SUBLANG_CHINESE_TRADITIONAL 0x01
#define SUBLANG_CHINESE_SIMPLIFIED 0x02
#define SUBLANG_CHINESE_HONGKONG 0x03
#define SUBLANG_CHINESE_SINGAPORE 0x04
#define SUBLANG_CHINESE_MACAU 0x05
#define SUBLANG_PORTUGUESE_BRAZILIAN 0x01
#define SUBLANG_PORTUGUESE 0x02
#define SUBLANG_CROATIAN_CROATIA 0x01
#define SUBLANG_SERBIAN_LATIN 0x02
#define SUBLANG_SERBIAN_CYRILLIC 0x03
#define SUBLANG_CROATIAN_BOSNIA_HERZEGOVINA_LATIN 0x04
#define SUBLANG_BOSNIAN_BOSNIA_HERZEGOVINA_LATIN 0x05
#define SUBLANG_SERBIAN_BOSNIA_HERZEGOVINA_LATIN 0x06
#define SUBLANG_SERBIAN_BOSNIA_HERZEGOVINA_CYRILLIC 0x07
#define SUBLANG_BOSNIAN_BOSNIA_HERZEGOVINA_CYRILLIC 0x08
#define SUBLANG_SERBIAN_SERBIA_LATIN 0x09
#define SUBLANG_SERBIAN_SERBIA_CYRILLIC 0x0A
#define SUBLANG_UPPER_SORBIAN_GERMANY 0x01
#define SUBLANG_LOWER_SORBIAN_GERMANY 0x02

// The interface language of the user: from LC_ALL, else LC_MESSAGES, else LANG (the first one set and
// not empty). "C", "POSIX", no value at all and values that are not locale names give US English
// (0x0409); a known language in an unknown territory gives that language's main identifier; an unknown
// language gives US English. The environment is read on every call.
LANGID WINAPI GetUserDefaultUILanguage();
// The same identifier: the process has one locale, so user, system and formatting language agree.
LANGID WINAPI GetSystemDefaultUILanguage();
LANGID WINAPI GetUserDefaultLangID();
