// Prints the plain text of a scrambled roster, byte for byte, so that the end-to-end tests can read
// what an installation wrote into the game's roster.
//
//   trivelo_roster_dump ROSTER
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>

#include "scrambler.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: trivelo_roster_dump ROSTER\n");
    return 2;
  }
  // The plain text goes to a temporary file, never beside the roster: the game folder stays as it is.
  char folder[MAX_PATH];
  char file[MAX_PATH];
  if (GetTempPathA(MAX_PATH, folder) == 0 || GetTempFileNameA(folder, "trv", 0, file) == 0) return 1;
  const std::string plain = file;
  if (trivelo::unscramble_roster(argv[1], plain) != trivelo::ScrambleResult::Done) {
    std::fprintf(stderr, "cannot unscramble %s\n", argv[1]);
    return 1;
  }
  std::FILE* in = std::fopen(plain.c_str(), "rb");
  if (in == nullptr) return 1;
  _setmode(_fileno(stdout), _O_BINARY);
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0) std::fwrite(buffer, 1, n, stdout);
  std::fclose(in);
  std::remove(plain.c_str());
  return 0;
}
