// Sandboxes for the installer tests: a fresh folder holding an add-on (the working directory, as
// when a player starts the installer from the add-on's folder) and a game installation.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "liste.h"
#include "platform.h"

#if !defined(TRIVELO_PLATFORM_WINDOWS)
#include <dos/dos.h>
#endif

namespace trivelo::test {

namespace fs = std::filesystem;

std::string read_file(const fs::path& path);
void write_file(const fs::path& path, const std::string& bytes);
// The scrambling transform applied in memory (its own inverse).
std::string scramble_bytes(std::string bytes);
// Lines joined with LF, and the unscrambled lines of a roster file.
std::string join_lines(const std::vector<std::string>& lines);
std::vector<std::string> roster_lines(const fs::path& roster);
// Every file under a folder with its bytes, keyed by relative path; folders appear with "/" at
// their end, so a created folder shows as a change too.
std::map<std::string, std::string> snapshot(const fs::path& dir);

// A catalogue line: language field, four blanks, length field, text.
std::string catalogue_line(int language, const std::string& text);
// Message N of the test catalogue in every language: "m" followed by N ("m15", "m14").
std::string message_text(unsigned n);

struct GameSpec {
  unsigned characters = 12;                       // c
  std::vector<std::string> titles = {"Base game"};  // lines of texte/trivelo_lst_ext.txt
  bool list_file = true;                          // the game ships that file
};

struct AddonSpec {
  unsigned characters = 7;                                  // n
  std::vector<std::string> patterns = {"perso@_a", "mini@"};  // texte/trivlo_extension_fichiers.txt
  std::string title_lines = "01       Knights of Felgrove\n00       Chevaliers de Felgrove\n";
  bool temp_folder = true;                                  // Windows: the add-on ships temp/
};

class Sandbox {
 public:
  Sandbox();
  ~Sandbox();
  Sandbox(const Sandbox&) = delete;
  Sandbox& operator=(const Sandbox&) = delete;

  void make_game(const GameSpec& spec = GameSpec());
  void make_addon(const AddonSpec& spec = AddonSpec());

  // The game folder as the user types it ("Work:game" on the Amiga family, a host path on Windows).
  std::string game_folder() const;
  // A folder of the sandbox as the user types it.
  std::string user_path(const std::string& relative) const;
  // Host folder of the work files.
  fs::path work_dir() const;
  // Contents of an add-on image and of a game image.
  static std::string addon_image(const std::string& pattern_name);
  static std::string game_image(const std::string& name);
  // Amiga family: the stand-in as at a fresh start (no tasks, applications or failures), with the
  // sandbox's volume and workspace set up again.
  void reset_system();
  std::vector<std::string> game_roster() const { return roster_lines(game / "data" / "perso.dta"); }

  fs::path root, addon, game;

 private:
  fs::path previous_dir_;
#if !defined(TRIVELO_PLATFORM_WINDOWS)
  BPTR workspace_lock_ = 0;
#endif
};

// Character names used by the fixtures.
std::string game_character(unsigned k);
std::string addon_character(unsigned k);

}  // namespace trivelo::test
