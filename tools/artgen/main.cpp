// zanderfell_artgen: paints every picture of the game, writes the three
// landscapes and the first random state, and draws a contact sheet.
//
//   zanderfell_artgen --out RUNDIR            all images and level files
//                                             (and Files/RandomFile.txt if missing)
//   zanderfell_artgen --random-file RUNDIR    only Files/RandomFile.txt, if missing
//   zanderfell_artgen --contact-sheet RUNDIR OUT.png
//   zanderfell_artgen --png IN.bmp OUT.png    preview one bitmap
//   zanderfell_artgen --icon OUT.png SIZE     the application icon, SIZE x SIZE
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <numbers>
#include <string>
#include <vector>

#include "artgen/Art.h"
#include "artgen/Files.h"
#include "artgen/Landscape.h"
#include "artgen/Rabbit.h"

namespace fs = std::filesystem;
using namespace art;

namespace {

struct Picture {
  std::string stem;
  Image image;
  bool isMask = false;
  std::string maskOf;  // for pictures drawn through a mask: the mask's stem
};

std::vector<bool> coverage(const Image& img) {
  std::vector<bool> on(img.px.size());
  for (size_t i = 0; i < on.size(); ++i) on[i] = img.cov[i] > 0;
  return on;
}

// Flattens a sprite onto black, the transparent colour of the game's sprites.
Image onBlack(Image img) {
  for (size_t i = 0; i < img.px.size(); ++i) {
    if (img.cov[i] <= 0) img.px[i] = {0, 0, 0};
    else if (img.px[i] == Rgb{0, 0, 0}) img.px[i] = {1, 1, 1};  // black means "not drawn"
    img.cov[i] = 1.0f;
  }
  return img;
}

Image maskImage(const std::vector<bool>& on, int w, int h) {
  Image m(w, h, {0, 0, 0}, 1.0f);
  for (size_t i = 0; i < on.size(); ++i)
    if (on[i]) m.px[i] = {255, 255, 255};
  return m;
}

// Every picture the game loads, by its stem.
std::vector<Picture> paintAll(TextPainter& text) {
  std::vector<Picture> out;
  auto sprite = [&](const std::string& stem, const Image& img, const std::string& mask) {
    out.push_back({stem, onBlack(img), false, mask});
  };
  auto mask = [&](const std::string& stem, const Image& img) {
    out.push_back({stem, maskImage(coverage(img), img.w, img.h), true, ""});
  };
  auto plain = [&](const std::string& stem, const Image& img) { out.push_back({stem, img, false, ""}); };

  Screens screens(text);
  plain("Loading", screens.loading());

  const Team red = redTeam(), blue = blueTeam();
  auto rabbit = [&](const std::string& stem, Pose pose, int frame, bool right) {
    const Image r = rabbitSprite(pose, frame, right, red);
    const Image b = rabbitSprite(pose, frame, right, blue);
    if (coverage(r) != coverage(b)) throw std::runtime_error(stem + ": team pictures differ in shape");
    sprite(stem + "Rood", r, stem + "Mask");
    sprite(stem + "Blauw", b, stem + "Mask");
    mask(stem + "Mask", r);
  };
  rabbit("Konijntje", Pose::Stand, 0, true);
  const std::pair<const char*, Pose> framed[] = {
      {"Wandel", Pose::Walk}, {"Baz", Pose::Bazooka}, {"Pis", Pose::Pistol}, {"Bij", Pose::Axe}};
  for (const auto& [name, pose] : framed)
    for (int side = 0; side < 2; ++side)
      for (int frame = 1; frame <= 3; ++frame)
        rabbit(std::string("Konijntje") + name + (side == 0 ? "L" : "R") + std::to_string(frame), pose, frame, side == 1);
  rabbit("KonijntjeDyn", Pose::Dynamite, 0, true);
  rabbit("KonijntjeGraL", Pose::Grenade, 0, false);
  rabbit("KonijntjeGraR", Pose::Grenade, 0, true);
  rabbit("KonijntjeNadenk", Pose::Think, 0, true);

  // Shells in load order; the angle is the direction of flight on screen.
  const double q = std::numbers::pi / 4;
  const std::pair<const char*, double> shells[] = {{"BB", -2 * q}, {"BL", -3 * q}, {"BR", -q}, {"LL", 4 * q},
                                                   {"RR", 0},      {"OO", 2 * q},  {"OR", q},  {"OL", 3 * q}};
  for (const auto& [dir, angle] : shells) sprite(std::string("Kogel") + dir, shellSprite(angle), std::string("Kogel") + dir + "Mask");
  for (const auto& [dir, angle] : shells) mask(std::string("Kogel") + dir + "Mask", shellSprite(angle));

  sprite("Granaat", grenadeSprite(false), "GranaatMask");
  sprite("GranaatWeg", grenadeSprite(true), "GranaatMask");
  mask("GranaatMask", grenadeSprite(false));
  sprite("Dynamiet", dynamiteSprite(), "DynamietMask");
  mask("DynamietMask", dynamiteSprite());

  for (int i = 0; i <= 5; ++i) sprite("Wapen" + std::to_string(i), weaponIcon(i, text), "WapenMask");
  mask("WapenMask", weaponIcon(0, text));

  for (int i = 1; i <= 4; ++i) plain("TitelScherm" + std::to_string(i), screens.title(i));
  for (int i = 1; i <= 8; ++i) plain("MenuScherm" + std::to_string(i), screens.menu(i));
  plain("Credits", screens.credits());
  plain("Instructions1", screens.instructions(1));
  plain("Instructions2", screens.instructions(2));
  for (int level = 1; level <= 3; ++level)
    plain("Level" + std::to_string(level), paintLandscape(buildLandscape(level), level));
  plain("Statusbalk", screens.statusBar());
  plain("Statusbalk1", screens.windPanel());
  plain("Statusbalk2", screens.middlePanel());
  plain("Statusbalk3", screens.clockPanel());
  sprite("Vizier", sightSprite(), "VizierMask");
  mask("VizierMask", sightSprite());
  sprite("Kaboom", explosionSprite(), "KaboomMask");
  mask("KaboomMask", explosionSprite());
  for (int d = 0; d <= 9; ++d) plain("Digit" + std::to_string(d), digitPicture(d));
  plain("OverwinningRood", screens.victory(true));
  plain("OverwinningBlauw", screens.victory(false));
  sprite("Pijl", arrowSprite(), "PijlMask");
  mask("PijlMask", arrowSprite());
  for (int i = 1; i <= 3; ++i) plain("PauzeMenu" + std::to_string(i), screens.pauseMenu(i));
  for (int r = 0; r <= 4; ++r) {
    plain("BeurtRood" + std::to_string(r), screens.turnBanner(true, r));
    plain("BeurtBlauw" + std::to_string(r), screens.turnBanner(false, r));
  }
  plain("AanZetRood", screens.turnLabel(true));
  plain("AanZetBlauw", screens.turnLabel(false));
  for (int d = 0; d <= 9; ++d) plain("KleinCijfer" + std::to_string(d), screens.smallDigit(d));
  plain("KleinMin", screens.smallDigit(10));
  for (int f = 1; f <= 6; ++f) plain("Hint" + std::to_string(f), screens.phaseHint(f));
  plain("OverwinningVoetRood", screens.victoryFooter(true));
  plain("OverwinningVoetBlauw", screens.victoryFooter(false));
  for (int k = 1; k <= 4; ++k) plain("BlauweSpeler" + std::to_string(k), screens.bluePlayer(k));
  plain("NetWachtHost", screens.netWaiting(true));
  plain("NetWachtJoin", screens.netWaiting(false));
  for (int i = 1; i <= 4; ++i) plain("NetBericht" + std::to_string(i), screens.netMessage(i));
  return out;
}

// The files the game loads: Loading.bmp, shown while the rest loads, then
// the image catalogue in load order.
struct Entry {
  const char* stem;
  int w, h;
};
const Entry kFiles[] = {
    {"Loading", 1000, 700},
#define CATALOGUE(stem, w, h) {#stem, w, h},
#include "gfx/Catalogue.def"
#undef CATALOGUE
};

// The painted pictures in load order. A picture the game would load at
// another size, one it does not load, or one it loads but nobody painted
// stops the generator.
std::vector<Picture> paintCatalogue(TextPainter& text) {
  std::map<std::string, Picture> painted;
  for (Picture& p : paintAll(text)) {
    const std::string stem = p.stem;
    if (!painted.emplace(stem, std::move(p)).second) throw std::runtime_error(stem + " is painted twice");
  }
  std::vector<Picture> out;
  for (const Entry& e : kFiles) {
    const auto it = painted.find(e.stem);
    if (it == painted.end()) throw std::runtime_error(std::string(e.stem) + " is loaded by the game but not painted");
    const Image& img = it->second.image;
    if (img.w != e.w || img.h != e.h)
      throw std::runtime_error(std::string(e.stem) + " is painted " + std::to_string(img.w) + " x " +
                               std::to_string(img.h) + ", loaded " + std::to_string(e.w) + " x " + std::to_string(e.h));
    out.push_back(std::move(it->second));
    painted.erase(it);
  }
  if (!painted.empty()) throw std::runtime_error(painted.begin()->first + " is painted but the game does not load it");
  return out;
}

void writeRandomFileIfMissing(const fs::path& run) {
  fs::create_directories(run / "Files");
  const fs::path file = run / "Files" / "RandomFile.txt";
  if (fs::exists(file)) return;  // the player's sequence carries on from run to run
  std::ofstream f(file, std::ios::binary);
  f << formatRandomState(7, 0.37f);
  if (!f) throw std::runtime_error("cannot write " + file.string());
}

void writeAll(const fs::path& run) {
  fs::create_directories(run / "Images");
  fs::create_directories(run / "Files");
  TextPainter text;
  for (const Picture& p : paintCatalogue(text)) {
    const std::string path = (run / "Images" / (p.stem + ".bmp")).string();
    if (p.isMask) {
      std::vector<bool> on(p.image.px.size());
      for (size_t i = 0; i < on.size(); ++i) on[i] = p.image.px[i].r != 0;
      writeBmpMask(path, p.image.w, p.image.h, on);
    } else {
      writeBmp24(path, p.image);
    }
  }
  for (int level = 1; level <= 3; ++level) writeLevelParts((run / "Files").string(), level, buildLandscape(level));
  writeRandomFileIfMissing(run);
}

// The contact sheet reads the files back, so it shows exactly what the game loads.
void contactSheet(const fs::path& run, const std::string& out) {
  TextPainter text;
  std::vector<std::string> stems;
  std::map<std::string, std::string> maskOf;
  for (const Picture& p : paintCatalogue(text)) {
    stems.push_back(p.stem);
    if (!p.maskOf.empty()) maskOf[p.stem] = p.maskOf;
  }
  const int sheetW = 2080, pad = 14, labelH = 16;
  const Rgb background{118, 122, 130}, panelColour{146, 150, 158};
  struct Placed { std::string label; Image img; int x, y; };
  std::vector<Placed> placed;
  int x = pad, y = 70, rowH = 0;
  for (const std::string& stem : stems) {
    Image img = readBmp24((run / "Images" / (stem + ".bmp")).string());
    if (maskOf.count(stem)) {  // show sprites the way the game draws them: through their mask
      const Image m = readBmp24((run / "Images" / (maskOf[stem] + ".bmp")).string());
      for (size_t i = 0; i < img.px.size(); ++i)
        if (m.px[i].r == 0) img.px[i] = panelColour;
    }
    const bool large = img.w >= 500;
    const Image shown = img.scaled(large ? 0.5 : 2.0);
    std::string label = stem + ".bmp";
    if (large) label += "  (shown at half size)";
    const int cellW = std::max(shown.w, text.width(label, Font::Regular, 11)) + pad;
    if (x + cellW > sheetW) {
      x = pad;
      y += rowH + labelH + pad;
      rowH = 0;
    }
    placed.push_back({label, shown, x, y});
    x += cellW;
    rowH = std::max(rowH, shown.h);
  }
  Image sheet(sheetW, y + rowH + labelH + pad, background, 1.0f);
  text.draw(sheet, "Zanderfell: every picture of the game (sprites at twice their size)", Font::Bold, 26, pad, 42,
            {255, 255, 255});
  for (const Placed& p : placed) {
    sheet.fillRect(p.x - 2, p.y - 2, p.x + p.img.w + 1, p.y + p.img.h + 1, panelColour);
    sheet.blit(p.img, p.x, p.y);
    text.draw(sheet, p.label, Font::Regular, 11, p.x, p.y + p.img.h + 13, {240, 240, 245});
  }
  writePng(out, sheet);
}

// The application icon: a red rabbit's head on a rounded badge of sky above
// a green hill, transparent around the badge. Drawn on a 64-unit square.
Image paintIcon(int size) {
  Image img(size, size);
  const double unit = 64.0 / size;  // icon units per pixel
  const Affine pixelToIcon = Affine::scaling(unit, unit);

  const Sdf badge = box(2, 2, 62, 62, 13);
  const Sdf hill = subtract(badge, subtract(badge, circle(32, 150, 100)));
  Scene back;
  back.ramp(badge, {118, 178, 236}, {214, 236, 250}, 2, 52);
  back.ramp(hill, {104, 178, 70}, {56, 118, 40}, 50, 62, false);
  paintSmooth(img, back, pixelToIcon, unit, rimColour(), 1.2, 4);

  // The head spans model rows 1.5 to 30.5 and columns -6 to 11.5; it fills
  // most of the badge, a little above the middle.
  const double k = 30.0 / 48.0;  // rabbit units per icon unit
  const Affine iconToRabbit = Affine::translate(-33, -33).then(Affine::scaling(k, k)).then(Affine::translate(2.5, 16));
  const double rabbitPerPixel = unit * k;
  paintSmooth(img, rabbitHeadScene(redTeam()), pixelToIcon.then(iconToRabbit), rabbitPerPixel, rimColour(),
              0.9 * std::max(rabbitPerPixel, 0.25) + 0.35, 4);
  return img;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const std::vector<std::string> a(argv + 1, argv + argc);
    if (a.size() == 2 && a[0] == "--out") {
      writeAll(a[1]);
    } else if (a.size() == 2 && a[0] == "--random-file") {
      writeRandomFileIfMissing(a[1]);
    } else if (a.size() == 3 && a[0] == "--contact-sheet") {
      contactSheet(a[1], a[2]);
    } else if (a.size() == 3 && a[0] == "--icon") {
      const bool digits = !a[2].empty() && a[2].size() <= 4 &&
                          std::all_of(a[2].begin(), a[2].end(), [](char c) { return c >= '0' && c <= '9'; });
      const int size = digits ? std::atoi(a[2].c_str()) : 0;
      if (size < 16 || size > 1024) throw std::runtime_error("icon size must be 16 to 1024 pixels: " + a[2]);
      writePngWithAlpha(a[1], paintIcon(size));
    } else if (a.size() == 3 && a[0] == "--png") {
      writePng(a[2], readBmp24(a[1]));
    } else {
      std::cerr << "usage: zanderfell_artgen --out RUNDIR | --random-file RUNDIR | --contact-sheet RUNDIR OUT.png"
                   " | --png IN.bmp OUT.png | --icon OUT.png SIZE\n";
      return 2;
    }
  } catch (const std::exception& e) {
    std::cerr << "zanderfell_artgen: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
