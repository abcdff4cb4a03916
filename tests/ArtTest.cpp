// The generated art and landscapes, read back from the run directory the way
// the game reads them: every bitmap of the catalogue, its mask, the level
// grids against their pictures, the spawn spots and the first random state.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <string>
#include <vector>

#ifndef ZF_RUN_DIR
#error "ZF_RUN_DIR must name the run directory (Images/ and Files/) as a string literal"
#endif

namespace {

const std::string kRun = ZF_RUN_DIR;

struct Bmp {
  bool ok = false;
  int w = 0, h = 0, bits = 0;
  std::vector<uint32_t> palette;
  std::vector<uint32_t> px;  // 0xRRGGBB, row 0 at the top
  uint32_t at(int x, int y) const { return px[static_cast<size_t>(y) * w + x]; }
};

uint32_t rgb(int r, int g, int b) { return (uint32_t(r) << 16) | (uint32_t(g) << 8) | uint32_t(b); }

// Reads uncompressed 24-bit and 1-bit bitmaps, bottom-up or top-down.
Bmp readBmp(const std::string& path) {
  Bmp b;
  std::ifstream f(path, std::ios::binary);
  const std::vector<unsigned char> d((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  if (d.size() < 54 || d[0] != 'B' || d[1] != 'M') return b;
  auto u16 = [&](size_t o) { return unsigned(d[o] | (d[o + 1] << 8)); };
  auto u32 = [&](size_t o) { return uint32_t(d[o]) | uint32_t(d[o + 1]) << 8 | uint32_t(d[o + 2]) << 16 | uint32_t(d[o + 3]) << 24; };
  const uint32_t off = u32(10), headerSize = u32(14), compression = u32(30);
  b.w = static_cast<int32_t>(u32(18));
  const int32_t rawH = static_cast<int32_t>(u32(22));
  b.h = rawH < 0 ? -rawH : rawH;
  b.bits = static_cast<int>(u16(28));
  if (compression != 0 || (b.bits != 24 && b.bits != 1)) return b;
  if (b.bits == 1) {
    uint32_t colours = u32(46) ? u32(46) : 2;
    for (uint32_t i = 0; i < colours; ++i) {
      const size_t o = 14 + headerSize + 4 * i;
      b.palette.push_back(rgb(d[o + 2], d[o + 1], d[o]));
    }
  }
  const size_t stride = b.bits == 24 ? ((size_t(b.w) * 3 + 3) & ~size_t{3}) : ((size_t(b.w) + 31) / 32) * 4;
  if (d.size() < off + stride * b.h) return b;
  b.px.resize(size_t(b.w) * b.h);
  for (int y = 0; y < b.h; ++y) {
    const size_t row = off + stride * size_t(rawH < 0 ? y : b.h - 1 - y);
    for (int x = 0; x < b.w; ++x) {
      if (b.bits == 24) {
        const size_t o = row + size_t(x) * 3;
        b.px[size_t(y) * b.w + x] = rgb(d[o + 2], d[o + 1], d[o]);
      } else {
        const int bit = (d[row + size_t(x) / 8] >> (7 - x % 8)) & 1;
        b.px[size_t(y) * b.w + x] = b.palette.at(size_t(bit));
      }
    }
  }
  b.ok = true;
  return b;
}

struct Entry {
  std::string stem;
  int w, h;
};

// Every file the game loads, Loading.bmp first, then the catalogue in load order.
std::vector<Entry> catalogue() {
  std::vector<Entry> c{{"Loading", 1000, 700}};
  auto rabbit = [&](const std::string& stem) {
    for (const char* k : {"Rood", "Blauw", "Mask"}) c.push_back({stem + k, 29, 60});
  };
  rabbit("Konijntje");
  for (const char* pose : {"Wandel", "Baz", "Pis", "Bij"})
    for (const char* side : {"L", "R"})
      for (const char* frame : {"1", "2", "3"}) rabbit(std::string("Konijntje") + pose + side + frame);
  for (const char* stem : {"KonijntjeDyn", "KonijntjeGraL", "KonijntjeGraR", "KonijntjeNadenk"}) rabbit(stem);
  const char* dirs[] = {"BB", "BL", "BR", "LL", "RR", "OO", "OR", "OL"};
  for (const char* d : dirs) c.push_back({std::string("Kogel") + d, 16, 16});
  for (const char* d : dirs) c.push_back({std::string("Kogel") + d + "Mask", 16, 16});
  for (const char* s : {"Granaat", "GranaatWeg", "GranaatMask"}) c.push_back({s, 16, 16});
  for (const char* s : {"Dynamiet", "DynamietMask"}) c.push_back({s, 8, 26});
  for (const char* s : {"Wapen0", "Wapen1", "Wapen2", "Wapen3", "Wapen4", "Wapen5", "WapenMask"}) c.push_back({s, 66, 66});
  for (int i = 1; i <= 4; ++i) c.push_back({"TitelScherm" + std::to_string(i), 1000, 700});
  for (int i = 1; i <= 8; ++i) c.push_back({"MenuScherm" + std::to_string(i), 1000, 700});
  for (const char* s : {"Credits", "Instructions1", "Instructions2"}) c.push_back({s, 1000, 700});
  for (int i = 1; i <= 3; ++i) c.push_back({"Level" + std::to_string(i), 1000, 600});
  c.push_back({"Statusbalk", 1000, 100});
  c.push_back({"Statusbalk1", 178, 100});
  c.push_back({"Statusbalk2", 197, 100});
  c.push_back({"Statusbalk3", 60, 100});
  c.push_back({"Vizier", 20, 20});
  c.push_back({"VizierMask", 20, 20});
  c.push_back({"Kaboom", 60, 60});
  c.push_back({"KaboomMask", 60, 60});
  for (int i = 0; i <= 9; ++i) c.push_back({"Digit" + std::to_string(i), 22, 33});
  c.push_back({"OverwinningRood", 1000, 700});
  c.push_back({"OverwinningBlauw", 1000, 700});
  c.push_back({"Pijl", 22, 15});
  c.push_back({"PijlMask", 22, 15});
  return c;
}

bool isMask(const std::string& stem) { return stem.size() > 4 && stem.compare(stem.size() - 4, 4, "Mask") == 0; }

// The mask that serves a picture: its name without the colour word or number, plus "Mask".
std::string maskFor(const std::string& stem) {
  for (const char* colour : {"Rood", "Blauw"}) {
    const std::string c = colour;
    if (stem.rfind("Konijntje", 0) == 0 && stem.size() > c.size() && stem.compare(stem.size() - c.size(), c.size(), c) == 0)
      return stem.substr(0, stem.size() - c.size()) + "Mask";
  }
  if (stem.rfind("Wapen", 0) == 0) return "WapenMask";
  if (stem == "GranaatWeg") return "GranaatMask";
  for (const char* s : {"Kogel", "Granaat", "Dynamiet", "Vizier", "Kaboom", "Pijl"})
    if (stem.rfind(s, 0) == 0) return stem + "Mask";
  return "";
}

Bmp image(const std::string& stem) {
  static std::map<std::string, Bmp> cache;
  auto it = cache.find(stem);
  if (it == cache.end()) it = cache.emplace(stem, readBmp(kRun + "/Images/" + stem + ".bmp")).first;
  return it->second;
}

TEST(ArtCatalogue, EveryFileIsThereWithItsSizeAndKind) {
  const auto entries = catalogue();
  ASSERT_EQ(entries.size(), 156u);
  for (const Entry& e : entries) {
    const Bmp b = image(e.stem);
    ASSERT_TRUE(b.ok) << e.stem << ".bmp is missing or not an uncompressed 24-bit or 1-bit bitmap";
    EXPECT_EQ(b.w, e.w) << e.stem;
    EXPECT_EQ(b.h, e.h) << e.stem;
    EXPECT_EQ(b.bits, isMask(e.stem) ? 1 : 24) << e.stem;
  }
}

TEST(ArtCatalogue, MasksAreTwoColourAndCoverEveryDrawnPixel) {
  std::map<std::string, int> served;
  for (const Entry& e : catalogue()) {
    const std::string maskStem = maskFor(e.stem);
    if (isMask(e.stem) || maskStem.empty()) continue;
    const Bmp pic = image(e.stem), mask = image(maskStem);
    ASSERT_TRUE(pic.ok && mask.ok) << e.stem;
    ASSERT_EQ(mask.palette.size(), 2u) << maskStem;
    EXPECT_EQ(mask.palette[0], rgb(0, 0, 0)) << maskStem;
    EXPECT_EQ(mask.palette[1], rgb(255, 255, 255)) << maskStem;
    ASSERT_EQ(pic.w, mask.w) << e.stem;
    ASSERT_EQ(pic.h, mask.h) << e.stem;
    int white = 0, uncovered = 0, drawn = 0;
    for (int y = 0; y < pic.h; ++y)
      for (int x = 0; x < pic.w; ++x) {
        const bool on = mask.at(x, y) == rgb(255, 255, 255);
        white += on;
        drawn += pic.at(x, y) != 0;
        uncovered += pic.at(x, y) != 0 && !on;
      }
    EXPECT_GT(white, 0) << maskStem << " is empty";
    EXPECT_EQ(uncovered, 0) << e.stem << " has drawn pixels outside " << maskStem;
    EXPECT_GT(drawn, white / 2) << e.stem << " leaves most of its mask black";
    ++served[maskStem];
  }
  // Each rabbit mask serves exactly its red and blue picture.
  for (const auto& [maskStem, count] : served)
    if (maskStem.rfind("Konijntje", 0) == 0) {
      EXPECT_EQ(count, 2) << maskStem;
    }
  EXPECT_EQ(served["WapenMask"], 6);
  EXPECT_EQ(served.size(), 29u + 8u + 6u);
}

TEST(ArtCatalogue, RabbitsStandOnTheBottomRowWithEarsAtTheTop) {
  for (const Entry& e : catalogue()) {
    if (e.stem.rfind("Konijntje", 0) != 0 || !isMask(e.stem)) continue;
    const Bmp m = image(e.stem);
    ASSERT_TRUE(m.ok) << e.stem;
    auto rowHasWhite = [&](int y, int x0, int x1) {
      for (int x = x0; x <= x1; ++x)
        if (m.at(x, y) == rgb(255, 255, 255)) return true;
      return false;
    };
    EXPECT_TRUE(rowHasWhite(59, 0, 28)) << e.stem << ": feet must touch the last row";
    for (int y = 0; y < 60; ++y) {  // nothing cut off at the sides
      EXPECT_NE(m.at(0, y), rgb(255, 255, 255)) << e.stem << " touches its left edge at row " << y;
      EXPECT_NE(m.at(28, y), rgb(255, 255, 255)) << e.stem << " touches its right edge at row " << y;
    }
    EXPECT_TRUE(rowHasWhite(3, 0, 28)) << e.stem << ": ears should reach the top";
    if (e.stem.find("Bij") == std::string::npos || e.stem.find('3') == std::string::npos) {
      EXPECT_TRUE(rowHasWhite(59, 10, 20)) << e.stem << ": feet should be under the middle column 15";
    }
  }
}

// The game draws the active rabbit's health bar over the arrow's last five rows.
TEST(ArtCatalogue, TheArrowLiesAboveTheHealthBar) {
  const Bmp m = image("PijlMask");
  ASSERT_TRUE(m.ok);
  for (int y = 10; y < m.h; ++y)
    for (int x = 0; x < m.w; ++x) EXPECT_NE(m.at(x, y), rgb(255, 255, 255)) << "arrow at " << x << "," << y;
}

TEST(ArtCatalogue, StatusBarPanelsMatchTheirPiecesAndLeaveRoomForTheGame) {
  const Bmp bar = image("Statusbalk");
  ASSERT_TRUE(bar.ok);
  // The wind bars' slots, window columns from the outside in on the left and
  // from the inside out on the right, rows 653..673.
  const int windLeft[4] = {264, 282, 300, 318}, windRight[4] = {373, 391, 409, 428};
  auto inSlot = [&](int wx, int wy) {
    for (int k = 0; k < 4; ++k)
      for (int left : {windLeft[k], windRight[k]})
        if (wx >= left && wx <= left + 12 && wy >= 653 && wy <= 673) return true;
    return false;
  };
  auto colourful = [](uint32_t c) {
    const int r = c >> 16, g = (c >> 8) & 255, b = c & 255;
    return std::max({r, g, b}) - std::min({r, g, b}) > 40;
  };
  // Pieces drawn on their own at window columns 263, 486 and 923 of row 600;
  // the whole bar is drawn at column 1, so piece column i is bar column i + x - 1.
  // Only the wind piece's bars differ: the bar shows them unlit, as with wind
  // off, and the rest of the wind piece has no colour, so nothing but a bar
  // the game leaves lit speaks of the wind.
  const std::pair<const char*, int> pieces[] = {{"Statusbalk1", 263}, {"Statusbalk2", 486}, {"Statusbalk3", 923}};
  for (const auto& [stem, x] : pieces) {
    const Bmp p = image(stem);
    ASSERT_TRUE(p.ok) << stem;
    int differ = 0, coloured = 0;
    for (int j = 0; j < p.h; ++j)
      for (int i = 0; i < p.w; ++i) {
        if (x == 263 && inSlot(i + x, j + 600)) continue;
        differ += p.at(i, j) != bar.at(i + x - 1, j);
        coloured += x == 263 && colourful(p.at(i, j));
      }
    EXPECT_EQ(differ, 0) << stem << " is not the same as its place in the status bar";
    EXPECT_EQ(coloured, 0) << stem << " has colour outside its bars";
  }
  // Lives bars full at window columns 30..230: red on rows 647..659, blue on 668..680.
  for (int wx = 30; wx <= 230; ++wx) {
    for (int wy = 647; wy <= 659; ++wy) {
      const uint32_t c = bar.at(wx - 1, wy - 600);
      EXPECT_TRUE((c >> 16) > (c & 255) + 40) << "red lives bar at " << wx << "," << wy;
    }
    for (int wy = 668; wy <= 680; ++wy) {
      const uint32_t c = bar.at(wx - 1, wy - 600);
      EXPECT_TRUE((c & 255) > (c >> 16) + 40) << "blue lives bar at " << wx << "," << wy;
    }
  }
  // At any strength the game draws the wind piece and greys the bars the
  // wind leaves unlit, so each bar is either lit from the piece or grey as
  // in the bar's own picture, which stays with wind off. A lit bar is a
  // chevron in colour: its middle row lies further the wind's way than its top.
  const Bmp wind = image("Statusbalk1");
  auto centre = [&](const Bmp& b, int dx, int left, int wy) {
    int n = 0, sum = 0;
    for (int wx = left; wx <= left + 12; ++wx)
      if (colourful(b.at(wx - dx, wy - 600))) ++n, sum += wx;
    return n ? double(sum) / n : 0.0;
  };
  for (int k = 0; k < 4; ++k)
    for (int side : {-1, 1}) {
      const int left = side < 0 ? windLeft[k] : windRight[k];
      int grey = 0;
      for (int wx = left; wx <= left + 12; ++wx)
        for (int wy = 653; wy <= 673; ++wy) grey += bar.at(wx - 1, wy - 600) == rgb(128, 128, 128);
      EXPECT_EQ(grey, 13 * 21) << "unlit bar at " << left;
      EXPECT_GT((centre(wind, 263, left, 663) - centre(wind, 263, left, 655)) * side, 2.0) << "lit bar at " << left;
    }
  // The power trough is dark and empty where the game grows its bar, up to
  // its full length at column 681, inside a light rim.
  for (int wx = 535; wx <= 682; ++wx)
    for (int wy = 650; wy <= 674; ++wy) {
      const uint32_t c = bar.at(wx - 1, wy - 600);
      const int sum = int(c >> 16) + int((c >> 8) & 255) + int(c & 255);
      if (wx == 535 || wx == 682 || wy == 650 || wy == 674) {
        EXPECT_GT(sum, 360) << "power trough rim at " << wx << "," << wy;
      } else {
        EXPECT_LT(sum, 120) << "power trough at " << wx << "," << wy;
      }
    }
}

// ---- Landscapes ------------------------------------------------------------

struct Grid {
  bool ok = true;
  std::string problem;
  std::vector<bool> ground = std::vector<bool>(600000, false);
  bool at(int x, int y) const { return x >= 1 && x <= 1000 && y >= 1 && y <= 600 && ground[size_t(y - 1) * 1000 + (x - 1)]; }
};

// Reads a level's three files and checks their exact shape on the way.
Grid readLevel(int level) {
  Grid g;
  for (int part = 1; part <= 3; ++part) {
    const std::string path = kRun + "/Files/Level" + std::to_string(level) + "Part" + std::to_string(part) + ".txt";
    std::ifstream f(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    if (text.size() != 200u * 1002u) {
      g.ok = false;
      g.problem = path + " is not 200 lines of 1000 characters and CR LF";
      return g;
    }
    for (int line = 0; line < 200; ++line) {
      const size_t start = size_t(line) * 1002;
      if (text[start + 1000] != '\r' || text[start + 1001] != '\n') {
        g.ok = false;
        g.problem = path + ": line " + std::to_string(line + 1) + " does not end in CR LF";
        return g;
      }
      for (int x = 0; x < 1000; ++x) g.ground[size_t(200 * (part - 1) + line) * 1000 + x] = text[start + x] != '-';
    }
  }
  return g;
}

uint32_t airColour(int y) {
  if (y < 534) return rgb(166, 202, 240);
  if (y <= 536) return rgb(0, 0, 0);
  return rgb(17, 94, 170);
}

TEST(Landscapes, PictureAndGridAgreeCellForCell) {
  for (int level = 1; level <= 3; ++level) {
    const Grid g = readLevel(level);
    ASSERT_TRUE(g.ok) << g.problem;
    const Bmp pic = image("Level" + std::to_string(level));
    ASSERT_TRUE(pic.ok);
    int wrongAir = 0, groundLikeAir = 0, groundCells = 0;
    for (int y = 1; y <= 600; ++y)
      for (int x = 1; x <= 1000; ++x) {
        const uint32_t c = pic.at(x - 1, y - 1);
        if (g.at(x, y)) {
          ++groundCells;
          groundLikeAir += c == airColour(y);
        } else {
          wrongAir += c != airColour(y);
        }
      }
    EXPECT_EQ(wrongAir, 0) << "level " << level << ": air cells not in the sky, water line or water colour";
    EXPECT_EQ(groundLikeAir, 0) << "level " << level << ": ground painted in the air colour";
    EXPECT_GT(groundCells, 60000) << "level " << level << " has hardly any ground";
    EXPECT_LT(groundCells, 450000) << "level " << level << " is nearly solid";
  }
}

struct Spot {
  int x, y;
};

const std::vector<Spot>& spots(int level) {
  static const std::vector<Spot> one = {{80, 140},  {138, 160}, {197, 105}, {243, 141}, {283, 154}, {340, 178}, {354, 387},
                                        {417, 400}, {477, 435}, {538, 481}, {596, 485}, {655, 476}, {565, 212}, {616, 147},
                                        {667, 154}, {722, 133}, {793, 154}, {852, 200}, {799, 474}};
  static const std::vector<Spot> two = {{74, 424},  {122, 411}, {169, 410}, {222, 503}, {314, 191}, {387, 183}, {446, 289},
                                        {490, 331}, {534, 373}, {480, 113}, {535, 113}, {579, 99},  {622, 115}, {677, 116},
                                        {635, 337}, {685, 312}, {751, 283}, {818, 263}, {901, 481}};
  static const std::vector<Spot> three = {{226, 331}, {550, 432}};
  return level == 1 ? one : level == 2 ? two : three;
}

TEST(Landscapes, EverySpawnSpotStandsOnGroundWithRoomAbove) {
  for (int level = 1; level <= 3; ++level) {
    const Grid g = readLevel(level);
    ASSERT_TRUE(g.ok) << g.problem;
    for (const Spot& s : spots(level)) {
      const std::string where = "level " + std::to_string(level) + " spot (" + std::to_string(s.x) + "," + std::to_string(s.y) + ")";
      EXPECT_TRUE(g.at(s.x, s.y + 1)) << where << ": no ground under the feet";
      int blocked = 0;
      for (int x = s.x - 15; x <= s.x + 15; ++x)
        for (int y = s.y - 65; y <= s.y; ++y) blocked += g.at(x, y);
      EXPECT_EQ(blocked, 0) << where << ": ground inside the rabbit's place";
      // A rabbit can take a step: its neighbours' columns have ground within a few rows.
      int footing = 0;
      for (int x = s.x - 8; x <= s.x + 8; ++x)
        for (int y = s.y + 1; y <= s.y + 3; ++y) footing += g.at(x, y) ? 1 : 0;
      EXPECT_GE(footing, 17) << where << ": no floor to walk on";
    }
  }
}

TEST(RandomState, FirstFileHasTheGeneratorFormat) {
  std::ifstream f(kRun + "/Files/RandomFile.txt", std::ios::binary);
  ASSERT_TRUE(f.good()) << "Files/RandomFile.txt is missing";
  const std::string text((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  // A player's later file keeps the format; its numbers are the player's own.
  const std::regex format(R"(( *[0-9]+)\r\n ([1-9]\.[0-9]{4}E[+-](0|[1-9][0-9]*))\r\n)");
  std::smatch m;
  ASSERT_TRUE(std::regex_match(text, m, format)) << "unexpected content: " << text;
  EXPECT_GE(m[1].length(), 6);
  const double divisor = std::stod(m[2]);
  EXPECT_GT(divisor, 0.0);
  EXPECT_LE(divisor, 1.0);
}

}  // namespace
