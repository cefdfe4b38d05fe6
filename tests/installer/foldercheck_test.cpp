// The game folder check and the running-game test of each build.
#include <gtest/gtest.h>

#include "fixture.h"
#include "foldercheck.h"
#include "platform.h"
#include "recording_frontend.h"

#if !defined(TRIVELO_PLATFORM_WINDOWS)
#include <standin/standin.h>
#endif

namespace trivelo::test {
namespace {

Liste test_catalogue() {
  Liste catalogue;
  AjouteurListe ajouteur(catalogue);
  for (unsigned n = 1; n <= 40; ++n) ajouteur.ajouter(cellulecreer2(message_text(n), std::nullopt, 0));
  return catalogue;
}

class FolderCheck : public ::testing::Test {
 protected:
  void SetUp() override {
    box.make_game();
    fs::create_directories(box.root / "empty");
    write_file(box.root / "file.txt", "not a folder");
    fs::create_directories(box.root / "fake" / "Trivelo.exe");
    fs::create_directories(box.root / "drawer" / "Trivelo");
  }
  bool check(std::string folder) { return check_game_folder(folder, catalogue, fe); }

  Sandbox box;
  Liste catalogue = test_catalogue();
  RecordingFrontEnd fe;
};

TEST_F(FolderCheck, AcceptsOnlyAFolderHoldingTheGame) {
  struct Case {
    std::string folder;
    bool accepted;
  } cases[] = {
      {"", false},
      {"   ", false},
      {" \t", false},
      {box.user_path("file.txt"), false},
      {box.user_path("empty"), false},
      {box.user_path("missing"), false},
      {box.user_path("game"), true},
      {box.user_path("game") + "/", true},
      // Windows wants the file, the Amiga family takes a drawer of that name as well.
      {box.user_path("fake"), false},
      {box.user_path("drawer"), kAmigaFamily},
  };
  for (const Case& c : cases) {
    fe.clear();
    EXPECT_EQ(check(c.folder), c.accepted) << '"' << c.folder << '"';
    if (c.accepted) {
      EXPECT_TRUE(fe.messages().empty());
    } else {
      ASSERT_EQ(fe.messages().size(), 1u) << c.folder;
      EXPECT_EQ(fe.messages()[0].title, "m15");
      EXPECT_EQ(fe.messages()[0].body, "m14");
      EXPECT_EQ(fe.messages()[0].message_kind, MessageKind::FolderRefused);
    }
  }
  EXPECT_TRUE(fs::is_regular_file(box.game / game_file_name()));
}

// Win32's ANSI file calls stop at MAX_PATH: no such folder can be made or named there.
#if !defined(_WIN32)
TEST_F(FolderCheck, VolumeRootAndOverlongPaths) {
  // A deep folder whose path is longer than 2047 bytes, holding the game file.
  fs::path deep = box.root;
  std::string relative;
  for (int i = 0; i < 21; ++i) {
    const std::string part(99, static_cast<char>('a' + i));
    deep /= part;
    relative += (relative.empty() ? "" : "/") + part;
  }
  fs::create_directories(deep);
  write_file(deep / game_file_name(), "game program");
  const std::string typed = box.user_path(relative);
  ASSERT_GT(typed.size(), kLongestPath);
  // The Amiga-family path buffers hold 2047 bytes: such a path is refused, never cut.
  EXPECT_EQ(check(typed), !kAmigaFamily);
#if !defined(TRIVELO_PLATFORM_WINDOWS)
  standin::set_volume("Quiz", box.game.string());
  EXPECT_TRUE(check("Quiz:"));
  EXPECT_TRUE(check("quiz:"));
#endif
}

#endif

TEST_F(FolderCheck, RunningGame) {
  const std::string folder = box.user_path("game");
  EXPECT_EQ(test_game_running(folder, catalogue, fe), RunningTest::NotRunning);
  EXPECT_TRUE(fe.messages().empty());
#if defined(TRIVELO_PLATFORM_AMIGAOS4)
  standin::add_application("TriveloEditor.felgrove.com");
  EXPECT_EQ(test_game_running(folder, catalogue, fe), RunningTest::NotRunning);
  standin::add_application(kGameAppIdentifier);
  EXPECT_EQ(test_game_running(folder, catalogue, fe), RunningTest::Running);
  ASSERT_EQ(fe.messages().size(), 1u);
  EXPECT_EQ(fe.messages()[0].title, "m15");
  EXPECT_EQ(fe.messages()[0].body, "m23");
  EXPECT_EQ(fe.messages()[0].message_kind, MessageKind::GameRunning);
#elif defined(TRIVELO_PLATFORM_MORPHOS)
  struct Case {
    const char* task;  // a process started from Workbench
    const char* cli;   // a shell process running this command
    bool running;
  } cases[] = {
      {"Trivelo", nullptr, true},
      {nullptr, "Work:Games/Trivelo/Trivelo", true},
      {nullptr, "trivelo", true},
      {nullptr, "Work:Trivelo/Editor", false},
      {"Trivelo Zelto", nullptr, false},
      {nullptr, "Work:Games/TriveloEditor", false},
  };
  for (const Case& c : cases) {
    box.reset_system();
    if (c.task) standin::add_task(c.task);
    if (c.cli) standin::add_cli_process(c.cli);
    fe.clear();
    EXPECT_EQ(test_game_running(folder, catalogue, fe), c.running ? RunningTest::Running : RunningTest::NotRunning)
        << (c.task ? c.task : c.cli);
    if (c.running) {
      ASSERT_EQ(fe.messages().size(), 1u);
      EXPECT_EQ(fe.messages()[0].body, "m17");
    }
  }
  // The game file went away after the folder check: the attempt ends without a message.
  fe.clear();
  EXPECT_EQ(test_game_running(box.user_path("empty"), catalogue, fe), RunningTest::Stop);
  EXPECT_TRUE(fe.messages().empty());
#endif
}

}  // namespace
}  // namespace trivelo::test
