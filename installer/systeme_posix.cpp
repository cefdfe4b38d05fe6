// Host replacements of the installer's Win32 calls, for the Windows-rules build on a POSIX host
// (tests and command-line tools). Names follow the Windows rules: "\" and "/" both separate folders.
// No window exists on the host, so the game is never found running.
#include <filesystem>
#include <system_error>

#include "systeme.h"

namespace trivelo::systeme {

namespace fs = std::filesystem;

std::string nom(const std::string& chemin) {
  std::string resultat = chemin;
  for (char& c : resultat) {
    if (c == '\\') c = '/';
  }
  return resultat;
}

bool existe(const std::string& chemin) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(nom(chemin), ec));
}

bool est_dossier(const std::string& chemin) {
  std::error_code ec;
  return fs::is_directory(nom(chemin), ec);
}

bool supprimer(const std::string& chemin) {
  std::error_code ec;
  const fs::path p = nom(chemin);
  const fs::file_status etat = fs::symlink_status(p, ec);
  if (!fs::exists(etat)) return true;
  if (fs::is_directory(etat)) return false;
  return fs::remove(p, ec) && !ec;
}

bool remplacer(const std::string& nouveau, const std::string& destination) {
  std::error_code ec;
  // rename replaces the destination in one step, whatever its permissions.
  if (fs::is_directory(nom(destination), ec)) return false;
  fs::rename(nom(nouveau), nom(destination), ec);
  return !ec;
}

bool dossier_creer(const std::string& chemin) {
  std::error_code ec;
  fs::create_directory(nom(chemin), ec);
  return fs::is_directory(nom(chemin), ec);
}

std::string zone_travail() { return "temp\\"; }

bool listage_possible(const std::string& dossier) {
  // Windows lists "dossier\*.*"; an empty text lists the root of the current drive.
  std::error_code ec;
  const std::string n = nom(dossier);
  return fs::is_directory(n.empty() ? std::string("/") : n, ec);
}

int64_t taille_fichier(const std::string& chemin) {
  std::error_code ec;
  const fs::path p = nom(chemin);
  if (!fs::is_regular_file(p, ec)) return -1;
  const uintmax_t taille = fs::file_size(p, ec);
  return ec ? -1 : static_cast<int64_t>(taille);
}

bool verrou_possible(const std::string& chemin) { return existe(chemin); }

bool jeu_en_cours(const std::string&) { return false; }

}  // namespace trivelo::systeme
