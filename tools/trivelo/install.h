// `trivelo install`: the installer core's install attempt (folder check, running-game test,
// installation) driven through a console front end, with a dry run that lists every file the
// attempt would write and a log of what it wrote. Runs with the add-on's folder as the working
// directory, as the installers do.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "frontend.h"
#include "liste.h"

namespace trivelo::cli {

// The console front end: progress as a bar on a terminal and as plain lines otherwise; messages on
// the error stream. The path field holds the game folder given on the command line.
class ConsoleFrontEnd : public FrontEnd {
 public:
  ConsoleFrontEnd(std::ostream& out, std::ostream& err, bool terminal, bool quiet = false)
      : out_(out), err_(err), terminal_(terminal), quiet_(quiet) {}

  void show_screen(int screen, const Liste& catalogue) override;
  void set_gauge(int value) override;
  void set_busy(bool) override {}
  std::string read_path_field() override { return path_; }
  void write_path_field(const std::string& text) override { path_ = text; }
  std::optional<std::string> ask_for_folder(const std::string&, const std::string&) override { return std::nullopt; }
  void show_message(const std::string& title, const std::string& body, MessageKind kind) override;

  // Ends a progress bar line.
  void end_line();
  // Messages shown, in order (title, body, kind).
  struct Shown {
    std::string title, body;
    MessageKind kind;
  };
  const std::vector<Shown>& shown() const { return shown_; }

 private:
  std::ostream& out_;
  std::ostream& err_;
  bool terminal_;
  bool quiet_;
  bool bar_open_ = false;
  std::string path_;
  std::vector<Shown> shown_;
};

// One file of the game folder that an installation writes.
struct PlannedFile {
  std::string action;  // "append", "create" or "replace"
  std::string path;    // as the rule set names it
  std::string source;  // image: the add-on file it is copied from
  std::string what;    // what goes into it, for the listing
};

struct Plan {
  bool proceeds = false;        // false: the attempt stops before writing (`reason` says why)
  std::string reason;
  unsigned game_characters = 0;
  unsigned characters = 0;
  bool creates_temp = false;    // Windows rules: the add-on's temp folder is created
  std::vector<PlannedFile> files;
  std::vector<std::string> work_files;   // written in the work area and removed again
  std::vector<std::string> missing_images;
  unsigned unsafe_patterns = 0;
};

// What an installation into `folder` registering `title` writes, found with the core's own
// functions and without writing to the game or the add-on folder. `private_file` is a scratch file
// outside both folders.
Plan plan_installation(const std::string& folder, const std::string& title, const std::string& private_file);

struct InstallOptions {
  std::string game;                 // the game folder as the rule set takes it
  std::optional<int32_t> language;  // none: the system's language
  bool dry_run = false;
  std::string log;                  // host path of the log; empty: no log
  std::string private_file;         // scratch file outside the add-on and game folders
  bool terminal = false;
};

// Exit code: 0 installed (or, dry run, would be installed); 1 refused or failed, game unchanged.
int run_install(const InstallOptions& options, std::ostream& out, std::ostream& err);

// Shows a path to the user: the name the file system takes.
std::string shown_path(const std::string& path);

}  // namespace trivelo::cli
