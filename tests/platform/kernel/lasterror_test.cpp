// The last-error code belongs to the thread that set it.
#include <gtest/gtest.h>
#include <win/error.h>

#include <thread>

namespace {

TEST(LastErrorTest, EachThreadKeepsItsOwnCode) {
  SetLastError(ERROR_ACCESS_DENIED);
  DWORD seenAtStart = 1;
  DWORD seenAfterSet = 0;
  std::thread other([&] {
    seenAtStart = GetLastError();
    SetLastError(ERROR_TIMEOUT);
    seenAfterSet = GetLastError();
  });
  other.join();
  EXPECT_EQ(seenAtStart, static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(seenAfterSet, static_cast<DWORD>(ERROR_TIMEOUT));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
}

TEST(LastErrorTest, CodesCompareWithBothUnsignedAndSignedResults) {
  // Registry functions return LONG and GetLastError a DWORD; both compare with the constants.
  LONG status = ERROR_MORE_DATA;
  SetLastError(ERROR_MORE_DATA);
  EXPECT_TRUE(status == ERROR_MORE_DATA);
  EXPECT_TRUE(GetLastError() == ERROR_MORE_DATA);
}

}  // namespace
