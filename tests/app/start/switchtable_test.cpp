#include <gtest/gtest.h>

#include <string>

#include "start/SwitchMode.h"

namespace vesper = s::system::vesper;

namespace {

TEST(SwitchTableTest, TheSevenSwitchesInTheirOrder) {
  const char16_t* expected[] = {u"-install", u"-uninstall", u"-suspend", u"-hibernate",
                                u"-logoff",  u"-reboot",    u"-shutdown"};
  ASSERT_EQ(vesper::kSwitchCount, 7u);
  for (uint32_t i = 0; i < vesper::kSwitchCount; ++i)
    EXPECT_EQ(std::u16string(vesper::kSwitches[i].text), expected[i]);
}

TEST(SwitchTableTest, AnArgumentMatchesOnlyAWholeSwitchWithCaseIgnored) {
  const struct {
    const char16_t* argument;
    const char16_t* matched;  // null: no switch
  } cases[] = {
      {u"-shutdown", u"-shutdown"}, {u"-SHUTDOWN", u"-shutdown"}, {u"-ShutDown", u"-shutdown"},
      {u"-install", u"-install"},   {u"-UNINSTALL", u"-uninstall"}, {u"-suspend", u"-suspend"},
      {u"-hibernate", u"-hibernate"}, {u"-logoff", u"-logoff"},   {u"-reboot", u"-reboot"},
      {u"--shutdown", nullptr},     {u"shutdown", nullptr},       {u"-shut", nullptr},
      {u"-shutdown ", nullptr},     {u" -shutdown", nullptr},     {u"-shutdownx", nullptr},
      {u"/shutdown", nullptr},      {u"-", nullptr},              {u"", nullptr},
      {u"-log off", nullptr},       {u"-ınstall", nullptr},
  };
  for (const auto& c : cases) {
    const vesper::Switch* found = vesper::findSwitch(c.argument);
    std::u16string got = found ? found->text : u"<none>";
    EXPECT_EQ(got, c.matched ? c.matched : u"<none>") << std::string(c.argument, c.argument + std::char_traits<char16_t>::length(c.argument));
  }
}

}  // namespace
