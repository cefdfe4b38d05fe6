// The AmigaOS 4 program run inside the test's own process against the stand-in: what the harness
// script cannot express (several actions waiting in one batch, a key pressed but not released) and
// what only the process can see (every library, object, lock and memory block given back).
#include <gtest/gtest.h>

#include <standin/reaction.h>
#include <standin/standin.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

int amiga_main(void);

namespace fs = std::filesystem;

namespace {

const char* const kLibraries[] = {
    "intuition.library", "window.class", "graphics.library", "Picasso96API.library",
    "gadgets/layout.gadget", "gadgets/button.gadget", "gadgets/string.gadget", "images/bitmap.image",
    "images/label.image", "lowlevel.library", "datatypes.library", "asl.library",
    "gadgets/fuelgauge.gadget", "application.library", "images/glyph.image", "utility.library",
    "requester.class", "locale.library",
};

std::map<std::string, std::string> tree_bytes(const fs::path& root) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    files[fs::relative(entry.path(), root).generic_string()] =
        std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return files;
}

class ShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const fs::path examples = fs::path(TRIVELO_SOURCE_DIR) / "examples";
    if (!fs::exists(examples / "addon") || !fs::exists(examples / "game")) GTEST_SKIP() << "no sample add-on and game";
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    root_ = fs::temp_directory_path() / (std::string("os4-shell-") + info->name());
    fs::remove_all(root_);
    fs::create_directories(root_ / "work");
    fs::create_directories(root_ / "ram");
    fs::copy(examples / "addon", root_ / "addon", fs::copy_options::recursive);
    fs::copy(examples / "game", root_ / "work" / "game", fs::copy_options::recursive);
    standin::reset();
    standin::set_volume("Work", (root_ / "work").string());
    standin::set_volume("RAM", (root_ / "ram").string());
    saved_cwd_ = fs::current_path();
    fs::current_path(root_ / "addon");
  }

  void TearDown() override {
    if (root_.empty()) return;
    fs::current_path(saved_cwd_);
    standin::reset();
    fs::remove_all(root_);
  }

  int run(const std::vector<std::string>& script) {
    for (const std::string& line : script) standin::script_push(line);
    return amiga_main();
  }

  std::vector<std::string> events(const std::string& kind) const {
    std::vector<std::string> found;
    const std::string head = "{\"event\":\"" + kind + "\"";
    for (const std::string& line : standin::transcript_lines())
      if (line.compare(0, head.size(), head) == 0) found.push_back(line);
    return found;
  }

  void expect_everything_given_back() {
    for (const char* name : kLibraries) EXPECT_EQ(standin::library_open_count(name), 0) << name;
    EXPECT_EQ(standin::live_objects(), 0);
    EXPECT_EQ(standin::pubscreen_locks(), 0);
    EXPECT_EQ(standin::allocated_vecs(), 0);
    EXPECT_EQ(standin::open_locks(), 0);
    EXPECT_EQ(standin::open_files(), 0);
    EXPECT_FALSE(fs::exists(root_ / "ram" / "T" / "Felgrove" / "Trivelo_Extension"));
  }

  fs::path game() const { return root_ / "work" / "game"; }

  fs::path root_;
  fs::path saved_cwd_;
};

TEST_F(ShellTest, AClickAfterTheCloseGadgetInTheSameBatchIsNotServed) {
  const auto before = tree_bytes(game());
  standin::script_push("type Work:game");
  standin::queue_window_batch({"close", "press right"});
  standin::script_push("press browse");
  EXPECT_EQ(amiga_main(), 0);
  EXPECT_TRUE(events("busy").empty());
  EXPECT_TRUE(events("asl").empty());
  EXPECT_EQ(tree_bytes(game()), before);
  expect_everything_given_back();
}

TEST_F(ShellTest, EscapeEndsTheProgramOnlyWhenReleased) {
  standin::queue_window_batch({"rawkey 45"});
  standin::script_push("press browse");
  standin::script_push("asl cancel");
  standin::script_push("escape");
  standin::script_push("press browse");
  EXPECT_EQ(amiga_main(), 0);
  // The browse button pressed after the key went down was served; the one after its release was not.
  EXPECT_EQ(events("asl").size(), 1u);
}

TEST_F(ShellTest, EverythingIsGivenBackAfterAnInstallationAndOnEachStartupFailure) {
  EXPECT_EQ(run({"press browse", "asl Work:game|", "press right", "press left"}), 0);
  EXPECT_EQ(events("screen").size(), 3u);
  expect_everything_given_back();

  const std::pair<const char*, int> failures[] = {
      {"library:window.class", 0}, {"interface:application", 0}, {"interface:images/label.image", 0},
      {"workspace", 1}, {"screen", 0}, {"layout", 0}, {"window-object", 0}, {"window", 0}, {"requester", 0},
  };
  for (const auto& [failure, code] : failures) {
    SCOPED_TRACE(failure);
    standin::reset();
    standin::set_volume("Work", (root_ / "work").string());
    standin::set_volume("RAM", (root_ / "ram").string());
    standin::fail(failure);
    EXPECT_EQ(run({"type Work:nothing", "press right"}), code);
    expect_everything_given_back();
  }
}

}  // namespace
