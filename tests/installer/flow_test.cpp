// The installer flow: texts and window title at start-up, the event table of each build, the
// remembered path, Back and the end.
#include <gtest/gtest.h>

#include "fixture.h"
#include "flow.h"
#include "platform.h"
#include "recording_frontend.h"

#if !defined(TRIVELO_PLATFORM_WINDOWS)
#include <standin/standin.h>
#endif

namespace trivelo::test {
namespace {

class FlowTest : public ::testing::Test {
 protected:
  void start(int language = 1, const std::string& titles = AddonSpec().title_lines) {
    AddonSpec addon;
    addon.title_lines = titles;
    box.make_addon(addon);
    flow.set_language_override(language, 0);
    flow.prepare();
    flow.begin(fe);
    fe.clear();
  }
  Sandbox box;
  Flow flow;
  RecordingFrontEnd fe;
};

TEST_F(FlowTest, WindowTitleFromTheFirstLineOfTheLanguage) {
  struct Case {
    int language;
    const char* lines;
    const char* title;
    int used;  // the language after the fallback
  } cases[] = {
      {1, "00       Chevaliers\n01       Knights\n01       Second\n", "m1 Knights", 1},
      {0, "00       Chevaliers\n01       Knights\n", "m1 Chevaliers", 0},
      {6, "01       Knights\n", "m1 Knights", 1},
      {9, "01       Knights\n", "m1 Knights", 1},
      {12, "01       Knights\n", "m1 Knights", 1},
      // A line whose first two characters are no number counts for language 0, an empty one too.
      {0, "xx       Odd\n00       Chevaliers\n", "m1 Odd", 0},
      {0, "\n00       Chevaliers\n", "m1 ", 0},
      {1, " 1       Blank first\n", "m1 Blank first", 1},
      {1, "01short\n", "m1 ", 1},
      {2, "01       Knights\n", "m1", 2},
      {1, "", "m1", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lines);
    write_file(box.addon / "texte" / "trivelo_avatars.msg", c.lines);
    AddonSpec addon;
    addon.title_lines = c.lines;
    box.make_addon(addon);
    Flow f;
    f.set_language_override(c.language, 0);
    f.prepare();
    EXPECT_EQ(f.language(), c.used);
    EXPECT_EQ(f.window_title(), c.title);
    EXPECT_EQ(f.text(15), "m15");
    f.finish();
  }
}

TEST_F(FlowTest, LongWindowTitleIsCutOnTheAmigaFamily) {
  const std::string title(400, 'T');
  start(1, "01       " + title + "\n");
  if constexpr (kAmigaFamily) EXPECT_EQ(flow.window_title(), ("m1 " + title).substr(0, 255));
  else EXPECT_EQ(flow.window_title(), "m1 " + title);
  // The registered title is never cut.
  EXPECT_EQ(flow.install_title(), title);
}

TEST_F(FlowTest, BeginShowsTheChooseFolderScreen) {
  box.make_addon();
  flow.set_language_override(1, 0);
  flow.prepare();
  flow.begin(fe);
  EXPECT_EQ(fe.screens(), std::vector<int>{kScreenChooseFolder});
  EXPECT_EQ(fe.gauge(), 5);
  EXPECT_EQ(flow.screen(), kScreenChooseFolder);
  EXPECT_EQ(flow.remembered_path(), "");
}

TEST_F(FlowTest, EventsThatDoNothingOrEnd) {
  start();
  EXPECT_FALSE(flow.handle_event(Event::LeftButton));
  EXPECT_TRUE(fe.operations().empty()) << fe.dump();
  for (Event end : {Event::Close, Event::Escape}) {
    Flow f;
    f.set_language_override(1, 0);
    f.prepare();
    RecordingFrontEnd front;
    f.begin(front);
    EXPECT_TRUE(f.handle_event(end));
    EXPECT_TRUE(f.quit());
    f.finish();
  }
}

TEST_F(FlowTest, BrowseWritesTheChosenFolder) {
  start();
  fe.type_path("typed");
  fe.queue_cancel();
  flow.handle_event(Event::Browse);
  ASSERT_EQ(fe.folder_requests().size(), 1u);
  EXPECT_EQ(fe.folder_requests()[0].title, "m13");
  EXPECT_EQ(fe.folder_requests()[0].text, "");
  EXPECT_EQ(fe.path_field(), "typed") << "a cancelled requester changes nothing";

  fe.queue_folder("Chosen/");
  flow.handle_event(Event::Browse);
  EXPECT_EQ(fe.path_field(), "Chosen/");
  // Only MorphOS remembers a browsed folder at once; it is the next requester's initial folder.
  EXPECT_EQ(flow.remembered_path(), kPlatform == Platform::MorphOS ? "Chosen/" : "");

  // An empty answer: Windows writes nothing, the Amiga family writes it.
  fe.queue_folder("");
  flow.handle_event(Event::Browse);
  EXPECT_EQ(fe.folder_requests()[2].text, kPlatform == Platform::MorphOS ? "Chosen/" : "");
  EXPECT_EQ(fe.path_field(), kAmigaFamily ? "" : "Chosen/");
  EXPECT_EQ(fe.path_writes().size(), kAmigaFamily ? 2u : 1u);
}

TEST_F(FlowTest, RefusedFolderKeepsScreenOneAtGaugeTen) {
  start();
  const std::string refused = box.user_path("nowhere");
  fe.type_path(refused);
  EXPECT_FALSE(flow.handle_event(Event::RightButton));
  EXPECT_EQ(fe.gauges(), std::vector<int>{10});
  EXPECT_EQ(fe.gauge(), 10);
  EXPECT_TRUE(fe.screens().empty());
  EXPECT_EQ(flow.screen(), kScreenChooseFolder);
  ASSERT_EQ(fe.operations().front().kind, Operation::SetBusy);
  EXPECT_EQ(fe.operations().front().value, 1);
  EXPECT_FALSE(fe.busy());
  ASSERT_EQ(fe.messages().size(), 1u);
  EXPECT_EQ(fe.messages()[0].body, "m14");
  EXPECT_EQ(fe.path_field(), refused);
  // AmigaOS 4 remembers the folder before the check; Windows and MorphOS only an accepted one.
  EXPECT_EQ(flow.remembered_path(), kPlatform == Platform::AmigaOS4 ? refused : "");
  fe.queue_cancel();
  flow.handle_event(Event::Browse);
  EXPECT_EQ(fe.folder_requests().back().text, flow.remembered_path());
}

#if !defined(TRIVELO_PLATFORM_WINDOWS)
TEST_F(FlowTest, RunningGameIsRefusedAndTheFolderRemembered) {
  box.make_game();
  start();
#if defined(TRIVELO_PLATFORM_AMIGAOS4)
  standin::add_application("TriveloZelto.felgrove.com");
#else
  standin::add_task("Trivelo");
#endif
  const auto before = snapshot(box.game);
  fe.type_path(box.game_folder());
  flow.handle_event(Event::RightButton);
  EXPECT_EQ(fe.gauges(), std::vector<int>{10});
  ASSERT_EQ(fe.messages().size(), 1u);
  EXPECT_EQ(fe.messages()[0].body, kPlatform == Platform::MorphOS ? "m17" : "m23");
  EXPECT_EQ(flow.remembered_path(), box.game_folder());
  EXPECT_EQ(snapshot(box.game), before);
  EXPECT_EQ(flow.screen(), kScreenChooseFolder);
}
#endif

TEST_F(FlowTest, DoneScreenBackAndEnd) {
  box.make_game();
  start();
  // Trailing blanks: MorphOS remembers the folder as the check left it, trimmed.
  const std::string typed = box.game_folder();
  fe.type_path(typed);
  flow.handle_event(Event::RightButton);
  ASSERT_EQ(flow.screen(), kScreenDone) << fe.dump();
  EXPECT_EQ(flow.remembered_path(), typed);
  EXPECT_FALSE(fe.busy());
  EXPECT_EQ(fe.operations().back().kind, Operation::SetBusy) << "busy off after the done screen";

  // On screen 2 browse does nothing; left goes back with the remembered path.
  fe.clear();
  flow.handle_event(Event::Browse);
  EXPECT_TRUE(fe.operations().empty());
  EXPECT_FALSE(flow.handle_event(Event::LeftButton));
  EXPECT_EQ(fe.screens(), std::vector<int>{kScreenChooseFolder});
  EXPECT_EQ(fe.gauge(), 5);
  EXPECT_EQ(fe.path_writes(), std::vector<std::string>{typed});
  EXPECT_EQ(flow.screen(), kScreenChooseFolder);

  // Install again, then the right button on screen 2 ends.
  flow.handle_event(Event::RightButton);
  ASSERT_EQ(flow.screen(), kScreenDone);
  EXPECT_TRUE(flow.handle_event(Event::RightButton));
  flow.finish();
  EXPECT_EQ(flow.text(1), "");
}

}  // namespace
}  // namespace trivelo::test
