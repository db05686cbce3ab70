// The path object on the platform's Win32 file calls. Paths are kept with "/" separators and no
// trailing separator (except the root itself); the executable's own path and folder come from the
// module file name.
#pragma once

#include <cstdint>

#include "base/str/strbuffer/StrBuffer.h"
#include "file/IPath.h"

namespace s::file::win {

class PathWin final : public IPath {
  S_CLASS_NAME(u"s_file_win_PathWin")
  S_POOLED(PathWin)

 public:
  PathWin();
  ~PathWin() override;
  PathWin(const PathWin&) = delete;
  PathWin& operator=(const PathWin&) = delete;

  // The empty path.
  void reset() override;

  // A pooled path holding `text`.
  static PathWin* acquireText(const char16_t* text);
  // The executable's file, and the folder that holds it; null when the system does not tell.
  static PathWin* acquireExecutable();
  static PathWin* acquireExecutableFolder();

  void setText(const char16_t* text, int32_t length = -1) override;
  const char16_t* getText() const override;

  bool exists() const override;
  bool isFolder() const override;
  int64_t getSize() const override;
  bool readAll(s::col::_array::ArrayU08* bytes) const override;
  bool writeAll(const void* bytes, uint32_t count) const override;

  IPath* acquireParent() const override;
  IPath* acquireChild(const char16_t* name) const override;
  bool createFolder() const override;

  // Paths compare by their text.
  int32_t compareTo(const IComparable* other, s::base::IComparator* comparator = nullptr) const override;

 private:
  // Backslashes become "/" and a trailing separator goes (the root keeps its own).
  void normalize();
  // The length of the parent's text, or -1 when there is no parent.
  int32_t parentLength() const;

  // Never empty of its terminator once set; mutable because terminating the text writes to it.
  mutable s::str::strbuffer::StrBuffer text;
};

}  // namespace s::file::win
