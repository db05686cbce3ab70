#include "gdi/text/Shaper.h"

#include "gdi/text/FontInstance.h"

#include <fribidi.h>
#include <hb.h>

#include <algorithm>
#include <climits>

namespace platform::gdi::text {

namespace {

struct Run {
  size_t start;  // in code points
  size_t length;
  int face;
  hb_script_t script;
  int level;
};

struct Decoded {
  std::vector<uint32_t> chars;
  std::vector<uint32_t> unitOf;  // the UTF-16 index of each code point
};

Decoded decode(std::u16string_view text) {
  Decoded d;
  d.chars.reserve(text.size());
  d.unitOf.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    uint32_t c = text[i];
    d.unitOf.push_back(static_cast<uint32_t>(i));
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000)
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    else if (c >= 0xD800 && c < 0xE000)
      c = 0xFFFD;  // a lone surrogate draws as the replacement character
    d.chars.push_back(c);
  }
  return d;
}

bool mayBeRightToLeft(const std::vector<uint32_t>& chars) {
  for (uint32_t c : chars)
    if ((c >= 0x0590 && c < 0x0900) || (c >= 0xFB1D && c < 0xFE00) || (c >= 0xFE70 && c < 0xFF00) ||
        (c >= 0x10800 && c < 0x11000) || (c >= 0x1E800 && c < 0x1F000) || (c >= 0x200E && c <= 0x200F) ||
        (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069))
      return true;
  return false;
}

// Embedding levels by the bidirectional algorithm; all zero for text with nothing right to left.
std::vector<int> levelsOf(const std::vector<uint32_t>& chars, bool rtl) {
  std::vector<int> levels(chars.size(), rtl ? 1 : 0);
  if (chars.empty() || (!rtl && !mayBeRightToLeft(chars))) return levels;
  auto n = static_cast<FriBidiStrIndex>(chars.size());
  std::vector<FriBidiCharType> types(chars.size());
  std::vector<FriBidiBracketType> brackets(chars.size());
  std::vector<FriBidiLevel> raw(chars.size());
  const auto* input = reinterpret_cast<const FriBidiChar*>(chars.data());
  fribidi_get_bidi_types(input, n, types.data());
  fribidi_get_bracket_types(input, n, types.data(), brackets.data());
  // Without a forced direction the first strong character decides, as desktop toolkits do.
  FriBidiParType direction = rtl ? FRIBIDI_PAR_RTL : FRIBIDI_PAR_ON;
  if (fribidi_get_par_embedding_levels_ex(types.data(), brackets.data(), n, &direction, raw.data()) == 0)
    return levels;
  for (size_t i = 0; i < chars.size(); ++i) levels[i] = raw[i];
  return levels;
}

std::vector<hb_script_t> scriptsOf(const std::vector<uint32_t>& chars) {
  hb_unicode_funcs_t* unicode = hb_unicode_funcs_get_default();
  std::vector<hb_script_t> scripts(chars.size(), HB_SCRIPT_COMMON);
  hb_script_t last = HB_SCRIPT_INVALID;
  for (size_t i = 0; i < chars.size(); ++i) {
    hb_script_t s = hb_unicode_script(unicode, chars[i]);
    if (s == HB_SCRIPT_COMMON || s == HB_SCRIPT_INHERITED || s == HB_SCRIPT_UNKNOWN) {
      scripts[i] = last;
    } else {
      scripts[i] = s;
      last = s;
    }
  }
  // Neutral characters before the first real script take it.
  hb_script_t next = HB_SCRIPT_COMMON;
  for (size_t i = chars.size(); i-- > 0;) {
    if (scripts[i] == HB_SCRIPT_INVALID) scripts[i] = next;
    else next = scripts[i];
  }
  return scripts;
}

std::vector<Run> runsOf(FontInstance& font, const std::vector<uint32_t>& chars, const std::vector<int>& levels) {
  std::vector<hb_script_t> scripts = scriptsOf(chars);
  std::vector<Run> runs;
  int previous = -1;
  for (size_t i = 0; i < chars.size(); ++i) {
    int face = font.faceFor(chars[i], previous);
    if (face < 0) face = 0;  // nothing draws it: the primary face's missing-glyph box
    previous = face;
    if (!runs.empty() && runs.back().face == face && runs.back().script == scripts[i] &&
        runs.back().level == levels[i]) {
      ++runs.back().length;
    } else {
      runs.push_back(Run{i, 1, face, scripts[i], levels[i]});
    }
  }
  return runs;
}

