#include "scrambler.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "systeme.h"

namespace trivelo {

namespace {

// The 17th byte is the Latin-1 e with acute accent, one byte.
constexpr char kKey[] =
    "wpotmebnarlxquvt" "\xE9" "tonbrelaxqmewp71oystubor8vemqalot:pyxwenbum<;tayorek<pulmo9627580b9e2d8d0e7bxtolymepb09q7w8t6e51mo7p0";
static_assert(sizeof kKey - 1 == kScramblingKeyLength, "the key holds 118 bytes");

// Large blocks keep the number of system calls per megabyte low on every build.
constexpr long kBlockSize = 1024 * 1024;

// out[i] ^= key[i] for m bytes, eight at a time: the compiler turns the fixed-size copies into
// plain loads and stores, so this runs at memory speed without depending on auto-vectorising.
void xor_bytes(unsigned char* out, const unsigned char* key, size_t m) {
  size_t i = 0;
  for (; i + 8 <= m; i += 8) {
    uint64_t a, b;
    std::memcpy(&a, out + i, 8);
    std::memcpy(&b, key + i, 8);
    a ^= b;
    std::memcpy(out + i, &a, 8);
  }
  for (; i < m; ++i) out[i] ^= key[i];
}

// Reads the whole source into the open destination, transformed. The key restarts for every file.
ScrambleResult transform(systeme::FichierBrut& source, systeme::FichierBrut& destination, std::string_view key) {
  std::vector<unsigned char> block(kBlockSize);
  size_t index = 0;
  for (;;) {
    const long n = source.lire(block.data(), kBlockSize);
    if (n < 0) return ScrambleResult::ReadFailed;
    if (n == 0) break;
    index = scramble_block(block.data(), static_cast<size_t>(n), key, index);
    if (!destination.ecrire(block.data(), n)) return ScrambleResult::WriteFailed;
  }
  return ScrambleResult::Done;
}

// Transforms source into `target`, which is created anew. Leaves no target behind on failure.
ScrambleResult transform_file(const std::string& source_name, const std::string& target, std::string_view key) {
  if (key.empty()) return ScrambleResult::ReadFailed;
  systeme::FichierBrut source;
  if (!source.ouvrir_lecture(source_name)) return ScrambleResult::SourceMissing;
  if (!systeme::supprimer(target)) return ScrambleResult::WriteFailed;
  systeme::FichierBrut destination;
  if (!destination.ouvrir_ecriture(target)) return ScrambleResult::WriteFailed;
  ScrambleResult result = transform(source, destination, key);
  if (!destination.fermer() && result == ScrambleResult::Done) result = ScrambleResult::WriteFailed;
  source.fermer();
  if (result != ScrambleResult::Done) systeme::supprimer(target);
  return result;
}

}  // namespace

std::string_view scrambling_key() { return std::string_view(kKey, kScramblingKeyLength); }

size_t scramble_block(unsigned char* bytes, size_t n, std::string_view key, size_t index) {
  const size_t length = key.size();
  if (length == 0) return index;
  // NOT(p XOR k) is p XOR (NOT k): XOR the bytes with the inverted key laid out end to end, a chunk
  // at a time, so the loop runs over plain arrays without a test per byte.
  constexpr size_t kChunk = 4096;
  if (n < kChunk) {
    for (size_t i = 0; i < n; ++i) {
      bytes[i] = static_cast<unsigned char>(~(bytes[i] ^ static_cast<unsigned char>(key[index])));
      if (++index == length) index = 0;
    }
    return index;
  }
  std::vector<unsigned char> stream(kChunk + length);
  for (size_t j = 0; j < length; ++j) stream[j] = static_cast<unsigned char>(~static_cast<unsigned char>(key[j]));
  for (size_t filled = length; filled < stream.size(); filled += length) {
    std::memcpy(stream.data() + filled, stream.data(), std::min(length, stream.size() - filled));
  }
  for (size_t done = 0; done < n;) {
    const size_t m = std::min(kChunk, n - done);
    xor_bytes(bytes + done, stream.data() + index, m);
    index = (index + m) % length;
    done += m;
  }
  return index;
}

std::string scramble_new_name(const std::string& destination) { return destination + ".new"; }

ScrambleResult unscramble_roster(const std::string& source, const std::string& destination, std::string_view key) {
  return transform_file(source, destination, key);
}

ScrambleResult scramble_roster(const std::string& source, const std::string& destination, std::string_view key) {
  const std::string beside = scramble_new_name(destination);
  const ScrambleResult result = transform_file(source, beside, key);
  if (result != ScrambleResult::Done) return result;
  if (!systeme::remplacer(beside, destination)) {
    systeme::supprimer(beside);
    return ScrambleResult::WriteFailed;
  }
  return ScrambleResult::Done;
}

}  // namespace trivelo
