// What the tool needs from the host around the installer core: the start and end of the rule
// set's system (the Amiga-family rules run against our stand-in of their system libraries), the
// game folder as the rule set names it, a scratch file, and the start of a sibling program.
#pragma once

#include <string>
#include <vector>

namespace trivelo::cli::host {

// Sets the rule set's system up; false with a reason when it cannot be.
bool start(const char* argv0, std::string& error);
// Called once the working directory is the add-on's folder: the Amiga-family rules create their
// workspace in RAM: here. False with a reason when it cannot be made.
bool open_workspace(std::string& error);
void stop();

// The game folder as the rule set takes it. Windows rules: the host path, made absolute. Amiga
// family: an existing host folder is mounted as the volume "TriveloGame:"; any other text is taken
// as an Amiga path (volumes come from TRIVELO_AMIGA_VOLUMES).
std::string game_folder(const std::string& given);

// A scratch file outside the add-on and game folders.
std::string private_file();

// Runs the program `name` that lies beside this one with the given arguments and returns its exit
// code; -1 with a reason when it cannot be started.
int run_sibling(const char* argv0, const std::string& name, const std::vector<std::string>& args, std::string& error);

}  // namespace trivelo::cli::host
