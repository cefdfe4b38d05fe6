// The installer's system calls on MorphOS and AmigaOS 4: raw files and locks through dos.library,
// the replacement of the game's roster (dos Rename never replaces an existing object), and the
// running-game test (application.library on AmigaOS 4, the process list on MorphOS).
#include <proto/dos.h>
#include <proto/exec.h>
#if defined(TRIVELO_PLATFORM_AMIGAOS4)
#include <proto/application.h>
#endif

#include <cctype>
#include <cstring>

#include "fichiers_amiga.h"
#include "foldercheck.h"
#include "systeme.h"

namespace trivelo::systeme {

namespace {

BPTR handle(void* f) { return reinterpret_cast<BPTR>(f); }

// Examines a name; false when it cannot be locked.
bool examiner(const std::string& chemin, LONG& type, int64_t& taille) {
  BPTR verrou = Lock(chemin.c_str(), SHARED_LOCK);
  if (!verrou) return false;
  bool ok = false;
  auto* fib = static_cast<struct FileInfoBlock*>(AllocDosObject(DOS_FIB, nullptr));
  if (fib != nullptr) {
    if (Examine(verrou, fib)) {
      type = fib->fib_DirEntryType;
      taille = fib->fib_Size;
      ok = true;
    }
    FreeDosObject(DOS_FIB, fib);
  }
  UnLock(verrou);
  return ok;
}

bool renommer(const std::string& de, const std::string& vers) { return Rename(de.c_str(), vers.c_str()) != 0; }

}  // namespace

std::string nom(const std::string& chemin) { return chemin; }

FichierBrut::~FichierBrut() { fermer(); }

bool FichierBrut::ouvrir_lecture(const std::string& chemin) {
  fermer();
  erreur_ = false;
  BPTR fh = Open(chemin.c_str(), MODE_OLDFILE);
  fichier_ = reinterpret_cast<void*>(fh);
  return fh != 0;
}

bool FichierBrut::ouvrir_ecriture(const std::string& chemin) {
  fermer();
  erreur_ = false;
  BPTR fh = Open(chemin.c_str(), MODE_NEWFILE);
  fichier_ = reinterpret_cast<void*>(fh);
  return fh != 0;
}

long FichierBrut::lire(void* tampon, long taille) {
  if (fichier_ == nullptr) return -1;
  const LONG n = Read(handle(fichier_), tampon, static_cast<LONG>(taille));
  return n < 0 ? -1 : static_cast<long>(n);
}

bool FichierBrut::ecrire(const void* tampon, long taille) {
  if (fichier_ == nullptr) return false;
  if (taille == 0) return true;
  if (Write(handle(fichier_), tampon, static_cast<LONG>(taille)) != static_cast<LONG>(taille)) {
    erreur_ = true;
    return false;
  }
  return true;
}

bool FichierBrut::fermer() {
  if (fichier_ == nullptr) return false;
  if (!Close(handle(fichier_))) erreur_ = true;
  fichier_ = nullptr;
  return !erreur_;
}

bool existe(const std::string& chemin) {
  BPTR verrou = Lock(chemin.c_str(), SHARED_LOCK);
  if (verrou) {
    UnLock(verrou);
    return true;
  }
  return IoErr() == ERROR_OBJECT_IN_USE;
}

bool est_dossier(const std::string& chemin) {
  LONG type = 0;
  int64_t taille = 0;
  return examiner(chemin, type, taille) && type > 0;
}

bool supprimer(const std::string& chemin) {
  if (!existe(chemin)) return true;
  if (est_dossier(chemin)) return false;
  if (DeleteFile(chemin.c_str())) return true;
  // A delete-protected file goes all the same: it is ours to replace.
  if (IoErr() == ERROR_DELETE_PROTECTED && SetProtection(chemin.c_str(), 0) && DeleteFile(chemin.c_str())) {
    return true;
  }
  return !existe(chemin);
}

bool remplacer(const std::string& nouveau, const std::string& destination) {
  if (!existe(destination)) return renommer(nouveau, destination);
  if (est_dossier(destination)) return false;
  // Rename refuses an existing destination: move the old file aside, rename the new one in, and
  // only then delete the old one. If the new one cannot take its place, the old one goes back.
  const std::string ancien = destination + ".old";
  if (!supprimer(ancien)) return false;
  if (!renommer(destination, ancien)) return false;
  if (!renommer(nouveau, destination)) {
    renommer(ancien, destination);
    return false;
  }
  supprimer(ancien);
  return true;
}

bool dossier_creer(const std::string& chemin) {
  BPTR verrou = CreateDir(chemin.c_str());
  if (verrou) UnLock(verrou);
  return est_dossier(chemin);
}

std::string zone_travail() { return temporairechemin(kNomProgramme); }

bool listage_possible(const std::string& dossier) { return est_dossier(dossier); }

int64_t taille_fichier(const std::string& chemin) {
  LONG type = 0;
  int64_t taille = 0;
  if (!examiner(chemin, type, taille) || type > 0) return -1;
  return taille;
}

bool verrou_possible(const std::string& chemin) {
  BPTR verrou = Lock(chemin.c_str(), SHARED_LOCK);
  if (!verrou) return false;
  UnLock(verrou);
  return true;
}

#if defined(TRIVELO_PLATFORM_AMIGAOS4)

// The running game registers itself with application.library under its identifier.
bool jeu_en_cours(const std::string&) {
  if (IApplication != nullptr) return FindApplication(FINDAPP_AppIdentifier, kGameAppIdentifier, TAG_DONE) != 0;
  // Not opened by the shell: open it for this one question.
  bool trouve = false;
  struct Library* base = OpenLibrary("application.library", 50);
  if (base == nullptr) return false;
  ApplicationBase = base;
  IApplication = reinterpret_cast<struct ApplicationIFace*>(GetInterface(base, "application", 2, nullptr));
  if (IApplication != nullptr) {
    trouve = FindApplication(FINDAPP_AppIdentifier, kGameAppIdentifier, TAG_DONE) != 0;
    DropInterface(reinterpret_cast<struct Interface*>(IApplication));
  }
  IApplication = nullptr;
  ApplicationBase = nullptr;
  CloseLibrary(base);
  return trouve;
}

#else

namespace {

// File part of a command name ("Work:Games/Trivelo" gives "Trivelo"); AmigaDOS names ignore case.
bool commande_du_jeu(const char* texte, size_t longueur) {
  size_t debut = 0;
  for (size_t i = 0; i < longueur; ++i) {
    if (texte[i] == ':' || texte[i] == '/') debut = i + 1;
  }
  const char* jeu = game_file_name();
  if (longueur - debut != std::strlen(jeu)) return false;
  for (size_t i = debut; i < longueur; ++i) {
    if (std::tolower(static_cast<unsigned char>(texte[i])) != std::tolower(static_cast<unsigned char>(jeu[i - debut]))) {
      return false;
    }
  }
  return true;
}

}  // namespace

// MorphOS has no application registry to ask. The game runs as a process of its own: started from
// Workbench, the process carries the name of its program file, "Trivelo"; started from a shell, it
// runs in a shell process whose command name ends in "Trivelo". Both are looked up while task
// switching is forbidden, so no process can go away while its name is read. A resident module of
// that name would say nothing: resident modules are system modules, not running programs.
bool jeu_en_cours(const std::string&) {
  bool trouve = false;
  Forbid();
  if (FindTask(game_file_name()) != nullptr) trouve = true;
  const ULONG dernier = MaxCli();
  for (ULONG n = 1; !trouve && n <= dernier; ++n) {
    struct Process* processus = FindCliProc(n);
    if (processus == nullptr || !processus->pr_CLI) continue;
    auto* cli = static_cast<struct CommandLineInterface*>(BADDR(processus->pr_CLI));
    if (cli == nullptr || !cli->cli_CommandName) continue;
    const auto* bstr = static_cast<const unsigned char*>(BADDR(cli->cli_CommandName));
    if (bstr != nullptr && commande_du_jeu(reinterpret_cast<const char*>(bstr + 1), bstr[0])) trouve = true;
  }
  Permit();
  return trouve;
}

#endif

}  // namespace trivelo::systeme
