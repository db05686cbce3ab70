#include "reg/ImportCommand.h"

#include <fstream>
#include <sstream>

#include "reg/Arguments.h"
#include "reg/Console.h"
#include "reg/NativeKey.h"
#include "reg/RegFile.h"

namespace reg {

namespace {

NTSTATUS apply(const RegChange& change) {
  NativeKey key;
  switch (change.kind) {
    case RegChange::Kind::Key:
      return key.create(change.key.nativeName);
    case RegChange::Kind::DeleteKey: {
      NTSTATUS status = key.deleteTree(change.key.nativeName);
      return status == STATUS_OBJECT_NAME_NOT_FOUND ? STATUS_SUCCESS : status;
    }
    case RegChange::Kind::SetValue: {
      NTSTATUS status = key.create(change.key.nativeName);
      return NT_SUCCESS(status) ? key.setValue(change.value) : status;
    }
    case RegChange::Kind::DeleteValue: {
      NTSTATUS status = key.open(change.key.nativeName, KEY_SET_VALUE);
      if (NT_SUCCESS(status)) status = key.deleteValue(change.value.name);
      return status == STATUS_OBJECT_NAME_NOT_FOUND ? STATUS_SUCCESS : status;
    }
  }
  return STATUS_INVALID_PARAMETER;
}

}  // namespace

int ImportCommand::run(const std::vector<std::string>& args) {
  Arguments arguments;
  std::string error;
  if (!arguments.parse(args, {}, {}, error)) return Console::fail(error);
  if (arguments.positional().size() != 1) return Console::fail("ERROR: Invalid syntax. Usage: reg import FILE");
  const std::string& file = arguments.positional()[0];
  std::ifstream in(file, std::ios::binary);
  if (!in) return Console::fail("ERROR: Cannot open the file " + file + ".");
  std::stringstream bytes;
  bytes << in.rdbuf();
  std::vector<RegChange> changes;
  if (!RegFile::parse(bytes.str(), changes, error)) return Console::fail(error);
  for (const RegChange& change : changes) {
    NTSTATUS status = apply(change);
    if (!NT_SUCCESS(status)) return Console::failStatus(status);
  }
  return Console::done();
}

}  // namespace reg
