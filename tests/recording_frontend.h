// A front end for tests: scripts the user's answers (the path field's text, the answers of the
// folder requester) and records every operation the core calls, in order.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "frontend.h"

namespace trivelo::test {

struct Operation {
  enum Kind { ShowScreen, SetGauge, SetBusy, ReadPath, WritePath, AskFolder, ShowMessage };
  Kind kind;
  int value = 0;          // ShowScreen: the screen; SetGauge: the value; SetBusy: 1 on, 0 off
  std::string text;       // ReadPath: text returned; WritePath: text written; AskFolder: initial folder
  std::string title;      // AskFolder, ShowMessage
  std::string body;       // ShowMessage
  MessageKind message_kind = MessageKind::FolderRefused;
  std::optional<std::string> answer;  // AskFolder: what the requester returned
};

class RecordingFrontEnd : public FrontEnd {
 public:
  // --- the user's side
  // Text the user typed into the path field (kept until the core or the test writes another).
  void type_path(const std::string& text) { path_field_ = text; }
  const std::string& path_field() const { return path_field_; }
  // Answers of the next folder requesters, in order; a requester with no queued answer is cancelled.
  void queue_folder(const std::string& folder) { folders_.push_back(folder); }
  void queue_cancel() { folders_.push_back(std::nullopt); }

  // --- FrontEnd
  void show_screen(int screen, const Liste& catalogue) override;
  void set_gauge(int value) override;
  void set_busy(bool on) override;
  std::string read_path_field() override;
  void write_path_field(const std::string& text) override;
  std::optional<std::string> ask_for_folder(const std::string& title, const std::string& initial) override;
  void show_message(const std::string& title, const std::string& body, MessageKind kind) override;

  // --- what happened
  const std::vector<Operation>& operations() const { return operations_; }
  void clear() { operations_.clear(); }
  // The values of every set_gauge call, in order.
  std::vector<int> gauges() const;
  // The screens shown, in order.
  std::vector<int> screens() const;
  std::vector<Operation> messages() const;
  std::vector<Operation> folder_requests() const;
  std::vector<std::string> path_writes() const;
  // The current screen (0 before the first show_screen) and the gauge as it would show now.
  int screen() const { return screen_; }
  int gauge() const { return gauge_; }
  bool busy() const { return busy_; }
  // Every operation as one line of text, for failure output.
  std::string dump() const;

 private:
  std::vector<Operation> of_kind(Operation::Kind kind) const;

  std::vector<Operation> operations_;
  std::deque<std::optional<std::string>> folders_;
  std::string path_field_;
  int screen_ = 0;
  int gauge_ = 0;
  bool busy_ = false;
};

}  // namespace trivelo::test
