// Level files, the terrain grid and the field redraw.
#include <filesystem>
#include <functional>

#include "game/Level.h"
#include "gfx/TekenBitmaps.h"
#include "tests/TestImages.h"
#include "tests/TestSupport.h"

namespace {

using namespace Zanderfell;
using TestImages::Box;
using TestImages::Find;
using TestSupport::WriteFile;

// A 1000-character line with ground ('#') exactly at the given columns.
std::string Row(std::initializer_list<int> groundColumns) {
    std::string s(1000, '-');
    for (int c : groundColumns) s[size_t(c - 1)] = '#';
    return s;
}
const std::string Air(1000, '-'), Full(1000, '#');

// 200 lines, line n with ground at column n.
std::vector<std::string> Diagonal() {
    std::vector<std::string> lines;
    for (int n = 1; n <= 200; ++n) lines.push_back(Row({n}));
    return lines;
}
std::string Join(const std::vector<std::string>& lines, const std::string& end) {
    std::string s;
    for (const auto& l : lines) s += l + end;
    return s;
}
std::string GridRow(int32_t y) {
    std::string s(1000, '?');
    for (int32_t x = 1; x <= 1000; ++x) s[size_t(x - 1)] = Level[x][y].Grond ? '#' : '-';
    return s;
}

class LevelReaderTest : public TestSupport::GameDirTest {};
TEST_F(LevelReaderTest, LineRules) {
    auto diagonal = [](int y) { return Row({y}); };
    auto shiftedFrom2 = [](int y) { return Row({y == 1 ? 1 : y - 1}); };
    auto with = [](int i, const std::string& line) { auto l = Diagonal(); l[size_t(i)] = line; return l; };
    std::string ctrlZ, noEnd = Join(Diagonal(), "\r\n");
    for (int i = 0; i < 200; ++i) ctrlZ += Diagonal()[size_t(i)] + (i % 2 ? "\x1A" : "\r\n");
    noEnd.resize(noEnd.size() - 2);
    std::string mix;
    while (mix.size() < 1000) mix += "#x +0.~_=\t\x01\x7f\xff";
    std::vector<std::string> others(200, Air), shortLines(200, Full);
    others[10] = mix.substr(0, 1000), others[11] = std::string(1000, ' '), others[12] = std::string(1000, '\0');
    shortLines[4] = std::string(500, '#'), shortLines[9] = std::string(10, '#');
    auto extra = Diagonal(), long1001 = Diagonal();
    extra.push_back(Full);
    long1001[0] += "#", long1001[1] += "-";  // the 1001st character describes no column
    // Reads `bytes` as a part from row `firstRow` over ground: the part's lines give rows 1..200 as
    // `row` says, the rows around it stay ground; `warning`: the parts of the single warning line
    // (none: silent).
    const auto check = [&](const char* what, const std::string& bytes, const std::function<std::string(int)>& row,
                           const std::vector<std::string>& warning, int32_t firstRow = 1) {
        SCOPED_TRACE(what);
        TestSupport::SetFlatGround(1);
        WriteFile("Files/Test.txt", bytes);
        testing::internal::CaptureStderr();
        LeesLevelDeel("Files/Test.txt", Level, firstRow);
        const std::string err = testing::internal::GetCapturedStderr();
        for (int y = 1; y <= 200; ++y) ASSERT_EQ(GridRow(firstRow - 1 + y), row(y)) << "line " << y;
        EXPECT_EQ(GridRow(firstRow == 1 ? 201 : firstRow - 1), Full) << "a row outside the part changed";
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), warning.empty() ? 0 : 1) << err;
        for (const auto& part : warning) EXPECT_NE(err.find(part), std::string::npos) << err;
    };
    check("CR LF", Join(Diagonal(), "\r\n"), diagonal, {});
    check("LF", Join(Diagonal(), "\n"), diagonal, {});
    check("last line without end", noEnd, diagonal, {});
    check("CR takes the next character along", Join(Diagonal(), "\r"), shiftedFrom2, {"Files/Test.txt", "line 2"});
    check("CR then X", Join(Diagonal(), "\rX"), diagonal, {});
    check("0x1A ends a line", ctrlZ, diagonal, {});
    check("0x1A mid-line", Join(with(0, std::string(500, '-') + "\x1A#" + std::string(999, '-')), "\r\n"),
          [](int y) { return y == 1 ? Air : Row({y - 1}); }, {"line 1"});
    check("1001 characters fit", Join(long1001, "\r\n"), diagonal, {});
    check("1004 characters continue", Join(with(0, Row({1}) + "X#-#"), "\r\n"),
          [](int y) { return y == 2 ? Row({1, 3}) : Row({y == 1 ? 1 : y - 1}); }, {"line 2"});
    check("other characters are ground", Join(others, "\r\n"),
          [](int y) { return y >= 11 && y <= 13 ? Full : Air; }, {});
    check("short lines", Join(shortLines, "\r\n"),
          [](int y) { return y == 5 ? std::string(500, '#') + std::string(500, '-')
                           : y == 10 ? std::string(10, '#') + std::string(990, '-') : Full; },
          {"Files/Test.txt", "line 5"});
    check("short file", Join(std::vector<std::string>(150, Full), "\r\n"), [](int y) { return y <= 150 ? Full : Air; },
          {"Files/Test.txt", "151"});
    check("empty file", "", [](int) { return Air; }, {"Files/Test.txt"});
    check("line 201 ignored", Join(extra, "\r\n"), diagonal, {});
    check("the third part", Join(extra, "\r\n"), diagonal, {}, 401);
}

