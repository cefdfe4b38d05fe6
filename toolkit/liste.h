// Line lists: an ordered, singly linked chain of cells, each owning one 8-bit text, and the
// loading and saving of line files into and from them.
//
// A list is represented by its first cell and the empty list is the absent cell; there is no
// header, no tail link and no stored count. `Liste` owns the chain (RAII): destroying it frees
// every cell and both texts of every cell, iteratively, so long lists cannot exhaust the stack.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace trivelo {

struct cellule {
  std::optional<std::string> texte;   // the line; absent is possible but the installer never makes one
  std::optional<std::string> texte2;  // second slot, left absent by the installer
  int32_t valeur = 0;                 // number slot, 0 in the installer
  cellule* suivant = nullptr;         // next cell, owned by the list holding this one
};

// Frees the cell and its texts; the next cell is not touched.
void celluleliberer(cellule* c);

struct CelluleLiberer {
  void operator()(cellule* c) const { celluleliberer(c); }
};
// A cell not yet in a list (with whatever chain hangs from it: see listeajouter).
using CellulePtr = std::unique_ptr<cellule, CelluleLiberer>;

class Liste {
 public:
  Liste() = default;
  explicit Liste(cellule* premier) : premier_(premier) {}
  Liste(const Liste&) = delete;
  Liste& operator=(const Liste&) = delete;
  Liste(Liste&& autre) noexcept : premier_(autre.premier_) { autre.premier_ = nullptr; }
  Liste& operator=(Liste&& autre) noexcept;
  ~Liste();

  cellule* premier() const { return premier_; }
  bool vide() const { return premier_ == nullptr; }
  // Gives up ownership of the chain.
  cellule* relacher() {
    cellule* c = premier_;
    premier_ = nullptr;
    return c;
  }

 private:
  friend Liste& listeajouter(Liste& liste, CellulePtr c);
  friend void listeliberer(Liste& liste);
  cellule* premier_ = nullptr;
};

// A new cell holding the three values; absent (null) when memory is exhausted, after the
// Amiga-family builds printed "[cellulecreer2] allocation de mémoire impossible.".
CellulePtr cellulecreer2(std::optional<std::string> texte, std::optional<std::string> texte2, int32_t valeur);

// Attaches the cell (and its chain) after the last cell, walking from the first. An absent cell
// leaves the list unchanged. Returns the list, which now starts with the cell if it was empty.
Liste& listeajouter(Liste& liste, CellulePtr c);

uint32_t listecompter(const Liste& liste);

// Text of the n-th cell counted from 1; the empty text when n is 0, past the end, or the cell has no text.
const std::string& listelire(const Liste& liste, uint32_t n);

// Frees every cell; the list is empty afterwards.
void listeliberer(Liste& liste);

// Loads a text file, one cell per line (trailing blanks removed, build's line rules). The empty
// list when the file cannot be opened or holds no line. `ouvert`, when given, tells whether the
// file could be opened and read to its end.
Liste listecharger(const char* nom, bool* ouvert = nullptr);

// Writes the list as a text file, replacing the file: CR LF line ends on Windows, LF on the
// Amiga family, where a text longer than 1024 bytes is left out with a diagnostic line.
// Returns true when the file was created and every write succeeded.
bool listesauver3(const char* nom, const Liste& liste);

// Appends cells at the end of a list while it is being built. The list keeps no tail link; the
// builder keeps its own pointer to the last cell so that n appends take time linear in n.
class AjouteurListe {
 public:
  explicit AjouteurListe(Liste& liste);
  void ajouter(CellulePtr c);

 private:
  Liste& liste_;
  cellule* dernier_ = nullptr;
};

// Test hook: number of cells that can still be created before cellulecreer2 behaves as if memory
// were exhausted; negative means no limit.
extern long g_cellules_avant_echec;

}  // namespace trivelo
