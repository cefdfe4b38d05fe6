// String toolkit: substrings by 1-based position, trims, reversal, byte search, number formatting
// and the decimal field reader of the catalogue.
#include <climits>
#include <cstdint>
#include <string>

#include "chaine.h"
#include "outils.h"

namespace trivelo {
namespace {

struct CasExtraire {
  const char* texte;
  long p;
  long n;
  const char* attendu;
};

TEST(Chaine, ExtraireParPositionEtLongueur) {
  const CasExtraire cas[] = {
      {"abcde", 2, 3, "bcd"},       {"abcde", 2, 10, "bcde"},   {"abcde", 2, -1, "bcde"},
      {"abcde", 6, 1, ""},          {"abcde", 0, 2, ""},        {"abcde", -4, 2, ""},
      {"abcde", 5, 0, ""},          {"abcde", 5, 1, "e"},       {"abcde", 1, 5, "abcde"},
      {"abcde", 1, -7, "abcde"},    {"abcde", 3, LONG_MAX, "cde"}, {"abcde", LONG_MAX, 1, ""},
      {"", 1, -1, ""},              {"", 0, 0, ""},             {"", 1, 1, ""},
      {"\xe9t\xe9", 2, 2, "t\xe9"},
  };
  for (const CasExtraire& c : cas) {
    EXPECT_EQ(chaineextraire(c.texte, c.p, c.n), c.attendu) << c.texte << " p=" << c.p << " n=" << c.n;
  }
}

struct CasNettoyer {
  const char* texte;
  const char* fin;
  const char* debut;
  const char* deux;
};

TEST(Chaine, NettoyerRetireLesBlancsEtGardeLesOctetsHauts) {
  const CasNettoyer cas[] = {
      {"abc \t\r\n", "abc", "abc \t\r\n", "abc"},
      {"  ab  ", "  ab", "ab  ", "ab"},
      {" \t\r\n", "", "", ""},
      {"\x01\x1f x\x7f", "\x01\x1f x\x7f", "x\x7f", "x\x7f"},
      {"\xa0x\xa0", "\xa0x\xa0", "\xa0x\xa0", "\xa0x\xa0"},
      {"", "", "", ""},
      {"a b", "a b", "a b", "a b"},
  };
  for (const CasNettoyer& c : cas) {
    std::string s = c.texte;
    EXPECT_EQ(chainenettoyerfin(s), c.fin) << '"' << c.texte << '"';
    s = c.texte;
    EXPECT_EQ(chainenettoyerdebut(s), c.debut) << '"' << c.texte << '"';
    s = c.texte;
    EXPECT_EQ(chainenettoyer(s), c.deux) << '"' << c.texte << '"';

    // The forms on zero-terminated buffers change the buffer in place and return it.
    char tampon[32];
    std::snprintf(tampon, sizeof tampon, "%s", c.texte);
    EXPECT_EQ(chainenettoyerfin(tampon), tampon);
    EXPECT_STREQ(tampon, c.fin);
    std::snprintf(tampon, sizeof tampon, "%s", c.texte);
    EXPECT_EQ(chainenettoyerdebut(tampon), tampon);
    EXPECT_STREQ(tampon, c.debut);
    std::snprintf(tampon, sizeof tampon, "%s", c.texte);
    EXPECT_STREQ(chainenettoyer(tampon), c.deux);
  }
  EXPECT_EQ(chainenettoyerfin(static_cast<char*>(nullptr)), nullptr);
  EXPECT_EQ(chainenettoyerdebut(static_cast<char*>(nullptr)), nullptr);
  EXPECT_EQ(chainenettoyer(static_cast<char*>(nullptr)), nullptr);
}

TEST(Chaine, InverserEchangeLesOctets) {
  const std::pair<const char*, const char*> cas[] = {
      {"abcd", "dcba"}, {"abc", "cba"}, {"a", "a"}, {"", ""}, {"\xe9z", "z\xe9"},
  };
  for (const auto& [texte, attendu] : cas) {
    std::string s = texte;
    EXPECT_EQ(chaineinverser(s), attendu);
  }
}

TEST(Chaine, ChercherUnOctetAPartirDUnePosition) {
  const std::string motif = "abcde@ghij";  // 10 bytes, "@" at position 6
  const std::pair<long, long> cas[] = {{1, 6}, {6, 6}, {7, 0}, {10, 0}, {11, 0}, {0, 6}, {-5, 6}, {LONG_MAX, 0}};
  for (const auto& [p, attendu] : cas) EXPECT_EQ(caracterechercher(motif, p, '@'), attendu) << "p=" << p;

  EXPECT_EQ(caracterechercher("", 1, '@'), 0);
  EXPECT_EQ(caracterechercher("a@b@", 3, '@'), 4);
  EXPECT_EQ(caracterechercher("x\xe9y", 1, 0xE9), 2);  // bytes above 0x7F are ordinary bytes
  EXPECT_EQ(caracterechercher("abc", 1, '\0'), 0);      // the terminator is never found
}

struct CasNombre {
  int64_t valeur;
  const char* separateur;
  bool plus;
  int minimum;
  const char* attendu;
};

TEST(Chaine, FormaterUnNombre) {
  const CasNombre cas[] = {
      {1234567, ",", false, 0, "1,234,567"},
      {123, ",", false, 0, "123"},
      {123456, ",", false, 0, "123,456"},
      {1234, ",", false, 6, "001,234"},
      {5, nullptr, true, 3, "+005"},
      {-5, nullptr, false, 3, "-005"},
      {0, nullptr, false, 0, "0"},
      {0, nullptr, true, 0, "+0"},
      {-1234, ",", true, 0, "-1,234"},
      {12345, nullptr, false, 3, "12345"},
      {7, nullptr, false, 0, "7"},
      {12, nullptr, false, 0, "12"},
      {1234567, "\xc2\xa0", false, 0, "1\xc2\xa0" "234\xc2\xa0" "567"},
      {1234, "", false, 0, "1234"},
      {1000000000000000LL, nullptr, false, 0, "1000000000000000"},
      {INT64_MAX, ",", false, 0, "9,223,372,036,854,775,807"},
      {INT64_MIN, nullptr, false, 0, "-9223372036854775808"},
      {INT64_MIN, ",", true, 22, "-0009,223,372,036,854,775,808"},
  };
  for (const CasNombre& c : cas) {
    EXPECT_EQ(nombreformater(c.valeur, c.separateur, c.plus, c.minimum), c.attendu) << c.valeur;
  }
}

TEST(Chaine, LireUnChampDecimal) {
  const std::pair<const char*, long> cas[] = {
      {"01", 1}, {" 1", 1}, {"1 ", 1}, {"\t7", 7}, {"-3", -3}, {"+4", 4}, {"1a", 1},
      {"ab", 0}, {"", 0},  {"  ", 0}, {"- 1", 0}, {"009", 9}, {"999", 999},
  };
  for (const auto& [champ, attendu] : cas) EXPECT_EQ(champlire(champ), attendu) << '"' << champ << '"';
}

}  // namespace
}  // namespace trivelo
