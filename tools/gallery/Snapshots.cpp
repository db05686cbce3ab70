#include "Snapshots.h"

#include "display/DisplaySelection.h"
#include "display/headless/HeadlessDisplay.h"

#include <cstdio>
#include <cstdlib>

namespace gallery {

void Snapshots::take(const std::string& name) {
  const char* dir = std::getenv("VESPER_SNAPSHOT_DIR");
  auto* display = platform::display::DisplaySelection::headless();
  if (!dir || !*dir || !display) return;
  std::string path = std::string(dir) + "/gallery-" + name + ".png";
  if (display->writeScreenPng(path))
    std::printf("vesper-gallery: wrote %s\n", path.c_str());
  else
    std::fprintf(stderr, "vesper-gallery: could not write %s\n", path.c_str());
}

}  // namespace gallery
