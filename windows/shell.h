// The Windows shell: the process and user interface of the Windows deliverable. It opens one Win32
// top-level window, shows the choose-folder screen or the done screen in it, turns window and
// control notifications into the flow's events and realises the front-end operations with the
// ANSI Win32 calls; catalogue texts reach Win32 byte for byte.
#pragma once

#include <windows.h>

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "flow.h"
#include "frontend.h"
#include "picture.h"

namespace trivelo::win {

// Texts of the two start-up failures.
inline constexpr const char* kFailureTitle = "[Trivelo Zelto / Add-on install]";
inline constexpr const char* kCantOpenWindow = "[Trivelo Zelto / Add-on install] Can't open window!";
inline constexpr const char* kCantAddLogo =
    "[Trivelo Zelto / Add-on install] Can't add logo image (data\\install.png ou data\\file_select.png)!";

// Client area of the main window: 440 wide; 230 at creation, 270 with screen 1, 215 with screen 2.
inline constexpr int kClientWidth = 440;
inline constexpr int kClientHeightAtCreation = 230;
inline constexpr int kClientHeightScreen1 = 270;
inline constexpr int kClientHeightScreen2 = 215;

class WindowsShell final : public FrontEnd {
 public:
  explicit WindowsShell(HINSTANCE instance) : instance_(instance) {}
  ~WindowsShell() override;

  // The whole program: start-up, event loop, shutdown. Returns the exit code, always 0.
  int run();

  void show_screen(int screen, const Liste& catalogue) override;
  void set_gauge(int value) override;
  void set_busy(bool on) override;
  std::string read_path_field() override;
  void write_path_field(const std::string& text) override;
  std::optional<std::string> ask_for_folder(const std::string& title, const std::string& initial) override;
  void show_message(const std::string& title, const std::string& body, MessageKind kind) override;

 private:
  static LRESULT CALLBACK main_procedure(HWND window, UINT message, WPARAM w, LPARAM l);
  static LRESULT CALLBACK panel_procedure(HWND window, UINT message, WPARAM w, LPARAM l);
  static LRESULT CALLBACK logo_procedure(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT on_main_message(HWND window, UINT message, WPARAM w, LPARAM l);

  bool register_classes();
  bool open_main_window();
  bool create_logo();
  void event_loop();
  void shutdown();

  HWND make_control(const char* window_class, const char* text, DWORD style, DWORD ex_style, int x, int y, int w,
                    int h, HWND parent);
  void destroy_screen();
  void set_client_height(int height);
  void move_focus(bool forward);
  void draw_browse_button(const DRAWITEMSTRUCT& item);
  void queue_event(Event event);

  HINSTANCE instance_;
  Flow flow_;
  HFONT font_ = nullptr;
  HACCEL accelerators_ = nullptr;
  bool classes_registered_ = false;
  bool com_initialised_ = false;

  HWND main_ = nullptr;
  HWND logo_ = nullptr;
  std::unique_ptr<Picture> browse_picture_;
  std::unique_ptr<Picture> logo_picture_;

  // Controls of the current screen.
  int screen_ = 0;
  HWND panel_ = nullptr;
  HWND frame_ = nullptr;
  HWND row_ = nullptr;
  HWND left_ = nullptr;
  HWND gauge_ = nullptr;
  HWND right_ = nullptr;
  HWND path_ = nullptr;
  HWND browse_ = nullptr;
  // Every control of the current screen in creation order: the keyboard focus order.
  std::vector<HWND> focus_order_;

  // Events raised by window procedures, handed to the flow by the event loop.
  std::deque<Event> pending_;
  bool quit_ = false;
};

// The folder shown first by the folder browser: the initial folder cut to 259 characters, without
// a trailing backslash unless it is a drive root ("C:\Games\" gives "C:\Games", "C:\" stays).
std::string browse_start_folder(const std::string& initial);
// The browser's result: the chosen path with a backslash at its end.
std::string browse_result(const char* path);

}  // namespace trivelo::win
