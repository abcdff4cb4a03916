#include <cmath>
#include <numbers>

#include "artgen/Art.h"
#include "artgen/Rabbit.h"

namespace art {

namespace {

const Rgb kRim{36, 22, 28};

Affine around(double cx, double cy, double angle) {
  return Affine::translate(-cx, -cy).then(Affine::rotate(-angle));
}

std::vector<std::pair<double, double>> star(double cx, double cy, int points, double outer, double inner,
                                            double phase, uint64_t seed) {
  Rng r(seed);
  std::vector<std::pair<double, double>> p;
  for (int i = 0; i < 2 * points; ++i) {
    const double a = phase + i * std::numbers::pi / points;
    const double rad = (i % 2 == 0 ? outer : inner) * r.range(0.86, 1.0);
    p.emplace_back(cx + rad * std::cos(a), cy + rad * std::sin(a));
  }
  return p;
}

}  // namespace

Image shellSprite(double angle) {
  Scene s;
  s.add(polygon({{-7.2, 0}, {-4.6, -1.6}, {-4.6, 1.6}}), Rgb{255, 170, 40}, false);  // exhaust flame
  s.add(polygon({{-6.0, 0}, {-4.6, -0.8}, {-4.6, 0.8}}), Rgb{255, 245, 160}, false);
  s.add(polygon({{-4.8, -3.6}, {-2.2, -1.8}, {-2.2, 1.8}, {-4.8, 3.6}}), Rgb{170, 40, 36});  // fins
  s.ramp(box(-4.4, -2.1, 2.6, 2.1, 0.6), Rgb{220, 224, 230}, Rgb{120, 126, 140}, -2.1, 2.1);
  s.add(ellipse(2.6, 0, 3.8, 2.1), Rgb{212, 56, 44});  // warhead
  s.add(box(-1.0, -2.1, 0.2, 2.1), Rgb{250, 204, 60}, false);
  s.add(box(-3.6, -1.3, 2.0, -0.6), Rgb{246, 248, 252}, false);  // shine
  Image img(16, 16);
  // The shell's centre is the point the game gives, image pixel (8, 8).
  paintPixels(img, s, Affine::translate(-8.5, -8.5).then(Affine::rotate(-angle)), kRim);
  return img;
}

Image grenadeSprite(bool pinPulled) {
  Scene s;
  s.ramp(circle(6.5, 8.6, 4.9), Rgb{112, 160, 74}, Rgb{44, 78, 30}, 3.7, 13.5);
  s.add(box(3.0, 8.0, 10.0, 8.9), Rgb{46, 74, 30}, false);  // ribs
  s.add(box(6.1, 4.0, 6.9, 13.2), Rgb{46, 74, 30}, false);
  s.add(circle(4.6, 6.6, 1.1), Rgb{186, 222, 140}, false);  // shine
  s.add(box(4.6, 2.0, 8.4, 4.2), Rgb{120, 124, 136});      // cap
  s.add(capsule(8.2, 2.4, 12.4, 5.4, 0.75), Rgb{190, 196, 208});  // lever
  if (!pinPulled) s.add(ring(11.6, 2.4, 1.6, 0.55), Rgb{230, 200, 80});
  Image img(16, 16);
  paintPixels(img, s, Affine{}, kRim);
  return img;
}

Image dynamiteSprite() {
  Scene s;
  s.ramp(box(0.5, 9.5, 6.5, 25.6, 0.8), Rgb{240, 70, 56}, Rgb{170, 24, 24}, 9.5, 25.6);
  s.add(box(0.5, 12.5, 6.5, 14.0), Rgb{250, 232, 200}, false);
  s.add(box(0.5, 20.5, 6.5, 22.0), Rgb{250, 232, 200}, false);
  s.add(box(1.6, 10.5, 2.6, 24.5), Rgb{255, 140, 120}, false);  // shine
  s.add(capsule(3.5, 9.5, 4.6, 6.5, 0.55), Rgb{110, 90, 66});
  s.add(capsule(4.6, 6.5, 4.2, 4.6, 0.55), Rgb{110, 90, 66});
  s.add(polygon(star(4.3, 2.6, 5, 2.6, 1.1, -std::numbers::pi / 2, 7)), Rgb{255, 214, 60});
  s.add(circle(4.3, 2.6, 0.8), Rgb{255, 255, 220}, false);
  Image img(8, 26);
  paintPixels(img, s, Affine{}, kRim, false);
  return img;
}

Image sightSprite() {
  Scene s;
  const double c = 8.5;
  s.add(ring(c, c, 5.4, 0.75), Rgb{236, 40, 40});
  s.add(box(c - 0.5, 0.3, c + 0.5, 4.6), Rgb{236, 40, 40});
  s.add(box(c - 0.5, 12.4, c + 0.5, 16.7), Rgb{236, 40, 40});
  s.add(box(0.3, c - 0.5, 4.6, c + 0.5), Rgb{236, 40, 40});
  s.add(box(12.4, c - 0.5, 16.7, c + 0.5), Rgb{236, 40, 40});
  s.add(circle(c, c, 0.9), Rgb{255, 240, 120});
  Image img(20, 20);
  paintPixels(img, s, Affine{}, Rgb{255, 255, 255});
  return img;
}

Image explosionSprite() {
  Scene s;
  const double c = 30.0;
  s.add(polygon(star(c, c, 13, 29.0, 18.0, 0.1, 11)), Rgb{200, 40, 24}, false);
  s.add(polygon(star(c, c, 11, 24.0, 14.5, 0.35, 12)), Rgb{246, 104, 30}, false);
  s.add(polygon(star(c, c, 9, 18.0, 11.0, 0.7, 13)), Rgb{255, 180, 40}, false);
  s.add(polygon(star(c, c, 7, 12.5, 8.0, 0.2, 14)), Rgb{255, 236, 90}, false);
  s.add(circle(c, c, 6.0), Rgb{255, 252, 214}, false);
  Rng r(99);
  for (int i = 0; i < 9; ++i) {  // flying embers
    const double a = r.range(0, 2 * std::numbers::pi), d = r.range(20, 26);
    s.add(circle(c + d * std::cos(a), c + d * std::sin(a), r.range(1.2, 2.2)), Rgb{255, 214, 80}, false);
  }
  Image img(60, 60);
  paintPixels(img, s, Affine::translate(0, 0), kRim, false);
  // Bright ragged core: vary the orange with noise for a fiery look.
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 60; ++x)
      if (img.c(x, y) > 0) img.at(x, y) = scale(img.at(x, y), 1.0 + 0.12 * fractal2(5, x / 6.0, y / 6.0, 3));
  return img;
}

