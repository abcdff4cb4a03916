#include "artgen/Text.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <stdexcept>
#include <vector>

namespace art {

namespace {
const char* const kRegular = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const char* const kBold = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

// Decodes UTF-8 into code points (the screens use a few arrows and dots).
std::vector<unsigned> codepoints(const std::string& s) {
  std::vector<unsigned> out;
  for (size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    unsigned cp = c;
    int extra = 0;
    if (c >= 0xF0) { cp = c & 0x07; extra = 3; }
    else if (c >= 0xE0) { cp = c & 0x0F; extra = 2; }
    else if (c >= 0xC0) { cp = c & 0x1F; extra = 1; }
    ++i;
    for (int k = 0; k < extra && i < s.size(); ++k, ++i) cp = (cp << 6) | (static_cast<unsigned char>(s[i]) & 0x3F);
    out.push_back(cp);
  }
  return out;
}
}  // namespace

struct TextPainter::Impl {
  FT_Library lib = nullptr;
  FT_Face faces[2] = {nullptr, nullptr};
  FT_Face face(Font f, int size) {
    FT_Face fc = faces[f == Font::Bold ? 1 : 0];
    FT_Set_Pixel_Sizes(fc, 0, static_cast<FT_UInt>(size));
    return fc;
  }
};

TextPainter::TextPainter() : impl_(new Impl) {
  if (FT_Init_FreeType(&impl_->lib)) throw std::runtime_error("FreeType did not start");
  const char* paths[2] = {kRegular, kBold};
  for (int i = 0; i < 2; ++i)
    if (FT_New_Face(impl_->lib, paths[i], 0, &impl_->faces[i]))
      throw std::runtime_error(std::string("cannot open font ") + paths[i] + " (install fonts-dejavu-core)");
}

TextPainter::~TextPainter() {
  for (FT_Face f : impl_->faces)
    if (f) FT_Done_Face(f);
  if (impl_->lib) FT_Done_FreeType(impl_->lib);
  delete impl_;
}

namespace {

// Walks the glyphs of `text` from `pen` (26.6 fixed point), kerning as it
// goes; calls onGlyph(slot, pen) for every glyph that loads. Returns the
// pen after the last glyph.
template <class OnGlyph>
long walkGlyphs(FT_Face f, const std::string& text, long pen, FT_Int32 load, OnGlyph onGlyph) {
  FT_UInt prev = 0;
  for (unsigned cp : codepoints(text)) {
    const FT_UInt gi = FT_Get_Char_Index(f, cp);
    if (prev && gi && FT_HAS_KERNING(f)) {
      FT_Vector k;
      FT_Get_Kerning(f, prev, gi, FT_KERNING_DEFAULT, &k);
      pen += k.x;
    }
    if (FT_Load_Glyph(f, gi, load) != 0) continue;
    onGlyph(f->glyph, pen);
    pen += f->glyph->advance.x;
    prev = gi;
  }
  return pen;
}

}  // namespace

int TextPainter::width(const std::string& text, Font font, int size) {
  return static_cast<int>(walkGlyphs(impl_->face(font, size), text, 0, FT_LOAD_DEFAULT, [](FT_GlyphSlot, long) {}) >> 6);
}

int TextPainter::draw(Image& img, const std::string& text, Font font, int size, int x, int y, Rgb colour) {
  const long pen = walkGlyphs(impl_->face(font, size), text, static_cast<long>(x) << 6, FT_LOAD_RENDER,
                              [&](FT_GlyphSlot g, long at) {
                                const int ox = static_cast<int>(at >> 6) + g->bitmap_left;
                                const int oy = y - g->bitmap_top;
                                for (unsigned r = 0; r < g->bitmap.rows; ++r)
                                  for (unsigned cc = 0; cc < g->bitmap.width; ++cc) {
                                    const unsigned char a =
                                        g->bitmap.buffer[r * static_cast<unsigned>(g->bitmap.pitch) + cc];
                                    if (a) img.blend(ox + static_cast<int>(cc), oy + static_cast<int>(r), colour, a / 255.0);
                                  }
                              });
  return static_cast<int>(pen >> 6);
}

void TextPainter::drawFancy(Image& img, const std::string& text, Font font, int size, int x, int y, Rgb colour,
                            int shadow, int rim, Rgb rimColour) {
  if (shadow > 0) {
    Image shade(img.w, img.h);
    draw(shade, text, font, size, x + shadow, y + shadow, {0, 0, 0});
    for (int j = 0; j < img.h; ++j)
      for (int i = 0; i < img.w; ++i)
        if (shade.c(i, j) > 0) img.blend(i, j, {10, 10, 30}, 0.45 * shade.c(i, j));
  }
  for (int dy = -rim; dy <= rim; ++dy)
    for (int dx = -rim; dx <= rim; ++dx)
      if (rim > 0 && dx * dx + dy * dy <= rim * rim + 1) draw(img, text, font, size, x + dx, y + dy, rimColour);
  draw(img, text, font, size, x, y, colour);
}

void TextPainter::drawCentred(Image& img, const std::string& text, Font font, int size, int cx, int y, Rgb colour,
                              int shadow, int rim, Rgb rimColour) {
  drawFancy(img, text, font, size, cx - width(text, font, size) / 2, y, colour, shadow, rim, rimColour);
}

}  // namespace art
