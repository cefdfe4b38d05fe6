// Raw files through stdio, for the Windows-rules builds (Win32 itself and the POSIX host): opened by
// the name that nom() gives, every read and write checked, the close reported.
#include <cstdio>

#include "systeme.h"

namespace trivelo::systeme {

namespace {
std::FILE* flux(void* f) { return static_cast<std::FILE*>(f); }
}  // namespace

FichierBrut::~FichierBrut() { fermer(); }

bool FichierBrut::ouvrir_lecture(const std::string& chemin) {
  fermer();
  erreur_ = false;
  fichier_ = std::fopen(nom(chemin).c_str(), "rb");
  return fichier_ != nullptr;
}

bool FichierBrut::ouvrir_ecriture(const std::string& chemin) {
  fermer();
  erreur_ = false;
  fichier_ = std::fopen(nom(chemin).c_str(), "wb");
  return fichier_ != nullptr;
}

long FichierBrut::lire(void* tampon, long taille) {
  if (fichier_ == nullptr) return -1;
  const size_t n = std::fread(tampon, 1, static_cast<size_t>(taille), flux(fichier_));
  if (n == 0 && std::ferror(flux(fichier_))) return -1;
  return static_cast<long>(n);
}

bool FichierBrut::ecrire(const void* tampon, long taille) {
  if (fichier_ == nullptr) return false;
  if (std::fwrite(tampon, 1, static_cast<size_t>(taille), flux(fichier_)) != static_cast<size_t>(taille)) {
    erreur_ = true;
    return false;
  }
  return true;
}

bool FichierBrut::fermer() {
  if (fichier_ == nullptr) return false;
  if (std::fclose(flux(fichier_)) != 0) erreur_ = true;
  fichier_ = nullptr;
  return !erreur_;
}

}  // namespace trivelo::systeme
