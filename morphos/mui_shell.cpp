// The MUI front end: building the window and its two screens, exchanging them, and the front-end
// operations the installer calls.
#include "mui_shell.h"

#include <exec/types.h>
#include <libraries/mui.h>
#include <proto/exec.h>
#include <proto/intuition.h>
#include <proto/muimaster.h>

#include "fichiers_amiga.h"
#include "messages.h"
#include "platform.h"

namespace trivelo {

namespace {

const char kVersion[] = "$VER: Trivelo_Extension_MorphOS 1.00 2016.09.24";
const char kCopyright[] = "Copyright 2016 Felgrove";
const char kAuthor[] = "Felgrove";
const char kDescription[] = "Quiz Game";
const char kBase[] = "Trivelo Zelto / Add-on";
const char kLogo[] = "5:data/install.png";
const char kGaugeText[] = "%ld %%";

const ULONG kWindowId = 0x494E5354;  // 'I' 'N' 'S' 'T'

// MUI's text engine centres what follows this sequence.
const char kCentre[] = "\033c";

}  // namespace

std::string format_escaped(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    out += c;
    if (c == '%') out += '%';
  }
  return out;
}

Object* MuiShell::build_root() {
  root_ = MUI_NewObject(MUIC_Group,
                        MUIA_InnerLeft, 10,
                        MUIA_InnerRight, 10,
                        MUIA_InnerTop, 10,
                        MUIA_InnerBottom, 10,
                        MUIA_Group_Spacing, 5,
                        MUIA_Group_Child, MUI_NewObject(MUIC_Image,
                                                        MUIA_Image_Spec, kLogo,
                                                        MUIA_Image_FreeHoriz, TRUE,
                                                        MUIA_Image_FreeVert, TRUE,
                                                        MUIA_FixHeight, 120,
                                                        MUIA_FixWidth, 448,
                                                        TAG_DONE),
                        TAG_DONE);
  return root_;
}

Object* MuiShell::build_window(const char* title, struct Screen* screen) {
  window_ = MUI_NewObject(MUIC_Window,
                          MUIA_Window_Title, title,
                          MUIA_Window_ID, kWindowId,
                          MUIA_Window_Width, 448,
                          MUIA_Window_Height, 380,
                          MUIA_Window_LeftEdge, MUIV_Window_LeftEdge_Centered,
                          MUIA_Window_CloseGadget, TRUE,
                          MUIA_Window_SizeGadget, FALSE,
                          MUIA_Window_DepthGadget, TRUE,
                          MUIA_Window_DragBar, TRUE,
                          MUIA_Window_Activate, TRUE,
                          MUIA_Window_Screen, screen,
                          MUIA_Window_RootObject, root_,
                          TAG_DONE);
  if (window_ == nullptr) root_ = nullptr;  // disposed by MUI with the window
  return window_;
}

Object* MuiShell::build_application(const char* title) {
  app_ = MUI_NewObject(MUIC_Application,
                       MUIA_Application_Title, title,
                       MUIA_Application_Version, kVersion,
                       MUIA_Application_Copyright, kCopyright,
                       MUIA_Application_Author, kAuthor,
                       MUIA_Application_Description, kDescription,
                       MUIA_Application_Base, kBase,
                       MUIA_Application_Window, window_,
                       TAG_DONE);
  if (app_ == nullptr) window_ = root_ = nullptr;  // disposed by MUI with the application
  return app_;
}

void MuiShell::open_window() { SetAttrs(window_, MUIA_Window_Open, TRUE, TAG_DONE); }

void MuiShell::notify_close_request() {
  DoMethod(window_, MUIM_Notify, MUIA_Window_CloseRequest, TRUE, app_, 2, MUIM_Application_ReturnID, kIdClose);
}

ULONG MuiShell::input(ULONG* signals) { return DoMethod(app_, MUIM_Application_Input, signals); }

