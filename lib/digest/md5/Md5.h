// The MD5 message digest (RFC 1321) as a pooled digester: feed any number of byte blocks, then
// finish to append the 16 digest bytes to a byte array.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/IObject.h"
#include "base/thread/IPoolable.h"
#include "digest/IDigester.h"

namespace s::digest::md5 {

class Md5 : public s::base::IObject, public s::thread::IPoolable, public s::digest::IDigester {
  S_CLASS_NAME(u"s_digest_md5_Md5")
  S_POOLED(Md5)

 public:
  using IObject::destroy;

  static constexpr uint32_t kDigestBytes = 16;

  Md5();
  // Starts a new message.
  void reset() override { restart(); }

  void restart() override;
  void update(const void* bytes, size_t count) override;
  s::col::_array::ArrayU08* finish(s::col::_array::ArrayU08* out) override;
  // Writes the 16 digest bytes to `digest` and starts a new message.
  void finishInto(uint8_t digest[kDigestBytes]);

 private:
  void transform(const uint8_t block[64]);

  uint32_t state[4];
  uint64_t bitCount = 0;
  uint8_t pending[64];
};

}  // namespace s::digest::md5
