// The add-on title list and its match: any title list (with any catalogue) prepares the flow; the
// window title is message 1, a space and the matched title, cut to the Amiga-family buffer, and the
// registered title is a tail of a line of the list.
#include <cstdint>

#include "flow.h"
#include "fuzz_support.h"
#include "liste.h"
#include "platform.h"

using namespace trivelo;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::initialise();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const int32_t language = static_cast<int32_t>(data[0] % 13);
  fuzz::Pieces pieces(data + 1, size - 1);
  const std::string_view titles = pieces.next();
  const std::string_view catalogue = pieces.next();
  fuzz::write_file("texte/trivelo_avatars.msg", titles);
  fuzz::write_file("texte/trivelo_extension.msg", catalogue);

  Flow flow;
  flow.set_language_override(language, 0);
  flow.prepare();
  if (kAmigaFamily && flow.window_title().size() > kTitleBufferSize - 1) fuzz::fault("window title past its buffer");
  if (flow.window_title().rfind(flow.text(1).substr(0, flow.window_title().size()), 0) != 0) {
    fuzz::fault("window title does not start with message 1");
  }
  if (flow.has_install_title() && flow.install_title().size() > titles.size()) fuzz::fault("title longer than its list");
  if (flow.has_title_line() && !flow.has_install_title()) fuzz::fault("a matched line but no title to register");
  flow.finish();
  return 0;
}
