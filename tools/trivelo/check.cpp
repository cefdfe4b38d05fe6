#include "check.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "chaine.h"
#include "installation.h"
#include "platform.h"
#include "scrambler.h"

namespace trivelo::cli {

namespace fs = std::filesystem;

namespace {

const char* const kCatalogue = "texte/trivelo_extension.msg";
const char* const kTitles = "texte/trivelo_avatars.msg";
const char* const kPatterns = "texte/trivlo_extension_fichiers.txt";
const char* const kRoster = "data/perso.dta";

// Languages an installer reads the catalogue for, after its fallback.
const std::set<long> kShownLanguages = {0, 1, 2, 3, 4, 5, 8, 10, 11};

const char* language_name(long n) {
  switch (n) {
    case 0: return "French";
    case 1: return "English";
    case 2: return "Italian";
    case 3: return "German";
    case 4: return "Spanish";
    case 5: return "Swedish";
    case 6: return "Russian";
    case 8: return "Polish";
    case 9: return "Hungarian";
    case 10: return "Portuguese";
    case 11: return "Greek";
    default: return "unknown";
  }
}

std::string language_label(long n) { return std::to_string(n) + " (" + language_name(n) + ")"; }

struct Line {
  unsigned number;
  std::string text;  // without its line end
  size_t raw_size;   // with its line end
};

bool read_bytes(const fs::path& file, std::string& bytes) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  std::ostringstream out;
  out << in.rdbuf();
  bytes = out.str();
  return true;
}

// Lines end at LF; a CR before the LF belongs to the line end. A last line without LF counts.
std::vector<Line> split_lines(const std::string& bytes) {
  std::vector<Line> lines;
  size_t start = 0;
  unsigned number = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    const size_t next = end == std::string::npos ? bytes.size() : end + 1;
    if (end == std::string::npos) end = bytes.size();
    std::string text = bytes.substr(start, end - start);
    if (!text.empty() && text.back() == '\r') text.pop_back();
    lines.push_back(Line{++number, std::move(text), next - start});
    start = next;
  }
  return lines;
}

// True when the field holds a number as the installers read it: blanks, a sign, then a digit.
bool holds_number(std::string_view field) {
  size_t i = 0;
  while (i < field.size() && (field[i] == ' ' || field[i] == '\t')) ++i;
  if (i < field.size() && (field[i] == '+' || field[i] == '-')) ++i;
  return i < field.size() && field[i] >= '0' && field[i] <= '9';
}

std::string trim_end(std::string text) {
  chainenettoyerfin(text);
  return text;
}

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

class Checker {
 public:
  explicit Checker(const fs::path& addon) : addon_(addon) {}

  CheckReport run() {
    if (!fs::is_directory(addon_)) {
      problem("", 0, "is not a folder");
      return report_;
    }
    check_catalogue();
    check_titles();
    check_roster();
    check_images();
    check_pictures();
    if (!fs::is_directory(addon_ / "temp")) {
      problem("temp", 0, "is missing: the Windows installer writes its work files there (ship an empty temp folder)");
    }
    return report_;
  }

 private:
  void add(bool is_problem, const std::string& file, unsigned line, std::string text) {
    report_.findings.push_back(Finding{is_problem, file, line, std::move(text)});
  }
  void problem(const std::string& file, unsigned line, std::string text) { add(true, file, line, std::move(text)); }
  void note(const std::string& file, unsigned line, std::string text) { add(false, file, line, std::move(text)); }

  bool load(const char* name, std::vector<Line>& lines, const char* what) {
    std::string bytes;
    if (!fs::is_regular_file(addon_ / name) || !read_bytes(addon_ / name, bytes)) {
      problem(name, 0, std::string("is missing: ") + what);
      return false;
    }
    lines = split_lines(bytes);
    return true;
  }

