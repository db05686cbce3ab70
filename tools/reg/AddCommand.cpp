#include "reg/AddCommand.h"

#include "reg/Arguments.h"
#include "reg/Console.h"
#include "reg/KeyPath.h"
#include "reg/NativeKey.h"
#include "reg/Text.h"
#include "reg/ValueText.h"

namespace reg {

int AddCommand::run(const std::vector<std::string>& args) {
  Arguments arguments;
  std::string error;
  if (!arguments.parse(args, {"ve", "f"}, {"v", "t", "d", "s"}, error)) return Console::fail(error);
  if (arguments.positional().size() != 1)
    return Console::fail("ERROR: Invalid syntax. Usage: reg add KEY [/v NAME | /ve] [/t TYPE] [/d DATA] [/f]");
  if (arguments.has("v") && arguments.has("ve")) return Console::fail("ERROR: Invalid syntax: use /v or /ve, not both.");
  const bool withValue = arguments.has("v") || arguments.has("ve");
  if (!withValue && (arguments.has("t") || arguments.has("d") || arguments.has("s")))
    return Console::fail("ERROR: Invalid syntax: /t, /d and /s need /v NAME or /ve.");
  KeyPath path;
  if (!KeyPath::parse(Text::fromUtf8(arguments.positional()[0]), path, error)) return Console::fail(error);

  // Everything is checked before anything is written.
  Value value;
  if (withValue) {
    value.type = REG_SZ;
    if (arguments.has("t") && !ValueText::typeOf(arguments.value("t"), value.type))
      return Console::fail("ERROR: Invalid type \"" + arguments.value("t") +
                           "\": use REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ, REG_DWORD, REG_QWORD or REG_BINARY.");
    char16_t separator = u'\0';
    if (arguments.has("s")) {
      std::u16string s = Text::fromUtf8(arguments.value("s"));
      if (value.type != REG_MULTI_SZ || s.size() != 1)
        return Console::fail("ERROR: Invalid syntax: /s takes one character and is for REG_MULTI_SZ only.");
      separator = s[0];
    }
    if (arguments.has("v")) value.name = Text::fromUtf8(arguments.value("v"));
    std::string data = arguments.has("d") ? arguments.value("d") : "";
    if (!ValueText::parse(value.type, data, separator, value.data, error)) return Console::fail(error);
  }

  NativeKey key;
  if (withValue && !arguments.has("f") && NT_SUCCESS(key.open(path.nativeName, KEY_READ))) {
    Value existing;
    if (key.value(value.name, existing) == STATUS_SUCCESS) {
      std::string shown = value.name.empty() ? "(Default)" : Text::toUtf8(value.name);
      if (!Console::confirm("Value " + shown + " exists, overwrite")) return Console::cancelled();
    }
  }
  NTSTATUS status = key.create(path.nativeName);
  if (!NT_SUCCESS(status)) return Console::failStatus(status);
  if (withValue) {
    status = key.setValue(value);
    if (!NT_SUCCESS(status)) return Console::failStatus(status);
  }
  return Console::done();
}

}  // namespace reg