void MuiShell::dispose() {
  if (app_ != nullptr) MUI_DisposeObject(app_);
  app_ = window_ = root_ = nullptr;
  screen_group_ = button_row_ = left_ = gauge_ = right_ = path_ = browse_ = nullptr;
}

Object* MuiShell::build_button_row(LONG gauge, const char* right_label, const char* left_label) {
  left_ = static_cast<Object*>(MUI_MakeObject(MUIO_Button, left_label));
  gauge_ = MUI_NewObject(MUIC_Gauge,
                         MUIA_Frame, MUIV_Frame_Gauge,
                         MUIA_Gauge_Horiz, TRUE,
                         MUIA_Gauge_Max, 100,
                         MUIA_Gauge_Current, gauge,
                         MUIA_Gauge_InfoText, kGaugeText,
                         TAG_DONE);
  right_ = static_cast<Object*>(MUI_MakeObject(MUIO_Button, right_label));
  return MUI_NewObject(MUIC_Group,
                       MUIA_Group_Horiz, TRUE,
                       MUIA_Group_Child, left_,
                       MUIA_Group_Child, gauge_,
                       MUIA_Group_Child, right_,
                       TAG_DONE);
}

bool MuiShell::build_screen(int screen, const Liste& catalogue) {
  if (screen == kScreenChooseFolder) {
    // The MorphOS window shows message 4 only (messages 5 and 6 are for the wider Windows window).
    // Text.mui keeps its own copy of the contents: the temporary text goes when this block ends.
    std::string intro = std::string(kCentre) + message(catalogue, 4) + "\n";
    Object* text = MUI_NewObject(MUIC_Text,
                                 MUIA_Frame, MUIV_Frame_Text,
                                 MUIA_Background, MUII_TextBack,
                                 MUIA_Text_Contents, intro.c_str(),
                                 TAG_DONE);
    Object* label = static_cast<Object*>(MUI_MakeObject(MUIO_Label, message(catalogue, 7).c_str(), 0));
    path_ = MUI_NewObject(MUIC_String,
                          MUIA_Frame, MUIV_Frame_String,
                          MUIA_String_MaxLen, kPathBufferSize,
                          MUIA_String_Contents, "",
                          TAG_DONE);
    browse_ = MUI_NewObject(MUIC_Image,
                            MUIA_Frame, MUIV_Frame_ImageButton,
                            MUIA_Image_Spec, MUII_PopFile,
                            MUIA_InputMode, MUIV_InputMode_RelVerify,
                            TAG_DONE);
    Object* path_line = MUI_NewObject(MUIC_Group,
                                      MUIA_Group_Horiz, TRUE,
                                      MUIA_Group_Child, label,
                                      MUIA_Group_Child, path_,
                                      MUIA_Group_Child, browse_,
                                      TAG_DONE);
    screen_group_ = MUI_NewObject(MUIC_Group,
                                  MUIA_Frame, MUIV_Frame_Group,
                                  MUIA_FrameTitle, message(catalogue, 8).c_str(),
                                  MUIA_Background, MUII_GroupBack,
                                  MUIA_Group_Child, text,
                                  MUIA_Group_Child, path_line,
                                  TAG_DONE);
    button_row_ = build_button_row(5, message(catalogue, 3).c_str(), message(catalogue, 2).c_str());
  } else {
    std::string done = std::string(kCentre) + message(catalogue, 11);
    Object* text = MUI_NewObject(MUIC_Text,
                                 MUIA_Frame, MUIV_Frame_Text,
                                 MUIA_Background, MUII_TextBack,
                                 MUIA_Text_Contents, done.c_str(),
                                 TAG_DONE);
    path_ = browse_ = nullptr;
    screen_group_ = MUI_NewObject(MUIC_Group,
                                  MUIA_Frame, MUIV_Frame_Group,
                                  MUIA_FrameTitle, message(catalogue, 10).c_str(),
                                  MUIA_Background, MUII_GroupBack,
                                  MUIA_Group_Child, text,
                                  TAG_DONE);
    button_row_ = build_button_row(100, message(catalogue, 12).c_str(), message(catalogue, 2).c_str());
  }

  if (screen_group_ == nullptr || button_row_ == nullptr) {
    // A group that could not be made took its children with it; the other one goes too.
    if (screen_group_ != nullptr) MUI_DisposeObject(screen_group_);
    if (button_row_ != nullptr) MUI_DisposeObject(button_row_);
    screen_group_ = button_row_ = left_ = gauge_ = right_ = path_ = browse_ = nullptr;
    return false;
  }
  return true;
}

