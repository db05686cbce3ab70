// Where the platform's per-user system folder is, from the environment.
#pragma once

#include <string>

namespace shell {

// The folder in UTF-8: VESPER_SYSTEM_DIR when it is an absolute path (any other value is reported
// once on standard error and the default is used), else $XDG_DATA_HOME/vesper/system, else
// $HOME/.local/share/vesper/system.
std::string systemFolder();

}  // namespace shell
