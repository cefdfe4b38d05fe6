// The installer flow: prepares the texts before any window exists, composes the window title,
// turns the user's events into steps (browse, install attempt, back, end) on the two screens,
// and releases everything at the end.
#pragma once

#include <cstdint>
#include <string>

#include "frontend.h"
#include "installation.h"
#include "liste.h"

namespace trivelo {

class Flow {
 public:
  // Start-up: language and fallback, catalogue, add-on title list, window title.
  void prepare();
  // The front end's window is open with its logo: builds screen 1 (gauge 5) through it.
  void begin(FrontEnd& front_end);
  // Handles one user event; returns the quit flag.
  bool handle_event(Event event);
  // Frees the catalogue and the add-on title list.
  void finish();

  int32_t language() const { return language_; }
  uint32_t code_set() const { return code_set_; }
  const Liste& catalogue() const { return catalogue_; }
  const std::string& text(uint32_t n) const { return listelire(catalogue_, n); }
  // Message 1, then a space and the add-on title when a title line matched the language
  // (cut to 255 bytes on the Amiga family, whose title buffer holds 256).
  const std::string& window_title() const { return window_title_; }
  // The add-on title of the matched title line; false when no line matched.
  bool has_title_line() const { return has_title_line_; }
  const std::string& addon_title() const { return addon_title_; }
  // The title an installation registers: the matched line's; when no line matched, the English
  // line's, else the first line's. False when the title list is empty (an attempt is then refused).
  bool has_install_title() const { return has_install_title_; }
  const std::string& install_title() const { return install_title_; }
  // What the last installation did (outcome, counts, failure text).
  const InstallReport& last_install() const { return last_install_; }
  int screen() const { return screen_; }
  const std::string& remembered_path() const { return remembered_path_; }
  bool quit() const { return quit_; }

  // Tests and tools may fix the language instead of asking the system.
  void set_language_override(int32_t language, uint32_t code_set) {
    language_override_ = true;
    language_ = language;
    code_set_ = code_set;
  }

 private:
  void browse();
  void install_attempt();
  void back();

  FrontEnd* front_end_ = nullptr;
  bool language_override_ = false;
  int32_t language_ = 1;
  uint32_t code_set_ = 0;
  Liste catalogue_;
  Liste title_list_;
  bool has_title_line_ = false;
  std::string addon_title_;
  bool has_install_title_ = false;
  std::string install_title_;
  InstallReport last_install_;
  std::string window_title_;
  int screen_ = kScreenChooseFolder;
  std::string remembered_path_;
  bool quit_ = false;
};

}  // namespace trivelo
