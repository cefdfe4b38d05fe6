// Whole installations into a fresh game through the flow and the recording front end: the gauge,
// the merged roster, the renumbered images, the registration, the work files; and the faults,
// after each of which the game folder is byte-identical to before and the done screen never shows.
#include <gtest/gtest.h>

#include <algorithm>

#include "fixture.h"
#include "flow.h"
#include "installation.h"
#include "platform.h"
#include "recording_frontend.h"

#if !defined(TRIVELO_PLATFORM_WINDOWS)
#include <standin/standin.h>
#endif

#if defined(__linux__)
#include <csignal>
#include <sys/resource.h>
#endif

namespace trivelo::test {
namespace {

std::vector<int> gauge_sequence(unsigned n) {
  std::vector<int> g = {10, 15, 20, 25, 30};
  unsigned sum = 0;
  for (unsigned k = 1; k <= n; ++k) g.push_back(static_cast<int>(30 + (sum += 70 / n)));
  return g;
}

// Work files and backups left in the work area (the add-on may keep a note of its own there).
std::vector<std::string> work_files(const fs::path& dir) {
  std::vector<std::string> left;
  if (!fs::exists(dir)) return left;
  for (const auto& entry : fs::directory_iterator(dir)) {
    const std::string name = entry.path().filename().string();
    if (name == "perso.dta" || name == "perso_nou.dta" || entry.path().extension() == ".sav") left.push_back(name);
  }
  return left;
}

class Install : public ::testing::Test {
 protected:
  // Prepares the flow in English in the add-on's folder and presses the right button with the game
  // folder typed in.
  void start() {
    flow.set_language_override(1, 0);
    flow.prepare();
    flow.begin(fe);
  }
  void attempt(const std::string& folder) {
    fe.type_path(folder);
    EXPECT_FALSE(flow.handle_event(Event::RightButton));
  }
  void install(const GameSpec& game = GameSpec(), const AddonSpec& addon = AddonSpec()) {
    box.make_game(game);
    box.make_addon(addon);
    before = snapshot(box.game);
    start();
    attempt(box.game_folder());
  }
  // The game is exactly as it was, the done screen was not shown and one message was.
  void expect_untouched(MessageKind kind) {
    EXPECT_EQ(snapshot(box.game), before);
    EXPECT_EQ(fe.screens(), std::vector<int>{kScreenChooseFolder}) << fe.dump();
    EXPECT_EQ(flow.screen(), kScreenChooseFolder);
    EXPECT_FALSE(fe.busy());
    ASSERT_EQ(fe.messages().size(), 1u) << fe.dump();
    EXPECT_EQ(fe.messages()[0].title, message_text(15));
    EXPECT_EQ(fe.messages()[0].message_kind, kind);
    if (kind == MessageKind::FolderRefused) EXPECT_EQ(fe.messages()[0].body, message_text(14));
    expect_work_area_clean();
  }
  void expect_work_area_clean() { EXPECT_EQ(work_files(box.work_dir()), std::vector<std::string>{}); }
  std::vector<std::string> registered() const {
    std::vector<std::string> lines;
    std::string text = read_file(box.game / "texte" / "trivelo_lst_ext.txt"), line;
    for (char c : text) {
      if (c == '\r') continue;
      if (c == '\n') lines.push_back(line), line.clear();
      else line.push_back(c);
    }
    return lines;
  }

