// Line lists: cells and list operations, loading line files with each build's line rules, saving
// them with each build's line ends and limit, and the memory diagnostic of cellulecreer2.
#include <string>
#include <vector>

#include "liste.h"
#include "outils.h"

namespace trivelo {
namespace {

using test::kWindows;
using test::textes;
using Lignes = std::vector<std::string>;

Liste liste_de(const Lignes& lignes) {
  Liste liste;
  for (const std::string& l : lignes) listeajouter(liste, cellulecreer2(l, std::nullopt, 0));
  return liste;
}

TEST(Liste, CelluleEtAjout) {
  CellulePtr c = cellulecreer2(std::string("texte"), std::string("second"), 42);
  ASSERT_TRUE(c);
  EXPECT_EQ(c->texte, "texte");
  EXPECT_EQ(c->texte2, "second");
  EXPECT_EQ(c->valeur, 42);
  EXPECT_EQ(c->suivant, nullptr);

  Liste liste;
  EXPECT_EQ(listecompter(liste), 0u);
  EXPECT_EQ(listelire(liste, 1), "");

  // Onto the empty list the cell becomes the list.
  cellule* premiere = c.get();
  listeajouter(liste, std::move(c));
  EXPECT_EQ(liste.premier(), premiere);

  listeajouter(liste, cellulecreer2(std::string("b"), std::nullopt, 0));
  listeajouter(liste, cellulecreer2(std::string("c"), std::nullopt, 0));
  ASSERT_EQ(listecompter(liste), 3u);
  Liste& retour = listeajouter(liste, cellulecreer2(std::string("d"), std::nullopt, 0));
  EXPECT_EQ(&retour, &liste);
  EXPECT_EQ(liste.premier(), premiere);
  EXPECT_EQ(listecompter(liste), 4u);

  // An absent cell leaves the list as it was.
  listeajouter(liste, CellulePtr());
  EXPECT_EQ(listecompter(liste), 4u);

  // A cell brings the chain hanging from it.
  Liste autre = liste_de({"e", "f"});
  listeajouter(liste, CellulePtr(autre.relacher()));
  EXPECT_EQ(textes(liste), (Lignes{"texte", "b", "c", "d", "e", "f"}));

  EXPECT_EQ(listelire(liste, 0), "");
  EXPECT_EQ(listelire(liste, 1), "texte");
  EXPECT_EQ(listelire(liste, 6), "f");
  EXPECT_EQ(listelire(liste, 7), "");
  EXPECT_EQ(listelire(liste, 0xFFFFFFFFu), "");

  listeliberer(liste);
  EXPECT_TRUE(liste.vide());
  EXPECT_EQ(listecompter(liste), 0u);
}

TEST(Liste, CelluleSansTexteSeLitVide) {
  Liste liste;
  listeajouter(liste, cellulecreer2(std::nullopt, std::nullopt, 0));
  EXPECT_EQ(listecompter(liste), 1u);
  EXPECT_EQ(listelire(liste, 1), "");
}

TEST(Liste, AjouteurGardeLOrdre) {
  Liste liste = liste_de({"a"});
  AjouteurListe ajouteur(liste);
  ajouteur.ajouter(cellulecreer2(std::string("b"), std::nullopt, 0));
  ajouteur.ajouter(CellulePtr());
  ajouteur.ajouter(cellulecreer2(std::string("c"), std::nullopt, 0));
  EXPECT_EQ(textes(liste), (Lignes{"a", "b", "c"}));

  Liste vide;
  AjouteurListe depuis_vide(vide);
  depuis_vide.ajouter(cellulecreer2(std::string("x"), std::nullopt, 0));
  depuis_vide.ajouter(cellulecreer2(std::string("y"), std::nullopt, 0));
  EXPECT_EQ(textes(vide), (Lignes{"x", "y"}));
}

TEST(Liste, LongueListeLibereeSansRecursion) {
  Liste liste;
  AjouteurListe ajouteur(liste);
  for (int i = 0; i < 200000; ++i) ajouteur.ajouter(cellulecreer2(std::string("l"), std::nullopt, 0));
  EXPECT_EQ(listecompter(liste), 200000u);
}

class MemoireEpuisee : public test::DossierTemporaire {
 protected:
  void TearDown() override {
    g_cellules_avant_echec = -1;
    DossierTemporaire::TearDown();
  }
};

TEST_F(MemoireEpuisee, CelluleAbsenteEtDiagnostic) {
  const std::string diagnostic = kWindows ? "" : "[cellulecreer2] allocation de m\xe9moire impossible.\n";

  g_cellules_avant_echec = 0;
  CellulePtr c;
  EXPECT_EQ(test::sortie_de([&] { c = cellulecreer2(std::string("x"), std::nullopt, 0); }), diagnostic);
  EXPECT_FALSE(c);

  // While loading, the line whose cell cannot be made is dropped and the others are kept.
  test::ecrire("trois.txt", "un\ndeux\ntrois\n");
  g_cellules_avant_echec = 2;
  Liste liste;
  EXPECT_EQ(test::sortie_de([&] { liste = listecharger("trois.txt"); }), diagnostic);
  EXPECT_EQ(textes(liste), (Lignes{"un", "deux"}));
}

struct CasChargement {
  const char* nom;
  std::string octets;
  Lignes windows;
  Lignes amiga;
};

class Chargement : public test::DossierTemporaire {};

TEST_F(Chargement, ReglesDeLigneDuSysteme) {
  const std::string longue(2500, 'x');
  const std::string presque(1022, 'y');
  const CasChargement cas[] = {
      {"fichier vide", "", {}, {}},
      {"ligne vide au milieu, sans fin de ligne", "a\n\nb", {"a", "", "b"}, {"a", "", "b"}},
      {"blancs de fin retires", "abc   \r\n", {"abc"}, {"abc"}},
      {"ligne de blancs", "   \t\n", {""}, {""}},
      {"blancs de tete gardes", "  x\n", {"  x"}, {"  x"}},
      {"CR LF", "l1\r\nl2\r\n", {"l1", "l2"}, {"l1", "l2"}},
      {"CR seuls", "l1\rl2\rl3\r", {"l1", "l2", "l3"}, {"l1\rl2\rl3"}},
      {"CR CR", "a\r\rb", {"a", "", "b"}, {"a\r\rb"}},
      {"pas de ligne vide apres la derniere fin", "a\n", {"a"}, {"a"}},
      {"une fin de ligne seule", "\n", {""}, {""}},
      {"octets hauts gardes", "x\xa0\n\xe9t\xe9\n", {"x\xa0", "\xe9t\xe9"}, {"x\xa0", "\xe9t\xe9"}},
      {"2500 octets", longue + "\n", {longue}, {longue.substr(0, 1023), longue.substr(0, 1023), longue.substr(0, 454)}},
      {"1022 octets", presque + "\n" + "z", {presque, "z"}, {presque, "z"}},
  };
  for (const CasChargement& c : cas) {
    test::ecrire("lignes.txt", c.octets);
    bool ouvert = false;
    const Liste liste = listecharger("lignes.txt", &ouvert);
    EXPECT_TRUE(ouvert) << c.nom;
    EXPECT_EQ(textes(liste), kWindows ? c.windows : c.amiga) << c.nom;
  }
}

TEST_F(Chargement, FichierAbsentDonneLaListeVide) {
  bool ouvert = true;
  Liste liste;
  EXPECT_EQ(test::sortie_de([&] { liste = listecharger("absent.txt", &ouvert); }), "");
  EXPECT_FALSE(ouvert);
  EXPECT_TRUE(liste.vide());
  EXPECT_EQ(listecompter(liste), 0u);
  EXPECT_EQ(listelire(liste, 1), "");
}

class Sauvegarde : public test::DossierTemporaire {};

TEST_F(Sauvegarde, FinsDeLigneDuSystemeEtRelecture) {
  Liste liste = liste_de({"a", "", "  b", "\xe9t\xe9"});
  listeajouter(liste, cellulecreer2(std::nullopt, std::nullopt, 0));
  EXPECT_TRUE(listesauver3("sortie.txt", liste));
  EXPECT_EQ(test::lire("sortie.txt"), kWindows ? "a\r\n\r\n  b\r\n\xe9t\xe9\r\n\r\n" : "a\n\n  b\n\xe9t\xe9\n\n");
  EXPECT_EQ(listecompter(liste), 5u);  // saving leaves the list as it was

  const Liste relue = listecharger("sortie.txt");
  EXPECT_EQ(textes(relue), (Lignes{"a", "", "  b", "\xe9t\xe9", ""}));
}

TEST_F(Sauvegarde, RemplaceToutLAncienContenu) {
  test::ecrire("sortie.txt", "une\nancienne\nversion bien plus longue\n");
  EXPECT_TRUE(listesauver3("sortie.txt", liste_de({"x"})));
  EXPECT_EQ(test::lire("sortie.txt"), kWindows ? "x\r\n" : "x\n");

  EXPECT_TRUE(listesauver3("sortie.txt", Liste()));
  EXPECT_TRUE(std::filesystem::exists("sortie.txt"));
  EXPECT_EQ(test::lire("sortie.txt"), "");
}

TEST_F(Sauvegarde, LimiteDeLongueurDesLignes) {
  const std::string limite(1024, 'L');
  const std::string trop(1025, 'T');
  const Liste liste = liste_de({"premiere", trop, "troisieme", limite});
  std::string sortie;
  bool complet = false;
  sortie = test::sortie_de([&] { complet = listesauver3("sortie.txt", liste); });
  if constexpr (kWindows) {
    EXPECT_TRUE(complet);
    EXPECT_EQ(sortie, "");
    EXPECT_EQ(test::lire("sortie.txt"), "premiere\r\n" + trop + "\r\ntroisieme\r\n" + limite + "\r\n");
  } else {
    EXPECT_FALSE(complet);
    EXPECT_EQ(sortie, "[listesauver3] ligne trop longue (max: 1024) *" + trop + "*\n");
    EXPECT_EQ(test::lire("sortie.txt"), "premiere\ntroisieme\n" + limite + "\n");
  }
  EXPECT_EQ(listecompter(liste), 4u);
}

TEST_F(Sauvegarde, DossierAbsentNEcritRienEtNeDitRien) {
  const Liste liste = liste_de({"a", "b"});
  bool complet = true;
  EXPECT_EQ(test::sortie_de([&] { complet = listesauver3("absent/sortie.txt", liste); }), "");
  EXPECT_FALSE(complet);
  EXPECT_FALSE(std::filesystem::exists("absent"));
  EXPECT_EQ(textes(liste), (Lignes{"a", "b"}));
}

}  // namespace
}  // namespace trivelo
