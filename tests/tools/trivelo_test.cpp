// The trivelo command line. Each test program carries one rule set: the install tests run the
// tool (`trivelo install --rules R`) on one copy of the sample add-on and game, run the core's flow
// with the recording front end on another copy, and compare the game folders byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "check.h"
#include "flow.h"
#include "platform.h"
#include "recording_frontend.h"
#include "scrambler.h"

#if !defined(TRIVELO_PLATFORM_WINDOWS)
#include <standin/standin.h>

#include "fichiers_amiga.h"
#endif

#if !defined(_WIN32)
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace trivelo::cli {
namespace {

namespace fs = std::filesystem;

const fs::path kExamples = fs::path(TRIVELO_SOURCE_DIR) / "examples";

std::string read_file(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void write_file(const fs::path& p, const std::string& bytes) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary | std::ios::trunc) << bytes;
}

// Every file under a folder with its bytes; folders end in "/".
std::map<std::string, std::string> snapshot(const fs::path& dir) {
  std::map<std::string, std::string> files;
  for (const auto& e : fs::recursive_directory_iterator(dir)) {
    const std::string rel = fs::relative(e.path(), dir).generic_string();
    files[e.is_directory() ? rel + "/" : rel] = e.is_directory() ? "" : read_file(e.path());
  }
  return files;
}

// Files that are new or whose bytes changed.
std::set<std::string> changed(const std::map<std::string, std::string>& before, const std::map<std::string, std::string>& after) {
  std::set<std::string> out;
  for (const auto& [name, bytes] : after) {
    auto it = before.find(name);
    if (it == before.end() || it->second != bytes) out.insert(name);
  }
  return out;
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) lines.push_back(l);
  return lines;
}

// A fresh copy of the sample add-on and game.
struct Sandbox {
  Sandbox() {
    static int counter = 0;
    root = fs::temp_directory_path() / ("trivelo-cli-" + std::string(TRIVELO_RULES) + "-" +
#if defined(_WIN32)
                                        std::to_string(counter++)
#else
                                        std::to_string(getpid()) + "-" + std::to_string(counter++)
#endif
                                       );
    fs::remove_all(root);
    fs::create_directories(root);
    fs::copy(kExamples / "addon", root / "addon", fs::copy_options::recursive);
    fs::copy(kExamples / "game", root / "game", fs::copy_options::recursive);
    addon = root / "addon";
    game = root / "game";
  }
  ~Sandbox() {
    std::error_code ec;
    fs::current_path(previous, ec);
    fs::remove_all(root, ec);
  }
  fs::path root, addon, game;
  fs::path previous = fs::current_path();
};

struct ToolRun {
  int code = -1;
  std::string out, err;
};

#if defined(_WIN32)
// The tool's path as Windows names it: under Wine the build's host path lies on drive Z:.
std::string tool_path() {
  std::string path = TRIVELO_TOOL;
  std::replace(path.begin(), path.end(), '/', '\\');
  if (!path.empty() && path[0] == '\\') path = "Z:" + path;
  return path;
}
#endif

// Runs the tool in `dir` with the given arguments (each quoted for the shell), its output caught
// in files beside `dir`.
ToolRun run_tool(const fs::path& dir, const std::vector<std::string>& args) {
  ToolRun run;
  const fs::path out = dir.parent_path() / "tool.out", err = dir.parent_path() / "tool.err";
#if defined(_WIN32)
  // cmd.exe: double quotes; no argument of these tests holds one.
  std::string command = "cd /d \"" + dir.string() + "\" && \"" + tool_path() + "\"";
  for (const std::string& a : args) command += " \"" + a + "\"";
  command += " > \"" + out.string() + "\" 2> \"" + err.string() + "\"";
  run.code = std::system(command.c_str());
  // The console build writes text mode: its line ends are CR LF.
  for (std::string* text : {&run.out, &run.err}) {
    *text = read_file(text == &run.out ? out : err);
    text->erase(std::remove(text->begin(), text->end(), '\r'), text->end());
  }
#else
  std::string command = "cd '" + dir.string() + "' && '" + std::string(TRIVELO_TOOL) + "'";
  for (const std::string& a : args) command += " '" + a + "'";
  command += " > '" + out.string() + "' 2> '" + err.string() + "'";
  const int status = std::system(command.c_str());
  run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.out = read_file(out);
  run.err = read_file(err);
#endif
  fs::remove(out);
  fs::remove(err);
  return run;
}

