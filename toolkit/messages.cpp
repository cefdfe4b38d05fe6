#include "messages.h"

#include <cstdio>
#include <cstring>

#include "chaine.h"
#include "fichier_texte.h"

namespace trivelo {

namespace {

struct EntreeWindows {
  int32_t langue;
  const char* identifiants;
};

// Compared in this order; the first equal entry wins.
const EntreeWindows kTableWindows[] = {
    {kFrancais, "080C 0C0C 040C 140C 180C 100C"},
    {kItalien, "0410 0810"},
    {kAllemand, "0C07 0407 1407 1007 0807"},
    {kEspagnol,
     "2C0A 400A 340A 240A 140A 1C0A 300A 440A 100A 480A 080A 4C0A 180A 3C0A 280A 500A 0C0A 040A 540A 380A 200A"},
    {kSuedois, "081D 041D"},
    {kRusse, "0419"},
    {kPolonais, "0415"},
    {kHongrois, "040E"},
    {kPortugais, "0416 0816"},
    {kGrec, "0408"},
};

struct EntreeAmiga {
  const char* nom_amigaos4;
  const char* nom_morphos;  // Latin-1 bytes
  int32_t langue;
  uint32_t jeu;  // 0: keep the locale's code set
};

const EntreeAmiga kTableAmiga[] = {
    {"french.language", "fran\xe7" "ais.language", kFrancais, 0},
    {"italian.language", "italiano.language", kItalien, 0},
    {"german.language", "deutsch.language", kAllemand, 0},
    {"spanish.language", "espa\xf1" "ol.language", kEspagnol, 0},
    {"swedish.language", "svenska.language", kSuedois, 0},
    {"russian.language", "russian.language", kRusse, 2104},
    {"polish.language", "polski.language", kPolonais, 5},
    {"hungarian.language", "magyar.language", kHongrois, 5},
    {"portuguese.language", "portugu\xea" "s.language", kPortugais, 0},
    {"portuguese-brazil.language", "portuguese-brazil.language", kPortugais, 0},
    {"greek.language", "greek.language", kGrec, 10},
};

}  // namespace

int32_t langue_windows(uint16_t identifiant) {
  char hex[5];
  std::snprintf(hex, sizeof hex, "%04X", static_cast<unsigned>(identifiant));
  for (const EntreeWindows& e : kTableWindows) {
    for (const char* p = e.identifiants; *p != '\0'; p += (p[4] == ' ') ? 5 : 4) {
      if (std::strncmp(p, hex, 4) == 0) return e.langue;
    }
  }
  return kAnglais;
}

LangueAmiga langue_amiga(Platform plateforme, const char* nom_langue, uint32_t jeu_locale) {
  if (nom_langue != nullptr) {
    for (const EntreeAmiga& e : kTableAmiga) {
      const char* nom = plateforme == Platform::MorphOS ? e.nom_morphos : e.nom_amigaos4;
      if (std::strcmp(nom, nom_langue) == 0) return {e.langue, e.jeu != 0 ? e.jeu : jeu_locale};
    }
  }
  return {kAnglais, jeu_locale};
}

int32_t langue_repli(int32_t langue) {
  switch (langue) {
    case kFrancais: case kAnglais: case kItalien: case kAllemand: case kEspagnol:
    case kSuedois: case kPolonais: case kPortugais: case kGrec:
      return langue;
    default:
      return kAnglais;
  }
}

bool ligne_catalogue(const std::string& ligne, int32_t langue, std::string& texte) {
  if (champlire(chaineextraire(ligne, 1, 2)) != langue) return false;
  texte = chaineextraire(ligne, 10, champlire(chaineextraire(ligne, 7, 3)));
  return true;
}

Liste messagescharger(const char* nom, int32_t langue) {
  Liste catalogue;
  LecteurLignes lecteur(nom, kCatalogueBufferSize);
  if (!lecteur.ouvert()) {
    if constexpr (kAmigaFamily) std::printf("[messagescharger] impossible d'ouvrir le fichier.\n");
    return catalogue;
  }
  if (!lecteur.tampon_pret()) {
    if constexpr (kAmigaFamily) std::printf("<messagescharger> allocation de m\xe9moire impossible\n");
    return catalogue;
  }
  AjouteurListe ajouteur(catalogue);
  std::string ligne;
  std::string texte;
  while (lecteur.suivante(ligne)) {
    if (ligne_catalogue(ligne, langue, texte)) ajouteur.ajouter(cellulecreer2(texte, std::nullopt, 0));
  }
  return catalogue;
}

}  // namespace trivelo
