#include "kernel/token/ProcessToken.h"

#include <map>
#include <mutex>

#include "kernel/token/PrivilegeNames.h"

namespace platform::kernel::token {

namespace {

struct State {
  std::mutex mutex;
  std::map<uint32_t, DWORD> held;  // privilege -> attributes
};

State& state() {
  // Never destroyed: the power functions may be called while static objects are torn down.
  static State* const instance = [] {
    auto* s = new State();
    for (const auto& [id, attributes] : PrivilegeNames::held()) s->held[id] = attributes;
    return s;
  }();
  return *instance;
}

LUID_AND_ATTRIBUTES entryOf(uint32_t id, DWORD attributes) {
  LUID_AND_ATTRIBUTES entry{};
  entry.Luid.LowPart = id;
  entry.Attributes = attributes;
  return entry;
}

// Works out (and, when `commit`, makes) the changes on the held set; called with the lock held.
AdjustResult adjust(std::map<uint32_t, DWORD>& held, bool disableAll, const std::vector<PrivilegeChange>& changes,
                    bool commit) {
  AdjustResult result;
  if (disableAll) {
    for (auto& [id, attributes] : held) {
      if (!(attributes & SE_PRIVILEGE_ENABLED)) continue;
      result.previous.push_back(entryOf(id, attributes));
      if (commit) attributes &= ~SE_PRIVILEGE_ENABLED;
    }
    return result;
  }
  for (const PrivilegeChange& change : changes) {
    auto found = held.find(change.id);
    if (found == held.end()) {
      result.notAllAssigned = true;
      continue;
    }
    DWORD before = found->second;
    if (change.attributes & SE_PRIVILEGE_REMOVED) {
      result.previous.push_back(entryOf(change.id, before));
      if (commit) held.erase(found);
      continue;
    }
    bool enable = (change.attributes & SE_PRIVILEGE_ENABLED) != 0;
    DWORD after = enable ? (before | SE_PRIVILEGE_ENABLED) : (before & ~SE_PRIVILEGE_ENABLED);
    if (after == before) continue;
    result.previous.push_back(entryOf(change.id, before));
    if (commit) found->second = after;
  }
  return result;
}

}  // namespace

bool ProcessToken::isEnabled(uint32_t id) {
  State& s = state();
  std::lock_guard<std::mutex> guard(s.mutex);
  auto found = s.held.find(id);
  return found != s.held.end() && (found->second & SE_PRIVILEGE_ENABLED);
}

bool ProcessToken::apply(bool disableAll, const std::vector<PrivilegeChange>& changes, size_t roomForPrevious,
                         AdjustResult& result) {
  State& s = state();
  std::lock_guard<std::mutex> guard(s.mutex);
  result = adjust(s.held, disableAll, changes, false);
  if (result.previous.size() > roomForPrevious) return false;
  result = adjust(s.held, disableAll, changes, true);
  return true;
}

}  // namespace platform::kernel::token
