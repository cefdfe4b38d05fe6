// Localised messages: language numbers, the language tables of the three builds, the language
// fallback, and the message catalogue (the texts of one language, addressed by number).
#pragma once

#include <cstdint>
#include <string>

#include "liste.h"
#include "platform.h"

namespace trivelo {

enum Langue : int32_t {
  kFrancais = 0,
  kAnglais = 1,
  kItalien = 2,
  kAllemand = 3,
  kEspagnol = 4,
  kSuedois = 5,
  kRusse = 6,
  kPolonais = 8,
  kHongrois = 9,
  kPortugais = 10,
  kGrec = 11,
};

// Language number of a Windows user-interface language identifier (first match in the table;
// English for any other identifier).
int32_t langue_windows(uint16_t identifiant);

struct LangueAmiga {
  int32_t langue;
  uint32_t jeu;  // text code set (IANA MIBenum)
};
// Language number and text code set for a default locale's language name and code set, with the
// table of the given Amiga-family platform (each knows only its own spelling of the names).
LangueAmiga langue_amiga(Platform plateforme, const char* nom_langue, uint32_t jeu_locale);

// The numbers the catalogue is read for: 0-5, 8, 10 and 11; every other number becomes English.
int32_t langue_repli(int32_t langue);

// Detects the language from the system's locale (before the fallback); sets the text code set
// (always 0 on Windows).
int32_t languedetecter(uint32_t& jeu);

// Loads the catalogue lines of one language; the empty catalogue when the file cannot be read.
Liste messagescharger(const char* nom, int32_t langue);

// Message n of a catalogue: its n-th text, or the empty text when n is 0 or out of range.
inline const std::string& message(const Liste& catalogue, uint32_t n) { return listelire(catalogue, n); }

// Parses one catalogue line (as its reader delivers it) for the given language: returns false
// when the line belongs to another language, otherwise the text into `texte`.
bool ligne_catalogue(const std::string& ligne, int32_t langue, std::string& texte);

}  // namespace trivelo
