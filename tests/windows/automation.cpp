// Drives the Windows installer from outside, as a user would, for the end-to-end tests and the
// main job: a small Win32 console program that runs a script of steps, one a line.
//
//   trivelo_automation SCRIPT
//
// Every step waits, up to the time-out (default 60 s), for what it looks for, and fails otherwise:
// the program never hangs. Texts are bytes; "\xNN" stands for any byte and "\\" for a backslash.
// Steps with two texts separate them by " || ".
//
//   timeout SECONDS            time-out of the following steps
//   window TITLE               wait for the top-level window with exactly this title: the target
//   window-class NAME          wait for a top-level window of this window class: the target
//   type TEXT                  put TEXT into the target's path field (WM_SETTEXT)
//   field TEXT                 wait until the path field holds exactly TEXT
//   click TEXT                 press the enabled button whose text is TEXT (BM_CLICK)
//   browse                     press the browse button (the button without text)
//   press left|right           press the leftmost or rightmost enabled push button
//   enabled TEXT || 0|1        wait until the button TEXT is disabled (0) or enabled (1)
//   gauge N                    wait until the progress gauge shows N (PBM_GETPOS)
//   client W H                 wait until the target's client area is W x H
//   static TEXT                wait until a static text or frame shows exactly TEXT
//   nostatic TEXT              fail if such a text is shown now
//   controls N                 wait until the target holds exactly N child controls
//   message TITLE || BODY      wait for a message box of the target's process (of any process before
//                              a target is known) with this title and body, then press its OK
//                              button
//   folder-browser ok|cancel   wait for the folder browser of the target's process and confirm or
//                              cancel it
//   key tab|shift-tab|escape   bring the target to the foreground and type the key
//   focus TEXT                 wait until the focused control is the button TEXT, "<edit>" or
//                              "<browse>"
//   close                      ask the target to close, as its close box does
//   gone                       wait until the target window no longer exists
//   game-window TITLE          open a top-level window with this title (a stand-in for the game)
//   close-game-windows         close the windows opened by game-window
//   pause NAME                 create the file NAME.ready, then wait for NAME.done (used to take
//                              screenshots from outside)
//   sleep MS
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace {

DWORD g_timeout_ms = 60000;
HWND g_target = nullptr;
DWORD g_target_process = 0;
std::vector<HWND> g_game_windows;

[[noreturn]] void fail(const std::string& what) {
  std::printf("FAIL: %s\n", what.c_str());
  std::fflush(stdout);
  for (HWND window : g_game_windows) DestroyWindow(window);
  std::exit(1);
}

const DWORD g_started = GetTickCount();

void note(const std::string& what) {
  std::printf("ok [%6.1f s]: %s\n", (GetTickCount() - g_started) / 1000.0, what.c_str());
  std::fflush(stdout);
}

std::string printable(const std::string& text) {
  std::string out;
  for (unsigned char c : text) {
    if (c >= 0x20 && c < 0x7f && c != '\\') {
      out += static_cast<char>(c);
    } else {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\x%02X", c);
      out += escape;
    }
  }
  return out;
}

std::string unescape(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == '\\') {
      out += '\\';
      ++i;
    } else if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x') {
      out += static_cast<char>(std::strtoul(text.substr(i + 2, 2).c_str(), nullptr, 16));
      i += 3;
    } else {
      out += text[i];
    }
  }
  return out;
}

// Serves this program's own windows (the game stand-ins) while waiting.
void pump(DWORD ms) {
  const DWORD end = GetTickCount() + ms;
  do {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(10);
  } while (static_cast<LONG>(end - GetTickCount()) > 0);
}

// Waits until the test holds; false at the time-out.
bool wait_for(const std::function<bool()>& test) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (test()) return true;
    if (GetTickCount() - start > g_timeout_ms) return false;
    pump(50);
  }
}