Image arrowSprite() {
  // The game draws the rabbit's health bar over the picture's last five
  // rows, so the whole arrow, tip included, lies in the ten above them.
  Scene s;
  s.ramp(polygon({{7.5, 0.6}, {14.5, 0.6}, {14.5, 3.6}, {20.2, 3.6}, {11.0, 9.0}, {1.8, 3.6}, {7.5, 3.6}}),
         Rgb{255, 240, 120}, Rgb{246, 150, 20}, 0, 9);
  s.add(box(9.0, 1.4, 10.5, 3.6), Rgb{255, 255, 220}, false);
  Image img(22, 15);
  paintPixels(img, s, Affine{}, kRim);
  return img;
}

Image weaponIcon(int weapon, TextPainter& text) {
  Image img(66, 66);
  // The slot: a rounded, slightly sunken panel.
  Scene slot;
  slot.ramp(box(0.5, 0.5, 65.5, 65.5, 9), Rgb{96, 104, 128}, Rgb{44, 48, 64}, 0, 66, false);
  slot.ramp(box(3.5, 3.5, 62.5, 62.5, 7), Rgb{30, 34, 50}, Rgb{58, 64, 88}, 3, 63, false);
  paintPixels(img, slot, Affine{}, kRim, false);
  Scene s;
  std::string name;
  const Rgb rim{20, 16, 20};
  switch (weapon) {
    case 1: {
      name = "Bazooka";
      const Affine m = around(33, 29, -0.55);
      s.add(transformed(box(-24, -5.5, 22, 5.5, 1.0), m), Rgb{112, 138, 62});
      s.add(transformed(box(-24, -5.5, 22, -2.5, 1.0), m), Rgb{150, 178, 88}, false);
      s.add(transformed(box(16, -6.2, 23, 6.2, 1.0), m), Rgb{66, 86, 36});
      s.add(transformed(box(-26, -6.8, -18, 6.8, 1.0), m), Rgb{66, 86, 36});
      s.add(transformed(box(-2, -5.5, 3, 5.5), m), Rgb{232, 196, 60}, false);
      s.add(transformed(box(-8, 5.5, -3, 13), m), Rgb{86, 90, 104});
      s.add(transformed(box(6, 5.5, 10, 11), m), Rgb{86, 90, 104});
      break;
    }
    case 2:
      name = "Grenade";
      s.ramp(circle(31, 32, 15), Rgb{120, 170, 80}, Rgb{40, 72, 28}, 17, 47);
      s.add(box(17, 30.5, 45, 33.5), Rgb{44, 74, 30}, false);
      s.add(box(29.5, 18, 32.5, 46), Rgb{44, 74, 30}, false);
      s.add(circle(25, 25, 3.5), Rgb{190, 226, 150}, false);
      s.add(box(25, 11, 37, 19, 1), Rgb{120, 124, 136});
      s.add(capsule(36, 13, 48, 23, 2.2), Rgb{196, 202, 214});
      s.add(ring(44, 10, 5, 1.4), Rgb{232, 200, 80});
      break;
    case 3:
      name = "Pistol";
      s.add(polygon({{12, 18}, {54, 18}, {54, 28}, {34, 28}, {31, 31}, {29, 44}, {17, 44}, {20, 28}, {12, 28}}),
            Rgb{88, 94, 110});
      s.add(box(12, 18, 54, 21), Rgb{150, 156, 172}, false);
      s.add(polygon({{20, 30}, {29, 30}, {27, 43}, {18, 43}}), Rgb{120, 74, 40}, false);
      s.add(ring(34, 30, 4.5, 1.2), Rgb{88, 94, 110});
      s.add(box(50, 14.5, 53, 18), Rgb{88, 94, 110});
      break;
    case 4: {
      name = "Axe";
      const Affine m = around(33, 34, -0.9);
      s.add(transformed(box(-22, -2.6, 22, 2.6, 1.5), m), Rgb{158, 102, 52});
      s.add(transformed(box(-22, -2.6, 22, -1.0, 1.0), m), Rgb{196, 140, 84}, false);
      s.add(transformed(polygon({{10, -4}, {22, -4}, {27, 16}, {5, 16}}), m), Rgb{200, 206, 218});
      s.add(transformed(polygon({{5, 12.5}, {27, 12.5}, {27, 16}, {5, 16}}), m), Rgb{250, 252, 255}, false);
      s.add(transformed(box(12, -10, 20, -4, 1), m), Rgb{110, 116, 130});
      break;
    }
    case 5:
      name = "Dynamite";
      for (int i = 0; i < 3; ++i) {
        const double x = 19 + i * 9.5;
        s.ramp(box(x - 4.6, 22, x + 4.6, 50, 1.5), Rgb{244, 80, 60}, Rgb{160, 22, 22}, 22, 50);
        s.add(box(x - 2.8, 24, x - 1.5, 48), Rgb{255, 150, 130}, false);
      }
      s.add(box(12, 30, 52, 34), Rgb{60, 50, 44});
      s.add(box(12, 40, 52, 44), Rgb{60, 50, 44});
      s.add(capsule(28.5, 22, 33, 14, 1.0), Rgb{120, 96, 70});
      s.add(capsule(33, 14, 40, 11, 1.0), Rgb{120, 96, 70});
      s.add(polygon(star(42, 10, 6, 7, 2.8, 0, 21)), Rgb{255, 214, 60});
      s.add(circle(42, 10, 2.2), Rgb{255, 255, 220}, false);
      break;
    default:
      break;
  }
  if (!s.layers.empty()) paintSmooth(img, s, Affine{}, 1.0, rim, 1.1, 4);
  if (!name.empty()) {
    const int w = text.width(name, Font::Bold, 10);
    text.draw(img, name, Font::Bold, 10, 33 - w / 2, 61, Rgb{236, 236, 246});
  }
  return img;
}

