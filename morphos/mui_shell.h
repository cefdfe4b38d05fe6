// The MUI front end of the installer: one application with one window on the Workbench screen.
// Below the logo the window shows one of the two screens at a time; each is a screen group and a
// button row that are put into the root group and taken out of it again as a whole.
#pragma once

#include <exec/types.h>
#include <intuition/classusr.h>
#include <intuition/intuition.h>

#include <optional>
#include <string>

#include "frontend.h"
#include "liste.h"

namespace trivelo {

// Return identifiers the notifications deliver to the event loop.
enum : ULONG {
  kIdLeft = 1,
  kIdRight = 3,
  kIdBrowse = 5,
  kIdClose = 10,
};

class MuiShell : public FrontEnd {
 public:
  MuiShell() = default;
  MuiShell(const MuiShell&) = delete;
  MuiShell& operator=(const MuiShell&) = delete;

  // The root group: the logo alone, until a screen is put in place. NULL when it cannot be made.
  Object* build_root();
  // The window (title: message 1 alone) holding the root group, on the locked Workbench screen.
  // When it cannot be made MUI disposes the root group with it.
  Object* build_window(const char* title, struct Screen* screen);
  // The application holding the window; its title is the composed one. When it cannot be made MUI
  // disposes the window with it.
  Object* build_application(const char* title);
  void open_window();
  // The close gadget delivers kIdClose.
  void notify_close_request();
  // MUIM_Application_Input: a return identifier or 0; `signals` receives what to Wait() for.
  ULONG input(ULONG* signals);
  // Disposes of the application with its window and everything in it.
  void dispose();

  // Front-end operations.
  void show_screen(int screen, const Liste& catalogue) override;
  void set_gauge(int value) override;
  void set_busy(bool on) override;
  std::string read_path_field() override;
  void write_path_field(const std::string& text) override;
  std::optional<std::string> ask_for_folder(const std::string& title, const std::string& initial) override;
  void show_message(const std::string& title, const std::string& body, MessageKind kind) override;

 private:
  Object* build_button_row(LONG gauge, const char* right_label, const char* left_label);
  bool build_screen(int screen, const Liste& catalogue);
  void put_screen();
  void take_screen();

  Object* app_ = nullptr;
  Object* window_ = nullptr;
  Object* root_ = nullptr;

  // The screen shown now: its group and button row (owned by the root group while shown).
  Object* screen_group_ = nullptr;
  Object* button_row_ = nullptr;
  Object* left_ = nullptr;
  Object* gauge_ = nullptr;
  Object* right_ = nullptr;
  Object* path_ = nullptr;    // screen 1 only
  Object* browse_ = nullptr;  // screen 1 only
};

// A text shown by MUI_RequestA as its format: every "%" doubled so that it shows as itself and no
// argument is ever read.
std::string format_escaped(const std::string& text);

}  // namespace trivelo
