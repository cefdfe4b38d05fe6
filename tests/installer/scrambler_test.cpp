// The roster scrambler: the key, the transform and its edge cases, and the replacement of the
// game's roster that never loses the old one.
#include <gtest/gtest.h>

#include <random>

#include "fixture.h"
#include "platform.h"
#include "scrambler.h"

#if !defined(TRIVELO_PLATFORM_WINDOWS)
#include <proto/dos.h>
#include <standin/standin.h>
#endif

#if defined(__linux__)
#include <csignal>
#include <sys/resource.h>
#endif

namespace trivelo::test {
namespace {

TEST(ScramblingKey, HoldsExactlyTheKeyBytes) {
  const std::string_view key = scrambling_key();
  ASSERT_EQ(key.size(), 118u);
  EXPECT_EQ(static_cast<unsigned char>(key[16]), 0xE9);
  EXPECT_EQ(key.substr(0, 16), "wpotmebnarlxquvt");
  EXPECT_EQ(key.substr(17, 16), "tonbrelaxqmewp71");
  EXPECT_EQ(key.substr(100), "pb09q7w8t6e51mo7p0");
  for (size_t i = 0; i < key.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(key[i]);
    if (i != 16) EXPECT_TRUE(c >= 0x20 && c < 0x7F) << "byte " << i + 1;
  }
}

TEST(ScrambleBlock, CombinesEveryByteWithItsKeyByte) {
  const std::string_view key = scrambling_key();
  // 119 bytes: each equal to its key byte (gives 0xFF), except byte 2 which is the inverse of its
  // key byte (gives 0x00); byte 119 is combined with the first key byte again.
  std::string bytes(119, '\0');
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = key[i % 118];
  bytes[1] = static_cast<char>(~key[1]);
  const size_t next = scramble_block(reinterpret_cast<unsigned char*>(bytes.data()), bytes.size(), key, 0);
  EXPECT_EQ(next, 1u);
  for (size_t i = 0; i < bytes.size(); ++i) {
    EXPECT_EQ(static_cast<unsigned char>(bytes[i]), i == 1 ? 0x00 : 0xFF) << "byte " << i + 1;
  }
  // Any length and starting index, whole or in pieces, gives the bytes of the definition.
  for (size_t size : {300u, 10000u}) {
    std::string reference(size, '\0');
    for (size_t i = 0; i < size; ++i) reference[i] = static_cast<char>(i * 7);
    std::string whole = reference, pieces = reference;
    for (size_t i = 0; i < size; ++i) reference[i] = static_cast<char>(~(reference[i] ^ key[(i + 5) % 118]));
    EXPECT_EQ(scramble_block(reinterpret_cast<unsigned char*>(whole.data()), size, key, 5), (size + 5) % 118);
    EXPECT_EQ(whole, reference) << size;
    size_t index = 5;
    for (size_t at = 0; at < size; at += 4999) {
      const size_t m = std::min<size_t>(4999, size - at);
      index = scramble_block(reinterpret_cast<unsigned char*>(pieces.data()) + at, m, key, index);
    }
    EXPECT_EQ(pieces, reference) << size;
  }
}

class ScramblerFiles : public ::testing::Test {
 protected:
  // Name of a file of the sandbox as the core is given it.
  std::string name(const std::string& relative) const {
    if constexpr (kAmigaFamily) return "Work:" + relative;
    else return (box.root / relative).string();
  }
  Sandbox box;
};

TEST_F(ScramblerFiles, TransformsWholeFilesBothWays) {
  struct Case {
    const char* what;
    size_t size;
  };
  // Sizes around the key length and the 64 KiB blocks.
  for (const Case& c : {Case{"empty", 0}, Case{"one key length", 118}, Case{"119 bytes", 119},
                        Case{"block plus one", 65537}, Case{"several blocks", 200000}}) {
    SCOPED_TRACE(c.what);
    std::mt19937 random(static_cast<unsigned>(c.size));
    std::string plain(c.size, '\0');
    for (char& b : plain) b = static_cast<char>(random());
    write_file(box.root / "plain", plain);
    ASSERT_EQ(scramble_roster(name("plain"), name("scrambled")), ScrambleResult::Done);
    EXPECT_EQ(read_file(box.root / "scrambled"), scramble_bytes(plain));
    ASSERT_EQ(unscramble_roster(name("scrambled"), name("again")), ScrambleResult::Done);
    EXPECT_EQ(read_file(box.root / "again"), plain);
    EXPECT_FALSE(fs::exists(box.root / "scrambled.new"));
  }
  // Two files one after the other each start with the first key byte.
  write_file(box.root / "a", "AB");
  ASSERT_EQ(unscramble_roster(name("a"), name("b")), ScrambleResult::Done);
  ASSERT_EQ(unscramble_roster(name("a"), name("c")), ScrambleResult::Done);
  EXPECT_EQ(read_file(box.root / "b"), scramble_bytes("AB"));
  EXPECT_EQ(read_file(box.root / "c"), scramble_bytes("AB"));
}

TEST_F(ScramblerFiles, MissingSourceLeavesTheDestinationAlone) {
  write_file(box.root / "dest", "old roster");
  EXPECT_EQ(unscramble_roster(name("missing"), name("dest")), ScrambleResult::SourceMissing);
  EXPECT_EQ(scramble_roster(name("missing"), name("dest")), ScrambleResult::SourceMissing);
  EXPECT_EQ(read_file(box.root / "dest"), "old roster");
}

TEST_F(ScramblerFiles, ScrambleReplacesAReadOnlyRoster) {
  write_file(box.root / "plain", "new roster\n");
  write_file(box.root / "game" / "perso.dta", "old roster");
#if defined(TRIVELO_PLATFORM_WINDOWS)
  fs::permissions(box.root / "game" / "perso.dta", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
#else
  ASSERT_TRUE(SetProtection(name("game/perso.dta").c_str(), FIBF_WRITE | FIBF_DELETE));
#endif
  ASSERT_EQ(scramble_roster(name("plain"), name("game/perso.dta")), ScrambleResult::Done);
  EXPECT_EQ(read_file(box.root / "game" / "perso.dta"), scramble_bytes("new roster\n"));
  EXPECT_EQ(snapshot(box.root / "game").size(), 1u) << "no file left beside the roster";
}

// A destination that cannot be written: the new roster cannot be created beside the old one.
TEST_F(ScramblerFiles, FailedScrambleKeepsTheOldRoster) {
  write_file(box.root / "plain", std::string(100000, 'p'));
  write_file(box.root / "game" / "perso.dta", "old roster");
  fs::create_directories(box.root / "game" / "perso.dta.new");
  EXPECT_EQ(scramble_roster(name("plain"), name("game/perso.dta")), ScrambleResult::WriteFailed);
  EXPECT_EQ(read_file(box.root / "game" / "perso.dta"), "old roster");
}

#if !defined(TRIVELO_PLATFORM_WINDOWS)
// The disk fills up while the new roster is written, and then while the work file is written.
TEST_F(ScramblerFiles, WriteFailureKeepsTheOldRosterAndLeavesNoWorkFile) {
  write_file(box.root / "plain", std::string(100000, 'p'));
  write_file(box.root / "game" / "perso.dta", "old roster");
  standin::fail("write:Work:game/perso.dta.new@70000");
  EXPECT_EQ(scramble_roster(name("plain"), name("game/perso.dta")), ScrambleResult::WriteFailed);
  EXPECT_EQ(read_file(box.root / "game" / "perso.dta"), "old roster");
  EXPECT_FALSE(fs::exists(box.root / "game" / "perso.dta.new"));

  write_file(box.root / "work", "stale work file of an earlier run");
  standin::fail("write:Work:work@10");
  EXPECT_EQ(unscramble_roster(name("plain"), name("work")), ScrambleResult::WriteFailed);
  EXPECT_FALSE(fs::exists(box.root / "work"));
}

TEST_F(ScramblerFiles, ReadFailureIsAFailure) {
  write_file(box.root / "scrambled", std::string(1000, 's'));
  standin::fail("read:Work:scrambled");
  EXPECT_EQ(unscramble_roster(name("scrambled"), name("work")), ScrambleResult::ReadFailed);
  EXPECT_FALSE(fs::exists(box.root / "work"));
}
#endif

#if defined(__linux__) && defined(TRIVELO_PLATFORM_WINDOWS)
// The process may write no file beyond 50,000 bytes: a full disk for the new roster.
TEST_F(ScramblerFiles, FullDiskKeepsTheOldRoster) {
  write_file(box.root / "plain", std::string(100000, 'p'));
  write_file(box.root / "game" / "perso.dta", "old roster");
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  rlimit small = old;
  small.rlim_cur = 50000;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const ScrambleResult result = scramble_roster(name("plain"), name("game/perso.dta"));
  setrlimit(RLIMIT_FSIZE, &old);
  EXPECT_EQ(result, ScrambleResult::WriteFailed);
  EXPECT_EQ(read_file(box.root / "game" / "perso.dta"), "old roster");
  EXPECT_FALSE(fs::exists(box.root / "game" / "perso.dta.new"));
}
#endif

}  // namespace
}  // namespace trivelo::test
