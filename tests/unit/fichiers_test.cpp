// Paths and file copies with each build's rules and system calls.
#include <chrono>
#include <filesystem>
#include <string>

#include "fichiers.h"
#include "outils.h"

namespace trivelo {
namespace {

namespace fs = std::filesystem;
using test::kWindows;

struct CasChemin {
  const char* chemin;
  const char* windows;
  const char* amiga;
};

TEST(Chemin, TerminerParUnSeparateur) {
  const CasChemin cas[] = {
      {"Work:Games", "Work:Games/", "Work:Games/"},
      {"Work:Games/", "Work:Games/", "Work:Games/"},
      {"Work:", "Work:", "Work:"},
      {"C:\\Games\\Quiz", "C:\\Games\\Quiz/", "C:\\Games\\Quiz/"},
      {"C:\\Games\\Quiz\\", "C:\\Games\\Quiz\\", "C:\\Games\\Quiz\\/"},
      {"C:\\Games\\Quiz/", "C:\\Games\\Quiz/", "C:\\Games\\Quiz/"},
      {"C:", "C:", "C:"},
      {"jeu", "jeu/", "jeu/"},
      {"/", "/", "/"},
      {"", "/", "/"},
  };
  for (const CasChemin& c : cas) {
    std::string chemin = c.chemin;
    std::string& retour = cheminterminer(chemin);
    EXPECT_EQ(&retour, &chemin);
    EXPECT_EQ(chemin, kWindows ? c.windows : c.amiga) << c.chemin;
  }
}

// Bytes that differ from one position to the next and from one megabyte to the next.
std::string contenu(size_t taille) {
  std::string s(taille, '\0');
  for (size_t i = 0; i < taille; ++i) s[i] = static_cast<char>((i * 7 + i / 1048576 + i / 251) & 0xFF);
  return s;
}

class Copie : public test::DossierTemporaire {};

TEST_F(Copie, FichierVide) {
  test::ecrire("vide.bin", "");
  EXPECT_TRUE(fichiercopier2("vide.bin", "copie.bin", true));
  ASSERT_TRUE(fs::exists("copie.bin"));
  EXPECT_EQ(fs::file_size("copie.bin"), 0u);
}

TEST_F(Copie, GrosFichierRemplaceLaDestinationEtGardeLaDate) {
  const std::string octets = contenu(3000000);
  test::ecrire("source.bin", octets);
  test::ecrire("copie.bin", std::string(4000000, 'a'));
  const auto date = fs::file_time_type(std::chrono::duration_cast<fs::file_time_type::duration>(
      fs::last_write_time("source.bin").time_since_epoch() - std::chrono::hours(24 * 400)));
  fs::last_write_time("source.bin", date);

  EXPECT_TRUE(fichiercopier2("source.bin", "copie.bin", true));
  EXPECT_TRUE(test::lire("copie.bin") == octets);
  EXPECT_TRUE(test::lire("source.bin") == octets);
  const auto ecart = fs::last_write_time("copie.bin") - fs::last_write_time("source.bin");
  EXPECT_LT(std::chrono::abs(std::chrono::duration_cast<std::chrono::milliseconds>(ecart)).count(), 1000);
}

TEST_F(Copie, SourceAbsente) {
  bool copie = true;
  const std::string sortie = test::sortie_de([&] { copie = fichiercopier2("absent.bin", "copie.bin", true); });
  EXPECT_FALSE(copie);
  EXPECT_FALSE(fs::exists("copie.bin"));
  if constexpr (kPlatform == Platform::AmigaOS4) {
    // The system's text for the error, then the copy's own line.
    const std::string propre = "[fichiercopier2] le fichier absent.bin n'a pas \xe9t\xe9 trouv\xe9.\n";
    ASSERT_GT(sortie.size(), propre.size());
    EXPECT_EQ(sortie.substr(sortie.size() - propre.size()), propre);
    const std::string systeme = sortie.substr(0, sortie.size() - propre.size());
    EXPECT_GT(systeme.size(), 1u);
    EXPECT_EQ(systeme.find('\n'), systeme.size() - 1) << systeme;
  } else {
    EXPECT_EQ(sortie, "");
  }
}

TEST_F(Copie, DestinationImpossibleACreer) {
  test::ecrire("source.bin", "abc");
  bool copie = true;
  const std::string sortie = test::sortie_de([&] { copie = fichiercopier2("source.bin", "absent/copie.bin", true); });
  EXPECT_FALSE(copie);
  EXPECT_EQ(sortie, "");
  EXPECT_FALSE(fs::exists("absent"));
  EXPECT_EQ(test::lire("source.bin"), "abc");
}

TEST_F(Copie, SurElleMemeNeVidePasLeFichier) {
  test::ecrire("source.bin", "abc");
  EXPECT_FALSE(fichiercopier2("source.bin", "source.bin", true));
  EXPECT_EQ(test::lire("source.bin"), "abc");
}

#if defined(TRIVELO_PLATFORM_WINDOWS) && defined(__linux__)
// The host copy of the Windows rules: a full disk makes the copy fail, and the copy never removes
// what is not a plain file.
TEST_F(Copie, DisquePleinSurUnHote) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  test::ecrire("source.bin", contenu(100000));
  EXPECT_FALSE(fichiercopier2("source.bin", "/dev/full", true));
  EXPECT_TRUE(fs::is_character_file("/dev/full"));
}
#endif

}  // namespace
}  // namespace trivelo
