// Every language the program ships draws with real glyphs: each native language name, and every
// character of every text in the language packs, has a face that draws it.
#include "TextCanvas.h"

#include "gdi/text/TextProbe.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

using text_test::logFont;
using text_test::TextCanvas;

namespace {

std::string packText() {
  std::string here = __FILE__;
  std::string root = here.substr(0, here.rfind("/tests/"));
  std::ifstream in(root + "/resources/lang/main.xml", std::ios::binary);
  std::stringstream all;
  all << in.rdbuf();
  return all.str();
}

std::u16string utf16Of(const std::string& utf8) {
  std::u16string out;
  for (size_t i = 0; i < utf8.size();) {
    auto b = static_cast<unsigned char>(utf8[i]);
    size_t extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
    uint32_t c = extra ? (b & (0x3F >> extra)) : b;
    for (size_t k = 1; k <= extra && i + k < utf8.size(); ++k) c = (c << 6) | (utf8[i + k] & 0x3F);
    i += extra + 1;
    if (c >= 0x10000) {
      c -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(c));
    }
  }
  return out;
}

std::string hex(const std::u16string& text) {
  std::ostringstream out;
  for (char16_t c : text) out << std::hex << static_cast<int>(c) << ' ';
  return out.str();
}

}  // namespace

TEST(Languages, EveryNativeLanguageNameHasAllItsGlyphs) {
  std::string pack = packText();
  ASSERT_FALSE(pack.empty());
  std::regex entry("trueName=\"([^\"]*)\"");
  int names = 0;
  for (LONG height : {-11, -12, -13, -15}) {
    for (LONG weight : {FW_NORMAL, FW_BOLD}) {
      TextCanvas canvas(10, 10, logFont(height, weight));
      for (auto it = std::sregex_iterator(pack.begin(), pack.end(), entry); it != std::sregex_iterator(); ++it) {
        std::u16string name = utf16Of((*it)[1].str());
        EXPECT_EQ(platform::gdi::text::missingGlyphs(canvas.dc, name), 0) << hex(name);
        ++names;
      }
    }
  }
  EXPECT_GT(names, 0);
}

TEST(Languages, EveryCharacterOfThePacksHasAGlyph) {
  std::u16string all = utf16Of(packText());
  std::set<std::u16string> characters;
  for (size_t i = 0; i < all.size(); ++i) {
    if (all[i] < 0x20) continue;
    size_t units = (all[i] >= 0xD800 && all[i] < 0xDC00) ? 2 : 1;
    characters.insert(all.substr(i, units));
    i += units - 1;
  }
  TextCanvas canvas(10, 10, logFont(-11));
  for (const std::u16string& c : characters)
    EXPECT_EQ(platform::gdi::text::missingGlyphs(canvas.dc, c), 0) << hex(c);
}

TEST(Languages, ACharacterNoFaceHasIsReportedMissing) {
  TextCanvas canvas(10, 10, logFont(-11));
  // A private-use character: no installed face is expected to draw it.
  EXPECT_EQ(platform::gdi::text::missingGlyphs(canvas.dc, u"a\U000F0000b"), 1);
}
