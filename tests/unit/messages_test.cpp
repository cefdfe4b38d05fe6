// Localised messages: both language tables row by row, the fallback, the language of the Windows
// build on a host, and the catalogue's line format with each build's reading rules.
#include <cstdlib>
#include <string>
#include <vector>

#include "messages.h"
#include "outils.h"

namespace trivelo {
namespace {

using test::kWindows;
using test::textes;
using Lignes = std::vector<std::string>;

struct LigneWindows {
  int32_t langue;
  std::vector<uint16_t> identifiants;
};

TEST(Langue, TableWindows) {
  const LigneWindows table[] = {
      {kFrancais, {0x080C, 0x0C0C, 0x040C, 0x140C, 0x180C, 0x100C}},
      {kItalien, {0x0410, 0x0810}},
      {kAllemand, {0x0C07, 0x0407, 0x1407, 0x1007, 0x0807}},
      {kEspagnol, {0x2C0A, 0x400A, 0x340A, 0x240A, 0x140A, 0x1C0A, 0x300A, 0x440A, 0x100A, 0x480A, 0x080A,
                   0x4C0A, 0x180A, 0x3C0A, 0x280A, 0x500A, 0x0C0A, 0x040A, 0x540A, 0x380A, 0x200A}},
      {kSuedois, {0x081D, 0x041D}},
      {kRusse, {0x0419}},
      {kPolonais, {0x0415}},
      {kHongrois, {0x040E}},
      {kPortugais, {0x0416, 0x0816}},
      {kGrec, {0x0408}},
      // Everything else is English, including neighbours of the identifiers above.
      {kAnglais, {0x0409, 0x0809, 0x0000, 0xFFFF, 0x040D, 0x0C1D, 0x1C0C, 0x0C10, 0x0C16, 0x0019, 0x4190, 0x080D}},
  };
  for (const LigneWindows& ligne : table) {
    for (uint16_t id : ligne.identifiants) EXPECT_EQ(langue_windows(id), ligne.langue) << std::hex << id;
  }
}

struct LigneAmiga {
  const char* amigaos4;
  const char* morphos;
  int32_t langue;
  uint32_t jeu;  // 0: the locale's own
};

TEST(Langue, TablesAmigaChacuneSonOrthographe) {
  const LigneAmiga table[] = {
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
  const uint32_t locale = 106;  // UTF-8, so a replaced code set shows
  for (const LigneAmiga& l : table) {
    const uint32_t jeu = l.jeu != 0 ? l.jeu : locale;
    const LangueAmiga a4 = langue_amiga(Platform::AmigaOS4, l.amigaos4, locale);
    EXPECT_EQ(a4.langue, l.langue) << l.amigaos4;
    EXPECT_EQ(a4.jeu, jeu) << l.amigaos4;
    const LangueAmiga mos = langue_amiga(Platform::MorphOS, l.morphos, locale);
    EXPECT_EQ(mos.langue, l.langue) << l.morphos;
    EXPECT_EQ(mos.jeu, jeu) << l.morphos;

    // Each build knows only its own spelling.
    if (std::string(l.amigaos4) != l.morphos) {
      EXPECT_EQ(langue_amiga(Platform::MorphOS, l.amigaos4, locale).langue, kAnglais) << l.amigaos4;
      EXPECT_EQ(langue_amiga(Platform::MorphOS, l.amigaos4, locale).jeu, locale) << l.amigaos4;
      EXPECT_EQ(langue_amiga(Platform::AmigaOS4, l.morphos, locale).langue, kAnglais) << l.morphos;
    }
  }

  // The comparison is exact, and unknown or absent names are English with the locale's code set.
  for (Platform p : {Platform::AmigaOS4, Platform::MorphOS}) {
    for (const char* nom : {"French.language", "english.language", "", "french", "greek.language ", "nederlands.language"}) {
      const LangueAmiga r = langue_amiga(p, nom, 4);
      EXPECT_EQ(r.langue, kAnglais) << nom;
      EXPECT_EQ(r.jeu, 4u) << nom;
    }
    EXPECT_EQ(langue_amiga(p, nullptr, 4).langue, kAnglais);
    EXPECT_EQ(langue_amiga(p, nullptr, 4).jeu, 4u);
  }
}

TEST(Langue, RepliVersLAnglais) {
  for (int32_t langue = -2; langue <= 13; ++langue) {
    const bool lue = langue == 0 || langue == 1 || langue == 2 || langue == 3 || langue == 4 || langue == 5 ||
                     langue == 8 || langue == 10 || langue == 11;
    EXPECT_EQ(langue_repli(langue), lue ? langue : kAnglais) << langue;
  }
}

#if !defined(TRIVELO_PLATFORM_WINDOWS) || defined(_WIN32)
// The Amiga builds read the locale (tested with the stand-in), Windows the system's language.
#else
// The Windows rules on a host: English unless TRIVELO_UI_LANGUAGE names a language identifier.
TEST(Langue, DetecteeSurUnHoteSelonTRIVELO_UI_LANGUAGE) {
  const char* ancien = std::getenv("TRIVELO_UI_LANGUAGE");
  const std::string sauve = ancien ? ancien : "";
  const std::pair<const char*, int32_t> cas[] = {
      {nullptr, kAnglais}, {"040C", kFrancais}, {"080c", kFrancais}, {"0x0C0A", kEspagnol}, {"0419", kRusse},
      {"0409", kAnglais},  {"", kAnglais},      {"zz", kAnglais},    {"040C!", kAnglais},   {"10408", kAnglais},
  };
  for (const auto& [valeur, attendu] : cas) {
    if (valeur) setenv("TRIVELO_UI_LANGUAGE", valeur, 1);
    else unsetenv("TRIVELO_UI_LANGUAGE");
    uint32_t jeu = 99;
    EXPECT_EQ(languedetecter(jeu), attendu) << (valeur ? valeur : "(unset)");
    EXPECT_EQ(jeu, 0u);
  }
  if (ancien) setenv("TRIVELO_UI_LANGUAGE", sauve.c_str(), 1);
  else unsetenv("TRIVELO_UI_LANGUAGE");
}
#endif

struct CasCatalogue {
  const char* nom;
  std::string octets;
  int32_t langue;
  Lignes windows;
  Lignes amiga;
};

class Catalogue : public test::DossierTemporaire {};

TEST_F(Catalogue, FormatDesLignes) {
  const std::string entete = std::string("01    999") + std::string(502, 'x');  // 511 bytes
  const std::string suite = "01    003abc" + std::string(76, 'z') + "\n";     // 89 bytes
  const CasCatalogue cas[] = {
      {"Hello", "01    005Hello\n", kAnglais, {"Hello"}, {"Hello"}},
      {"autre langue", "01    005Hello\n", kFrancais, {}, {}},
      {"longueur courte", "01    003Hello\n", kAnglais, {"Hel"}, {"Hel"}},
      {"longueur au-dela de la ligne", "01    009Hello\n", kAnglais, {"Hello"}, {"Hello\n"}},
      {"longueur au-dela, CR LF", "01    009Hello\r\n", kAnglais, {"Hello"}, {"Hello\r\n"}},
      {"sans fin de ligne", "01    009Hello", kAnglais, {"Hello"}, {"Hello"}},
      {"texte vide", "01    000\n01    002ok\n", kAnglais, {"", "ok"}, {"", "ok"}},
      {"blanc avant le chiffre", " 1    005Hello\n", kAnglais, {"Hello"}, {"Hello"}},
      {"blanc apres le chiffre", "1     005Hello\n", kAnglais, {"Hello"}, {"Hello"}},
      {"ligne trop courte", "01    05\n01\n", kAnglais, {"", ""}, {"", ""}},
      {"ligne vide: message francais", "\n00    002ab\n", kFrancais, {"", "ab"}, {"", "ab"}},
      {"octets hauts", "00    005\xe9t\xe9 !\n", kFrancais, {"\xe9t\xe9 !"}, {"\xe9t\xe9 !"}},
      {"langues melees",
       "01    001a\n00    001x\n01    001b\n00    001y\n01    001c\n",
       kAnglais,
       {"a", "b", "c"},
       {"a", "b", "c"}},
      {"ligne de 600 octets", entete + suite, kAnglais, {std::string(502, 'x') + suite.substr(0, 88)},
       {std::string(502, 'x'), "abc"}},
      {"grec", "11    004\xe1\xe2\xe3\xe4\n", kGrec, {"\xe1\xe2\xe3\xe4"}, {"\xe1\xe2\xe3\xe4"}},
  };
  for (const CasCatalogue& c : cas) {
    test::ecrire("trivelo_extension.msg", c.octets);
    Liste catalogue;
    EXPECT_EQ(test::sortie_de([&] { catalogue = messagescharger("trivelo_extension.msg", c.langue); }), "")
        << c.nom;
    EXPECT_EQ(textes(catalogue), kWindows ? c.windows : c.amiga) << c.nom;
  }
}

TEST_F(Catalogue, MessagesParNumero) {
  test::ecrire("trivelo_extension.msg", "01    005Hello\n00    007Bonjour\n01    005World\n");
  const Liste catalogue = messagescharger("trivelo_extension.msg", kAnglais);
  EXPECT_EQ(message(catalogue, 0), "");
  EXPECT_EQ(message(catalogue, 1), "Hello");
  EXPECT_EQ(message(catalogue, 2), "World");
  EXPECT_EQ(message(catalogue, 3), "");
  EXPECT_EQ(message(catalogue, 1000), "");
}

TEST_F(Catalogue, FichierAbsent) {
  Liste catalogue;
  const std::string sortie = test::sortie_de([&] { catalogue = messagescharger("absent.msg", kAnglais); });
  EXPECT_EQ(sortie, kWindows ? "" : "[messagescharger] impossible d'ouvrir le fichier.\n");
  EXPECT_TRUE(catalogue.vide());
  EXPECT_EQ(message(catalogue, 1), "");
}

}  // namespace
}  // namespace trivelo
