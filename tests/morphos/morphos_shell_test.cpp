// The MorphOS program run in-process against the stand-in: the MUI objects the shell builds (looked
// at while the program waits for input), the exchange of the two screens, and that every way out of
// the program gives back what it took (libraries, screen lock, locks, memory, MUI objects).
#include <gtest/gtest.h>

#include <libraries/mui.h>
#include <proto/intuition.h>
#include <standin/standin.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "mui_standin.h"

int amiga_main(void);

namespace {

namespace fs = std::filesystem;
namespace mui = standin::mui;

const char* const kLibraries[] = {"intuition.library", "graphics.library", "locale.library", "datatypes.library",
                                  "asl.library",       "utility.library",  "muimaster.library"};

ULONG given(Object* o, ULONG attribute) {
  ULONG value = 0;
  EXPECT_TRUE(mui::given(o, attribute, &value)) << mui::class_name(o) << " lacks attribute 0x" << std::hex << attribute;
  return value;
}

std::string given_text(Object* o, ULONG attribute) {
  const ULONG v = given(o, attribute);
  return v ? reinterpret_cast<const char*>(v) : "";
}

std::string contents(Object* o) {
  ULONG v = 0;
  GetAttr(MUIA_Text_Contents, o, &v);
  return v ? reinterpret_cast<const char*>(v) : "";
}

class MorphosShell : public ::testing::Test {
 protected:
  void SetUp() override {
    const fs::path examples = fs::path(TRIVELO_SOURCE_DIR) / "examples";
    if (!fs::exists(examples / "addon") || !fs::exists(examples / "game")) GTEST_SKIP() << "examples/ is missing";
    root_ = fs::temp_directory_path() / ("morphos-shell-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)));
    fs::remove_all(root_);
    fs::create_directories(root_ / "work");
    fs::create_directories(root_ / "ram");
    fs::copy(examples / "addon", root_ / "addon", fs::copy_options::recursive);
    fs::copy(examples / "game", root_ / "work" / "Game", fs::copy_options::recursive);
    old_dir_ = fs::current_path();
    fs::current_path(root_ / "addon");
  }
  void TearDown() override {
    mui::set_input_observer(nullptr);
    if (root_.empty()) return;
    fs::current_path(old_dir_);
    standin::reset();
    fs::remove_all(root_);
  }

  // Runs the program with a script and extra harness variables; returns its return code.
  int run(const std::vector<std::string>& script, std::map<std::string, std::string> vars = {}) {
    vars["TRIVELO_AMIGA_VOLUMES"] = "Work=" + (root_ / "work").string() + ";RAM=" + (root_ / "ram").string();
    standin::configure(vars);
    std::string text;
    for (const std::string& line : script) text += line + "\n";
    standin::script_set(text);
    mui::clear_change_log();
    return amiga_main();
  }

  void expect_everything_given_back() {
    for (const char* library : kLibraries) EXPECT_EQ(standin::library_open_count(library), 0) << library;
    EXPECT_EQ(standin::live_objects(), 0);
    EXPECT_EQ(standin::pubscreen_locks(), 0);
    EXPECT_EQ(standin::open_locks(), 0);
    EXPECT_EQ(standin::open_files(), 0);
    EXPECT_EQ(standin::allocated_vecs(), 0);
  }

  fs::path root_;
  fs::path old_dir_;
};

TEST_F(MorphosShell, BuildsTheApplicationWindowAndChooseFolderScreen) {
  bool looked = false;
  mui::set_input_observer([&] {
    if (looked) return;
    looked = true;
    Object* app = mui::application();
    ASSERT_NE(app, nullptr);
    EXPECT_EQ(given_text(app, MUIA_Application_Version), "$VER: Trivelo_Extension_MorphOS 1.00 2016.09.24");
    EXPECT_EQ(given_text(app, MUIA_Application_Description), "Quiz Game");
    EXPECT_EQ(given_text(app, MUIA_Application_Base), "Trivelo Zelto / Add-on");
    EXPECT_FALSE(given_text(app, MUIA_Application_Copyright).empty());
    EXPECT_FALSE(given_text(app, MUIA_Application_Author).empty());

    ASSERT_EQ(mui::children(app).size(), 1u);
    Object* window = mui::children(app)[0];
    const std::string title = given_text(window, MUIA_Window_Title);
    EXPECT_EQ(given_text(app, MUIA_Application_Title).compare(0, title.size(), title), 0);
    EXPECT_EQ(given(window, MUIA_Window_ID), 0x494E5354UL);
    EXPECT_EQ(given(window, MUIA_Window_Width), 448UL);
    EXPECT_EQ(given(window, MUIA_Window_Height), 380UL);
    EXPECT_EQ(static_cast<LONG>(given(window, MUIA_Window_LeftEdge)), -1);
    EXPECT_EQ(given(window, MUIA_Window_CloseGadget), static_cast<ULONG>(TRUE));
    EXPECT_EQ(given(window, MUIA_Window_SizeGadget), static_cast<ULONG>(FALSE));
    EXPECT_EQ(given(window, MUIA_Window_DepthGadget), static_cast<ULONG>(TRUE));
    EXPECT_EQ(given(window, MUIA_Window_DragBar), static_cast<ULONG>(TRUE));
    EXPECT_EQ(given(window, MUIA_Window_Activate), static_cast<ULONG>(TRUE));
    EXPECT_NE(given(window, MUIA_Window_Screen), 0UL);
    ULONG open = 0;
    GetAttr(MUIA_Window_Open, window, &open);
    EXPECT_TRUE(open);

    Object* root = mui::children(window)[0];
    for (ULONG margin : {MUIA_InnerLeft, MUIA_InnerRight, MUIA_InnerTop, MUIA_InnerBottom}) EXPECT_EQ(given(root, margin), 10UL);
    EXPECT_EQ(given(root, MUIA_Group_Spacing), 5UL);
    std::vector<Object*> parts = mui::children(root);
    ASSERT_EQ(parts.size(), 3u);
    Object* logo = parts[0];
    EXPECT_EQ(mui::class_name(logo), "Image.mui");
    EXPECT_EQ(given_text(logo, MUIA_Image_Spec), "5:data/install.png");
    EXPECT_EQ(given(logo, MUIA_Image_FreeHoriz), static_cast<ULONG>(TRUE));
    EXPECT_EQ(given(logo, MUIA_Image_FreeVert), static_cast<ULONG>(TRUE));
    EXPECT_EQ(given(logo, MUIA_FixHeight), 120UL);
    EXPECT_EQ(given(logo, MUIA_FixWidth), 448UL);

    Object* screen = parts[1];
    EXPECT_EQ(static_cast<LONG>(given(screen, MUIA_Frame)), MUIV_Frame_Group);
    EXPECT_EQ(static_cast<LONG>(given(screen, MUIA_Background)), MUII_GroupBack);
    std::vector<Object*> screen_parts = mui::children(screen);
    ASSERT_EQ(screen_parts.size(), 2u);
    Object* text = screen_parts[0];
    EXPECT_EQ(mui::class_name(text), "Text.mui");
    EXPECT_EQ(static_cast<LONG>(given(text, MUIA_Frame)), MUIV_Frame_Text);
    EXPECT_EQ(static_cast<LONG>(given(text, MUIA_Background)), MUII_TextBack);
    EXPECT_EQ(contents(text).substr(0, 2), "\033c");
    Object* path_line = screen_parts[1];
    EXPECT_EQ(given(path_line, MUIA_Group_Horiz), static_cast<ULONG>(TRUE));
    std::vector<Object*> line = mui::children(path_line);
    ASSERT_EQ(line.size(), 3u);
    EXPECT_EQ(mui::text_role(line[0]), "label");
    EXPECT_EQ(mui::class_name(line[1]), "String.mui");
    EXPECT_EQ(static_cast<LONG>(given(line[1], MUIA_Frame)), MUIV_Frame_String);
    EXPECT_EQ(given(line[1], MUIA_String_MaxLen), 2048UL);
    EXPECT_EQ(mui::class_name(line[2]), "Image.mui");
    EXPECT_EQ(static_cast<LONG>(given(line[2], MUIA_Frame)), MUIV_Frame_ImageButton);
    EXPECT_EQ(static_cast<LONG>(given(line[2], MUIA_Image_Spec)), MUII_PopFile);
    EXPECT_EQ(static_cast<LONG>(given(line[2], MUIA_InputMode)), MUIV_InputMode_RelVerify);

    Object* row = parts[2];
    EXPECT_EQ(given(row, MUIA_Group_Horiz), static_cast<ULONG>(TRUE));
    std::vector<Object*> buttons = mui::children(row);
    ASSERT_EQ(buttons.size(), 3u);
    EXPECT_EQ(mui::text_role(buttons[0]), "button");
    EXPECT_EQ(mui::text_role(buttons[2]), "button");
    Object* gauge = buttons[1];
    EXPECT_EQ(mui::class_name(gauge), "Gauge.mui");
    EXPECT_EQ(static_cast<LONG>(given(gauge, MUIA_Frame)), MUIV_Frame_Gauge);
    EXPECT_EQ(given(gauge, MUIA_Gauge_Horiz), static_cast<ULONG>(TRUE));
    EXPECT_EQ(given(gauge, MUIA_Gauge_Max), 100UL);
    EXPECT_EQ(given_text(gauge, MUIA_Gauge_InfoText), "%ld %%");
    ULONG current = 0;
    GetAttr(MUIA_Gauge_Current, gauge, &current);
    EXPECT_EQ(current, 5UL);
  });
  EXPECT_EQ(run({"close"}), 0);
  EXPECT_TRUE(looked);
  expect_everything_given_back();
}

TEST_F(MorphosShell, ExchangesScreensInsideAGroupChangeAndGivesEverythingBack) {
  std::vector<std::vector<std::string>> logs;
  mui::set_input_observer([&] {
    logs.push_back(mui::change_log());
    mui::clear_change_log();
  });
  EXPECT_EQ(run({"type Work:Game", "press right", "press left", "press browse", "asl Work:", "close"}), 0);
  ASSERT_GE(logs.size(), 4u);
  const std::vector<std::string> put = {"InitChange", "AddMember Group.mui", "AddMember Group.mui", "ExitChange"};
  const std::vector<std::string> take = {"InitChange",          "RemMember Group.mui", "Dispose Group.mui",
                                         "RemMember Group.mui", "Dispose Group.mui",   "ExitChange"};
  std::vector<std::string> exchange = take;
  exchange.insert(exchange.end(), put.begin(), put.end());
  EXPECT_EQ(logs[0], put);       // screen 1 after the window opened
  EXPECT_EQ(logs[2], exchange);  // the installation ended on screen 2
  EXPECT_EQ(logs[3], exchange);  // Back
  expect_everything_given_back();
  EXPECT_FALSE(fs::exists(root_ / "ram" / "T" / "Felgrove"));
}

TEST_F(MorphosShell, EveryStartUpFailureGivesEverythingBack) {
  struct Case {
    std::string failure;
    int code;
  };
  std::vector<Case> cases = {{"workspace", 1}, {"screen", 0}, {"window", 0}};
  for (const char* library : kLibraries) cases.push_back({std::string("library:") + library, 0});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.failure);
    EXPECT_EQ(run({"close"}, {{"TRIVELO_AMIGA_FAIL", c.failure}}), c.code);
    expect_everything_given_back();
  }
}

}  // namespace
