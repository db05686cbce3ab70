#include "gdi/text/ShapedText.h"

#include <algorithm>
#include <climits>

namespace platform::gdi::text {

bool ShapedText::span(uint32_t first, uint32_t last, int* left, int* right) const {
  // A ligature holds several characters under its first one's cluster, so the character's cluster is
  // the largest cluster that does not start after it.
  uint32_t cluster = 0;
  bool found = false;
  for (const PlacedGlyph& g : glyphs)
    if (g.cluster <= first && (!found || g.cluster > cluster)) {
      cluster = g.cluster;
      found = true;
    }
  if (!found) return false;
  int l = INT_MAX, r = INT_MIN;
  for (const PlacedGlyph& g : glyphs)
    if (g.cluster == cluster || (g.cluster > first && g.cluster < last)) {
      l = std::min(l, g.x);
      r = std::max(r, g.x + g.advance);
    }
  if (l >= r) return false;
  *left = l;
  *right = r;
  return true;
}

}  // namespace platform::gdi::text
