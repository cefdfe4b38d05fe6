// The line loader on this build's rules: any file loads into lines that hold no line end, end in no
// blank, fit the Amiga-family line buffer there, and save and load back to the same lines.
#include <cstdint>

#include "fuzz_support.h"
#include "liste.h"
#include "platform.h"

using namespace trivelo;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::initialise();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::write_file("lines.txt", std::string_view(reinterpret_cast<const char*>(data), size));
  bool read = false;
  Liste lines = listecharger("lines.txt", &read);
  if (!read) fuzz::fault("an existing file was not read");
  size_t total = 0;
  for (const cellule* c = lines.premier(); c != nullptr; c = c->suivant) {
    if (!c->texte) fuzz::fault("a line without text");
    const std::string& t = *c->texte;
    total += t.size();
    if (t.find('\n') != std::string::npos) fuzz::fault("a line holds LF");
    if (!kAmigaFamily && t.find('\r') != std::string::npos) fuzz::fault("a line holds CR on Windows");
    if (!t.empty() && static_cast<unsigned char>(t.back()) <= 0x20) fuzz::fault("a line ends in a blank");
    if (kAmigaFamily && t.size() > kLineBufferSize - 1) fuzz::fault("a line longer than the buffer");
  }
  if (total > size) fuzz::fault("more text than the file holds");

  // Saved and loaded again, the lines come back unchanged (none has trailing blanks). On the Amiga
  // family a line that fills the read buffer exactly (1023 bytes) comes back followed by an empty
  // line, its line end being read on its own: the installer refuses such files (lines_fit_buffer),
  // so the round trip is checked only below that length.
  for (const cellule* c = lines.premier(); c != nullptr; c = c->suivant) {
    if (kAmigaFamily && c->texte->size() >= kLineBufferSize - 1) return 0;
  }
  if (!listesauver3("again.txt", lines)) fuzz::fault("saving failed");
  Liste again = listecharger("again.txt", &read);
  const cellule* a = lines.premier();
  const cellule* b = again.premier();
  for (; a != nullptr && b != nullptr; a = a->suivant, b = b->suivant) {
    // A NUL byte inside a line may end it early when read back; the loader's own output is checked
    // only up to it.
    if (a->texte->find('\0') != std::string::npos) return 0;
    if (*a->texte != *b->texte) fuzz::fault("a saved line loads back differently");
  }
  if (a != nullptr || b != nullptr) fuzz::fault("a saved list loads back with another count");
  return 0;
}
