#include "install.h"

#include <fstream>
#include <ostream>
#include <set>
#include <vector>

#include "chaine.h"
#include "fichiers.h"
#include "flow.h"
#include "foldercheck.h"
#include "installation.h"
#include "messages.h"
#include "platform.h"
#include "scrambler.h"
#include "systeme.h"

namespace trivelo::cli {

namespace {

// Catalogue texts may keep their line end (Amiga-family catalogue rules): one line on the console.
std::string one_line(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

// A front end that shows nothing: the plan made before a real install must not repeat the
// messages the install attempt itself shows.
class SilentFrontEnd : public FrontEnd {
 public:
  void show_screen(int, const Liste&) override {}
  void set_gauge(int) override {}
  void set_busy(bool) override {}
  std::string read_path_field() override { return {}; }
  void write_path_field(const std::string&) override {}
  std::optional<std::string> ask_for_folder(const std::string&, const std::string&) override { return std::nullopt; }
  void show_message(const std::string&, const std::string& body, MessageKind) override { last = body; }
  std::string last;
};

bool paths_fit(std::initializer_list<std::string> paths) {
  if constexpr (kAmigaFamily) {
    for (const std::string& p : paths) {
      if (p.size() > kLongestPath) return false;
    }
  }
  (void)paths;
  return true;
}

// Lines of a plain file as the core loads it; false when it cannot be read whole.
bool count_lines(const std::string& file, unsigned& count) {
  if (!lines_fit_buffer(file)) return false;
  bool read = false;
  Liste list = listecharger(systeme::nom(file).c_str(), &read);
  count = listecompter(list);
  return read;
}

bool same_bytes(const std::string& a, const std::string& b) {
  systeme::FichierBrut fa, fb;
  if (!fa.ouvrir_lecture(a) || !fb.ouvrir_lecture(b)) return false;
  std::string ba, bb;
  char block[8192];
  for (long n; (n = fa.lire(block, sizeof block)) > 0;) ba.append(block, static_cast<size_t>(n));
  for (long n; (n = fb.lire(block, sizeof block)) > 0;) bb.append(block, static_cast<size_t>(n));
  return ba == bb;
}

const char* kRefusedReason = "the game folder is refused: nothing would be written";

}  // namespace

std::string shown_path(const std::string& path) { return systeme::nom(path); }

void ConsoleFrontEnd::show_screen(int screen, const Liste& catalogue) {
  if (screen != kScreenDone || quiet_) return;
  end_line();
  const std::string done = one_line(message(catalogue, 11));
  out_ << (done.empty() ? std::string("The add-on is installed.") : done) << "\n";
}

void ConsoleFrontEnd::set_gauge(int value) {
  if (quiet_) return;
  if (terminal_) {
    const int width = 40;
    const int filled = value * width / 100;
    out_ << "\r[" << std::string(static_cast<size_t>(filled), '#') << std::string(static_cast<size_t>(width - filled), ' ')
         << "] " << value << "%" << std::flush;
    bar_open_ = true;
  } else {
    out_ << "progress " << value << "%\n";
  }
}

void ConsoleFrontEnd::end_line() {
  if (bar_open_) out_ << "\n" << std::flush;
  bar_open_ = false;
}

void ConsoleFrontEnd::show_message(const std::string& title, const std::string& body, MessageKind kind) {
  shown_.push_back(Shown{title, body, kind});
  if (quiet_) return;
  end_line();
  const std::string t = one_line(title);
  err_ << (t.empty() ? std::string() : t + ": ") << one_line(body) << "\n" << std::flush;
}

Plan plan_installation(const std::string& folder, const std::string& title, const std::string& private_file) {
  Plan plan;
  auto stop = [&plan](const std::string& reason) {
    plan.proceeds = false;
    plan.reason = reason;
    plan.files.clear();
    return plan;
  };
  std::string prefix = folder;
  cheminterminer(prefix);
  const std::string list = prefix + relative_name("texte", "trivelo_lst_ext.txt");
  const std::string roster = prefix + relative_name("data", "perso.dta");
  const std::string work = systeme::zone_travail();
  if (!paths_fit({list, roster, scramble_new_name(roster), roster + ".old"})) {
    return stop("a path into the game folder is longer than " + std::to_string(kLongestPath) + " bytes");
  }
  if constexpr (!kAmigaFamily) plan.creates_temp = !systeme::est_dossier("temp");
  plan.work_files = {work + "perso.dta", work + "perso_nou.dta"};

  // The game's list of installed add-ons: read whole, then rewritten with the title at its end.
  const bool list_exists = systeme::existe(list);
  if (list_exists) {
    unsigned ignored = 0;
    if (!count_lines(list, ignored)) return stop(shown_path(list) + " cannot be read whole");
  }
  plan.files.push_back(PlannedFile{list_exists ? "append" : "create", list, "", "line \"" + title + "\""});

  // The game's roster: the core refuses a folder whose roster cannot be read.
  systeme::supprimer(private_file);
  if (unscramble_roster(roster, private_file) != ScrambleResult::Done || !count_lines(private_file, plan.game_characters)) {
    systeme::supprimer(private_file);
    return stop(kRefusedReason);
  }
  switch (unscramble_roster(relative_name("data", "perso.dta"), private_file)) {
    case ScrambleResult::Done:
      if (!count_lines(private_file, plan.characters)) {
        systeme::supprimer(private_file);
        return stop("a line of the add-on's roster is too long for this rule set");
      }
      break;
    case ScrambleResult::SourceMissing: plan.characters = 0; break;
    default:
      systeme::supprimer(private_file);
      return stop("the add-on's roster cannot be read");
  }
  systeme::supprimer(private_file);
  plan.files.push_back(PlannedFile{"replace", roster, "",
                                   "roster of " + std::to_string(plan.game_characters + plan.characters) + " characters (" +
                                       std::to_string(plan.game_characters) + " + " + std::to_string(plan.characters) + ")"});

  // The avatar images, character by character, pattern by pattern.
  Liste patterns = listecharger(systeme::nom(relative_name("texte", "trivlo_extension_fichiers.txt")).c_str());
  std::vector<std::string> safe;
  for (const cellule* p = patterns.premier(); p != nullptr; p = p->suivant) {
    const std::string pattern = p->texte ? *p->texte : std::string();
    if (pattern_is_safe(pattern)) safe.push_back(pattern);
    else ++plan.unsafe_patterns;
  }
  const std::string data_prefix = prefix + relative_name("data", "");
  std::set<std::string> planned;
  for (unsigned k = 1; k <= plan.characters; ++k) {
    for (const std::string& pattern : safe) {
      const std::string source = relative_name("data", avatar_name(pattern, k) + ".png");
      const std::string destination = data_prefix + avatar_name(pattern, plan.game_characters + k) + ".png";
      if (!paths_fit({source, destination, scramble_new_name(destination)})) {
        return stop("a path into the game folder is longer than " + std::to_string(kLongestPath) + " bytes");
      }
      if (!systeme::existe(source)) {
        plan.missing_images.push_back(source);
        continue;
      }
      if (!planned.insert(destination).second) continue;
      plan.files.push_back(PlannedFile{systeme::existe(destination) ? "replace" : "create", destination, source,
                                       "copy of " + shown_path(source)});
    }
  }
  plan.proceeds = true;
  return plan;
}

namespace {

void print_plan(const Plan& plan, std::ostream& out) {
  out << "The game has " << plan.game_characters << " characters; the add-on adds " << plan.characters;
  if (plan.characters > 0) {
    out << " (numbered " << plan.game_characters + 1 << " to " << plan.game_characters + plan.characters << ")";
  }
  out << ".\nFiles the installation would write in the game folder:\n";
  for (const PlannedFile& f : plan.files) out << "  " << f.action << "\t" << shown_path(f.path) << "\t" << f.what << "\n";
  if (plan.creates_temp) out << "The add-on's temp folder would be created.\n";
  out << "Work files, written and removed again:";
  for (const std::string& w : plan.work_files) out << " " << shown_path(w);
  out << "\n";
  for (const std::string& m : plan.missing_images) out << "Not copied, missing from the add-on: " << shown_path(m) << "\n";
  if (plan.unsafe_patterns > 0) {
    out << "Not copied: " << plan.unsafe_patterns << " pattern(s) of the avatar list that leave the data folder.\n";
  }
}

// Checks one planned file against the game folder after the installation; the log line.
std::string verified(const PlannedFile& f, const Plan& plan, const std::string& title, const std::string& private_file,
                     bool& ok) {
  bool good = false;
  std::string done;
  if (f.source.empty() && f.action != "replace") {
    Liste list = listecharger(systeme::nom(f.path).c_str());
    const uint32_t n = listecompter(list);
    good = n > 0 && listelire(list, n) == title;
    done = f.action == "append" ? "appended" : "created";
  } else if (f.source.empty()) {
    unsigned count = 0;
    good = unscramble_roster(f.path, private_file) == ScrambleResult::Done && count_lines(private_file, count) &&
           count == plan.game_characters + plan.characters;
    systeme::supprimer(private_file);
    done = "replaced";
  } else {
    good = same_bytes(f.source, f.path);
    done = f.action == "replace" ? "replaced" : "created";
  }
  if (!good) {
    ok = false;
    return "NOT AS PLANNED\t" + shown_path(f.path) + "\t" + f.what;
  }
  return done + "\t" + shown_path(f.path) + "\t" + f.what;
}

}  // namespace

int run_install(const InstallOptions& options, std::ostream& out, std::ostream& err) {
  Flow flow;
  if (options.language) flow.set_language_override(*options.language, 0);
  flow.prepare();
  ConsoleFrontEnd front_end(out, err, options.terminal);
  out << one_line(flow.window_title()) << "\n";
  flow.begin(front_end);

  if (options.dry_run) {
    out << "Dry run: nothing is written.\n";
    std::string folder = options.game;
    int code = 1;
    if (check_game_folder(folder, flow.catalogue(), front_end) &&
        test_game_running(folder, flow.catalogue(), front_end) == RunningTest::NotRunning) {
      if (!flow.has_install_title()) {
        show_folder_refused(flow.catalogue(), front_end);
        out << "The add-on has no title line in texte" << kSeparator << "trivelo_avatars.msg: nothing would be written.\n";
      } else {
        const Plan plan = plan_installation(folder, flow.install_title(), options.private_file);
        if (plan.proceeds) {
          print_plan(plan, out);
          code = 0;
        } else {
          out << "The installation would stop: " << plan.reason << ".\n";
        }
      }
    } else {
      out << "The installation would stop before writing anything.\n";
    }
    flow.finish();
    return code;
  }

  // The plan is made first, silently, so that the log can say file by file what was written.
  Plan plan;
  const bool logging = !options.log.empty();
  if (logging) {
    SilentFrontEnd silent;
    std::string folder = options.game;
    if (check_game_folder(folder, flow.catalogue(), silent) && flow.has_install_title()) {
      plan = plan_installation(folder, flow.install_title(), options.private_file);
    }
  }

  front_end.write_path_field(options.game);
  flow.handle_event(Event::RightButton);
  front_end.end_line();
  const bool installed = flow.screen() == kScreenDone;
  const InstallReport report = flow.last_install();

  int code = installed ? 0 : 1;
  if (!installed) {
    err << "The add-on was not installed; the game folder was left as it was.\n";
  } else {
    out << "Installed " << report.characters << " character(s) after the game's " << report.game_characters << ", "
        << report.copied_images << " image(s) copied.\n";
  }

  if (logging) {
    std::ofstream log(options.log, std::ios::binary | std::ios::trunc);
    log << "trivelo install, " << platform_name() << " rules\n";
    log << "game folder\t" << shown_path(options.game) << "\n";
    log << "add-on title\t" << (flow.has_install_title() ? flow.install_title() : std::string()) << "\n";
    if (installed) {
      bool ok = true;
      for (const PlannedFile& f : plan.files) log << verified(f, plan, flow.install_title(), options.private_file, ok) << "\n";
      for (const std::string& m : plan.missing_images) log << "missing\t" << shown_path(m) << "\tnot copied\n";
      log << "result\tinstalled, " << report.characters << " character(s), " << report.copied_images << " image(s)\n";
      if (!ok) {
        err << "The game folder does not hold what the installation planned to write: see " << options.log << "\n";
        code = 1;
      }
    } else {
      for (const auto& shown : front_end.shown()) log << "message\t" << one_line(shown.body) << "\n";
      log << "result\tnot installed, nothing written\n";
    }
    if (!log) {
      err << "trivelo: cannot write the log " << options.log << "\n";
      code = 1;
    }
  }
  flow.handle_event(Event::Close);
  flow.finish();
  return code;
}

}  // namespace trivelo::cli
