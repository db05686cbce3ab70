#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

#include "base/IObject.h"
#include "base/thread/EasyPooler.h"
#include "base/thread/IPoolable.h"

namespace {

// Writes its mark to standard error when destroyed, so the exit order is visible to the parent.
template <char Mark>
class Marked : public s::base::IObject, public s::thread::IPoolable {
  S_CLASS_NAME(u"s_test_Marked")

 public:
  ~Marked() override {
    char c = Mark;
    [[maybe_unused]] ssize_t n = ::write(2, &c, 1);
  }
  static s::thread::EasyPooler* pool() {
    static s::thread::EasyPooler* const instance = s::thread::EasyPooler::createFor<Marked>(1000);
    return instance;
  }
  void release() override {
    void* self = this;
    pool()->destruct(&self);
  }
  void reset() override {}
  s::base::IObject* newInstance() const override { return nullptr; }
};

template <char Mark>
void cacheObjects(int n) {
  std::vector<void*> objects;
  for (int i = 0; i < n; ++i) objects.push_back(Marked<Mark>::pool()->generate());
  for (void* o : objects) static_cast<Marked<Mark>*>(o)->release();
}

}  // namespace

TEST(PoolExit, EveryCachedObjectIsDestroyedOnceNewestPoolFirst) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        ::write(2, "[", 1);
        cacheObjects<'a'>(2);
        cacheObjects<'b'>(3);
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "\\[bbbaa$");
}
