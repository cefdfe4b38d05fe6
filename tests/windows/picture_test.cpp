// The shell's PNG decoding: every colour type and depth libpng can give, transparency chunks,
// interlacing and damaged files, all decoded into top-down BGRA with straight alpha.
#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <cstring>
#include <string>
#include <vector>

#include "picture.h"
#include "shell.h"

namespace trivelo::win {
namespace {

struct Rgba {
  uint8_t r, g, b, a;
};

// A 5 x 3 test picture: every pixel differs, some are translucent.
constexpr int kWidth = 5;
constexpr int kHeight = 3;
Rgba source_pixel(int x, int y) {
  return Rgba{static_cast<uint8_t>(40 * x + 10), static_cast<uint8_t>(70 * y + 5),
              static_cast<uint8_t>(200 - 30 * x), static_cast<uint8_t>(x == 0 ? 0 : 255 - 20 * y)};
}

void write_to_vector(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}
void flush_nothing(png_structp) {}

// Encodes rows already in the file's sample layout.
std::vector<uint8_t> encode(int colour_type, int depth, bool interlaced, const std::vector<std::vector<uint8_t>>& rows,
                            const std::vector<png_color>& palette = {}, const std::vector<uint8_t>& trns = {},
                            const png_color_16* trns_colour = nullptr) {
  std::vector<uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    ADD_FAILURE() << "encoding failed";
    return {};
  }
  png_set_write_fn(png, &out, write_to_vector, flush_nothing);
  png_set_IHDR(png, info, kWidth, kHeight, depth, colour_type, interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
  if (!trns.empty() || trns_colour != nullptr) {
    png_set_tRNS(png, info, trns.empty() ? nullptr : trns.data(), static_cast<int>(trns.size()),
                 const_cast<png_color_16*>(trns_colour));
  }
  png_write_info(png, info);
  if (depth == 16) png_set_swap(png);  // rows below are given little-endian
  std::vector<png_bytep> pointers;
  for (const auto& row : rows) pointers.push_back(const_cast<png_bytep>(row.data()));
  png_write_image(png, pointers.data());
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return out;
}

Pixels decode(const std::vector<uint8_t>& file) {
  Pixels pixels;
  EXPECT_TRUE(png_decode(file.data(), file.size(), pixels));
  return pixels;
}

void expect_pixel(const Pixels& p, int x, int y, Rgba want, const std::string& where) {
  ASSERT_EQ(p.width, kWidth);
  ASSERT_EQ(p.height, kHeight);
  const uint8_t* at = &p.bgra[(static_cast<size_t>(y) * p.width + x) * 4];
  EXPECT_EQ(at[0], want.b) << where << " blue at " << x << "," << y;
  EXPECT_EQ(at[1], want.g) << where << " green at " << x << "," << y;
  EXPECT_EQ(at[2], want.r) << where << " red at " << x << "," << y;
  EXPECT_EQ(at[3], want.a) << where << " alpha at " << x << "," << y;
}

TEST(PngDecode, RgbaAndRgbIn8And16BitsInterlacedOrNot) {
  for (int depth : {8, 16}) {
    for (bool alpha : {true, false}) {
      for (bool interlaced : {false, true}) {
        std::vector<std::vector<uint8_t>> rows;
        for (int y = 0; y < kHeight; ++y) {
          std::vector<uint8_t> row;
          for (int x = 0; x < kWidth; ++x) {
            const Rgba p = source_pixel(x, y);
            std::vector<uint8_t> samples = {p.r, p.g, p.b};
            if (alpha) samples.push_back(p.a);
            for (uint8_t s : samples) {
              // 16-bit samples: the high byte is the 8-bit value, the low byte noise to be stripped.
              if (depth == 16) row.push_back(0x5A);
              row.push_back(s);
            }
          }
          rows.push_back(row);
        }
        const Pixels pixels = decode(encode(alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, depth, interlaced, rows));
        const std::string where = "depth " + std::to_string(depth) + (alpha ? " rgba" : " rgb") +
                                  (interlaced ? " interlaced" : "");
        for (int y = 0; y < kHeight; ++y) {
          for (int x = 0; x < kWidth; ++x) {
            Rgba want = source_pixel(x, y);
            if (!alpha) want.a = 255;
            expect_pixel(pixels, x, y, want, where);
          }
        }
      }
    }
  }
}

TEST(PngDecode, PaletteWithTransparencyAndLowDepths) {
  const std::vector<png_color> palette = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {10, 20, 30}};
  const std::vector<uint8_t> trns = {0, 128};  // entries 2 and 3 stay opaque
  for (int depth : {2, 4, 8}) {
    std::vector<std::vector<uint8_t>> rows;
    for (int y = 0; y < kHeight; ++y) {
      std::vector<uint8_t> row((kWidth * depth + 7) / 8, 0);
      for (int x = 0; x < kWidth; ++x) {
        const int index = (x + y) % 4;
        const int bit = x * depth;
        row[bit / 8] |= static_cast<uint8_t>(index << (8 - depth - bit % 8));
      }
      rows.push_back(row);
    }
    const Pixels pixels = decode(encode(PNG_COLOR_TYPE_PALETTE, depth, depth == 4, rows, palette, trns));
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        const int index = (x + y) % 4;
        const uint8_t alpha = index < 2 ? trns[index] : 255;
        expect_pixel(pixels, x, y, Rgba{palette[index].red, palette[index].green, palette[index].blue, alpha},
                     "palette depth " + std::to_string(depth));
      }
    }
  }
}

