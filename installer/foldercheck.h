// The two tests an install attempt makes before anything is written: the chosen folder holds the
// game, and the game is not running. Each either accepts or shows one message and refuses.
#pragma once

#include <string>

#include "frontend.h"
#include "liste.h"

namespace trivelo {

// The game's program file, expected directly in the chosen folder.
const char* game_file_name();

// Title of the game's main window on Windows, compared exactly.
inline constexpr const char* kGameWindowTitle = "Trivelo Zelto";
// Identifier under which the running game registers itself with application.library (AmigaOS 4).
inline constexpr const char* kGameAppIdentifier = "TriveloZelto.felgrove.com";

// Longest folder path the Amiga-family builds take: their path buffers hold 2048 bytes.
inline constexpr size_t kLongestPath = 2047;

// Accepts a folder that holds the game file. The Amiga family removes trailing blanks from the
// folder text itself; Windows works on a copy and leaves the text as typed. On refusal the
// folder-refused message (title 15, body 14) has been shown.
bool check_game_folder(std::string& folder, const Liste& catalogue, FrontEnd& front_end);

enum class RunningTest {
  NotRunning,
  Running,  // the game-running message has been shown
  Stop,     // MorphOS: the game file vanished since the folder check; the attempt ends silently
};

RunningTest test_game_running(const std::string& folder, const Liste& catalogue, FrontEnd& front_end);

// Shows the folder-refused message.
void show_folder_refused(const Liste& catalogue, FrontEnd& front_end);

}  // namespace trivelo
