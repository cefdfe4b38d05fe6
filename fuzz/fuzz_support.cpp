#include "fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "platform.h"

#if !defined(TRIVELO_PLATFORM_WINDOWS)
#include <standin/standin.h>
#include "fichiers_amiga.h"
#endif

namespace trivelo::fuzz {

namespace {
fs::path g_folder;
}

void initialise() {
  std::string pattern = (fs::temp_directory_path() / "trivelo-fuzz-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) fault("no temporary folder");
  g_folder = pattern;
  fs::current_path(g_folder);
  // The folder goes when the process ends normally; a crash leaves it for inspection.
  std::atexit([] {
    std::error_code ec;
    fs::current_path(fs::temp_directory_path(), ec);
    fs::remove_all(g_folder, ec);
  });
#if !defined(TRIVELO_PLATFORM_WINDOWS)
  standin::reset();
  fs::create_directories(g_folder / "ram");
  standin::set_volume("RAM", (g_folder / "ram").string());
  standin::set_volume("Fuzz", g_folder.string());
  std::string error;
  BPTR lock = 0;
  if (!temporairecreer(kNomProgramme, error, lock)) fault("workspace: " + error);
#endif
}

const fs::path& folder() { return g_folder; }

void write_file(const fs::path& relative, std::string_view bytes) {
  const fs::path path = g_folder / relative;
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string read_file(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void clear() {
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(g_folder, ec)) {
    if (entry.path().filename() == "ram") continue;
    fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(entry.path(), ec);
  }
}

std::string_view Pieces::next() {
  static constexpr std::string_view kCut = "\n====\n";
  const size_t at = rest_.find(kCut);
  std::string_view piece = rest_.substr(0, at);
  rest_ = at == std::string_view::npos ? std::string_view() : rest_.substr(at + kCut.size());
  return piece;
}

void fault(const std::string& what) {
  std::fprintf(stderr, "fuzz fault: %s\n", what.c_str());
  std::abort();
}

}  // namespace trivelo::fuzz
