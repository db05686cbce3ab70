// Reading a language document into the localizer's packs, and writing the packs back as one.
#include <win/crt.h>

#include "base/col/_array/ArrayU08.h"
#include "base/str/strbuffer/StrBuffer.h"
#include "lang/DefaultLanguage.h"
#include "lang/Localizer.h"
#include "xml/Escaping.h"
#include "xml/Node.h"

namespace s::lang {

namespace {

constexpr char16_t kSmallLWithBar = 0x019A;
constexpr char16_t kSmallLWithStroke = 0x0142;

bool isDigit(char16_t unit) { return unit >= u'0' && unit <= u'9'; }

// The leading decimal digits as a number; a value beyond the 32-bit range stays at its maximum.
int32_t readNumber(const char16_t* text) {
  int64_t value = 0;
  for (; isDigit(*text); ++text) {
    value = value * 10 + (*text - u'0');
    if (value > INT32_MAX) return INT32_MAX;
  }
  return static_cast<int32_t>(value);
}

bool isVenetian(const LangPack* pack) {
  const s::str::strbuffer::StrBuffer* tag = pack->getTagName();
  return tag->length() == 3 && tag->charAt(0) == u'v' && tag->charAt(1) == u'e' && tag->charAt(2) == u'c';
}

}  // namespace

Localizer* Localizer::loadFromResource(HMODULE module, LPCWSTR type, uint16_t id) {
  HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(id), type);
  HGLOBAL data = resource ? LoadResource(module, resource) : nullptr;
  const void* bytes = data ? LockResource(data) : nullptr;
  DWORD size = resource ? SizeofResource(module, resource) : 0;
  if (!bytes || size == 0) {
    // Without a document the localizer simply has no packs; every text is then empty.
    loadFromNode(nullptr);
    return this;
  }
  return loadFromBytes(static_cast<const uint8_t*>(bytes), size);
}

Localizer* Localizer::loadFromBytes(const uint8_t* bytes, uint32_t count) {
  StrBuffer* text = StrBuffer::acquire();
  if (!text) return this;
  if (bytes && count > 0 && count <= 0x7FFFFFFFu) text->fromUtf8(bytes, false, static_cast<int32_t>(count));
  Node* root = Node::acquire();
  if (root) root->parse(text->getText());
  // The tree holds copies of everything it needs, so the decoded document can go at once, before
  // the packs take their share of the heap.
  text->release();
  loadFromTree(root);
  return this;
}

Localizer* Localizer::loadFromText(const char16_t* text) {
  Node* root = Node::acquire();
  if (root && text) root->parse(text);
  loadFromTree(root);
  return this;
}

void Localizer::loadFromTree(Node* root) {
  if (!root) return;
  loadFromNode(root);
  root->release();
  selectByName(defaultLanguageName());
}

void Localizer::loadFromNode(const Node* root) {
  packs.disposeAll();
  current = nullptr;
  if (!root) return;
  if (const Node* languages = root->childByName(u"languages")) loadLanguages(languages);
  if (const Node* entries = root->childByName(u"entries")) loadEntries(entries);
}

void Localizer::loadLanguages(const Node* languages) {
  uint32_t n = languages->childCount();
  for (uint32_t i = 0; i < n; ++i) {
    const Node* entry = languages->getChild(i);
    if (entry->isComment() || !entry->getName() || !entry->nameEquals(u"entry")) continue;
    LangPack* pack = LangPack::acquire();
    if (!pack) return;
    entry->getString(pack->getTagName(), u"tagName", u"");
    entry->getString(pack->getEngName(), u"engName", u"");
    entry->getString(pack->getTrueName(), u"trueName", u"");
    uint32_t before = packs.size();
    packs.appendPointer(pack);
    if (packs.size() == before) {
      pack->release();
      return;
    }
  }
}

void Localizer::loadEntries(const Node* entries) {
  uint32_t packTotal = packs.size();
  if (packTotal == 0) return;
  s::col::_array::ArrayU08* filled = s::col::_array::ArrayU08::acquire();
  if (!filled) return;
  filled->setSize(packTotal);
  if (filled->size() == packTotal) {
    uint32_t n = entries->childCount();
    for (uint32_t i = 0; i < n; ++i) {
      const Node* entry = entries->getChild(i);
      if (entry->isComment() || !entry->getName() || !entry->nameEquals(u"entry")) continue;
      for (uint32_t p = 0; p < packTotal; ++p) filled->set(p, 0);
      loadEntry(entry, filled->data());
    }
  }
  filled->release();
}

