// Placing and registering the desktop context-menu bridge: the bridge file shipped beside the program
// is moved into the shared "MenuPorter" folder of the system folder and registers itself there; the
// previously registered bridge and the older versions are unregistered and deleted on the way.
#pragma once

namespace s::file {
class IPath;
}

namespace s::shell::server01 {

// Moves `source` into the shared folder and registers it (the first half of "-install"). Answers
// true when the placed bridge was loaded and registered; false when there was nothing to place, the
// move failed or the placed file is not a bridge. Nothing is reported to the user either way.
bool installBridge(s::file::IPath* source);

// Unregisters the bridge file `file` (when it loads and exports the unregistration entry) and deletes
// it. Answers true when the file is gone afterwards; a file in use stays and answers false.
bool removeBridgeFile(s::file::IPath* file);

// removeBridgeFile on each older bridge version, 110 to 117, in the shared folder.
void removeOldBridges();

}  // namespace s::shell::server01
