#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "artgen/Art.h"
#include "artgen/Rabbit.h"

namespace art {

namespace {

const Rgb kWhite{255, 255, 255};
const Rgb kGold{255, 212, 72};
const Rgb kInk{40, 28, 20};
const Rgb kDim{150, 156, 178};
const Rgb kTitleRim{92, 40, 18};

void shade(Image& img, int x0, int y0, int x1, int y1, double radius, Rgb colour, double alpha) {
  const Sdf s = box(x0, y0, x1, y1, radius);
  for (int y = std::max(0, y0 - 1); y <= std::min(img.h - 1, y1 + 1); ++y)
    for (int x = std::max(0, x0 - 1); x <= std::min(img.w - 1, x1 + 1); ++x) {
      const double d = s(x + 0.5, y + 0.5);
      const double a = std::clamp(0.5 - d, 0.0, 1.0);
      if (a > 0) img.blend(x, y, colour, alpha * a);
    }
}

// A translucent panel with a light rim, the frame of every menu.
void panel(Image& img, int x0, int y0, int x1, int y1) {
  shade(img, x0 + 6, y0 + 8, x1 + 6, y1 + 8, 18, {0, 0, 20}, 0.25);
  shade(img, x0 - 2, y0 - 2, x1 + 2, y1 + 2, 20, {240, 240, 255}, 0.55);
  shade(img, x0, y0, x1, y1, 18, {22, 28, 60}, 0.9);
}

void paintSky(Image& img, int horizon) {
  for (int y = 0; y < img.h; ++y) {
    const Rgb c = mix(Rgb{58, 110, 196}, Rgb{196, 224, 246}, std::min(1.0, y / static_cast<double>(horizon)));
    for (int x = 0; x < img.w; ++x) img.at(x, y) = c, img.c(x, y) = 1.0f;
  }
  // The sun with a soft glow.
  const double sx = 905, sy = 88;
  for (int y = 0; y < 330; ++y)
    for (int x = 600; x < img.w; ++x) {
      const double d = std::hypot(x - sx, y - sy);
      if (d < 38) img.blend(x, y, Rgb{255, 244, 190}, std::clamp(38.5 - d, 0.0, 1.0));
      else img.blend(x, y, Rgb{255, 240, 200}, 0.35 * std::exp(-(d - 38) / 50.0));
    }
  // Clouds: clusters of soft discs.
  Rng r(2024);
  const double clouds[][3] = {{170, 95, 1.0}, {460, 60, 0.8}, {640, 170, 0.7}, {930, 240, 0.6}, {330, 230, 0.55}};
  for (const auto& cl : clouds) {
    const int n = 7;
    std::vector<std::array<double, 3>> puffs;
    for (int i = 0; i < n; ++i)
      puffs.push_back({cl[0] + (i - n / 2) * 22 * cl[2] + r.range(-6, 6), cl[1] - r.range(0, 18) * cl[2],
                       (26 + r.range(-4, 10)) * cl[2]});
    for (int y = static_cast<int>(cl[1] - 70); y < cl[1] + 40; ++y)
      for (int x = static_cast<int>(cl[0] - 140 * cl[2] - 40); x < cl[0] + 140 * cl[2] + 40; ++x) {
        if (!img.inside(x, y)) continue;
        double best = 1e9;
        for (const auto& p : puffs) best = std::min(best, std::hypot(x - p[0], (y - p[1]) * 1.2) - p[2]);
        const double flat = y - (cl[1] + 14 * cl[2]);  // flat cloud bottoms
        best = std::max(best, flat);
        if (best < 1) {
          const double a = std::clamp(0.5 - best / 2, 0.0, 1.0) * 0.92;
          const Rgb c = mix(kWhite, Rgb{206, 220, 240}, std::clamp((y - cl[1] + 10) / 30.0, 0.0, 1.0));
          img.blend(x, y, c, a);
        }
      }
  }
}

// Rolling hills in three layers with a grass texture on the nearest one.
void paintHills(Image& img, int base) {
  const Noise1 far(11), mid(12), nearN(13);
  for (int x = 0; x < img.w; ++x) {
    const double yf = base - 70 + 45 * far.fractal(x / 160.0, 3);
    const double ym = base - 10 + 40 * mid.fractal(x / 120.0, 3);
    const double yn = base + 70 + 28 * nearN.fractal(x / 90.0, 3);
    for (int y = 0; y < img.h; ++y) {
      if (y >= yf) img.blend(x, y, mix(Rgb{128, 176, 170}, Rgb{110, 160, 150}, (y - yf) / 80), std::clamp(y - yf, 0.0, 1.0));
      if (y >= ym) img.blend(x, y, mix(Rgb{112, 186, 84}, Rgb{64, 130, 58}, (y - ym) / 120), std::clamp(y - ym, 0.0, 1.0));
      if (y >= yn) {
        const double g = fractal2(77, x / 7.0, y / 3.0, 3);
        Rgb c = mix(Rgb{96, 170, 64}, Rgb{48, 110, 40}, (y - yn) / 90);
        c = scale(c, 1.0 + 0.12 * g);
        img.blend(x, y, c, std::clamp(y - yn, 0.0, 1.0));
      }
    }
  }
}

// A little floating island, the game's landscape in miniature.
void paintIsland(Image& img, double cx, double cy, double half) {
  const Noise1 n(31);
  for (int x = static_cast<int>(cx - half); x <= cx + half; ++x) {
    const double t = (x - cx) / half;
    const double top = cy + 4 * n.fractal(x / 20.0, 2);
    const double bottom = cy + (60 * std::sqrt(std::max(0.0, 1 - t * t)) + 8) * (0.8 + 0.2 * n.fractal(x / 9.0, 2));
    for (int y = static_cast<int>(top); y < bottom; ++y) {
      if (!img.inside(x, y)) continue;
      const double depth = y - top;
      Rgb c = depth < 6 ? Rgb{96, 184, 60} : mix(Rgb{150, 100, 56}, Rgb{92, 58, 34}, depth / 70);
      c = scale(c, 1.0 + 0.1 * fractal2(3, x / 4.0, y / 4.0, 2));
      img.blend(x, y, c, 1.0);
    }
  }
}

int keycap(TextPainter& t, Image& img, const std::string& label, int x, int baseline) {
  const int w = std::max(34, t.width(label, Font::Bold, 18) + 18);
  shade(img, x, baseline - 24, x + w, baseline + 8, 6, {20, 20, 30}, 0.9);
  shade(img, x + 1, baseline - 23, x + w - 1, baseline + 5, 5, {236, 232, 220}, 1.0);
  shade(img, x + 1, baseline - 23, x + w - 1, baseline - 14, 5, {255, 255, 255}, 0.6);
  t.draw(img, label, Font::Bold, 18, x + (w - t.width(label, Font::Bold, 18)) / 2, baseline - 2, {40, 40, 56});
  return x + w;
}

void footer(TextPainter& t, Image& img, const std::string& line) {
  shade(img, 0, 652, 999, 699, 0, {10, 14, 36}, 0.72);
  t.drawCentred(img, line, Font::Bold, 21, 500, 684, kWhite, 2);
}

void bigTitle(TextPainter& t, Image& img, const std::string& s, int size, int baseline) {
  t.drawCentred(img, s, Font::Bold, size, 500, baseline, kGold, 5, std::max(3, size / 22), kTitleRim);
}

}  // namespace

Screens::Screens(TextPainter& t) : text_(t) {}

const Image& Screens::meadow() {
  if (meadow_.w == 0) {
    meadow_ = Image(1000, 700);
    paintSky(meadow_, 470);
    paintIsland(meadow_, 120, 300, 80);
    paintIsland(meadow_, 900, 390, 55);
    paintHills(meadow_, 520);
    auto big = [&](Pose p, int frame, bool right, const Team& team, double x, double y, double h) {
      Image part(static_cast<int>(h * 0.9), static_cast<int>(h * 1.02));
      paintBigRabbit(part, p, frame, right, team, part.w / 2.0, part.h - 2, h);
      meadow_.blit(part, static_cast<int>(x - part.w / 2.0), static_cast<int>(y - part.h + 2));
    };
    big(Pose::Bazooka, 1, true, redTeam(), 110, 640, 200);
    big(Pose::Grenade, 1, false, blueTeam(), 890, 640, 200);
  }
  return meadow_;
}

Image Screens::loading() {
  Image img = meadow();
  shade(img, 0, 0, 999, 699, 0, {10, 16, 50}, 0.35);
  bigTitle(text_, img, "Zanderfell", 120, 300);
  text_.drawCentred(img, "Rabbits at war over a crumbling land", Font::Regular, 26, 500, 350, kWhite, 2);
  panel(img, 330, 420, 670, 500);
  text_.drawCentred(img, "Loading…", Font::Bold, 36, 500, 474, kWhite, 2);
  return img;
}

Image Screens::title(int selected) {
  Image img = meadow();
  bigTitle(text_, img, "Zanderfell", 110, 160);
  text_.drawCentred(img, "Two teams of rabbits, one keyboard, lots of craters", Font::Regular, 22, 500, 205, kWhite, 2);
  panel(img, 215, 240, 785, 590);
  const char* entries[4] = {"Set up a game", "Instructions", "Duel: two rabbits, level 3", "Credits"};
  for (int i = 0; i < 4; ++i) {
    const int base = 315 + i * 78;
    const bool on = selected == i + 1;
    if (on) {
      shade(img, 242, base - 40, 758, base + 16, 14, {120, 70, 10}, 0.6);
      shade(img, 240, base - 42, 756, base + 13, 14, kGold, 1.0);
      shade(img, 244, base - 39, 752, base - 18, 11, {255, 255, 255}, 0.25);
      text_.draw(img, "▶", Font::Bold, 24, 256, base - 3, kInk);
    }
    text_.draw(img, entries[i], on ? Font::Bold : Font::Regular, 29, 300, base, on ? kInk : kWhite);
  }
  footer(text_, img, "↑ ↓  select      Enter  choose      Q  quit");
  return img;
}

// Who plays blue (1 a person, 2..4 the computer, easy to hard), on the
// title screen between its panel and its footer, where the title's own
// meadow shows: at window (216, 600), 570 x 44.
Image Screens::bluePlayer(int choice) {
  static const char* const who[4] = {"a person", "the computer, easy", "the computer, normal", "the computer, hard"};
  Image full = meadow();
  shade(full, 215, 599, 784, 642, 12, {10, 14, 36}, 0.72);
  const std::string left = "Blue:  ", right = "      C  change";
  const int w = text_.width(left, Font::Bold, 21) + text_.width(who[choice - 1], Font::Bold, 21) +
                text_.width(right, Font::Regular, 18);
  int x = 500 - w / 2;
  text_.draw(full, left, Font::Bold, 21, x, 628, {130, 170, 255});
  x += text_.width(left, Font::Bold, 21);
  text_.draw(full, who[choice - 1], Font::Bold, 21, x, 628, kGold);
  x += text_.width(who[choice - 1], Font::Bold, 21);
  text_.draw(full, right, Font::Regular, 18, x, 628, kWhite);
  Image img(570, 44);
  for (int y = 0; y < img.h; ++y)
    for (int xx = 0; xx < img.w; ++xx) img.at(xx, y) = full.at(xx + 215, y + 599);
  return img;
}

// The in-game menu, drawn over the frozen field in the middle of the window.
Image Screens::pauseMenu(int selected) {
  Image img(400, 260, {22, 28, 60}, 1.0f);
  shade(img, 0, 0, 399, 259, 0, {240, 240, 255}, 0.7);
  shade(img, 4, 4, 395, 255, 14, {22, 28, 60}, 1.0);
  text_.drawCentred(img, "Paused", Font::Bold, 40, 200, 58, kGold, 3, 2, kTitleRim);
  const char* entries[3] = {"Resume", "Quit to title", "Quit the program"};
  for (int i = 0; i < 3; ++i) {
    const int base = 118 + i * 52;
    const bool on = selected == i + 1;
    if (on) {
      shade(img, 40, base - 34, 360, base + 12, 12, kGold, 1.0);
      text_.draw(img, "▶", Font::Bold, 20, 52, base - 3, kInk);
    }
    text_.draw(img, entries[i], on ? Font::Bold : Font::Regular, 26, 86, base, on ? kInk : kWhite);
  }
  text_.drawCentred(img, "↑ ↓  select    Enter  choose    Esc  resume", Font::Regular, 15, 200, 248, kWhite, 1);
  return img;
}

// A network game before it starts: the host waits for a player to join,
// the joiner for the host to choose the game.
Image Screens::netWaiting(bool host) {
  Image img = meadow();
  bigTitle(text_, img, "Zanderfell", 110, 190);
  text_.drawCentred(img, host ? "Network game: you play red" : "Network game: you play blue", Font::Regular, 26, 500,
                    240, kWhite, 2);
  panel(img, 190, 300, 810, 520);
  text_.drawCentred(img, host ? "Waiting for a player to join…" : "Waiting for the host…", Font::Bold, 36, 500, 385,
                    kGold, 2);
  text_.drawCentred(img, host ? "The other player starts: zanderfell --join THIS-MACHINE"
                              : "The host chooses the game; it starts on both machines",
                    Font::Regular, 21, 500, 450, kWhite, 1);
  footer(text_, img, "Close the window to give up");
  return img;
}

// Why a network game ended, over whatever the window showed last.
Image Screens::netMessage(int which) {
  Image img(600, 150, {60, 18, 22}, 1.0f);
  shade(img, 0, 0, 599, 149, 0, {240, 240, 255}, 0.7);
  shade(img, 4, 4, 595, 145, 14, {60, 18, 22}, 1.0);
  const char* lines[4][2] = {{"The other player left", "the network game is over"},
                             {"The connection was lost", "the network game is over"},
                             {"The games went out of step", "both stopped: each kept its replay"},
                             {"The other side sent nonsense", "the connection was ended"}};
  text_.drawCentred(img, lines[which - 1][0], Font::Bold, 30, 300, 66, kGold, 2);
  text_.drawCentred(img, lines[which - 1][1], Font::Regular, 22, 300, 112, kWhite, 1);
  return img;
}

Image Screens::menu(int screen) {
  const int row = screen <= 4 ? 1 : screen <= 6 ? 2 : 3;
  const int choice = screen <= 4 ? screen : screen <= 6 ? screen - 4 : screen - 6;
  Image img = meadow();
  bigTitle(text_, img, "New game", 76, 120);
  text_.drawCentred(img, "Step " + std::to_string(row) + " of 3", Font::Regular, 24, 500, 165, kWhite, 2);
  panel(img, 140, 200, 860, 590);
  const char* labels[3] = {"Rabbits per team:", "Wind:", "Level:"};
  const std::vector<std::vector<std::string>> options = {{"1", "2", "3", "4"}, {"on", "off"}, {"1", "2"}};
  for (int r = 1; r <= 3; ++r) {
    const int base = 188 + r * 100;
    const bool current = r == row, done = r < row;
    if (current) shade(img, 160, base - 52, 840, base + 30, 14, {255, 255, 255}, 0.12);
    const Rgb labelColour = current ? kGold : done ? Rgb{200, 210, 230} : kDim;
    text_.draw(img, labels[r - 1], Font::Bold, 30, 180, base, labelColour);
    if (done) text_.draw(img, "✔", Font::Bold, 30, 802, base, {120, 220, 110});
    const auto& opts = options[static_cast<size_t>(r - 1)];
    const int boxW = r == 1 ? 50 : 78;
    for (size_t k = 0; k < opts.size(); ++k) {
      const int x0 = 530 + static_cast<int>(k) * (boxW + 12);
      const bool picked = current && static_cast<int>(k) + 1 == choice;
      if (picked) {
        shade(img, x0 - 2, base - 40, x0 + boxW + 2, base + 14, 10, {120, 70, 10}, 0.7);
        shade(img, x0, base - 38, x0 + boxW, base + 12, 9, kGold, 1.0);
      } else {
        shade(img, x0, base - 38, x0 + boxW, base + 12, 9, current ? Rgb{240, 240, 255} : kDim, done ? 0.5 : 0.9);
        shade(img, x0 + 2, base - 36, x0 + boxW - 2, base + 10, 8, {30, 38, 80}, 1.0);
      }
      const Rgb tc = picked ? kInk : current ? kWhite : done ? Rgb{120, 126, 150} : kDim;
      text_.draw(img, opts[k], Font::Bold, 28, x0 + (boxW - text_.width(opts[k], Font::Bold, 28)) / 2, base, tc);
    }
  }
  text_.drawCentred(img, row == 1 ? "How many rabbits fight for each team?"
                         : row == 2 ? "Should the wind push the shells about?"
                                    : "Which landscape?",
                    Font::Regular, 22, 500, 566, {220, 226, 245}, 0);
  footer(text_, img, "← →  choose      Enter  confirm      R  back");
  return img;
}

Image Screens::instructions(int page) {
  Image img = meadow();
  bigTitle(text_, img, "How to play", 68, 95);
  text_.drawCentred(img, "Page " + std::to_string(page) + " of 2", Font::Regular, 22, 500, 132, kWhite, 2);
  panel(img, 40, 150, 960, 640);
  TextPainter& t = text_;
  int y = 200;
  // The second page has more to say: its lines sit closer together.
  const int headingStep = page == 1 ? 44 : 38, lineStep = page == 1 ? 42 : 36;
  auto heading = [&](const std::string& s) {
    t.draw(img, s, Font::Bold, 26, 70, y, kGold);
    y += headingStep;
  };
  auto line = [&](std::vector<std::string> keys, const std::string& what) {
    int x = 90;
    for (const auto& k : keys) x = keycap(t, img, k, x, y) + 8;
    t.draw(img, what, Font::Regular, 21, std::max(x + 10, 290), y - 2, kWhite);
    y += lineStep;
  };
  const Rgb note{210, 220, 240};
  if (page == 1) {
    heading("Your turn: walk and jump");
    line({"←", "→"}, "Walk left or right (a rabbit climbs gentle slopes)");
    line({"V"}, "Jump to the left");
    line({"N"}, "Jump to the right");
    line({"Enter"}, "End your move. The clock (bottom right) runs down from 50");
    y += 10;
    heading("Then pick a weapon");
    line({"B"}, "Next weapon: bazooka, grenade, pistol, axe, dynamite");
    line({"Enter"}, "Use the weapon shown");
    t.draw(img, "Red and blue take turns; the arrow marks the rabbit to play. Water drowns,", Font::Regular, 20, 70,
           y + 14, note);
    t.draw(img, "explosions hurt: the last team with health left wins.", Font::Regular, 20, 70, y + 40, note);
  } else {
    heading("Bazooka, grenade and pistol");
    line({"↑", "↓"}, "Aim the sight up or down");
    line({"Space"}, "Bazooka, grenade: hold to charge, let go to fire");
    t.draw(img, "(a tap fires at the weakest power)", Font::Regular, 19, 290, y - 8, note);
    y += 22;
    line({"Space"}, "Pistol: fires the moment you press it");
    y += 4;
    heading("Axe");
    line({"←", "→"}, "Face left or right");
    line({"Space"}, "Strike! Hits rabbits right next to you");
    y += 4;
    heading("Dynamite: lit at your feet");
    line({"←", "→", "V", "N"}, "Run! The clock at the bottom right counts down from 5");
    line({"Enter"}, "Set it off at once");
    t.draw(img, "With wind on, the lit bars at the bottom show which way and how hard the wind", Font::Regular, 19, 70,
           y - 4, note);
    t.draw(img, "pushes bazooka shells; no bar lit means no wind.", Font::Regular, 19, 70, y + 20, note);
  }
  footer(text_, img, "Enter  turn the page      R  back");
  return img;
}

Image Screens::credits() {
  Image img = meadow();
  bigTitle(text_, img, "Zanderfell", 110, 165);
  shade(img, 270, 192, 730, 238, 20, {10, 14, 40}, 0.55);  // the line crosses a cloud
  text_.drawCentred(img, "by the Zanderfell team", Font::Bold, 34, 500, 225, kWhite, 3);
  panel(img, 220, 270, 780, 580);
  const char* lines[] = {"Game design and programming", "the Zanderfell team", "", "Rabbits, landscapes and screens",
                         "drawn by our own art generator", "", "Text set in DejaVu Sans", "",
                         "Thanks for playing!"};
  int y = 318;
  for (const char* l : lines) {
    const bool head = std::string(l).find("the ") == 0 || std::string(l).find("drawn") == 0;
    text_.drawCentred(img, l, head ? Font::Bold : Font::Regular, 25, 500, y, head ? kGold : kWhite, 1);
    y += std::string(l).empty() ? 14 : 32;
  }
  footer(text_, img, "R  back to the title screen");
  return img;
}

Image Screens::victory(bool red) { return victoryScreen(red, "Press R to return to the title screen"); }

// The same screen's last rows, with the way to a second game beside the way
// back: the game lays them over the screen (rows 652..699).
Image Screens::victoryFooter(bool red) {
  const Image full = victoryScreen(red, "Enter  play again          R  title screen");
  Image img(1000, 48);
  for (int y = 0; y < img.h; ++y)
    for (int x = 0; x < img.w; ++x) img.at(x, y) = full.at(x, y + 652);
  return img;
}

Image Screens::victoryScreen(bool red, const std::string& foot) {
  Image img(1000, 700);
  paintSky(img, 470);
  paintHills(img, 520);
  const Team team = red ? redTeam() : blueTeam();
  // Confetti in both team colours and gold.
  Rng r(red ? 5 : 6);
  for (int i = 0; i < 260; ++i) {
    const double x = r.range(0, 1000), y = r.range(0, 620), a = r.range(0, std::numbers::pi);
    const Rgb cols[3] = {team.fur, kGold, team.light};
    const Rgb c = cols[r.integer(0, 2)];
    const Sdf piece = transformed(box(-5, -2, 5, 2), Affine::translate(-x, -y).then(Affine::rotate(a)));
    for (int yy = static_cast<int>(y) - 6; yy <= y + 6; ++yy)
      for (int xx = static_cast<int>(x) - 6; xx <= x + 6; ++xx)
        if (img.inside(xx, yy) && piece(xx + 0.5, yy + 0.5) <= 0) img.blend(xx, yy, c, 1.0);
  }
  Image part(300, 340);
  paintBigRabbit(part, Pose::Bazooka, 1, true, team, 150, 336, 320);
  img.blit(part, 350, 620 - 336);
  Image left(160, 180), right(160, 180);
  paintBigRabbit(left, Pose::Walk, 1, true, team, 80, 176, 170);
  paintBigRabbit(right, Pose::Walk, 3, false, team, 80, 176, 170);
  img.blit(left, 150, 620 - 176);
  img.blit(right, 690, 620 - 176);
  const std::string s = red ? "Red team wins!" : "Blue team wins!";
  text_.drawCentred(img, s, Font::Bold, 96, 500, 170, team.fur, 5, 5, kWhite);
  shade(img, 250, 193, 750, 233, 18, {10, 14, 40}, 0.55);
  text_.drawCentred(img, red ? "The blue rabbits have no health left" : "The red rabbits have no health left",
                    Font::Regular, 26, 500, 222, kWhite, 2);
  footer(text_, img, foot);
  return img;
}

// ---- The status bar ---------------------------------------------------

namespace {

void panelBackground(Image& img, int x0, int y0, int x1, int y1) {
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      const double n = fractal2(41, x / 30.0, y / 4.0, 2);
      img.at(x, y) = scale(mix(Rgb{64, 72, 98}, Rgb{34, 38, 54}, (y - y0) / double(y1 - y0 + 1)), 1.0 + 0.05 * n);
      img.c(x, y) = 1.0f;
    }
}

void sunken(Image& img, int x0, int y0, int x1, int y1, Rgb fill) {
  img.fillRect(x0, y0, x1, y1, fill);
  for (int x = x0; x <= x1; ++x) img.at(x, y0) = scale(fill, 0.6), img.at(x, y1) = scale(fill, 1.35);
  for (int y = y0; y <= y1; ++y) img.at(x0, y) = scale(fill, 0.6), img.at(x1, y) = scale(fill, 1.35);
}

Sdf rotEllipseForIcon(double cx, double cy, double rx, double ry, double angle) {
  return transformed(ellipse(0, 0, rx, ry), Affine::translate(-cx, -cy).then(Affine::rotate(-angle)));
}

void bar(Image& img, int x0, int y0, int x1, int y1, Rgb c) {
  for (int y = y0; y <= y1; ++y) {
    const double t = (y - y0) / double(std::max(1, y1 - y0));
    const Rgb row = t < 0.3 ? mix(scale(c, 1.35), c, t / 0.3) : mix(c, scale(c, 0.7), (t - 0.3) / 0.7);
    for (int x = x0; x <= x1; ++x) img.at(x, y) = row, img.c(x, y) = 1.0f;
  }
}

}  // namespace

