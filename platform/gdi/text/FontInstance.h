// A logical font made ready to draw: its faces opened at the pixel size the logical font asks for,
// its metrics, the face chosen for each character, and the strings shaped so far. Instances are
// shared by every font object with the same description and live while any uses them or while the
// cache keeps them. Callers hold the drawing lock.
#pragma once

#include "gdi/text/FaceMatcher.h"
#include "gdi/text/ShapedText.h"
#include "gdi/text/SizedFace.h"

#include <win/text.h>

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace platform::gdi::text {

class FontInstance {
 public:
  // The shared instance for a description.
  static std::shared_ptr<FontInstance> forLogFont(const LOGFONTW& font);
  ~FontInstance();
  FontInstance(const FontInstance&) = delete;
  FontInstance& operator=(const FontInstance&) = delete;

  const LOGFONTW& logFont() const { return logFont_; }
  const TEXTMETRICW& metrics() const { return metrics_; }
  bool monochrome() const { return monochrome_; }
  // The family of the face that draws most characters.
  std::u16string faceName() const;
  int underlinePosition() const;
  int underlineThickness() const;

  // The face that draws a character; `previous` keeps combining marks with their base. -1 if none does.
  int faceFor(uint32_t c, int previous);
  SizedFace* face(int index);
  // The string on one line, shaped and cached. `rtl` makes the paragraph right to left.
  const ShapedText& shape(std::u16string_view text, bool rtl);

 private:
  explicit FontInstance(const LOGFONTW& font);
  SizedFace* openFace(size_t index);

  LOGFONTW logFont_{};
  bool monochrome_ = false;
  int pixelSize_ = 0;
  TEXTMETRICW metrics_{};
  std::vector<FaceFile> files_;
  std::vector<std::unique_ptr<SizedFace>> faces_;  // by file, opened on first need
  std::vector<bool> failed_;
  std::unordered_map<uint32_t, int> faceOfChar_;
  std::unordered_map<std::u16string, ShapedText> shaped_;
};

}  // namespace platform::gdi::text
