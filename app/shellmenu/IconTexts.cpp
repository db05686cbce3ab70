#include "shellmenu/IconTexts.h"

#include <win/file.h>
#include <win/shlobj.h>

#include "base/str/strbuffer/StrBuffer.h"
#include "reg/win/RegDir.h"
#include "shellmenu/BridgeKey.h"

namespace s::shell::server01 {

namespace {

using s::str::strbuffer::StrBuffer;

constexpr int32_t kBridgeIconCount = 40;

struct IconCache {
  bool bridgeBuilt = false;
  StrBuffer bridge[kBridgeIconCount];
  bool folderRead = false;
  StrBuffer systemFolder;
  StrBuffer systemShell;  // the last text answered
};

IconCache& cache() {
  static IconCache* icons = new IconCache();
  return *icons;
}

void buildBridgeIcons(IconCache& icons) {
  s::reg::win::RegDir* key = s::reg::win::RegDir::acquireKey(s::reg::IRegDir::kCurrentUser, kBridgeKey);
  const char16_t* path = key ? key->getString(u"Path", u"", nullptr, true) : u"";
  for (int32_t n = 0; n < kBridgeIconCount; ++n) {
    StrBuffer& text = icons.bridge[n];
    text.clear();
    text.appendText(path);
    text.appendChar(u',');
    text.appendS64(n);
  }
  if (key) key->release();
  icons.bridgeBuilt = true;
}

}  // namespace

const char16_t* bridgeIcon(int32_t n) {
  if (n < 0 || n >= kBridgeIconCount) return nullptr;
  IconCache& icons = cache();
  if (!icons.bridgeBuilt) buildBridgeIcons(icons);
  return icons.bridge[n].getText();
}

const char16_t* systemShellIcon(int32_t n) {
  IconCache& icons = cache();
  if (!icons.folderRead) {
    WCHAR folder[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, folder, CSIDL_SYSTEM, FALSE)) folder[0] = 0;
    icons.systemFolder.clear();
    icons.systemFolder.appendText(folder);
    icons.folderRead = true;
  }
  StrBuffer& text = icons.systemShell;
  text.clear();
  text.appendText(icons.systemFolder.getText());
  text.appendText(u"\\shell32.dll,");
  text.appendS64(n);
  return text.getText();
}

void forgetIconTexts() {
  IconCache& icons = cache();
  icons.bridgeBuilt = false;
  for (StrBuffer& text : icons.bridge) text.clear();
  icons.folderRead = false;
  icons.systemFolder.clear();
  icons.systemShell.clear();
}

}  // namespace s::shell::server01
