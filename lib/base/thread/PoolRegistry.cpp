#include "base/thread/PoolRegistry.h"

#include <cstdlib>
#include <mutex>
#include <vector>

#include "base/thread/EasyPooler.h"

namespace s::thread {

namespace {

// Never destroyed, so that a pool registered late in the exit sequence still finds it.
struct Registry {
  std::mutex mutex;
  std::vector<EasyPooler*> pools;
  bool exitHandlerInstalled = false;
};

Registry& registry() {
  static Registry* const instance = new Registry();
  return *instance;
}

}  // namespace

void PoolRegistry::add(EasyPooler* pool) {
  Registry& r = registry();
  std::lock_guard<std::mutex> guard(r.mutex);
  if (!r.exitHandlerInstalled) {
    r.exitHandlerInstalled = true;
    std::atexit(&PoolRegistry::destroyAll);
  }
  r.pools.push_back(pool);
}

void PoolRegistry::destroyAll() {
  Registry& r = registry();
  std::vector<EasyPooler*> pools;
  {
    std::lock_guard<std::mutex> guard(r.mutex);
    pools.swap(r.pools);
  }
  for (auto it = pools.rbegin(); it != pools.rend(); ++it) static_cast<s::base::IObject*>(*it)->destroy(1);
}

}  // namespace s::thread
