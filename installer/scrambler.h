// The roster scrambler: the game keeps its character roster in a scrambled form, byte i stored as
// NOT(p XOR key[i mod 118]). The transform is its own inverse, so both directions compute the same
// bytes; they differ in how they treat the destination.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace trivelo {

inline constexpr size_t kScramblingKeyLength = 118;

// The 118 key bytes, exactly: printable ASCII except the 17th, the single byte 0xE9.
std::string_view scrambling_key();

// Transforms n bytes in place, starting at key index `index`; returns the key index after them.
size_t scramble_block(unsigned char* bytes, size_t n, std::string_view key, size_t index);

enum class ScrambleResult {
  Done,            // the whole source was transformed into the destination
  SourceMissing,   // the source could not be opened; the destination was not touched
  ReadFailed,      // reading the source failed
  WriteFailed,     // the destination could not be created, written or put in place
};

// Scrambled (or plain) file to a work file: the destination is deleted, then created anew. On any
// failure no destination is left behind, so a work file of an earlier run can never be taken for
// the result.
ScrambleResult unscramble_roster(const std::string& source, const std::string& destination,
                                 std::string_view key = scrambling_key());

// Plain work file to the game's roster: the result is written completely to a new file beside the
// destination and only then put in its place (a read-only destination is replaced too). On any
// failure the old destination is left exactly as it was.
ScrambleResult scramble_roster(const std::string& source, const std::string& destination,
                               std::string_view key = scrambling_key());

// Name of the new file written beside a destination before it replaces it.
std::string scramble_new_name(const std::string& destination);

}  // namespace trivelo
