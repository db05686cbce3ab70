// Whether a file is loaded as a module by some process: Linux lets a mapped file be unlinked or
// replaced, so the file calls ask this to keep the Windows rule that a loaded module stays in place.
#pragma once

#include <sys/stat.h>

namespace platform::kernel::file {

// True when any process whose memory map this user may read has the file (device and inode of
// `info`) mapped executable.
bool isLoadedByAnyProcess(const struct stat& info);

}  // namespace platform::kernel::file
