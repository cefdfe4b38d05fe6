#include "chaine.h"

#include <algorithm>
#include <cstring>

namespace trivelo {

std::string chaineextraire(std::string_view texte, long p, long n) {
  const long longueur = static_cast<long>(texte.size());
  if (p < 1 || p > longueur || n == 0) return std::string();
  if (n < 0 || n > longueur - p + 1) n = longueur - p + 1;
  return std::string(texte.substr(static_cast<size_t>(p - 1), static_cast<size_t>(n)));
}

std::string& chainenettoyerfin(std::string& texte) {
  size_t fin = texte.size();
  while (fin > 0 && est_blanc(static_cast<unsigned char>(texte[fin - 1]))) --fin;
  texte.resize(fin);
  return texte;
}

std::string& chainenettoyerdebut(std::string& texte) {
  size_t debut = 0;
  while (debut < texte.size() && est_blanc(static_cast<unsigned char>(texte[debut]))) ++debut;
  texte.erase(0, debut);
  return texte;
}

std::string& chainenettoyer(std::string& texte) { return chainenettoyerfin(chainenettoyerdebut(texte)); }

char* chainenettoyerfin(char* texte) {
  if (!texte) return texte;
  size_t fin = std::strlen(texte);
  while (fin > 0 && est_blanc(static_cast<unsigned char>(texte[fin - 1]))) --fin;
  texte[fin] = '\0';
  return texte;
}

char* chainenettoyerdebut(char* texte) {
  if (!texte) return texte;
  size_t debut = 0;
  while (texte[debut] != '\0' && est_blanc(static_cast<unsigned char>(texte[debut]))) ++debut;
  if (debut > 0) std::memmove(texte, texte + debut, std::strlen(texte + debut) + 1);
  return texte;
}

char* chainenettoyer(char* texte) { return chainenettoyerfin(chainenettoyerdebut(texte)); }

std::string& chaineinverser(std::string& texte) {
  std::reverse(texte.begin(), texte.end());
  return texte;
}

long caracterechercher(std::string_view texte, long p, unsigned char c) {
  if (p < 1) p = 1;
  if (p > static_cast<long>(texte.size())) return 0;
  const size_t trouve = texte.find(static_cast<char>(c), static_cast<size_t>(p - 1));
  return trouve == std::string_view::npos ? 0 : static_cast<long>(trouve) + 1;
}

std::string nombreformater(int64_t valeur, const char* separateur, bool plus, int minimum) {
  // Magnitude as unsigned, so the most negative value keeps all its digits.
  uint64_t magnitude = valeur < 0 ? uint64_t(0) - static_cast<uint64_t>(valeur) : static_cast<uint64_t>(valeur);
  std::string chiffres;
  do {
    chiffres.push_back(static_cast<char>('0' + magnitude % 10));
    magnitude /= 10;
  } while (magnitude != 0);
  std::reverse(chiffres.begin(), chiffres.end());

  std::string resultat;
  if (valeur < 0) resultat.push_back('-');
  else if (plus) resultat.push_back('+');
  for (int i = static_cast<int>(chiffres.size()); i < minimum; ++i) resultat.push_back('0');

  if (separateur == nullptr) return resultat + chiffres;
  const size_t premier = chiffres.size() % 3 == 0 ? 3 : chiffres.size() % 3;
  resultat.append(chiffres, 0, premier);
  for (size_t i = premier; i < chiffres.size(); i += 3) {
    resultat.append(separateur);
    resultat.append(chiffres, i, 3);
  }
  return resultat;
}

long champlire(std::string_view champ) {
  size_t i = 0;
  auto espace = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
  while (i < champ.size() && espace(champ[i])) ++i;
  bool negatif = false;
  if (i < champ.size() && (champ[i] == '+' || champ[i] == '-')) negatif = champ[i++] == '-';
  long valeur = 0;
  for (; i < champ.size() && champ[i] >= '0' && champ[i] <= '9'; ++i) {
    if (valeur < 100000000L) valeur = valeur * 10 + (champ[i] - '0');
  }
  return negatif ? -valeur : valeur;
}

}  // namespace trivelo
