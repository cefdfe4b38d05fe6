#include "shell.h"

#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <uxtheme.h>
#include <vssym32.h>

#include <algorithm>
#include <cstring>

#include "messages.h"

namespace trivelo::win {

namespace {

constexpr const char* kMainClass = "TriveloExtensionWindow";
constexpr const char* kPanelClass = "TriveloExtensionPanel";
constexpr DWORD kMainStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kMainExStyle = 0;

// Posted to the main window so that the event loop wakes up for an event raised inside a window
// procedure (a control notification or a close request sent to the window).
constexpr UINT kWakeMessage = WM_APP + 1;
// Commands of the accelerator table.
constexpr WORD kCommandNext = 1;
constexpr WORD kCommandPrevious = 2;

WindowsShell* g_shell = nullptr;
WNDPROC g_static_procedure = nullptr;

// Optional theme functions (uxtheme.dll), looked up at run time.
struct Theme {
  HMODULE module = nullptr;
  BOOL(WINAPI* is_app_themed)() = nullptr;
  HTHEME(WINAPI* open)(HWND, LPCWSTR) = nullptr;
  HRESULT(WINAPI* close)(HTHEME) = nullptr;
  HRESULT(WINAPI* draw_background)(HTHEME, HDC, int, int, const RECT*, const RECT*) = nullptr;
  HRESULT(WINAPI* draw_parent_background)(HWND, HDC, const RECT*) = nullptr;
  BOOL(WINAPI* partially_transparent)(HTHEME, int, int) = nullptr;

  template <typename F>
  void find(F& function, const char* name) {
    function = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  }
  void load() {
    module = LoadLibraryA("uxtheme.dll");
    if (module == nullptr) return;
    find(is_app_themed, "IsAppThemed");
    find(open, "OpenThemeData");
    find(close, "CloseThemeData");
    find(draw_background, "DrawThemeBackground");
    find(draw_parent_background, "DrawThemeParentBackground");
    find(partially_transparent, "IsThemeBackgroundPartiallyTransparent");
  }
  void free() {
    if (module != nullptr) FreeLibrary(module);
    *this = Theme{};
  }
} g_theme;

// The common controls draw with visual styles only from version 6 on, and only while the user has
// a theme.
bool application_themed() {
  if (g_theme.is_app_themed == nullptr || !g_theme.is_app_themed()) return false;
  HMODULE comctl = GetModuleHandleA("comctl32.dll");
  if (comctl == nullptr) return false;
  auto get_version = reinterpret_cast<DLLGETVERSIONPROC>(reinterpret_cast<void*>(GetProcAddress(comctl, "DllGetVersion")));
  if (get_version == nullptr) return false;
  DLLVERSIONINFO version;
  std::memset(&version, 0, sizeof version);
  version.cbSize = sizeof version;
  return SUCCEEDED(get_version(&version)) && version.dwMajorVersion >= 6;
}

// The owner of a message box or of the folder browser: the foreground window when it is ours.
HWND modal_owner() {
  HWND foreground = GetForegroundWindow();
  if (foreground == nullptr) return nullptr;
  DWORD process = 0;
  GetWindowThreadProcessId(foreground, &process);
  return process == GetCurrentProcessId() ? foreground : nullptr;
}

// While a modal box is open, the thread's other top-level windows take no input: every visible,
// enabled one that is not the foreground window is disabled and, if topmost, made non-topmost;
// both are undone when the box has closed.
class ModalGuard {
 public:
  ModalGuard() {
    foreground_ = GetForegroundWindow();
    EnumThreadWindows(GetCurrentThreadId(), &ModalGuard::visit, reinterpret_cast<LPARAM>(this));
    for (HWND window : disabled_) EnableWindow(window, FALSE);
    for (HWND window : untopped_) {
      SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
  ~ModalGuard() {
    for (HWND window : untopped_) {
      if (IsWindow(window)) SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    for (HWND window : disabled_) {
      if (IsWindow(window)) EnableWindow(window, TRUE);
    }
  }
  ModalGuard(const ModalGuard&) = delete;
  ModalGuard& operator=(const ModalGuard&) = delete;

 private:
  static BOOL CALLBACK visit(HWND window, LPARAM data) {
    ModalGuard* guard = reinterpret_cast<ModalGuard*>(data);
    if (window != guard->foreground_ && IsWindowVisible(window) && IsWindowEnabled(window)) {
      guard->disabled_.push_back(window);
      if (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) guard->untopped_.push_back(window);
    }
    return TRUE;
  }
  HWND foreground_ = nullptr;
  std::vector<HWND> disabled_;
  std::vector<HWND> untopped_;
};

int CALLBACK browse_callback(HWND dialog, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED) {
    // The tree is still being filled when the dialog opens: select the folder now and once more
    // a little later, when the selection sticks.
    SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, data);
    Sleep(200);
    PostMessageA(dialog, BFFM_SETSELECTIONA, TRUE, data);
  }
  return 0;
}

using BrowseFunction = PIDLIST_ABSOLUTE(WINAPI*)(LPBROWSEINFOA);
using PathFunction = BOOL(WINAPI*)(PCIDLIST_ABSOLUTE, LPSTR);

}  // namespace

std::string browse_start_folder(const std::string& initial) {
  std::string start = initial.substr(0, std::min<size_t>(initial.size(), MAX_PATH - 1));
  if (start.size() > 3 && start.back() == '\\') start.pop_back();
  return start;
}

std::string browse_result(const char* path) {
  std::string result = path;
  if (result.empty() || result.back() != '\\') result += '\\';
  return result;
}

WindowsShell::~WindowsShell() {
  if (g_shell == this) g_shell = nullptr;
}

int WindowsShell::run() {
  g_shell = this;

  INITCOMMONCONTROLSEX controls;
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&controls);
  com_initialised_ = SUCCEEDED(CoInitialize(nullptr));
  font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  alpha_blend_load();
  g_theme.load();