bool is_windows_rules() { return std::string(TRIVELO_RULES) == "windows"; }

// ---------------------------------------------------------------------------------------------
// check (the same rules whatever the build: run in the Windows-rules program)

TEST(Check, SampleAddonIsFine) {
  if (!is_windows_rules()) GTEST_SKIP() << "check does not depend on the rule set";
  const CheckReport report = check_addon(kExamples / "addon");
  for (const Finding& f : report.findings) EXPECT_FALSE(f.problem) << describe(f);
  EXPECT_EQ(report.characters, 3u);
  EXPECT_EQ(report.languages, 4u);
  EXPECT_EQ(report.images, 14u);  // 3 characters x 4 patterns, and the two pictures
}

std::string replace_line(const std::string& text, unsigned number, const std::string& line) {
  std::vector<std::string> lines = lines_of(text);
  lines.at(number - 1) = line;
  std::string out;
  for (const std::string& l : lines) out += l + "\n";
  return out;
}

std::string roster_with(const std::string& plain) {
  std::string bytes = plain;
  scramble_block(reinterpret_cast<unsigned char*>(bytes.data()), bytes.size(), scrambling_key(), 0);
  return bytes;
}

struct BrokenCase {
  const char* name;
  std::function<void(const fs::path&)> breaks;
  std::string file;
  unsigned line;      // 0: the finding concerns the whole file
  std::string words;  // part of the finding's text
};

