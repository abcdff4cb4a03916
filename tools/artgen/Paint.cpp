#include "artgen/Paint.h"

#include <algorithm>
#include <cmath>

namespace art {

namespace {
uint8_t clamp8(double v) { return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0, 255.0))); }
double clamp01(double v) { return std::clamp(v, 0.0, 1.0); }
}  // namespace

Rgb mix(Rgb a, Rgb b, double t) {
  t = clamp01(t);
  return {clamp8(a.r + (b.r - a.r) * t), clamp8(a.g + (b.g - a.g) * t), clamp8(a.b + (b.b - a.b) * t)};
}

Rgb scale(Rgb c, double f) {
  if (f <= 1.0) return {clamp8(c.r * f), clamp8(c.g * f), clamp8(c.b * f)};
  const double t = f - 1.0;  // towards white
  return mix(c, Rgb{255, 255, 255}, t);
}

Image::Image(int width, int height, Rgb fill, float coverage)
    : w(width), h(height), px(static_cast<size_t>(width) * height, fill),
      cov(static_cast<size_t>(width) * height, coverage) {}

void Image::blend(int x, int y, Rgb colour, double a) {
  if (!inside(x, y) || a <= 0) return;
  a = std::min(a, 1.0);
  Rgb& p = at(x, y);
  float& k = c(x, y);
  p = k <= 0 ? colour : mix(p, colour, a);
  k = static_cast<float>(k + (1.0 - k) * a);
}

void Image::fillRect(int x0, int y0, int x1, int y1, Rgb colour) {
  for (int y = std::max(0, y0); y <= std::min(h - 1, y1); ++y)
    for (int x = std::max(0, x0); x <= std::min(w - 1, x1); ++x) {
      at(x, y) = colour;
      c(x, y) = 1.0f;
    }
}

void Image::blit(const Image& src, int ox, int oy) {
  for (int y = 0; y < src.h; ++y)
    for (int x = 0; x < src.w; ++x) blend(ox + x, oy + y, src.at(x, y), src.c(x, y));
}

Image Image::scaled(double factor) const {
  const int nw = std::max(1, static_cast<int>(std::lround(w * factor)));
  const int nh = std::max(1, static_cast<int>(std::lround(h * factor)));
  Image out(nw, nh);
  if (factor >= 1.0) {
    for (int y = 0; y < nh; ++y)
      for (int x = 0; x < nw; ++x) {
        const int sx = std::min(w - 1, static_cast<int>(x / factor));
        const int sy = std::min(h - 1, static_cast<int>(y / factor));
        out.at(x, y) = at(sx, sy);
        out.c(x, y) = c(sx, sy);
      }
    return out;
  }
  const int step = static_cast<int>(std::lround(1.0 / factor));
  for (int y = 0; y < nh; ++y)
    for (int x = 0; x < nw; ++x) {
      double r = 0, g = 0, b = 0, k = 0;
      int n = 0;
      for (int j = 0; j < step; ++j)
        for (int i = 0; i < step; ++i) {
          const int sx = x * step + i, sy = y * step + j;
          if (sx >= w || sy >= h) continue;
          const Rgb p = at(sx, sy);
          r += p.r; g += p.g; b += p.b; k += c(sx, sy);
          ++n;
        }
      out.at(x, y) = {clamp8(r / n), clamp8(g / n), clamp8(b / n)};
      out.c(x, y) = static_cast<float>(k / n);
    }
  return out;
}

Affine Affine::then(const Affine& n) const {
  return {n.a * a + n.b * d, n.a * b + n.b * e, n.a * c + n.b * f + n.c,
          n.d * a + n.e * d, n.d * b + n.e * e, n.d * c + n.e * f + n.f};
}

Affine Affine::rotate(double t) { return {std::cos(t), -std::sin(t), 0, std::sin(t), std::cos(t), 0}; }

Affine Affine::rotateAbout(double t, double px, double py) {
  return translate(-px, -py).then(rotate(t)).then(translate(px, py));
}

