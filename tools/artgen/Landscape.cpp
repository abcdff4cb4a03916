// The three landscapes: their design, the ground grid carved from it around
// the spawn spots, and the picture painted over the grid.
#include "artgen/Landscape.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <span>
#include <stdexcept>
#include <string>

namespace art {

namespace {

constexpr int W = Veld::Breedte, H = Veld::Hoogte;
using Veld::Plek;

using Points = std::vector<std::pair<double, double>>;

// A landmass: a top surface through control points; islands float with a
// rounded underside, the base land reaches down to the bottom of the field.
struct Mass {
  Points top;
  bool island = false;
  double thickness = 0;
  double roughness = 6;
  uint64_t seed = 1;
};

struct Cave {
  Points path;  // a worm of overlapping discs
  double radius;
};

// A pit through the base land down to the water: a rabbit that walks or
// falls into it drowns. Its banks slope in from `halfTop` columns either
// side of `x` at row `top` to `halfBottom` at the field's last row.
struct Lake {
  double x, top, halfTop, halfBottom;
};

struct Design {
  std::vector<Mass> masses;
  std::vector<Cave> caves;
  std::vector<Lake> lakes;
};

Design design(int level) {
  Design d;
  if (level == 1) {
    // Two floating islands high up and a long valley below them.
    d.masses.push_back({{{0, 640}, {28, 560}, {70, 470}, {130, 446}, {200, 425}, {262, 402}, {310, 395}, {354, 388},
                         {417, 401}, {477, 436}, {538, 482}, {596, 486}, {655, 477}, {720, 496}, {799, 475},
                         {860, 444}, {920, 405}, {958, 428}, {985, 530}, {1000, 640}},
                        false, 0, 7, 101});
    d.masses.push_back({{{30, 158}, {80, 141}, {138, 161}, {170, 132}, {197, 106}, {220, 126}, {243, 142}, {283, 155},
                         {315, 166}, {340, 179}, {386, 196}},
                        true, 72, 5, 102});
    d.masses.push_back({{{528, 228}, {565, 213}, {592, 176}, {616, 148}, {667, 155}, {695, 141}, {722, 134}, {760, 149},
                         {793, 155}, {825, 181}, {852, 201}, {896, 218}},
                        true, 84, 5, 103});
    d.caves.push_back({{{110, 505}, {160, 492}, {215, 500}, {265, 485}}, 15});
    d.caves.push_back({{{860, 500}, {905, 488}, {935, 500}}, 13});
    // The valley's low end opens onto the water between spots 12 and 19.
    d.lakes.push_back({727, 440, 30, 20});
  } else if (level == 2) {
    // Lowlands with a pit on the left, a mountain in the middle, a high
    // island over it and a ridge falling off a cliff on the right.
    d.masses.push_back({{{0, 640}, {22, 545}, {48, 436}, {74, 425}, {122, 412}, {169, 411}, {190, 470}, {222, 504},
                         {255, 482}, {295, 418}, {340, 372}, {400, 322}, {446, 290}, {490, 332}, {534, 374},
                         {582, 398}, {635, 338}, {685, 313}, {751, 284}, {818, 264}, {852, 272}, {868, 330},
                         {883, 470}, {901, 482}, {940, 490}, {975, 522}, {1000, 640}},
                        false, 0, 6, 201});
    d.masses.push_back({{{272, 208}, {314, 192}, {350, 181}, {387, 184}, {428, 202}}, true, 58, 4, 202});
    d.masses.push_back({{{452, 128}, {480, 114}, {535, 114}, {579, 100}, {622, 116}, {677, 117}, {712, 132}},
                        true, 66, 4, 203});
    d.caves.push_back({{{372, 410}, {410, 392}, {450, 398}, {478, 420}}, 14});
    d.caves.push_back({{{700, 392}, {745, 372}, {792, 380}}, 13});
    d.caves.push_back({{{80, 492}, {120, 505}}, 12});
  } else {
    // The duel arena: two terraces with a ridge and an island between them.
    d.masses.push_back({{{0, 640}, {30, 524}, {80, 424}, {130, 364}, {180, 337}, {226, 332}, {270, 331}, {310, 344},
                         {350, 318}, {382, 292}, {412, 286}, {442, 302}, {472, 368}, {510, 418}, {550, 433},
                         {592, 437}, {640, 421}, {700, 382}, {760, 362}, {820, 398}, {872, 458}, {922, 500},
                         {962, 540}, {1000, 640}},
                        false, 0, 6, 301});
    d.masses.push_back({{{330, 196}, {380, 180}, {440, 172}, {500, 182}, {560, 200}}, true, 52, 4, 302});
    d.caves.push_back({{{338, 396}, {390, 384}, {440, 386}}, 14});
    d.caves.push_back({{{690, 460}, {740, 446}, {790, 462}}, 13});
  }
  return d;
}

// Centripetal-free Catmull-Rom through the control points, clamped at the ends.
double curve(const Points& p, double x) {
  if (x <= p.front().first) return p.front().second;
  if (x >= p.back().first) return p.back().second;
  size_t i = 0;
  while (p[i + 1].first < x) ++i;
  const double x1 = p[i].first, x2 = p[i + 1].first;
  const double y0 = p[i > 0 ? i - 1 : i].second, y1 = p[i].second, y2 = p[i + 1].second;
  const double y3 = p[i + 2 < p.size() ? i + 2 : i + 1].second;
  const double t = (x - x1) / (x2 - x1);
  const double y = 0.5 * ((2 * y1) + (-y0 + y2) * t + (2 * y0 - 5 * y1 + 4 * y2 - y3) * t * t +
                          (-y0 + 3 * y1 - 3 * y2 + y3) * t * t * t);
  return std::clamp(y, std::min(y1, y2) - 12, std::max(y1, y2) + 12);  // no wild overshoot
}

// How strongly the spots flatten the surface at column x: 1 under a rabbit,
// fading out to 0 over a short run; target is the weighted floor row.
double flatten(std::span<const Plek> spots, double x, double surface, double& target) {
  double w = 0, sum = 0, weighted = 0;
  for (const Plek& s : spots) {
    if (std::abs(surface - (s.y + 1)) > 40) continue;  // a spot of another landmass
    const double dx = std::abs(x - s.x);
    double k = dx <= 15 ? 1.0 : dx >= 40 ? 0.0 : 1.0 - (dx - 15) / 25.0;
    k = k * k * (3 - 2 * k);
    w = std::max(w, k);
    sum += k;
    weighted += k * (s.y + 1);
  }
  if (sum > 0) target = weighted / sum;
  return w;
}

size_t idx(int x, int y) { return static_cast<size_t>(y - 1) * W + static_cast<size_t>(x - 1); }

}  // namespace

std::vector<bool> buildLandscape(int level) {
  const Design d = design(level);
  const std::span<const Plek> spots = Veld::Plekken(static_cast<uint32_t>(level));
  // The landscapes were drawn through the spots: each is a control point of
  // a top, so a spot moved by a pixel no longer matches its landscape.
  for (const Plek& s : spots) {
    bool onTop = false;
    for (const Mass& m : d.masses)
      for (const auto& [x, y] : m.top) onTop = onTop || (x == s.x && y == s.y + 1);
    if (!onTop)
      throw std::runtime_error("level " + std::to_string(level) + ": spot " + std::to_string(s.x) + "," +
                               std::to_string(s.y) + " is not on the landscape's drawn top");
  }
  std::vector<bool> g(static_cast<size_t>(W) * H, false);

  for (const Mass& m : d.masses) {
    const Noise1 rough(m.seed), under(m.seed + 1000);
    const double x0 = m.top.front().first, x1 = m.top.back().first;
    const double mid = (x0 + x1) / 2, half = (x1 - x0) / 2;
    for (int x = 1; x <= W; ++x) {
      if (x < x0 || x > x1) continue;
      double top = curve(m.top, x);
      const double smooth = top;
      top += m.roughness * rough.fractal(x / 38.0, 3);
      double target = 0;
      const double w = flatten(spots, x, smooth, target);
      top = top * (1 - w) + target * w;
      double bottom = H + 1;
      if (m.island) {
        const double t = (x - mid) / half;
        const double bulge = std::pow(std::max(0.0, 1 - t * t), 0.55);
        top += 10 * std::pow(std::abs(t), 10);  // rounded ends
        bottom = top + 4 + m.thickness * bulge * (0.8 + 0.35 * under.fractal(x / 14.0, 3));
      }
      const int y0 = std::max(1, static_cast<int>(std::lround(top)));
      const int y1 = std::min(H, static_cast<int>(std::lround(bottom)));
      for (int y = y0; y <= y1; ++y) g[idx(x, y)] = true;
    }
  }

  // Caves: worms of discs carved out of the ground.
  for (const Cave& c : d.caves)
    for (size_t i = 0; i + 1 < c.path.size(); ++i)
      for (int step = 0; step <= 40; ++step) {
        const double t = step / 40.0;
        const double cx = c.path[i].first + (c.path[i + 1].first - c.path[i].first) * t;
        const double cy = c.path[i].second + (c.path[i + 1].second - c.path[i].second) * t;
        const double r = c.radius * (0.85 + 0.15 * std::sin(step * 0.7 + static_cast<double>(i)));
        for (int y = static_cast<int>(cy - r); y <= cy + r; ++y)
          for (int x = static_cast<int>(cx - r * 1.4); x <= cx + r * 1.4; ++x)
            if (x >= 1 && x <= W && y >= 1 && y <= H && std::hypot((x - cx) / 1.4, y - cy) <= r) g[idx(x, y)] = false;
      }

  for (const Lake& l : d.lakes)
    for (int y = static_cast<int>(l.top); y <= H; ++y) {
      const double half = l.halfTop + (l.halfBottom - l.halfTop) * (y - l.top) / (H - l.top);
      for (int x = static_cast<int>(std::ceil(l.x - half)); x <= l.x + half; ++x)
        if (x >= 1 && x <= W) g[idx(x, y)] = false;
    }

  // Every spawn spot: firm ground under the feet, free air for the rabbit.
  for (const Plek& s : spots)
    for (int x = s.x - 16; x <= s.x + 16; ++x)
      for (int y = s.y + 1; y <= std::min(H, s.y + 8); ++y) g[idx(x, y)] = true;
  for (const Plek& s : spots)
    for (int x = s.x - 15; x <= s.x + 15; ++x)
      for (int y = std::max(1, s.y - 65); y <= s.y; ++y) g[idx(x, y)] = false;
  for (const Plek& s : spots)
    if (!g[idx(s.x, s.y + 1)])
      throw std::runtime_error("level " + std::to_string(level) + ": no ground under spot " + std::to_string(s.x));
  return g;
}

Image paintLandscape(const std::vector<bool>& g, int level) {
  Image img(W, H, rgb(Veld::Lucht), 1.0f);
  const uint64_t seed = 500 + static_cast<uint64_t>(level);
  const Noise1 grassLen(seed);
  auto ground = [&](int x, int y) { return x >= 1 && x <= W && y >= 1 && y <= H && g[idx(x, y)]; };
  for (int x = 1; x <= W; ++x) {
    // Depth below the last air cell above, and distance to the next air below.
    std::vector<int> below(H + 2, 1000);
    for (int y = H; y >= 1; --y) below[static_cast<size_t>(y)] = ground(x, y) ? (y == H ? 1000 : below[static_cast<size_t>(y) + 1] + 1) : 0;
    int depth = 1000;
    const int blades = 3 + static_cast<int>(std::lround(2.5 * (1 + grassLen.fractal(x / 3.0, 2))));
    for (int y = 1; y <= H; ++y) {
      Rgb c;
      if (!ground(x, y)) {
        depth = -1;
        c = rgb(Veld::Luchtkleur(y));
      } else {
        ++depth;
        const double n = fractal2(seed, x / 9.0, y / 5.0, 3);
        const double fine = noise2(seed + 7, x / 1.7, y / 1.7);
        if (depth < blades && depth < 40) {
          const double t = depth / static_cast<double>(blades);
          c = mix(Rgb{138, 214, 78}, Rgb{58, 140, 44}, t);
          c = scale(c, 1.0 + 0.10 * fine);
        } else if (depth < blades + 3) {
          c = mix(Rgb{70, 110, 40}, Rgb{104, 76, 42}, (depth - blades) / 3.0);
        } else {
          const double band = std::sin(y / 7.0 + 2.5 * n) * 0.5 + 0.5;
          c = mix(Rgb{158, 110, 62}, Rgb{128, 86, 48}, band);
          c = mix(c, Rgb{96, 64, 38}, std::clamp((y - 150) / 500.0, 0.0, 0.8));  // darker further down
          if (depth < blades + 10) c = mix(Rgb{112, 80, 44}, c, (depth - blades - 3) / 7.0);  // topsoil
          c = scale(c, 1.0 + 0.08 * fine + 0.06 * n);
          const double stone = noise2(seed + 13, x / 3.0, y / 2.2);
          if (stone > 0.86) c = mix(Rgb{150, 138, 124}, c, 0.35);  // pebbles
        }
        const int under = below[static_cast<size_t>(y)];
        if (under <= 3 && y < H) c = scale(c, 0.62 + 0.1 * under);     // shadowed undersides
        if (!ground(x - 1, y) || !ground(x + 1, y)) c = scale(c, depth < blades ? 0.9 : 0.8);  // side rims
        if (y > Veld::WaterLijnOnder) c = mix(c, Rgb{40, 52, 70}, 0.3);  // wet below the waterline
        const Rgb air = rgb(Veld::Luchtkleur(y));
        if (c == air) c.r = static_cast<uint8_t>(c.r ^ 1);
      }
      img.at(x - 1, y - 1) = c;
    }
  }
  return img;
}

}  // namespace art
