// Host side of the Amiga-family tools: the core's MorphOS or AmigaOS 4 rules run against our
// stand-in of the Amiga system libraries, set up from the TRIVELO_AMIGA_* variables as for the
// installers' host builds. The work files live in the workspace RAM:T/Felgrove/Trivelo_Extension,
// which the stand-in keeps in a temporary host folder.
#include <standin/standin.h>

#include <filesystem>
#include <system_error>

#include "fichiers_amiga.h"
#include "host.h"

namespace trivelo::cli::host {

namespace fs = std::filesystem;

namespace {
BPTR workspace = 0;
bool opened = false;
}  // namespace

bool start(const char* argv0, std::string&) {
  standin::set_program_name(argv0 ? argv0 : "trivelo");
  standin::configure_from_environment();
  return true;
}

bool open_workspace(std::string& error) {
  if (!temporairecreer(kNomProgramme, error, workspace)) return false;
  opened = true;
  return true;
}

void stop() {
  if (opened) temporairesupprimer(kNomProgramme, workspace);
  opened = false;
  standin::shutdown();
}

std::string game_folder(const std::string& given) {
  std::error_code ec;
  if (!given.empty() && given.find(':') == std::string::npos && fs::is_directory(given, ec)) {
    standin::set_volume("TriveloGame", fs::absolute(given, ec).lexically_normal().string());
    return "TriveloGame:";
  }
  return given;
}

std::string private_file() { return temporairechemin(kNomProgramme) + "trivelo_plan.dta"; }

}  // namespace trivelo::cli::host
