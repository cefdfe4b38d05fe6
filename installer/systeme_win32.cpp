// The installer's Win32 calls: the replacement of the game's roster, the folder check (a "*.*"
// listing and a file size) and the running-game test (the game's top-level window). Raw files go
// through stdio (fichier_brut_stdio.cpp).
#include <windows.h>

#include "fichiers.h"
#include "foldercheck.h"
#include "systeme.h"

namespace trivelo::systeme {

namespace {
DWORD attributs(const std::string& chemin) { return GetFileAttributesA(chemin.c_str()); }
}  // namespace

std::string nom(const std::string& chemin) { return chemin; }

bool existe(const std::string& chemin) { return attributs(chemin) != INVALID_FILE_ATTRIBUTES; }

bool est_dossier(const std::string& chemin) {
  const DWORD a = attributs(chemin);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool supprimer(const std::string& chemin) {
  const DWORD a = attributs(chemin);
  if (a == INVALID_FILE_ATTRIBUTES) return true;
  if (a & FILE_ATTRIBUTE_DIRECTORY) return false;
  if (a & FILE_ATTRIBUTE_READONLY) SetFileAttributesA(chemin.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (DeleteFileA(chemin.c_str())) return true;
  return attributs(chemin) == INVALID_FILE_ATTRIBUTES;
}

bool remplacer(const std::string& nouveau, const std::string& destination) {
  const DWORD a = attributs(destination);
  if (a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY)) return false;
  // A read-only roster is replaced all the same: clear the flag first, put it back if the move fails.
  const bool lecture_seule = a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_READONLY);
  if (lecture_seule) SetFileAttributesA(destination.c_str(), (a & ~FILE_ATTRIBUTE_READONLY) | FILE_ATTRIBUTE_NORMAL);
  if (MoveFileExA(nouveau.c_str(), destination.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED |
                                                          MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  if (lecture_seule) SetFileAttributesA(destination.c_str(), a);
  return false;
}

bool dossier_creer(const std::string& chemin) {
  CreateDirectoryA(chemin.c_str(), nullptr);
  return est_dossier(chemin);
}

std::string zone_travail() { return "temp\\"; }

bool listage_possible(const std::string& dossier) {
  std::string motif = dossier;
  cheminterminer(motif);
  motif += "*.*";
  WIN32_FIND_DATAA donnees;
  const HANDLE h = FindFirstFileA(motif.c_str(), &donnees);
  if (h == INVALID_HANDLE_VALUE) return false;
  FindClose(h);
  return true;
}

int64_t taille_fichier(const std::string& chemin) {
  WIN32_FILE_ATTRIBUTE_DATA donnees;
  if (!GetFileAttributesExA(chemin.c_str(), GetFileExInfoStandard, &donnees)) return -1;
  if (donnees.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -1;
  return (static_cast<int64_t>(donnees.nFileSizeHigh) << 32) | donnees.nFileSizeLow;
}

bool verrou_possible(const std::string& chemin) { return existe(chemin); }

bool jeu_en_cours(const std::string&) { return FindWindowA(nullptr, kGameWindowTitle) != nullptr; }

}  // namespace trivelo::systeme
