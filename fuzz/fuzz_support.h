// Shared set-up of the fuzz targets: every target works in a private temporary folder that is its
// working directory (as the add-on's folder is the installer's), with the Amiga-family builds'
// system stand-in reset once and pointed at it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace trivelo::fuzz {

namespace fs = std::filesystem;

// Creates the working folder and enters it; the Amiga-family builds get the volume "Fuzz" on it and
// their workspace. Called once from LLVMFuzzerInitialize.
void initialise();
// The working folder (host path).
const fs::path& folder();
// Writes bytes to a file under the working folder, creating its folders.
void write_file(const fs::path& relative, std::string_view bytes);
std::string read_file(const fs::path& path);
// Removes everything under the working folder except the workspace.
void clear();

// Cuts the input into pieces at a separator byte sequence; missing pieces are empty.
class Pieces {
 public:
  Pieces(const uint8_t* data, size_t size) : rest_(reinterpret_cast<const char*>(data), size) {}
  std::string_view next();
 private:
  std::string_view rest_;
};

// A fuzz finding: prints the reason and aborts, so libFuzzer keeps the input.
[[noreturn]] void fault(const std::string& what);

}  // namespace trivelo::fuzz
