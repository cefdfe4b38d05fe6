// The toolkit's Win32 calls: the user-interface language and the file copy.
#include <windows.h>

#include "fichiers.h"
#include "messages.h"

namespace trivelo {

int32_t languedetecter(uint32_t& jeu) {
  // Windows texts need no code set: the catalogue's bytes go to the ANSI calls unchanged.
  jeu = 0;
  return langue_windows(static_cast<uint16_t>(GetUserDefaultUILanguage()));
}

bool fichiercopier2(const char* source, const char* destination, bool /*garder_date*/) {
  // CopyFileA replaces an existing destination, keeps the modification time and removes what it
  // wrote when the copy fails half-way.
  if (source == nullptr || destination == nullptr) return false;
  return CopyFileA(source, destination, FALSE) != FALSE;
}

}  // namespace trivelo
