// The generated art and landscapes, read back from the run directory through the game's own
// reader: every file of the catalogue at its size, the masks, the rabbits' feet, the shells'
// noses, the status bar's pieces, the level grids against their pictures and the spawn spots,
// and the first random state.
#include "tests/TestSupport.h"

#include <cmath>
#include <fstream>
#include <iterator>
#include <numbers>
#include <regex>
#include <utility>

#include "game/Field.h"
#include "gfx/BmpFile.h"
#include "tests/TestImages.h"

namespace {

const std::string kRun = ZF_RUN_DIR;  // the run directory, Images/ and Files/, set by the build
constexpr uint32_t White = 0xFFFFFF;

uint32_t Rgb(Veld::Rgb c) { return uint32_t(c.r) << 16 | uint32_t(c.g) << 8 | c.b; }
bool Colourful(uint32_t c) {
    const int r = c >> 16, g = (c >> 8) & 255, b = c & 255;
    return std::max({r, g, b}) - std::min({r, g, b}) > 40;
}

struct Picture {
    uint32_t w = 0, h = 0;       // as the file's header gives them
    std::vector<uint32_t> px;    // 0xRRGGBB from the top; empty when the game cannot read it
    uint32_t at(int x, int y) const { return px[size_t(y) * w + size_t(x)]; }
};

Picture Load(const std::string& stem) {
    const std::string path = kRun + "/Images/" + stem + ".bmp";
    unsigned char h[26] = {};
    std::ifstream(path, std::ios::binary).read(reinterpret_cast<char*>(h), 26);
    const auto u32 = [&](int o) { return uint32_t(h[o]) | uint32_t(h[o + 1]) << 8 | uint32_t(h[o + 2]) << 16 | uint32_t(h[o + 3]) << 24; };
    Picture p{u32(18), uint32_t(std::abs(int32_t(u32(22)))), {}};
    if (!BmpFile::Read(path, p.w, p.h, p.px)) p.px.clear();
    return p;
}

// Every file of the catalogue and the loading screen, at its size. A mask is black and white and
// covers every drawn pixel of its pictures. The game puts a rabbit's feet at column 15 of its
// picture, on the last row (the axe held out in the swing's last frame shifts the picture, not the
// feet), and draws the active rabbit's health bar over the arrow's last five rows. Each shell's
// warhead points the way its name says: B up, O down, L left, R right.
TEST(ArtCatalogue, EveryFileAtItsSizeFitsHowTheGameDrawsIt) {
    std::vector<TestImages::Entry> files = TestImages::Catalogue();
    files.push_back({"Loading", 1000, 700});
    for (const auto& e : files) {
        SCOPED_TRACE(e.stem);
        const Picture& p = Load(e.stem);
        ASSERT_FALSE(p.px.empty()) << "missing or unreadable";
        EXPECT_EQ(std::pair(p.w, p.h), std::pair(e.w, e.h));
        const auto white = [&](int y, int x0, int x1) {
            for (int x = x0; x <= x1; ++x) if (p.at(x, y) == White) return true;
            return false;
        };
        if (e.stem.starts_with("Konijntje") && e.stem.ends_with("Mask")) {
            EXPECT_TRUE(white(3, 0, 28)) << "ears should reach the top";
            const bool swung = e.stem.starts_with("KonijntjeBij") && e.stem.find('3') != std::string::npos;
            EXPECT_TRUE(swung ? white(59, 0, 28) : white(59, 10, 20)) << "feet not on the last row under the middle";
            for (int y = 0; y < 60; ++y) EXPECT_FALSE(white(y, 0, 0) || white(y, 28, 28)) << "a side at row " << y;
        }
        if (e.stem == "PijlMask") {
            for (int y = 10; y < int(p.h); ++y) EXPECT_FALSE(white(y, 0, int(p.w) - 1)) << "arrow on row " << y;
        }
        const std::string maskStem = TestImages::MaskFor(e.stem);
        if (maskStem.empty()) continue;
        const Picture& mask = Load(maskStem);
        ASSERT_EQ(p.px.size(), mask.px.size());
        int whites = 0, grey = 0, uncovered = 0, drawn = 0;
        for (size_t i = 0; i < p.px.size(); ++i) {
            whites += mask.px[i] == White;
            grey += mask.px[i] != White && mask.px[i] != 0;
            drawn += p.px[i] != 0;
            uncovered += p.px[i] != 0 && mask.px[i] != White;
        }
        EXPECT_EQ(grey, 0) << maskStem << " is not black and white";
        EXPECT_EQ(uncovered, 0) << "drawn pixels outside " << maskStem;
        EXPECT_GT(drawn, whites / 2) << "leaves most of " << maskStem << " black";
        if (!e.stem.starts_with("Kogel")) continue;
        const std::string dir = e.stem.substr(5);
        const double wantX = dir.find('R') != std::string::npos ? 1 : dir.find('L') != std::string::npos ? -1 : 0;
        const double wantY = dir.find('O') != std::string::npos ? 1 : dir.find('B') != std::string::npos ? -1 : 0;
        double sx = 0, sy = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                if (const uint32_t c = p.at(x, y); (c >> 16) > 190 && ((c >> 8) & 255) < 100) sx += x - 7.5, sy += y - 7.5;
        const double off = std::abs(std::remainder(std::atan2(sy, sx) - std::atan2(wantY, wantX), 2 * std::numbers::pi));
        EXPECT_LT(off, std::numbers::pi / 8);
    }
}

TEST(ArtCatalogue, StatusBarPanelsMatchTheirPiecesAndLeaveRoomForTheGame) {
    const Picture &bar = Load("Statusbalk"), &wind = Load("Statusbalk1");
    const auto at = [](const Picture& p, int x0, int wx, int wy) { return p.at(wx - x0, wy - Veld::StatusbalkRij); };
    // The wind bars' slots, rows 653..673: the left ones from the outside in, the right ones from the inside out.
    const int slots[8] = {264, 282, 300, 318, 373, 391, 409, 428};
    const auto inSlot = [&](int wx, int wy) {
        return wy >= 653 && wy <= 673 && std::any_of(slots, slots + 8, [&](int left) { return wx >= left && wx <= left + 12; });
    };
    // The pieces drawn alone at columns 263, 486 and 923 are the bar there, but for the wind's
    // bars, which the bar shows unlit; the rest of the wind piece has no colour.
    for (const auto& [stem, x] : {std::pair{"Statusbalk1", 263}, {"Statusbalk2", 486}, {"Statusbalk3", 923}}) {
        const Picture& p = Load(stem);
        int differ = 0, coloured = 0;
        for (int wy = 600; wy < 700; ++wy)
            for (int wx = x; wx < x + int(p.w); ++wx)
                if (!inSlot(wx, wy)) {
                    differ += at(p, x, wx, wy) != at(bar, 1, wx, wy);
                    coloured += x == 263 && Colourful(at(p, x, wx, wy));
                }
        EXPECT_EQ(differ, 0) << stem << " is not the same as its place in the status bar";
        EXPECT_EQ(coloured, 0) << stem << " has colour outside its bars";
    }
    // Unlit, a wind bar is grey; lit, a chevron in colour whose middle row lies further the wind's way than its top.
    for (int k = 0; k < 8; ++k) {
        int grey = 0, n[2] = {0, 0};
        double sum[2] = {0, 0};
        for (int wx = slots[k]; wx <= slots[k] + 12; ++wx) {
            for (int wy = 653; wy <= 673; ++wy) grey += at(bar, 1, wx, wy) == 0x808080;
            for (int row : {0, 1})
                if (Colourful(at(wind, 263, wx, row ? 663 : 655))) ++n[row], sum[row] += wx;
        }
        EXPECT_EQ(grey, 13 * 21) << "unlit bar at " << slots[k];
        EXPECT_GT((sum[1] / std::max(n[1], 1) - sum[0] / std::max(n[0], 1)) * (k < 4 ? -1 : 1), 2.0) << "lit bar at " << slots[k];
    }
    // Full lives bars at columns 30..230, red on rows 647..659 and blue on 668..680; the power
    // trough dark where the game grows its bar (up to column 681), inside a light rim.
    for (int wx = 30; wx <= 230; ++wx)
        for (int wy = 647; wy <= 680; ++wy) {
            if (wy > 659 && wy < 668) continue;
            const uint32_t c = at(bar, 1, wx, wy), red = c >> 16, blue = c & 255;
            EXPECT_GT(wy <= 659 ? red : blue, (wy <= 659 ? blue : red) + 40) << "lives bar at " << wx << "," << wy;
        }
    for (int wx = 535; wx <= 682; ++wx)
        for (int wy = 650; wy <= 674; ++wy) {
            const uint32_t c = at(bar, 1, wx, wy), sum = (c >> 16) + (c >> 8 & 255) + (c & 255);
            EXPECT_TRUE(wx == 535 || wx == 682 || wy == 650 || wy == 674 ? sum > 360 : sum < 120) << "power trough at " << wx << "," << wy;
        }
}

// ---- Landscapes ------------------------------------------------------------

// Each level's three files (200 lines of 1000 characters and CR LF) against its picture, cell for
// cell, and the spawn spots: ground under the feet across the rabbit's width and a column either
// side, none in its place.
TEST(Landscapes, GridPictureAndSpawnSpotsAgree) {
    for (uint32_t level = 1; level <= 3; ++level) {
        std::string text;
        for (int part = 1; part <= 3; ++part) {
            std::ifstream f(kRun + "/Files/Level" + std::to_string(level) + "Part" + std::to_string(part) + ".txt", std::ios::binary);
            text.append(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
        }
        ASSERT_EQ(text.size(), 600u * 1002u) << "level " << level;
        const auto ground = [&](int x, int y) { return x >= 1 && x <= 1000 && y >= 1 && y <= 600 && text[size_t(y - 1) * 1002 + size_t(x - 1)] != '-'; };
        const Picture& pic = Load("Level" + std::to_string(level));
        int lineEnds = 0, wrongAir = 0, groundLikeAir = 0, groundCells = 0;
        for (int y = 1; y <= Veld::Hoogte; ++y) {
            lineEnds += text.compare(size_t(y - 1) * 1002 + 1000, 2, "\r\n") == 0;
            for (int x = 1; x <= Veld::Breedte; ++x) {
                const bool air = pic.at(x - 1, y - 1) == Rgb(Veld::Luchtkleur(y));
                groundCells += ground(x, y);
                if (ground(x, y)) groundLikeAir += air;
                else wrongAir += !air;
            }
        }
        EXPECT_EQ(lineEnds, 600) << "level " << level << ": lines not ended by CR LF";
        EXPECT_EQ(wrongAir, 0) << "level " << level << ": air cells not in the sky, water line or water colour";
        EXPECT_EQ(groundLikeAir, 0) << "level " << level << ": ground painted in the air colour";
        EXPECT_TRUE(groundCells > 60000 && groundCells < 450000) << "level " << level << ": " << groundCells << " ground cells";
        ASSERT_FALSE(Veld::Plekken(level).empty());
        for (const Veld::Plek& s : Veld::Plekken(level)) {
            int floor = 0, blocked = 0;
            for (int x = s.x - 16; x <= s.x + 16; ++x) floor += ground(x, s.y + 1);
            for (int x = s.x - 15; x <= s.x + 15; ++x)
                for (int y = s.y - 65; y <= s.y; ++y) blocked += ground(x, y);
            EXPECT_EQ(floor, 33) << "level " << level << " spot " << s.x << "," << s.y << ": no floor under the feet";
            EXPECT_EQ(blocked, 0) << "level " << level << " spot " << s.x << "," << s.y << ": ground inside the rabbit's place";
        }
    }
}

TEST(RandomState, FirstFileHasTheGeneratorFormat) {
    std::ifstream f(kRun + "/Files/RandomFile.txt", std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    // A player's later file keeps the format; its numbers are the player's own.
    const std::regex format(R"(( *[0-9]+)\r\n ([1-9]\.[0-9]{4}E[+-](0|[1-9][0-9]*))\r\n)");
    std::smatch m;
    ASSERT_TRUE(std::regex_match(text, m, format)) << "Files/RandomFile.txt missing or unexpected: " << text;
    EXPECT_GE(m[1].length(), 6);
    EXPECT_TRUE(std::stod(m[2]) > 0 && std::stod(m[2]) <= 1) << m[2];
}

}  // namespace
