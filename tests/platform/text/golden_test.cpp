// The look of text, fixed pixel by pixel against pictures kept beside this test: labels in the dialog
// font smoothed and not, bold, underlined prefixes, an ellipsis, wrapped lines, and scripts from right
// to left and of East Asia. Run with VESPER_UPDATE_GOLDEN=1 to write the pictures after a wanted change.
#include "TextCanvas.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using text_test::logFont;
using text_test::TextCanvas;

namespace {

std::string goldenPath(const std::string& name) {
  std::string here = __FILE__;
  return here.substr(0, here.rfind('/')) + "/golden/" + name;
}

bool writePng(const std::string& path, const TextCanvas& canvas) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(canvas.width());
  image.height = static_cast<png_uint_32>(canvas.height());
  image.format = PNG_FORMAT_BGRA;
  std::vector<uint32_t> opaque = canvas.snapshot();
  for (uint32_t& p : opaque) p |= 0xFF000000u;
  return png_image_write_to_file(&image, path.c_str(), 0, opaque.data(), 0, nullptr) != 0;
}

bool readPng(const std::string& path, int* width, int* height, std::vector<uint32_t>* pixels) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_BGRA;
  *width = static_cast<int>(image.width);
  *height = static_cast<int>(image.height);
  pixels->assign(static_cast<size_t>(image.width) * image.height, 0);
  if (!png_image_finish_read(&image, nullptr, pixels->data(), 0, nullptr)) return false;
  for (uint32_t& p : *pixels) p &= 0xFFFFFF;
  return true;
}

void expectLooksLike(const TextCanvas& canvas, const std::string& name) {
  std::string path = goldenPath(name);
  const char* update = std::getenv("VESPER_UPDATE_GOLDEN");
  if (update && std::string(update) == "1") {
    ASSERT_TRUE(writePng(path, canvas)) << path;
    return;
  }
  int width = 0, height = 0;
  std::vector<uint32_t> expected;
  ASSERT_TRUE(readPng(path, &width, &height, &expected)) << "no picture " << path;
  ASSERT_EQ(width, canvas.width());
  ASSERT_EQ(height, canvas.height());
  std::vector<uint32_t> actual = canvas.snapshot();
  size_t differing = 0;
  for (size_t i = 0; i < actual.size(); ++i) differing += actual[i] != expected[i];
  if (differing) writePng(::testing::TempDir() + name, canvas);
  EXPECT_EQ(differing, 0u) << name << " differs; this drawing is in " << ::testing::TempDir() + name;
}

void paintSamples(TextCanvas& canvas, BYTE quality) {
  struct Sample {
    const char16_t* text;
    LONG height;
    LONG weight;
    UINT format;
    RECT box;
  } samples[] = {
      {u"Stand by   &Hibernate   Log off", -11, FW_NORMAL, DT_SINGLELINE, {4, 4, 316, 20}},
      {u"Reboot   Shut down", -12, FW_BOLD, DT_SINGLELINE | DT_NOPREFIX, {4, 22, 316, 40}},
      {u"Shut the computer down and turn the power off", -12, FW_NORMAL,
       DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS, {4, 42, 180, 60}},
      {u"Reboot the computer now, closing every program", -11, FW_NORMAL, DT_WORDBREAK | DT_NOPREFIX,
       {4, 62, 160, 100}},
      {u"عربي (Partial)   فارسی (Partial)", -13, FW_NORMAL, DT_SINGLELINE | DT_NOPREFIX, {4, 102, 316, 122}},
      {u"简体中文  繁體中文  日本語  한국어", -13, FW_NORMAL, DT_SINGLELINE | DT_NOPREFIX, {4, 124, 316, 144}},
      {u"Ελληνικά  Русский  Việt Nam  Türkçe", -13, FW_NORMAL, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX,
       {4, 146, 316, 166}},
  };
  for (const Sample& s : samples) {
    LOGFONTW lf = logFont(s.height, s.weight, quality);
    HFONT font = CreateFontIndirectW(&lf);
    HGDIOBJ old = SelectObject(canvas.dc, font);
    RECT box = s.box;
    DrawTextW(canvas.dc, s.text, -1, &box, s.format);
    SelectObject(canvas.dc, old);
    DeleteObject(font);
  }
}

}  // namespace

TEST(Look, SmoothedText) {
  TextCanvas canvas(320, 170);
  paintSamples(canvas, CLEARTYPE_QUALITY);
  expectLooksLike(canvas, "smoothed.png");
}

TEST(Look, TextWithoutAntialiasing) {
  TextCanvas canvas(320, 170);
  paintSamples(canvas, NONANTIALIASED_QUALITY);
  expectLooksLike(canvas, "aliased.png");
}

TEST(Look, ColouredTextOnColour) {
  TextCanvas canvas(160, 24, logFont(-12));
  canvas.clear(0x202060);
  SetTextColor(canvas.dc, RGB(255, 220, 0));
  RECT box{0, 0, 160, 24};
  DrawTextW(canvas.dc, u"Sleep now", -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  expectLooksLike(canvas, "coloured.png");
}