TEST(Check, EachFaultOfABrokenAddonIsNamed) {
  if (!is_windows_rules()) GTEST_SKIP() << "check does not depend on the rule set";
  const std::string catalogue = "texte/trivelo_extension.msg";
  const std::string titles = "texte/trivelo_avatars.msg";
  const std::string patterns = "texte/trivlo_extension_fichiers.txt";
  auto edit = [](const std::string& file, std::function<std::string(std::string)> f) {
    return [file, f](const fs::path& addon) { write_file(addon / file, f(read_file(addon / file))); };
  };
  const std::vector<BrokenCase> cases = {
      {"length field too small", edit(catalogue, [](std::string t) { return replace_line(t, 38, "01    020Trivelo Zelto add-on installer"); }),
       catalogue, 38, "says its text is 20 bytes long"},
      {"text cut short", edit(catalogue, [](std::string t) { return replace_line(t, 51, "01    040This folder"); }),
       catalogue, 51, "the text has 11 bytes"},
      {"no language number", edit(catalogue, [](std::string t) { return replace_line(t, 2, "# Retour"); }), catalogue, 2,
       "no language number"},
      {"line too long for the Amiga readers",
       edit(catalogue, [](std::string t) { return replace_line(t, 40, "01    600" + std::string(600, 'x')); }), catalogue, 40,
       "at most 511 bytes"},
      {"language without message 37",
       edit(catalogue, [](std::string t) { return t + "02    005Ciao!\n"; }), catalogue, 0,
       "language 2 (Italian) has 1 messages; missing message(s) 2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13, 14, 15, 17, 23, 37"},
      {"empty message", edit(catalogue, [](std::string t) { return replace_line(t, 52, "01    000"); }), catalogue, 52,
       "message 15 of language 1 (English) is empty"},
      {"title list lacks a language", edit(titles, [](std::string t) { return replace_line(t, 3, "01       Again"); }), titles,
       0, "no line for language 3 (German)"},
      {"empty title", edit(titles, [](std::string t) { return replace_line(t, 2, "01"); }), titles, 2, "empty title"},
      {"title list missing", [titles](const fs::path& a) { fs::remove(a / titles); }, titles, 0, "is missing"},
      {"roster with a NUL byte",
       [](const fs::path& a) { write_file(a / "data/perso.dta", roster_with("Anna\nBo" + std::string(1, '\0') + "b\nCy\n")); },
       "data/perso.dta", 2, "NUL byte"},
      {"roster line too long",
       [](const fs::path& a) { write_file(a / "data/perso.dta", roster_with("Anna\n" + std::string(1023, 'b') + "\nCy\n")); },
       "data/perso.dta", 2, "at most 1023"},
      {"pattern leaving data", edit(patterns, [](std::string t) { return replace_line(t, 3, "../../portrait@"); }), patterns,
       3, "leaves the data folder"},
      {"pattern with a backslash", edit(patterns, [](std::string t) { return replace_line(t, 3, "sub\\portrait@"); }),
       patterns, 3, "use \"/\""},
      {"missing avatar image", [](const fs::path& a) { fs::remove(a / "data/mini_2.png"); }, "data/mini_2.png", 0,
       "character 2, pattern \"mini_@\" of texte/trivlo_extension_fichiers.txt line 4"},
      {"avatar that does not decode",
       [](const fs::path& a) {
         std::string png = read_file(a / "data/portrait3.png");
         png.resize(png.size() / 2);
         write_file(a / "data/portrait3.png", png);
       },
       "data/portrait3.png", 0, "does not decode as PNG"},
      {"logo that is no PNG", [](const fs::path& a) { write_file(a / "data/install.png", "GIF89a"); }, "data/install.png", 0,
       "does not decode as PNG"},
      {"browse picture missing", [](const fs::path& a) { fs::remove(a / "data/file_select.png"); }, "data/file_select.png", 0,
       "is missing"},
      {"no temp folder", [](const fs::path& a) { fs::remove_all(a / "temp"); }, "temp", 0, "is missing"},
  };
  for (const BrokenCase& c : cases) {
    SCOPED_TRACE(c.name);
    Sandbox box;
    c.breaks(box.addon);
    const CheckReport report = check_addon(box.addon);
    bool found = false;
    std::string all;
    for (const Finding& f : report.findings) {
      all += describe(f) + "\n";
      if (f.problem && f.file == c.file && f.line == c.line && f.text.find(c.words) != std::string::npos) found = true;
    }
    EXPECT_TRUE(found) << "findings:\n" << all;
    EXPECT_GT(report.problems(), 0u);
  }
}

TEST(Check, CommandGivesVerdictAndExitCode) {
  if (!is_windows_rules()) GTEST_SKIP() << "check does not depend on the rule set";
  Sandbox box;
  ToolRun fine = run_tool(box.root, {"check", box.addon.string()});
  EXPECT_EQ(fine.code, 0) << fine.out << fine.err;
  EXPECT_NE(fine.out.find("Verdict: fine"), std::string::npos) << fine.out;

  fs::remove(box.addon / "data/mini_2.png");
  fs::remove_all(box.addon / "temp");
  ToolRun broken = run_tool(box.root, {"check", box.addon.string()});
  EXPECT_EQ(broken.code, 1);
  EXPECT_NE(broken.out.find("problem: data/mini_2.png: is missing"), std::string::npos) << broken.out;
  EXPECT_NE(broken.out.find("problem: temp: is missing"), std::string::npos) << broken.out;
  EXPECT_NE(broken.out.find("Verdict: 2 problem(s)"), std::string::npos) << broken.out;
}

// ---------------------------------------------------------------------------------------------
// install

// The core's own installation through the flow, as a front end drives it.
void install_through_flow(Sandbox& box) {
  fs::current_path(box.addon);
  std::string game = box.game.string();
#if !defined(TRIVELO_PLATFORM_WINDOWS)
  standin::reset();
  standin::set_volume("Game", box.game.string());
  game = "Game:";
  std::string error;
  BPTR lock = 0;
  ASSERT_TRUE(temporairecreer(kNomProgramme, error, lock)) << error;
#endif
  Flow flow;
  flow.set_language_override(1, 0);
  flow.prepare();
  test::RecordingFrontEnd fe;
  flow.begin(fe);
  fe.type_path(game);
  flow.handle_event(Event::RightButton);
  EXPECT_EQ(flow.screen(), kScreenDone) << fe.dump();
  flow.finish();
#if !defined(TRIVELO_PLATFORM_WINDOWS)
  temporairesupprimer(kNomProgramme, lock);
#endif
  fs::current_path(box.previous);
}

