// A small least-recently-used set of descriptor pairs per thread, closed when the thread ends.
#include "kernel/codepage/IconvCache.h"

#include <cstdint>

namespace platform::kernel::codepage {

namespace {

const iconv_t kNone = reinterpret_cast<iconv_t>(static_cast<intptr_t>(-1));

struct Slot {
  UINT number = 0;
  iconv_t encoder = kNone;
  iconv_t decoder = kNone;
  uint64_t lastUse = 0;
};

class ThreadDescriptors {
 public:
  ThreadDescriptors() = default;
  ThreadDescriptors(const ThreadDescriptors&) = delete;
  ThreadDescriptors& operator=(const ThreadDescriptors&) = delete;
  ~ThreadDescriptors() {
    for (Slot& slot : slots_) close(slot);
  }

  iconv_t get(const CodePageTable::Entry& page, bool encoding) {
    Slot& slot = slotFor(page.number);
    iconv_t& descriptor = encoding ? slot.encoder : slot.decoder;
    if (descriptor == kNone) {
      descriptor = encoding ? iconv_open(page.iconvName, IconvCache::nativeUtf16())
                            : iconv_open(IconvCache::nativeUtf16(), page.iconvName);
    }
    if (descriptor != kNone) iconv(descriptor, nullptr, nullptr, nullptr, nullptr);
    return descriptor;
  }

 private:
  static constexpr int kSlots = 6;

  static void close(Slot& slot) {
    if (slot.encoder != kNone) iconv_close(slot.encoder);
    if (slot.decoder != kNone) iconv_close(slot.decoder);
    slot = Slot();
  }

  Slot& slotFor(UINT number) {
    Slot* oldest = &slots_[0];
    for (Slot& slot : slots_) {
      if (slot.number == number) {
        slot.lastUse = ++clock_;
        return slot;
      }
      if (slot.lastUse < oldest->lastUse) oldest = &slot;
    }
    close(*oldest);
    oldest->number = number;
    oldest->lastUse = ++clock_;
    return *oldest;
  }

  Slot slots_[kSlots];
  uint64_t clock_ = 0;
};

ThreadDescriptors& threadDescriptors() {
  static thread_local ThreadDescriptors descriptors;
  return descriptors;
}

}  // namespace

const char* IconvCache::nativeUtf16() {
#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
  return "UTF-16LE";
#else
  return "UTF-16BE";
#endif
}

iconv_t IconvCache::encoder(const CodePageTable::Entry& page) { return threadDescriptors().get(page, true); }

iconv_t IconvCache::decoder(const CodePageTable::Entry& page) { return threadDescriptors().get(page, false); }

}  // namespace platform::kernel::codepage
