#include "flow.h"

#include "chaine.h"
#include "foldercheck.h"
#include "installation.h"
#include "messages.h"
#include "platform.h"
#include "systeme.h"

namespace trivelo {

namespace {

constexpr uint32_t kMessageWindowTitle = 1;
constexpr uint32_t kMessageBrowseTitle = 13;

// A line of the add-on title list: columns 1-2 hold the language number, the title starts at 10.
int32_t title_language(const std::string& line) { return static_cast<int32_t>(champlire(chaineextraire(line, 1, 2))); }
std::string title_text(const std::string& line) { return chaineextraire(line, 10, -1); }

const cellule* first_line_for(const Liste& list, int32_t language) {
  for (const cellule* c = list.premier(); c != nullptr; c = c->suivant) {
    if (c->texte && title_language(*c->texte) == language) return c;
  }
  return nullptr;
}

std::string images_missing_text(const InstallReport& report) {
  return "The add-on was installed, but " + std::to_string(report.missing_images) +
         " avatar image(s) named in " + relative_name("texte", "trivlo_extension_fichiers.txt") +
         " are missing from the add-on's " + relative_name("data", "") + " folder and were not copied.";
}

}  // namespace

void Flow::prepare() {
  if (!language_override_) {
    code_set_ = 0;
    language_ = languedetecter(code_set_);
  }
  language_ = langue_repli(language_);
  catalogue_ = messagescharger(systeme::nom(relative_name("texte", "trivelo_extension.msg")).c_str(), language_);
  title_list_ = listecharger(systeme::nom(relative_name("texte", "trivelo_avatars.msg")).c_str());

  window_title_ = message(catalogue_, kMessageWindowTitle);
  const cellule* matched = first_line_for(title_list_, language_);
  has_title_line_ = matched != nullptr;
  addon_title_ = matched ? title_text(*matched->texte) : std::string();
  if (matched) window_title_ += " " + addon_title_;
  if constexpr (kAmigaFamily) {
    // The Amiga-family title buffers hold 255 bytes and the terminator.
    if (window_title_.size() > kTitleBufferSize - 1) window_title_.resize(kTitleBufferSize - 1);
  }

  // An installation always registers a title: when no line is in the user's language, the English
  // one, else the first one.
  const cellule* registered = matched;
  if (!registered) registered = first_line_for(title_list_, kAnglais);
  if (!registered) registered = title_list_.premier();
  has_install_title_ = registered != nullptr;
  install_title_ = registered && registered->texte ? title_text(*registered->texte) : std::string();

  screen_ = kScreenChooseFolder;
  remembered_path_.clear();
  quit_ = false;
}

void Flow::begin(FrontEnd& front_end) {
  front_end_ = &front_end;
  front_end.show_screen(kScreenChooseFolder, catalogue_);
  screen_ = kScreenChooseFolder;
  remembered_path_.clear();
}

bool Flow::handle_event(Event event) {
  if (front_end_ == nullptr) return quit_;
  switch (event) {
    case Event::Browse:
      if (screen_ == kScreenChooseFolder) browse();
      break;
    case Event::RightButton:
      if (screen_ == kScreenChooseFolder) install_attempt();
      else quit_ = true;
      break;
    case Event::LeftButton:
      if (screen_ == kScreenDone) back();
      break;
    case Event::Close:
    case Event::Escape:  // never raised on MorphOS; ends the program like a close if it comes
      quit_ = true;
      break;
  }
  return quit_;
}

void Flow::finish() {
  listeliberer(catalogue_);
  listeliberer(title_list_);
}

void Flow::browse() {
  const std::optional<std::string> folder = front_end_->ask_for_folder(text(kMessageBrowseTitle), remembered_path_);
  if (!folder) return;
  if constexpr (kPlatform == Platform::Windows) {
    if (folder->empty()) return;
  }
  front_end_->write_path_field(*folder);
  if constexpr (kPlatform == Platform::MorphOS) remembered_path_ = *folder;
}

void Flow::install_attempt() {
  FrontEnd& fe = *front_end_;
  fe.set_busy(true);
  fe.set_gauge(10);
  std::string folder = fe.read_path_field();
  if constexpr (kPlatform == Platform::AmigaOS4) remembered_path_ = folder;
  if (check_game_folder(folder, catalogue_, fe)) {
    if constexpr (kPlatform != Platform::AmigaOS4) remembered_path_ = folder;
    if (test_game_running(folder, catalogue_, fe) == RunningTest::NotRunning) {
      if (!has_install_title_) {
        // An add-on without any title line has nothing to register.
        last_install_ = InstallReport{};
        last_install_.outcome = InstallOutcome::Refused;
        show_folder_refused(catalogue_, fe);
      } else {
        last_install_ = install_addon(folder, install_title_, catalogue_, fe);
        if (last_install_.outcome == InstallOutcome::Installed) {
          fe.show_screen(kScreenDone, catalogue_);
          screen_ = kScreenDone;
          if (last_install_.missing_images > 0) {
            fe.show_message(text(kMessageWindowTitle), images_missing_text(last_install_), MessageKind::ImagesMissing);
          }
        }
      }
    }
  }
  fe.set_busy(false);
}

void Flow::back() {
  front_end_->show_screen(kScreenChooseFolder, catalogue_);
  front_end_->write_path_field(remembered_path_);
  screen_ = kScreenChooseFolder;
}

}  // namespace trivelo