std::string window_text(HWND window) {
  char buffer[4096];
  buffer[0] = '\0';
  // Another process's controls: ask for the text, do not wait forever for an answer.
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG,
                           5000, &length)) {
    return std::string();
  }
  buffer[sizeof buffer - 1] = '\0';
  return buffer;
}

std::string class_of(HWND window) {
  char name[256] = {0};
  GetClassNameA(window, name, sizeof name);
  return name;
}

bool class_is(HWND window, const char* name) { return lstrcmpiA(class_of(window).c_str(), name) == 0; }

BOOL CALLBACK collect_child(HWND child, LPARAM data) {
  reinterpret_cast<std::vector<HWND>*>(data)->push_back(child);
  return TRUE;
}

std::vector<HWND> descendants(HWND parent) {
  std::vector<HWND> found;
  EnumChildWindows(parent, collect_child, reinterpret_cast<LPARAM>(&found));
  return found;
}

void need_target() {
  if (g_target == nullptr || !IsWindow(g_target)) fail("no target window (use: window TITLE)");
}

HWND find_control(const std::function<bool(HWND)>& match) {
  for (HWND child : descendants(g_target)) {
    if (match(child)) return child;
  }
  return nullptr;
}

HWND button_with_text(const std::string& text) {
  return find_control([&](HWND c) {
    return class_is(c, "Button") && (GetWindowLongA(c, GWL_STYLE) & 0x0F) != BS_GROUPBOX && window_text(c) == text;
  });
}

HWND browse_button() {
  return find_control([](HWND c) {
    return class_is(c, "Button") && (GetWindowLongA(c, GWL_STYLE) & 0x0F) == BS_OWNERDRAW && window_text(c).empty();
  });
}

HWND path_field() { return find_control([](HWND c) { return class_is(c, "Edit"); }); }
HWND gauge() { return find_control([](HWND c) { return class_is(c, PROGRESS_CLASSA); }); }

// Dialogs (class #32770) of the target's process; of any other process while there is no target
// (a start-up failure shows its message box before any window).
struct DialogSearch {
  DWORD process;
  std::vector<HWND> found;
};

BOOL CALLBACK collect_dialog(HWND window, LPARAM data) {
  DialogSearch* search = reinterpret_cast<DialogSearch*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  const bool wanted = search->process == 0 ? process != GetCurrentProcessId() : process == search->process;
  if (wanted && IsWindowVisible(window) && class_is(window, "#32770")) search->found.push_back(window);
  return TRUE;
}

