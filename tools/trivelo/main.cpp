// trivelo: the command line for add-on makers and scripted installs, built from the installers'
// own toolkit and core.
//
//   trivelo check ADDON_FOLDER
//   trivelo install --game FOLDER [--rules windows|morphos|amigaos4] [--language N] [--dry-run]
//                   [--log FILE] [--addon FOLDER]
//   trivelo scramble IN OUT | trivelo unscramble IN OUT
//
// One program per rule set: `trivelo` carries the Windows rules, `trivelo-morphos` and
// `trivelo-amigaos4` the Amiga-family rules (against our stand-in of their system libraries). The
// cores of the three rule sets define the same names, so no program links more than one;
// `trivelo install --rules morphos` starts `trivelo-morphos` beside it with the same arguments.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "check.h"
#include "host.h"
#include "install.h"
#include "platform.h"
#include "scrambler.h"

#if defined(_WIN32)
#include <io.h>
#define trivelo_isatty _isatty
#define trivelo_fileno _fileno
#else
#include <unistd.h>
#define trivelo_isatty isatty
#define trivelo_fileno fileno
#endif

namespace {

namespace fs = std::filesystem;
using namespace trivelo;

constexpr int kUsage = 2;

const char* const kHelp =
    "Usage: trivelo COMMAND [ARGUMENTS]\n"
    "\n"
    "The command line of the Trivelo Zelto add-on installer, for add-on makers and scripted installs.\n"
    "\n"
    "Commands:\n"
    "  check ADDON_FOLDER     check an add-on before shipping it\n"
    "  install --game FOLDER  install the add-on into a game folder\n"
    "  scramble IN OUT        scramble a plain roster into the game's roster format\n"
    "  unscramble IN OUT      unscramble a roster into plain lines\n"
    "\n"
    "trivelo COMMAND --help tells more about a command.\n";

const char* const kHelpCheck =
    "Usage: trivelo check ADDON_FOLDER\n"
    "\n"
    "Checks everything the installers read from an add-on and lists every problem, naming the file\n"
    "and the line at fault:\n"
    "  - texte/trivelo_extension.msg holds, for every language it has, the messages the installers\n"
    "    show (1-8, 10-15, 17, 23, 37), each line's length field (columns 7-9) matches its text,\n"
    "    and no line is longer than MorphOS and AmigaOS 4 read (511 bytes with its line end);\n"
    "  - texte/trivelo_avatars.msg has a title line for each of those languages;\n"
    "  - data/perso.dta unscrambles to lines without NUL bytes, at most 1023 bytes long;\n"
    "  - texte/trivlo_extension_fichiers.txt names images inside data/, and every character has\n"
    "    an image for every pattern;\n"
    "  - every avatar image, data/install.png and data/file_select.png decode as PNG;\n"
    "  - the temp folder that the Windows installer needs is there.\n"
    "The rules of all three installers are checked at once.\n"
    "\n"
    "Exit code: 0 fine, 1 problems found, 2 wrong command line.\n";

const char* const kHelpInstall =
    "Usage: trivelo install --game FOLDER [--rules windows|morphos|amigaos4] [--language N]\n"
    "                       [--dry-run] [--log FILE] [--addon FOLDER]\n"
    "\n"
    "Installs the add-on of the current folder (or of --addon FOLDER) into the game folder, exactly\n"
    "as the installer does: folder check, running-game test, title registration, roster merge and\n"
    "avatar copies, with the catalogue's messages. A failed installation leaves the game as it was.\n"
    "\n"
    "  --game FOLDER    the game's installation folder\n"
    "  --rules R        the installer whose rules apply: windows (default; on Linux the game runs\n"
    "                   as its Windows build under Wine), morphos or amigaos4. The Amiga-family\n"
    "                   rules run against the tool's stand-in of their system: FOLDER is a host\n"
    "                   folder, or an Amiga path on a volume of TRIVELO_AMIGA_VOLUMES\n"
    "  --language N     the catalogue's language number (0 French, 1 English, 2 Italian,\n"
    "                   3 German, 4 Spanish, 5 Swedish, 8 Polish, 10 Portuguese, 11 Greek);\n"
    "                   default: the system's language\n"
    "  --dry-run        run every check and list every file the installation would append to,\n"
    "                   create or replace; write nothing\n"
    "  --log FILE       write what was done, file by file\n"
    "  --addon FOLDER   the add-on's folder (default: the current folder)\n"
    "\n"
    "Progress shows as a bar on a terminal and as plain lines otherwise.\n"
    "Exit code: 0 installed (dry run: would be installed), 1 not installed (the game folder is\n"
    "unchanged), 2 wrong command line.\n";

const char* const kHelpScramble =
    "Usage: trivelo scramble IN OUT\n"
    "       trivelo unscramble IN OUT\n"
    "\n"
    "Transforms a roster file with the game's scrambling key. The transform is its own inverse: the\n"
    "two commands compute the same bytes and are named for what they are used for. OUT is replaced\n"
    "only once it has been written completely.\n"
    "\n"
    "Exit code: 0 done, 1 IN cannot be read or OUT cannot be written, 2 wrong command line.\n";

bool wants_help(const std::vector<std::string>& args) {
  for (const std::string& a : args) {
    if (a == "--help" || a == "-h") return true;
  }
  return false;
}

int usage_error(const std::string& text, const char* help) {
  std::cerr << "trivelo: " << text << "\n\n" << help;
  return kUsage;
}

const char* own_rules() {
  switch (kPlatform) {
    case Platform::Windows: return "windows";
    case Platform::MorphOS: return "morphos";
    case Platform::AmigaOS4: return "amigaos4";
  }
  return "windows";
}

int command_check(const std::vector<std::string>& args) {
  if (wants_help(args)) {
    std::cout << kHelpCheck;
    return 0;
  }
  if (args.size() != 1) return usage_error("check takes one add-on folder", kHelpCheck);
  const cli::CheckReport report = cli::check_addon(args[0]);
  std::cout << "Checking the add-on in " << args[0] << "\n";
  for (const cli::Finding& f : report.findings) {
    std::cout << (f.problem ? "problem: " : "note: ") << cli::describe(f) << "\n";
  }
  const unsigned problems = report.problems();
  if (problems == 0) {
    std::cout << "Verdict: fine (" << report.languages << " language(s), " << report.characters << " character(s), "
              << report.images << " image(s) decoded).\n";
    return 0;
  }
  std::cout << "Verdict: " << problems << " problem(s); fix them before shipping the add-on.\n";
  return 1;
}

int command_scramble(const std::string& name, const std::vector<std::string>& args) {
  if (wants_help(args)) {
    std::cout << kHelpScramble;
    return 0;
  }
  if (args.size() != 2) return usage_error(name + " takes an input and an output file", kHelpScramble);
  // Both directions compute the same bytes; the output is written beside its place first, so a
  // failure never leaves a half-written roster, and IN may be OUT.
  switch (scramble_roster(args[0], args[1])) {
    case ScrambleResult::Done: return 0;
    case ScrambleResult::SourceMissing: std::cerr << "trivelo: " << args[0] << " cannot be opened\n"; return 1;
    case ScrambleResult::ReadFailed: std::cerr << "trivelo: " << args[0] << " cannot be read\n"; return 1;
    case ScrambleResult::WriteFailed: std::cerr << "trivelo: " << args[1] << " cannot be written\n"; return 1;
  }
  return 1;
}

int command_install(const char* argv0, const std::vector<std::string>& args) {
  if (wants_help(args)) {
    std::cout << kHelpInstall;
    return 0;
  }
  cli::InstallOptions options;
  std::string rules = "windows";
  std::string addon;
  bool have_game = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string& into) {
      if (i + 1 >= args.size()) return false;
      into = args[++i];
      return true;
    };
    std::string v;
    if (a == "--game") {
      if (!value(options.game)) return usage_error("--game needs a folder", kHelpInstall);
      have_game = true;
    } else if (a == "--rules") {
      if (!value(rules)) return usage_error("--rules needs windows, morphos or amigaos4", kHelpInstall);
    } else if (a == "--language") {
      if (!value(v)) return usage_error("--language needs a number", kHelpInstall);
      char* end = nullptr;
      const long n = std::strtol(v.c_str(), &end, 10);
      if (v.empty() || *end != '\0' || n < 0 || n > 99) return usage_error("--language takes a number from 0 to 99", kHelpInstall);
      options.language = static_cast<int32_t>(n);
    } else if (a == "--dry-run") {
      options.dry_run = true;
    } else if (a == "--log") {
      if (!value(options.log) || options.log.empty()) return usage_error("--log needs a file", kHelpInstall);
    } else if (a == "--addon") {
      if (!value(addon)) return usage_error("--addon needs a folder", kHelpInstall);
    } else {
      return usage_error("unknown argument " + a, kHelpInstall);
    }
  }
  if (rules != "windows" && rules != "morphos" && rules != "amigaos4") {
    return usage_error("unknown rules " + rules + " (windows, morphos or amigaos4)", kHelpInstall);
  }
  if (!have_game || options.game.empty()) return usage_error("install needs --game FOLDER", kHelpInstall);

  if (rules != own_rules()) {
    if (kPlatform != Platform::Windows) {
      std::cerr << "trivelo: this program carries the " << own_rules() << " rules; run trivelo --rules " << rules << "\n";
      return kUsage;
    }
    std::vector<std::string> all = {"install"};
    all.insert(all.end(), args.begin(), args.end());
    std::string error;
    const int code = cli::host::run_sibling(argv0, "trivelo-" + rules, all, error);
    if (code < 0) {
      std::cerr << "trivelo: the " << rules << " rules are not available: " << error << "\n";
      return 1;
    }
    return code;
  }

  std::error_code ec;
  if (!addon.empty() && !fs::is_directory(addon, ec)) {
    std::cerr << "trivelo: the add-on folder " << addon << " is not a folder\n";
    return 1;
  }
  // Paths given relative to where the tool was started, before the add-on folder becomes the
  // working directory (the installers' relative names are relative to it).
  options.game = cli::host::game_folder(options.game);
  if (!options.log.empty()) options.log = fs::absolute(options.log, ec).string();
  if (!addon.empty()) {
    fs::current_path(addon, ec);
    if (ec) {
      std::cerr << "trivelo: cannot work in the add-on folder " << addon << "\n";
      return 1;
    }
  }
  std::string error;
  if (!cli::host::open_workspace(error)) {
    std::cerr << "trivelo: " << error;
    if (error.empty() || error.back() != '\n') std::cerr << "\n";
    return 1;
  }
  options.private_file = cli::host::private_file();
  options.terminal = trivelo_isatty(trivelo_fileno(stdout)) != 0;
  return cli::run_install(options, std::cout, std::cerr);
}

int run(const char* argv0, const std::vector<std::string>& all) {
  if (all.empty()) {
    std::cerr << kHelp;
    return kUsage;
  }
  const std::string command = all[0];
  const std::vector<std::string> args(all.begin() + 1, all.end());
  if (command == "--help" || command == "-h" || command == "help") {
    if (args.empty()) std::cout << kHelp;
    else if (args[0] == "check") std::cout << kHelpCheck;
    else if (args[0] == "install") std::cout << kHelpInstall;
    else if (args[0] == "scramble" || args[0] == "unscramble") std::cout << kHelpScramble;
    else return usage_error("no command " + args[0], kHelp);
    return 0;
  }
  if (command == "check") return command_check(args);
  if (command == "install") return command_install(argv0, args);
  if (command == "scramble" || command == "unscramble") return command_scramble(command, args);
  return usage_error("unknown command " + command, kHelp);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string error;
  if (!cli::host::start(argc > 0 ? argv[0] : "trivelo", error)) {
    std::cerr << "trivelo: " << error << "\n";
    return 1;
  }
  const int code = run(argc > 0 ? argv[0] : "trivelo", args);
  std::cout.flush();
  cli::host::stop();
  return code;
}
