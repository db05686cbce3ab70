// The set of language packs read from one language document, with the language currently chosen.
// User-interface code asks it for texts by number; windows register as listeners and are told when
// another language is chosen, so that they can reload their texts.
#pragma once

#include <win/resource.h>

#include <cstdint>

#include "base/IObject.h"
#include "base/col/_array/ArrayP.h"
#include "base/thread/IPoolable.h"
#include "lang/LangPack.h"

namespace s::gui::events {
class IEventListener;
}
namespace s::xml {
class Node;
}

namespace s::lang {

class Localizer : public s::base::IObject, public s::thread::IPoolable {
  S_CLASS_NAME(u"s_lang_Localizer")
  S_POOLED(Localizer)

 public:
  using IEventListener = s::gui::events::IEventListener;
  using Node = s::xml::Node;
  using StrBuffer = s::str::strbuffer::StrBuffer;
  using IObject::destroy;

  Localizer();
  Localizer(const Localizer&) = delete;
  Localizer& operator=(const Localizer&) = delete;

  // No packs, no current pack, no listeners (they are not owned and are simply forgotten).
  void reset() override;

  // Reads the document from the module's resource (type, integer id), loads it and selects the
  // user's interface language. A missing resource leaves the localizer without packs. Answers this.
  Localizer* loadFromResource(HMODULE module, LPCWSTR type, uint16_t id);
  // The same from a document in UTF-8 bytes.
  Localizer* loadFromBytes(const uint8_t* bytes, uint32_t count);
  // The same from a document in UTF-16 text.
  Localizer* loadFromText(const char16_t* text);
  // Replaces the packs with those of the document under `root`; the current pack is unset again.
  void loadFromNode(const Node* root);
  // The whole localizer as a document: every pack with a text for every numbered entry. The caller
  // releases the node; null when memory runs out.
  Node* toNode() const;

  uint32_t packCount() const { return packs.size(); }
  LangPack* packAt(uint32_t i) const { return static_cast<LangPack*>(packs.get(i)); }
  // The pack of that English name (ASCII case ignored), with the Chinese, Portuguese and Serbian
  // variants standing in for one another; null when none fits.
  LangPack* findByEngName(const char16_t* name) const;
  // Makes the pack of that name current, else English, else the first pack; listeners hear of a
  // change.
  void selectByName(const char16_t* name);
  // Makes the pack at `index` current; an index out of range is ignored.
  void selectByIndex(uint32_t index);
  // The current pack, chosen by the interface language (else the first pack) when none is; null
  // only when there are no packs.
  LangPack* getCurrent();
  // The current pack's text of that number, or the empty text. The pack owns the text.
  const char16_t* text(int32_t id);
  // The current pack's text of that key, or the empty text.
  const char16_t* textOfKey(const char16_t* key);

  // Appends a listener (not owned); it receives (this localizer, 0) whenever the pack changes.
  void addListener(IEventListener* listener);
  uint32_t listenerCount() const { return listeners.size(); }

  // Whether the system's fonts lack U+019A, so that Venetian texts use U+0142 in its place
  // (Windows before 6.0). Takes effect for texts loaded afterwards.
  void setLegacyGlyphs(bool legacy) { legacyGlyphs = legacy; }
  bool hasLegacyGlyphs() const { return legacyGlyphs; }

 private:
  // Loads the packs from a parsed document, gives the tree back and selects the interface language;
  // a null root (no memory for it) leaves the localizer as it was.
  void loadFromTree(Node* root);
  // Makes `pack` current and tells the listeners, when it is not current already.
  void makeCurrent(LangPack* pack);
  // Reads the `languages` list into new packs.
  void loadLanguages(const Node* languages);
  // Reads the `entries` list, giving each pack one text per entry.
  void loadEntries(const Node* entries);
  // Adds one entry's translations to the packs; `filled` marks the packs that received one.
  void loadEntry(const Node* entry, uint8_t* filled);
  // The pack whose tag is the element's name (ASCII case ignored), trying `hint` first.
  int32_t packIndexOfTag(const char16_t* tag, uint32_t hint) const;
  // Adds (id or key, text) to the pack, applying the Venetian glyph rule; takes ownership of text.
  bool addToPack(LangPack* pack, bool numbered, int32_t id, const char16_t* key, StrBuffer* text);

  s::col::_array::ArrayP packs;
  LangPack* current = nullptr;
  s::col::_array::ArrayP listeners;
  bool legacyGlyphs = true;
};

}  // namespace s::lang