namespace {

// The wind panel's bar slots, window columns (panel drawn at 263), rows 653..673.
const int kWindLeft[4] = {264, 282, 300, 318}, kWindRight[4] = {373, 391, 409, 428};
const Rgb kHint{208, 214, 232};  // small hints on the dark panels

// The dark inside of the wind panel, without its bars. The panel's left and
// right borders lie outside this picture, in the status bar around it, so
// that the outermost bars keep clear of them.
Image windPanelBase() {
  Image img(178, 100);
  panelBackground(img, 0, 0, 177, 99);
  const Rgb fill{30, 34, 50};
  img.fillRect(0, 4, 177, 95, fill);
  for (int x = 0; x <= 177; ++x) img.at(x, 4) = scale(fill, 0.6), img.at(x, 95) = scale(fill, 1.35);
  return img;
}

}  // namespace

Image Screens::windPanel() {
  // The picture the game draws each windy turn: every bar lit, as a chevron
  // pointing the way the wind blows, red for the strongest to green for the
  // weakest. The game greys the bars the wind leaves unlit, so nothing here
  // but a lit bar says which way or how hard the wind blows.
  Image img = windPanelBase();
  text_.drawCentred(img, "Wind", Font::Bold, 16, 89, 27, kWhite, 1);
  const Rgb strength[4] = {{240, 64, 52}, {250, 150, 48}, {232, 222, 70}, {110, 214, 110}};  // strong .. weak
  auto chevron = [&](int left, bool pointsRight, Rgb c) {
    const double x0 = left - 263 + 0.5, x1 = x0 + 12, y0 = 53.5, y1 = 73.5, ym = (y0 + y1) / 2;
    Scene s;
    if (pointsRight)
      s.ramp(polygon({{x0, y0}, {x0 + 5, y0}, {x1, ym}, {x0 + 5, y1}, {x0, y1}, {x0 + 6, ym}}), scale(c, 1.2), scale(c, 0.75),
             y0, y1);
    else
      s.ramp(polygon({{x1, y0}, {x1 - 5, y0}, {x0, ym}, {x1 - 5, y1}, {x1, y1}, {x1 - 6, ym}}), scale(c, 1.2), scale(c, 0.75),
             y0, y1);
    paintSmooth(img, s, Affine{}, 1.0, {16, 14, 20}, 0.6, 4);
  };
  for (int i = 0; i < 4; ++i) {
    chevron(kWindLeft[i], false, strength[i]);
    chevron(kWindRight[i], true, strength[3 - i]);
  }
  return img;
}

