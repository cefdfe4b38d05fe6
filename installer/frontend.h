// The contract between the installer core and a front end: the two screens every front end
// draws, the seven operations it offers the core, and the five user events it hands the flow.
// The core never touches a widget; a front end decides nothing that the flow decides.
#pragma once

#include <optional>
#include <string>

#include "liste.h"

namespace trivelo {

// Screen 1: choose the game folder (texts 8, 4-6, 7, 2, 3; gauge at 5).
// Screen 2: done (texts 37 or 10, 11, 2, 12; gauge at 100).
inline constexpr int kScreenChooseFolder = 1;
inline constexpr int kScreenDone = 2;

enum class Event { Browse, RightButton, LeftButton, Close, Escape };

// What a message tells the user; a front end that cannot show a requester uses it to choose its
// console fallback text.
// ImagesMissing follows a completed installation: avatar images that the add-on's patterns name
// but the add-on lacks were not copied (a notice, not a failure).
enum class MessageKind { FolderRefused, GameRunning, InstallFailed, ImagesMissing };

class FrontEnd {
 public:
  virtual ~FrontEnd() = default;

  // Removes every element of the current screen (the logo stays) and builds the given one with
  // the catalogue's texts, its gauge at 5 (screen 1) or 100 (screen 2) and an empty path field.
  virtual void show_screen(int screen, const Liste& catalogue) = 0;
  // Shows the value at once, also while an installation runs inside the flow's event handling.
  virtual void set_gauge(int value) = 0;
  virtual void set_busy(bool on) = 0;
  // Only while screen 1 is shown.
  virtual std::string read_path_field() = 0;
  virtual void write_path_field(const std::string& text) = 0;
  // A folder requester; nothing when cancelled or unavailable.
  virtual std::optional<std::string> ask_for_folder(const std::string& title, const std::string& initial) = 0;
  // A modal message with one confirming button; returns once the user confirmed it.
  virtual void show_message(const std::string& title, const std::string& body, MessageKind kind) = 0;
};

}  // namespace trivelo
