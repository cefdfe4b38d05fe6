// The installation proper: registers the add-on's title in the game's list of installed add-ons,
// merges the add-on's characters into the game's scrambled roster and copies the add-on's avatar
// images into the game's data folder under the numbers that follow the game's characters. The
// gauge follows the work from 15 to 30 + n * floor(70 / n).
//
// Everything that can be checked is checked before the game folder is written to; a step that
// fails all the same undoes what the attempt wrote, so the game is left exactly as it was.
#pragma once

#include <string>

#include "frontend.h"
#include "liste.h"

namespace trivelo {

enum class InstallOutcome {
  Installed,  // every step done; the caller shows the done screen
  Refused,    // stopped before anything was written; the folder-refused message has been shown
  Failed,     // a step failed; what was written is undone and the failure message has been shown
};

struct InstallReport {
  InstallOutcome outcome = InstallOutcome::Failed;
  unsigned characters = 0;        // n, the add-on's characters appended to the roster
  unsigned game_characters = 0;   // c, the game's characters before the merge
  unsigned copied_images = 0;
  unsigned missing_images = 0;    // images the patterns name but the add-on lacks: not copied
  unsigned unsafe_patterns = 0;   // patterns that would write outside the game's data folder
  std::string failure;            // the failure message's body
};

// `title` is the line registered in the game's list of installed add-ons.
InstallReport install_addon(const std::string& game_folder, const std::string& title, const Liste& catalogue,
                            FrontEnd& front_end);

// Relative name in the add-on's folder with the build's separator ("data\perso.dta" on Windows).
std::string relative_name(const char* folder, const std::string& file);

// File name of one avatar image for a pattern and a character number: the first "@" is replaced by
// the number, a pattern without "@" gets it at its end.
std::string avatar_name(const std::string& pattern, unsigned number);

// A pattern that names a file inside the data folder: no ".." component, no leading "/" or "\",
// no ":" (drive or volume) anywhere.
bool pattern_is_safe(const std::string& pattern);

// Amiga family: every line of the file fits the 1024-byte line buffer, so loading it splits none.
bool lines_fit_buffer(const std::string& file);

}  // namespace trivelo
