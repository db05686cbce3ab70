#include "reg/Console.h"

#include <iostream>

#include "reg/Session.h"

namespace reg {

void Console::line(const std::string& text) { std::cout << text << '\n'; }

int Console::fail(const std::string& text) {
  std::cout.flush();
  std::cerr << text << '\n';
  return 1;
}

int Console::failStatus(NTSTATUS status) {
  if (status == STATUS_OBJECT_NAME_NOT_FOUND)
    return fail("ERROR: The system was unable to find the specified registry key or value.");
  return fail("ERROR: " + Session::statusText(status));
}

bool Console::confirm(const std::string& question) {
  std::cout << question << " (Yes/No)? " << std::flush;
  std::string answer;
  if (!std::getline(std::cin, answer)) return false;
  for (char& c : answer) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  return answer == "y" || answer == "yes";
}

int Console::cancelled() { return fail("The operation was cancelled by the user."); }

int Console::done() {
  line("The operation completed successfully.");
  return 0;
}

}  // namespace reg
