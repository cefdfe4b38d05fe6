#include "picture.h"

#include <png.h>

#include <csetjmp>
#include <cstring>

namespace trivelo::win {

namespace {

// Larger pictures are refused rather than decoded: the installer only shows a logo and an icon.
constexpr png_uint_32 kLargestSide = 8192;

struct Reader {
  const uint8_t* data;
  size_t size;
  size_t position;
};

void read_from_memory(png_structp png, png_bytep out, png_size_t length) {
  Reader* reader = static_cast<Reader*>(png_get_io_ptr(png));
  if (length > reader->size - reader->position) png_error(png, "truncated");
  std::memcpy(out, reader->data + reader->position, length);
  reader->position += length;
}

// A GUI program has no console: errors end the decoding silently, warnings are dropped.
void quiet_error(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void quiet_warning(png_structp, png_const_charp) {}

using AlphaBlendFunction = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
HMODULE g_msimg32 = nullptr;
AlphaBlendFunction g_alpha_blend = nullptr;

HBITMAP dib_create(int width, int height, void** bits) {
  BITMAPINFO info;
  std::memset(&info, 0, sizeof info);
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, bits, nullptr, 0);
  ReleaseDC(nullptr, screen);
  return bitmap;
}

}  // namespace

bool png_decode(const uint8_t* data, size_t size, Pixels& out) {
  out = Pixels{};
  if (size < 8 || png_sig_cmp(data, 0, 8) != 0) return false;

  Reader reader{data, size, 0};
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, quiet_error, quiet_warning);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return false;
  }
  // Only trivially destructible locals live past this point: libpng leaves through longjmp.
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    out = Pixels{};
    return false;
  }
  png_set_user_limits(png, kLargestSide, kLargestSide);
  png_set_read_fn(png, &reader, read_from_memory);
  png_read_info(png, info);

  const png_uint_32 width = png_get_image_width(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  const int colour_type = png_get_color_type(png, info);
  if (width == 0 || height == 0) png_error(png, "empty");

  png_set_expand(png);  // palette to RGB, grey below 8 bits to 8, tRNS to an alpha channel
  png_set_strip_16(png);
  if ((colour_type & PNG_COLOR_MASK_COLOR) == 0) png_set_gray_to_rgb(png);
  png_set_bgr(png);
  if ((colour_type & PNG_COLOR_MASK_ALPHA) == 0 && !png_get_valid(png, info, PNG_INFO_tRNS)) {
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  }
  const int passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != static_cast<png_size_t>(width) * 4) png_error(png, "layout");

  out.width = static_cast<int>(width);
  out.height = static_cast<int>(height);
  out.bgra.assign(static_cast<size_t>(width) * height * 4, 0);
  for (int pass = 0; pass < passes; ++pass) {
    for (png_uint_32 y = 0; y < height; ++y) {
      png_read_row(png, out.bgra.data() + static_cast<size_t>(y) * width * 4, nullptr);
    }
  }
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

bool file_read(const char* name, std::vector<uint8_t>& bytes) {
  bytes.clear();
  HANDLE file = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD high = 0;
  const DWORD size = GetFileSize(file, &high);
  bool ok = size != INVALID_FILE_SIZE && high == 0 && size <= 64u * 1024 * 1024;
  if (ok) {
    bytes.resize(size);
    DWORD done = 0;
    ok = size == 0 || (ReadFile(file, bytes.data(), size, &done, nullptr) && done == size);
  }
  CloseHandle(file);
  if (!ok) bytes.clear();
  return ok;
}

Picture::~Picture() {
  if (premultiplied_) DeleteObject(premultiplied_);
  if (opaque_) DeleteObject(opaque_);
}

std::unique_ptr<Picture> Picture::load(const char* file_name) {
  std::vector<uint8_t> bytes;
  if (!file_read(file_name, bytes)) return nullptr;
  Pixels pixels;
  if (!png_decode(bytes.data(), bytes.size(), pixels)) return nullptr;
  return from_pixels(pixels);
}

std::unique_ptr<Picture> Picture::from_pixels(const Pixels& pixels) {
  if (pixels.width <= 0 || pixels.height <= 0) return nullptr;
  std::unique_ptr<Picture> picture(new Picture);
  picture->width_ = pixels.width;
  picture->height_ = pixels.height;
  void* bits_pre = nullptr;
  void* bits_opaque = nullptr;
  picture->premultiplied_ = dib_create(pixels.width, pixels.height, &bits_pre);
  picture->opaque_ = dib_create(pixels.width, pixels.height, &bits_opaque);
  if (!picture->premultiplied_ || !picture->opaque_ || !bits_pre || !bits_opaque) return nullptr;

  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const unsigned back[3] = {GetBValue(face), GetGValue(face), GetRValue(face)};
  const uint8_t* in = pixels.bgra.data();
  uint8_t* pre = static_cast<uint8_t*>(bits_pre);
  uint8_t* opaque = static_cast<uint8_t*>(bits_opaque);
  const size_t count = static_cast<size_t>(pixels.width) * pixels.height;
  for (size_t i = 0; i < count; ++i, in += 4, pre += 4, opaque += 4) {
    const unsigned a = in[3];
    for (int c = 0; c < 3; ++c) {
      pre[c] = static_cast<uint8_t>((in[c] * a + 127) / 255);
      opaque[c] = static_cast<uint8_t>((in[c] * a + back[c] * (255 - a) + 127) / 255);
    }
    pre[3] = static_cast<uint8_t>(a);
    opaque[3] = 255;
  }
  GdiFlush();
  return picture;
}

void Picture::draw(HDC dc, int x, int y) const {
  HDC memory = CreateCompatibleDC(dc);
  if (memory == nullptr) return;
  if (g_alpha_blend != nullptr) {
    HGDIOBJ old = SelectObject(memory, premultiplied_);
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    g_alpha_blend(dc, x, y, width_, height_, memory, 0, 0, width_, height_, blend);
    SelectObject(memory, old);
  } else {
    HGDIOBJ old = SelectObject(memory, opaque_);
    BitBlt(dc, x, y, width_, height_, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
  }
  DeleteDC(memory);
}

void alpha_blend_load() {
  if (g_msimg32 != nullptr) return;
  g_msimg32 = LoadLibraryA("msimg32.dll");
  if (g_msimg32 != nullptr) {
    g_alpha_blend = reinterpret_cast<AlphaBlendFunction>(reinterpret_cast<void*>(GetProcAddress(g_msimg32, "AlphaBlend")));
  }
}

void alpha_blend_free() {
  g_alpha_blend = nullptr;
  if (g_msimg32 != nullptr) FreeLibrary(g_msimg32);
  g_msimg32 = nullptr;
}

bool alpha_blend_available() { return g_alpha_blend != nullptr; }

}  // namespace trivelo::win