  void check_catalogue() {
    std::vector<Line> lines;
    if (!load(kCatalogue, lines, "every text of the installer comes from it")) return;
    std::map<long, std::vector<const Line*>> by_language;
    for (const Line& line : lines) {
      // The Amiga-family installers read a catalogue line 511 bytes at a time: a longer line is cut
      // and its rest read as a line of its own.
      if (line.raw_size > kCatalogueBufferSize - 1) {
        problem(kCatalogue, line.number,
                "is " + std::to_string(line.raw_size) + " bytes long with its line end; MorphOS and AmigaOS 4 read at most " +
                    std::to_string(kCatalogueBufferSize - 1) + " bytes of a line");
      }
      const std::string field = chaineextraire(line.text, 1, 2);
      if (!holds_number(field)) {
        problem(kCatalogue, line.number,
                "has no language number in columns 1-2: it counts as a French message and shifts the French numbering");
      }
      const long language = champlire(field);
      const std::string length_field = chaineextraire(line.text, 7, 3);
      const std::string text = chaineextraire(line.text, 10, -1);
      if (!holds_number(length_field)) {
        problem(kCatalogue, line.number, "has no text length in columns 7-9");
      } else if (static_cast<size_t>(champlire(length_field)) != text.size()) {
        problem(kCatalogue, line.number,
                "says its text is " + std::to_string(champlire(length_field)) + " bytes long (columns 7-9) but the text has " +
                    std::to_string(text.size()) + " bytes");
      }
      if (text.find('\0') != std::string::npos) problem(kCatalogue, line.number, "holds a NUL byte");
      by_language[language].push_back(&line);
    }
    for (const auto& [language, texts] : by_language) {
      if (kShownLanguages.count(language) == 0) {
        note(kCatalogue, texts.front()->number,
             "language " + language_label(language) + " is never shown: the installers show English instead");
        continue;
      }
      languages_.push_back(language);
      std::string missing;
      for (unsigned n : kUsedMessages) {
        if (n > texts.size()) {
          missing += (missing.empty() ? "" : ", ") + std::to_string(n);
        } else if (chaineextraire(texts[n - 1]->text, 10, -1).empty()) {
          problem(kCatalogue, texts[n - 1]->number,
                  "message " + std::to_string(n) + " of language " + language_label(language) + " is empty");
        }
      }
      if (!missing.empty()) {
        problem(kCatalogue, 0,
                "language " + language_label(language) + " has " + std::to_string(texts.size()) +
                    " messages; missing message(s) " + missing);
      }
    }
    report_.languages = static_cast<unsigned>(languages_.size());
    if (by_language.count(1) == 0) {
      problem(kCatalogue, 0, "has no English (language 1) texts: players whose language the installers do not offer (Russian, Hungarian, any other) see empty texts");
    }
    for (long language : kShownLanguages) {
      if (by_language.count(language) == 0 && language != 1) {
        note(kCatalogue, 0, "has no texts in language " + language_label(language) + ": its players see empty texts");
      }
    }
  }

  void check_titles() {
    std::vector<Line> lines;
    if (!load(kTitles, lines, "it holds the add-on's title in each language")) return;
    std::set<long> seen;
    for (const Line& line : lines) {
      if (line.raw_size > kLineBufferSize - 1) {
        problem(kTitles, line.number, "is longer than the " + std::to_string(kLineBufferSize - 1) +
                                          " bytes MorphOS and AmigaOS 4 read as one line");
      }
      const std::string field = chaineextraire(line.text, 1, 2);
      if (!holds_number(field)) {
        problem(kTitles, line.number, "has no language number in columns 1-2: it is taken as a French title line");
      }
      const long language = champlire(field);
      if (seen.insert(language).second) {
        // The first line of a language gives its title; later ones are never read.
        if (trim_end(chaineextraire(line.text, 10, -1)).empty()) {
          problem(kTitles, line.number, "gives language " + language_label(language) + " an empty title (the title starts in column 10)");
        }
      }
    }
    for (long language : languages_) {
      if (seen.count(language) == 0) {
        problem(kTitles, 0, "has no line for language " + language_label(language) + ", which the catalogue holds");
      }
    }
  }

