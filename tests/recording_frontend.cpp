#include "recording_frontend.h"

#include <sstream>

namespace trivelo::test {

void RecordingFrontEnd::show_screen(int screen, const Liste&) {
  Operation op{Operation::ShowScreen};
  op.value = screen;
  operations_.push_back(op);
  screen_ = screen;
  gauge_ = screen == kScreenDone ? 100 : 5;
  path_field_.clear();
}

void RecordingFrontEnd::set_gauge(int value) {
  Operation op{Operation::SetGauge};
  op.value = value;
  operations_.push_back(op);
  gauge_ = value;
}

void RecordingFrontEnd::set_busy(bool on) {
  Operation op{Operation::SetBusy};
  op.value = on ? 1 : 0;
  operations_.push_back(op);
  busy_ = on;
}

std::string RecordingFrontEnd::read_path_field() {
  Operation op{Operation::ReadPath};
  op.text = path_field_;
  operations_.push_back(op);
  return path_field_;
}

void RecordingFrontEnd::write_path_field(const std::string& text) {
  Operation op{Operation::WritePath};
  op.text = text;
  operations_.push_back(op);
  path_field_ = text;
}

std::optional<std::string> RecordingFrontEnd::ask_for_folder(const std::string& title, const std::string& initial) {
  Operation op{Operation::AskFolder};
  op.title = title;
  op.text = initial;
  if (!folders_.empty()) {
    op.answer = folders_.front();
    folders_.pop_front();
  }
  operations_.push_back(op);
  return op.answer;
}

void RecordingFrontEnd::show_message(const std::string& title, const std::string& body, MessageKind kind) {
  Operation op{Operation::ShowMessage};
  op.title = title;
  op.body = body;
  op.message_kind = kind;
  operations_.push_back(op);
}

std::vector<Operation> RecordingFrontEnd::of_kind(Operation::Kind kind) const {
  std::vector<Operation> result;
  for (const Operation& op : operations_) {
    if (op.kind == kind) result.push_back(op);
  }
  return result;
}

std::vector<int> RecordingFrontEnd::gauges() const {
  std::vector<int> result;
  for (const Operation& op : of_kind(Operation::SetGauge)) result.push_back(op.value);
  return result;
}

std::vector<int> RecordingFrontEnd::screens() const {
  std::vector<int> result;
  for (const Operation& op : of_kind(Operation::ShowScreen)) result.push_back(op.value);
  return result;
}

std::vector<Operation> RecordingFrontEnd::messages() const { return of_kind(Operation::ShowMessage); }
std::vector<Operation> RecordingFrontEnd::folder_requests() const { return of_kind(Operation::AskFolder); }

std::vector<std::string> RecordingFrontEnd::path_writes() const {
  std::vector<std::string> result;
  for (const Operation& op : of_kind(Operation::WritePath)) result.push_back(op.text);
  return result;
}

std::string RecordingFrontEnd::dump() const {
  static const char* const kNames[] = {"show_screen", "set_gauge", "set_busy", "read_path_field",
                                       "write_path_field", "ask_for_folder", "show_message"};
  std::ostringstream out;
  for (const Operation& op : operations_) {
    out << kNames[op.kind];
    switch (op.kind) {
      case Operation::ShowScreen:
      case Operation::SetGauge:
      case Operation::SetBusy: out << ' ' << op.value; break;
      case Operation::ReadPath:
      case Operation::WritePath: out << " \"" << op.text << '"'; break;
      case Operation::AskFolder:
        out << " \"" << op.title << "\" \"" << op.text << "\" -> " << (op.answer ? '"' + *op.answer + '"' : "cancel");
        break;
      case Operation::ShowMessage:
        out << " \"" << op.title << "\" \"" << op.body << "\" kind " << static_cast<int>(op.message_kind);
        break;
    }
    out << '\n';
  }
  return out.str();
}

}  // namespace trivelo::test
