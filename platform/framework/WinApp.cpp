// The application object, the framework's entry and the application's message box.
#include <framework/WinApp.h>
#include <win/module.h>
#include <win/msgbox.h>

#include <atomic>
#include <cstdio>

#include "framework/CommandLineText.h"
#include "framework/ExecutableName.h"
#include "kernel/process/WideText.h"

using platform::framework::CommandLineText;
using platform::framework::ExecutableName;
using platform::kernel::process::WideText;

namespace {

std::atomic<CWinApp*> theApp{nullptr};

}  // namespace

CCommandLineInfo::~CCommandLineInfo() = default;

void CCommandLineInfo::ParseParam(LPCWSTR, BOOL, BOOL) {}

CWinApp::CWinApp(LPCWSTR appName) {
  if (appName) {
    givenName_ = appName;
    appName_ = givenName_;
    m_pszAppName = appName_.c_str();
  }
  CWinApp* none = nullptr;
  theApp.compare_exchange_strong(none, this);
}

CWinApp::~CWinApp() {
  CWinApp* self = this;
  theApp.compare_exchange_strong(self, nullptr);
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::Run() { return ExitInstance(); }

int CWinApp::ExitInstance() { return 0; }

void CWinApp::attach(int argc, char** argv) {
  arguments_.clear();
  for (int i = 0; i < argc && argv && argv[i]; ++i) arguments_.push_back(WideText::fromUtf8(argv[i]));
  exeName_ = ExecutableName::current(arguments_.empty() ? std::u16string() : arguments_[0]);
  appName_ = givenName_.empty() ? exeName_ : givenName_;
  commandLine_ = CommandLineText::join(arguments_, 1);
  m_pszAppName = appName_.c_str();
  m_pszExeName = exeName_.c_str();
  m_lpCmdLine = commandLine_.data();
  m_hInstance = GetModuleHandleW(nullptr);
}

void CWinApp::ParseCommandLine(CCommandLineInfo& info) {
  for (size_t i = 1; i < arguments_.size(); ++i) {
    LPCWSTR param = arguments_[i].c_str();
    BOOL flag = param[0] == u'-' || param[0] == u'/';
    info.ParseParam(flag ? param + 1 : param, flag, i + 1 == arguments_.size());
  }
}

int CWinApp::GetArgumentCount() const { return static_cast<int>(arguments_.size()); }

LPCWSTR CWinApp::GetArgument(int index) const {
  if (index < 0 || static_cast<size_t>(index) >= arguments_.size()) return nullptr;
  return arguments_[static_cast<size_t>(index)].c_str();
}

CWinApp* AfxGetApp() { return theApp.load(); }

int AfxWinMain(int argc, char** argv) {
  CWinApp* app = AfxGetApp();
  if (!app) {
    std::fprintf(stderr, "%s: the program defines no application object\n", argc > 0 && argv ? argv[0] : "");
    return 1;
  }
  app->attach(argc, argv);
  if (!app->InitInstance()) return app->ExitInstance();
  return app->Run();
}

int AfxMessageBox(LPCWSTR text, UINT type, UINT) {
  CWinApp* app = AfxGetApp();
  if (app && app->m_pszAppName) return MessageBoxW(nullptr, text, app->m_pszAppName, type);
  std::u16string name = ExecutableName::current(std::u16string());
  return MessageBoxW(nullptr, text, name.c_str(), type);
}

BOOL AfxOleInit() { return TRUE; }

void AfxEnableControlContainer() {}
