#include "artgen/Files.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace art {

namespace {

void put16(std::vector<unsigned char>& b, unsigned v) {
  b.push_back(static_cast<unsigned char>(v & 0xFF));
  b.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
}
void put32(std::vector<unsigned char>& b, unsigned long v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<unsigned char>((v >> (8 * i)) & 0xFF));
}

std::vector<unsigned char> header(int w, int h, int bits, unsigned paletteEntries, size_t imageBytes) {
  std::vector<unsigned char> b;
  const unsigned long offset = 14 + 40 + 4ul * paletteEntries;
  b.push_back('B');
  b.push_back('M');
  put32(b, offset + imageBytes);
  put32(b, 0);
  put32(b, offset);
  put32(b, 40);
  put32(b, static_cast<unsigned long>(w));
  put32(b, static_cast<unsigned long>(h));  // positive: bottom-up
  put16(b, 1);
  put16(b, static_cast<unsigned>(bits));
  put32(b, 0);  // BI_RGB
  put32(b, imageBytes);
  put32(b, 2835);  // 72 dpi
  put32(b, 2835);
  put32(b, paletteEntries);
  put32(b, 0);
  return b;
}

void save(const std::string& path, const std::vector<unsigned char>& bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  if (!f) throw std::runtime_error("cannot write " + path);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!f) throw std::runtime_error("failed writing " + path);
}

}  // namespace

void writeBmp24(const std::string& path, const Image& img) {
  const size_t stride = (static_cast<size_t>(img.w) * 3 + 3) & ~size_t{3};
  std::vector<unsigned char> b = header(img.w, img.h, 24, 0, stride * img.h);
  for (int y = img.h - 1; y >= 0; --y) {
    size_t n = 0;
    for (int x = 0; x < img.w; ++x, n += 3) {
      const Rgb p = img.at(x, y);
      b.push_back(p.b);
      b.push_back(p.g);
      b.push_back(p.r);
    }
    for (; n < stride; ++n) b.push_back(0);
  }
  save(path, b);
}

void writeBmpMask(const std::string& path, int w, int h, const std::vector<bool>& on) {
  const size_t stride = ((static_cast<size_t>(w) + 31) / 32) * 4;
  std::vector<unsigned char> b = header(w, h, 1, 2, stride * h);
  put32(b, 0x00000000);  // entry 0: black
  put32(b, 0x00FFFFFF);  // entry 1: white
  for (int y = h - 1; y >= 0; --y) {
    std::vector<unsigned char> row(stride, 0);
    for (int x = 0; x < w; ++x)
      if (on[static_cast<size_t>(y) * w + x]) row[static_cast<size_t>(x) / 8] |= static_cast<unsigned char>(0x80 >> (x % 8));
    b.insert(b.end(), row.begin(), row.end());
  }
  save(path, b);
}

Image readBmp24(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::vector<unsigned char> d((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  auto u32 = [&](size_t o) { return d[o] | (d[o + 1] << 8) | (d[o + 2] << 16) | (static_cast<unsigned>(d[o + 3]) << 24); };
  if (d.size() < 54 || d[0] != 'B' || d[1] != 'M') throw std::runtime_error("not a bitmap: " + path);
  const int w = static_cast<int>(u32(18)), h = static_cast<int>(u32(22));
  const int bits = d[28];
  const size_t off = u32(10);
  Image img(w, h, {}, 1.0f);
  if (bits == 24) {
    const size_t stride = (static_cast<size_t>(w) * 3 + 3) & ~size_t{3};
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const size_t o = off + static_cast<size_t>(h - 1 - y) * stride + static_cast<size_t>(x) * 3;
        img.at(x, y) = {d[o + 2], d[o + 1], d[o]};
      }
  } else if (bits == 1) {
    const size_t stride = ((static_cast<size_t>(w) + 31) / 32) * 4;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const bool on = d[off + static_cast<size_t>(h - 1 - y) * stride + static_cast<size_t>(x) / 8] & (0x80 >> (x % 8));
        img.at(x, y) = on ? Rgb{255, 255, 255} : Rgb{0, 0, 0};
      }
  } else {
    throw std::runtime_error("unsupported bitmap depth: " + path);
  }
  return img;
}

namespace {

void savePng(const std::string& path, const Image& img, bool alpha) {
  FILE* fp = std::fopen(path.c_str(), "wb");
  if (!fp) throw std::runtime_error("cannot write " + path);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(fp);
    throw std::runtime_error("libpng failed on " + path);
  }
  png_init_io(png, fp);
  const size_t channels = alpha ? 4 : 3;
  png_set_IHDR(png, info, static_cast<png_uint_32>(img.w), static_cast<png_uint_32>(img.h), 8,
               alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::vector<unsigned char> row(static_cast<size_t>(img.w) * channels);
  for (int y = 0; y < img.h; ++y) {
    for (int x = 0; x < img.w; ++x) {
      const Rgb p = img.at(x, y);
      unsigned char* o = &row[static_cast<size_t>(x) * channels];
      o[0] = p.r;
      o[1] = p.g;
      o[2] = p.b;
      if (alpha) o[3] = static_cast<unsigned char>(std::lround(std::clamp(img.c(x, y), 0.0f, 1.0f) * 255.0f));
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  if (std::fclose(fp) != 0) throw std::runtime_error("failed writing " + path);
}

}  // namespace

void writePng(const std::string& path, const Image& img) { savePng(path, img, false); }
void writePngWithAlpha(const std::string& path, const Image& img) { savePng(path, img, true); }

void writeLevelParts(const std::string& dir, int level, const std::vector<bool>& ground) {
  for (int part = 1; part <= 3; ++part) {
    std::string text;
    text.reserve(200 * 1002);
    for (int row = 200 * (part - 1); row < 200 * part; ++row) {
      for (int col = 0; col < 1000; ++col) text += ground[static_cast<size_t>(row) * 1000 + col] ? '#' : '-';
      text += "\r\n";
    }
    const std::string path = dir + "/Level" + std::to_string(level) + "Part" + std::to_string(part) + ".txt";
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f << text;
    if (!f) throw std::runtime_error("failed writing " + path);
  }
}

std::string formatRandomState(unsigned count, float divisor) {
  char line1[32];
  std::snprintf(line1, sizeof line1, "%6u", count);
  // Five significant digits as d.ddddE<sign><exponent without leading zeros>.
  char mant[32];
  std::snprintf(mant, sizeof mant, "%.4E", static_cast<double>(divisor));
  std::string m(mant);
  const size_t e = m.find('E');
  const int exponent = std::atoi(m.c_str() + e + 1);
  std::string out = std::string(line1) + "\r\n " + m.substr(0, e) + "E" + (exponent < 0 ? "-" : "+") +
                    std::to_string(std::abs(exponent)) + "\r\n";
  return out;
}

}  // namespace art
