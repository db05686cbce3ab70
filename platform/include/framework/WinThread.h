// The framework's thread: an object that starts a thread of its own, initialises it in InitInstance,
// runs its message loop in Run and cleans up in ExitInstance. Each message the loop retrieves is first
// offered to PreTranslateMessage, which by default asks the window wrappers from the message's window
// up to the main window; what none of them takes is translated and dispatched. The loop ends at
// WM_QUIT, whose exit code ExitInstance answers. With m_bAutoDelete set the object deletes itself when
// its thread ends.
#pragma once

#include <framework/Wnd.h>
#include <win/thread.h>

class CWinThread {
 public:
  CWinThread();
  virtual ~CWinThread();
  CWinThread(const CWinThread&) = delete;
  CWinThread& operator=(const CWinThread&) = delete;

  HANDLE m_hThread = nullptr;
  DWORD m_nThreadID = 0;
  CWnd* m_pMainWnd = nullptr;
  BOOL m_bAutoDelete = TRUE;
  MSG m_msgCur{};

  operator HANDLE() const { return m_hThread; }

  // Starts the thread (suspended with CREATE_SUSPENDED); FALSE when it could not be made.
  BOOL CreateThread(DWORD flags = 0, UINT stackSize = 0, LPSECURITY_ATTRIBUTES security = nullptr);

  virtual BOOL InitInstance();
  virtual int ExitInstance();
  virtual int Run();
  virtual BOOL PreTranslateMessage(MSG* message);
  virtual BOOL PumpMessage();
  // Idle work between messages; answers whether more idle work remains.
  virtual BOOL OnIdle(LONG count);
  virtual CWnd* GetMainWnd();
  // Called when an auto-deleting thread ends.
  virtual void Delete();

  BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) const;
  DWORD SuspendThread() const;
  DWORD ResumeThread() const;
  BOOL SetThreadPriority(int priority) const;
  int GetThreadPriority() const;

 private:
  static DWORD WINAPI entry(LPVOID self);
};

// The framework thread object of the calling thread, or null for a thread it did not start.
CWinThread* AfxGetThread();
// Starts a thread object at a priority; the object is the caller's. Null when it could not start.
CWinThread* AfxBeginThread(CWinThread* thread, int priority = THREAD_PRIORITY_NORMAL, UINT stackSize = 0,
                           DWORD flags = 0, LPSECURITY_ATTRIBUTES security = nullptr);
