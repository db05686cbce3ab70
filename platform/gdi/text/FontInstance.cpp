#include "gdi/text/FontInstance.h"

#include "gdi/text/Shaper.h"

#include <win/codepage.h>

#include <hb.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>

namespace platform::gdi::text {

namespace {

// Character height of a logical font that leaves the size to the system.
constexpr int kDefaultPixelSize = 16;
// Shaped strings kept per instance before the cache starts again.
constexpr size_t kShapedLimit = 4096;
// Instances kept after their last font object is gone, so re-made fonts find theirs again.
constexpr size_t kIdleInstanceLimit = 64;

std::u16string faceNameOf(const LOGFONTW& font) {
  size_t n = 0;
  while (n < LF_FACESIZE && font.lfFaceName[n]) ++n;
  return std::u16string(font.lfFaceName, n);
}

// What makes two descriptions draw alike: everything but the per-object flags drawn as lines.
std::u16string keyOf(const LOGFONTW& font) {
  LOGFONTW copy = font;
  copy.lfUnderline = copy.lfUnderline ? 1 : 0;
  copy.lfStrikeOut = copy.lfStrikeOut ? 1 : 0;
  copy.lfItalic = copy.lfItalic ? 1 : 0;
  size_t n = 0;
  while (n < LF_FACESIZE && copy.lfFaceName[n]) ++n;
  for (size_t i = n; i < LF_FACESIZE; ++i) copy.lfFaceName[i] = 0;
  for (size_t i = 0; i < n; ++i)
    if (copy.lfFaceName[i] >= u'A' && copy.lfFaceName[i] <= u'Z') copy.lfFaceName[i] += u'a' - u'A';
  std::u16string key(sizeof(copy) / sizeof(char16_t), u'\0');
  std::memcpy(key.data(), &copy, sizeof(copy));
  return key;
}

// Face names from fontconfig are UTF-8; the platform's own converter turns them into code units.
std::u16string utf16Of(const std::string& utf8) {
  if (utf8.empty()) return {};
  int count = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::u16string out(count > 0 ? static_cast<size_t>(count) : 0, u'\0');
  if (count > 0) {
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), count);
  }
  return out;
}

bool staysWithBase(uint32_t c) {
  if (c == 0x200C || c == 0x200D || (c >= 0xFE00 && c <= 0xFE0F)) return true;
  hb_unicode_general_category_t category = hb_unicode_general_category(hb_unicode_funcs_get_default(), c);
  return category == HB_UNICODE_GENERAL_CATEGORY_NON_SPACING_MARK ||
         category == HB_UNICODE_GENERAL_CATEGORY_SPACING_MARK ||
         category == HB_UNICODE_GENERAL_CATEGORY_ENCLOSING_MARK;
}

}  // namespace

std::shared_ptr<FontInstance> FontInstance::forLogFont(const LOGFONTW& font) {
  static std::map<std::u16string, std::shared_ptr<FontInstance>>* cache =
      new std::map<std::u16string, std::shared_ptr<FontInstance>>();
  std::u16string key = keyOf(font);
  auto found = cache->find(key);
  if (found != cache->end()) return found->second;
  if (cache->size() >= kIdleInstanceLimit) {
    for (auto it = cache->begin(); it != cache->end();)
      it = it->second.use_count() == 1 ? cache->erase(it) : std::next(it);
  }
  std::shared_ptr<FontInstance> made(new FontInstance(font));
  (*cache)[key] = made;
  return made;
}

