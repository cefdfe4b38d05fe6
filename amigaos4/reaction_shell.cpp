#include "reaction_shell.h"

#include <proto/intuition.h>
#include <proto/layout.h>
#include <proto/label.h>
#include <proto/string.h>
#include <proto/glyph.h>
#include <proto/fuelgauge.h>
#include <proto/requester.h>

#include <classes/requester.h>
#include <classes/window.h>
#include <gadgets/button.h>
#include <gadgets/fuelgauge.h>
#include <gadgets/layout.h>
#include <gadgets/string.h>
#include <images/bevel.h>
#include <images/glyph.h>
#include <images/label.h>
#include <intuition/gadgetclass.h>

#include <cstdio>

#include "fichiers_amiga.h"
#include "messages.h"

using trivelo::Liste;
using trivelo::message;

namespace {

// The path field takes 2048 characters and its terminating zero.
constexpr ULONG kPathFieldChars = 2049;

STRPTR texte(const Liste& catalogue, ULONG n) { return const_cast<STRPTR>(message(catalogue, n).c_str()); }

}  // namespace

ReactionShell::ReactionShell(Object* window_object, struct Window* window, Object* root_layout, ULONG code_set)
    : window_object_(window_object), window_(window), root_layout_(root_layout), code_set_(code_set) {}

ReactionShell::~ReactionShell() { window_disposed(); }

void ReactionShell::window_disposed() {
  content_ = buttons_ = path_field_ = gauge_ = nullptr;
  if (glyph_) {
    DisposeObject(glyph_);
    glyph_ = nullptr;
  }
}

void ReactionShell::show_screen(int screen, const Liste& catalogue) {
  remove_screen();
  if (screen == trivelo::kScreenDone) {
    build_done(catalogue);
  } else {
    build_choose_folder(catalogue);
  }
}

// Removing a group from the root layout disposes it with its members; the logo control stays.
void ReactionShell::remove_screen() {
  if (!content_ && !buttons_) return;
  if (content_) IDoMethod(root_layout_, LM_REMOVECHILD, window_, content_);
  if (buttons_) IDoMethod(root_layout_, LM_REMOVECHILD, window_, buttons_);
  IDoMethod(window_object_, WM_RETHINK);
  content_ = buttons_ = path_field_ = gauge_ = nullptr;
  if (glyph_) {
    DisposeObject(glyph_);
    glyph_ = nullptr;
  }
}

Object* ReactionShell::make_gauge(LONG level) {
  return NewObject(FUELGAUGE_GetClass(), NULL,
                   GA_ID, 3,
                   FUELGAUGE_Orientation, FGORIENT_HORIZ,
                   FUELGAUGE_Min, 0,
                   FUELGAUGE_Max, 100,
                   FUELGAUGE_Level, level,
                   FUELGAUGE_Percent, TRUE,
                   FUELGAUGE_TickSize, 5,
                   FUELGAUGE_Ticks, 5,
                   FUELGAUGE_ShortTicks, TRUE,
                   TAG_DONE);
}

// Both buttons keep their minimum size; the gauge takes the rest of the row.
Object* ReactionShell::make_button_row(Object* left_button, Object* gauge, Object* right_button) {
  return NewObject(LAYOUT_GetClass(), NULL,
                   LAYOUT_CharSet, code_set_,
                   LAYOUT_HorizAlignment, LALIGN_CENTER,
                   LAYOUT_VertAlignment, LALIGN_CENTER,
                   LAYOUT_InnerSpacing, 10,
                   LAYOUT_SpaceOuter, TRUE,
                   LAYOUT_LeftSpacing, 10,
                   LAYOUT_RightSpacing, 10,
                   LAYOUT_AddChild, left_button,
                   CHILD_WeightedWidth, 0,
                   CHILD_WeightedHeight, 0,
                   LAYOUT_AddChild, gauge,
                   LAYOUT_AddChild, right_button,
                   CHILD_WeightedWidth, 0,
                   CHILD_WeightedHeight, 0,
                   TAG_DONE);
}

