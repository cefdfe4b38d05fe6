#include "liste.h"

#include <cstdio>
#include <new>

#include "chaine.h"
#include "fichier_texte.h"
#include "platform.h"

namespace trivelo {

long g_cellules_avant_echec = -1;

void celluleliberer(cellule* c) { delete c; }

Liste& Liste::operator=(Liste&& autre) noexcept {
  if (this != &autre) {
    listeliberer(*this);
    premier_ = autre.premier_;
    autre.premier_ = nullptr;
  }
  return *this;
}

Liste::~Liste() { listeliberer(*this); }

CellulePtr cellulecreer2(std::optional<std::string> texte, std::optional<std::string> texte2, int32_t valeur) {
  cellule* c = nullptr;
  if (g_cellules_avant_echec != 0) {
    c = new (std::nothrow) cellule;
    if (g_cellules_avant_echec > 0) --g_cellules_avant_echec;
  }
  if (c == nullptr) {
    if constexpr (kAmigaFamily) {
      std::printf("[cellulecreer2] allocation de m\xe9moire impossible.\n");
    }
    return CellulePtr();
  }
  c->texte = std::move(texte);
  c->texte2 = std::move(texte2);
  c->valeur = valeur;
  return CellulePtr(c);
}

Liste& listeajouter(Liste& liste, CellulePtr c) {
  if (!c) return liste;
  if (liste.premier_ == nullptr) {
    liste.premier_ = c.release();
    return liste;
  }
  cellule* dernier = liste.premier_;
  while (dernier->suivant != nullptr) dernier = dernier->suivant;
  dernier->suivant = c.release();
  return liste;
}

uint32_t listecompter(const Liste& liste) {
  uint32_t n = 0;
  for (const cellule* c = liste.premier(); c != nullptr; c = c->suivant) ++n;
  return n;
}

const std::string& listelire(const Liste& liste, uint32_t n) {
  static const std::string vide;
  if (n == 0) return vide;
  const cellule* c = liste.premier();
  for (uint32_t i = 1; c != nullptr && i < n; ++i) c = c->suivant;
  if (c == nullptr || !c->texte) return vide;
  return *c->texte;
}

void listeliberer(Liste& liste) {
  cellule* c = liste.premier_;
  liste.premier_ = nullptr;
  while (c != nullptr) {
    cellule* suivant = c->suivant;
    celluleliberer(c);
    c = suivant;
  }
}

AjouteurListe::AjouteurListe(Liste& liste) : liste_(liste) {
  for (cellule* c = liste.premier(); c != nullptr; c = c->suivant) dernier_ = c;
}

void AjouteurListe::ajouter(CellulePtr c) {
  if (!c) return;
  cellule* nouvelle = c.get();
  if (dernier_ == nullptr) listeajouter(liste_, std::move(c));
  else dernier_->suivant = c.release();
  while (nouvelle->suivant != nullptr) nouvelle = nouvelle->suivant;
  dernier_ = nouvelle;
}

Liste listecharger(const char* nom, bool* ouvert) {
  Liste liste;
  LecteurLignes lecteur(nom, kLineBufferSize);
  if (ouvert) *ouvert = lecteur.ouvert() && lecteur.tampon_pret();
  if (!lecteur.ouvert()) return liste;
  AjouteurListe ajouteur(liste);
  std::string ligne;
  while (lecteur.suivante(ligne)) {
    chainenettoyerfin(ligne);
    ajouteur.ajouter(cellulecreer2(ligne, std::nullopt, 0));
  }
  if (ouvert && lecteur.erreur()) *ouvert = false;
  return liste;
}

bool listesauver3(const char* nom, const Liste& liste) {
  EcrivainLignes ecrivain(nom);
  if (!ecrivain.ouvert()) return false;
  bool complet = true;
  for (const cellule* c = liste.premier(); c != nullptr; c = c->suivant) {
    static const std::string vide;
    const std::string& texte = c->texte ? *c->texte : vide;
    if constexpr (kAmigaFamily) {
      if (texte.size() > kSaveLineLimit) {
        std::printf("[listesauver3] ligne trop longue (max: %i) *%s*\n", static_cast<int>(kSaveLineLimit),
                    texte.c_str());
        complet = false;
        continue;
      }
    }
    ecrivain.ligne(texte);
  }
  return ecrivain.fermer() && complet;
}

}  // namespace trivelo
