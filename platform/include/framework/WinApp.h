// The application framework's application object. A program defines exactly one static object of a
// class derived from CWinApp and lets its main function call AfxWinMain, which records the argument
// vector, names the application, runs InitInstance and then either the message loop (Run) or, when
// InitInstance answers FALSE, only ExitInstance. The framework constructs no application object of
// its own:
//
//   class CMyApp : public CWinApp { BOOL InitInstance() override; };
//   static CMyApp theApp;
//   int main(int argc, char** argv) { return AfxWinMain(argc, argv); }
//
// The arguments are those of the process's argument vector, as the operating system passed them
// (already split; no quote processing is redone). ParseCommandLine hands each of them to a
// CCommandLineInfo: an argument starting with "-" or "/" is a flag and is passed without that
// first character.
#pragma once

#include <win/types.h>

#include <string>
#include <vector>

// Receives the arguments one by one from CWinApp::ParseCommandLine. The base class records nothing;
// programs derive from it to keep what they need.
class CCommandLineInfo {
 public:
  CCommandLineInfo() = default;
  virtual ~CCommandLineInfo();
  // param: the argument, without its "-" or "/" when flag is TRUE; last: TRUE for the final argument.
  virtual void ParseParam(LPCWSTR param, BOOL flag, BOOL last);
};

class CWinApp {
 public:
  // appName: the application's name; null lets AfxWinMain use the executable's file name without
  // its extension. Registers the object as the process's application (the first one constructed).
  explicit CWinApp(LPCWSTR appName = nullptr);
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  // The program's start-up. TRUE goes on to Run; FALSE ends the process after ExitInstance.
  virtual BOOL InitInstance();
  // The message loop. This framework has no loop of its own yet: it answers ExitInstance().
  virtual int Run();
  // Clean-up at the end; the answer becomes the process's exit code (0 by default).
  virtual int ExitInstance();

  // Passes every argument after the program's own name to info.ParseParam, in order.
  void ParseCommandLine(CCommandLineInfo& info);

  // The argument vector in UTF-16, the program's own name (as started) first.
  int GetArgumentCount() const;
  // Argument `index` (0: the program's name), or null outside the vector.
  LPCWSTR GetArgument(int index) const;

  // The application's name: the caption of its message boxes.
  LPCWSTR m_pszAppName = nullptr;
  // The executable's file name without folder and extension.
  LPCWSTR m_pszExeName = nullptr;
  HINSTANCE m_hInstance = nullptr;
  // The arguments after the program's name, joined by blanks (quoted where they hold blanks).
  LPWSTR m_lpCmdLine = nullptr;
  int m_nCmdShow = 1;  // SW_SHOWNORMAL

 private:
  friend int AfxWinMain(int argc, char** argv);
  // Records the argument vector and fills the names; called by AfxWinMain before InitInstance.
  void attach(int argc, char** argv);

  std::u16string givenName_;
  std::u16string appName_;
  std::u16string exeName_;
  std::u16string commandLine_;
  std::vector<std::u16string> arguments_;
};

// The process's application object, or null when none is constructed.
CWinApp* AfxGetApp();
// Runs the application object: attach, InitInstance, then Run or ExitInstance. Answers the exit code;
// 1 with a line on standard error when the program defines no application object.
int AfxWinMain(int argc, char** argv);
// The application's message box: no owner, the application's name as caption (the executable's name
// when there is no application object). Answers the button pressed.
int AfxMessageBox(LPCWSTR text, UINT type = 0, UINT helpId = 0);
// OLE and control containment need nothing on this platform; initialising OLE answers TRUE.
BOOL AfxOleInit();
void AfxEnableControlContainer();