  Sandbox box;
  Flow flow;
  RecordingFrontEnd fe;
  std::map<std::string, std::string> before;
};

TEST_F(Install, SevenCharactersAfterTwelve) {
  install();
  EXPECT_EQ(fe.gauges(), (std::vector<int>{10, 15, 20, 25, 30, 40, 50, 60, 70, 80, 90, 100})) << fe.dump();
  EXPECT_EQ(fe.screens(), (std::vector<int>{kScreenChooseFolder, kScreenDone}));
  EXPECT_EQ(fe.gauge(), 100);
  EXPECT_TRUE(fe.messages().empty()) << fe.dump();
  EXPECT_EQ(flow.screen(), kScreenDone);
  EXPECT_FALSE(fe.busy());

  // Roster: the game's 12 lines first, then the add-on's 7 in order.
  std::vector<std::string> expected;
  for (unsigned k = 1; k <= 12; ++k) expected.push_back(game_character(k));
  for (unsigned k = 1; k <= 7; ++k) expected.push_back(addon_character(k));
  EXPECT_EQ(box.game_roster(), expected);

  // Images 1..7 of each pattern copied as 13..19; the game's own images untouched.
  for (unsigned k = 1; k <= 7; ++k) {
    const std::string n = std::to_string(k), m = std::to_string(12 + k);
    EXPECT_EQ(read_file(box.game / "data" / ("perso" + m + "_a.png")), Sandbox::addon_image("perso" + n + "_a.png"));
    EXPECT_EQ(read_file(box.game / "data" / ("mini" + m + ".png")), Sandbox::addon_image("mini" + n + ".png"));
  }
  EXPECT_EQ(read_file(box.game / "data" / "perso12_a.png"), Sandbox::game_image("perso12_a.png"));
  EXPECT_FALSE(fs::exists(box.game / "data" / "perso20_a.png"));

  EXPECT_EQ(registered(), (std::vector<std::string>{"Base game", "Knights of Felgrove"}));
  expect_work_area_clean();
  // Nothing but the roster, the list and the 14 new images changed.
  const auto after = snapshot(box.game);
  EXPECT_EQ(after.size(), before.size() + 14);
  EXPECT_EQ(flow.last_install().copied_images, 14u);
  EXPECT_EQ(flow.last_install().missing_images, 0u);
}

TEST(InstallTable, GaugeSequenceFollowsTheNumberOfCharacters) {
  for (unsigned n : {3u, 0u, 1u, 71u}) {
    SCOPED_TRACE(n);
    Sandbox fresh;
    RecordingFrontEnd front;
    Flow f;
    fresh.make_game();
    AddonSpec spec;
    spec.characters = n;
    spec.patterns = {"p@"};
    fresh.make_addon(spec);
    f.set_language_override(1, 0);
    f.prepare();
    f.begin(front);
    front.type_path(fresh.game_folder());
    f.handle_event(Event::RightButton);
    EXPECT_EQ(front.gauges(), gauge_sequence(n)) << front.dump();
    EXPECT_EQ(front.screens().back(), kScreenDone);
    EXPECT_EQ(fresh.game_roster().size(), 12u + n);
    f.finish();
  }
  EXPECT_EQ(gauge_sequence(3), (std::vector<int>{10, 15, 20, 25, 30, 53, 76, 99}));
}

TEST_F(Install, SecondInstallationAfterBackAppendsAgain) {
  install();
  ASSERT_EQ(flow.screen(), kScreenDone);
  flow.handle_event(Event::LeftButton);
  EXPECT_EQ(fe.screens().back(), kScreenChooseFolder);
  EXPECT_EQ(fe.path_field(), box.game_folder());
  flow.handle_event(Event::RightButton);
  ASSERT_EQ(flow.screen(), kScreenDone) << fe.dump();
  EXPECT_EQ(registered(), (std::vector<std::string>{"Base game", "Knights of Felgrove", "Knights of Felgrove"}));
  const auto roster = box.game_roster();
  ASSERT_EQ(roster.size(), 26u);
  EXPECT_EQ(roster[19], addon_character(1));
  EXPECT_EQ(read_file(box.game / "data" / "perso20_a.png"), Sandbox::addon_image("perso1_a.png"));
  EXPECT_EQ(read_file(box.game / "data" / "mini26.png"), Sandbox::addon_image("mini7.png"));
}

TEST_F(Install, ExistingImagesAreReplacedAndListCreated) {
  GameSpec game;
  game.list_file = false;
  box.make_game(game);
  write_file(box.game / "data" / "mini13.png", "old image");
  box.make_addon();
  start();
  attempt(box.game_folder());
  ASSERT_EQ(flow.screen(), kScreenDone) << fe.dump();
  EXPECT_EQ(read_file(box.game / "data" / "mini13.png"), Sandbox::addon_image("mini1.png"));
  EXPECT_EQ(registered(), std::vector<std::string>{"Knights of Felgrove"});
}


// An Amiga-family run cut between the two renames of an image replacement leaves the old image moved
// aside and its name in the journal: the next run puts it back before it installs.
TEST_F(Install, ImageMovedAsideByACutRunIsPutBack) {
  if constexpr (!kAmigaFamily) GTEST_SKIP() << "Windows replaces a file in one step";
  box.make_game();
  box.make_addon();
  const fs::path data = box.game / "data";
  const std::string original = read_file(data / "perso3_a.png");
  fs::rename(data / "perso3_a.png", data / "perso3_a.png.old");
  write_file(data / "trivelo_extension_image.new", "half an image");
  write_file(data / "trivelo_extension_image.nom", box.game_folder() + "/data/perso3_a.png");
  start();
  attempt(box.game_folder());
  ASSERT_EQ(flow.screen(), kScreenDone) << fe.dump();
  EXPECT_EQ(read_file(data / "perso3_a.png"), original);
  for (const char* left : {"perso3_a.png.old", "trivelo_extension_image.new", "trivelo_extension_image.nom"}) {
    EXPECT_FALSE(fs::exists(data / left)) << left;
  }
}
TEST_F(Install, FourPatternsThreeCharactersCopyTwelveImages) {
  AddonSpec addon;
  addon.characters = 3;
  addon.patterns = {"a@b", "c@", "d", "e@f@"};
  install(GameSpec(), addon);
  ASSERT_EQ(flow.screen(), kScreenDone) << fe.dump();
  EXPECT_EQ(flow.last_install().copied_images, 12u);
  for (const char* name : {"a13b.png", "c14.png", "d15.png", "e13f@.png", "e15f@.png"}) {
    EXPECT_TRUE(fs::exists(box.game / "data" / name)) << name;
  }
}

TEST(AvatarName, ReplacesTheFirstAtSignOrAppends) {
  struct Case {
    const char* pattern;
    unsigned number;
    const char* name;
  } cases[] = {{"perso@_a", 13, "perso13_a"}, {"mini@", 7, "mini7"}, {"mini", 100, "mini100"},
               {"a@b@", 12, "a12b@"},       {"@", 1, "1"},          {"", 5, "5"}};
  for (const Case& c : cases) EXPECT_EQ(avatar_name(c.pattern, c.number), c.name) << c.pattern;
}

TEST(PatternSafety, KeepsImagesInsideTheDataFolder) {
  struct Case {
    const char* pattern;
    bool safe;
  } cases[] = {{"perso@_a", true}, {"sub/perso@", true}, {"a..b@", true},   {"..@", true},
               {"../perso@", false}, {"sub/../../x@", false}, {"sub\\..\\x@", false}, {"..", false},
               {"/abs@", false},     {"\\abs@", false},      {"C:x@", false},       {"Work:x@", false}};
  for (const Case& c : cases) EXPECT_EQ(pattern_is_safe(c.pattern), c.safe) << c.pattern;
}

TEST_F(Install, UnsafePatternsAreSkipped) {
  AddonSpec addon;
  addon.characters = 2;
  addon.patterns = {"p@", "../escape@", "/abs@", "C:drive@"};
  install(GameSpec(), addon);
  ASSERT_EQ(flow.screen(), kScreenDone) << fe.dump();
  EXPECT_EQ(flow.last_install().unsafe_patterns, 3u);
  EXPECT_EQ(flow.last_install().copied_images, 2u);
  EXPECT_FALSE(fs::exists(box.game / "escape13.png"));
  EXPECT_FALSE(fs::exists(box.root / "escape13.png"));
}

// A pattern names an image that the add-on lacks: the copy is skipped, the installation completes,
// and a notice tells how many images were missing.
TEST_F(Install, MissingAddonImagesAreReportedNotFailed) {
  box.make_game();
  box.make_addon();
  fs::remove(box.addon / "data" / "mini2.png");
  fs::remove(box.addon / "data" / "perso5_a.png");
  start();
  attempt(box.game_folder());
  ASSERT_EQ(flow.screen(), kScreenDone) << fe.dump();
  EXPECT_EQ(flow.last_install().missing_images, 2u);
  EXPECT_EQ(flow.last_install().copied_images, 12u);
  ASSERT_EQ(fe.messages().size(), 1u);
  EXPECT_EQ(fe.messages()[0].message_kind, MessageKind::ImagesMissing);
  EXPECT_NE(fe.messages()[0].body.find("2 avatar image(s)"), std::string::npos) << fe.messages()[0].body;
  EXPECT_FALSE(fs::exists(box.game / "data" / "mini14.png"));
}

TEST_F(Install, EmptyOrMissingAddonRosterAddsNoCharacter) {
  box.make_game();
  AddonSpec addon;
  addon.characters = 0;
  box.make_addon(addon);
  fs::remove(box.addon / "data" / "perso.dta");
  // A work file of an earlier run must not be taken for the add-on's roster.
  write_file(box.work_dir() / "perso_nou.dta", "Stale one\nStale two\n");
  start();
  attempt(box.game_folder());
  ASSERT_EQ(flow.screen(), kScreenDone) << fe.dump();
  EXPECT_EQ(fe.gauges(), gauge_sequence(0));
  EXPECT_EQ(box.game_roster().size(), 12u);
  expect_work_area_clean();
}

TEST_F(Install, WindowsCreatesAMissingTempFolder) {
  AddonSpec addon;
  addon.temp_folder = false;
  install(GameSpec(), addon);
  EXPECT_EQ(flow.screen(), kScreenDone) << fe.dump();
  EXPECT_EQ(box.game_roster().size(), 19u);
  if constexpr (!kAmigaFamily) EXPECT_TRUE(fs::is_directory(box.addon / "temp"));
}

// The sample add-on of the project installed into its sample game, when they are there.
TEST_F(Install, SampleAddonIntoSampleGame) {
  const fs::path examples = fs::path(TRIVELO_SOURCE_DIR) / "examples";
  if (!fs::exists(examples / "addon" / "data" / "perso.dta") || !fs::exists(examples / "game" / "data" / "perso.dta")) {
    GTEST_SKIP() << "no sample add-on and game in " << examples;
  }
  for (const char* part : {"addon", "game"}) {
    for (const auto& entry : fs::recursive_directory_iterator(examples / part)) {
      const fs::path target = box.root / part / entry.path().lexically_relative(examples / part);
      if (entry.is_directory()) fs::create_directories(target);
      else write_file(target, read_file(entry.path()));
    }
  }
  fs::create_directories(box.addon / "temp");
  const std::vector<std::string> game_roster = box.game_roster();
  const std::vector<std::string> addon_roster = roster_lines(box.addon / "data" / "perso.dta");
  const auto titles_before = registered();
  before = snapshot(box.game);
  start();
  attempt(box.game_folder());
  ASSERT_EQ(flow.screen(), kScreenDone) << fe.dump();
  const unsigned c = static_cast<unsigned>(game_roster.size()), n = static_cast<unsigned>(addon_roster.size());
  EXPECT_EQ(fe.gauges(), gauge_sequence(n));
  std::vector<std::string> merged = game_roster;
  for (std::string line : addon_roster) merged.push_back(line.erase(line.find_last_not_of(" \t\r") + 1));
  EXPECT_EQ(box.game_roster(), merged);
  auto titles = titles_before;
  titles.push_back(flow.install_title());
  EXPECT_EQ(registered(), titles);
  std::string patterns = read_file(box.addon / "texte" / "trivlo_extension_fichiers.txt"), pattern;
  unsigned checked = 0;
  for (char ch : patterns + "\n") {
    if (ch != '\n' && ch != '\r') {
      pattern.push_back(ch);
      continue;
    }
    if (pattern.empty()) continue;
    for (unsigned k = 1; k <= n; ++k) {
      const std::string source = avatar_name(pattern, k) + ".png", destination = avatar_name(pattern, c + k) + ".png";
      if (!fs::exists(box.addon / "data" / source)) continue;
      EXPECT_EQ(read_file(box.game / "data" / destination), read_file(box.addon / "data" / source)) << destination;
      ++checked;
    }
    pattern.clear();
  }
  EXPECT_EQ(checked, flow.last_install().copied_images);
  EXPECT_GT(checked, 0u);
  expect_work_area_clean();
}

// --- refusals before anything is written

TEST_F(Install, MissingOrUnreadableGameRosterIsRefused) {
  box.make_game();
  box.make_addon();
  fs::remove(box.game / "data" / "perso.dta");
  // A stale work file that an unchecked run would have merged as the game's roster.
  write_file(box.work_dir() / "perso.dta", "Stale hero\n");
  before = snapshot(box.game);
  start();
  attempt(box.game_folder());
  expect_untouched(MessageKind::FolderRefused);
  EXPECT_EQ(fe.gauges(), std::vector<int>{10});

  // A roster that is a folder cannot be read either.
  fs::create_directories(box.game / "data" / "perso.dta");
  before = snapshot(box.game);
  fe.clear();
  flow.handle_event(Event::RightButton);
  EXPECT_EQ(snapshot(box.game), before);
  ASSERT_EQ(fe.messages().size(), 1u);
  EXPECT_EQ(fe.messages()[0].body, message_text(14));
}

// A line longer than the Amiga-family line buffer would load as two lines and renumber every
// character after it: refused before anything is written. Windows reads lines of any length.
TEST(InstallTable, OverlongLinesAreRefusedOnTheAmigaFamily) {
  const std::string long_line(1500, 'x');
  enum Where { GameRoster, AddonRoster, GameList };
  for (Where where : {GameRoster, AddonRoster, GameList}) {
    SCOPED_TRACE(where);
    Sandbox box;
    GameSpec game;
    if (where == GameList) game.titles = {"Base game", long_line};
    box.make_game(game);
    box.make_addon();
    std::vector<std::string> lines = {"First", long_line, "Third"};
    if (where == GameRoster) write_file(box.game / "data" / "perso.dta", scramble_bytes(join_lines(lines)));
    if (where == AddonRoster) write_file(box.addon / "data" / "perso.dta", scramble_bytes(join_lines(lines)));
    const auto before = snapshot(box.game);
    RecordingFrontEnd fe;
    Flow flow;
    flow.set_language_override(1, 0);
    flow.prepare();
    flow.begin(fe);
    fe.type_path(box.game_folder());
    flow.handle_event(Event::RightButton);
    if constexpr (kAmigaFamily) {
      EXPECT_EQ(snapshot(box.game), before);
      EXPECT_EQ(fe.screens(), std::vector<int>{kScreenChooseFolder});
      ASSERT_EQ(fe.messages().size(), 1u) << fe.dump();
      if (where == AddonRoster) {
        EXPECT_EQ(fe.messages()[0].message_kind, MessageKind::InstallFailed);
        EXPECT_NE(fe.messages()[0].body.find("longer than 1023 bytes"), std::string::npos) << fe.messages()[0].body;
      } else {
        EXPECT_EQ(fe.messages()[0].body, message_text(14));
      }
    } else {
      ASSERT_EQ(flow.screen(), kScreenDone) << fe.dump();
      const auto roster = box.game_roster();
      EXPECT_NE(std::find(roster.begin(), roster.end(), where == GameList ? addon_character(1) : long_line), roster.end());
    }
    flow.finish();
  }
}

TEST(InstallTable, TitleFallsBackToEnglishThenFirstLine) {
  struct Case {
    int language;
    const char* lines;
    const char* registered;  // nullptr: refused
  } cases[] = {
      {3, "00       Chevaliers\n01       Knights\n", "Knights"},
      {3, "00       Chevaliers\n02       Cavalieri\n", "Chevaliers"},
      {0, "01       Knights\n00       Chevaliers\n", "Chevaliers"},
      {3, "", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lines);
    Sandbox fresh;
    fresh.make_game();
    AddonSpec addon;
    addon.title_lines = c.lines;
    fresh.make_addon(addon);
    const auto game_before = snapshot(fresh.game);
    RecordingFrontEnd front;
    Flow f;
    f.set_language_override(c.language, 0);
    f.prepare();
    // The window title only ever shows the line of the user's language.
    EXPECT_EQ(f.window_title(), c.language == 0 ? "m1 Chevaliers" : "m1");
    f.begin(front);
    front.type_path(fresh.game_folder());
    f.handle_event(Event::RightButton);
    if (c.registered) {
      EXPECT_EQ(f.screen(), kScreenDone) << front.dump();
      const std::string list = read_file(fresh.game / "texte" / "trivelo_lst_ext.txt");
      EXPECT_NE(list.find(std::string(c.registered) + (kAmigaFamily ? "\n" : "\r\n")), std::string::npos) << list;
    } else {
      EXPECT_EQ(snapshot(fresh.game), game_before);
      ASSERT_EQ(front.messages().size(), 1u);
      EXPECT_EQ(front.messages()[0].body, message_text(14));
    }
    f.finish();
  }
}

// --- failures while writing: everything written is undone

TEST_F(Install, DestinationImageThatIsAFolderFailsAndChangesNothing) {
  box.make_game();
  box.make_addon();
  fs::create_directories(box.game / "data" / "mini15.png");
  before = snapshot(box.game);
  start();
  attempt(box.game_folder());
  expect_untouched(MessageKind::InstallFailed);
  EXPECT_NE(fe.messages()[0].body.find("mini15.png could not be written"), std::string::npos) << fe.messages()[0].body;
  EXPECT_NE(fe.messages()[0].body.find("The game was left as it was."), std::string::npos);
}

#if defined(__linux__) && defined(TRIVELO_PLATFORM_WINDOWS)
// The disk fills up in the middle of the image copies: the registration, the roster and the images
// copied so far are all undone.
TEST_F(Install, FullDiskDuringTheCopiesRollsEverythingBack) {
  box.make_game();
  box.make_addon();
  write_file(box.game / "data" / "mini14.png", "an image of the game that the copy replaces");
  write_file(box.addon / "data" / "perso4_a.png", std::string(200000, 'b'));
  before = snapshot(box.game);
  start();
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  rlimit small = old;
  small.rlim_cur = 100000;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  attempt(box.game_folder());
  setrlimit(RLIMIT_FSIZE, &old);
  expect_untouched(MessageKind::InstallFailed);
  EXPECT_NE(fe.messages()[0].body.find("perso16_a.png could not be written"), std::string::npos) << fe.messages()[0].body;
  // The copies had started: the gauge went past 30.
  EXPECT_GT(fe.gauges().back(), 30);
}
#endif

#if !defined(TRIVELO_PLATFORM_WINDOWS)
// A write failure injected at each file the installation writes in the game folder.
TEST(InstallTable, InjectedWriteFailuresRollEverythingBack) {
  struct Case {
    const char* failure;
    const char* named;  // the file the message names
  } cases[] = {
      {"write:Work:game/texte/trivelo_lst_ext.txt.new@5", "trivelo_lst_ext.txt could not be written"},
      {"open:Work:game/texte/trivelo_lst_ext.txt", "trivelo_lst_ext.txt could not be read"},
      {"write:Work:game/data/perso.dta.new@100", "perso.dta could not be written"},
      // Each image is copied under one fixed name in the game's data folder, then renamed into place.
      {"write:Work:game/data/trivelo_extension_image.new@3", "perso13_a.png could not be written"},
      {"open:Work:game/data/trivelo_extension_image.new", "perso13_a.png could not be written"},
      {"write:RAM:T/Felgrove/Trivelo_Extension/perso.dta@100", "perso.dta could not be written"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.failure);
    Sandbox fresh;
    fresh.make_game();
    fresh.make_addon();
    write_file(fresh.game / "data" / "mini14.png", "an image of the game that the copy replaces");
    const auto game_before = snapshot(fresh.game);
    standin::fail(c.failure);
    RecordingFrontEnd front;
    Flow f;
    f.set_language_override(1, 0);
    f.prepare();
    f.begin(front);
    front.type_path(fresh.game_folder());
    f.handle_event(Event::RightButton);
    standin::clear_failures();
    EXPECT_EQ(snapshot(fresh.game), game_before);
    EXPECT_EQ(front.screens(), std::vector<int>{kScreenChooseFolder}) << front.dump();
    ASSERT_EQ(front.messages().size(), 1u) << front.dump();
    EXPECT_EQ(front.messages()[0].title, message_text(15));
    EXPECT_EQ(front.messages()[0].message_kind, MessageKind::InstallFailed);
    EXPECT_NE(front.messages()[0].body.find(c.named), std::string::npos) << front.messages()[0].body;
    EXPECT_NE(front.messages()[0].body.find("The game was left as it was."), std::string::npos);
    EXPECT_EQ(work_files(fresh.work_dir()), std::vector<std::string>{});
    f.finish();
  }
}
#endif

}  // namespace
}  // namespace trivelo::test
