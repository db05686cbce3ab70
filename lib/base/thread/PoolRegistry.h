// The process-wide list of class pools, destroyed at exit in reverse order of creation so that a
// pool made later (whose objects may use an earlier class) goes first.
#pragma once

namespace s::thread {

class EasyPooler;

class PoolRegistry {
 public:
  static void add(EasyPooler* pool);
  // Destroys every registered pool, newest first; runs once, at exit.
  static void destroyAll();
};

}  // namespace s::thread
