// Demonstration of the installer core on the sample add-on: for every language number the
// system can report, it runs the flow's start-up (language fallback, message catalogue, add-on
// title list, window title) in the add-on's folder and prints what the window would show.
//
//   trivelo_demo [ADD-ON FOLDER] [--raw]
//
// The catalogue's texts are 8-bit, each in its language's character set (Latin-1, Polish in
// ISO-8859-2); they are printed as UTF-8 unless --raw asks for the bytes unchanged.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "flow.h"
#include "messages.h"
#include "platform.h"

namespace {

// Unicode code points of ISO-8859-2 bytes 0xA0-0xFF; below 0xA0 it agrees with Latin-1.
const uint16_t kIso88592[96] = {
    0x00A0, 0x0104, 0x02D8, 0x0141, 0x00A4, 0x013D, 0x015A, 0x00A7, 0x00A8, 0x0160, 0x015E, 0x0164,
    0x0179, 0x00AD, 0x017D, 0x017B, 0x00B0, 0x0105, 0x02DB, 0x0142, 0x00B4, 0x013E, 0x015B, 0x02C7,
    0x00B8, 0x0161, 0x015F, 0x0165, 0x017A, 0x02DD, 0x017E, 0x017C, 0x0154, 0x00C1, 0x00C2, 0x0102,
    0x00C4, 0x0139, 0x0106, 0x00C7, 0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA, 0x0170,
    0x00DC, 0x00DD, 0x0162, 0x00DF, 0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3,
    0x00F4, 0x0151, 0x00F6, 0x00F7, 0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

// IANA numbers of the character sets the catalogue uses.
constexpr uint32_t kLatin1 = 4;
constexpr uint32_t kLatin2 = 5;

void put_utf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

std::string shown(const std::string& text, uint32_t code_set, bool raw) {
  if (raw) return text;
  std::string out;
  for (unsigned char c : text) {
    if (c < 0x20) {
      out += '?';  // a control byte would disturb the terminal
    } else if (c >= 0xA0 && code_set == kLatin2) {
      put_utf8(out, kIso88592[c - 0xA0]);
    } else {
      put_utf8(out, c);
    }
  }
  return out;
}

const char* language_name(int32_t language) {
  switch (language) {
    case trivelo::kFrancais: return "French";
    case trivelo::kAnglais: return "English";
    case trivelo::kItalien: return "Italian";
    case trivelo::kAllemand: return "German";
    case trivelo::kEspagnol: return "Spanish";
    case trivelo::kSuedois: return "Swedish";
    case trivelo::kRusse: return "Russian";
    case trivelo::kPolonais: return "Polish";
    case trivelo::kHongrois: return "Hungarian";
    case trivelo::kPortugais: return "Portuguese";
    case trivelo::kGrec: return "Greek";
  }
  return "?";
}

}  // namespace

int main(int argc, char** argv) {
  std::string folder;
  bool raw = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--raw") {
      raw = true;
    } else if (folder.empty()) {
      folder = arg;
    } else {
      std::fprintf(stderr, "usage: trivelo_demo [ADD-ON FOLDER] [--raw]\n");
      return 2;
    }
  }
#ifdef TRIVELO_SOURCE_DIR
  if (folder.empty()) folder = std::string(TRIVELO_SOURCE_DIR) + "/examples/addon";
#endif
  std::error_code error;
  std::filesystem::current_path(folder, error);
  if (folder.empty() || error) {
    std::fprintf(stderr, "trivelo_demo: cannot enter the add-on folder \"%s\"\n", folder.c_str());
    return 1;
  }

  std::printf("Add-on folder: %s\nRules: %s build of the core\n", folder.c_str(), trivelo::platform_name());
  const int32_t detected[] = {0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11};
  int with_texts = 0;
  for (int32_t language : detected) {
    const int32_t used = trivelo::langue_repli(language);
    const uint32_t code_set = used == trivelo::kPolonais ? kLatin2 : kLatin1;
    trivelo::Flow flow;
    flow.set_language_override(language, code_set);
    flow.prepare();

    std::printf("\n== language %d (%s)", language, language_name(language));
    if (used != language) std::printf(" -> fallback %d (%s)", used, language_name(used));
    std::printf(": %u messages\n", trivelo::listecompter(flow.catalogue()));
    if (flow.catalogue().vide()) {
      std::printf("   no texts in this language: every label would be empty\n");
      flow.finish();
      continue;
    }
    ++with_texts;
    auto line = [&](const char* what, const std::string& text) {
      std::printf("   %-16s %s\n", what, shown(text, code_set, raw).c_str());
    };
    line("window title", flow.window_title());
    line("frame (screen 1)", flow.text(8));
    line("explanation", flow.text(4));
    line("path label", flow.text(7));
    line("buttons", flow.text(2) + " | " + flow.text(3));
    line("done", flow.text(37) + " / " + flow.text(10) + ": " + flow.text(11));
    line("folder refused", flow.text(15) + ": " + flow.text(14));
    line("game running", flow.text(15) + ": " + flow.text(23));
    flow.finish();
  }
  std::printf("\n%d of %zu language numbers show texts\n", with_texts, sizeof detected / sizeof detected[0]);
  return with_texts > 0 ? 0 : 1;
}
