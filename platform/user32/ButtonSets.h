// The button sets of message boxes: the answers of their buttons from left to right, the captions
// shown on them, the default button a box type names, and the answer Escape gives (0: none).
#pragma once

#include <win/msgbox.h>

namespace platform::user32 {

struct ButtonSet {
  int count = 0;
  int answers[3] = {0, 0, 0};
  int escapeAnswer = 0;
};

class ButtonSets {
 public:
  // False when the type names no known set.
  static bool forType(UINT type, ButtonSet* out);
  // The index of the default button: MB_DEFBUTTONn, or the first when that lies beyond the set.
  static int defaultIndex(UINT type, const ButtonSet& set);
  // The caption of an answer's button, with '&' before its access letter.
  static const char16_t* caption(int answer);
};

}  // namespace platform::user32
