// Loading a node from a UTF-8 file and saving it to one.
#include "base/col/_array/ArrayU08.h"
#include "file/win/PathWin.h"
#include "xml/Node.h"

namespace s::xml {

bool Node::loadPath(const char16_t* path) {
  s::file::win::PathWin* file = s::file::win::PathWin::acquireText(path);
  if (!file) return false;
  bool ok = load(file);
  file->release();
  return ok;
}

bool Node::load(const s::file::IPath* path) {
  if (!path) return false;
  ArrayU08* bytes = ArrayU08::acquire();
  if (!bytes) return false;
  bool ok = path->readAll(bytes);
  if (ok) parseBytes(bytes);
  bytes->release();
  return ok;
}

bool Node::savePath(const char16_t* path) const {
  s::file::win::PathWin* file = s::file::win::PathWin::acquireText(path);
  if (!file) return false;
  bool ok = save(file);
  file->release();
  return ok;
}

bool Node::save(const s::file::IPath* path) const {
  if (!path) return false;
  s::file::IPath* folder = path->acquireParent();
  if (folder) {
    if (!folder->isFolder()) folder->createFolder();
    folder->release();
  }
  ArrayU08* bytes = toBytes(nullptr, false);
  if (!bytes) return false;
  bool ok = path->writeAll(bytes->data(), bytes->size());
  bytes->release();
  return ok;
}

}  // namespace s::xml
