// Questions about how text would be drawn that the drawing calls do not answer, for checks and tools.
#pragma once

#include <win/gdi.h>

#include <string>

namespace platform::gdi::text {

// The glyphs of `text` on one line in the DC's font that no installed face has (drawn as empty boxes);
// -1 for a bad DC.
int missingGlyphs(HDC dc, const std::u16string& text);

}  // namespace platform::gdi::text