Image Screens::middlePanel() {
  // The panel's left and right borders lie in the status bar around this
  // piece, so the trough's right end, where a full bar stops, stands clear.
  Image img(197, 100);
  panelBackground(img, 0, 0, 196, 99);
  const Rgb fill{30, 34, 50};
  img.fillRect(0, 4, 196, 95, fill);
  for (int x = 0; x <= 196; ++x) img.at(x, 4) = scale(fill, 0.6), img.at(x, 95) = scale(fill, 1.35);
  text_.draw(img, "Power", Font::Bold, 16, 50, 40, kWhite);
  text_.draw(img, "hold Space", Font::Regular, 12, 120, 40, kHint);
  // The trough the power bar grows in: window columns 536..681, rows
  // 651..673, inside a light rim at columns 535 and 682, rows 650 and 674.
  img.fillRect(49, 50, 196, 74, Rgb{150, 156, 178});
  img.fillRect(50, 51, 195, 73, Rgb{20, 16, 22});
  for (int x = 50; x <= 195; x += 29) img.fillRect(x, 77, x, 81, kHint);
  Scene bolt;
  bolt.add(polygon({{26, 48}, {16, 64}, {24, 64}, {19, 78}, {34, 58}, {26, 58}, {32, 48}}), Rgb{255, 214, 60});
  paintSmooth(img, bolt, Affine{}, 1.0, {30, 20, 10}, 0.9, 4);
  return img;
}

