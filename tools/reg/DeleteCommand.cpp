#include "reg/DeleteCommand.h"

#include "reg/Arguments.h"
#include "reg/Console.h"
#include "reg/KeyPath.h"
#include "reg/NativeKey.h"
#include "reg/Text.h"

namespace reg {

int DeleteCommand::run(const std::vector<std::string>& args) {
  Arguments arguments;
  std::string error;
  if (!arguments.parse(args, {"ve", "va", "f"}, {"v"}, error)) return Console::fail(error);
  if (arguments.positional().size() != 1)
    return Console::fail("ERROR: Invalid syntax. Usage: reg delete KEY [/v NAME | /ve | /va] [/f]");
  int modes = arguments.has("v") + arguments.has("ve") + arguments.has("va");
  if (modes > 1) return Console::fail("ERROR: Invalid syntax: use only one of /v, /ve and /va.");
  KeyPath path;
  if (!KeyPath::parse(Text::fromUtf8(arguments.positional()[0]), path, error)) return Console::fail(error);
  const bool force = arguments.has("f");
  const std::string keyName = Text::toUtf8(path.fullName());

  NativeKey key;
  NTSTATUS status = key.open(path.nativeName, KEY_ALL_ACCESS);
  if (!NT_SUCCESS(status)) return Console::failStatus(status);

  if (arguments.has("va")) {
    if (!force && !Console::confirm("Delete all values under the registry key " + keyName)) return Console::cancelled();
    std::vector<Value> values;
    status = key.values(values);
    for (const Value& v : values) {
      if (!NT_SUCCESS(status)) break;
      status = key.deleteValue(v.name);
    }
    return NT_SUCCESS(status) ? Console::done() : Console::failStatus(status);
  }
  if (modes == 1) {
    std::u16string name = arguments.has("v") ? Text::fromUtf8(arguments.value("v")) : u"";
    Value existing;
    status = key.value(name, existing);
    if (!NT_SUCCESS(status)) return Console::failStatus(status);
    std::string shown = name.empty() ? "(Default)" : Text::toUtf8(name);
    if (!force && !Console::confirm("Delete the registry value " + shown)) return Console::cancelled();
    status = key.deleteValue(name);
    return NT_SUCCESS(status) ? Console::done() : Console::failStatus(status);
  }
  if (path.path.empty()) return Console::fail("ERROR: A root key (" + keyName + ") cannot be deleted.");
  if (!force && !Console::confirm("Permanently delete the registry key " + keyName)) return Console::cancelled();
  key.close();
  status = key.deleteTree(path.nativeName);
  return NT_SUCCESS(status) ? Console::done() : Console::failStatus(status);
}

}  // namespace reg
