#include "process/commandline/win/CommandLine.h"

#include "base/str/strbuffer/StrBuffer.h"
#include "base/thread/EasyPooler.h"

namespace s::process::commandline::win {

using s::str::strbuffer::StrBuffer;

S_POOLED_IMPL(CommandLine, s::thread::EasyPooler::kDefaultLimit)

CommandLine::CommandLine() = default;

CommandLine::~CommandLine() = default;

void CommandLine::reset() { arguments.reset(); }

const char16_t* CommandLine::getArgument(uint32_t index) const {
  if (index >= arguments.size()) return nullptr;
  return arguments.get(index)->getText();
}

void CommandLine::addParameter(const char16_t* parameter, bool flag) {
  StrBuffer* stored = StrBuffer::acquire();
  if (!stored) return;
  if (flag) stored->appendChar(u'-');
  stored->appendText(parameter);
  arguments.add(stored);
}

void CommandLine::addRawArgument(const char16_t* argument) {
  if (!argument) return;
  bool flag = argument[0] == u'-' || argument[0] == u'/';
  addParameter(flag ? argument + 1 : argument, flag);
}

}  // namespace s::process::commandline::win
