#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "process/commandline/win/CommandLine.h"

using s::process::commandline::win::CommandLine;

namespace {

std::vector<std::u16string> stored(const CommandLine* reader) {
  std::vector<std::u16string> result;
  for (uint32_t i = 0; i < reader->getCount(); ++i) result.emplace_back(reader->getArgument(i));
  return result;
}

struct RawCase {
  std::vector<std::u16string> given;
  std::vector<std::u16string> kept;
};

TEST(CommandLineTest, FlagsAreKeptWithOneLeadingDashAndOtherArgumentsUnchanged) {
  const RawCase cases[] = {
      {{u"/shutdown"}, {u"-shutdown"}},
      {{u"-shutdown"}, {u"-shutdown"}},
      {{u"/SHUTDOWN"}, {u"-SHUTDOWN"}},
      {{u"--shutdown"}, {u"--shutdown"}},
      {{u"/-x"}, {u"--x"}},
      {{u"//x"}, {u"-/x"}},
      {{u"shutdown"}, {u"shutdown"}},
      {{u"a/b"}, {u"a/b"}},
      {{u"-"}, {u"-"}},
      {{u"/"}, {u"-"}},
      {{u""}, {u""}},
      {{u"two words"}, {u"two words"}},
      {{u"-logoff", u"x", u"/reboot"}, {u"-logoff", u"x", u"-reboot"}},
  };
  for (const RawCase& c : cases) {
    CommandLine* reader = CommandLine::acquire();
    ASSERT_NE(reader, nullptr);
    for (const std::u16string& argument : c.given) reader->addRawArgument(argument.c_str());
    EXPECT_EQ(stored(reader), c.kept);
    reader->release();
  }
}

TEST(CommandLineTest, TheFrameworkHookStoresTheFlagCharacterAsADash) {
  CommandLine* reader = CommandLine::acquire();
  reader->addParameter(u"shutdown", true);
  reader->addParameter(u"shutdown", false);
  reader->addParameter(u"-x", true);
  EXPECT_EQ(stored(reader), (std::vector<std::u16string>{u"-shutdown", u"shutdown", u"--x"}));
  reader->release();
}

TEST(CommandLineTest, IndexesBeyondTheCountAnswerNullAndReleaseEmptiesTheReader) {
  CommandLine* reader = CommandLine::acquire();
  EXPECT_EQ(reader->getCount(), 0u);
  EXPECT_EQ(reader->getArgument(0), nullptr);
  reader->addRawArgument(u"-a");
  EXPECT_EQ(reader->getArgument(1), nullptr);
  EXPECT_EQ(reader->getArgument(UINT32_MAX), nullptr);
  reader->addRawArgument(nullptr);
  EXPECT_EQ(reader->getCount(), 1u);
  reader->release();
  CommandLine* again = CommandLine::acquire();
  EXPECT_EQ(again->getCount(), 0u);
  EXPECT_EQ(std::u16string(again->getClassName()), u"s_process_commandline_win_CommandLine");
  again->release();
}

}  // namespace
