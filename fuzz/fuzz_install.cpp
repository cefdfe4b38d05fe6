// The whole installation on a generated add-on and game in the working folder, driven through the
// flow and the recording front end. Whatever the rosters, patterns and lists hold:
// - installed: the game's roster is its loaded lines followed by the add-on's, the list of
//   installed add-ons gained one line, and every other change is an image under the game's data/;
// - refused or failed: the game folder is byte for byte as before;
// - either way nothing is written outside the game folder and the work area is left empty.
#include <cstdint>
#include <map>

#include "flow.h"
#include "fuzz_support.h"
#include "installation.h"
#include "liste.h"
#include "platform.h"
#include "recording_frontend.h"
#include "scrambler.h"

#if !defined(TRIVELO_PLATFORM_WINDOWS)
#include <standin/standin.h>
#endif

using namespace trivelo;
namespace fs = std::filesystem;

namespace {

std::string scrambled(std::string_view plain) {
  std::string bytes(plain);
  scramble_block(reinterpret_cast<unsigned char*>(bytes.data()), bytes.size(), scrambling_key(), 0);
  return bytes;
}

std::map<std::string, std::string> snapshot(const fs::path& dir) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(dir)) {
    const std::string rel = fs::relative(entry.path(), dir).generic_string();
    files[entry.is_directory() ? rel + "/" : rel] = entry.is_directory() ? "" : fuzz::read_file(entry.path());
  }
  return files;
}

std::vector<std::string> lines_of(const std::string& file) {
  std::vector<std::string> lines;
  const Liste list = listecharger(file.c_str());
  for (const cellule* c = list.premier(); c != nullptr; c = c->suivant) lines.push_back(*c->texte);
  return lines;
}

fs::path work_dir() {
#if defined(TRIVELO_PLATFORM_WINDOWS)
  return fuzz::folder() / "addon" / "temp";
#else
  return standin::host_path("RAM:T/Felgrove/Trivelo_Extension");
#endif
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::initialise();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::clear();
  fuzz::Pieces pieces(data, size);
  const std::string_view game_roster = pieces.next();
  const std::string_view addon_roster = pieces.next();
  const std::string_view patterns = pieces.next();
  const std::string_view game_list = pieces.next();

  const fs::path root = fuzz::folder();
  fuzz::write_file("game/data/perso.dta", scrambled(game_roster));
  fuzz::write_file(kAmigaFamily ? "game/Trivelo" : "game/Trivelo.exe", "game program");
  fuzz::write_file("game/texte/trivelo_lst_ext.txt", game_list);
  fuzz::write_file("addon/data/perso.dta", scrambled(addon_roster));
  fuzz::write_file("addon/texte/trivlo_extension_fichiers.txt", patterns);
  fuzz::write_file("addon/texte/trivelo_avatars.msg", "01       Fuzzed add-on\n");
  fuzz::write_file("addon/texte/trivelo_extension.msg", "01    003m15\n01    003m14\n");
  fs::create_directories(root / "addon" / "temp");

  // Add-on images for the first characters, under plain names the patterns give.
  fs::current_path(root / "addon");
  const std::vector<std::string> pattern_lines = lines_of(relative_name("texte", "trivlo_extension_fichiers.txt"));
  for (unsigned k = 1; k <= 3; ++k) {
    for (size_t p = 0; p < pattern_lines.size() && p < 4; ++p) {
      const std::string name = avatar_name(pattern_lines[p], k) + ".png";
      if (name.find_first_of(std::string("/\\:\0", 4)) != std::string::npos || name.size() > 200) continue;
      if (name == "perso.dta" || name.rfind("..", 0) == 0) continue;
      fuzz::write_file(fs::path("addon") / "data" / name, "image " + name);
    }
  }
  const auto before = snapshot(root / "game");
  const auto addon_before = snapshot(root / "addon" / "texte");

  Flow flow;
  test::RecordingFrontEnd fe;
  flow.set_language_override(1, 0);
  flow.prepare();
  flow.begin(fe);
  fe.type_path(kAmigaFamily ? std::string("Fuzz:game") : (root / "game").string());
  flow.handle_event(Event::RightButton);
  const InstallReport report = flow.last_install();
  flow.finish();
  fs::current_path(root);

  const auto after = snapshot(root / "game");
  if (report.outcome != InstallOutcome::Installed) {
    if (after != before) fuzz::fault("a refused or failed installation changed the game");
  } else {
    // The merged roster, read back under the same loading rules.
    std::vector<std::string> plain_addon;
    fuzz::write_file("addon_plain.txt", addon_roster);
    plain_addon = lines_of("addon_plain.txt");
    fuzz::write_file("game_plain.txt", scrambled(fuzz::read_file(root / "game" / "data" / "perso.dta")));
    const std::vector<std::string> merged = lines_of("game_plain.txt");
    std::vector<std::string> expected;
    fuzz::write_file("game_before.txt", game_roster);
    expected = lines_of("game_before.txt");
    expected.insert(expected.end(), plain_addon.begin(), plain_addon.end());
    if (merged != expected) fuzz::fault("merged roster is not the game's lines then the add-on's");
    for (const auto& [name, bytes] : after) {
      if (name == "data/perso.dta" || name == "texte/trivelo_lst_ext.txt") continue;
      const auto old = before.find(name);
      if (old != before.end() && old->second == bytes) continue;
      if (name.rfind("data/", 0) != 0) fuzz::fault("installation wrote outside data/: " + name);
    }
    for (const auto& [name, bytes] : before) {
      if (after.count(name) == 0) fuzz::fault("installation removed " + name);
    }
  }
  if (snapshot(root / "addon" / "texte") != addon_before) fuzz::fault("the add-on's texts changed");
  for (const auto& entry : fs::directory_iterator(root)) {
    const std::string name = entry.path().filename().string();
    if (name != "game" && name != "addon" && name != "ram" && name.find(".txt") == std::string::npos) {
      fuzz::fault("a file appeared beside the game: " + name);
    }
  }
  if (fs::exists(work_dir()) && !fs::is_empty(work_dir())) fuzz::fault("work area not empty");
  return 0;
}
