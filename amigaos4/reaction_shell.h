// The ReAction front end of the installer: one window.class window whose root layout holds the
// logo and, below it, the two layout groups of the screen shown (a content group and a button
// row). It realises the seven front-end operations for the flow; the flow decides everything else.
#pragma once

#include <exec/types.h>
#include <intuition/classusr.h>
#include <intuition/intuition.h>

#include <optional>
#include <string>

#include "frontend.h"
#include "liste.h"

class ReactionShell : public trivelo::FrontEnd {
 public:
  ReactionShell(Object* window_object, struct Window* window, Object* root_layout, ULONG code_set);
  ~ReactionShell() override;
  ReactionShell(const ReactionShell&) = delete;
  ReactionShell& operator=(const ReactionShell&) = delete;

  void show_screen(int screen, const trivelo::Liste& catalogue) override;
  void set_gauge(int value) override;
  void set_busy(bool on) override;
  std::string read_path_field() override;
  void write_path_field(const std::string& text) override;
  std::optional<std::string> ask_for_folder(const std::string& title, const std::string& initial) override;
  void show_message(const std::string& title, const std::string& body, trivelo::MessageKind kind) override;

  // The window object is about to be disposed together with the root layout and every group in
  // it: forget the groups and their gadgets, and dispose the browse button's glyph, which no
  // layout owns.
  void window_disposed();

 private:
  void remove_screen();
  void build_choose_folder(const trivelo::Liste& catalogue);
  void build_done(const trivelo::Liste& catalogue);
  Object* make_button_row(Object* left_button, Object* gauge, Object* right_button);
  Object* make_gauge(LONG level);
  void attach(Object* content, Object* buttons);

  Object* window_object_;
  struct Window* window_;
  Object* root_layout_;
  ULONG code_set_;

  // The groups of the screen shown (owned by the root layout once attached) and the gadgets the
  // operations change.
  Object* content_ = nullptr;
  Object* buttons_ = nullptr;
  Object* path_field_ = nullptr;
  Object* gauge_ = nullptr;
  // The browse button's face: a button does not dispose its image, so the shell does.
  Object* glyph_ = nullptr;
};
