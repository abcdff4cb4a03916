// Small software painter for the game's art: RGB images with coverage,
// shapes described by signed distance functions, and a deterministic
// random source so every build paints the same pixels.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace art {

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

Rgb mix(Rgb a, Rgb b, double t);       // t = 0 gives a, 1 gives b
Rgb scale(Rgb c, double f);            // brighten (> 1) or darken (< 1)

// An RGB picture with a coverage channel: coverage 0 means "nothing painted
// here", which for sprites becomes the transparent part (black in the mask).
struct Image {
  int w = 0, h = 0;
  std::vector<Rgb> px;
  std::vector<float> cov;

  Image() = default;
  Image(int width, int height, Rgb fill = {}, float coverage = 0.0f);
  Rgb& at(int x, int y) { return px[static_cast<size_t>(y) * w + x]; }
  Rgb at(int x, int y) const { return px[static_cast<size_t>(y) * w + x]; }
  float& c(int x, int y) { return cov[static_cast<size_t>(y) * w + x]; }
  float c(int x, int y) const { return cov[static_cast<size_t>(y) * w + x]; }
  bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }

  // Paints colour over pixel (x, y) with opacity a (0..1), raising coverage.
  void blend(int x, int y, Rgb colour, double a);
  void fillRect(int x0, int y0, int x1, int y1, Rgb colour);  // inclusive corners
  void blit(const Image& src, int x, int y);                  // honours src coverage
  Image scaled(double factor) const;                          // box filter / nearest
};

// 2-D affine map p' = (a*x + b*y + c, d*x + e*y + f).
struct Affine {
  double a = 1, b = 0, c = 0, d = 0, e = 1, f = 0;
  void apply(double x, double y, double& ox, double& oy) const {
    ox = a * x + b * y + c;
    oy = d * x + e * y + f;
  }
  Affine then(const Affine& next) const;  // first this, then next
  static Affine translate(double dx, double dy) { return {1, 0, dx, 0, 1, dy}; }
  static Affine rotate(double radians);   // about the origin
  static Affine scaling(double sx, double sy) { return {sx, 0, 0, 0, sy, 0}; }
  static Affine rotateAbout(double radians, double px, double py);
  Affine inverse() const;
};

// A shape: signed distance in model units, negative inside.
using Sdf = std::function<double(double, double)>;

Sdf circle(double cx, double cy, double r);
Sdf ellipse(double cx, double cy, double rx, double ry);
Sdf capsule(double x0, double y0, double x1, double y1, double r);
Sdf box(double x0, double y0, double x1, double y1, double round = 0);
Sdf polygon(std::vector<std::pair<double, double>> pts);
Sdf ring(double cx, double cy, double r, double half);
Sdf transformed(Sdf s, const Affine& modelToShape, double distScale = 1.0);
Sdf unite(Sdf a, Sdf b);
Sdf subtract(Sdf a, Sdf b);

// One painted layer: a shape and a vertical colour ramp (top colour at
// model row y0, bottom colour at y1). Outlined layers get a dark rim.
struct Layer {
  Sdf shape;
  Rgb top, bottom;
  double y0 = 0, y1 = 0;
  bool outline = true;
};

struct Scene {
  std::vector<Layer> layers;
  void add(Sdf s, Rgb c, bool outline = true) { layers.push_back({std::move(s), c, c, 0, 0, outline}); }
  void ramp(Sdf s, Rgb top, Rgb bottom, double y0, double y1, bool outline = true) {
    layers.push_back({std::move(s), top, bottom, y0, y1, outline});
  }
  void append(const Scene& o) { layers.insert(layers.end(), o.layers.begin(), o.layers.end()); }
};

// Crisp pixel art: a pixel is painted when its centre lies inside a shape;
// afterwards every empty pixel touching the silhouette becomes the rim colour.
void paintPixels(Image& img, const Scene& scene, const Affine& pixelToModel, Rgb rim, bool rimOn = true);

// Smooth painting for large pictures: supersampled coverage, outlined layers
// drawn first widened by rimWidth (model units) in the rim colour.
void paintSmooth(Image& img, const Scene& scene, const Affine& pixelToModel, double modelPerPixel,
                 Rgb rim, double rimWidth, int samples = 4);

// Deterministic random numbers (splitmix64): the same sequence on every
// compiler and library.
class Rng {
 public:
  explicit Rng(uint64_t seed) : s_(seed) {}
  uint64_t next();
  double uniform();                       // [0, 1)
  double range(double lo, double hi) { return lo + (hi - lo) * uniform(); }
  int integer(int lo, int hi);            // lo..hi inclusive
 private:
  uint64_t s_;
};

// Smooth 1-D value noise from a fixed table, values in [-1, 1].
class Noise1 {
 public:
  Noise1(uint64_t seed, int cells = 512);
  double at(double x) const;              // x in cells
  double fractal(double x, int octaves) const;
 private:
  std::vector<double> v_;
};

// Smooth 2-D hashed value noise, values in [-1, 1].
double noise2(uint64_t seed, double x, double y);
double fractal2(uint64_t seed, double x, double y, int octaves);

}  // namespace art
