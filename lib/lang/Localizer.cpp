// The localizer's selection, look-ups and listeners.
#include "lang/Localizer.h"

#include <win/crt.h>

#include "base/thread/EasyPooler.h"
#include "gui/events/IEventListener.h"
#include "lang/DefaultLanguage.h"

namespace s::lang {

S_POOLED_IMPL(Localizer, s::thread::EasyPooler::kDefaultLimit)

namespace {

constexpr char16_t kEmptyText[1] = {0};

// The platform presents itself as Windows 5.1, whose fonts have no U+019A.
constexpr bool kDefaultLegacyGlyphs = true;

bool startsWithIgnoreCase(const char16_t* text, const char16_t* prefix) {
  return _wcsnicmp(text, prefix, static_cast<size_t>(lstrlenW(prefix))) == 0;
}

}  // namespace

// The packs go back to their pool with the localizer; listeners are only referred to.
Localizer::Localizer() : packs(LangPack::pool()) { reset(); }

void Localizer::reset() {
  packs.freeMemory();
  current = nullptr;
  listeners.freeMemory();
  legacyGlyphs = kDefaultLegacyGlyphs;
}

LangPack* Localizer::findByEngName(const char16_t* name) const {
  if (!name) return nullptr;
  uint32_t n = packs.size();
  for (uint32_t i = 0; i < n; ++i)
    if (_wcsicmp(packAt(i)->getEngName()->getText(), name) == 0) return packAt(i);
  // A variant of a language stands in for another: the first named fits before the second.
  static constexpr const char16_t* kVariants[][3] = {
      {u"Chinese", u"CHINESE_SIMPLIFIED", u"CHINESE_TRADITIONAL"},
      {u"Portuguese", u"PORTUGUESE_BRAZILIAN", u"PORTUGUESE_PORTUGAL"},
      {u"Serbian", u"SERBIAN_CYRILLIC", u"SERBIAN_LATIN"},
  };
  for (const auto& variant : kVariants) {
    if (!startsWithIgnoreCase(name, variant[0])) continue;
    for (uint32_t choice = 1; choice < 3; ++choice)
      for (uint32_t i = 0; i < n; ++i)
        if (_wcsicmp(packAt(i)->getEngName()->getText(), variant[choice]) == 0) return packAt(i);
    return nullptr;
  }
  return nullptr;
}

LangPack* Localizer::getCurrent() {
  if (!current && packs.size() > 0) {
    // The initial choice is not a change anybody has to hear about.
    current = findByEngName(defaultLanguageName());
    if (!current) current = packAt(0);
  }
  return current;
}

void Localizer::makeCurrent(LangPack* pack) {
  if (!pack || pack == current) return;
  current = pack;
  // A listener may add listeners while it is told; they are told too.
  for (uint32_t i = 0; i < listeners.size(); ++i)
    static_cast<IEventListener*>(listeners.get(i))->onEvent(this, 0);
}

void Localizer::selectByName(const char16_t* name) {
  LangPack* now = getCurrent();
  if (!now) return;
  if (name && _wcsicmp(now->getEngName()->getText(), name) == 0) return;
  LangPack* pack = findByEngName(name);
  if (!pack) pack = findByEngName(u"English");
  if (!pack) pack = packAt(0);
  makeCurrent(pack);
}

void Localizer::selectByIndex(uint32_t index) {
  if (index >= packs.size()) return;
  makeCurrent(packAt(index));
}

const char16_t* Localizer::text(int32_t id) {
  LangPack* pack = getCurrent();
  StrBuffer* found = pack ? pack->textOf(id) : nullptr;
  return found ? found->getText() : kEmptyText;
}

const char16_t* Localizer::textOfKey(const char16_t* key) {
  LangPack* pack = getCurrent();
  StrBuffer* found = pack ? pack->textOfKey(key) : nullptr;
  return found ? found->getText() : kEmptyText;
}

void Localizer::addListener(IEventListener* listener) {
  if (listener) listeners.appendPointer(listener);
}

}  // namespace s::lang
