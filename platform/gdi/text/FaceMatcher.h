// Finds installed font files for a logical font through fontconfig: the face that best matches the
// requested family, weight and slant, and the ordered list of faces to take missing characters from.
// Windows family names map to the desktop's generic families ("MS Shell Dlg 2" draws in sans-serif).
#pragma once

#include <fontconfig/fontconfig.h>

#include <string>
#include <vector>

namespace platform::gdi::text {

// One face of one font file, with the synthetic styling fontconfig asks for when the file lacks it.
struct FaceFile {
  std::string path;
  int index = 0;
  std::string family;
  bool embolden = false;
  bool oblique = false;
  // The characters the face covers (owned), or null when fontconfig did not say.
  FcCharSet* charset = nullptr;
};

class FaceMatcher {
 public:
  // The generic family that stands in for a Windows family name, or the name itself.
  static std::string familyFor(const std::u16string& windowsName);
  // The best face first, then the faces to fall back on, best first; empty when no font is installed.
  static std::vector<FaceFile> match(const std::u16string& windowsName, int weight, bool italic);
  static void release(std::vector<FaceFile>& faces);
};

}  // namespace platform::gdi::text