  flow_.prepare();

  if (!open_main_window()) {
    show_message(kFailureTitle, kCantOpenWindow, MessageKind::InstallFailed);
    shutdown();
    return 0;
  }

  // Both pictures are tried, the browse button's first, so that one failure shows for both.
  browse_picture_ = Picture::load("data\\file_select.png");
  logo_picture_ = Picture::load("data\\install.png");
  const bool logo_placed = logo_picture_ != nullptr && create_logo();
  if (browse_picture_ == nullptr || !logo_placed) {
    show_message(kFailureTitle, kCantAddLogo, MessageKind::InstallFailed);
    shutdown();
    return 0;
  }

  flow_.begin(*this);
  ShowWindow(main_, SW_SHOWNORMAL);
  SetActiveWindow(main_);

  event_loop();
  shutdown();
  return 0;
}

bool WindowsShell::register_classes() {
  WNDCLASSA main_class;
  std::memset(&main_class, 0, sizeof main_class);
  main_class.style = CS_DBLCLKS;
  main_class.lpfnWndProc = &WindowsShell::main_procedure;
  main_class.hInstance = instance_;
  main_class.hIcon = LoadIconA(instance_, MAKEINTRESOURCEA(1));
  main_class.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  main_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  main_class.lpszClassName = kMainClass;
  if (!RegisterClassA(&main_class)) return false;

  WNDCLASSEXA panel_class;
  std::memset(&panel_class, 0, sizeof panel_class);
  panel_class.cbSize = sizeof panel_class;
  panel_class.lpfnWndProc = &WindowsShell::panel_procedure;
  panel_class.hInstance = instance_;
  panel_class.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
  panel_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  panel_class.lpszClassName = kPanelClass;
  if (!RegisterClassExA(&panel_class)) {
    UnregisterClassA(kMainClass, instance_);
    return false;
  }
  classes_registered_ = true;
  return true;
}

bool WindowsShell::open_main_window() {
  if (!register_classes()) return false;

  RECT outer = {0, 0, kClientWidth, kClientHeightAtCreation};
  AdjustWindowRectEx(&outer, kMainStyle, FALSE, kMainExStyle);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  main_ = CreateWindowExA(kMainExStyle, kMainClass, flow_.window_title().c_str(), kMainStyle, 0, 0, width, height,
                          nullptr, nullptr, instance_, nullptr);
  if (main_ == nullptr) return false;

  // Centred on the primary screen; the later changes of height keep this top-left corner.
  const int screen_width = GetSystemMetrics(SM_CXSCREEN);
  const int screen_height = GetSystemMetrics(SM_CYSCREEN);
  const int x = (screen_width - std::min(screen_width, width)) / 2;
  const int y = (screen_height - std::min(screen_height, height)) / 2;
  SetWindowPos(main_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

  ACCEL keys[2];
  keys[0].fVirt = FVIRTKEY;
  keys[0].key = VK_TAB;
  keys[0].cmd = kCommandNext;
  keys[1].fVirt = FVIRTKEY | FSHIFT;
  keys[1].key = VK_TAB;
  keys[1].cmd = kCommandPrevious;
  accelerators_ = CreateAcceleratorTableA(keys, 2);
  return true;
}

bool WindowsShell::create_logo() {
  logo_ = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 0, 0, 440, 120, main_, nullptr,
                          instance_, nullptr);
  if (logo_ == nullptr) return false;
  // The static control paints nothing itself: the picture is drawn over the window background.
  g_static_procedure = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(logo_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowsShell::logo_procedure)));
  // Setting the picture gives the control the picture's own size.
  SetWindowPos(logo_, nullptr, 0, 0, logo_picture_->width(), logo_picture_->height(),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(logo_, nullptr, TRUE);
  return true;
}

