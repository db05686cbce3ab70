#include <gtest/gtest.h>
#include <win/error.h>
#include <win/sync.h>
#include <win/thread.h>

#include <atomic>

#include "platform/kernel_thread/Spinner.h"

namespace {

struct Started {
  std::atomic<int> runs{0};
  std::atomic<DWORD> seenId{0};
  std::atomic<bool> release{false};
};

DWORD WINAPI recordAndWait(LPVOID parameter) {
  auto* started = static_cast<Started*>(parameter);
  started->seenId = GetCurrentThreadId();
  started->runs.fetch_add(1);
  while (!started->release.load()) Sleep(1);
  return 7;
}

TEST(CreateThread, RunsTheFunctionAndReportsItsIdAndExitCode) {
  Started started;
  DWORD id = 0;
  HANDLE thread = CreateThread(nullptr, 0, recordAndWait, &started, 0, &id);
  ASSERT_NE(thread, nullptr);
  while (started.runs.load() == 0) Sleep(1);
  EXPECT_EQ(started.seenId.load(), id);
  EXPECT_NE(id, GetCurrentThreadId());

  DWORD code = 0;
  ASSERT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, STILL_ACTIVE);
  EXPECT_EQ(WaitForSingleObject(thread, 20), WAIT_TIMEOUT);
  EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_TIMEOUT);

  started.release = true;
  EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
  ASSERT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, 7u);
  // An ended thread stays signalled.
  EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0);
  EXPECT_TRUE(CloseHandle(thread));
}

TEST(CreateThread, SuspendedThreadStartsOnlyAfterResume) {
  Started started;
  started.release = true;
  HANDLE thread = CreateThread(nullptr, 0, recordAndWait, &started, CREATE_SUSPENDED, nullptr);
  ASSERT_NE(thread, nullptr);
  Sleep(50);
  EXPECT_EQ(started.runs.load(), 0);
  EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_TIMEOUT);
  EXPECT_EQ(ResumeThread(thread), 1u);
  EXPECT_EQ(WaitForSingleObject(thread, 5000), WAIT_OBJECT_0);
  EXPECT_EQ(started.runs.load(), 1);
  // Resuming a thread whose count is already 0 changes nothing.
  EXPECT_EQ(ResumeThread(thread), 0u);
  CloseHandle(thread);
}

