// Line files on MorphOS and AmigaOS 4, through dos.library. Lines are read with FGets through a
// fixed buffer (so a longer line arrives in pieces) and keep their LF; CR is no line end.
// Written lines end with LF.
#include <proto/dos.h>
#include <proto/exec.h>

#include <cstring>

#include "fichier_texte.h"

namespace trivelo {

namespace {
BPTR handle(void* f) { return reinterpret_cast<BPTR>(f); }
}  // namespace

LecteurLignes::LecteurLignes(const char* nom, unsigned tampon) : taille_(tampon) {
  BPTR fh = nom ? Open(nom, MODE_OLDFILE) : 0;
  if (!fh) return;
  fichier_ = reinterpret_cast<void*>(fh);
  ouvert_ = true;
  tampon_ = static_cast<char*>(AllocVec(tampon, MEMF_ANY));
  tampon_pret_ = tampon_ != nullptr;
}

LecteurLignes::~LecteurLignes() {
  if (tampon_) FreeVec(tampon_);
  if (fichier_) Close(handle(fichier_));
}

bool LecteurLignes::suivante(std::string& ligne) {
  ligne.clear();
  if (!fichier_ || !tampon_) return false;
  SetIoErr(0);
  if (FGets(handle(fichier_), reinterpret_cast<STRPTR>(tampon_), taille_) == nullptr) {
    if (IoErr() != 0) erreur_ = true;
    return false;
  }
  ligne.assign(tampon_, std::strlen(tampon_));
  return true;
}

EcrivainLignes::EcrivainLignes(const char* nom) {
  BPTR fh = nom ? Open(nom, MODE_NEWFILE) : 0;
  fichier_ = reinterpret_cast<void*>(fh);
  ouvert_ = fh != 0;
}

EcrivainLignes::~EcrivainLignes() { fermer(); }

void EcrivainLignes::ligne(std::string_view texte) {
  if (!fichier_) return;
  const LONG n = static_cast<LONG>(texte.size());
  if (n > 0 && Write(handle(fichier_), const_cast<char*>(texte.data()), n) != n) erreur_ = true;
  if (Write(handle(fichier_), const_cast<char*>("\n"), 1) != 1) erreur_ = true;
}

bool EcrivainLignes::fermer() {
  if (fichier_) {
    if (!Close(handle(fichier_))) erreur_ = true;
    fichier_ = nullptr;
  }
  return ouvert_ && !erreur_;
}

}  // namespace trivelo