Image Screens::clockPanel() {
  Image img(60, 100);
  panelBackground(img, 0, 0, 59, 99);
  sunken(img, 0, 4, 59, 95, Rgb{30, 34, 50});
  text_.drawCentred(img, "Time", Font::Bold, 14, 30, 25, kWhite, 1);
  sunken(img, 7, 32, 56, 68, Rgb{12, 10, 12});
  // Digits at window columns 932 and 956, row 634 (panel at 923, 600).
  img.blit(digitPicture(5), 932 - 923, 34);
  img.blit(digitPicture(0), 956 - 923, 34);
  return img;
}

Image Screens::statusBar() {
  Image img(1000, 100);
  panelBackground(img, 0, 0, 999, 99);
  for (int x = 0; x < 1000; ++x) img.at(x, 0) = Rgb{140, 150, 180}, img.at(x, 1) = Rgb{96, 104, 132};
  // Health: window columns 30..230 map to image columns 29..229 (bar drawn at 1, 600).
  sunken(img, 4, 8, 252, 92, Rgb{30, 34, 50});
  text_.draw(img, "Team health", Font::Bold, 16, 30, 34, kWhite);
  sunken(img, 28, 46, 230, 60, Rgb{14, 12, 16});
  sunken(img, 28, 67, 230, 81, Rgb{14, 12, 16});
  bar(img, 29, 47, 229, 59, redTeam().fur);
  bar(img, 29, 68, 229, 80, blueTeam().fur);
  for (int k = 0; k < 2; ++k) {  // little team heads by the bars
    const Team t = k == 0 ? redTeam() : blueTeam();
    Scene head;
    const double cy = k == 0 ? 54 : 75;
    head.add(rotEllipseForIcon(11, cy - 6, 1.6, 4.5, -0.3), t.fur);
    head.add(rotEllipseForIcon(16, cy - 6, 1.6, 4.5, 0.3), t.fur);
    head.add(circle(13.5, cy, 5.2), t.light);
    head.add(circle(15.5, cy - 1, 0.9), Rgb{20, 16, 30}, false);
    paintSmooth(img, head, Affine{}, 1.0, {20, 14, 20}, 0.9, 4);
  }
  // The wind panel as it stays with wind off: no bar lit, in the grey the
  // game gives unlit bars. Its frame runs outside the piece the game redraws.
  sunken(img, 256, 4, 446, 95, Rgb{30, 34, 50});
  Image calm = windPanelBase();
  text_.drawCentred(calm, "Wind", Font::Bold, 16, 89, 27, kWhite, 1);
  for (int i = 0; i < 4; ++i)
    for (int left : {kWindLeft[i], kWindRight[i]}) calm.fillRect(left - 263, 53, left - 263 + 12, 73, {128, 128, 128});
  img.blit(calm, 262, 0);
  sunken(img, 484, 4, 700, 95, Rgb{30, 34, 50});
  img.blit(middlePanel(), 485, 0);
  // The weapon slot at window (748, 617) is image (747, 17), in a panel with
  // its name and keys beside it.
  sunken(img, 734, 8, 914, 92, Rgb{30, 34, 50});
  sunken(img, 742, 12, 817, 87, Rgb{26, 28, 40});
  img.blit(weaponIcon(0, text_), 747, 17);
  text_.draw(img, "Weapon", Font::Bold, 14, 828, 32, kWhite);
  text_.draw(img, "B  next", Font::Regular, 12, 828, 54, kHint);
  text_.draw(img, "Enter  use", Font::Regular, 12, 828, 72, kHint);
  img.blit(clockPanel(), 922, 0);
  return img;
}