Affine Affine::inverse() const {
  const double det = a * e - b * d;
  const double ia = e / det, ib = -b / det, id = -d / det, ie = a / det;
  return {ia, ib, -(ia * c + ib * f), id, ie, -(id * c + ie * f)};
}

Sdf circle(double cx, double cy, double r) {
  return [=](double x, double y) { return std::hypot(x - cx, y - cy) - r; };
}

Sdf ellipse(double cx, double cy, double rx, double ry) {
  return [=](double x, double y) {
    const double k = std::hypot((x - cx) / rx, (y - cy) / ry);
    return (k - 1.0) * std::min(rx, ry);
  };
}

Sdf capsule(double x0, double y0, double x1, double y1, double r) {
  return [=](double x, double y) {
    const double dx = x1 - x0, dy = y1 - y0;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((x - x0) * dx + (y - y0) * dy) / len2 : 0;
    t = clamp01(t);
    return std::hypot(x - (x0 + t * dx), y - (y0 + t * dy)) - r;
  };
}

Sdf box(double x0, double y0, double x1, double y1, double round) {
  const double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
  const double hx = (x1 - x0) / 2 - round, hy = (y1 - y0) / 2 - round;
  return [=](double x, double y) {
    const double qx = std::abs(x - cx) - hx, qy = std::abs(y - cy) - hy;
    return std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) - round;
  };
}

Sdf polygon(std::vector<std::pair<double, double>> pts) {
  return [pts](double x, double y) {
    double d = 1e18;
    bool in = false;
    for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
      const auto [xi, yi] = pts[i];
      const auto [xj, yj] = pts[j];
      const double ex = xj - xi, ey = yj - yi;
      const double len2 = ex * ex + ey * ey;
      const double t = len2 > 0 ? clamp01(((x - xi) * ex + (y - yi) * ey) / len2) : 0;
      d = std::min(d, std::hypot(x - (xi + t * ex), y - (yi + t * ey)));
      if (((yi > y) != (yj > y)) && (x < (xj - xi) * (y - yi) / (yj - yi) + xi)) in = !in;
    }
    return in ? -d : d;
  };
}

Sdf ring(double cx, double cy, double r, double half) {
  return [=](double x, double y) { return std::abs(std::hypot(x - cx, y - cy) - r) - half; };
}

Sdf transformed(Sdf s, const Affine& m, double distScale) {
  return [s = std::move(s), m, distScale](double x, double y) {
    double ox, oy;
    m.apply(x, y, ox, oy);
    return s(ox, oy) * distScale;
  };
}

Sdf unite(Sdf a, Sdf b) {
  return [a = std::move(a), b = std::move(b)](double x, double y) { return std::min(a(x, y), b(x, y)); };
}

Sdf subtract(Sdf a, Sdf b) {
  return [a = std::move(a), b = std::move(b)](double x, double y) { return std::max(a(x, y), -b(x, y)); };
}

namespace {
Rgb layerColour(const Layer& l, double y) {
  if (l.y1 == l.y0) return l.top;
  return mix(l.top, l.bottom, (y - l.y0) / (l.y1 - l.y0));
}
}  // namespace

void paintPixels(Image& img, const Scene& scene, const Affine& p2m, Rgb rim, bool rimOn) {
  Image layer(img.w, img.h);
  for (int y = 0; y < img.h; ++y)
    for (int x = 0; x < img.w; ++x) {
      double mx, my;
      p2m.apply(x + 0.5, y + 0.5, mx, my);
      for (const Layer& l : scene.layers)
        if (l.shape(mx, my) <= 0) layer.blend(x, y, layerColour(l, my), 1.0);
    }
  if (rimOn) {
    Image ringed = layer;
    for (int y = 0; y < img.h; ++y)
      for (int x = 0; x < img.w; ++x) {
        if (layer.c(x, y) > 0) continue;
        const bool touch = (x > 0 && layer.c(x - 1, y) > 0) || (x + 1 < img.w && layer.c(x + 1, y) > 0) ||
                           (y > 0 && layer.c(x, y - 1) > 0) || (y + 1 < img.h && layer.c(x, y + 1) > 0);
        if (touch) ringed.blend(x, y, rim, 1.0);
      }
    layer = std::move(ringed);
  }
  img.blit(layer, 0, 0);
}

