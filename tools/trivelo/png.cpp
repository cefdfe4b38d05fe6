// PNG decoding for the check: the whole image is decoded with libpng, as the installers do, so a
// file with a bad CRC, a truncated data stream or an unknown format is found before shipping.
#include <png.h>

#include <fstream>
#include <sstream>
#include <vector>

#include "check.h"

namespace trivelo::cli {

bool png_decodes(const std::filesystem::path& file, std::string& reason) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    reason = "cannot be read";
    return false;
  }
  std::ostringstream out;
  out << in.rdbuf();
  const std::string bytes = out.str();

  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) {
    reason = image.message;
    png_image_free(&image);
    return false;
  }
  image.format = PNG_FORMAT_RGBA;
  std::vector<png_byte> pixels(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
    reason = image.message;
    png_image_free(&image);
    return false;
  }
  png_image_free(&image);
  return true;
}

}  // namespace trivelo::cli
