#include "reg/QueryCommand.h"

#include "reg/Arguments.h"
#include "reg/Console.h"
#include "reg/KeyPath.h"
#include "reg/NativeKey.h"
#include "reg/Text.h"
#include "reg/ValueText.h"

namespace reg {

namespace {

struct Filter {
  bool active = false;
  std::u16string name;  // empty: the default value
};

std::string valueLine(const Value& v) {
  std::string name = v.name.empty() ? "(Default)" : Text::toUtf8(v.name);
  return "    " + name + "    " + ValueText::typeName(v.type) + "    " + ValueText::display(v.type, v.data);
}

// Writes one key; answers the failure status of a native call, or success.
NTSTATUS show(const KeyPath& path, const Filter& filter, bool recurse, int& matches) {
  NativeKey key;
  NTSTATUS status = key.open(path.nativeName, KEY_READ);
  if (!NT_SUCCESS(status)) return status;
  std::vector<Value> values;
  std::vector<std::u16string> children;
  status = key.values(values);
  if (NT_SUCCESS(status)) status = key.subKeys(children);
  if (!NT_SUCCESS(status)) return status;
  std::vector<std::string> lines;
  for (const Value& v : values)
    if (!filter.active || Text::equalsIgnoreCase(v.name, filter.name)) lines.push_back(valueLine(v));
  if (filter.active && !recurse && lines.empty()) {
    if (!filter.name.empty()) return STATUS_OBJECT_NAME_NOT_FOUND;
    lines.push_back("    (Default)    REG_SZ    (value not set)");
  }
  if (!filter.active || !lines.empty()) {
    Console::line("");
    Console::line(Text::toUtf8(path.fullName()));
    for (const std::string& l : lines) Console::line(l);
    matches += static_cast<int>(lines.size());
  }
  if (!recurse) {
    if (!filter.active) {
      Console::line("");
      for (const std::u16string& child : children) Console::line(Text::toUtf8(path.child(child).fullName()));
    }
    return STATUS_SUCCESS;
  }
  for (const std::u16string& child : children) {
    status = show(path.child(child), filter, true, matches);
    if (!NT_SUCCESS(status)) return status;
  }
  return STATUS_SUCCESS;
}

}  // namespace

int QueryCommand::run(const std::vector<std::string>& args) {
  Arguments arguments;
  std::string error;
  if (!arguments.parse(args, {"ve", "s"}, {"v"}, error)) return Console::fail(error);
  if (arguments.positional().size() != 1)
    return Console::fail("ERROR: Invalid syntax. Usage: reg query KEY [/v NAME | /ve] [/s]");
  if (arguments.has("v") && arguments.has("ve")) return Console::fail("ERROR: Invalid syntax: use /v or /ve, not both.");
  KeyPath path;
  if (!KeyPath::parse(Text::fromUtf8(arguments.positional()[0]), path, error)) return Console::fail(error);
  Filter filter;
  filter.active = arguments.has("v") || arguments.has("ve");
  if (arguments.has("v")) filter.name = Text::fromUtf8(arguments.value("v"));
  const bool recurse = arguments.has("s");
  int matches = 0;
  NTSTATUS status = show(path, filter, recurse, matches);
  if (!NT_SUCCESS(status)) return Console::failStatus(status);
  if (recurse) Console::line("");
  if (recurse && filter.active) {
    Console::line("End of search: " + std::to_string(matches) + " match(es) found.");
    if (matches == 0) return 1;
  }
  return 0;
}

}  // namespace reg
