// The catalogue loader: any file, in any language, gives a catalogue whose texts are pieces of its
// lines, never longer than the line they come from; the line parser alone agrees with it.
#include <cstdint>

#include "fuzz_support.h"
#include "liste.h"
#include "messages.h"

using namespace trivelo;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::initialise();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const int32_t language = static_cast<int32_t>(data[0] % 13);
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  fuzz::write_file("catalogue.msg", bytes);
  Liste catalogue = messagescharger("catalogue.msg", language);
  for (const cellule* c = catalogue.premier(); c != nullptr; c = c->suivant) {
    if (!c->texte) fuzz::fault("a message without text");
    if (c->texte->size() > bytes.size()) fuzz::fault("a message longer than the file");
  }
  // Past the last message and at 0: the empty text.
  const uint32_t count = listecompter(catalogue);
  if (!message(catalogue, 0).empty() || !message(catalogue, count + 1).empty()) fuzz::fault("message out of range");

  // The line parser on the raw input as one line.
  std::string text;
  const std::string line(bytes);
  if (ligne_catalogue(line, language, text) && text.size() > line.size()) fuzz::fault("text longer than its line");
  return 0;
}
