// Host side of the Windows-rules tool: the core's Windows rules reach the host's files directly.
#include <filesystem>
#include <system_error>

#include "host.h"

#if defined(_WIN32)
#include <process.h>
#else
#include <unistd.h>
#endif

namespace trivelo::cli::host {

namespace fs = std::filesystem;

bool start(const char*, std::string&) { return true; }
bool open_workspace(std::string&) { return true; }
void stop() {}

std::string game_folder(const std::string& given) {
  std::error_code ec;
  const fs::path absolute = fs::absolute(given, ec);
  return ec ? given : absolute.lexically_normal().string();
}

std::string private_file() {
  std::error_code ec;
  fs::path dir = fs::temp_directory_path(ec);
  if (ec) dir = fs::current_path();
#if defined(_WIN32)
  const long pid = _getpid();
#else
  const long pid = static_cast<long>(getpid());
#endif
  return (dir / ("trivelo-plan-" + std::to_string(pid) + ".dta")).string();
}

}  // namespace trivelo::cli::host
