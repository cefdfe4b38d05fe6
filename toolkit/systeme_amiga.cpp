// The toolkit's system calls on MorphOS and AmigaOS 4: the language of the default locale, the file
// copy, the workspace in RAM: and the asl requesters.
#if defined(TRIVELO_PLATFORM_AMIGAOS4)
#define __USE_INLINE__
#endif

#include <cstdio>
#include <string>

#include <dos/dos.h>
#include <dos/dostags.h>
#include <exec/memory.h>
#include <libraries/asl.h>
#include <libraries/locale.h>
#include <proto/asl.h>
#include <proto/dos.h>
#include <proto/exec.h>
#include <proto/locale.h>

#include "fichiers.h"
#include "fichiers_amiga.h"
#include "messages.h"

namespace trivelo {

// ---- Language ---------------------------------------------------------------------------------------

int32_t languedetecter(uint32_t& jeu) {
  int32_t langue = kAnglais;
  jeu = 0;

  // locale.library is opened for this call only; whatever base (and interface) the program already
  // holds is given back afterwards.
  struct Library* base_appelant = LocaleBase;
#if defined(TRIVELO_PLATFORM_AMIGAOS4)
  struct LocaleIFace* interface_appelant = ILocale;
#endif

  LocaleBase = OpenLibrary("locale.library", 0);
  if (LocaleBase != nullptr) {
#if defined(TRIVELO_PLATFORM_AMIGAOS4)
    ILocale = reinterpret_cast<struct LocaleIFace*>(GetInterface(LocaleBase, "main", 1, nullptr));
    if (ILocale != nullptr) {
#endif
      struct Locale* locale = OpenLocale(nullptr);
      if (locale != nullptr) {
        const LangueAmiga resultat =
            langue_amiga(kPlatform, reinterpret_cast<const char*>(locale->loc_LanguageName), locale->loc_CodeSet);
        langue = resultat.langue;
        jeu = resultat.jeu;
        CloseLocale(locale);
      }
#if defined(TRIVELO_PLATFORM_AMIGAOS4)
      DropInterface(reinterpret_cast<struct Interface*>(ILocale));
    }
#endif
    CloseLibrary(LocaleBase);
  }

  LocaleBase = base_appelant;
#if defined(TRIVELO_PLATFORM_AMIGAOS4)
  ILocale = interface_appelant;
#endif
  return langue;
}

// ---- File copy ---------------------------------------------------------------------------------------

namespace {

// Copies the whole content through the buffer, piece by piece. False when a read or a write fails
// (a full disk, a read error), so that a partial copy is never taken for a complete one.
bool contenucopier(BPTR entree, BPTR sortie, APTR tampon, LONG taille) {
  LONG lu;
  while ((lu = Read(entree, tampon, taille)) > 0) {
    if (Write(sortie, tampon, lu) != lu) return false;
  }
  return lu == 0;
}

// Opens both files and copies; false when either cannot be opened or the copy fails. A destination
// that was opened but not completely written is deleted again.
bool fichierstransferer(const char* source, const char* destination, APTR tampon, LONG taille) {
  BPTR entree = Open(source, MODE_OLDFILE);
  if (entree == 0) return false;
  BPTR sortie = Open(destination, MODE_NEWFILE);
  if (sortie == 0) {
    Close(entree);
    return false;
  }
  bool complet = contenucopier(entree, sortie, tampon, taille);
  if (!Close(sortie)) complet = false;  // the last buffered write can fail on closing
  Close(entree);
  if (!complet) DeleteFile(destination);
  return complet;
}

}  // namespace

#if defined(TRIVELO_PLATFORM_AMIGAOS4)

bool fichiercopier2(const char* source, const char* destination, bool garder_date) {
  if (source == nullptr || destination == nullptr) return false;
  struct ExamineData* donnees = ExamineObjectTags(EX_StringNameInput, source, TAG_END);
  if (donnees == nullptr) {
    const LONG erreur = IoErr();
    std::fflush(stdout);  // keeps the order of this program's own lines and the system's text
    PrintFault(erreur, nullptr);
    std::printf("[fichiercopier2] le fichier %s n'a pas \xe9t\xe9 trouv\xe9.\n", source);
    return false;
  }

  const ULONG kTailleTampon = 1048577;
  const LONG kTailleLecture = 1048576;
  APTR tampon = AllocVecTags(kTailleTampon, AVT_Type, MEMF_SHARED, TAG_DONE);
  if (tampon == nullptr) {
    FreeDosObject(DOS_EXAMINEDATA, donnees);
    return false;
  }

  const bool complet = fichierstransferer(source, destination, tampon, kTailleLecture);
  if (complet) {
    // The attributes go only onto a complete copy.
    SetComment(destination, donnees->Comment != nullptr ? donnees->Comment : "");
    if (garder_date) SetDate(destination, &donnees->Date);
    SetProtection(destination, static_cast<LONG>(donnees->Protection));
  }

  FreeVec(tampon);
  FreeDosObject(DOS_EXAMINEDATA, donnees);
  return complet;
}

#else

bool fichiercopier2(const char* source, const char* destination, bool garder_date) {
  if (source == nullptr || destination == nullptr) return false;
  struct FileInfoBlock* fib = static_cast<struct FileInfoBlock*>(AllocDosObject(DOS_FIB, nullptr));
  if (fib == nullptr) return false;
  BPTR verrou = Lock(source, SHARED_LOCK);
  if (verrou == 0) {
    FreeDosObject(DOS_FIB, fib);
    return false;
  }
  const LONG examine = Examine(verrou, fib);
  UnLock(verrou);
  if (!examine) {
    FreeDosObject(DOS_FIB, fib);
    return false;
  }

  const ULONG kTailleTampon = 10240000;
  APTR tampon = AllocVec(kTailleTampon, MEMF_ANY);
  if (tampon == nullptr) {
    FreeDosObject(DOS_FIB, fib);
    return false;
  }

  const bool complet = fichierstransferer(source, destination, tampon, static_cast<LONG>(kTailleTampon));
  if (complet) {
    // The attributes go only onto a complete copy.
    SetComment(destination, fib->fib_Comment);
    if (garder_date) SetFileDate(destination, &fib->fib_Date);
    SetProtection(destination, fib->fib_Protection);
  }

  FreeVec(tampon);
  FreeDosObject(DOS_FIB, fib);
  return complet;
}

#endif

// ---- Workspace ---------------------------------------------------------------------------------------

std::string temporairechemin(const char* nom) {
  return std::string(kDossierFabricant) + "/" + (nom != nullptr ? nom : "") + "/";
}

bool temporairecreer(const char* nom, std::string& erreur, BPTR& verrou) {
  erreur.clear();
  verrou = 0;

  BPTR fabricant = Lock(kDossierFabricant, SHARED_LOCK);
  if (fabricant == 0) fabricant = CreateDir(kDossierFabricant);
  if (fabricant == 0) {
    erreur = std::string("Can't create ") + kDossierFabricant + "\n";
    return false;
  }
  UnLock(fabricant);

  const std::string chemin = std::string(kDossierFabricant) + "/" + (nom != nullptr ? nom : "");
  BPTR espace = Lock(chemin.c_str(), SHARED_LOCK);
  if (espace == 0) espace = CreateDir(chemin.c_str());
  if (espace != 0) {
    // CreateDir gives an exclusive lock: the workspace is held with a shared one, like any reader.
    UnLock(espace);
    verrou = Lock(chemin.c_str(), SHARED_LOCK);
    if (verrou != 0) return true;
    DeleteFile(chemin.c_str());  // only when empty, so nothing of an earlier run is lost
  }
  DeleteFile(kDossierFabricant);  // removed only when empty: other programs' workspaces stay
  erreur = "Can't create" + chemin + "\n";
  return false;
}

void temporairesupprimer(const char* nom, BPTR verrou) {
  if (verrou != 0) UnLock(verrou);
  const std::string chemin = std::string(kDossierFabricant) + "/" + (nom != nullptr ? nom : "");
  // Each removes its folder only when it is empty; a failure leaves the folder where it is.
  DeleteFile(chemin.c_str());
  DeleteFile(kDossierFabricant);
}

// ---- Requesters ----------------------------------------------------------------------------------------

namespace {

// Shows an asl file requester; false when it is cancelled or cannot be made. The result is the
// chosen drawer ending in a separator (unless empty), followed by the file name when asked for.
bool requetedemander(const char* titre, const char* dossier, bool avec_fichier, std::string& resultat) {
  struct TagItem etiquettes[3];
  int n = 0;
  if (titre != nullptr) etiquettes[n++] = {ASLFR_TitleText, reinterpret_cast<ULONG>(titre)};
  if (dossier != nullptr) etiquettes[n++] = {ASLFR_InitialDrawer, reinterpret_cast<ULONG>(dossier)};
  etiquettes[n] = {TAG_DONE, 0};

  struct FileRequester* requete = static_cast<struct FileRequester*>(AllocAslRequest(ASL_FileRequest, etiquettes));
  if (requete == nullptr) return false;
  if (!AslRequest(requete, nullptr)) {
    FreeAslRequest(requete);
    return false;
  }

  std::string chemin = requete->fr_Drawer != nullptr ? reinterpret_cast<const char*>(requete->fr_Drawer) : "";
  if (!chemin.empty() && chemin.back() != ':' && chemin.back() != '/') chemin.push_back('/');
  if (avec_fichier && requete->fr_File != nullptr) chemin += reinterpret_cast<const char*>(requete->fr_File);
  FreeAslRequest(requete);
  resultat = chemin;
  return true;
}

}  // namespace

bool fichierdemander(const char* titre, const char* dossier, std::string& resultat) {
  return requetedemander(titre, dossier, true, resultat);
}

bool dossierdemander(const char* titre, const char* dossier, std::string& resultat) {
  return requetedemander(titre, dossier, false, resultat);
}

}  // namespace trivelo