  void check_roster() {
    std::string bytes;
    if (!fs::is_regular_file(addon_ / kRoster) || !read_bytes(addon_ / kRoster, bytes)) {
      problem(kRoster, 0, "is missing: the add-on's characters are in it");
      return;
    }
    scramble_block(reinterpret_cast<unsigned char*>(bytes.data()), bytes.size(), scrambling_key(), 0);
    const std::vector<Line> lines = split_lines(bytes);
    for (const Line& line : lines) {
      if (line.text.find('\0') != std::string::npos) {
        problem(kRoster, line.number, "unscrambles to a line holding a NUL byte (is the file scrambled with the game's key?)");
      }
      if (line.raw_size > kLineBufferSize - 1) {
        problem(kRoster, line.number,
                "unscrambles to a line of " + std::to_string(line.raw_size) + " bytes with its line end; MorphOS and AmigaOS 4 read at most " +
                    std::to_string(kLineBufferSize - 1));
      }
    }
    report_.characters = static_cast<unsigned>(lines.size());
    if (lines.empty()) problem(kRoster, 0, "holds no character");
  }

  void check_images() {
    std::vector<Line> lines;
    if (!load(kPatterns, lines, "it names the avatar images of each character")) return;
    std::vector<const Line*> patterns;
    for (const Line& line : lines) {
      const std::string pattern = trim_end(line.text);
      if (pattern.empty()) {
        problem(kPatterns, line.number, "is empty: it names the file \".png\" plus a number");
        continue;
      }
      if (!pattern_is_safe(pattern)) {
        problem(kPatterns, line.number, "pattern " + quoted(pattern) + " leaves the data folder (\"..\", a leading separator or \":\")");
        continue;
      }
      if (pattern.find('\\') != std::string::npos) {
        problem(kPatterns, line.number, "pattern " + quoted(pattern) + " holds \"\\\", which MorphOS and AmigaOS 4 do not take in a name; use \"/\"");
        continue;
      }
      patterns.push_back(&line);
    }
    if (lines.empty()) problem(kPatterns, 0, "names no image");
    for (unsigned k = 1; k <= report_.characters; ++k) {
      for (const Line* line : patterns) {
        const std::string name = "data/" + avatar_name(trim_end(line->text), k) + ".png";
        if (!fs::is_regular_file(addon_ / name)) {
          problem(name, 0, "is missing (character " + std::to_string(k) + ", pattern " + quoted(trim_end(line->text)) + " of " +
                               kPatterns + " line " + std::to_string(line->number) + ")");
          continue;
        }
        check_png(name);
      }
    }
  }

  void check_pictures() {
    for (const char* name : {"data/install.png", "data/file_select.png"}) {
      if (!fs::is_regular_file(addon_ / name)) {
        problem(name, 0, "is missing: the installers show it");
        continue;
      }
      check_png(name);
    }
  }

  void check_png(const std::string& name) {
    ++report_.images;
    std::string reason;
    if (!png_decodes(addon_ / name, reason)) problem(name, 0, "does not decode as PNG: " + reason);
  }

  fs::path addon_;
  std::vector<long> languages_;
  CheckReport report_;
};

}  // namespace

unsigned CheckReport::problems() const {
  return static_cast<unsigned>(std::count_if(findings.begin(), findings.end(), [](const Finding& f) { return f.problem; }));
}

CheckReport check_addon(const fs::path& addon) { return Checker(addon).run(); }

std::string describe(const Finding& f) {
  std::string text = f.file.empty() ? std::string("add-on folder") : f.file;
  if (f.line > 0) text += ":" + std::to_string(f.line);
  return text + ": " + f.text;
}

}  // namespace trivelo::cli