void ReactionShell::build_choose_folder(const Liste& catalogue) {
  Object* text_label = NewObject(LABEL_GetClass(), NULL,
                                 LABEL_Justification, LJ_CENTER,
                                 LABEL_Text, texte(catalogue, 4),
                                 LABEL_Text, "\n",
                                 TAG_DONE);
  Object* path_field = NewObject(STRING_GetClass(), NULL,
                                 GA_ID, 5,
                                 GA_RelVerify, TRUE,
                                 GA_TabCycle, TRUE,
                                 STRINGA_MaxChars, kPathFieldChars,
                                 STRINGA_TextVal, "",
                                 TAG_DONE);
  Object* path_label = NewObject(LABEL_GetClass(), NULL, LABEL_Text, texte(catalogue, 7), TAG_DONE);
  glyph_ = NewObject(GLYPH_GetClass(), NULL, GLYPH_Glyph, GLYPH_POPFILE, TAG_DONE);
  Object* browse_button = NewObject(NULL, "button.gadget",
                                    GA_ID, 6,
                                    GA_RelVerify, TRUE,
                                    GA_TabCycle, TRUE,
                                    GA_Image, glyph_,
                                    TAG_DONE);
  Object* path_row = NewObject(LAYOUT_GetClass(), NULL,
                               LAYOUT_AddChild, path_field,
                               CHILD_Label, path_label,
                               LAYOUT_AddChild, browse_button,
                               CHILD_WeightedWidth, 5,
                               CHILD_WeightedHeight, 100,
                               TAG_DONE);
  content_ = NewObject(LAYOUT_GetClass(), NULL,
                       LAYOUT_Orientation, LAYOUT_ORIENT_VERT,
                       LAYOUT_CharSet, code_set_,
                       LAYOUT_HorizAlignment, LALIGN_CENTER,
                       LAYOUT_VertAlignment, LALIGN_CENTER,
                       LAYOUT_SpaceOuter, TRUE,
                       LAYOUT_BevelStyle, BVS_GROUP,
                       LAYOUT_Label, texte(catalogue, 8),
                       LAYOUT_AddImage, text_label,
                       LAYOUT_AddChild, path_row,
                       TAG_DONE);
  // A layout that cannot be made has disposed the members it was given.
  path_field_ = content_ ? path_field : nullptr;

  Object* left_button = NewObject(NULL, "button.gadget",
                                  GA_ID, 1,
                                  GA_Text, texte(catalogue, 2),
                                  GA_Width, 50,
                                  GA_Disabled, TRUE,
                                  TAG_DONE);
  Object* gauge = make_gauge(5);
  Object* right_button = NewObject(NULL, "button.gadget",
                                   GA_ID, 4,
                                   GA_Text, texte(catalogue, 3),
                                   GA_Width, 50,
                                   GA_RelVerify, TRUE,
                                   GA_TabCycle, TRUE,
                                   TAG_DONE);
  buttons_ = make_button_row(left_button, gauge, right_button);
  gauge_ = buttons_ ? gauge : nullptr;

  attach(content_, buttons_);
}

