// Before any test draws, the font configuration beside the tests replaces the machine's, so every
// test sees the same installed fonts.
#include <cstdlib>
#include <string>

namespace {

const bool configured = [] {
  std::string here = __FILE__;
  std::string config = here.substr(0, here.rfind('/')) + "/fonts.conf";
  return setenv("FONTCONFIG_FILE", config.c_str(), 1) == 0;
}();

}  // namespace
