// Pictures of the Windows shell: PNG files read whole into memory, decoded by libpng into 32-bit
// pictures with an alpha channel, and drawn with per-pixel alpha when msimg32's AlphaBlend is
// present, plainly (over the dialog background colour) otherwise.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace trivelo::win {

// Decoded pixels, top row first, 4 bytes per pixel in the order blue, green, red, alpha, alpha not
// premultiplied.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> bgra;
};

// Decodes a PNG held in memory: palette, grey and transparency expanded, 16-bit samples stripped,
// interlaced files handled, rows read one by one. False when the data is not a PNG libpng accepts,
// or when the picture is empty or too large.
bool png_decode(const uint8_t* data, size_t size, Pixels& out);

// Reads a whole file (CreateFileA, GetFileSize, ReadFile). False when it cannot be read.
bool file_read(const char* name, std::vector<uint8_t>& bytes);

class Picture {
 public:
  ~Picture();
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;

  // Reads and decodes a PNG file; nothing when the file is missing or undecodable.
  static std::unique_ptr<Picture> load(const char* file_name);
  static std::unique_ptr<Picture> from_pixels(const Pixels& pixels);

  int width() const { return width_; }
  int height() const { return height_; }

  // Draws the picture with its top-left corner at (x, y).
  void draw(HDC dc, int x, int y) const;

 private:
  Picture() = default;
  // Premultiplied pixels for AlphaBlend, and the same picture laid over the dialog background for
  // drawing without it.
  HBITMAP premultiplied_ = nullptr;
  HBITMAP opaque_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

// Loads msimg32.dll and looks up AlphaBlend; until then, and when it is missing, pictures are drawn
// plainly.
void alpha_blend_load();
void alpha_blend_free();
bool alpha_blend_available();

}  // namespace trivelo::win
