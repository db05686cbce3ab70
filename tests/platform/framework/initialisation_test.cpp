// COM and common-control initialisation: they answer success, with the documented checks.
#include <gtest/gtest.h>
#include <framework/WinApp.h>
#include <win/windows.h>

#include <thread>

TEST(CommonControls, AcceptTheClassicRecordOnly) {
  struct Case {
    DWORD size;
    DWORD classes;
    BOOL ok;
  } cases[] = {{8, ICC_WIN95_CLASSES, TRUE}, {8, 0, TRUE}, {8, ICC_LINK_CLASS | ICC_STANDARD_CLASSES, TRUE},
               {8, 0x10000, FALSE},          {0, 0xFF, FALSE}, {12, 0xFF, FALSE}};
  for (const auto& c : cases) {
    INITCOMMONCONTROLSEX init{c.size, c.classes};
    EXPECT_EQ(InitCommonControlsEx(&init), c.ok) << c.size << " " << c.classes;
  }
  EXPECT_FALSE(InitCommonControlsEx(nullptr));
  EXPECT_EQ(sizeof(INITCOMMONCONTROLSEX), 8u);
}

TEST(Com, CountsInitialisationsPerThread) {
  std::thread([] {
    EXPECT_EQ(CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_PKT, RPC_C_IMP_LEVEL_IMPERSONATE,
                                   nullptr, EOAC_NONE, nullptr),
              CO_E_NOTINITIALIZED);
    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    EXPECT_EQ(CoInitialize(nullptr), S_FALSE);
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE);
    EXPECT_EQ(CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_PKT, RPC_C_IMP_LEVEL_IMPERSONATE,
                                   nullptr, EOAC_NONE, nullptr),
              S_OK);
    EXPECT_EQ(CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_PKT, RPC_C_IMP_LEVEL_IMPERSONATE,
                                   nullptr, EOAC_NONE, nullptr),
              RPC_E_TOO_LATE);
    CoUninitialize();
    CoUninitialize();
    CoUninitialize();  // one too many does nothing
    // Fully uninitialised, the thread may choose the other model.
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    CoUninitialize();
  }).join();
  std::thread([] {
    // Another thread starts uninitialised.
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    CoUninitialize();
    int reserved = 0;
    EXPECT_EQ(CoInitialize(&reserved), E_INVALIDARG);
  }).join();
}

TEST(Framework, OleAndControlContainmentNeedNothing) {
  EXPECT_TRUE(AfxOleInit());
  AfxEnableControlContainer();
}