void ReactionShell::build_done(const Liste& catalogue) {
  Object* text_label = NewObject(LABEL_GetClass(), NULL,
                                 LABEL_Justification, LJ_CENTER,
                                 LABEL_Text, "\n",
                                 LABEL_Text, texte(catalogue, 11),
                                 LABEL_Text, "\n",
                                 TAG_DONE);
  content_ = NewObject(LAYOUT_GetClass(), NULL,
                       LAYOUT_Orientation, LAYOUT_ORIENT_VERT,
                       LAYOUT_CharSet, code_set_,
                       LAYOUT_HorizAlignment, LALIGN_CENTER,
                       LAYOUT_VertAlignment, LALIGN_CENTER,
                       LAYOUT_SpaceOuter, TRUE,
                       LAYOUT_BevelStyle, BVS_GROUP,
                       LAYOUT_Label, texte(catalogue, 10),
                       LAYOUT_AddImage, text_label,
                       TAG_DONE);

  Object* left_button = NewObject(NULL, "button.gadget",
                                  GA_ID, 1,
                                  GA_Text, texte(catalogue, 2),
                                  GA_Width, 50,
                                  GA_RelVerify, TRUE,
                                  GA_TabCycle, TRUE,
                                  TAG_DONE);
  Object* gauge = make_gauge(100);
  Object* right_button = NewObject(NULL, "button.gadget",
                                   GA_ID, 4,
                                   GA_Text, texte(catalogue, 12),
                                   GA_Width, 50,
                                   GA_RelVerify, TRUE,
                                   GA_TabCycle, TRUE,
                                   TAG_DONE);
  buttons_ = make_button_row(left_button, gauge, right_button);
  gauge_ = buttons_ ? gauge : nullptr;

  attach(content_, buttons_);
}

// Puts the screen's two groups below the logo; the window takes the size the new layout needs.
void ReactionShell::attach(Object* content, Object* buttons) {
  if (content) IDoMethod(root_layout_, LM_ADDCHILD, window_, content, NULL);
  if (buttons) IDoMethod(root_layout_, LM_ADDCHILD, window_, buttons, NULL);
  RethinkLayout((struct Gadget*)root_layout_, window_, NULL, TRUE);
  IDoMethod(window_object_, WM_RETHINK);
}

// Drawn at once in the open window, also while an installation keeps the event loop waiting.
void ReactionShell::set_gauge(int value) {
  if (!gauge_) return;
  SetGadgetAttrs((struct Gadget*)gauge_, window_, NULL, FUELGAUGE_Level, value, TAG_DONE);
}

// Only the busy pointer shows the work; nothing is disabled.
void ReactionShell::set_busy(bool on) { SetAttrs(window_object_, WA_BusyPointer, on ? TRUE : FALSE, TAG_DONE); }

std::string ReactionShell::read_path_field() {
  STRPTR text = NULL;
  if (!path_field_ || !GetAttr(STRINGA_TextVal, path_field_, (ULONG*)&text) || !text) return std::string();
  return std::string(text);
}

void ReactionShell::write_path_field(const std::string& text) {
  if (!path_field_) return;
  SetAttrs(path_field_, STRINGA_TextVal, text.c_str(), TAG_DONE);
  IDoMethod(window_object_, WM_RETHINK);
}

std::optional<std::string> ReactionShell::ask_for_folder(const std::string& title, const std::string& initial) {
  std::string path;
  if (!trivelo::fichierdemander(title.c_str(), initial.c_str(), path)) return std::nullopt;
  return path;
}

// An information requester on the default public screen, not attached to the window; the answer
// is not looked at. Without a requester the user still learns what happened on the console. The
// body goes to the console as an argument, never as a format, so a "%" in it is printed as it is.
void ReactionShell::show_message(const std::string& title, const std::string& body, trivelo::MessageKind kind) {
  Object* requester = NewObject(REQUESTER_GetClass(), NULL,
                                REQ_Type, REQTYPE_INFO,
                                REQ_TitleText, title.c_str(),
                                REQ_BodyText, body.c_str(),
                                REQ_GadgetText, "Ok",
                                REQ_Image, REQIMAGE_ERROR,
                                REQ_CharSet, code_set_,
                                TAG_DONE);
  if (requester) {
    IDoMethod(requester, RM_OPENREQ, NULL, NULL, NULL);
    DisposeObject(requester);
    return;
  }
  switch (kind) {
    case trivelo::MessageKind::FolderRefused:
      puts("[Trivelo_Extension /Install] Can't open requester. Wrong directory.");
      break;
    case trivelo::MessageKind::GameRunning:
      printf("[Trivelo_Extension] / Install] %s\n", body.c_str());
      break;
    default:
      // Any other message: its text, so the user still learns what happened.
      printf("[Trivelo_Extension /Install] %s\n", body.c_str());
      break;
  }
}
