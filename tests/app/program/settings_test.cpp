// The settings the real program leaves in the registry, read back with the reg tool: the
// identification values, the language chosen at start and the after-installation marker "Silent".
#include "ProgramRun.h"

namespace {

using testing_program::lines;
using testing_program::Outcome;

const std::string kProduct = "HKCU\\Software\\Tarn\\Tarn Vesper";
const std::string kSaveData = kProduct + "\\SaveData";

class ProgramSettingsTest : public testing_program::ProgramTest {
 protected:
  void addValue(const std::string& key, const std::string& name, const std::string& type, const std::string& data) {
    std::vector<std::string> arguments{"add", key};
    if (name.empty())
      arguments.push_back("/ve");
    else
      arguments.insert(arguments.end(), {"/v", name});
    arguments.insert(arguments.end(), {"/t", type, "/d", data, "/f"});
    reg(arguments);
  }
};

TEST_F(ProgramSettingsTest, IdentificationValuesAreWrittenAtEveryStart) {
  const std::pair<std::string, std::string> expected[] = {
      {kSaveData + "\\SoftwareType", "Freeware"},
      {kSaveData + "\\SoftwareID", "Tarn Vesper"},
      {kSaveData + "\\Version", "1.0.0"},
      {kSaveData + "\\MainWindow\\SoftwareType", "Freeware"},
      {kSaveData + "\\MainWindow\\SoftwareID", "Tarn Vesper"},
      {kSaveData + "\\MainWindow\\Version", "1.0.0"},
  };
  for (int start = 0; start < 2; ++start) {
    // The second start follows the user's deleting them (and a stale version).
    if (start == 1) {
      reg({"delete", kSaveData + "\\MainWindow", "/f"});
      addValue(kSaveData + "\\Version", "", "REG_SZ", "0.9");
    }
    ASSERT_TRUE(vesper({"-unknown"}).exited);
    for (const auto& [key, value] : expected) EXPECT_EQ(regValue(key, ""), value) << key << " start " << start;
  }
}

struct LanguageCase {
  const char* locale;
  const char* stored;  // null: no "Language" value
  const char* page;    // the product page opened, which is the selected pack's
  const char* storedAfter;
};

TEST_F(ProgramSettingsTest, TheLanguageAtStartFollowsTheStoredNameOrTheUserInterface) {
  const LanguageCase cases[] = {
      {"de_DE.UTF-8", nullptr, "https://vesper.example.org/de/vesper/", "<missing>"},
      {"C", nullptr, "https://vesper.example.org/en/vesper/", "<missing>"},
      {"ja_JP.UTF-8", nullptr, "https://vesper.example.org/ja/vesper/", "<missing>"},
      {"de_DE.UTF-8", "Klingon", "https://vesper.example.org/en/vesper/", "English"},
      {"de_DE.UTF-8", "japanese", "https://vesper.example.org/ja/vesper/", "japanese"},
      {"C", "German", "https://vesper.example.org/de/vesper/", "German"},
  };
  for (const LanguageCase& c : cases) {
    std::string name = std::string(c.locale) + " / " + (c.stored ? c.stored : "nothing stored");
    reg({"delete", kProduct, "/f"});
    std::remove((folder + "/xdg-open.log").c_str());
    if (c.stored) addValue(kSaveData + "\\Language", "", "REG_SZ", c.stored);
    // The marker makes window mode open the product page in the selected language.
    addValue(kProduct, "Silent", "REG_DWORD", "1");
    environment["LC_ALL"] = c.locale;
    Outcome outcome = vesper({});
    ASSERT_TRUE(outcome.exited) << name;
    EXPECT_EQ(openerLog(1), std::string(c.page) + "\n") << name;
    EXPECT_EQ(regValue(kSaveData + "\\Language", ""), c.storedAfter) << name;
  }
}

struct SilentCase {
  const char* type;  // null: no value
  const char* data;
  bool opens;
  const char* after;
};

TEST_F(ProgramSettingsTest, TheMarkerOpensTheProductPageOnceOnlyWhenItHoldsFourNonZeroBytes) {
  const SilentCase cases[] = {
      {"REG_DWORD", "1", true, "0x0"},
      {"REG_DWORD", "0", false, "0x0"},
      {nullptr, nullptr, false, "<missing>"},
      {"REG_BINARY", "0100", false, "0100"},
      {"REG_BINARY", "0100000000", false, "0100000000"},
      {"REG_BINARY", "00000000", false, "00000000"},
      // The type is not examined: four bytes that are not all zero count.
      {"REG_BINARY", "00000100", true, "0x0"},
  };
  for (const SilentCase& c : cases) {
    std::string name = std::string(c.type ? c.type : "missing") + " " + (c.data ? c.data : "");
    reg({"delete", kProduct, "/f"});
    std::remove((folder + "/xdg-open.log").c_str());
    if (c.type) addValue(kProduct, "Silent", c.type, c.data);
    ASSERT_TRUE(vesper({}).exited) << name;
    EXPECT_EQ(lines(openerLog(c.opens ? 1 : 0)).size(), c.opens ? 1u : 0u) << name;
    EXPECT_EQ(regValue(kProduct, "Silent"), c.after) << name;
    // The next start finds the marker cleared and opens nothing more.
    ASSERT_TRUE(vesper({}).exited) << name;
    EXPECT_EQ(lines(openerLog()).size(), c.opens ? 1u : 0u) << name;
  }
}

TEST_F(ProgramSettingsTest, SwitchModeLeavesTheMarkerForTheNextWindowStart) {
  addValue(kProduct, "Silent", "REG_DWORD", "1");
  ASSERT_TRUE(vesper({"-shut"}).exited);
  EXPECT_EQ(openerLog(), "");
  EXPECT_EQ(regValue(kProduct, "Silent"), "0x1");
}

TEST_F(ProgramSettingsTest, APageThatCannotOpenStillClearsTheMarker) {
  // No xdg-open anywhere on PATH.
  std::filesystem::remove(folder + "/bin/xdg-open");
  environment["PATH"] = folder + "/bin";
  addValue(kProduct, "Silent", "REG_DWORD", "1");
  Outcome outcome = vesper({});
  ASSERT_TRUE(outcome.exited);
  EXPECT_EQ(regValue(kProduct, "Silent"), "0x0");
}

}  // namespace
