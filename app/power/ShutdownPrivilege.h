// The system shutdown privilege of the own process, which every power action needs enabled. It is
// enabled at most once per process: the first action tries, and whatever the outcome nobody tries
// again.
#pragma once

namespace s::system::vesper {

// Enables the privilege on the first call of the process; later calls do nothing.
void enableShutdownPrivilege();

}  // namespace s::system::vesper
