// The lock that guards the bridge's key across processes: the bridge and every application that
// writes a template take it before a change. The lock key's default value holds the time it was
// taken (0 when free); each claimant adds a sub-key named by its entry number holding "ValidSec",
// how long its claim stays valid. Expired claims are cleared by whoever looks next.
#pragma once

#include <cstdint>

namespace s::shell::server01 {

// Takes the lock for entry `entry`, claiming it for `validSeconds`; waits in steps of 500 ms for as
// long as another valid claim remains (no time-out). Answers true once the lock is held.
bool acquireLock(uint32_t entry, uint32_t validSeconds);

// Withdraws the claim of `entry` and clears the stale claims of others. Answers true (and frees the
// lock) when no valid claim remains; false when another holder's claim is still valid.
bool releaseLock(uint32_t entry);

// The entry number of this process: unique among the processes running at the same time.
uint32_t lockEntryOfThisProcess();

// Writes "LastUpdate", the time of the last change of any template, into the bridge's key.
bool stampLastUpdate();

}  // namespace s::shell::server01
