// Figures for loading line files with listecharger, for one platform variant: lines per second
// and megabytes per second for files of 1,000 and 100,000 lines. Windows rules read through C
// stdio with no line limit; the Amiga-family rules read 1023-byte pieces through dos.library
// (the stand-in on a host). It prints figures, it never fails.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "liste.h"
#include "platform.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

// A roster-like line of 30 to 70 bytes; every seventh line has trailing blanks and CR LF.
std::string line_for(unsigned i) {
  std::string line = "Character " + std::to_string(i) + ";" + std::to_string(20 + i % 60) + ";Town " +
                     std::to_string(i % 97) + ";";
  line.append(i % 37, static_cast<char>('a' + i % 26));
  if (i % 7 == 0) line += "  \t\r";
  return line + "\n";
}

void measure(const char* name, unsigned lines) {
  std::uintmax_t bytes = 0;
  {
    std::ofstream out(name, std::ios::binary);
    for (unsigned i = 0; i < lines; ++i) {
      const std::string l = line_for(i);
      out << l;
      bytes += l.size();
    }
  }
  // Repeats the load until half a second has gone by (at least three loads) and keeps the best.
  double best = 1e30;
  unsigned loads = 0, counted = 0;
  const auto start = Clock::now();
  while (loads < 3 || Clock::now() - start < std::chrono::milliseconds(500)) {
    const auto t0 = Clock::now();
    trivelo::Liste list = trivelo::listecharger(name);
    const double seconds = std::chrono::duration<double>(Clock::now() - t0).count();
    counted = trivelo::listecompter(list);
    if (seconds < best) best = seconds;
    ++loads;
  }
  std::printf("%-9s %8u lines %9.2f MB  %12.0f lines/s  %8.1f MB/s  (best of %u loads, %u cells)\n",
              trivelo::platform_name(), lines, bytes / 1e6, lines / best, bytes / 1e6 / best, loads, counted);
}

}  // namespace

int main() {
  std::error_code error;
  const fs::path folder = fs::temp_directory_path() / ("trivelo_liste_bench_" + std::string(trivelo::platform_name()));
  fs::create_directories(folder, error);
  fs::current_path(folder, error);
  if (error) {
    std::printf("cannot work in %s\n", folder.string().c_str());
    return 0;
  }
  // Relative names: an Amiga-family path that starts with "/" would mean the parent folder.
  measure("lines_1000.txt", 1000);
  measure("lines_100000.txt", 100000);
  fs::current_path(fs::temp_directory_path(), error);
  fs::remove_all(folder, error);
  return 0;
}
