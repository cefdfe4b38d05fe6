// Prints the language the Windows build detects from the user-interface language of the system
// that runs it, so a test can run it under several locales.
#include <cstdio>

#include "messages.h"

int main() {
  uint32_t jeu = 99;
  const int32_t langue = trivelo::languedetecter(jeu);
  std::printf("langue=%d jeu=%u\n", static_cast<int>(langue), static_cast<unsigned>(jeu));
  return 0;
}
