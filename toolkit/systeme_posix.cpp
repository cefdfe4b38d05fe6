// Host replacements of the toolkit's Win32 calls, for the Windows-rules build on a POSIX host
// (tests and command-line tools): the user-interface language and the file copy.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "fichiers.h"
#include "messages.h"

namespace trivelo {

namespace {

// English (United States) unless TRIVELO_UI_LANGUAGE holds a language identifier written in
// hexadecimal, as Windows shows them (040C, 0x0C0A, ...).
uint16_t identifiant_langue() {
  const char* texte = std::getenv("TRIVELO_UI_LANGUAGE");
  if (texte != nullptr && *texte != '\0') {
    char* fin = nullptr;
    errno = 0;
    const unsigned long valeur = std::strtoul(texte, &fin, 16);
    if (errno == 0 && fin != texte && *fin == '\0' && valeur <= 0xFFFF) return static_cast<uint16_t>(valeur);
  }
  return 0x0409;
}

}  // namespace

int32_t languedetecter(uint32_t& jeu) {
  jeu = 0;
  return langue_windows(identifiant_langue());
}

bool fichiercopier2(const char* source, const char* destination, bool /*garder_date*/) {
  namespace fs = std::filesystem;
  if (source == nullptr || destination == nullptr) return false;
  std::error_code ec;
  // Copying a file onto itself would empty it when the destination is truncated.
  if (fs::exists(destination, ec) && fs::equivalent(source, destination, ec)) return false;

  std::FILE* entree = std::fopen(source, "rb");
  if (entree == nullptr) return false;
  std::FILE* sortie = std::fopen(destination, "wb");
  if (sortie == nullptr) {
    std::fclose(entree);
    return false;
  }

  std::vector<char> tampon(1 << 20);
  bool ok = true;
  for (;;) {
    const size_t lu = std::fread(tampon.data(), 1, tampon.size(), entree);
    if (lu > 0 && std::fwrite(tampon.data(), 1, lu, sortie) != lu) {
      ok = false;
      break;
    }
    if (lu < tampon.size()) {
      if (std::ferror(entree)) ok = false;
      break;
    }
  }
  if (std::fclose(sortie) != 0) ok = false;
  std::fclose(entree);

  // Like CopyFileA, the copy keeps the source's modification time, whatever the flag says.
  if (ok) {
    const fs::file_time_type date = fs::last_write_time(source, ec);
    if (ec) ok = false;
    else fs::last_write_time(destination, date, ec);
    if (ec) ok = false;
  }
  // What was written is incomplete: remove it, but never a device or anything else that is not a
  // plain file.
  if (!ok && fs::is_regular_file(destination, ec)) fs::remove(destination, ec);
  return ok;
}

}  // namespace trivelo