HWND WindowsShell::make_control(const char* window_class, const char* text, DWORD style, DWORD ex_style, int x,
                                int y, int w, int h, HWND parent) {
  HWND control = CreateWindowExA(ex_style, window_class, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                                 nullptr, instance_, nullptr);
  if (control != nullptr) {
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    focus_order_.push_back(control);
  }
  return control;
}

void WindowsShell::destroy_screen() {
  // Destroying a panel destroys its children.
  for (HWND* control : {&panel_, &frame_, &row_}) {
    if (*control != nullptr) DestroyWindow(*control);
    *control = nullptr;
  }
  left_ = gauge_ = right_ = path_ = browse_ = nullptr;
  focus_order_.clear();
}

void WindowsShell::set_client_height(int height) {
  RECT outer = {0, 0, kClientWidth, height};
  AdjustWindowRectEx(&outer, kMainStyle, FALSE, kMainExStyle);
  SetWindowPos(main_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void WindowsShell::show_screen(int screen, const Liste& catalogue) {
  if (main_ == nullptr) return;
  destroy_screen();
  const auto text = [&catalogue](uint32_t n) { return message(catalogue, n).c_str(); };
  const DWORD info_style = SS_CENTER | SS_NOPREFIX | WS_GROUP;
  const DWORD push_style = BS_PUSHBUTTON | WS_GROUP | WS_TABSTOP;
  int row_top;
  int client_height;

  if (screen == kScreenDone) {
    panel_ = make_control(kPanelClass, "", 0, 0, 5, 130, 430, 35, main_);
    make_control("Static", text(11), info_style, 0, 5, 10, 430, 24, panel_);
    frame_ = make_control("Button", text(37), BS_GROUPBOX | WS_GROUP, 0, 5, 130, 430, 35, main_);
    row_top = 175;
    client_height = kClientHeightScreen2;
  } else {
    panel_ = make_control(kPanelClass, "", 0, 0, 5, 130, 430, 90, main_);
    make_control("Static", text(4), info_style, 0, 5, 10, 430, 24, panel_);
    make_control("Static", text(5), info_style, 0, 5, 22, 430, 24, panel_);
    make_control("Static", text(6), info_style, 0, 5, 34, 430, 24, panel_);
    make_control("Static", text(7), SS_LEFT | SS_NOPREFIX | WS_GROUP, 0, 5, 64, 80, 24, panel_);
    path_ = make_control("Edit", "", ES_AUTOHSCROLL | WS_GROUP | WS_TABSTOP, WS_EX_CLIENTEDGE, 90, 58, 298, 24, panel_);
    // Owner-drawn: the face shows the browse picture.
    browse_ = make_control("BUTTON", "", WS_TABSTOP | BS_OWNERDRAW, 0, 393, 55, 28, 30, panel_);
    frame_ = make_control("Button", text(8), BS_GROUPBOX | WS_GROUP, 0, 5, 130, 430, 90, main_);
    row_top = 228;
    client_height = kClientHeightScreen1;
  }
  // The frame has the panel's rectangle: it is drawn after the panel, so its border and title
  // stay visible around the panel's controls.
  if (frame_ != nullptr && panel_ != nullptr) {
    SetWindowPos(frame_, panel_, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  row_ = make_control(kPanelClass, "", 0, 0, 5, row_top, 430, 24, main_);
  left_ = make_control("Button", text(2), push_style, 0, 0, 0, 102, 24, row_);
  gauge_ = make_control(PROGRESS_CLASSA, "", 0, 0, 107, 0, 216, 24, row_);
  if (gauge_ != nullptr) SendMessageA(gauge_, PBM_SETRANGE32, 0, 100);
  right_ = make_control("Button", text(screen == kScreenDone ? 12 : 3), push_style, 0, 328, 0, 102, 24, row_);

  screen_ = screen == kScreenDone ? kScreenDone : kScreenChooseFolder;
  set_gauge(screen_ == kScreenDone ? 100 : 5);
  if (left_ != nullptr) EnableWindow(left_, TRUE);
  set_client_height(client_height);
}

void WindowsShell::set_gauge(int value) {
  if (gauge_ == nullptr) return;
  SendMessageA(gauge_, PBM_SETPOS, static_cast<WPARAM>(value), 0);
  // An installation runs without serving the event loop: draw now.
  UpdateWindow(gauge_);
}

void WindowsShell::set_busy(bool on) {
  if (left_ != nullptr) EnableWindow(left_, on ? FALSE : TRUE);
  if (right_ != nullptr) EnableWindow(right_, on ? FALSE : TRUE);
}

std::string WindowsShell::read_path_field() {
  if (path_ == nullptr) return std::string();
  const int length = GetWindowTextLengthA(path_);
  if (length <= 0) return std::string();
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(path_, &text[0], length + 1);
  text.resize(static_cast<size_t>(std::max(copied, 0)));
  return text;
}

void WindowsShell::write_path_field(const std::string& text) {
  if (path_ != nullptr) SetWindowTextA(path_, text.c_str());
}

std::optional<std::string> WindowsShell::ask_for_folder(const std::string& title, const std::string& initial) {
  HMODULE shell32 = LoadLibraryA("shell32.dll");
  if (shell32 == nullptr) return std::nullopt;
  auto browse = reinterpret_cast<BrowseFunction>(reinterpret_cast<void*>(GetProcAddress(shell32, "SHBrowseForFolderA")));
  auto path_of = reinterpret_cast<PathFunction>(reinterpret_cast<void*>(GetProcAddress(shell32, "SHGetPathFromIDListA")));
  if (browse == nullptr || path_of == nullptr) {
    FreeLibrary(shell32);
    return std::nullopt;
  }

  char start[MAX_PATH];
  const std::string start_folder = browse_start_folder(initial);
  std::memcpy(start, start_folder.c_str(), start_folder.size() + 1);

  BROWSEINFOA info;
  std::memset(&info, 0, sizeof info);
  info.hwndOwner = modal_owner();
  info.pidlRoot = nullptr;
  info.pszDisplayName = nullptr;
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_EDITBOX | BIF_NEWDIALOGSTYLE;
  info.lpfn = browse_callback;
  info.lParam = reinterpret_cast<LPARAM>(start);

  std::optional<std::string> result;
  {
    ModalGuard guard;
    PIDLIST_ABSOLUTE chosen = browse(&info);
    if (chosen != nullptr) {
      char path[MAX_PATH];
      path[0] = '\0';
      // A choice without a file-system path (a virtual folder) gives nothing, as a cancel does.
      if (path_of(chosen, path) && path[0] != '\0') result = browse_result(path);
      CoTaskMemFree(chosen);
    }
  }
  FreeLibrary(shell32);
  return result;
}

void WindowsShell::show_message(const std::string& title, const std::string& body, MessageKind) {
  HWND owner = modal_owner();
  ModalGuard guard;
  MessageBoxA(owner, body.c_str(), title.c_str(), MB_OK);
}

void WindowsShell::queue_event(Event event) {
  pending_.push_back(event);
  if (main_ != nullptr) PostMessageA(main_, kWakeMessage, 0, 0);
}

void WindowsShell::event_loop() {
  MSG message;
  while (!quit_) {
    if (!pending_.empty()) {
      const Event event = pending_.front();
      pending_.pop_front();
      quit_ = flow_.handle_event(event);
      continue;
    }
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0 || got == -1) break;
    if (message.hwnd == main_ && message.message == kWakeMessage) continue;
    if (message.hwnd == main_ && message.message == WM_CLOSE) {
      queue_event(Event::Close);
      continue;
    }
    if (accelerators_ == nullptr || !TranslateAcceleratorA(main_, accelerators_, &message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    // Every other message: has Escape been pressed since the last look?
    if (GetAsyncKeyState(VK_ESCAPE) & 1) quit_ = flow_.handle_event(Event::Escape);
  }
}

void WindowsShell::shutdown() {
  if (main_ != nullptr) {
    destroy_screen();
    DestroyWindow(main_);
    main_ = nullptr;
    logo_ = nullptr;
  }
  if (classes_registered_) {
    UnregisterClassA(kMainClass, instance_);
    UnregisterClassA(kPanelClass, instance_);
    classes_registered_ = false;
  }
  browse_picture_.reset();
  flow_.finish();
  logo_picture_.reset();
  if (accelerators_ != nullptr) DestroyAcceleratorTable(accelerators_);
  accelerators_ = nullptr;
  alpha_blend_free();
  g_theme.free();
  if (com_initialised_) CoUninitialize();
  com_initialised_ = false;
}

void WindowsShell::move_focus(bool forward) {
  std::vector<HWND> stops;
  for (HWND control : focus_order_) {
    if ((GetWindowLongA(control, GWL_STYLE) & WS_TABSTOP) && IsWindowVisible(control) && IsWindowEnabled(control)) {
      stops.push_back(control);
    }
  }
  if (stops.empty()) return;
  HWND focus = GetFocus();
  auto at = std::find_if(stops.begin(), stops.end(), [focus](HWND c) { return c == focus || IsChild(c, focus); });
  size_t next;
  if (at == stops.end()) {
    next = forward ? 0 : stops.size() - 1;
  } else {
    const size_t index = static_cast<size_t>(at - stops.begin());
    next = forward ? (index + 1) % stops.size() : (index + stops.size() - 1) % stops.size();
  }
  SetFocus(stops[next]);
  // An edit field reached with the keyboard has its text selected, as in a dialog.
  char window_class[16] = {0};
  GetClassNameA(stops[next], window_class, sizeof window_class);
  if (lstrcmpiA(window_class, "Edit") == 0) SendMessageA(stops[next], EM_SETSEL, 0, -1);
}

void WindowsShell::draw_browse_button(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT face = item.rcItem;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;
  int inset = 2;
  bool drawn = false;
  if (application_themed() && g_theme.open && g_theme.draw_background && g_theme.close) {
    HTHEME theme = g_theme.open(item.hwndItem, L"BUTTON");
    if (theme != nullptr) {
      const int state = disabled ? PBS_DISABLED : pressed ? PBS_PRESSED : PBS_NORMAL;
      if (g_theme.partially_transparent && g_theme.draw_parent_background &&
          g_theme.partially_transparent(theme, BP_PUSHBUTTON, state)) {
        g_theme.draw_parent_background(item.hwndItem, dc, &item.rcItem);
      }
      g_theme.draw_background(theme, dc, BP_PUSHBUTTON, state, &item.rcItem, nullptr);
      g_theme.close(theme);
      inset = 4;
      drawn = true;
    }
  }
  if (!drawn) {
    RECT frame = item.rcItem;
    DrawFrameControl(dc, &frame, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0) | (disabled ? DFCS_INACTIVE : 0));
  }
  InflateRect(&face, -inset, -inset);
  if (browse_picture_ != nullptr) {
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, face.left, face.top, face.right, face.bottom);
    const int shift = pressed ? 1 : 0;
    const int x = face.left + ((face.right - face.left) - browse_picture_->width()) / 2 + shift;
    const int y = face.top + ((face.bottom - face.top) - browse_picture_->height()) / 2 + shift;
    browse_picture_->draw(dc, x, y);
    RestoreDC(dc, saved);
  }
  if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &face);
}

LRESULT CALLBACK WindowsShell::main_procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (g_shell != nullptr) return g_shell->on_main_message(window, message, w, l);
  return DefWindowProcA(window, message, w, l);
}

LRESULT WindowsShell::on_main_message(HWND window, UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_CLOSE:
      // A close request never destroys the window: it is the close event.
      queue_event(Event::Close);
      return 0;
    case WM_COMMAND: {
      HWND from = reinterpret_cast<HWND>(l);
      if (from == nullptr && HIWORD(w) == 1) {
        if (LOWORD(w) == kCommandNext) move_focus(true);
        if (LOWORD(w) == kCommandPrevious) move_focus(false);
        return 0;
      }
      // The notification code is not looked at; other controls' notifications are ignored.
      if (from != nullptr && from == left_) queue_event(Event::LeftButton);
      else if (from != nullptr && from == right_) queue_event(Event::RightButton);
      else if (from != nullptr && from == browse_) queue_event(Event::Browse);
      return 0;
    }
    case WM_DRAWITEM: {
      const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(l);
      if (item != nullptr && item->hwndItem == browse_ && browse_ != nullptr) {
        draw_browse_button(*item);
        return TRUE;
      }
      break;
    }
    case kWakeMessage:
      // Taken by a modal box's own loop: the pending event waits for the event loop.
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, w, l);
}

LRESULT CALLBACK WindowsShell::panel_procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_COMMAND:
    case WM_DRAWITEM:
    case WM_NOTIFY: {
      // The panel's children notify the main window exactly as its own children do.
      HWND top = GetAncestor(window, GA_ROOT);
      if (top != nullptr && top != window) return SendMessageA(top, message, w, l);
      break;
    }
    default:
      break;
  }
  return DefWindowProcA(window, message, w, l);
}

LRESULT CALLBACK WindowsShell::logo_procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      RECT area;
      GetClientRect(window, &area);
      FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
      if (g_shell != nullptr && g_shell->logo_picture_ != nullptr) g_shell->logo_picture_->draw(dc, 0, 0);
      EndPaint(window, &paint);
      return 0;
    }
    default:
      break;
  }
  return g_static_procedure != nullptr ? CallWindowProcA(g_static_procedure, window, message, w, l)
                                       : DefWindowProcA(window, message, w, l);
}

}  // namespace trivelo::win
