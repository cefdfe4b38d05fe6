// The few system calls of the installer core, one implementation per platform family:
// systeme_win32.cpp (Windows), systeme_posix.cpp (the Windows rules on a POSIX host, for tests and
// tools) and systeme_amiga.cpp (dos, exec and application.library on MorphOS and AmigaOS 4).
// Everything else in installer/ is pure code built on these.
#pragma once

#include <cstdint>
#include <string>

namespace trivelo::systeme {

// The name handed to the file system. Windows takes "\" and "/" alike; the host replacement of the
// Windows build turns "\" into "/" so that the relative names the build writes ("data\perso.dta")
// reach the same files. Unchanged everywhere else.
std::string nom(const std::string& chemin);

// A file read or written as raw bytes, in blocks.
class FichierBrut {
 public:
  FichierBrut() = default;
  ~FichierBrut();
  FichierBrut(const FichierBrut&) = delete;
  FichierBrut& operator=(const FichierBrut&) = delete;

  bool ouvrir_lecture(const std::string& chemin);
  // Creates the file, or empties it when it exists.
  bool ouvrir_ecriture(const std::string& chemin);
  // Bytes read into the buffer; 0 at the end of the file; -1 on a read error.
  long lire(void* tampon, long taille);
  // False unless every byte was written.
  bool ecrire(const void* tampon, long taille);
  // Closes the file; false when it was not open, a write failed or the close failed.
  bool fermer();

 private:
  void* fichier_ = nullptr;
  bool erreur_ = false;
};

// True when a file or a folder of that name exists.
bool existe(const std::string& chemin);
// True when the name is a folder.
bool est_dossier(const std::string& chemin);
// Removes a file (a read-only one too). True when no file of that name is left afterwards.
bool supprimer(const std::string& chemin);
// Puts a complete new file in place of the destination, which may be read-only and may be missing.
// On failure the destination is left as it was and the new file stays where it is.
bool remplacer(const std::string& nouveau, const std::string& destination);
// Creates a folder; true when it exists afterwards.
bool dossier_creer(const std::string& chemin);

// Folder of the work files, ending in a separator: "temp\" in the add-on's folder on Windows, the
// workspace in RAM: on the Amiga family.
std::string zone_travail();

// Folder check on Windows: a listing of the folder with the pattern "*.*" can be started; the size of
// a file, negative when there is no such file (or the name is a folder).
bool listage_possible(const std::string& dossier);
int64_t taille_fichier(const std::string& chemin);
// Folder check on the Amiga family: a shared lock on the name can be obtained (file or drawer).
bool verrou_possible(const std::string& chemin);

// Whether the game is running: Windows looks for its window, AmigaOS 4 for its application,
// MorphOS for its process. The game file path is only used by MorphOS.
bool jeu_en_cours(const std::string& fichier_jeu);

}  // namespace trivelo::systeme