FontInstance::FontInstance(const LOGFONTW& font) : logFont_(font) {
  monochrome_ = font.lfQuality == NONANTIALIASED_QUALITY;
  files_ = FaceMatcher::match(faceNameOf(font), font.lfWeight, font.lfItalic != 0);
  faces_.resize(files_.size());
  failed_.assign(files_.size(), false);
  long long height = font.lfHeight;
  int requested = height == 0 ? kDefaultPixelSize : static_cast<int>(std::clamp(std::llabs(height), 1LL, 2048LL));
  pixelSize_ = requested;
  SizedFace* primary = openFace(0);
  if (primary && font.lfHeight > 0) {
    // A positive height is the whole cell; the character height is what is left of it.
    pixelSize_ = std::max(1, static_cast<int>(std::lround(requested / primary->cellPerEm())));
    primary->resize(pixelSize_);
  }
  int ascent = primary ? primary->ascent() : pixelSize_;
  int descent = primary ? primary->descent() : pixelSize_ / 4;
  metrics_.tmAscent = ascent;
  metrics_.tmDescent = descent;
  metrics_.tmHeight = ascent + descent;
  metrics_.tmInternalLeading = std::max(0, metrics_.tmHeight - pixelSize_);
  metrics_.tmExternalLeading = 0;
  metrics_.tmAveCharWidth = primary ? primary->averageWidth() : std::max(1, pixelSize_ / 2);
  metrics_.tmMaxCharWidth = primary ? primary->maxWidth() : pixelSize_;
  metrics_.tmWeight = font.lfWeight == 0 ? FW_NORMAL : font.lfWeight;
  metrics_.tmDigitizedAspectX = 96;
  metrics_.tmDigitizedAspectY = 96;
  metrics_.tmFirstChar = 0x20;
  metrics_.tmLastChar = 0xFFFC;
  metrics_.tmDefaultChar = 0x1F;
  metrics_.tmBreakChar = 0x20;
  metrics_.tmItalic = font.lfItalic ? 1 : 0;
  metrics_.tmUnderlined = font.lfUnderline ? 1 : 0;
  metrics_.tmStruckOut = font.lfStrikeOut ? 1 : 0;
  // Windows sets the low bit for variable pitch, the opposite of the logical font's constant.
  metrics_.tmPitchAndFamily = static_cast<BYTE>((font.lfPitchAndFamily & 0xF0) | 0x06);
  metrics_.tmCharSet = font.lfCharSet;
}

FontInstance::~FontInstance() { FaceMatcher::release(files_); }

SizedFace* FontInstance::openFace(size_t index) {
  if (index >= files_.size() || failed_[index]) return nullptr;
  if (!faces_[index]) {
    faces_[index] = SizedFace::open(files_[index], pixelSize_, monochrome_);
    if (!faces_[index]) failed_[index] = true;
  }
  return faces_[index].get();
}

SizedFace* FontInstance::face(int index) { return index < 0 ? nullptr : openFace(static_cast<size_t>(index)); }

std::u16string FontInstance::faceName() const {
  return files_.empty() ? std::u16string() : utf16Of(files_[0].family);
}

int FontInstance::underlinePosition() const {
  return !faces_.empty() && faces_[0] ? faces_[0]->underlinePosition() : std::max(1, metrics_.tmDescent / 2);
}

int FontInstance::underlineThickness() const {
  return !faces_.empty() && faces_[0] ? faces_[0]->underlineThickness() : 1;
}

int FontInstance::faceFor(uint32_t c, int previous) {
  if (previous >= 0 && staysWithBase(c)) {
    SizedFace* base = face(previous);
    if (base && base->hasChar(c)) return previous;
  }
  auto found = faceOfChar_.find(c);
  if (found != faceOfChar_.end()) return found->second;
  int chosen = -1;
  for (size_t i = 0; i < files_.size() && chosen < 0; ++i) {
    // The charset fontconfig reports saves opening faces that cannot help.
    if (i > 0 && files_[i].charset && !FcCharSetHasChar(files_[i].charset, c)) continue;
    SizedFace* candidate = openFace(i);
    if (candidate && candidate->hasChar(c)) chosen = static_cast<int>(i);
  }
  faceOfChar_[c] = chosen;
  return chosen;
}

const ShapedText& FontInstance::shape(std::u16string_view text, bool rtl) {
  std::u16string key;
  key.reserve(text.size() + 1);
  key.push_back(rtl ? u'R' : u'L');
  key.append(text);
  auto found = shaped_.find(key);
  if (found != shaped_.end()) return found->second;
  if (shaped_.size() >= kShapedLimit) shaped_.clear();
  return shaped_.emplace(std::move(key), Shaper::shape(*this, text, rtl)).first->second;
}

}  // namespace platform::gdi::text
