#include "artgen/Rabbit.h"

#include <cmath>

namespace art {

namespace {

const Rgb kCream{250, 238, 218};
const Rgb kCreamShade{222, 200, 180};
const Rgb kPink{246, 156, 170};
const Rgb kNose{226, 90, 130};
const Rgb kEye{26, 20, 38};
const Rgb kWhite{255, 255, 255};
const Rgb kRim{42, 24, 30};
const Rgb kSteel{196, 202, 214};
const Rgb kSteelDark{110, 116, 130};
const Rgb kWood{150, 96, 48};
const Rgb kWoodDark{104, 64, 30};
const Rgb kOlive{112, 138, 62};
const Rgb kOliveDark{66, 86, 36};
const Rgb kGunMetal{86, 90, 104};
const Rgb kDynamite{222, 40, 34};
const Rgb kFuse{120, 96, 70};
const Rgb kSpark{255, 228, 80};
const Rgb kSparkHot{255, 255, 210};
const Rgb kGrenade{78, 120, 52};
const Rgb kGrenadeDark{48, 80, 30};

Sdf rotEllipse(double cx, double cy, double rx, double ry, double angle) {
  return transformed(ellipse(0, 0, rx, ry), Affine::translate(-cx, -cy).then(Affine::rotate(-angle)));
}

// A box laid along the direction `angle` from pivot (px, py): from `from` to
// `to` along the axis, `half` wide on either side, shifted `side` across.
Sdf rodBox(double px, double py, double angle, double from, double to, double half, double side = 0) {
  return transformed(box(from, side - half, to, side + half),
                     Affine::translate(-px, -py).then(Affine::rotate(-angle)));
}

Sdf rodPolygon(double px, double py, double angle, std::vector<std::pair<double, double>> pts) {
  return transformed(polygon(std::move(pts)), Affine::translate(-px, -py).then(Affine::rotate(-angle)));
}

struct Feet {
  double back = -4, front = 4, lift = 0, bob = 0, earSwing = 0;
};

void addEars(Scene& s, const Team& t, double bob, double swing, double lean) {
  s.ramp(rotEllipse(-3.4 + lean, 10.5 + bob, 2.2, 8.6, -0.30 + swing), t.fur, t.dark, 2 + bob, 19 + bob);
  s.ramp(rotEllipse(0.6 + lean, 10.0 + bob, 2.6, 9.0, 0.10 + swing), t.light, t.fur, 1 + bob, 19 + bob);
  s.add(rotEllipse(0.8 + lean, 10.6 + bob, 1.1, 6.4, 0.10 + swing), kPink, false);
}

void addHead(Scene& s, const Team& t, double bob, double lean) {
  const double u = lean, v = bob;
  s.ramp(ellipse(3 + u, 24 + v, 7.2, 6.4), t.light, t.fur, 18 + v, 30 + v);
  s.add(ellipse(8.2 + u, 27.2 + v, 3.2, 2.4), kCream, false);
  s.add(circle(10.2 + u, 25.0 + v, 1.05), kNose, false);
  s.add(ellipse(5.8 + u, 22.4 + v, 1.15, 1.7), kEye, false);
  s.add(circle(6.3 + u, 21.6 + v, 0.55), kWhite, false);
}

void addBody(Scene& s, const Team& t, const Feet& f, double lean) {
  const double v = f.bob;
  s.add(circle(-8.6 + lean * 0.4, 46.5 + v, 2.8), kWhite);                               // tail
  s.ramp(ellipse(-1.5 + lean * 0.6, 42 + v, 8.4, 11.4), t.fur, t.dark, 31 + v, 54 + v);  // body
  s.ramp(ellipse(2.6 + lean * 0.6, 44 + v, 4.4, 7.8), kCream, kCreamShade, 37 + v, 52 + v, false);
  s.ramp(ellipse(-4.2, 50.5 + v, 5.6, 5.8), t.fur, t.dark, 45 + v, 56 + v, false);       // haunch
  // Far foot darker, near foot lighter.
  s.add(ellipse(f.back, 57.6 - f.lift, 4.8, 2.4), t.dark);
  s.add(ellipse(f.front, 57.8, 4.4, 2.2), t.light);
}

void addArm(Scene& s, const Team& t, double sx, double sy, double hx, double hy) {
  s.add(capsule(sx, sy, hx, hy, 1.7), t.light);
  s.add(circle(hx, hy, 1.9), kCream);
}

void addBazooka(Scene& s, const Team& t, double angle) {
  const double px = 0.5, py = 36.5;
  const double c = std::cos(angle), si = std::sin(angle);
  addArm(s, t, -1.5, 37.5, px + 3.5 * c - 2.0 * si, py + 3.5 * si + 2.0 * c);
  s.add(rodBox(px, py, angle, -9, 11, 2.5), kOlive);
  s.add(rodBox(px, py, angle, -9, 11, 0.9, -1.2), scale(kOlive, 1.3), false);  // shine
  s.add(rodBox(px, py, angle, 8.6, 11, 2.5), kOliveDark, false);             // muzzle band
  s.add(rodBox(px, py, angle, -9, -6.8, 2.5), kOliveDark, false);            // rear band
  s.add(rodBox(px, py, angle, 1.5, 3.2, 2.5), Rgb{232, 196, 60}, false);     // yellow stripe
  s.add(rodBox(px, py, angle, 2.2, 4.6, 0.9, 3.0), kGunMetal);               // grip
  addArm(s, t, 2.5, 36, px + 3.0 * c - 3.2 * si, py + 3.0 * si + 3.2 * c);
}

void addPistol(Scene& s, const Team& t, double angle) {
  const double sx = 0.5, sy = 36;
  const double c = std::cos(angle), si = std::sin(angle);
  const double hx = sx + 4.4 * c, hy = sy + 4.4 * si;
  s.add(rodBox(hx, hy, angle, -1.5, 1.2, 1.0, 2.2), kWoodDark);               // grip
  s.add(rodBox(hx, hy, angle, -1.5, 6.8, 1.5, -0.5), Rgb{60, 62, 76});       // slide
  s.add(rodBox(hx, hy, angle, -1.0, 6.3, 0.5, -1.5), Rgb{176, 182, 198}, false);  // shine
  addArm(s, t, sx, sy, hx, hy);
}

// The axe: handle from the hand along `angle`, blade on the cutting side.
void addAxe(Scene& s, const Team& t, double hx, double hy, double angle, double sx, double sy) {
  s.add(rodBox(hx, hy, angle, -3, 12.5, 0.95), kWood);
  s.add(rodPolygon(hx, hy, angle, {{9.0, -1.0}, {12.8, -1.0}, {14.2, 5.2}, {7.8, 5.2}}), kSteel);
  s.add(rodPolygon(hx, hy, angle, {{7.9, 4.2}, {14.0, 4.2}, {14.2, 5.2}, {7.8, 5.2}}), kWhite, false);
  s.add(rodBox(hx, hy, angle, 9.6, 12.4, 1.2, -2.0), kSteelDark);
  addArm(s, t, sx, sy, hx, hy);
}

void addDynamiteInHand(Scene& s, const Team& t) {
  const double u = -2.8;  // held close enough that the spark stays inside the picture
  s.add(box(6.2 + u, 33.5, 10.2 + u, 47.5, 0.8), kDynamite);
  s.add(box(6.2 + u, 36.5, 10.2 + u, 38.0), Rgb{250, 230, 200}, false);
  s.add(box(6.2 + u, 43.0, 10.2 + u, 44.5), Rgb{250, 230, 200}, false);
  s.add(capsule(8.6 + u, 33.5, 10.8 + u, 30.0, 0.55), kFuse, false);
  s.add(capsule(10.8 + u, 30.0, 11.3 + u, 27.5, 0.55), kFuse, false);
  s.add(polygon({{11.4 + u, 23.2}, {12.3 + u, 25.9}, {14.5 + u, 26.2}, {12.6 + u, 27.3}, {13.2 + u, 29.8},
                 {11.4 + u, 28.2}, {9.6 + u, 29.8}, {10.2 + u, 27.3}, {8.3 + u, 26.2}, {10.5 + u, 25.9}}),
        kSpark);
  s.add(circle(11.4 + u, 26.8, 0.9), kSparkHot, false);
  addArm(s, t, 0.5, 37, 7.0 + u, 40.5);
}

void addGrenadeThrow(Scene& s, const Team& t) {
  addArm(s, t, -1.0, 35.5, -6.5, 26.0);
  s.add(circle(-7.8, 23.2, 3.3), kGrenade);
  s.add(circle(-8.8, 22.2, 1.0), scale(kGrenade, 1.35), false);
  s.add(box(-8.8, 18.6, -6.4, 20.2), kGrenadeDark);
  s.add(capsule(-6.4, 19.4, -4.2, 21.8, 0.6), kSteel);
  s.add(circle(-7.0, 17.5, 1.1), kSteelDark, false);
  s.add(circle(-4.5, 24.6, 1.9), t.light);  // paw over the grenade
}

}  // namespace

Team redTeam() { return {{212, 50, 44}, {242, 112, 92}, {148, 26, 28}}; }
Team blueTeam() { return {{50, 104, 214}, {112, 162, 246}, {26, 54, 148}}; }
Rgb rimColour() { return kRim; }

Scene rabbitScene(Pose pose, int frame, const Team& t) {
  Scene s;
  Feet f;
  double lean = 0;
  if (pose == Pose::Walk) {
    if (frame == 1) { f.back = -7.2; f.front = 6.5; f.lift = 1.2; f.earSwing = -0.12; }
    if (frame == 2) { f.back = -3; f.front = 2.5; f.bob = -1.2; f.earSwing = 0.0; }
    if (frame == 3) { f.back = 3.5; f.front = -5; f.lift = 0.8; f.earSwing = 0.12; }
  }
  if (pose == Pose::Axe && frame == 3) { lean = 0.5; f.front = 6.5; f.back = -6; }
  if (pose == Pose::Grenade) lean = -1.0;

  addEars(s, t, f.bob, f.earSwing, lean);
  addBody(s, t, f, lean);
  addHead(s, t, f.bob, lean);

  const double up = -0.6, level = 0.0, down = 0.6;
  const double aim = frame == 1 ? up : frame == 2 ? level : down;
  switch (pose) {
    case Pose::Stand:
      addArm(s, t, 1.5, 36, 4.5, 42.5);
      break;
    case Pose::Walk:
      addArm(s, t, 1.5, 36 + f.bob, frame == 2 ? 4.5 : (frame == 1 ? 2 : 6), 42.5 + f.bob);
      break;
    case Pose::Bazooka:
      addBazooka(s, t, aim);
      break;
    case Pose::Pistol:
      addPistol(s, t, aim);
      break;
    case Pose::Axe:
      if (frame == 1) addAxe(s, t, -3.0, 29.5, -2.0, -0.5, 35.5);   // raised behind the head
      if (frame == 2) addAxe(s, t, 1.5, 27.5, -1.15, 0.5, 35.5);    // high over the head
      if (frame == 3) addAxe(s, t, 2.0, 40.0, 0.95, 3.0, 36.0);     // chopped down in front
      break;
    case Pose::Dynamite:
      addDynamiteInHand(s, t);
      break;
    case Pose::Grenade:
      addGrenadeThrow(s, t);
      break;
    case Pose::Think:
      addArm(s, t, 1.5, 36.5, 8.0, 31.5);  // paw on the chin
      s.add(circle(4.2, 16.0, 0.9), kWhite);
      s.add(circle(5.6, 13.2, 1.4), kWhite);
      s.add(ellipse(7.8, 7.0, 4.2, 5.6), kWhite);
      break;
  }
  return s;
}

Scene rabbitHeadScene(const Team& t) {
  Scene s;
  addEars(s, t, 0, 0, 0);
  addHead(s, t, 0, 0);
  return s;
}

Image rabbitSprite(Pose pose, int frame, bool right, const Team& team) {
  Image img(29, 60);
  const double dir = right ? 1.0 : -1.0;
  // The game draws the axe's third frame 6 columns further out; the rabbit
  // lunges 5.5 of them, so its back stays inside the picture.
  const double shift = (pose == Pose::Axe && frame == 3) ? 0.5 : 0.0;
  const Affine p2m{dir, 0, -15.5 * dir + shift, 0, 1, 0};
  paintPixels(img, rabbitScene(pose, frame, team), p2m, kRim);
  if (pose == Pose::Think) {
    // A question mark in the thought bubble, set pixel by pixel.
    static const char* q[] = {".###.", "#...#", "...#.", "..#..", "..#..", ".....", "..#.."};
    for (int r = 0; r < 7; ++r)
      for (int cidx = 0; cidx < 5; ++cidx)
        if (q[r][cidx] == '#') img.at(15 + 6 + cidx, 3 + r) = Rgb{60, 50, 140};
  }
  return img;
}

void paintBigRabbit(Image& img, Pose pose, int frame, bool right, const Team& team, double x, double y, double height) {
  const double k = 60.0 / height;  // model units per pixel
  const double dir = right ? 1.0 : -1.0;
  const Affine p2m{dir * k, 0, -x * k * dir, 0, k, 60 - y * k};
  paintSmooth(img, rabbitScene(pose, frame, team), p2m, k, kRim, 0.9 * std::max(k, 0.25) + 0.35, 3);
}

}  // namespace art
