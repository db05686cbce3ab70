// An application object initialised in the test program itself, on a fresh hive per test. The test
// program carries the program's language packs, so the product's texts are the real ones.
#pragma once

#include <framework/WinApp.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>

#include "app/win/AppBase.h"
#include "lang/DefaultLanguage.h"
#include "lib/reg/TempHive.h"

namespace testing_app {

// The framework object of the test program; it was never attached, so it has no arguments.
inline CWinApp& frameworkApp() {
  static CWinApp app;
  return app;
}

inline std::u16string text(const char16_t* t) { return t ? std::u16string(t) : std::u16string(u"<null>"); }

class AppFixture : public testing_reg::TempHive {
 protected:
  static constexpr const char* kSaveData = "'HKCU\\Software\\Tarn\\Tarn Vesper\\SaveData";

  void SetUp() override {
    TempHive::SetUp();
    useLocale("en_US.UTF-8");
  }
  void TearDown() override {
    if (application) application->release();
    application = nullptr;
    TempHive::TearDown();
  }
  // The user's interface language for the next initialisation.
  static void useLocale(const char* locale) {
    setenv("LC_ALL", locale, 1);
    s::lang::DefaultLanguage::refresh();
  }
  s::app::win::AppBase* initialised() {
    if (application) application->release();
    application = s::app::win::AppBase::acquire();
    EXPECT_TRUE(application->initialise(&frameworkApp()));
    return application;
  }
  // The default value of a key below SaveData as the reg tool shows it, or "<missing>".
  std::string stored(const std::string& key) {
    std::string out = runReg(std::string("query ") + kSaveData + "\\" + key + "' /ve");
    size_t at = out.find("REG_SZ    ");
    if (at == std::string::npos) return "<missing>";
    size_t end = out.find('\n', at);
    return out.substr(at + 10, end - at - 10);
  }
  void store(const std::string& key, const std::string& data) {
    runReg(std::string("add ") + kSaveData + "\\" + key + "' /ve /t REG_SZ /d '" + data + "' /f");
  }

  s::app::win::AppBase* application = nullptr;
};

}  // namespace testing_app
