#include "reg/ExportCommand.h"

#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "reg/Arguments.h"
#include "reg/Console.h"
#include "reg/KeyPath.h"
#include "reg/NativeKey.h"
#include "reg/RegFile.h"
#include "reg/Text.h"

namespace reg {

namespace {

NTSTATUS collect(const KeyPath& path, std::u16string& out) {
  NativeKey key;
  NTSTATUS status = key.open(path.nativeName, KEY_READ);
  std::vector<Value> values;
  std::vector<std::u16string> children;
  if (NT_SUCCESS(status)) status = key.values(values);
  if (NT_SUCCESS(status)) status = key.subKeys(children);
  if (!NT_SUCCESS(status)) return status;
  RegFile::appendKey(out, path.fullName(), values);
  for (const std::u16string& child : children) {
    status = collect(path.child(child), out);
    if (!NT_SUCCESS(status)) return status;
  }
  return STATUS_SUCCESS;
}

}  // namespace

int ExportCommand::run(const std::vector<std::string>& args) {
  Arguments arguments;
  std::string error;
  if (!arguments.parse(args, {"y"}, {}, error)) return Console::fail(error);
  if (arguments.positional().size() != 2) return Console::fail("ERROR: Invalid syntax. Usage: reg export KEY FILE [/y]");
  KeyPath path;
  if (!KeyPath::parse(Text::fromUtf8(arguments.positional()[0]), path, error)) return Console::fail(error);
  const std::string& file = arguments.positional()[1];

  std::u16string text = RegFile::header();
  NTSTATUS status = collect(path, text);
  if (!NT_SUCCESS(status)) return Console::failStatus(status);
  if (access(file.c_str(), F_OK) == 0 && !arguments.has("y") &&
      !Console::confirm("File " + file + " already exists. Overwrite"))
    return Console::cancelled();
  // The file is replaced in one step, so a failed export never leaves half a script behind.
  const std::string temporary = file + ".tmp" + std::to_string(getpid());
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << RegFile::encode(text);
    out.close();
    if (!out) {
      std::remove(temporary.c_str());
      return Console::fail("ERROR: Cannot write the file " + file + ".");
    }
  }
  if (std::rename(temporary.c_str(), file.c_str()) != 0) {
    std::remove(temporary.c_str());
    return Console::fail("ERROR: Cannot write the file " + file + ".");
  }
  return Console::done();
}

}  // namespace reg
