// Text on the screens, set in DejaVu through FreeType.
#pragma once

#include <string>

#include "artgen/Paint.h"

namespace art {

enum class Font { Regular, Bold };

class TextPainter {
 public:
  TextPainter();
  ~TextPainter();
  TextPainter(const TextPainter&) = delete;
  TextPainter& operator=(const TextPainter&) = delete;

  // Width in pixels of a line of text at the given pixel size.
  int width(const std::string& text, Font font, int size);
  // Draws text with its baseline at y, starting at x; returns the end x.
  int draw(Image& img, const std::string& text, Font font, int size, int x, int y, Rgb colour);
  // Centred on cx, with a soft dark shadow and an optional rim for titles.
  void drawCentred(Image& img, const std::string& text, Font font, int size, int cx, int y, Rgb colour,
                   int shadow = 2, int rim = 0, Rgb rimColour = {40, 24, 20});
  void drawFancy(Image& img, const std::string& text, Font font, int size, int x, int y, Rgb colour, int shadow,
                 int rim, Rgb rimColour);

 private:
  struct Impl;
  Impl* impl_;
};

}  // namespace art
