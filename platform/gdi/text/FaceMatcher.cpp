#include "gdi/text/FaceMatcher.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <mutex>
#include <tuple>

#if defined(__SANITIZE_ADDRESS__)
#define VESPER_LEAK_CHECKED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VESPER_LEAK_CHECKED 1
#endif
#endif

#ifdef VESPER_LEAK_CHECKED
// fontconfig loses a few hundred bytes while it parses its configuration files, once a process; a
// leak check should not fail every program that draws text for that.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
#endif

namespace platform::gdi::text {

namespace {

std::string lowerAscii(const std::u16string& name) {
  std::string out;
  for (char16_t c : name) {
    if (c >= 0x80) return std::string();  // a non-ASCII family name is never one of the mapped ones
    out.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
  }
  return out;
}

std::string utf8Of(const std::u16string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    uint32_t c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000)
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

struct Alias {
  const char* windows;
  const char* generic;
};

// Families that Windows programs name and Linux desktops do not have.
const Alias kAliases[] = {
    {"", "sans-serif"},
    {"ms shell dlg", "sans-serif"},
    {"ms shell dlg 2", "sans-serif"},
    {"ms sans serif", "sans-serif"},
    {"microsoft sans serif", "sans-serif"},
    {"tahoma", "sans-serif"},
    {"segoe ui", "sans-serif"},
    {"arial", "sans-serif"},
    {"verdana", "sans-serif"},
    {"system", "sans-serif"},
    {"times new roman", "serif"},
    {"georgia", "serif"},
    {"courier new", "monospace"},
    {"courier", "monospace"},
    {"consolas", "monospace"},
    {"lucida console", "monospace"},
    {"fixedsys", "monospace"},
};

FaceFile faceOf(FcPattern* pattern) {
  FaceFile face;
  FcChar8* value = nullptr;
  if (FcPatternGetString(pattern, FC_FILE, 0, &value) == FcResultMatch) face.path = reinterpret_cast<char*>(value);
  if (FcPatternGetString(pattern, FC_FAMILY, 0, &value) == FcResultMatch)
    face.family = reinterpret_cast<char*>(value);
  FcPatternGetInteger(pattern, FC_INDEX, 0, &face.index);
  FcBool flag = FcFalse;
  if (FcPatternGetBool(pattern, FC_EMBOLDEN, 0, &flag) == FcResultMatch) face.embolden = flag;
  FcMatrix* matrix = nullptr;
  if (FcPatternGetMatrix(pattern, FC_MATRIX, 0, &matrix) == FcResultMatch) face.oblique = matrix->xy != 0;
  FcCharSet* charset = nullptr;
  if (FcPatternGetCharSet(pattern, FC_CHARSET, 0, &charset) == FcResultMatch) face.charset = FcCharSetCopy(charset);
  return face;
}

std::once_flag initialised;

// Copies that share the cached charsets, each copy holding its own reference.
std::vector<FaceFile> copyOf(const std::vector<FaceFile>& faces) {
  std::vector<FaceFile> out = faces;
  for (FaceFile& face : out)
    if (face.charset) face.charset = FcCharSetCopy(face.charset);
  return out;
}

std::vector<FaceFile> sortedFaces(const std::string& family, int w, bool italic) {
  std::call_once(initialised, [] { FcInit(); });
  std::vector<FaceFile> faces;
  FcPattern* request = FcPatternCreate();
  FcPatternAddString(request, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  // An unknown family still gets the desktop's sans-serif rather than whatever fontconfig ranks first.
  if (family != "sans-serif") FcPatternAddString(request, FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
  FcPatternAddInteger(request, FC_WEIGHT, FcWeightFromOpenType(w));
  FcPatternAddInteger(request, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(request, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, request, FcMatchPattern);
  FcDefaultSubstitute(request);
  FcResult result = FcResultNoMatch;
  FcFontSet* sorted = FcFontSort(nullptr, request, FcTrue, nullptr, &result);
  if (sorted) {
    for (int i = 0; i < sorted->nfont; ++i) {
      FcPattern* prepared = FcFontRenderPrepare(nullptr, request, sorted->fonts[i]);
      if (!prepared) continue;
      FaceFile face = faceOf(prepared);
      FcPatternDestroy(prepared);
      if (face.path.empty()) {
        if (face.charset) FcCharSetDestroy(face.charset);
        continue;
      }
      faces.push_back(std::move(face));
    }
    FcFontSetDestroy(sorted);
  }
  FcPatternDestroy(request);
  return faces;
}

}  // namespace

std::string FaceMatcher::familyFor(const std::u16string& windowsName) {
  std::string lower = lowerAscii(windowsName);
  for (const Alias& alias : kAliases)
    if (lower == alias.windows) return alias.generic;
  return utf8Of(windowsName);
}

std::vector<FaceFile> FaceMatcher::match(const std::u16string& windowsName, int weight, bool italic) {
  // Sorting every installed font takes milliseconds, so each request is sorted once a process and
  // every size of the same face reuses the answer.
  static std::mutex lock;
  static auto* cache = new std::map<std::tuple<std::string, int, bool>, std::vector<FaceFile>>();
  std::string family = familyFor(windowsName);
  int w = weight <= 0 ? 400 : std::clamp(weight, 1, 1000);
  std::lock_guard guard(lock);
  auto key = std::make_tuple(family, w, italic);
  auto found = cache->find(key);
  if (found == cache->end()) found = cache->emplace(key, sortedFaces(family, w, italic)).first;
  return copyOf(found->second);
}

void FaceMatcher::release(std::vector<FaceFile>& faces) {
  for (FaceFile& face : faces)
    if (face.charset) FcCharSetDestroy(face.charset);
  faces.clear();
}

}  // namespace platform::gdi::text
