// Line-wise reading and writing of text files with the build's rules. One implementation per
// platform family: C stdio on Windows, dos.library on MorphOS and AmigaOS 4.
#pragma once

#include <string>
#include <string_view>

namespace trivelo {

class LecteurLignes {
 public:
  // Windows reads lines without their ends (LF, CR or CR LF end a line) and any length.
  // The Amiga family reads FGets pieces through a buffer of `tampon` bytes: at most tampon - 1
  // bytes, up to and including the next LF, which stays in the piece.
  LecteurLignes(const char* nom, unsigned tampon);
  ~LecteurLignes();
  LecteurLignes(const LecteurLignes&) = delete;
  LecteurLignes& operator=(const LecteurLignes&) = delete;

  bool ouvert() const { return ouvert_; }
  // False at the end of the file (or on a read error, see erreur()).
  bool suivante(std::string& ligne);
  bool erreur() const { return erreur_; }
  // False when the line buffer could not be allocated (Amiga family).
  bool tampon_pret() const { return tampon_pret_; }

 private:
  void* fichier_ = nullptr;
  char* tampon_ = nullptr;
  unsigned taille_ = 0;
  bool ouvert_ = false;
  bool erreur_ = false;
  bool tampon_pret_ = true;
};

class EcrivainLignes {
 public:
  explicit EcrivainLignes(const char* nom);  // creates or truncates
  ~EcrivainLignes();
  EcrivainLignes(const EcrivainLignes&) = delete;
  EcrivainLignes& operator=(const EcrivainLignes&) = delete;

  bool ouvert() const { return ouvert_; }
  // Writes the text and the build's line end.
  void ligne(std::string_view texte);
  // Closes the file; true when it was opened and every write (and the close) succeeded.
  bool fermer();

 private:
  void* fichier_ = nullptr;
  bool ouvert_ = false;
  bool erreur_ = false;
};

}  // namespace trivelo
