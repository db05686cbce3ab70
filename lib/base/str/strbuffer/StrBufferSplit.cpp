// Cutting the string buffer into pieces: by a separator unit, and into distinct words.
#include "base/str/strarray/StrArray.h"
#include "base/str/strbuffer/StrBuffer.h"

namespace s::str::strbuffer {

using s::str::strarray::StrArray;

namespace {

// Words that a filtered split drops when they end the text.
constexpr const char16_t* kStopWords[] = {u"the", u"of", u"and"};

// Separators are the units 0-255 other than "%", "+", "-", digits and ASCII letters, and the CJK
// punctuation and brackets below.
bool isWordSeparator(char16_t u) {
  if (u <= 255) {
    if (u == u'%' || u == u'+' || u == u'-') return false;
    if ((u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z')) return false;
    return true;
  }
  return (u >= 0x3000 && u <= 0x3002) || u == 0x300C || u == 0x300D || u == 0x3010 || u == 0x3011 ||
         u == 0xFF08 || u == 0xFF09;
}

bool isStopWord(const StrBuffer* word) {
  for (const char16_t* stop : kStopWords)
    if (word->regionMatchesIgnoreCase(0, stop, 0, -1)) return true;
  return false;
}

// Adds the word unless the array already holds it (A-Z folded); a final stop word is dropped when
// filtering.
void collectWord(StrArray* words, StrBuffer* word, bool isFinal, bool filter) {
  if ((isFinal && filter && isStopWord(word)) || words->containsIgnoreCase(word)) {
    word->release();
    return;
  }
  words->add(word);
}

}  // namespace

StrArray* StrBuffer::split(char16_t unit) const {
  StrArray* pieces = StrArray::acquire();
  if (!pieces) return nullptr;
  uint32_t start = 0;
  for (uint32_t i = 0; i <= unitCount; ++i) {
    if (i < unitCount && chars[i] != unit) continue;
    if (i > start) pieces->add(substring(start, i));
    start = i + 1;
  }
  return pieces;
}

StrArray* StrBuffer::splitWords(bool filter) const {
  StrArray* words = StrArray::acquire();
  if (!words) return nullptr;
  // A word is held back until the next one is found, so the last word is known to be final.
  StrBuffer* pending = nullptr;
  uint32_t i = 0;
  while (i < unitCount) {
    while (i < unitCount && isWordSeparator(chars[i])) ++i;
    if (i == unitCount) break;
    uint32_t start = i;
    while (i < unitCount && !isWordSeparator(chars[i])) ++i;
    if (pending) collectWord(words, pending, false, filter);
    pending = substring(start, i);
  }
  if (pending) collectWord(words, pending, true, filter);
  return words;
}

}  // namespace s::str::strbuffer
