// Line files on Windows: C stdio in binary mode. LF, CR and CR LF each end a line; lines have
// no length limit; written lines end with CR LF.
#include <cstdio>

#include "fichier_texte.h"

namespace trivelo {

namespace {
FILE* flux(void* f) { return static_cast<FILE*>(f); }
}  // namespace

LecteurLignes::LecteurLignes(const char* nom, unsigned) {
  FILE* f = nom ? std::fopen(nom, "rb") : nullptr;
  fichier_ = f;
  ouvert_ = f != nullptr;
}

LecteurLignes::~LecteurLignes() {
  if (fichier_) std::fclose(flux(fichier_));
}

bool LecteurLignes::suivante(std::string& ligne) {
  ligne.clear();
  if (!fichier_) return false;
  FILE* f = flux(fichier_);
  bool lu = false;
  for (;;) {
    const int c = std::getc(f);
    if (c == EOF) {
      if (std::ferror(f)) erreur_ = true;
      return lu;
    }
    lu = true;
    if (c == '\n') return true;
    if (c == '\r') {
      const int apres = std::getc(f);
      if (apres != '\n' && apres != EOF) std::ungetc(apres, f);
      return true;
    }
    ligne.push_back(static_cast<char>(c));
  }
}

EcrivainLignes::EcrivainLignes(const char* nom) {
  FILE* f = nom ? std::fopen(nom, "wb") : nullptr;
  fichier_ = f;
  ouvert_ = f != nullptr;
}

EcrivainLignes::~EcrivainLignes() { fermer(); }

void EcrivainLignes::ligne(std::string_view texte) {
  if (!fichier_) return;
  FILE* f = flux(fichier_);
  if (std::fwrite(texte.data(), 1, texte.size(), f) != texte.size()) erreur_ = true;
  if (std::fwrite("\r\n", 1, 2, f) != 2) erreur_ = true;
}

bool EcrivainLignes::fermer() {
  if (fichier_) {
    if (std::fclose(flux(fichier_)) != 0) erreur_ = true;
    fichier_ = nullptr;
  }
  return ouvert_ && !erreur_;
}

}  // namespace trivelo