class LevelTest : public TestSupport::GameTest {};
// Writes level `nr`'s three files: ground where ground(x, y) says so.
template <class F>
void WriteLevel(int nr, F ground) {
    for (int part = 1; part <= 3; ++part) {
        std::vector<std::string> lines(200, Air);
        for (int y = 1; y <= 200; ++y)
            for (int x = 1; x <= 1000; ++x)
                if (ground(x, 200 * part - 200 + y)) lines[size_t(y - 1)][size_t(x - 1)] = 'A';
        WriteFile("Files/Level" + std::to_string(nr) + "Part" + std::to_string(part) + ".txt", Join(lines, "\r\n"));
    }
}

// Loading a level shows its picture and the status bar, and leaves nothing of the level before.
TEST_F(LevelTest, SecondLevelShowsItsPictureLeavesNothingOfTheFirstAndNeedsEveryFile) {
    const std::function<bool(int, int)> ground[] = {[](int, int y) { return y >= 100; },
                                                    [](int x, int y) { return y >= 300 && x % 3 == 0; }};
    for (int nr : {1, 2}) WriteLevel(nr, ground[nr - 1]);
    const Wimdows::Color levelColour = Wimdows::RgbColor(10, 200, 30), barColour = Wimdows::RgbColor(200, 10, 30);
    TekenBitmaps::Level2Bitmap = TestImages::Solid(1000, 600, levelColour);
    TekenBitmaps::StatusbalkBitmap = TestImages::Solid(1000, 100, barColour);
    for (int nr : {1, 2}) {
        Wimdows::SetBuffering(false);
        MaakLevelAan(uint32_t(nr), Level);
        for (int x = 1; x <= 1000; ++x)
            for (int y = 1; y <= 600; ++y) {
                ASSERT_EQ(Level[x][y].Grond, ground[nr - 1](x, y)) << nr << ": " << x << ", " << y;
                ASSERT_FALSE(Level[x][y].Konijn) << nr << ": " << x << ", " << y;
                Level[x][y].Konijn = (x + y) % 2 == 0;  // a game went on here
            }
    }
    EXPECT_TRUE(Wimdows::Buffering());
    EXPECT_EQ(Find(levelColour, 0, 0, 999, 699, true), (Box{1, 1, 999, 599}));
    EXPECT_EQ(Find(barColour, 0, 0, 999, 699, true), (Box{1, 600, 999, 699}));
    // A missing file stops the game with its name.
    std::filesystem::remove("Files/Level2Part2.txt");
    EXPECT_EXIT(MaakLevelAan(2, Level), testing::ExitedWithCode(3), "Files/Level2Part2.txt");
}

class RedrawTest : public TestSupport::GameTest {
protected:
    void SetUp() override {
        TestSupport::GameTest::SetUp();
        Menu.LevelNr = 1;
        // A plain level picture, so that every repainted pixel shows; alone, as reference.
        TekenBitmaps::Level1Bitmap = TestImages::Solid(1000, 600, Wimdows::RgbColor(90, 60, 30));
        TekenBitmaps::TekenLevel(1);
        picture = TestSupport::Snapshot(0, 0, 999, 699);
    }
    Wimdows::Color Picture(int32_t x, int32_t y) const { return picture[size_t(y) * 1000 + size_t(x)]; }
    void Impacts(std::vector<Inslag> list) {
        for (size_t i = 0; i < list.size(); ++i) SchadeArray[i + 1] = list[i];
        AANTALINSLAGEN = uint32_t(list.size());
        HermaakLevel();
    }
    std::vector<Wimdows::Color> picture;
};