void paintSmooth(Image& img, const Scene& scene, const Affine& p2m, double mpp, Rgb rim, double rimWidth,
                 int n) {
  // Bounding pass: skip pixels far from every shape quickly by sampling the centre.
  for (int y = 0; y < img.h; ++y)
    for (int x = 0; x < img.w; ++x) {
      double cx, cy;
      p2m.apply(x + 0.5, y + 0.5, cx, cy);
      bool near = false;
      for (const Layer& l : scene.layers)
        if (l.shape(cx, cy) < rimWidth + 2 * mpp) { near = true; break; }
      if (!near) continue;
      // Accumulate a supersampled colour for this pixel.
      double r = 0, g = 0, b = 0, k = 0;
      for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) {
          double mx, my;
          p2m.apply(x + (i + 0.5) / n, y + (j + 0.5) / n, mx, my);
          bool hit = false;
          Rgb col{};
          for (const Layer& l : scene.layers)
            if (l.outline && l.shape(mx, my) <= rimWidth) { col = rim; hit = true; break; }
          for (const Layer& l : scene.layers)
            if (l.shape(mx, my) <= 0) { col = layerColour(l, my); hit = true; }
          if (hit) { r += col.r; g += col.g; b += col.b; k += 1; }
        }
      if (k > 0) img.blend(x, y, Rgb{clamp8(r / k), clamp8(g / k), clamp8(b / k)}, k / (n * n));
    }
}

uint64_t Rng::next() {
  uint64_t z = (s_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

double Rng::uniform() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }

int Rng::integer(int lo, int hi) { return lo + static_cast<int>(next() % static_cast<uint64_t>(hi - lo + 1)); }

Noise1::Noise1(uint64_t seed, int cells) {
  Rng r(seed);
  v_.resize(static_cast<size_t>(cells));
  for (double& d : v_) d = r.range(-1, 1);
}

double Noise1::at(double x) const {
  const int n = static_cast<int>(v_.size());
  const double fl = std::floor(x);
  const int i = ((static_cast<int>(fl) % n) + n) % n;
  const double t = x - fl, s = t * t * (3 - 2 * t);
  return v_[static_cast<size_t>(i)] + (v_[static_cast<size_t>((i + 1) % n)] - v_[static_cast<size_t>(i)]) * s;
}

double Noise1::fractal(double x, int octaves) const {
  double sum = 0, amp = 1, norm = 0;
  for (int o = 0; o < octaves; ++o) {
    sum += at(x + o * 37.0) * amp;
    norm += amp;
    amp *= 0.5;
    x *= 2;
  }
  return sum / norm;
}

namespace {
double hash2(uint64_t seed, int64_t x, int64_t y) {
  Rng r(seed ^ (static_cast<uint64_t>(x) * 0x9E3779B1ull) ^ (static_cast<uint64_t>(y) * 0x85EBCA77C2B2AE63ull));
  return r.range(-1, 1);
}
}  // namespace

double noise2(uint64_t seed, double x, double y) {
  const double fx = std::floor(x), fy = std::floor(y);
  const auto ix = static_cast<int64_t>(fx), iy = static_cast<int64_t>(fy);
  double tx = x - fx, ty = y - fy;
  tx = tx * tx * (3 - 2 * tx);
  ty = ty * ty * (3 - 2 * ty);
  const double a = hash2(seed, ix, iy), b = hash2(seed, ix + 1, iy);
  const double c = hash2(seed, ix, iy + 1), d = hash2(seed, ix + 1, iy + 1);
  return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

double fractal2(uint64_t seed, double x, double y, int octaves) {
  double sum = 0, amp = 1, norm = 0;
  for (int o = 0; o < octaves; ++o) {
    sum += noise2(seed + static_cast<uint64_t>(o), x, y) * amp;
    norm += amp;
    amp *= 0.5;
    x *= 2;
    y *= 2;
  }
  return sum / norm;
}

}  // namespace art
