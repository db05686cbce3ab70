#include <framework/WinThread.h>

#include <win/sync.h>

namespace {

thread_local CWinThread* currentThread = nullptr;

bool isIdleMessage(const MSG& message) {
  // Moves, paints and timers come by themselves; idle work after them would run without end.
  return message.message != WM_MOUSEMOVE && message.message != WM_NCMOUSEMOVE && message.message != WM_PAINT &&
         message.message != WM_TIMER;
}

}  // namespace

CWinThread::CWinThread() = default;

CWinThread::~CWinThread() {
  if (m_hThread) ::CloseHandle(m_hThread);
}

BOOL CWinThread::CreateThread(DWORD flags, UINT stackSize, LPSECURITY_ATTRIBUTES security) {
  if (m_hThread) return FALSE;
  // Started suspended so that the handle and id are stored before the thread looks at them.
  DWORD id = 0;
  HANDLE handle = ::CreateThread(security, stackSize, &CWinThread::entry, this, CREATE_SUSPENDED, &id);
  if (!handle) return FALSE;
  m_hThread = handle;
  m_nThreadID = id;
  if (!(flags & CREATE_SUSPENDED)) ::ResumeThread(handle);
  return TRUE;
}

DWORD WINAPI CWinThread::entry(LPVOID self) {
  auto* thread = static_cast<CWinThread*>(self);
  currentThread = thread;
  int result = thread->InitInstance() ? thread->Run() : thread->ExitInstance();
  CWnd::DeleteTempMap();
  currentThread = nullptr;
  if (thread->m_bAutoDelete) thread->Delete();
  return static_cast<DWORD>(result);
}

BOOL CWinThread::InitInstance() { return FALSE; }

int CWinThread::ExitInstance() {
  CWnd::DeleteTempMap();
  return static_cast<int>(m_msgCur.wParam);
}

int CWinThread::Run() {
  bool idle = true;
  LONG idleCount = 0;
  for (;;) {
    while (idle && !::PeekMessageW(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE))
      if (!OnIdle(idleCount++)) idle = false;
    do {
      if (!PumpMessage()) return ExitInstance();
      if (isIdleMessage(m_msgCur)) {
        idle = true;
        idleCount = 0;
      }
    } while (::PeekMessageW(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE));
  }
}

BOOL CWinThread::PumpMessage() {
  if (!::GetMessageW(&m_msgCur, nullptr, 0, 0)) return FALSE;
  if (!PreTranslateMessage(&m_msgCur)) {
    ::TranslateMessage(&m_msgCur);
    ::DispatchMessageW(&m_msgCur);
  }
  return TRUE;
}

BOOL CWinThread::PreTranslateMessage(MSG* message) {
  if (!message || !message->hwnd) return FALSE;
  CWnd* main = GetMainWnd();
  HWND stop = main ? main->m_hWnd : nullptr;
  // From the message's window up through its parents, stopping after the main window.
  for (HWND h = message->hwnd; h; h = ::GetParent(h)) {
    if (CWnd* wrapper = CWnd::FromHandlePermanent(h))
      if (wrapper->PreTranslateMessage(message)) return TRUE;
    if (h == stop) return FALSE;
  }
  // A message of another window tree still gives the main window its chance.
  return main && main->m_hWnd && main->PreTranslateMessage(message);
}

BOOL CWinThread::OnIdle(LONG count) {
  if (count == 0) CWnd::DeleteTempMap();
  return FALSE;
}

CWnd* CWinThread::GetMainWnd() { return m_pMainWnd; }

void CWinThread::Delete() { delete this; }

BOOL CWinThread::PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return m_nThreadID && ::PostThreadMessageW(m_nThreadID, message, wParam, lParam);
}

DWORD CWinThread::SuspendThread() const { return ::SuspendThread(m_hThread); }
DWORD CWinThread::ResumeThread() const { return ::ResumeThread(m_hThread); }
BOOL CWinThread::SetThreadPriority(int priority) const { return ::SetThreadPriority(m_hThread, priority); }
int CWinThread::GetThreadPriority() const { return ::GetThreadPriority(m_hThread); }

CWinThread* AfxGetThread() { return currentThread; }

CWinThread* AfxBeginThread(CWinThread* thread, int priority, UINT stackSize, DWORD flags,
                           LPSECURITY_ATTRIBUTES security) {
  if (!thread || !thread->CreateThread(flags | CREATE_SUSPENDED, stackSize, security)) return nullptr;
  if (priority != THREAD_PRIORITY_NORMAL) thread->SetThreadPriority(priority);
  if (!(flags & CREATE_SUSPENDED)) thread->ResumeThread();
  return thread;
}
