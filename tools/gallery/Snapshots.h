// Named pictures of the screen for the gallery: with VESPER_SNAPSHOT_DIR set and the headless display
// open, each call writes <dir>/gallery-<name>.png of everything visible; otherwise it does nothing.
#pragma once

#include <string>

namespace gallery {

class Snapshots {
 public:
  static void take(const std::string& name);
};

}  // namespace gallery