int32_t Localizer::packIndexOfTag(const char16_t* tag, uint32_t hint) const {
  uint32_t n = packs.size();
  // Translations usually come in the order of the language list, so the hint mostly hits at once.
  if (hint < n && _wcsicmp(packAt(hint)->getTagName()->getText(), tag) == 0) return static_cast<int32_t>(hint);
  for (uint32_t i = 0; i < n; ++i)
    if (_wcsicmp(packAt(i)->getTagName()->getText(), tag) == 0) return static_cast<int32_t>(i);
  return -1;
}

bool Localizer::addToPack(LangPack* pack, bool numbered, int32_t id, const char16_t* key, StrBuffer* text) {
  if (legacyGlyphs && isVenetian(pack)) {
    for (uint32_t i = 0; i < text->length(); ++i)
      if (text->charAt(i) == kSmallLWithBar) *text->charPointer(i) = kSmallLWithStroke;
  }
  return numbered ? pack->addText(id, text) : pack->addKeyedText(key, -1, text);
}

void Localizer::loadEntry(const Node* entry, uint8_t* filled) {
  const char16_t* key = entry->getRaw(u"id", nullptr);
  // An entry without an id cannot be asked for.
  if (!key) return;
  bool numbered = isDigit(key[0]);
  int32_t id = numbered ? readNumber(key) : 0;
  uint32_t packTotal = packs.size();

  // The fallback belongs to this entry alone: it is its first translation when that one names a
  // listed language, and empty otherwise.
  StrBuffer* fallback = StrBuffer::acquire();
  if (!fallback) return;
  bool firstElement = true;
  uint32_t hint = 0;
  uint32_t n = entry->childCount();
  for (uint32_t i = 0; i < n; ++i) {
    const Node* translation = entry->getChild(i);
    if (translation->isComment() || !translation->getName()) continue;
    bool first = firstElement;
    firstElement = false;
    int32_t index = packIndexOfTag(translation->getName(), hint);
    if (index < 0) continue;
    hint = static_cast<uint32_t>(index) + 1;
    // A second translation for the same language is ignored, so that each pack keeps one text
    // per entry and the packs' numbers stay paired.
    if (filled[index]) continue;
    StrBuffer* text = StrBuffer::acquire();
    if (!text) continue;
    // The element's text, as getString reads it; unescaping never lengthens a text, so one
    // allocation of the stored length is enough.
    if (const s::xml::AttrRecord* run = translation->getAttributes()->firstTextRun()) {
      text->reserveExact(static_cast<uint32_t>(run->valueLength) + 1);
      s::xml::Escaping::appendTextUnescaped(text, run->value, run->valueLength);
    }
    if (first) fallback->setChars(text->getChars(), static_cast<int32_t>(text->length()));
    LangPack* pack = packAt(static_cast<uint32_t>(index));
    if (!numbered && pack->textOfKey(key)) {
      // A key given by an earlier entry keeps its first text.
      text->release();
      filled[index] = 1;
      continue;
    }
    addToPack(pack, numbered, id, key, text);
    filled[index] = 1;
  }

  for (uint32_t p = 0; p < packTotal; ++p) {
    if (filled[p]) continue;
    LangPack* pack = packAt(p);
    if (!numbered && pack->textOfKey(key)) continue;
    StrBuffer* copy = StrBuffer::acquire();
    if (!copy) break;
    copy->setChars(fallback->getChars(), static_cast<int32_t>(fallback->length()));
    addToPack(pack, numbered, id, key, copy);
  }
  fallback->release();
}

Localizer::Node* Localizer::toNode() const {
  Node* root = Node::acquire();
  if (!root) return nullptr;
  root->setName(u"lang");
  Node* languages = root->addChild(u"languages");
  Node* entries = root->addChild(u"entries");
  if (!languages || !entries) {
    root->release();
    return nullptr;
  }
  uint32_t packTotal = packs.size();
  for (uint32_t p = 0; p < packTotal; ++p) {
    LangPack* pack = packAt(p);
    Node* language = languages->addChild(u"entry");
    if (!language) continue;
    language->setString(u"tagName", pack->getTagName()->getText());
    language->setString(u"engName", pack->getEngName()->getText());
    language->setString(u"trueName", pack->getTrueName()->getText());
  }
  if (packTotal == 0) return root;
  const LangPack* first = packAt(0);
  for (uint32_t i = 0; i < first->textCount(); ++i) {
    Node* entry = entries->addChild(u"entry");
    if (!entry) continue;
    entry->setI32(u"id", first->idAt(i));
    for (uint32_t p = 0; p < packTotal; ++p) {
      LangPack* pack = packAt(p);
      // A pack without a tag could never be read back, so it has no translations to write.
      if (pack->getTagName()->length() == 0 || i >= pack->textCount()) continue;
      Node* translation = entry->addChild(pack->getTagName()->getText());
      if (translation) translation->setString(u"", pack->textAt(i)->getText());
    }
  }
  return root;
}

}  // namespace s::lang
