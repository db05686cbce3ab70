#include "kernel/process/ProcFs.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace platform::kernel::process {

namespace {

std::string procPath(pid_t pid, const char* leaf) {
  return "/proc/" + std::to_string(pid) + "/" + leaf;
}

// One line of /proc/<pid>/maps that names a file.
struct MapLine {
  uintptr_t start = 0;
  uintptr_t end = 0;
  bool executable = false;
  std::string path;
};

bool parseMapLine(const std::string& line, MapLine& out) {
  unsigned long start = 0, end = 0;
  char perms[8] = {};
  int consumed = 0;
  // address perms offset dev inode, then the path after blanks.
  if (std::sscanf(line.c_str(), "%lx-%lx %7s %*x %*s %*u %n", &start, &end, perms, &consumed) < 3) return false;
  if (consumed <= 0 || static_cast<size_t>(consumed) >= line.size()) return false;
  std::string path = line.substr(static_cast<size_t>(consumed));
  // Only real files have absolute paths; [heap], [stack], [vdso] and anonymous maps do not.
  if (path.empty() || path[0] != '/') return false;
  out.start = start;
  out.end = end;
  out.executable = std::strchr(perms, 'x') != nullptr;
  out.path = path;
  return true;
}

std::vector<MapLine> readMaps(pid_t pid) {
  std::vector<MapLine> lines;
  std::ifstream in(procPath(pid, "maps"));
  std::string line;
  while (std::getline(in, line)) {
    MapLine parsed;
    if (parseMapLine(line, parsed)) lines.push_back(std::move(parsed));
  }
  return lines;
}

}  // namespace

std::vector<pid_t> ProcFs::processIds() {
  std::vector<pid_t> ids;
  DIR* dir = ::opendir("/proc");
  if (!dir) return ids;
  while (dirent* entry = ::readdir(dir)) {
    const char* name = entry->d_name;
    if (*name < '1' || *name > '9') continue;
    char* end = nullptr;
    long value = std::strtol(name, &end, 10);
    if (*end == 0 && value > 0 && value <= 0x7FFFFFFF) ids.push_back(static_cast<pid_t>(value));
  }
  ::closedir(dir);
  std::sort(ids.begin(), ids.end());
  return ids;
}

bool ProcFs::readStatus(pid_t pid, ProcessStatus& status) {
  std::ifstream in(procPath(pid, "stat"));
  std::string line;
  if (!std::getline(in, line)) return false;
  // "pid (command) state ppid ..."; the command may hold blanks and parentheses, so the last ")" ends it.
  size_t open = line.find('(');
  size_t close = line.rfind(')');
  if (open == std::string::npos || close == std::string::npos || close < open) return false;
  status.command = line.substr(open + 1, close - open - 1);
  std::istringstream rest(line.substr(close + 1));
  std::string field;
  std::vector<std::string> fields;  // fields[0] is field 3 (state)
  while (fields.size() < 18 && rest >> field) fields.push_back(field);
  if (fields.size() < 18) return false;
  status.parent = static_cast<pid_t>(std::strtol(fields[1].c_str(), nullptr, 10));
  status.nice = static_cast<int>(std::strtol(fields[16].c_str(), nullptr, 10));
  status.threads = static_cast<uint32_t>(std::strtoul(fields[17].c_str(), nullptr, 10));
  return true;
}

bool ProcFs::owner(pid_t pid, uid_t& uid) {
  struct stat info {};
  if (::stat(procPath(pid, "").c_str(), &info) != 0) return false;
  uid = info.st_uid;
  return true;
}

int ProcFs::executable(pid_t pid, std::string& path) {
  std::string link = procPath(pid, "exe");
  std::vector<char> buffer(256);
  for (;;) {
    ssize_t got = ::readlink(link.c_str(), buffer.data(), buffer.size());
    if (got < 0) return errno;
    if (static_cast<size_t>(got) < buffer.size()) {
      path.assign(buffer.data(), static_cast<size_t>(got));
      return 0;
    }
    if (buffer.size() >= 65536) return ENAMETOOLONG;
    buffer.resize(buffer.size() * 2);
  }
}

std::vector<MappedFile> ProcFs::executableMappings(pid_t pid) {
  std::vector<MapLine> lines = readMaps(pid);
  std::vector<MappedFile> files;
  for (const MapLine& line : lines) {
    if (!line.executable) continue;
    auto known = std::find_if(files.begin(), files.end(), [&](const MappedFile& f) { return f.path == line.path; });
    if (known == files.end()) files.push_back(MappedFile{line.path, line.start, line.end});
  }
  // The whole extent of each file, not only its executable part.
  for (const MapLine& line : lines) {
    for (MappedFile& file : files) {
      if (file.path != line.path) continue;
      file.base = std::min(file.base, line.start);
      file.end = std::max(file.end, line.end);
    }
  }
  return files;
}

MappedFile ProcFs::mappingOf(pid_t pid, const std::string& path) {
  MappedFile file{path, 0, 0};
  for (const MapLine& line : readMaps(pid)) {
    if (line.path != path) continue;
    if (file.base == 0 || line.start < file.base) file.base = line.start;
    if (line.end > file.end) file.end = line.end;
  }
  return file;
}

}  // namespace platform::kernel::process
