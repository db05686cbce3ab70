// The 34 languages' own names, as the language menu shows them, for the text samples.
#pragma once

namespace gallery {

inline constexpr const char16_t* languageNames[] = {
    u"English",  // eng
    u"Беларускі",  // bel
    u"Cestina",  // cze
    u"Српски",  // cpn
    u"Deutsch",  // deu
    u"Ελληνικά",  // ell
    u"Français",  // fra
    u"Italiano",  // ita
    u"Magyar",  // hun
    u"Português do Brasil",  // bra
    u"Русский",  // rus
    u"Türkçe",  // tur
    u"简体中文",  // zhs
    u"日本語",  // jpn
    u"한국어",  // kor
    u"عربي (Partial)",  // ara
    u"Bahasa Indonesia (Partial)",  // ind
    u"Български (Partial)",  // bul
    u"繁體中文 (Partial)",  // zht
    u"Dansk (Partial)",  // dan
    u"Eesti (Partial)",  // est
    u"Español (Partial)",  // spa
    u"Hrvatski (Partial)",  // hrv
    u"Nederlands (Partial)",  // nld
    u"فارسی (Partial)",  // per
    u"Polski (Partial)",  // pol
    u"Română (Partial)",  // rom
    u"Srpski (Partial)",  // srp
    u"Slovensky (Partial)",  // slk
    u"Suomeksi (Partial)",  // fin
    u"Svenska (Partial)",  // swe
    u"Українська (Partial)",  // ukr
    u"Vèneto Vec-to (Partial)",  // vec
    u"Việt Nam (Partial)",  // vie
};

}  // namespace gallery