TEST(PngDecode, GreyWithAndWithoutAlphaAndTransparentGrey) {
  // 1-bit grey: 0 black, 1 white; tRNS makes white transparent.
  {
    std::vector<std::vector<uint8_t>> rows(kHeight, std::vector<uint8_t>(1, 0));
    for (int y = 0; y < kHeight; ++y) rows[y][0] = 0xA8;  // bits 1 0 1 0 1
    png_color_16 transparent;
    std::memset(&transparent, 0, sizeof transparent);
    transparent.gray = 1;
    const Pixels pixels = decode(encode(PNG_COLOR_TYPE_GRAY, 1, false, rows, {}, {}, &transparent));
    for (int x = 0; x < kWidth; ++x) {
      const bool white = x % 2 == 0;
      expect_pixel(pixels, x, 1, white ? Rgba{255, 255, 255, 0} : Rgba{0, 0, 0, 255}, "grey 1 bit with tRNS");
    }
  }
  // 8-bit grey with alpha, interlaced.
  {
    std::vector<std::vector<uint8_t>> rows;
    for (int y = 0; y < kHeight; ++y) {
      std::vector<uint8_t> row;
      for (int x = 0; x < kWidth; ++x) {
        row.push_back(static_cast<uint8_t>(50 * x));
        row.push_back(static_cast<uint8_t>(255 - 60 * y));
      }
      rows.push_back(row);
    }
    const Pixels pixels = decode(encode(PNG_COLOR_TYPE_GRAY_ALPHA, 8, true, rows));
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        const uint8_t g = static_cast<uint8_t>(50 * x);
        expect_pixel(pixels, x, y, Rgba{g, g, g, static_cast<uint8_t>(255 - 60 * y)}, "grey alpha");
      }
    }
  }
}

TEST(PngDecode, DamagedOrForeignDataIsRefused) {
  std::vector<std::vector<uint8_t>> rows(kHeight, std::vector<uint8_t>(kWidth * 3, 0x80));
  const std::vector<uint8_t> good = encode(PNG_COLOR_TYPE_RGB, 8, false, rows);
  ASSERT_FALSE(good.empty());
  Pixels pixels;
  EXPECT_TRUE(png_decode(good.data(), good.size(), pixels));

  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
  };
  std::vector<Case> cases;
  cases.push_back({"empty", {}});
  cases.push_back({"not a PNG", std::vector<uint8_t>{'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0, 0, 0}});
  cases.push_back({"signature only", std::vector<uint8_t>(good.begin(), good.begin() + 8)});
  cases.push_back({"cut inside the header", std::vector<uint8_t>(good.begin(), good.begin() + 20)});
  cases.push_back({"cut inside the data", std::vector<uint8_t>(good.begin(), good.end() - 20)});
  std::vector<uint8_t> bad_crc = good;
  bad_crc[29] ^= 0xFF;  // the header chunk's CRC
  cases.push_back({"header CRC wrong", bad_crc});
  for (const Case& c : cases) {
    Pixels out;
    out.width = 99;
    EXPECT_FALSE(png_decode(c.bytes.data(), c.bytes.size(), out)) << c.what;
    EXPECT_EQ(out.width, 0) << c.what;
    EXPECT_TRUE(out.bgra.empty()) << c.what;
  }
}

TEST(PngDecode, HugeDimensionsAreRefusedBeforeAllocating) {
  // A valid header announcing 100000 x 100000 pixels, and nothing else.
  std::vector<uint8_t> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
  const uint8_t header[13] = {0, 1, 0x86, 0xA0, 0, 1, 0x86, 0xA0, 8, 6, 0, 0, 0};
  file.insert(file.end(), header, header + 13);
  const uint32_t crc = static_cast<uint32_t>(crc32(0, &file[12], 17));
  for (int shift : {24, 16, 8, 0}) file.push_back(static_cast<uint8_t>(crc >> shift));
  Pixels out;
  EXPECT_FALSE(png_decode(file.data(), file.size(), out));
}

TEST(FolderBrowser, StartFolderAndResult) {
  struct Case {
    const char* initial;
    const char* start;
  } cases[] = {
      {"", ""},
      {"C:\\", "C:\\"},
      {"C:\\Games\\", "C:\\Games"},
      {"C:\\Games", "C:\\Games"},
      {"D:\\", "D:\\"},
      {"ab\\", "ab\\"},  // three characters: kept as it is
  };
  for (const Case& c : cases) EXPECT_EQ(browse_start_folder(c.initial), c.start) << c.initial;
  EXPECT_EQ(browse_start_folder(std::string(300, 'x')).size(), 259u);

  EXPECT_EQ(browse_result("C:\\Games"), "C:\\Games\\");
  EXPECT_EQ(browse_result("C:\\"), "C:\\");
  EXPECT_EQ(browse_result("\\\\server\\share"), "\\\\server\\share\\");
}

}  // namespace
}  // namespace trivelo::win
