// Shared helpers of the localizer tests: building a localizer from a document text, counting
// listener calls, and keeping the locale environment of the process as it was.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/IObject.h"
#include "gui/events/IEventListener.h"
#include "lang/DefaultLanguage.h"
#include "lang/Localizer.h"
#include "xml/Node.h"

namespace lang_test {

inline std::u16string str(const char16_t* text) { return text ? std::u16string(text) : std::u16string(); }

// ASCII letters as they are and other units as \uXXXX, for failure messages.
inline std::string narrow(const char16_t* text) {
  std::string out;
  for (; text && *text; ++text) {
    if (*text >= 0x20 && *text < 0x7F) {
      out += static_cast<char>(*text);
    } else {
      char code[8];
      std::snprintf(code, sizeof code, "\\u%04X", static_cast<unsigned>(*text));
      out += code;
    }
  }
  return out;
}

// Loads the document into a fresh localizer (without choosing the interface language).
inline s::lang::Localizer* loadDocument(const char16_t* document, bool legacyGlyphs = true) {
  s::lang::Localizer* localizer = s::lang::Localizer::acquire();
  localizer->setLegacyGlyphs(legacyGlyphs);
  s::xml::Node* root = s::xml::Node::acquire();
  root->parse(document);
  localizer->loadFromNode(root);
  root->release();
  return localizer;
}

// The text of `id` in the pack with that tag, or "<none>" when the pack has no such number.
inline std::u16string textIn(s::lang::Localizer* localizer, const char16_t* tag, int32_t id) {
  for (uint32_t i = 0; i < localizer->packCount(); ++i) {
    s::lang::LangPack* pack = localizer->packAt(i);
    if (str(pack->getTagName()->getText()) != tag) continue;
    auto* text = pack->textOf(id);
    return text ? str(text->getText()) : u"<none>";
  }
  return u"<no pack>";
}

class CountingListener : public s::gui::events::IEventListener {
 public:
  int32_t onEvent(s::base::IObject* source, int32_t type) override {
    ++calls;
    lastSource = source;
    lastType = type;
    return 0;
  }
  int calls = 0;
  s::base::IObject* lastSource = nullptr;
  int32_t lastType = -1;
};

// Sets the locale variables for one test and puts the old values and the cached name back after.
class LocaleEnvironment {
 public:
  LocaleEnvironment() {
    for (int i = 0; i < 3; ++i) {
      const char* value = std::getenv(kNames[i]);
      had[i] = value != nullptr;
      if (value) saved[i] = value;
    }
  }
  ~LocaleEnvironment() {
    for (int i = 0; i < 3; ++i) {
      if (had[i])
        setenv(kNames[i], saved[i].c_str(), 1);
      else
        unsetenv(kNames[i]);
    }
    s::lang::DefaultLanguage::refresh();
  }
  // Only LC_ALL and LANG as given (null = unset); LC_MESSAGES is cleared.
  void set(const char* lcAll, const char* lang) {
    if (lcAll) setenv("LC_ALL", lcAll, 1); else unsetenv("LC_ALL");
    if (lang) setenv("LANG", lang, 1); else unsetenv("LANG");
    unsetenv("LC_MESSAGES");
    s::lang::DefaultLanguage::refresh();
  }

 private:
  static constexpr const char* kNames[3] = {"LC_ALL", "LC_MESSAGES", "LANG"};
  bool had[3] = {};
  std::string saved[3];
};

}  // namespace lang_test
