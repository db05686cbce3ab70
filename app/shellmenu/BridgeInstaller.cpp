#include "shellmenu/BridgeInstaller.h"

#include <win/environment.h>
#include <win/file.h>
#include <win/shlobj.h>

#include "base/str/strbuffer/StrBuffer.h"
#include "file/IPath.h"
#include "file/win/PathWin.h"
#include "reg/win/RegDir.h"
#include "shellmenu/BridgeKey.h"
#include "system/win/DllLocater.h"

namespace s::shell::server01 {

namespace {

using s::file::win::PathWin;
using s::str::strbuffer::StrBuffer;
using s::system::win::DllLocater;

using EntryPoint = long (*)();

constexpr char16_t kSharedFolder[] = u"MenuPorter";
constexpr char16_t kOldBridges[][24] = {
    u"MenuPorter110.dll", u"MenuPorter111.dll", u"MenuPorter112.dll", u"MenuPorter113.dll",
    u"MenuPorter114.dll", u"MenuPorter115.dll", u"MenuPorter116.dll", u"MenuPorter117.dll",
};

// The system folder followed by "\MenuPorter" and, when given, "\" and `name`; the caller releases it.
StrBuffer* acquireSharedPath(const char16_t* name) {
  WCHAR folder[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathW(nullptr, folder, CSIDL_SYSTEM, FALSE)) return nullptr;
  StrBuffer* path = StrBuffer::acquireJoined(folder, u"\\", kSharedFolder);
  if (path && name) {
    path->appendChar(u'\\');
    path->appendText(name);
  }
  return path;
}

// The last segment of a path ("\" and "/" both separate).
const char16_t* fileNameOf(const char16_t* path) {
  const char16_t* name = path;
  for (const char16_t* c = path; *c; ++c)
    if (*c == u'\\' || *c == u'/') name = c + 1;
  return name;
}

bool fileExists(const char16_t* path) {
  DWORD attributes = GetFileAttributesW(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Calls the module's entry point of that name if it has one; its result is not used.
bool callEntry(DllLocater* module, const char* name) {
  EntryPoint entry = reinterpret_cast<EntryPoint>(module->getProc(name));
  if (!entry) return false;
  entry();
  return true;
}

// The bridge registered before, from "Path" with the environment expanded; the caller releases it.
PathWin* acquireRegisteredBridge() {
  s::reg::win::RegDir* key = s::reg::win::RegDir::acquireKey(s::reg::IRegDir::kCurrentUser, kBridgeKey);
  if (!key) return nullptr;
  PathWin* path = PathWin::acquireText(key->getString(u"Path", u"", nullptr, true));
  key->release();
  return path;
}

// Registers the bridge just placed at `destination`: the previous bridge and the older versions are
// unregistered and removed first. False when it does not load or is not a bridge.
bool registerPlacedBridge(const char16_t* destination) {
  DllLocater* module = DllLocater::acquireFile(destination);
  if (!module) return false;
  bool registered = false;
  if (module->isLoaded() && module->getProc("DllRegisterServer")) {
    PathWin* previous = acquireRegisteredBridge();
    if (previous) {
      removeBridgeFile(previous);
      previous->release();
    }
    removeOldBridges();
    registered = callEntry(module, "DllRegisterServer");
  }
  module->release();
  return registered;
}

}  // namespace

bool installBridge(s::file::IPath* source) {
  if (!source || !fileExists(source->getText())) return false;
  StrBuffer* folder = acquireSharedPath(nullptr);
  if (!folder) return false;
  if (GetFileAttributesW(folder->getText()) == INVALID_FILE_ATTRIBUTES) CreateDirectoryW(folder->getText(), nullptr);
  StrBuffer* destination = StrBuffer::acquireJoined(folder->getText(), u"\\", fileNameOf(source->getText()));
  folder->release();
  if (!destination) return false;
  bool registered = false;
  const DWORD flags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH;
  if (!MoveFileExW(source->getText(), destination->getText(), flags)) {
    // The bridge in place (perhaps loaded by the desktop) stays as it is; the new copy goes.
    DeleteFileW(source->getText());
  } else if (fileExists(destination->getText())) {
    registered = registerPlacedBridge(destination->getText());
  }
  destination->release();
  return registered;
}

bool removeBridgeFile(s::file::IPath* file) {
  if (!file || !fileExists(file->getText())) return false;
  DllLocater* module = DllLocater::acquireFile(file->getText());
  if (module) {
    if (module->isLoaded()) callEntry(module, "DllUnregisterServer");
    module->release();
  }
  // A file still in use stays where it is; nothing is scheduled for a restart.
  if (fileExists(file->getText())) DeleteFileW(file->getText());
  return !fileExists(file->getText());
}

void removeOldBridges() {
  for (const char16_t* name : kOldBridges) {
    StrBuffer* text = acquireSharedPath(name);
    if (!text) continue;
    PathWin* path = PathWin::acquireText(text->getText());
    text->release();
    if (!path) continue;
    removeBridgeFile(path);
    path->release();
  }
}

}  // namespace s::shell::server01
