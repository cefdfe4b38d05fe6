// The Amiga-family system side of the toolkit, run against the stand-in of the system libraries:
// language of the default locale, the copy's file attributes and failures, the workspace in RAM:
// and the asl requesters.
#include <dos/dos.h>
#include <dos/dostags.h>
#include <proto/asl.h>
#include <proto/dos.h>
#include <proto/exec.h>
#include <proto/locale.h>
#include <standin/standin.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

#include "fichiers.h"
#include "fichiers_amiga.h"
#include "messages.h"
#include "outils.h"

namespace trivelo {
namespace {

namespace fs = std::filesystem;
constexpr bool kAmigaOS4 = kPlatform == Platform::AmigaOS4;

// A fresh stand-in for each test, with RAM: in the test's folder (RAM:T present, as the system
// start-up leaves it).
class Amiga : public test::DossierTemporaire {
 protected:
  void SetUp() override {
    DossierTemporaire::SetUp();
    standin::reset();
    ram_ = dossier_ / "ram";
    fs::create_directories(ram_ / "T");
    standin::set_volume("RAM", ram_.string());
  }
  void TearDown() override {
    standin::reset();
    DossierTemporaire::TearDown();
  }
  // Nothing the toolkit opened is left open.
  void rien_d_ouvert() {
    EXPECT_EQ(standin::open_files(), 0);
    EXPECT_EQ(standin::open_locks(), 0);
    EXPECT_EQ(standin::allocated_vecs(), 0);
  }
  fs::path ram_;
};

// ---- Language -------------------------------------------------------------------------------------------

struct CasLocale {
  std::optional<std::string> nom;
  ULONG jeu_locale;
  int32_t langue_amigaos4;
  uint32_t jeu_amigaos4;
  int32_t langue_morphos;
  uint32_t jeu_morphos;
};

using LangueDetectee = Amiga;

TEST_F(LangueDetectee, DepuisLaLocaleParDefaut) {
  const CasLocale cas[] = {
      {std::string("french.language"), 4, kFrancais, 4, kAnglais, 4},
      {std::string("fran\xe7" "ais.language"), 4, kAnglais, 4, kFrancais, 4},
      {std::string("French.language"), 4, kAnglais, 4, kAnglais, 4},
      {std::string("deutsch.language"), 4, kAnglais, 4, kAllemand, 4},
      {std::string("russian.language"), 4, kRusse, 2104, kRusse, 2104},
      {std::string("polish.language"), 4, kPolonais, 5, kAnglais, 4},
      {std::string("polski.language"), 4, kAnglais, 4, kPolonais, 5},
      {std::string("magyar.language"), 4, kAnglais, 4, kHongrois, 5},
      {std::string("hungarian.language"), 4, kHongrois, 5, kAnglais, 4},
      {std::string("greek.language"), 4, kGrec, 10, kGrec, 10},
      {std::string("portuguese-brazil.language"), 106, kPortugais, 106, kPortugais, 106},
      {std::string("english.language"), 4, kAnglais, 4, kAnglais, 4},
      {std::nullopt, 4, kAnglais, 0, kAnglais, 0},
  };
  for (const CasLocale& c : cas) {
    standin::set_locale(c.nom, c.jeu_locale);
    uint32_t jeu = 99;
    const int32_t langue = languedetecter(jeu);
    const std::string nom = c.nom.value_or("(no locale)");
    EXPECT_EQ(langue, kAmigaOS4 ? c.langue_amigaos4 : c.langue_morphos) << nom;
    EXPECT_EQ(jeu, kAmigaOS4 ? c.jeu_amigaos4 : c.jeu_morphos) << nom;
    EXPECT_EQ(standin::library_open_count("locale.library"), 0) << nom;
    EXPECT_EQ(LocaleBase, nullptr);
  }
}

TEST_F(LangueDetectee, SansLibrairieDeLocale) {
  // Only AmigaOS 4 asks for the library's interface.
  struct Cas {
    const char* panne;
    int32_t langue_amigaos4;
    int32_t langue_morphos;
  };
  const Cas cas[] = {
      {"library:locale.library", kAnglais, kAnglais},
      {"interface:locale.library", kAnglais, kFrancais},
  };
  for (const Cas& c : cas) {
    standin::reset();
    standin::set_locale(std::string(kAmigaOS4 ? "french.language" : "fran\xe7" "ais.language"), 4);
    standin::fail(c.panne);
    uint32_t jeu = 99;
    const int32_t langue = languedetecter(jeu);
    EXPECT_EQ(langue, kAmigaOS4 ? c.langue_amigaos4 : c.langue_morphos) << c.panne;
    EXPECT_EQ(jeu, langue == kAnglais ? 0u : 4u) << c.panne;
    EXPECT_EQ(standin::library_open_count("locale.library"), 0) << c.panne;
  }
}

TEST_F(LangueDetectee, RendLaLibrairieOuverteParLeProgramme) {
  standin::set_locale(std::string("greek.language"), 4);
  struct Library* base = OpenLibrary("locale.library", 0);
  ASSERT_NE(base, nullptr);
  LocaleBase = base;
  uint32_t jeu = 0;
  EXPECT_EQ(languedetecter(jeu), kGrec);
  EXPECT_EQ(jeu, 10u);
  EXPECT_EQ(LocaleBase, base);
  EXPECT_EQ(standin::library_open_count("locale.library"), 1);
  CloseLibrary(base);
  LocaleBase = nullptr;
}

using CatalogueAmiga = Amiga;

TEST_F(CatalogueAmiga, SansTamponDeLigne) {
  test::ecrire("trivelo_extension.msg", "01    005Hello\n");
  standin::fail("alloc:512");
  Liste catalogue;
  const std::string sortie = test::sortie_de([&] { catalogue = messagescharger("trivelo_extension.msg", kAnglais); });
  EXPECT_EQ(sortie, "<messagescharger> allocation de m\xe9moire impossible\n");
  EXPECT_TRUE(catalogue.vide());
  rien_d_ouvert();
}

// ---- File copy --------------------------------------------------------------------------------------------

struct Attributs {
  std::string commentaire;
  LONG protection = 0;
  struct DateStamp date = {};
};

Attributs attributs(const char* nom) {
  Attributs a;
  BPTR verrou = Lock(nom, SHARED_LOCK);
  EXPECT_NE(verrou, 0) << nom;
  if (verrou == 0) return a;
  struct FileInfoBlock* fib = static_cast<struct FileInfoBlock*>(AllocDosObject(DOS_FIB, nullptr));
  EXPECT_TRUE(Examine(verrou, fib));
  a.commentaire = fib->fib_Comment;
  a.protection = fib->fib_Protection;
  a.date = fib->fib_Date;
  FreeDosObject(DOS_FIB, fib);
  UnLock(verrou);
  return a;
}

bool meme_date(const struct DateStamp& a, const struct DateStamp& b) {
  return a.ds_Days == b.ds_Days && a.ds_Minute == b.ds_Minute && a.ds_Tick == b.ds_Tick;
}

using CopieAmiga = Amiga;

TEST_F(CopieAmiga, GardeCommentaireDateEtProtection) {
  test::ecrire("source.png", std::string(3000000, 'p'));
  test::ecrire("copie.png", "ancienne copie plus courte");
  fs::last_write_time("source.png", fs::last_write_time("source.png") - std::chrono::hours(24 * 800));
  const LONG protection = FIBF_ARCHIVE | FIBF_SCRIPT | FIBF_EXECUTE;
  ASSERT_TRUE(SetComment("source.png", "Avatar de Zelto"));
  ASSERT_TRUE(SetProtection("source.png", protection));
  ASSERT_TRUE(SetComment("copie.png", "ancien commentaire"));

  EXPECT_TRUE(fichiercopier2("source.png", "copie.png", true));
  EXPECT_TRUE(test::lire("copie.png") == std::string(3000000, 'p'));
  const Attributs source = attributs("source.png");
  const Attributs copie = attributs("copie.png");
  EXPECT_EQ(copie.commentaire, "Avatar de Zelto");
  EXPECT_EQ(copie.protection, protection);
  EXPECT_TRUE(meme_date(copie.date, source.date));
  rien_d_ouvert();

  // Without the flag the copy has a date of its own.
  EXPECT_TRUE(fichiercopier2("source.png", "sans_date.png", false));
  const Attributs sans_date = attributs("sans_date.png");
  EXPECT_FALSE(meme_date(sans_date.date, source.date));
  EXPECT_EQ(sans_date.commentaire, "Avatar de Zelto");
  EXPECT_EQ(sans_date.protection, protection);
}

TEST_F(CopieAmiga, SourceAbsenteTexteDuSysteme) {
  std::string sortie = test::sortie_de([] { EXPECT_FALSE(fichiercopier2("absent.png", "copie.png", true)); });
  if constexpr (kAmigaOS4) {
    char texte[128];
    Fault(ERROR_OBJECT_NOT_FOUND, nullptr, texte, sizeof texte);
    EXPECT_EQ(sortie, std::string(texte) + "\n[fichiercopier2] le fichier absent.png n'a pas \xe9t\xe9 trouv\xe9.\n");
  } else {
    EXPECT_EQ(sortie, "");
  }
  EXPECT_FALSE(fs::exists("copie.png"));
  rien_d_ouvert();
}

// Failures during the copy: the result is false, no partial destination stays behind, no
// attribute is given, and everything opened is released.
TEST_F(CopieAmiga, EchecsPendantLaCopie) {
  const std::string tampon = kAmigaOS4 ? "1048577" : "10240000";
  struct Cas {
    const char* nom;
    std::string panne;
    bool destination_creee;
  };
  const Cas cas[] = {
      {"disque plein", "write:copie.png@1000", true},
      {"lecture impossible", "read:source.png", true},
      {"destination impossible a ouvrir", "open:copie.png", false},
      {"pas de memoire pour le tampon", "alloc:" + tampon, false},
  };
  test::ecrire("source.png", std::string(3000000, 's'));
  ASSERT_TRUE(SetComment("source.png", "Avatar"));
  for (const Cas& c : cas) {
    standin::clear_failures();
    std::error_code ec;
    fs::remove("copie.png", ec);
    standin::fail(c.panne);
    std::string sortie = test::sortie_de([] { EXPECT_FALSE(fichiercopier2("source.png", "copie.png", true)); });
    EXPECT_EQ(sortie, "") << c.nom;
    EXPECT_FALSE(fs::exists("copie.png")) << c.nom;
    rien_d_ouvert();
  }
  standin::clear_failures();
  EXPECT_TRUE(test::lire("source.png") == std::string(3000000, 's'));
}

TEST_F(CopieAmiga, DestinationProtegeeEnEcritureIntacte) {
  test::ecrire("source.png", "nouveau");
  test::ecrire("copie.png", "ancien");
  ASSERT_TRUE(SetProtection("copie.png", FIBF_WRITE));
  EXPECT_FALSE(fichiercopier2("source.png", "copie.png", true));
  EXPECT_EQ(test::lire("copie.png"), "ancien");
  rien_d_ouvert();
}

TEST_F(CopieAmiga, CheminsAmiga) {
  fs::create_directories(ram_ / "jeu" / "data");
  test::ecrire("source.png", "png");
  EXPECT_TRUE(fichiercopier2("source.png", "RAM:jeu/data/1.png", true));
  EXPECT_EQ(test::lire(ram_ / "jeu" / "data" / "1.png"), "png");
  EXPECT_TRUE(fichiercopier2("RAM:jeu/data/1.png", "retour.png", true));
  EXPECT_EQ(test::lire("retour.png"), "png");
}

// ---- Workspace --------------------------------------------------------------------------------------------

class EspaceDeTravail : public Amiga {
 protected:
  fs::path fabricant() const { return ram_ / "T" / "Felgrove"; }
  fs::path espace() const { return fabricant() / "Trivelo_Extension"; }
};

TEST_F(EspaceDeTravail, CreeVerrouilleEtSupprime) {
  std::string erreur = "?";
  BPTR verrou = 0;
  ASSERT_TRUE(temporairecreer(kNomProgramme, erreur, verrou));
  EXPECT_EQ(erreur, "");
  EXPECT_NE(verrou, 0);
  EXPECT_TRUE(fs::is_directory(espace()));
  EXPECT_EQ(standin::open_locks(), 1);
  EXPECT_EQ(temporairechemin(kNomProgramme), "RAM:T/Felgrove/Trivelo_Extension/");

  // The shared lock does not keep the program from working in the folder.
  Liste liste;
  listeajouter(liste, cellulecreer2(std::string("ligne"), std::nullopt, 0));
  const std::string fichier = temporairechemin(kNomProgramme) + "perso.dta";
  EXPECT_TRUE(listesauver3(fichier.c_str(), liste));
  EXPECT_EQ(listelire(listecharger(fichier.c_str()), 1), "ligne");
  EXPECT_EQ(DeleteFile(fichier.c_str()), DOSTRUE);

  temporairesupprimer(kNomProgramme, verrou);
  EXPECT_FALSE(fs::exists(fabricant()));
  EXPECT_TRUE(fs::is_directory(ram_ / "T"));
  rien_d_ouvert();
}

TEST_F(EspaceDeTravail, EspaceDUnePrecedenteExecutionReutilise) {
  fs::create_directories(espace());
  test::ecrire(espace() / "perso.dta", "reste");
  std::string erreur;
  BPTR premier = 0;
  ASSERT_TRUE(temporairecreer(kNomProgramme, erreur, premier));
  // A second start while the first still holds its lock.
  BPTR second = 0;
  ASSERT_TRUE(temporairecreer(kNomProgramme, erreur, second));
  EXPECT_EQ(erreur, "");
  EXPECT_NE(second, 0);
  EXPECT_EQ(standin::open_locks(), 2);
  temporairesupprimer(kNomProgramme, second);
  temporairesupprimer(kNomProgramme, premier);
  // A workspace that still holds a file stays, and so does its maker folder.
  EXPECT_EQ(test::lire(espace() / "perso.dta"), "reste");
  rien_d_ouvert();
}

TEST_F(EspaceDeTravail, DossierDuFabricantPartage) {
  fs::create_directories(fabricant() / "Autre_Programme");
  std::string erreur;
  BPTR verrou = 0;
  ASSERT_TRUE(temporairecreer(kNomProgramme, erreur, verrou));
  temporairesupprimer(kNomProgramme, verrou);
  EXPECT_FALSE(fs::exists(espace()));
  EXPECT_TRUE(fs::is_directory(fabricant() / "Autre_Programme"));
  temporairesupprimer(kNomProgramme, 0);  // no lock, nothing left to remove: harmless
  rien_d_ouvert();
}

TEST_F(EspaceDeTravail, EchecsEtLeurTexte) {
  std::string erreur;
  BPTR verrou = 123;

  // No RAM:T to create the maker folder in.
  fs::remove_all(ram_ / "T");
  EXPECT_FALSE(temporairecreer(kNomProgramme, erreur, verrou));
  EXPECT_EQ(erreur, "Can't create RAM:T/Felgrove\n");
  EXPECT_EQ(verrou, 0);
  rien_d_ouvert();

  // The workspace itself cannot be made: the maker folder made for it goes again.
  fs::create_directories(ram_ / "T");
  standin::fail("workspace");
  verrou = 123;
  EXPECT_FALSE(temporairecreer(kNomProgramme, erreur, verrou));
  EXPECT_EQ(erreur, "Can't createRAM:T/Felgrove/Trivelo_Extension\n");
  EXPECT_EQ(verrou, 0);
  EXPECT_FALSE(fs::exists(fabricant()));
  rien_d_ouvert();

  // ... but another program's workspace keeps it.
  fs::create_directories(fabricant() / "Autre_Programme");
  EXPECT_FALSE(temporairecreer(kNomProgramme, erreur, verrou));
  EXPECT_TRUE(fs::is_directory(fabricant() / "Autre_Programme"));
  rien_d_ouvert();
}

// ---- Requesters -------------------------------------------------------------------------------------------

class Requete : public Amiga {
 protected:
  void SetUp() override {
    Amiga::SetUp();
    AslBase = OpenLibrary("asl.library", 0);
    ASSERT_NE(AslBase, nullptr);
    if constexpr (kAmigaOS4) {
      IAsl = reinterpret_cast<struct AslIFace*>(GetInterface(AslBase, "main", 1, nullptr));
      ASSERT_NE(IAsl, nullptr);
    }
  }
  void TearDown() override {
    if (IAsl != nullptr) DropInterface(reinterpret_cast<struct Interface*>(IAsl));
    IAsl = nullptr;
    if (AslBase != nullptr) CloseLibrary(AslBase);
    AslBase = nullptr;
    Amiga::TearDown();
  }
};

TEST_F(Requete, CheminChoisi) {
  struct Cas {
    const char* dossier;
    const char* fichier;
    const char* avec_fichier;
    const char* sans_fichier;
  };
  const Cas cas[] = {
      {"Work:Games", "Quiz", "Work:Games/Quiz", "Work:Games/"},
      {"Work:", "", "Work:", "Work:"},
      {"Work:Games/", "", "Work:Games/", "Work:Games/"},
      {"", "", "", ""},
      {"", "Trivelo", "Trivelo", ""},
  };
  for (const Cas& c : cas) {
    std::string resultat;
    standin::queue_asl(c.dossier, c.fichier);
    EXPECT_TRUE(fichierdemander("Titre", "Work:", resultat));
    EXPECT_EQ(resultat, c.avec_fichier);
    standin::queue_asl(c.dossier, c.fichier);
    EXPECT_TRUE(dossierdemander("Titre", "Work:", resultat));
    EXPECT_EQ(resultat, c.sans_fichier);
  }
}

TEST_F(Requete, AnnuleeOuSansReponse) {
  std::string resultat = "inchange";
  standin::queue_asl_cancel();
  EXPECT_FALSE(fichierdemander("Titre", nullptr, resultat));
  standin::queue_asl_cancel();
  EXPECT_FALSE(dossierdemander(nullptr, "Work:", resultat));
  EXPECT_FALSE(dossierdemander(nullptr, nullptr, resultat));  // nothing queued: the user closed it
  EXPECT_EQ(resultat, "inchange");
}

TEST_F(Requete, TitreEtDossierInitial) {
  standin::queue_asl("Work:", "");
  std::string resultat;
  ASSERT_TRUE(dossierdemander("Choisir le dossier du jeu", "Work:Jeux/Trivelo", resultat));
  ASSERT_FALSE(standin::transcript_lines().empty());
  EXPECT_EQ(standin::transcript_lines().back(),
            "{\"event\":\"asl\",\"title\":\"Choisir le dossier du jeu\",\"drawer\":\"Work:Jeux/Trivelo\"}");

  standin::queue_asl("Work:", "");
  ASSERT_TRUE(fichierdemander(nullptr, nullptr, resultat));
  EXPECT_EQ(standin::transcript_lines().back(), "{\"event\":\"asl\",\"title\":\"\",\"drawer\":\"\"}");
}

}  // namespace
}  // namespace trivelo