std::vector<std::string> install_args(const Sandbox& box, std::vector<std::string> more) {
  std::vector<std::string> args = {"install", "--rules", TRIVELO_RULES, "--language", "1", "--game", box.game.string()};
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

// The game-folder files named on the listing's or the log's lines ("ACTION<TAB>PATH<TAB>...").
std::set<std::string> listed_files(const std::string& text, const Sandbox& box, const std::set<std::string>& actions) {
  std::set<std::string> files;
  // Compared in the generic form: the Windows build names the files with backslashes.
  const std::string host_prefix = box.game.generic_string() + "/";
  for (std::string line : lines_of(text)) {
    while (!line.empty() && line[0] == ' ') line.erase(0, 1);
    const size_t tab = line.find('\t');
    if (tab == std::string::npos || actions.count(line.substr(0, tab)) == 0) continue;
    std::string path = line.substr(tab + 1, line.find('\t', tab + 1) - tab - 1);
    std::replace(path.begin(), path.end(), '\\', '/');
    if (path.rfind(host_prefix, 0) == 0) path.erase(0, host_prefix.size());
    else if (path.rfind("TriveloGame:", 0) == 0) path.erase(0, std::string("TriveloGame:").size());
    files.insert(path);
  }
  return files;
}

TEST(Install, WritesWhatTheCoreWrites) {
  Sandbox by_tool, by_core;
  const auto addon_before = snapshot(by_tool.addon);
  const ToolRun run = run_tool(by_tool.addon, install_args(by_tool, {}));
  ASSERT_EQ(run.code, 0) << run.out << run.err;
  EXPECT_NE(run.out.find("progress 99%"), std::string::npos) << run.out;  // plain lines: not a terminal
  EXPECT_NE(run.out.find("Installed 3 character(s) after the game's 12, 12 image(s) copied."), std::string::npos) << run.out;

  install_through_flow(by_core);
  EXPECT_EQ(snapshot(by_tool.game), snapshot(by_core.game));
  EXPECT_EQ(snapshot(by_tool.addon), addon_before);  // work files removed again
}

TEST(Install, DryRunWritesNothingAndListsWhatTheInstallWrites) {
  Sandbox box;
  // An existing game image among the destinations: listed as replaced.
  write_file(box.game / "data/mini_14.png", "old image");
  const auto game_before = snapshot(box.game);
  const auto addon_before = snapshot(box.addon);

  const ToolRun dry = run_tool(box.addon, install_args(box, {"--dry-run"}));
  ASSERT_EQ(dry.code, 0) << dry.out << dry.err;
  EXPECT_EQ(snapshot(box.game), game_before);
  EXPECT_EQ(snapshot(box.addon), addon_before);
  const std::set<std::string> listed = listed_files(dry.out, box, {"append", "create", "replace"});
  EXPECT_EQ(listed.size(), 14u) << dry.out;
  EXPECT_NE(dry.out.find("replace\t"), std::string::npos);

  const fs::path log = box.root / "install.log";
  const ToolRun real = run_tool(box.addon, install_args(box, {"--log", log.string()}));
  ASSERT_EQ(real.code, 0) << real.out << real.err;
  const std::set<std::string> written = changed(game_before, snapshot(box.game));
  EXPECT_EQ(listed, written) << dry.out;
  // The log names exactly the files written, each verified against the game folder.
  const std::string text = read_file(log);
  EXPECT_EQ(listed_files(text, box, {"appended", "created", "replaced"}), written) << text;
  EXPECT_EQ(text.find("NOT AS PLANNED"), std::string::npos) << text;
  EXPECT_NE(text.find("replaced\t"), std::string::npos) << text;
  EXPECT_NE(text.find("result\tinstalled, 3 character(s), 12 image(s)"), std::string::npos) << text;
}

TEST(Install, RefusedFolderWritesNothingAndSaysWhy) {
  Sandbox box;
  fs::remove(box.game / (is_windows_rules() ? "Trivelo.exe" : "Trivelo"));
  const auto game_before = snapshot(box.game);
  const fs::path log = box.root / "install.log";
  for (const bool dry : {true, false}) {
    std::vector<std::string> more = {"--log", log.string()};
    if (dry) more.push_back("--dry-run");
    const ToolRun run = run_tool(box.addon, install_args(box, more));
    EXPECT_EQ(run.code, 1) << run.out << run.err;
    // The catalogue's English messages 15 and 14.
    EXPECT_NE(run.err.find("Trivelo Zelto: This folder does not hold Trivelo Zelto."), std::string::npos) << run.err;
    EXPECT_EQ(snapshot(box.game), game_before);
  }
  EXPECT_NE(read_file(log).find("result\tnot installed, nothing written"), std::string::npos);
}

TEST(Install, AddonFolderOptionAndRelativePaths) {
  if (!is_windows_rules()) GTEST_SKIP() << "the same path handling for every rule set";
  Sandbox by_tool, by_core;
  const ToolRun run = run_tool(by_tool.root, {"install", "--addon", "addon", "--game", "game", "--language", "1"});
  ASSERT_EQ(run.code, 0) << run.out << run.err;
  install_through_flow(by_core);
  EXPECT_EQ(snapshot(by_tool.game), snapshot(by_core.game));
}

// ---------------------------------------------------------------------------------------------
// scramble, unscramble, help and mistakes on the command line

TEST(Commands, ScrambleRoundTripAndErrors) {
  if (!is_windows_rules()) GTEST_SKIP() << "the same transform for every rule set";
  Sandbox box;
  const fs::path roster = box.game / "data/perso.dta";
  const fs::path plain = box.root / "plain.txt", again = box.root / "again.dta";
  ASSERT_EQ(run_tool(box.root, {"unscramble", roster.string(), plain.string()}).code, 0);
  EXPECT_EQ(lines_of(read_file(plain)).size(), 12u);
  EXPECT_EQ(read_file(plain), roster_with(read_file(roster)));
  ASSERT_EQ(run_tool(box.root, {"scramble", plain.string(), again.string()}).code, 0);
  EXPECT_EQ(read_file(again), read_file(roster));
  // In place.
  ASSERT_EQ(run_tool(box.root, {"unscramble", again.string(), again.string()}).code, 0);
  EXPECT_EQ(read_file(again), read_file(plain));

  const ToolRun missing = run_tool(box.root, {"scramble", (box.root / "none").string(), again.string()});
  EXPECT_EQ(missing.code, 1);
  EXPECT_NE(missing.err.find("none cannot be opened"), std::string::npos) << missing.err;
  EXPECT_EQ(read_file(again), read_file(plain));
}

TEST(Commands, HelpAndUsageErrors) {
  if (!is_windows_rules()) GTEST_SKIP() << "one command line for every rule set";
  Sandbox box;
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--help"}, {"check", "--help"}, {"install", "--help"}, {"scramble", "--help"}, {"help", "unscramble"}}) {
    const ToolRun run = run_tool(box.root, args);
    EXPECT_EQ(run.code, 0) << args[0];
    EXPECT_EQ(run.out.rfind("Usage: trivelo", 0), 0u) << run.out;
  }
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {}, {"frobnicate"}, {"check"}, {"scramble", "a"}, {"install"}, {"install", "--game"}, {"install", "--game", ""},
           {"install", "--game", "g", "--rules", "amiga"}, {"install", "--game", "g", "--language", "x"},
           {"install", "--game", "g", "--verbose"}}) {
    const ToolRun run = run_tool(box.root, args);
    EXPECT_EQ(run.code, 2) << (args.empty() ? "" : args[0]) << run.err;
  }
}

}  // namespace
}  // namespace trivelo::cli
