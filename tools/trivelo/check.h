// `trivelo check`: everything an add-on maker can get wrong before shipping, found in one pass over
// the add-on's folder. The check reads host files directly and applies the rules of all three
// installers at once (an add-on ships for Windows, MorphOS and AmigaOS 4 alike), so its verdict
// does not depend on the rule set the tool was built for.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace trivelo::cli {

// Message numbers the three front ends show.
inline constexpr unsigned kUsedMessages[] = {1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13, 14, 15, 17, 23, 37};

struct Finding {
  bool problem = true;  // false: a note that does not change the verdict
  std::string file;     // relative to the add-on folder, with "/"
  unsigned line = 0;    // 1-based; 0 when the finding concerns the whole file
  std::string text;
};

struct CheckReport {
  std::vector<Finding> findings;
  unsigned languages = 0;   // languages of the catalogue that an installer can show
  unsigned characters = 0;  // lines of the add-on's roster
  unsigned images = 0;      // images checked (avatars and the two pictures)
  unsigned problems() const;
};

CheckReport check_addon(const std::filesystem::path& addon);

// "file:line: text" (or "file: text"), as the report prints it.
std::string describe(const Finding& f);

// Decodes a PNG file completely; false with a reason when it cannot be decoded.
bool png_decodes(const std::filesystem::path& file, std::string& reason);

}  // namespace trivelo::cli