// Visual order of the runs: from the highest level down to the lowest odd one, every sequence at
// that level or above is reversed.
std::vector<size_t> visualOrder(const std::vector<Run>& runs) {
  std::vector<size_t> order(runs.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  int highest = 0, lowestOdd = INT_MAX;
  for (const Run& r : runs) {
    highest = std::max(highest, r.level);
    if (r.level % 2) lowestOdd = std::min(lowestOdd, r.level);
  }
  for (int level = highest; level >= lowestOdd && level > 0; --level) {
    for (size_t i = 0; i < order.size();) {
      if (runs[order[i]].level < level) {
        ++i;
        continue;
      }
      size_t j = i;
      while (j < order.size() && runs[order[j]].level >= level) ++j;
      std::reverse(order.begin() + static_cast<ptrdiff_t>(i), order.begin() + static_cast<ptrdiff_t>(j));
      i = j;
    }
  }
  return order;
}

}  // namespace

ShapedText Shaper::shape(FontInstance& font, std::u16string_view text, bool rtl) {
  ShapedText out;
  Decoded d = decode(text);
  if (d.chars.empty()) return out;
  std::vector<int> levels = levelsOf(d.chars, rtl);
  std::vector<Run> runs = runsOf(font, d.chars, levels);
  hb_buffer_t* buffer = hb_buffer_create();
  long pen = 0;  // 26.6 pixels
  for (size_t r : visualOrder(runs)) {
    const Run& run = runs[r];
    SizedFace* face = font.face(run.face);
    if (!face) continue;
    hb_buffer_reset(buffer);
    // The whole line goes in as context so that letters join across run boundaries.
    hb_buffer_add_utf32(buffer, d.chars.data(), static_cast<int>(d.chars.size()), static_cast<unsigned>(run.start),
                        static_cast<int>(run.length));
    hb_buffer_set_direction(buffer, run.level % 2 ? HB_DIRECTION_RTL : HB_DIRECTION_LTR);
    hb_buffer_set_script(buffer, run.script);
    hb_buffer_set_language(buffer, hb_language_get_default());
    hb_shape(face->shaper(), buffer, nullptr, 0);
    unsigned count = 0;
    const hb_glyph_info_t* infos = hb_buffer_get_glyph_infos(buffer, &count);
    const hb_glyph_position_t* positions = hb_buffer_get_glyph_positions(buffer, &count);
    for (unsigned i = 0; i < count; ++i) {
      PlacedGlyph g;
      g.face = static_cast<uint16_t>(run.face);
      g.index = infos[i].codepoint;
      long origin = pen + positions[i].x_offset;
      g.x = static_cast<int>((origin + 32) >> 6);
      g.y = static_cast<int>((-positions[i].y_offset + 32) >> 6);
      long advance = positions[i].x_advance + (positions[i].x_advance > 0 ? face->boldExtra() : 0);
      pen += advance;
      g.advance = static_cast<int>((pen + 32) >> 6) - static_cast<int>((origin - positions[i].x_offset + 32) >> 6);
      g.cluster = infos[i].cluster < d.unitOf.size() ? d.unitOf[infos[i].cluster] : 0;
      if (g.index == 0) ++out.missing;
      out.glyphs.push_back(g);
    }
  }
  hb_buffer_destroy(buffer);
  // Ink may reach past the pen at either end; the measured width covers it so nothing drawn is cut.
  int inkLeft = 0, inkRight = static_cast<int>((pen + 32) >> 6);
  for (PlacedGlyph& g : out.glyphs) {
    const GlyphImage& image = font.face(g.face)->glyph(g.index);
    if (image.width == 0 || image.height == 0) continue;
    inkLeft = std::min(inkLeft, g.x + image.left);
    inkRight = std::max(inkRight, g.x + image.left + image.width);
    out.above = std::max(out.above, image.top - g.y);
    out.below = std::max(out.below, image.height - image.top + g.y);
  }
  for (PlacedGlyph& g : out.glyphs) g.x -= inkLeft;
  out.width = inkRight - inkLeft;
  return out;
}

}  // namespace platform::gdi::text
