// The operating-system version the program runs on, read once per process and kept: the main window
// is offered only on NT 5.1 and 5.2, and the toolkit asks about 6.0 and 6.1 for features that
// changed there.
#pragma once

namespace s::system::vesper {

bool isWindowsXp();
bool isWindowsServer2003();
bool isVistaOrLater();
bool isWindows7OrLater();

}  // namespace s::system::vesper
