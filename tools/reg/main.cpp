// reg: the registry tool of the platform, on its native registry services. Commands and output follow
// the conventions of the registry tool users know: query, add, delete, export and import.
#include <string>
#include <vector>

#include "reg/AddCommand.h"
#include "reg/Console.h"
#include "reg/DeleteCommand.h"
#include "reg/ExportCommand.h"
#include "reg/ImportCommand.h"
#include "reg/QueryCommand.h"

namespace {

const char kUsage[] =
    "REG operation [parameter list]\n"
    "\n"
    "  reg query KEY [/v NAME | /ve] [/s]\n"
    "  reg add KEY [/v NAME | /ve] [/t TYPE] [/s SEPARATOR] [/d DATA] [/f]\n"
    "  reg delete KEY [/v NAME | /ve | /va] [/f]\n"
    "  reg export KEY FILE [/y]\n"
    "  reg import FILE\n"
    "\n"
    "KEY starts with a root: HKLM, HKCU, HKCR, HKU, HKCC or their long names (HKEY_CURRENT_USER, ...).\n"
    "TYPE is REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ, REG_DWORD, REG_QWORD or REG_BINARY.\n"
    "The hive is the file VESPER_REGISTRY names, or $XDG_CONFIG_HOME/vesper/registry.db.\n";

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return reg::Console::fail(std::string("ERROR: Invalid syntax.\n") + kUsage);
  std::string operation = args[0];
  for (char& c : operation) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  args.erase(args.begin());
  if (operation == "/?" || operation == "-?" || operation == "--help") {
    reg::Console::line(kUsage);
    return 0;
  }
  if (operation == "query") return reg::QueryCommand::run(args);
  if (operation == "add") return reg::AddCommand::run(args);
  if (operation == "delete") return reg::DeleteCommand::run(args);
  if (operation == "export") return reg::ExportCommand::run(args);
  if (operation == "import") return reg::ImportCommand::run(args);
  return reg::Console::fail("ERROR: Invalid operation \"" + std::string(argv[1]) + "\".\n" + kUsage);
}