// Each living rabbit has its health bar over its head, rows y-65..y-61: green from column x-15 for
// a third of its lives, red to x+15. The bars' places and colours show in every screen of the
// whole games; the last rabbit's bar, of one life, is green at x-15 only.
TEST_F(RedrawTest, PaintsThePictureCratersAndLivingRabbitsWithHealthBars) {
    TestSupport::SetFlatGround(400);
    TestSupport::PutRabbit(1, 200, 300, 100, 1);
    TestSupport::PutRabbit(2, 400, 300, 50, 2);
    TestSupport::PutRabbit(3, 600, 300, 0, 1);    // out: not drawn
    TestSupport::PutRabbit(4, 800, 300, -20, 2);  // out: not drawn
    TestSupport::PutRabbit(8, 700, 500, 1, 2);
    Wimdows::Rectangle(0, 0, 999, 599, Wimdows::RgbColor(1, 2, 3), true);  // the redraw must paint it all
    Wimdows::SetBuffering(false);
    HermaakLevel();
    EXPECT_TRUE(Wimdows::Buffering());
    EXPECT_EQ(Find(Wimdows::RgbColor(0, 176, 0), 650, 400, 750, 500), (Box{685, 435, 685, 439}));
    auto inRabbit = [](int32_t x, int32_t y) {
        for (auto [rx, ry] : {std::pair{200, 300}, std::pair{400, 300}, std::pair{700, 500}})
            if (x >= rx - 15 && x <= rx + 18 && y >= ry - 65 && y < ry) return true;
        return false;
    };
    for (int32_t y = 1; y <= 599; ++y)
        for (int32_t x = 1; x <= 999; ++x) {
            if (!inRabbit(x, y)) { ASSERT_EQ(Wimdows::BufferPixel(x, y), Picture(x, y)) << x << ", " << y; }
            ASSERT_EQ(Wimdows::WindowPixel(x, y), Wimdows::BufferPixel(x, y)) << "not shown: " << x << ", " << y;
        }

    // A crater that ends above row 596 paints its disc in the sky colour. One that reaches row 534
    // also runs a pass over the air cells of its columns (3..997 at most), from its top (row 3 at
    // most) down to row 595: sky above row 534, the black water line on rows 534..536, water
    // below. Ground cells and rows from 596 keep the picture. A redraw paints the impacts up to
    // the count.
    const auto pass = [&](int32_t x, int32_t y) {
        if (y < 3 || y > 595) return Picture(x, y);
        return y < 534 ? _ACHTERGRONDKLEUR : y <= 536 ? Wimdows::RgbColor(0, 0, 0) : _WATER;
    };
    TestSupport::SetFlatGround(601);  // air everywhere but in one column
    for (int32_t y = 1; y <= 600; ++y) Level[610][y].Grond = true;
    Impacts({{2, 590, 30}, {999, 590, 30}, {500, 1, 600}});
    for (int32_t y = 1; y <= 600; ++y) {
        for (int32_t x : {1, 2, 610, 998, 999}) ASSERT_EQ(Wimdows::BufferPixel(x, y), Picture(x, y)) << x << ", " << y;
        for (int32_t x : {3, 997}) ASSERT_EQ(Wimdows::BufferPixel(x, y), pass(x, y)) << x << ", " << y;
    }
    // A high crater has no pass below it, nor one ending on row 533; one ending on row 534 has;
    // one ending on row 596 no disc.
    SchadeArray[5] = Inslag{700, 300, 10};  // past the count
    Impacts({{300, 200, 20}, {610, 586, 10}, {400, 524, 10}, {450, 523, 10}});
    for (auto [x, y] : {std::pair{310, 210}, {605, 586}, {605, 595}, {400, 540}})
        EXPECT_EQ(Wimdows::BufferPixel(x, y), pass(x, y)) << x << ", " << y;
    for (auto [x, y] : {std::pair{320, 200}, {300, 220}, {300, 540}, {610, 586}, {605, 596}, {700, 300}, {450, 540}})
        EXPECT_EQ(Wimdows::BufferPixel(x, y), Picture(x, y)) << x << ", " << y;
}

}  // namespace
