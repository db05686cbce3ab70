#include "shellmenu/MenuLock.h"

#include <win/process.h>
#include <win/thread.h>

#include "base/col/_array/ArrayP.h"
#include "base/str/strbuffer/StrBuffer.h"
#include "reg/win/RegDir.h"
#include "shellmenu/BridgeKey.h"
#include "shellmenu/UnixTime.h"

namespace s::shell::server01 {

namespace {

using s::reg::IRegDir;
using s::reg::win::RegDir;
using s::str::strbuffer::StrBuffer;

// A claim that names no validity of its own counts for this long.
constexpr uint32_t kDefaultValidSeconds = 5;
constexpr uint32_t kRetryMilliseconds = 500;

// A key object on Lock\<entry>; the caller releases it.
RegDir* acquireEntryKey(uint32_t entry) {
  StrBuffer* path = StrBuffer::acquireText(kLockKey);
  if (!path) return nullptr;
  path->appendChar(u'\\');
  path->appendU32(entry);
  RegDir* key = RegDir::acquireKey(IRegDir::kCurrentUser, path->getText());
  path->release();
  return key;
}

// How many sub-keys the lock key has; with `clearStale`, the claims that are stale at `now` against
// the lock time `taken` are deleted first and only the valid ones are counted.
uint32_t countClaims(RegDir* lock, bool clearStale, uint32_t taken, uint32_t now) {
  s::col::_array::ArrayP* entries = lock->getSubKeys();
  if (!entries) return 0;
  uint32_t count = 0;
  for (uint32_t i = 0; i < entries->size(); ++i) {
    auto* entry = static_cast<RegDir*>(entries->get(i));
    if (clearStale) {
      const uint64_t valid = entry->getU32(u"ValidSec", kDefaultValidSeconds);
      if (now < taken || static_cast<uint64_t>(taken) + valid < now) {
        entry->deleteKey(true);
        continue;
      }
    }
    ++count;
  }
  entries->release();
  return count;
}

enum class Attempt { kTaken, kBusy, kFailed };

// One attempt at a free lock: stamp it, add the claim, and keep it if the claim is the only one. A
// registry that refuses the claim fails the attempt for good: waiting would never end.
Attempt tryTake(RegDir* lock, uint32_t entry, uint32_t validSeconds) {
  if (lock->setU32(u"", unixTimeNow()) != 0) return Attempt::kFailed;
  RegDir* claim = acquireEntryKey(entry);
  if (!claim) return Attempt::kFailed;
  const bool claimed = claim->setU32(u"ValidSec", validSeconds) == 0;
  claim->release();
  if (!claimed) return Attempt::kFailed;
  return countClaims(lock, false, 0, 0) == 1 ? Attempt::kTaken : Attempt::kBusy;
}

}  // namespace

bool acquireLock(uint32_t entry, uint32_t validSeconds) {
  for (;;) {
    RegDir* lock = RegDir::acquireKey(IRegDir::kCurrentUser, kLockKey);
    if (!lock) return false;
    const bool free = lock->getU32(u"", 0) == 0;
    const Attempt attempt = free ? tryTake(lock, entry, validSeconds) : Attempt::kBusy;
    lock->release();
    if (attempt == Attempt::kTaken) return true;
    if (attempt == Attempt::kFailed) {
      releaseLock(entry);
      return false;
    }
    if (!releaseLock(entry)) Sleep(kRetryMilliseconds);
  }
}

bool releaseLock(uint32_t entry) {
  RegDir* claim = acquireEntryKey(entry);
  if (claim) {
    claim->deleteKey(true);
    claim->release();
  }
  RegDir* lock = RegDir::acquireKey(IRegDir::kCurrentUser, kLockKey);
  if (!lock) return false;
  const uint32_t now = unixTimeNow();
  uint32_t taken = lock->getU32(u"", 0);
  if (taken == 0) taken = now;
  const bool othersHold = countClaims(lock, true, taken, now) > 0;
  if (!othersHold) lock->setU32(u"", 0);
  lock->release();
  return !othersHold;
}

uint32_t lockEntryOfThisProcess() { return GetCurrentProcessId(); }

bool stampLastUpdate() {
  RegDir* bridge = RegDir::acquireKey(IRegDir::kCurrentUser, kBridgeKey);
  if (!bridge) return false;
  const bool written = bridge->setU32(u"LastUpdate", unixTimeNow()) == 0;
  bridge->release();
  return written;
}

}  // namespace s::shell::server01
