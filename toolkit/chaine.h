// Byte-string helpers with 1-based positions. Texts are 8-bit and carry no character set:
// one character is one byte, and a blank is any byte of value 0x20 or less.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace trivelo {

inline bool est_blanc(unsigned char c) { return c <= 0x20; }

// New text with the bytes from position p (1-based) on, n of them; n < 0 or past the end means
// "to the end"; p below 1 or past the last byte, or n == 0, give the empty text.
std::string chaineextraire(std::string_view texte, long p, long n);

// Trims, in place. The char* forms work on zero-terminated buffers and return an absent text
// (nullptr) unchanged.
std::string& chainenettoyerfin(std::string& texte);
std::string& chainenettoyerdebut(std::string& texte);
std::string& chainenettoyer(std::string& texte);
char* chainenettoyerfin(char* texte);
char* chainenettoyerdebut(char* texte);
char* chainenettoyer(char* texte);

// Reverses the bytes in place.
std::string& chaineinverser(std::string& texte);

// 1-based position of the first byte c at position p or after it (p < 1 counts as 1); 0 when
// there is none or p is past the end.
long caracterechercher(std::string_view texte, long p, unsigned char c);

// Decimal text of a value: sign ("-", or "+" with the plus flag), zeros up to the minimum number of
// digits, then the digits cut in groups of three by the separator when one is given.
std::string nombreformater(int64_t valeur, const char* separateur, bool plus, int minimum);

// Reads a decimal field as the C library's atoi does: leading blanks (space, tab and the other
// white-space bytes), an optional sign, then digits up to the first other byte; no digit gives 0.
long champlire(std::string_view champ);

}  // namespace trivelo
