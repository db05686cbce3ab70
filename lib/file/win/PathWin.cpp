#include "file/win/PathWin.h"

#include <win/error.h>
#include <win/file.h>

#include <new>

#include "base/col/_array/ArrayU08.h"
#include "base/thread/EasyPooler.h"

namespace s::file::win {

S_POOLED_IMPL(PathWin, s::thread::EasyPooler::kDefaultLimit)

PathWin::PathWin() { reset(); }

PathWin::~PathWin() = default;

void PathWin::reset() { text.freeMemory(); }

PathWin* PathWin::acquireText(const char16_t* value) {
  PathWin* path = acquire();
  if (path) path->setText(value);
  return path;
}

PathWin* PathWin::acquireExecutable() {
  // The module file name may be longer than the classic limit: grow until it fits.
  for (DWORD size = MAX_PATH; size <= 65536; size *= 2) {
    auto* buffer = new (std::nothrow) char16_t[size];
    if (!buffer) return nullptr;
    DWORD got = GetModuleFileNameW(nullptr, buffer, size);
    if (got == 0) {
      delete[] buffer;
      return nullptr;
    }
    if (got < size) {
      PathWin* path = acquire();
      if (path) path->setText(buffer, static_cast<int32_t>(got));
      delete[] buffer;
      return path;
    }
    delete[] buffer;
  }
  return nullptr;
}

PathWin* PathWin::acquireExecutableFolder() {
  PathWin* executable = acquireExecutable();
  if (!executable) return nullptr;
  auto* folder = static_cast<PathWin*>(executable->acquireParent());
  executable->release();
  return folder;
}

void PathWin::setText(const char16_t* value, int32_t length) {
  text.clear();
  if (!value) return;
  text.appendChars(value, length);
  normalize();
}

void PathWin::normalize() {
  uint32_t n = text.length();
  for (uint32_t i = 0; i < n; ++i)
    if (text.charAt(i) == u'\\') *text.charPointer(i) = u'/';
  // A trailing separator names the same folder; the root keeps its one.
  while (n > 1 && text.charAt(n - 1) == u'/') --n;
  text.setLength(n);
}

const char16_t* PathWin::getText() const { return text.getText(); }

bool PathWin::exists() const { return text.length() > 0 && GetFileAttributesW(getText()) != INVALID_FILE_ATTRIBUTES; }

bool PathWin::isFolder() const {
  if (text.length() == 0) return false;
  DWORD attributes = GetFileAttributesW(getText());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

int64_t PathWin::getSize() const {
  if (text.length() == 0) return -1;
  HANDLE file = CreateFileW(getText(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return -1;
  LARGE_INTEGER size;
  BOOL ok = GetFileSizeEx(file, &size);
  CloseHandle(file);
  return ok ? size.QuadPart : -1;
}

bool PathWin::readAll(s::col::_array::ArrayU08* bytes) const {
  if (!bytes) return false;
  bytes->clear();
  if (text.length() == 0) return false;
  HANDLE file = CreateFileW(getText(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size;
  bool ok = GetFileSizeEx(file, &size) != FALSE && size.QuadPart >= 0 && size.QuadPart < 0x7FFFFFFF;
  if (ok && size.QuadPart > 0) {
    // Read what the size promises straight into the array.
    auto expected = static_cast<uint32_t>(size.QuadPart);
    bytes->setSize(expected);
    DWORD got = 0;
    ok = bytes->size() == expected && ReadFile(file, bytes->data(), expected, &got, nullptr) != FALSE;
    bytes->setSize(ok ? got : 0);
  }
  // A file that grew since its size was taken is read to its real end.
  uint8_t chunk[4096];
  while (ok) {
    DWORD got = 0;
    if (!ReadFile(file, chunk, sizeof chunk, &got, nullptr)) {
      ok = false;
      break;
    }
    if (got == 0) break;
    if (bytes->size() + got >= 0x7FFFFFFFu) {
      ok = false;
      break;
    }
    bytes->append(chunk, got);
  }
  CloseHandle(file);
  if (!ok) bytes->clear();
  return ok;
}

bool PathWin::writeAll(const void* bytes, uint32_t count) const {
  if (text.length() == 0 || (!bytes && count > 0)) return false;
  HANDLE file = CreateFileW(getText(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(file, bytes, count, &written, nullptr) != FALSE && written == count;
  ok = SetEndOfFile(file) != FALSE && ok;
  ok = CloseHandle(file) != FALSE && ok;
  return ok;
}

int32_t PathWin::parentLength() const {
  uint32_t found = 0;
  if (!text.lastIndexOf(u'/', &found)) return -1;
  // The root has no parent; "/name" has the root.
  if (found == 0) return text.length() > 1 ? 1 : -1;
  return static_cast<int32_t>(found);
}

IPath* PathWin::acquireParent() const {
  int32_t length = parentLength();
  if (length < 0) return nullptr;
  PathWin* parent = acquire();
  if (parent) parent->setText(text.getChars(), length);
  return parent;
}

IPath* PathWin::acquireChild(const char16_t* name) const {
  PathWin* child = acquire();
  if (!child) return nullptr;
  child->text.appendStr(&text);
  if (text.length() > 0 && text.charAt(text.length() - 1) != u'/') child->text.appendChar(u'/');
  if (name) child->text.appendText(name);
  child->normalize();
  return child;
}

bool PathWin::createFolder() const {
  if (text.length() == 0) return false;
  if (isFolder()) return true;
  if (exists()) return false;
  IPath* parent = acquireParent();
  bool parentReady = !parent || parent->isFolder() || parent->createFolder();
  if (parent) parent->release();
  if (!parentReady) return false;
  CreateDirectoryW(getText(), nullptr);
  // Another process may have made it meanwhile; either way it must be a folder now.
  return isFolder();
}

int32_t PathWin::compareTo(const IComparable* other, s::base::IComparator* comparator) const {
  if (comparator) return IObject::compareTo(other, comparator);
  const auto* that = dynamic_cast<const PathWin*>(other);
  if (!that) return IObject::compareTo(other, nullptr);
  return text.compareTo(&that->text, nullptr);
}

}  // namespace s::file::win