// The banner at a turn's opening, in the team's colour.
Image Screens::turnBanner(bool red, int rabbit) {
  const Team team = red ? redTeam() : blueTeam();
  Image img(320, 44, kWhite, 1.0f);
  img.fillRect(2, 2, 317, 41, team.fur);
  std::string s = red ? "Red team" : "Blue team";
  if (rabbit > 0) s += " \u2014 rabbit " + std::to_string(rabbit);
  text_.drawCentred(img, s, Font::Bold, 24, 160, 31, kWhite, 2);
  return img;
}

// The piece of the status bar behind its "Team health" title (window 9, 614),
// with the team on turn named instead.
Image Screens::turnLabel(bool red) {
  Image bar(1000, 100);
  panelBackground(bar, 0, 0, 999, 99);
  sunken(bar, 4, 8, 252, 92, Rgb{30, 34, 50});
  text_.draw(bar, red ? "Red team's turn" : "Blue team's turn", Font::Bold, 16, 30, 34,
             red ? redTeam().light : blueTeam().light);
  Image img(240, 28);
  for (int y = 0; y < img.h; ++y)
    for (int x = 0; x < img.w; ++x) img.at(x, y) = bar.at(x + 8, y + 14);
  return img;
}

// Small figures for the numbers the game writes: what a blast cost above a
// rabbit, and the lives on the status bar's bars.
Image Screens::smallDigit(int digit) {
  Image img(9, 12, Rgb{20, 16, 24}, 1.0f);
  const std::string s = digit == 10 ? "-" : std::to_string(digit);
  text_.draw(img, s, Font::Bold, 12, (9 - text_.width(s, Font::Bold, 12)) / 2, 10, kWhite);
  return img;
}

// The keys of each phase of a turn (1 moving, 2 choosing a weapon, 3 aiming,
// 4 charging, 5 the axe, 6 running from the dynamite), written where the
// weapon panel has its hint (window 829, 640).
Image Screens::phaseHint(int phase) {
  static const char* const lines[6][3] = {
      {"\u2190 \u2192  walk", "V N  jump", "Enter  done"},  {"B  next", "Enter  use", ""},
      {"\u2191 \u2193  aim", "Space  fire", ""},             {"hold Space:", "power", "let go: fire"},
      {"\u2190 \u2192  side", "Space  swing", ""},           {"\u2190 \u2192  run", "V N  jump", "Enter  stop"}};
  Image bar(1000, 100);
  panelBackground(bar, 0, 0, 999, 99);
  sunken(bar, 734, 8, 914, 92, Rgb{30, 34, 50});
  for (int i = 0; i < 3; ++i) text_.draw(bar, lines[phase - 1][i], Font::Regular, 12, 828, 54 + 15 * i, kHint);
  Image img(84, 46);
  for (int y = 0; y < img.h; ++y)
    for (int x = 0; x < img.w; ++x) img.at(x, y) = bar.at(x + 828, y + 40);
  return img;
}

}  // namespace art
