// Avatar pattern naming: the first "@" takes the number, a pattern without one gets it at its end,
// and a pattern judged safe gives names that stay inside the data folder for every number.
#include <cstdint>
#include <cstring>

#include "fuzz_support.h"
#include "installation.h"

using namespace trivelo;

namespace {

bool inside_data_folder(const std::string& name) {
  if (!name.empty() && (name[0] == '/' || name[0] == '\\')) return false;
  if (name.find(':') != std::string::npos) return false;
  size_t start = 0;
  for (;;) {
    const size_t end = name.find_first_of("/\\", start);
    if (name.compare(start, end == std::string::npos ? std::string::npos : end - start, "..") == 0) return false;
    if (end == std::string::npos) return true;
    start = end + 1;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  uint32_t number;
  std::memcpy(&number, data, 4);
  const std::string pattern(reinterpret_cast<const char*>(data) + 4, size - 4);
  const std::string digits = std::to_string(number);
  const std::string name = avatar_name(pattern, number);

  const size_t at = pattern.find('@');
  const std::string expected =
      at == std::string::npos ? pattern + digits : pattern.substr(0, at) + digits + pattern.substr(at + 1);
  if (name != expected) fuzz::fault("avatar name '" + name + "' instead of '" + expected + "'");
  if (pattern_is_safe(pattern)) {
    for (unsigned n : {0u, 1u, 9u, 10u, 4294967295u, number}) {
      if (!inside_data_folder(avatar_name(pattern, n) + ".png")) fuzz::fault("safe pattern leaves the data folder");
    }
  }
  return 0;
}
