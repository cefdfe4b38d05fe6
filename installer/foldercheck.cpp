#include "foldercheck.h"

#include "chaine.h"
#include "fichiers.h"
#include "messages.h"
#include "platform.h"
#include "systeme.h"

namespace trivelo {

namespace {

constexpr uint32_t kMessageTitle = 15;
constexpr uint32_t kMessageFolderRefused = 14;
constexpr uint32_t kMessageGameRunning = kPlatform == Platform::MorphOS ? 17 : 23;

std::string game_file_path(std::string folder) {
  cheminterminer(folder);
  return folder + game_file_name();
}

bool folder_holds_game(std::string& folder) {
  if constexpr (kAmigaFamily) {
    // The path buffers hold 2047 bytes; a longer path is not cut but refused.
    if (folder.size() > kLongestPath) return false;
    if (!systeme::verrou_possible(folder)) return false;
    // A shared lock on the empty name is granted for the current folder: the trim is what refuses
    // an empty path field.
    chainenettoyerfin(folder);
    if (folder.empty()) return false;
    return systeme::verrou_possible(game_file_path(folder));
  } else {
    if (!systeme::listage_possible(folder)) return false;
    std::string trimmed = folder;
    if (chainenettoyerfin(trimmed).empty()) return false;
    return systeme::taille_fichier(game_file_path(folder)) >= 0;
  }
}

}  // namespace

const char* game_file_name() { return kAmigaFamily ? "Trivelo" : "Trivelo.exe"; }

void show_folder_refused(const Liste& catalogue, FrontEnd& front_end) {
  front_end.show_message(message(catalogue, kMessageTitle), message(catalogue, kMessageFolderRefused),
                         MessageKind::FolderRefused);
}

bool check_game_folder(std::string& folder, const Liste& catalogue, FrontEnd& front_end) {
  if (folder_holds_game(folder)) return true;
  show_folder_refused(catalogue, front_end);
  return false;
}

RunningTest test_game_running(const std::string& folder, const Liste& catalogue, FrontEnd& front_end) {
  const std::string game_file = game_file_path(folder);
  if constexpr (kPlatform == Platform::MorphOS) {
    if (!systeme::verrou_possible(game_file)) return RunningTest::Stop;
  }
  if (!systeme::jeu_en_cours(game_file)) return RunningTest::NotRunning;
  front_end.show_message(message(catalogue, kMessageTitle), message(catalogue, kMessageGameRunning),
                         MessageKind::GameRunning);
  return RunningTest::Running;
}

}  // namespace trivelo
