// Figures for the installer core, printed for one platform variant: the scrambler's throughput on a
// 64 MB roster next to a plain copy of the same file, and a whole installation of 1,000 characters
// with 4 patterns of 16 KB images next to `cp` of the same images. It prints figures, it never fails.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "fichiers.h"
#include "installation.h"
#include "platform.h"
#include "scrambler.h"

#if !defined(TRIVELO_PLATFORM_WINDOWS)
#include <standin/standin.h>

#include "fichiers_amiga.h"
#endif

namespace fs = std::filesystem;
using namespace trivelo;

namespace {

class NullFrontEnd : public FrontEnd {
 public:
  void show_screen(int, const Liste&) override {}
  void set_gauge(int) override {}
  void set_busy(bool) override {}
  std::string read_path_field() override { return {}; }
  void write_path_field(const std::string&) override {}
  std::optional<std::string> ask_for_folder(const std::string&, const std::string&) override { return {}; }
  void show_message(const std::string& title, const std::string& body, MessageKind) override {
    std::printf("  message: %s / %s\n", title.c_str(), body.c_str());
  }
};

void write_file(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

template <typename F>
double seconds(F&& f) {
  const auto start = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Name of a sandbox file as the core is given it.
std::string core_name(const fs::path& root, const std::string& relative) {
  if constexpr (kAmigaFamily) return "Bench:" + relative;
  else return (root / relative).string();
}

std::string scrambled(std::string bytes) {
  scramble_block(reinterpret_cast<unsigned char*>(bytes.data()), bytes.size(), scrambling_key(), 0);
  return bytes;
}

void bench_scrambler(const fs::path& root) {
  const size_t size = 64u << 20;
  std::string plain(size, '\0');
  std::mt19937 random(1);
  for (char& c : plain) c = static_cast<char>('a' + random() % 26);
  write_file(root / "roster.txt", plain);
  plain.clear();
  plain.shrink_to_fit();

  double best_scramble = 1e9, best_unscramble = 1e9, best_copy = 1e9;
  for (int round = 0; round < 3; ++round) {
    best_copy = std::min(best_copy, seconds([&] {
      fichiercopier2(core_name(root, "roster.txt").c_str(), core_name(root, "copy.txt").c_str(), true);
    }));
    best_scramble = std::min(best_scramble, seconds([&] {
      scramble_roster(core_name(root, "roster.txt"), core_name(root, "perso.dta"));
    }));
    best_unscramble = std::min(best_unscramble, seconds([&] {
      unscramble_roster(core_name(root, "perso.dta"), core_name(root, "back.txt"));
    }));
  }
  const double mb = static_cast<double>(size) / (1 << 20);
  std::printf("scrambler, 64 MB roster (best of 3):\n");
  std::printf("  plain copy (fichiercopier2)  %7.3f s  %8.1f MB/s\n", best_copy, mb / best_copy);
  std::printf("  scramble (beside + replace)  %7.3f s  %8.1f MB/s  %.2fx the copy (target: within 2x)\n",
              best_scramble, mb / best_scramble, best_scramble / best_copy);
  std::printf("  unscramble (work file)       %7.3f s  %8.1f MB/s  %.2fx the copy\n", best_unscramble,
              mb / best_unscramble, best_unscramble / best_copy);
  fs::remove(root / "roster.txt");
  fs::remove(root / "copy.txt");
  fs::remove(root / "perso.dta");
  fs::remove(root / "back.txt");
}

void bench_installation(const fs::path& root) {
  const unsigned n = 1000, c = 12;
  const char* patterns[] = {"perso@", "perso@_small", "mini@", "fiche@_b"};
  const fs::path addon = root / "addon", game = root / "game";
  std::string roster;
  for (unsigned k = 1; k <= n; ++k) roster += "Knight " + std::to_string(k) + ";felgrove\n";
  write_file(addon / "data" / "perso.dta", scrambled(roster));
  std::string list;
  for (const char* p : patterns) list += std::string(p) + "\n";
  write_file(addon / "texte" / "trivlo_extension_fichiers.txt", list);
  std::string image(16 * 1024, '\0');
  std::mt19937 random(2);
  for (char& b : image) b = static_cast<char>(random());
  fs::create_directories(addon / "temp");
  for (unsigned k = 1; k <= n; ++k) {
    for (const char* p : patterns) write_file(addon / "data" / (avatar_name(p, k) + ".png"), image);
  }
  std::string game_roster;
  for (unsigned k = 1; k <= c; ++k) game_roster += "Hero " + std::to_string(k) + "\n";
  write_file(game / "data" / "perso.dta", scrambled(game_roster));
  write_file(game / "texte" / "trivelo_lst_ext.txt", "Base\n");
  write_file(game / (kAmigaFamily ? "Trivelo" : "Trivelo.exe"), "game");

  // The same images copied by cp into a fresh folder.
  fs::create_directories(root / "cp");
  const std::string command = "cp -p " + (addon / "data").string() + "/*.png " + (root / "cp").string() + "/";
  const double cp_time = seconds([&] { std::system(command.c_str()); });

  const fs::path previous = fs::current_path();
  fs::current_path(addon);
  NullFrontEnd front_end;
  Liste catalogue;
  InstallReport report;
  const std::string folder = kAmigaFamily ? std::string("Bench:game") : game.string();
  const double install_time = seconds([&] { report = install_addon(folder, "Bench add-on", catalogue, front_end); });
  fs::current_path(previous);

  std::printf("installation, %u characters x 4 patterns of 16 KB images (%u copies):\n", n, report.copied_images);
  std::printf("  cp of the same images        %7.3f s\n", cp_time);
  std::printf("  whole installation           %7.3f s  %.2fx cp (target: within 1.5x)%s\n", install_time,
              install_time / cp_time, report.outcome == InstallOutcome::Installed ? "" : "  [NOT INSTALLED]");
}

}  // namespace

int main() {
  const fs::path root = fs::temp_directory_path() / ("trivelo-bench-" + std::to_string(std::random_device()()));
  fs::create_directories(root);
  std::printf("installer core, %s rules\n", platform_name());
#if !defined(TRIVELO_PLATFORM_WINDOWS)
  standin::reset();
  standin::set_volume("Bench", root.string());
  std::string error;
  BPTR lock = 0;
  if (!temporairecreer(kNomProgramme, error, lock)) std::printf("workspace: %s", error.c_str());
#endif
  bench_scrambler(root);
  bench_installation(root);
#if !defined(TRIVELO_PLATFORM_WINDOWS)
  temporairesupprimer(kNomProgramme, lock);
#endif
  std::error_code ec;
  fs::remove_all(root, ec);
  return 0;
}