std::vector<HWND> process_dialogs() {
  DialogSearch search{g_target_process, {}};
  EnumWindows(collect_dialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool has_tree(HWND dialog) {
  for (HWND child : descendants(dialog)) {
    if (class_is(child, "SysTreeView32")) return true;
  }
  return false;
}

std::vector<std::string> static_texts(HWND dialog) {
  std::vector<std::string> texts;
  for (HWND child : descendants(dialog)) {
    if (class_is(child, "Static")) {
      const std::string text = window_text(child);
      if (!text.empty()) texts.push_back(text);
    }
  }
  return texts;
}

void press_dialog_button(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  if (button != nullptr) {
    DWORD_PTR result;
    SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
  } else {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
  }
}

void foreground(HWND window) {
  // Windows lets a program take the foreground only in some cases; a key press of its own helps.
  if (GetForegroundWindow() != window) {
    INPUT alt[2];
    std::memset(alt, 0, sizeof alt);
    alt[0].type = alt[1].type = INPUT_KEYBOARD;
    alt[0].ki.wVk = alt[1].ki.wVk = VK_MENU;
    alt[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, alt, sizeof(INPUT));
    SetForegroundWindow(window);
    pump(200);
  }
  if (!wait_for([window] {
        if (GetForegroundWindow() == window) return true;
        SetForegroundWindow(window);
        return false;
      })) {
    fail("the window does not come to the foreground");
  }
}

void type_key(WORD key, bool shift) {
  std::vector<INPUT> inputs;
  auto add = [&inputs](WORD vk, bool up) {
    INPUT input;
    std::memset(&input, 0, sizeof input);
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(input);
  };
  if (shift) add(VK_SHIFT, false);
  add(key, false);
  add(key, true);
  if (shift) add(VK_SHIFT, true);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

HWND focused_in_target() {
  GUITHREADINFO info;
  std::memset(&info, 0, sizeof info);
  info.cbSize = sizeof info;
  const DWORD thread = GetWindowThreadProcessId(g_target, nullptr);
  if (!GetGUIThreadInfo(thread, &info)) return nullptr;
  return info.hwndFocus;
}

LRESULT CALLBACK game_procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  return DefWindowProcA(window, message, w, l);
}

bool split_two(const std::string& text, std::string& first, std::string& second) {
  const size_t at = text.find(" || ");
  if (at == std::string::npos) return false;
  first = text.substr(0, at);
  second = text.substr(at + 4);
  return true;
}

void run_step(const std::string& command, const std::string& raw_argument) {
  const std::string argument = unescape(raw_argument);
  const std::string shown = printable(argument);

  if (command == "timeout") {
    g_timeout_ms = static_cast<DWORD>(std::atof(argument.c_str()) * 1000);
  } else if (command == "sleep") {
    pump(static_cast<DWORD>(std::atoi(argument.c_str())));
  } else if (command == "window") {
    if (!wait_for([&] {
          g_target = FindWindowA(nullptr, argument.c_str());
          return g_target != nullptr && IsWindowVisible(g_target);
        })) {
      fail("no window titled \"" + shown + "\"");
    }
    GetWindowThreadProcessId(g_target, &g_target_process);
    note("window \"" + shown + "\"");
  } else if (command == "window-class") {
    if (!wait_for([&] {
          g_target = FindWindowA(argument.c_str(), nullptr);
          return g_target != nullptr && IsWindowVisible(g_target);
        })) {
      fail("no window of class \"" + shown + "\"");
    }
    GetWindowThreadProcessId(g_target, &g_target_process);
    note("window \"" + printable(window_text(g_target)) + "\"");
  } else if (command == "press") {
    need_target();
    HWND button = nullptr;
    const bool right = argument == "right";
    if (!wait_for([&] {
          button = nullptr;
          LONG best = 0;
          for (HWND c : descendants(g_target)) {
            const LONG style = GetWindowLongA(c, GWL_STYLE);
            if (!class_is(c, "Button") || (style & 0x0F) != BS_PUSHBUTTON || !IsWindowVisible(c)) continue;
            RECT r;
            GetWindowRect(c, &r);
            if (button == nullptr || (right ? r.left > best : r.left < best)) {
              button = c;
              best = r.left;
            }
          }
          return button != nullptr && IsWindowEnabled(button);
        })) {
      fail("no enabled " + argument + " button");
    }
    const std::string text = window_text(button);
    DWORD_PTR result;
    SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
    note("pressed the " + argument + " button \"" + printable(text) + "\"");
  } else if (command == "type") {
    need_target();
    HWND field = nullptr;
    if (!wait_for([&] { return (field = path_field()) != nullptr; })) fail("no path field");
    DWORD_PTR result;
    SendMessageTimeoutA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argument.c_str()), SMTO_ABORTIFHUNG, 5000,
                        &result);
    note("typed \"" + shown + "\"");
  } else if (command == "field") {
    need_target();
    std::string seen;
    if (!wait_for([&] {
          HWND field = path_field();
          seen = field ? window_text(field) : "<no path field>";
          return field != nullptr && seen == argument;
        })) {
      fail("path field holds \"" + printable(seen) + "\", expected \"" + shown + "\"");
    }
    note("path field \"" + shown + "\"");
  } else if (command == "click" || command == "browse") {
    need_target();
    HWND button = nullptr;
    const bool browse = command == "browse";
    if (!wait_for([&] {
          button = browse ? browse_button() : button_with_text(argument);
          return button != nullptr && IsWindowEnabled(button);
        })) {
      fail(browse ? std::string("no enabled browse button") : "no enabled button \"" + shown + "\"");
    }
    DWORD_PTR result;
    SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
    note(browse ? std::string("pressed browse") : "pressed \"" + shown + "\"");
  } else if (command == "enabled") {
    need_target();
    std::string text, state;
    if (!split_two(argument, text, state)) fail("enabled: TEXT || 0|1");
    const bool want = state == "1";
    if (!wait_for([&] {
          HWND button = button_with_text(text);
          return button != nullptr && (IsWindowEnabled(button) != FALSE) == want;
        })) {
      fail("button \"" + printable(text) + "\" not " + (want ? "enabled" : "disabled"));
    }
    note("button \"" + printable(text) + "\" " + (want ? "enabled" : "disabled"));
  } else if (command == "gauge") {
    need_target();
    const int want = std::atoi(argument.c_str());
    long seen = -1;
    if (!wait_for([&] {
          HWND g = gauge();
          DWORD_PTR pos = 0;
          if (g == nullptr || !SendMessageTimeoutA(g, PBM_GETPOS, 0, 0, SMTO_ABORTIFHUNG, 5000, &pos)) return false;
          seen = static_cast<long>(pos);
          return seen == want;
        })) {
      fail("gauge shows " + std::to_string(seen) + ", expected " + std::to_string(want));
    }
    note("gauge " + std::to_string(want));
  } else if (command == "client") {
    need_target();
    int w = 0, h = 0;
    std::istringstream(argument) >> w >> h;
    RECT area = {0, 0, 0, 0};
    if (!wait_for([&] {
          GetClientRect(g_target, &area);
          return area.right - area.left == w && area.bottom - area.top == h;
        })) {
      fail("client area " + std::to_string(area.right - area.left) + "x" + std::to_string(area.bottom - area.top) +
           ", expected " + std::to_string(w) + "x" + std::to_string(h));
    }
    note("client area " + std::to_string(w) + "x" + std::to_string(h));
  } else if (command == "static" || command == "nostatic") {
    need_target();
    auto shown_now = [&] {
      return find_control([&](HWND c) {
               return (class_is(c, "Static") || (class_is(c, "Button") &&
                                                 (GetWindowLongA(c, GWL_STYLE) & 0x0F) == BS_GROUPBOX)) &&
                      IsWindowVisible(c) && window_text(c) == argument;
             }) != nullptr;
    };
    if (command == "static") {
      if (!wait_for(shown_now)) fail("no text \"" + shown + "\"");
      note("text \"" + shown + "\"");
    } else {
      if (shown_now()) fail("text \"" + shown + "\" is shown");
      note("no text \"" + shown + "\"");
    }
  } else if (command == "controls") {
    need_target();
    const size_t want = static_cast<size_t>(std::atoi(argument.c_str()));
    size_t seen = 0;
    if (!wait_for([&] { return (seen = descendants(g_target).size()) == want; })) {
      fail(std::to_string(seen) + " controls, expected " + std::to_string(want));
    }
    note(std::to_string(want) + " controls");
  } else if (command == "message") {
    std::string title, body;
    if (!split_two(argument, title, body)) fail("message: TITLE || BODY");
    HWND box = nullptr;
    std::string seen;
    if (!wait_for([&] {
          for (HWND dialog : process_dialogs()) {
            if (has_tree(dialog)) continue;
            seen = "\"" + printable(window_text(dialog)) + "\":";
            for (const std::string& text : static_texts(dialog)) seen += " \"" + printable(text) + "\"";
            if (window_text(dialog) != title) continue;
            for (const std::string& text : static_texts(dialog)) {
              if (text == body) box = dialog;
            }
          }
          return box != nullptr;
        })) {
      fail("no message box \"" + printable(title) + "\" / \"" + printable(body) + "\" (seen: " + seen + ")");
    }
    press_dialog_button(box, IDOK);
    if (!wait_for([&] { return !IsWindow(box) || !IsWindowVisible(box); })) fail("message box does not close");
    note("message \"" + printable(title) + "\" / \"" + printable(body) + "\" confirmed");
  } else if (command == "folder-browser") {
    need_target();
    HWND browser = nullptr;
    if (!wait_for([&] {
          for (HWND dialog : process_dialogs()) {
            if (has_tree(dialog)) browser = dialog;
          }
          return browser != nullptr;
        })) {
      fail("no folder browser");
    }
    pump(1500);  // let the browser settle on its initial folder
    press_dialog_button(browser, argument == "ok" ? IDOK : IDCANCEL);
    if (!wait_for([&] { return !IsWindow(browser) || !IsWindowVisible(browser); })) fail("folder browser stays open");
    note("folder browser " + argument);
  } else if (command == "key") {
    need_target();
    foreground(g_target);
    if (argument == "tab") type_key(VK_TAB, false);
    else if (argument == "shift-tab") type_key(VK_TAB, true);
    else if (argument == "escape") type_key(VK_ESCAPE, false);
    else fail("unknown key " + shown);
    note("key " + shown);
  } else if (command == "focus") {
    need_target();
    std::string seen;
    if (!wait_for([&] {
          HWND focus = focused_in_target();
          if (focus == nullptr) {
            seen = "<none>";
            return false;
          }
          if (class_is(focus, "Edit")) seen = "<edit>";
          else if (focus == browse_button()) seen = "<browse>";
          else seen = window_text(focus);
          return seen == argument;
        })) {
      fail("focus on \"" + printable(seen) + "\", expected \"" + shown + "\"");
    }
    note("focus \"" + shown + "\"");
  } else if (command == "close") {
    need_target();
    PostMessageA(g_target, WM_SYSCOMMAND, SC_CLOSE, 0);
    note("close requested");
  } else if (command == "gone") {
    if (g_target != nullptr && !wait_for([&] { return !IsWindow(g_target); })) fail("the window is still there");
    note("window gone");
  } else if (command == "game-window") {
    static bool registered = false;
    if (!registered) {
      WNDCLASSA game_class;
      std::memset(&game_class, 0, sizeof game_class);
      game_class.lpfnWndProc = game_procedure;
      game_class.hInstance = GetModuleHandleA(nullptr);
      game_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
      game_class.lpszClassName = "TriveloGameStandIn";
      RegisterClassA(&game_class);
      registered = true;
    }
    HWND game = CreateWindowExA(0, "TriveloGameStandIn", argument.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20,
                                200, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (game == nullptr) fail("cannot open a window titled \"" + shown + "\"");
    g_game_windows.push_back(game);
    pump(200);
    note("game window \"" + shown + "\"");
  } else if (command == "close-game-windows") {
    for (HWND window : g_game_windows) DestroyWindow(window);
    g_game_windows.clear();
    pump(200);
    note("game windows closed");
  } else if (command == "pause") {
    const std::string ready = argument + ".ready";
    const std::string done = argument + ".done";
    std::ofstream(ready.c_str()) << "ready\n";
    if (!wait_for([&] { return GetFileAttributesA(done.c_str()) != INVALID_FILE_ATTRIBUTES; })) {
      fail("nobody answered " + shown);
    }
    note("paused at " + shown);
  } else {
    fail("unknown step \"" + command + "\"");
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::printf("usage: trivelo_automation SCRIPT\n");
    return 2;
  }
  std::ifstream script(argv[1], std::ios::binary);
  if (!script) fail(std::string("cannot read ") + argv[1]);
  std::string line;
  while (std::getline(script, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const size_t space = line.find(' ');
    const std::string command = line.substr(0, space);
    const std::string argument = space == std::string::npos ? std::string() : line.substr(space + 1);
    run_step(command, argument);
  }
  for (HWND window : g_game_windows) DestroyWindow(window);
  note("script done");
  return 0;
}