void MuiShell::put_screen() {
  if (!DoMethod(root_, MUIM_Group_InitChange)) {
    MUI_DisposeObject(screen_group_);
    MUI_DisposeObject(button_row_);
    screen_group_ = button_row_ = left_ = gauge_ = right_ = path_ = browse_ = nullptr;
    return;
  }
  DoMethod(root_, OM_ADDMEMBER, screen_group_);
  DoMethod(root_, OM_ADDMEMBER, button_row_);
  DoMethod(root_, MUIM_Group_ExitChange);

  // The actions start when a button is pressed down.
  if (browse_ != nullptr) {
    DoMethod(browse_, MUIM_Notify, MUIA_Pressed, TRUE, app_, 2, MUIM_Application_ReturnID, kIdBrowse);
  }
  DoMethod(left_, MUIM_Notify, MUIA_Pressed, TRUE, app_, 2, MUIM_Application_ReturnID, kIdLeft);
  DoMethod(right_, MUIM_Notify, MUIA_Pressed, TRUE, app_, 2, MUIM_Application_ReturnID, kIdRight);
}

void MuiShell::take_screen() {
  if (screen_group_ == nullptr) return;
  if (!DoMethod(root_, MUIM_Group_InitChange)) return;
  DoMethod(root_, OM_REMMEMBER, screen_group_);
  MUI_DisposeObject(screen_group_);
  DoMethod(root_, OM_REMMEMBER, button_row_);
  MUI_DisposeObject(button_row_);
  DoMethod(root_, MUIM_Group_ExitChange);
  screen_group_ = button_row_ = left_ = gauge_ = right_ = path_ = browse_ = nullptr;
}

void MuiShell::show_screen(int screen, const Liste& catalogue) {
  if (root_ == nullptr) return;
  take_screen();
  if (screen_group_ != nullptr) return;  // the old screen could not be taken away
  if (build_screen(screen, catalogue)) put_screen();
}

void MuiShell::set_gauge(int value) {
  if (gauge_ != nullptr) SetAttrs(gauge_, MUIA_Gauge_Current, value, TAG_DONE);
}

void MuiShell::set_busy(bool on) {
  if (app_ != nullptr) SetAttrs(app_, MUIA_Application_Sleep, on ? TRUE : FALSE, TAG_DONE);
}

std::string MuiShell::read_path_field() {
  ULONG contents = 0;
  if (path_ == nullptr || !GetAttr(MUIA_String_Contents, path_, &contents) || contents == 0) return std::string();
  return std::string(reinterpret_cast<const char*>(contents));
}

void MuiShell::write_path_field(const std::string& text) {
  if (path_ != nullptr) SetAttrs(path_, MUIA_String_Contents, text.c_str(), TAG_DONE);
}

std::optional<std::string> MuiShell::ask_for_folder(const std::string& title, const std::string& initial) {
  std::string drawer;
  if (!dossierdemander(title.c_str(), initial.c_str(), drawer)) return std::nullopt;
  return drawer;
}

void MuiShell::show_message(const std::string& title, const std::string& body, MessageKind) {
  // MUI_RequestA takes the body as a format; with its per-cent signs doubled it shows as written.
  const std::string format = format_escaped(body);
  MUI_RequestA(app_, window_, 0, title.c_str(), "*OK", format.c_str(), nullptr);
}

}  // namespace trivelo
