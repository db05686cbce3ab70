#include "xml/Escaping.h"

namespace s::xml {

namespace {

int32_t unitCount(const char16_t* text, int32_t length) {
  if (!text) return 0;
  if (length >= 0) return length;
  int32_t n = 0;
  while (text[n] != 0) ++n;
  return n;
}

// True when the `length` units from `at` start with the NUL-terminated `entity`.
bool startsWith(const char16_t* at, int32_t length, const char16_t* entity) {
  int32_t i = 0;
  for (; entity[i] != 0; ++i)
    if (i >= length || at[i] != entity[i]) return false;
  return true;
}

int32_t lengthOf(const char16_t* entity) {
  int32_t n = 0;
  while (entity[n] != 0) ++n;
  return n;
}

struct Entity {
  const char16_t* text;
  char16_t unit;
  bool whiteSpace;  // its result is protected from the final trimming
};

constexpr Entity kAttributeEntities[] = {
    {u"&amp;", u'&', false}, {u"&lt;", u'<', false},  {u"&quot;", u'"', false},
    {u"&#13;", u'\r', false}, {u"&#10;", u'\n', false},
};

constexpr Entity kTextEntities[] = {
    {u"&amp;", u'&', false},  {u"&lt;", u'<', false},   {u"&gt;", u'>', false},
    {u"&#160;", u' ', true},  {u"&#13;", u'\r', true}, {u"&#10;", u'\n', true},
};

// Decodes value[from..length) with the given entities; returns the output length reached just
// after the last white-space entity (or `floor` when there was none).
template <size_t N>
uint32_t decode(Escaping::StrBuffer* out, const char16_t* value, int32_t from, int32_t length,
                const Entity (&entities)[N], uint32_t floor) {
  uint32_t protectedLength = floor;
  int32_t i = from;
  while (i < length) {
    // Copy the plain stretch up to the next "&" in one go.
    int32_t start = i;
    while (i < length && value[i] != u'&') ++i;
    if (i > start) out->appendChars(value + start, i - start);
    if (i >= length) break;
    const Entity* found = nullptr;
    for (const Entity& entity : entities) {
      if (startsWith(value + i, length - i, entity.text)) {
        found = &entity;
        break;
      }
    }
    if (!found) {
      out->appendChar(u'&');
      ++i;
      continue;
    }
    out->appendChar(found->unit);
    i += lengthOf(found->text);
    if (found->whiteSpace) protectedLength = out->length();
  }
  return protectedLength;
}

}  // namespace

void Escaping::appendAttributeEscaped(StrBuffer* out, const char16_t* text, int32_t length) {
  int32_t n = unitCount(text, length);
  for (int32_t i = 0; i < n; ++i) {
    switch (text[i]) {
      case u'\n': out->appendAscii("&#10;"); break;
      case u'\r': out->appendAscii("&#13;"); break;
      case u'"': out->appendAscii("&quot;"); break;
      case u'&': out->appendAscii("&amp;"); break;
      case u'<': out->appendAscii("&lt;"); break;
      default: out->appendChar(text[i]);
    }
  }
}

void Escaping::appendTextEscaped(StrBuffer* out, const char16_t* text, int32_t length) {
  int32_t n = unitCount(text, length);
  for (int32_t i = 0; i < n; ++i) {
    switch (text[i]) {
      case u'\n': out->appendAscii("&#10;"); break;
      case u'\r': out->appendAscii("&#13;"); break;
      case u'&': out->appendAscii("&amp;"); break;
      case u'<': out->appendAscii("&lt;"); break;
      case u'>': out->appendAscii("&gt;"); break;
      case u' ': out->appendAscii("&#160;"); break;
      default: out->appendChar(text[i]);
    }
  }
}

void Escaping::appendAttributeUnescaped(StrBuffer* out, const char16_t* value, int32_t length) {
  decode(out, value, 0, unitCount(value, length), kAttributeEntities, 0);
}

void Escaping::appendTextUnescaped(StrBuffer* out, const char16_t* value, int32_t length) {
  int32_t n = unitCount(value, length);
  int32_t i = 0;
  while (i < n && (value[i] == u' ' || value[i] == u'\t' || value[i] == u'\n' || value[i] == u'\r')) ++i;
  // What the target held before is never trimmed away.
  uint32_t keep = decode(out, value, i, n, kTextEntities, out->length());
  out->trimRightKeeping(keep);
}

}  // namespace s::xml
