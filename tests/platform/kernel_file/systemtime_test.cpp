// The wall-clock time on the Windows epoch agrees with the Unix clock.
#include <gtest/gtest.h>

#include <win/time.h>

#include <ctime>

namespace {

TEST(SystemTimeTest, FileTimeIsUnixTimeFrom1601InHundredNanoseconds) {
  const long long before = static_cast<long long>(std::time(nullptr));
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  const long long after = static_cast<long long>(std::time(nullptr));
  const unsigned long long units = (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
  const long long seconds = static_cast<long long>(units / 10000000ull) - 11644473600ll;
  EXPECT_GE(seconds, before);
  EXPECT_LE(seconds, after);
  GetSystemTimeAsFileTime(nullptr);  // ignored, no crash
}

}  // namespace
