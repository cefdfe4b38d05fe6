#include "fixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <random>
#include <sstream>

#include "chaine.h"
#include "installation.h"
#include "scrambler.h"

#if !defined(TRIVELO_PLATFORM_WINDOWS)
#include <standin/standin.h>

#include "fichiers_amiga.h"
#endif

namespace trivelo::test {

std::string read_file(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void write_file(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string scramble_bytes(std::string bytes) {
  scramble_block(reinterpret_cast<unsigned char*>(bytes.data()), bytes.size(), scrambling_key(), 0);
  return bytes;
}

std::string join_lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& l : lines) text += l + "\n";
  return text;
}

std::vector<std::string> roster_lines(const fs::path& roster) {
  const std::string plain = scramble_bytes(read_file(roster));
  std::vector<std::string> lines;
  std::string line;
  for (char c : plain) {
    if (c == '\n') {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
      line.clear();
    } else {
      line.push_back(c);
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

std::map<std::string, std::string> snapshot(const fs::path& dir) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(dir)) {
    const std::string rel = fs::relative(entry.path(), dir).generic_string();
    if (entry.is_directory()) files[rel + "/"] = "";
    else files[rel] = read_file(entry.path());
  }
  return files;
}

std::string catalogue_line(int language, const std::string& text) {
  char head[16];
  std::snprintf(head, sizeof head, "%02d    %03u", language, static_cast<unsigned>(text.size()));
  return head + text;
}

std::string message_text(unsigned n) { return "m" + std::to_string(n); }

std::string game_character(unsigned k) { return "Game hero " + std::to_string(k) + ";quiz;" + std::to_string(k * 7); }
std::string addon_character(unsigned k) { return "Knight " + std::to_string(k) + ";felgrove;" + std::to_string(k * 3); }

namespace {

fs::path fresh_root() {
  static std::atomic<unsigned> counter{0};
  std::random_device rd;
  const fs::path base = fs::temp_directory_path() /
                        ("trivelo-installer-" + std::to_string(rd()) + "-" + std::to_string(counter++));
  fs::create_directories(base);
  return base;
}

}  // namespace

Sandbox::Sandbox() {
  previous_dir_ = fs::current_path();
  root = fresh_root();
  addon = root / "addon";
  game = root / "game";
  fs::create_directories(addon);
  fs::create_directories(game);
  fs::current_path(addon);
  reset_system();
}

void Sandbox::reset_system() {
#if !defined(TRIVELO_PLATFORM_WINDOWS)
  standin::reset();
  standin::set_volume("Work", root.string());
  std::string error;
  workspace_lock_ = 0;
  if (!temporairecreer(kNomProgramme, error, workspace_lock_)) ADD_FAILURE() << "workspace: " << error;
#endif
}

Sandbox::~Sandbox() {
#if !defined(TRIVELO_PLATFORM_WINDOWS)
  temporairesupprimer(kNomProgramme, workspace_lock_);
  standin::reset();
#endif
  fs::current_path(previous_dir_);
  std::error_code ec;
  fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(root, ec);
}

std::string Sandbox::user_path(const std::string& relative) const {
  if constexpr (kAmigaFamily) return relative.empty() ? "Work:" : "Work:" + relative;
  else return (root / relative).string();
}

std::string Sandbox::game_folder() const { return user_path("game"); }

fs::path Sandbox::work_dir() const {
#if defined(TRIVELO_PLATFORM_WINDOWS)
  return addon / "temp";
#else
  return standin::host_path("RAM:T/Felgrove/Trivelo_Extension");
#endif
}

std::string Sandbox::addon_image(const std::string& name) { return "PNG addon image " + name; }
std::string Sandbox::game_image(const std::string& name) { return "PNG game image " + name; }

void Sandbox::make_game(const GameSpec& spec) {
  std::vector<std::string> lines;
  for (unsigned k = 1; k <= spec.characters; ++k) lines.push_back(game_character(k));
  write_file(game / "data" / "perso.dta", scramble_bytes(join_lines(lines)));
  write_file(game / (kAmigaFamily ? "Trivelo" : "Trivelo.exe"), "game program");
  if (spec.list_file) {
    std::string list;
    for (const std::string& t : spec.titles) list += t + (kAmigaFamily ? "\n" : "\r\n");
    write_file(game / "texte" / "trivelo_lst_ext.txt", list);
  } else {
    fs::create_directories(game / "texte");
  }
  for (unsigned k = 1; k <= spec.characters; ++k) {
    const std::string name = "perso" + std::to_string(k) + "_a.png";
    write_file(game / "data" / name, game_image(name));
  }
}

void Sandbox::make_addon(const AddonSpec& spec) {
  std::vector<std::string> lines;
  for (unsigned k = 1; k <= spec.characters; ++k) lines.push_back(addon_character(k));
  write_file(addon / "data" / "perso.dta", scramble_bytes(join_lines(lines)));
  write_file(addon / "texte" / "trivlo_extension_fichiers.txt", join_lines(spec.patterns));
  write_file(addon / "texte" / "trivelo_avatars.msg", spec.title_lines);
  std::string catalogue;
  for (int language : {0, 1, 2, 3}) {
    for (unsigned n = 1; n <= 40; ++n) catalogue += catalogue_line(language, message_text(n)) + "\r\n";
  }
  write_file(addon / "texte" / "trivelo_extension.msg", catalogue);
  write_file(addon / "data" / "install.png", "logo");
  for (unsigned k = 1; k <= spec.characters; ++k) {
    for (const std::string& pattern : spec.patterns) {
      if (!pattern_is_safe(pattern)) continue;
      const std::string name = avatar_name(pattern, k) + ".png";
      write_file(addon / "data" / name, addon_image(name));
    }
  }
  if (spec.temp_folder) fs::create_directories(addon / "temp");
}

}  // namespace trivelo::test