Image digitPicture(int digit) {
  // Seven segments: a top, b top right, c bottom right, d bottom, e bottom left, f top left, g middle.
  static const char* lit[10] = {"abcdef", "bc", "abdeg", "abcdg", "bcfg", "acdfg", "acdefg", "abc", "abcdefg", "abcdfg"};
  Image img(22, 33, Rgb{18, 14, 16}, 1.0f);
  const double l = 4.5, r = 17.5, t = 4.0, m = 16.5, b = 29.0, w = 1.6;
  auto horiz = [&](double y) {
    return polygon({{l + 1, y}, {l + 1 + w, y - w}, {r - 1 - w, y - w}, {r - 1, y}, {r - 1 - w, y + w}, {l + 1 + w, y + w}});
  };
  auto vert = [&](double x, double y0, double y1) {
    return polygon({{x, y0 + 1}, {x + w, y0 + 1 + w}, {x + w, y1 - 1 - w}, {x, y1 - 1}, {x - w, y1 - 1 - w}, {x - w, y0 + 1 + w}});
  };
  const Sdf seg[7] = {horiz(t), vert(r, t, m), vert(r, m, b), horiz(b), vert(l, m, b), vert(l, t, m), horiz(m)};
  Scene dim, on;
  for (int i = 0; i < 7; ++i) {
    const bool isLit = std::string(lit[digit]).find(static_cast<char>('a' + i)) != std::string::npos;
    if (isLit)
      on.ramp(seg[i], Rgb{255, 150, 90}, Rgb{255, 60, 30}, 2, 31, false);
    else
      dim.add(seg[i], Rgb{58, 30, 28}, false);
  }
  // A soft glow under the lit segments, then the segments themselves.
  Scene glow;
  for (const Layer& layer : on.layers)
    glow.add([s = layer.shape](double x, double y) { return s(x, y) - 1.6; }, Rgb{110, 30, 20}, false);
  paintSmooth(img, dim, Affine{}, 1.0, {}, 0, 4);
  paintSmooth(img, glow, Affine{}, 1.0, {}, 0, 4);
  paintSmooth(img, on, Affine{}, 1.0, {}, 0, 4);
  return img;
}

}  // namespace art