TEST(CreateThread, RefusesBadArguments) {
  Started started;
  SetLastError(0);
  EXPECT_EQ(CreateThread(nullptr, 0, nullptr, &started, 0, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  SetLastError(0);
  EXPECT_EQ(CreateThread(nullptr, 0, recordAndWait, &started, 0x2, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(started.runs.load(), 0);
}

TEST(CreateThread, HonoursAGivenStackSizeAndSecurityAttributes) {
  Started started;
  started.release = true;
  SECURITY_ATTRIBUTES security = {sizeof(SECURITY_ATTRIBUTES), nullptr, FALSE};
  HANDLE thread = CreateThread(&security, 1, recordAndWait, &started, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
  ASSERT_NE(thread, nullptr);
  EXPECT_EQ(WaitForSingleObject(thread, 5000), WAIT_OBJECT_0);
  EXPECT_EQ(started.runs.load(), 1);
  CloseHandle(thread);
}

TEST(CloseHandle, DoesNotStopTheThread) {
  kernel_thread::Spinner spinner;
  ASSERT_TRUE(spinner.start());
  ASSERT_TRUE(CloseHandle(spinner.handle));
  spinner.handle = nullptr;
  EXPECT_TRUE(spinner.advancesWithin(2000));
  spinner.stop = true;
  // The thread ends on its own and frees its record; the sanitizer build checks nothing leaks.
  Sleep(20);
}

TEST(CloseHandle, ClosedAndUnknownHandlesAreInvalid) {
  Started started;
  started.release = true;
  HANDLE thread = CreateThread(nullptr, 0, recordAndWait, &started, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  ASSERT_EQ(WaitForSingleObject(thread, 5000), WAIT_OBJECT_0);
  ASSERT_TRUE(CloseHandle(thread));

  // A new handle may take the same slot; the old value must still not reach it.
  HANDLE other = CreateThread(nullptr, 0, recordAndWait, &started, CREATE_SUSPENDED, nullptr);
  ASSERT_NE(other, nullptr);
  ASSERT_NE(other, thread);

  HANDLE bogus = reinterpret_cast<HANDLE>(static_cast<uintptr_t>(0x12345670));
  for (HANDLE handle : {thread, static_cast<HANDLE>(nullptr), bogus}) {
    SetLastError(0);
    EXPECT_FALSE(CloseHandle(handle));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(SuspendThread(handle), static_cast<DWORD>(-1));
    EXPECT_EQ(ResumeThread(handle), static_cast<DWORD>(-1));
    EXPECT_EQ(WaitForSingleObject(handle, 0), WAIT_FAILED);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    DWORD code = 0;
    EXPECT_FALSE(GetExitCodeThread(handle, &code));
    EXPECT_FALSE(TerminateThread(handle, 0));
    EXPECT_EQ(GetThreadPriority(handle), THREAD_PRIORITY_ERROR_RETURN);
    EXPECT_FALSE(SetThreadPriority(handle, THREAD_PRIORITY_NORMAL));
  }
  // INVALID_HANDLE_VALUE is also the calling process's pseudo handle: closing it is harmless, but it
  // names no thread.
  EXPECT_TRUE(CloseHandle(INVALID_HANDLE_VALUE));
  EXPECT_EQ(SuspendThread(INVALID_HANDLE_VALUE), static_cast<DWORD>(-1));
  EXPECT_EQ(ResumeThread(INVALID_HANDLE_VALUE), static_cast<DWORD>(-1));
  EXPECT_FALSE(TerminateThread(INVALID_HANDLE_VALUE, 0));
  // The thread that took the slot is untouched by all of that.
  EXPECT_EQ(ResumeThread(other), 1u);
  EXPECT_EQ(WaitForSingleObject(other, 5000), WAIT_OBJECT_0);
  CloseHandle(other);
}

TEST(GetCurrentThread, IsAPseudoHandleOfTheCaller) {
  HANDLE self = GetCurrentThread();
  EXPECT_EQ(self, GetCurrentThread());
  DWORD code = 0;
  ASSERT_TRUE(GetExitCodeThread(self, &code));
  EXPECT_EQ(code, STILL_ACTIVE);
  EXPECT_EQ(WaitForSingleObject(self, 10), WAIT_TIMEOUT);
  EXPECT_TRUE(CloseHandle(self));
  EXPECT_EQ(GetThreadPriority(self), THREAD_PRIORITY_NORMAL);
}

struct SelfView {
  HANDLE handle = nullptr;
  std::atomic<int> priority{0};
  std::atomic<bool> ready{false};
};

DWORD WINAPI readOwnPriority(LPVOID parameter) {
  auto* view = static_cast<SelfView*>(parameter);
  view->priority = GetThreadPriority(GetCurrentThread());
  return 0;
}

TEST(GetCurrentThread, NamesTheSameRecordAsTheRealHandle) {
  SelfView view;
  HANDLE thread = CreateThread(nullptr, 0, readOwnPriority, &view, CREATE_SUSPENDED, nullptr);
  ASSERT_NE(thread, nullptr);
  ASSERT_TRUE(SetThreadPriority(thread, THREAD_PRIORITY_LOWEST));
  ResumeThread(thread);
  ASSERT_EQ(WaitForSingleObject(thread, 5000), WAIT_OBJECT_0);
  EXPECT_EQ(view.priority.load(), THREAD_PRIORITY_LOWEST);
  CloseHandle(thread);
}

}  // namespace
