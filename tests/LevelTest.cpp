// Level files, the terrain grid and the field redraw.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "game/Level.h"
#include "gfx/TekenBitmaps.h"
#include "gfx/Wimdows.h"
#include "tests/TestImages.h"
#include "tests/TestSupport.h"

namespace {

using namespace Zanderfell;
using TestSupport::WriteFile;

// A line of 1000 characters: ground ('#') exactly at the listed columns.
std::string Row(std::initializer_list<int> groundColumns) {
    std::string s(1000, '-');
    for (int c : groundColumns) s[size_t(c - 1)] = '#';
    return s;
}

// 200 lines, line n has ground at column n only (n = 1..200).
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

// Ground of row `y` as a 1000-character line of '#' and '-'.
std::string GridRow(int32_t y) {
    std::string s(1000, '?');
    for (int32_t x = 1; x <= 1000; ++x) s[size_t(x - 1)] = Level[x][y].Grond ? '#' : '-';
    return s;
}

// Fills the grid with ground, so that a reader must clear what is air.
void AllGround() { TestSupport::SetFlatGround(1); }

// Reads `bytes` as part 1 (rows 1..200) and returns what went to stderr.
std::string ReadPart(const std::string& bytes, const std::string& name = "Files/Test.txt",
                     int32_t firstRow = 1) {
    WriteFile(name, bytes);
    testing::internal::CaptureStderr();
    LeesLevelDeel(name, Level, firstRow);
    return testing::internal::GetCapturedStderr();
}

class LevelReaderTest : public TestSupport::GameDirTest {};

TEST_F(LevelReaderTest, CrLfLines) {
    AllGround();
    std::string err = ReadPart(Join(Diagonal(), "\r\n"));
    EXPECT_EQ(err, "");
    for (int y = 1; y <= 200; ++y) ASSERT_EQ(GridRow(y), Row({y})) << "row " << y;
    // Rows outside the part are left alone.
    EXPECT_EQ(GridRow(201), std::string(1000, '#'));
}

TEST_F(LevelReaderTest, PartGoesToItsRows) {
    AllGround();
    ReadPart(Join(Diagonal(), "\r\n"), "Files/Test.txt", 401);
    for (int n = 1; n <= 200; ++n) ASSERT_EQ(GridRow(400 + n), Row({n})) << "line " << n;
    EXPECT_EQ(GridRow(400), std::string(1000, '#'));
}

TEST_F(LevelReaderTest, LfOnlyLines) {
    AllGround();
    EXPECT_EQ(ReadPart(Join(Diagonal(), "\n")), "");
    for (int y = 1; y <= 200; ++y) ASSERT_EQ(GridRow(y), Row({y})) << "row " << y;
}

TEST_F(LevelReaderTest, LastLineWithoutLineEnd) {
    AllGround();
    std::string s = Join(Diagonal(), "\r\n");
    s.resize(s.size() - 2);
    EXPECT_EQ(ReadPart(s), "");
    EXPECT_EQ(GridRow(200), Row({200}));
}

TEST_F(LevelReaderTest, CarriageReturnTakesTheNextCharacterWithIt) {
    AllGround();
    // CR only: the first character of every following line goes with the CR
    // before it, so line n (n >= 2) starts at its second character.
    std::string err = ReadPart(Join(Diagonal(), "\r"));
    EXPECT_EQ(GridRow(1), Row({1}));
    EXPECT_EQ(GridRow(2), Row({1}));    // "-#--..." lost its first '-'
    EXPECT_EQ(GridRow(3), Row({2}));
    EXPECT_EQ(GridRow(200), Row({199}));
    // Those lines are 999 characters long: column 1000 is air, with a warning.
    EXPECT_NE(err.find("Files/Test.txt"), std::string::npos) << err;
    EXPECT_NE(err.find("line 2"), std::string::npos) << err;

    // CR followed by something other than LF: that character goes too.
    AllGround();
    std::vector<std::string> lines = Diagonal();
    std::string s;
    for (const auto& l : lines) s += l + "\rX";
    EXPECT_EQ(ReadPart(s), "");
    for (int y = 1; y <= 200; ++y) ASSERT_EQ(GridRow(y), Row({y})) << "row " << y;
}

TEST_F(LevelReaderTest, CtrlZEndsALine) {
    AllGround();
    std::vector<std::string> lines = Diagonal();
    std::string s;
    for (size_t i = 0; i < lines.size(); ++i) s += lines[i] + (i % 2 ? "\x1A" : "\r\n");
    EXPECT_EQ(ReadPart(s), "");
    for (int y = 1; y <= 200; ++y) ASSERT_EQ(GridRow(y), Row({y})) << "row " << y;
    // Also in the middle of a line: the rest is the next line.
    AllGround();
    lines = Diagonal();
    lines[0] = std::string(500, '-') + "\x1A" + "#" + std::string(999, '-');
    std::string err = ReadPart(Join(lines, "\r\n"));
    EXPECT_EQ(GridRow(1), std::string(500, '-') + std::string(500, '-'));
    EXPECT_EQ(GridRow(2), Row({1}));
    EXPECT_EQ(GridRow(3), Row({2}));
    EXPECT_NE(err.find("line 1"), std::string::npos) << err;
}

TEST_F(LevelReaderTest, LineOf1001CharactersFitsWhole) {
    AllGround();
    std::vector<std::string> lines = Diagonal();
    lines[0] += "#";  // 1001 characters; the last describes no column
    lines[1] += "-";
    EXPECT_EQ(ReadPart(Join(lines, "\r\n")), "");
    for (int y = 1; y <= 200; ++y) ASSERT_EQ(GridRow(y), Row({y})) << "row " << y;
}

TEST_F(LevelReaderTest, LongerLineContinuesAsTheNextLine) {
    AllGround();
    std::vector<std::string> lines = Diagonal();
    // 1004 characters: 1001 fit, "#-#" is read as line 2.
    lines[0] = Row({1}) + "X" + "#-#";
    std::string err = ReadPart(Join(lines, "\r\n"));
    EXPECT_EQ(GridRow(1), Row({1}));
    EXPECT_EQ(GridRow(2), Row({1, 3}));  // 3 characters, the rest air
    for (int y = 3; y <= 200; ++y) ASSERT_EQ(GridRow(y), Row({y - 1})) << "row " << y;
    EXPECT_NE(err.find("line 2"), std::string::npos) << err;

    // Exactly 1002: one character spills over.
    AllGround();
    lines = Diagonal();
    lines[0] = Row({1}) + "-" + "#";
    ReadPart(Join(lines, "\r\n"));
    EXPECT_EQ(GridRow(2), Row({1}));
    EXPECT_EQ(GridRow(3), Row({2}));
}

TEST_F(LevelReaderTest, AnyOtherCharacterIsGround) {
    AllGround();
    std::vector<std::string> lines(200, std::string(1000, '-'));
    std::string mix;
    const std::string chars = "#x +0.~_=\t\x01\x7f\xff";
    while (mix.size() < 1000) mix += chars;
    mix.resize(1000);
    lines[10] = mix;
    lines[11] = std::string(1000, ' ');
    lines[12] = std::string(1000, '\0');
    EXPECT_EQ(ReadPart(Join(lines, "\r\n")), "");
    EXPECT_EQ(GridRow(1), std::string(1000, '-'));
    EXPECT_EQ(GridRow(11), std::string(1000, '#'));
    EXPECT_EQ(GridRow(12), std::string(1000, '#'));
    EXPECT_EQ(GridRow(13), std::string(1000, '#'));
    EXPECT_EQ(GridRow(14), std::string(1000, '-'));
}

TEST_F(LevelReaderTest, ShortLineIsAirWithOneWarning) {
    AllGround();
    std::vector<std::string> lines(200, std::string(1000, '#'));
    lines[4] = std::string(500, '#');   // line 5
    lines[9] = std::string(10, '#');    // line 10
    std::string err = ReadPart(Join(lines, "\r\n"), "Files/Short.txt");
    EXPECT_EQ(GridRow(5), std::string(500, '#') + std::string(500, '-'));
    EXPECT_EQ(GridRow(10), std::string(10, '#') + std::string(990, '-'));
    EXPECT_EQ(GridRow(6), std::string(1000, '#'));
    EXPECT_NE(err.find("Files/Short.txt"), std::string::npos) << err;
    EXPECT_NE(err.find("line 5"), std::string::npos) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
}

TEST_F(LevelReaderTest, ShortFileIsAirWithOneWarning) {
    AllGround();
    std::vector<std::string> lines(150, std::string(1000, '#'));
    std::string err = ReadPart(Join(lines, "\r\n"), "Files/ShortFile.txt");
    EXPECT_EQ(GridRow(150), std::string(1000, '#'));
    for (int y = 151; y <= 200; ++y) ASSERT_EQ(GridRow(y), std::string(1000, '-')) << y;
    EXPECT_EQ(GridRow(201), std::string(1000, '#'));
    EXPECT_NE(err.find("Files/ShortFile.txt"), std::string::npos) << err;
    EXPECT_NE(err.find("151"), std::string::npos) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;

    // An empty file: every row air.
    AllGround();
    err = ReadPart("", "Files/Empty.txt");
    for (int y = 1; y <= 200; ++y) ASSERT_EQ(GridRow(y), std::string(1000, '-')) << y;
    EXPECT_NE(err.find("Files/Empty.txt"), std::string::npos) << err;
}

TEST_F(LevelReaderTest, LinesAfterTheTwoHundredthAreIgnored) {
    AllGround();
    std::vector<std::string> lines = Diagonal();
    lines.push_back(std::string(1000, '#'));
    EXPECT_EQ(ReadPart(Join(lines, "\r\n")), "");
    EXPECT_EQ(GridRow(201), std::string(1000, '#'));
    EXPECT_EQ(GridRow(200), Row({200}));
}

TEST_F(LevelReaderTest, MissingFileStopsWithItsName) {
    EXPECT_EXIT(LeesLevelDeel("Files/NoSuchLevel.txt", Level, 1), testing::ExitedWithCode(3),
                "Files/NoSuchLevel.txt");
}

// --- MaakLevelAan -----------------------------------------------------------

class LevelTest : public TestSupport::GameTest {};

// Writes level `nr`'s three files: ground where ground(x, y) says so.
template <class F>
void WriteLevel(int nr, F ground) {
    for (int part = 1; part <= 3; ++part) {
        std::string s;
        for (int n = 1; n <= 200; ++n) {
            int y = 200 * (part - 1) + n;
            std::string line(1000, '-');
            for (int x = 1; x <= 1000; ++x)
                if (ground(x, y)) line[size_t(x - 1)] = 'A';
            s += line + "\r\n";
        }
        WriteFile("Files/Level" + std::to_string(nr) + "Part" + std::to_string(part) + ".txt", s);
    }
}

TEST_F(LevelTest, SecondLevelLeavesNothingOfTheFirst) {
    WriteLevel(1, [](int, int y) { return y >= 100; });
    WriteLevel(2, [](int x, int y) { return y >= 300 && x % 3 == 0; });
    MaakLevelAan(1, Level);
    for (int x = 1; x <= 1000; ++x)
        for (int y = 1; y <= 600; ++y) {
            ASSERT_EQ(Level[x][y].Grond, y >= 100) << x << ", " << y;
            Level[x][y].Konijn = (x + y) % 2 == 0;  // a game went on here
        }
    MaakLevelAan(2, Level);
    for (int x = 1; x <= 1000; ++x)
        for (int y = 1; y <= 600; ++y) {
            ASSERT_EQ(Level[x][y].Grond, y >= 300 && x % 3 == 0) << x << ", " << y;
            ASSERT_FALSE(Level[x][y].Konijn) << x << ", " << y;
        }
}

TEST_F(LevelTest, ShowsLevelPictureAndStatusBar) {
    const Wimdows::Color levelColour = Wimdows::RgbColor(10, 200, 30);
    const Wimdows::Color barColour = Wimdows::RgbColor(200, 10, 30);
    TekenBitmaps::Level2Bitmap = TestImages::Solid(1000, 600, levelColour);
    TekenBitmaps::StatusbalkBitmap = TestImages::Solid(1000, 100, barColour);
    WriteLevel(2, [](int, int y) { return y > 500; });
    ASSERT_FALSE(Wimdows::Buffering());
    MaakLevelAan(2, Level);
    EXPECT_TRUE(Wimdows::Buffering());
    // The level picture at (1, 1), the status bar at (1, 600), both shown.
    EXPECT_EQ(TestImages::Find(levelColour, 0, 0, 999, 699, true), (TestImages::Box{1, 1, 999, 599}));
    EXPECT_EQ(TestImages::Find(barColour, 0, 0, 999, 699, true), (TestImages::Box{1, 600, 999, 699}));
    // The real level files load too.
    MaakLevelAan(1, Level);
    MaakLevelAan(3, Level);
}

TEST_F(LevelTest, LevelFilesOfTheGameAreComplete) {
    for (uint32_t nr = 1; nr <= 3; ++nr) {
        testing::internal::CaptureStderr();
        MaakLevelAan(nr, Level);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "level " << nr;
    }
}

TEST_F(LevelTest, MissingLevelFileStopsWithItsName) {
    std::filesystem::remove("Files/Level2Part2.txt");
    EXPECT_EXIT(MaakLevelAan(2, Level), testing::ExitedWithCode(3), "Files/Level2Part2.txt");
}

// --- HermaakLevel -----------------------------------------------------------

class RedrawTest : public TestSupport::GameTest {
protected:
    void SetUp() override {
        TestSupport::GameTest::SetUp();
        Menu.LevelNr = 1;
        // The level picture alone, as reference.
        TekenBitmaps::TekenLevel(1);
        picture = Snapshot();
    }
    static std::vector<Wimdows::Color> Snapshot() {
        std::vector<Wimdows::Color> p;
        for (int32_t y = 0; y <= 699; ++y)
            for (int32_t x = 0; x <= 999; ++x) p.push_back(Wimdows::BufferPixel(x, y));
        return p;
    }
    Wimdows::Color Picture(int32_t x, int32_t y) const { return picture[size_t(y) * 1000 + size_t(x)]; }
    std::vector<Wimdows::Color> picture;
};

TEST_F(RedrawTest, NoImpactsGiveThePictureAndTheWindowShowsIt) {
    TestSupport::SetFlatGround(400);
    // Scribble over the field so that the redraw has to paint it all.
    Wimdows::Rectangle(0, 0, 999, 599, Wimdows::RgbColor(1, 2, 3), true);
    Wimdows::SetBuffering(false);
    HermaakLevel();
    EXPECT_TRUE(Wimdows::Buffering());
    for (int32_t y = 1; y <= 599; ++y)
        for (int32_t x = 1; x <= 999; ++x) {
            ASSERT_EQ(Wimdows::BufferPixel(x, y), Picture(x, y)) << x << ", " << y;
            ASSERT_EQ(Wimdows::WindowPixel(x, y), Picture(x, y)) << x << ", " << y;
        }
}

TEST_F(RedrawTest, RabbitsWithLivesAndTheirHealthBars) {
    const Wimdows::Color red = Wimdows::RgbColor(176, 0, 0), green = Wimdows::RgbColor(0, 176, 0);
    const Wimdows::Color rood = Wimdows::RgbColor(250, 1, 1), blauw = Wimdows::RgbColor(1, 1, 250);
    TekenBitmaps::KonijntjeRoodBitmap = TestImages::Solid(29, 60, rood);
    TekenBitmaps::KonijntjeBlauwBitmap = TestImages::Solid(29, 60, blauw);
    TekenBitmaps::KonijntjeMaskBitmap = TestImages::Mask(29, 60);
    TestSupport::PutRabbit(1, 200, 300, 100, 1);
    TestSupport::PutRabbit(2, 400, 300, 50, 2);
    TestSupport::PutRabbit(3, 600, 300, 0, 1);    // out: not drawn
    TestSupport::PutRabbit(4, 800, 300, -20, 2);  // out: not drawn
    TestSupport::PutRabbit(5, 700, 500, 1, 2);
    HermaakLevel();

    // Rabbit 1, 100 lives: green from x-15 to x+18 (past the red background).
    EXPECT_EQ(TestImages::Find(green, 150, 200, 250, 300), (TestImages::Box{185, 235, 218, 239}));
    EXPECT_EQ(TestImages::Find(red, 150, 200, 250, 300), (TestImages::Box{}));
    EXPECT_EQ(TestImages::Find(rood, 150, 200, 250, 310), (TestImages::Box{185, 240, 213, 299}));
    // Rabbit 2, 50 lives: green to x-15+16, red to x+15.
    EXPECT_EQ(TestImages::Find(green, 350, 200, 450, 300), (TestImages::Box{385, 235, 401, 239}));
    EXPECT_EQ(TestImages::Find(red, 350, 200, 450, 300), (TestImages::Box{402, 235, 415, 239}));
    EXPECT_EQ(TestImages::Find(blauw, 350, 200, 450, 310), (TestImages::Box{385, 240, 413, 299}));
    // Rabbit 5, 1 life: green only at x-15.
    EXPECT_EQ(TestImages::Find(green, 650, 400, 750, 500), (TestImages::Box{685, 435, 685, 439}));
    // Rabbits 3 and 4: the picture only.
    for (int32_t y = 200; y <= 320; ++y)
        for (int32_t x = 560; x <= 840; ++x) ASSERT_EQ(Wimdows::BufferPixel(x, y), Picture(x, y)) << x << ", " << y;
    // Shown with one update.
    EXPECT_EQ(Wimdows::WindowPixel(200, 270), rood);
    EXPECT_EQ(Wimdows::WindowPixel(400, 270), blauw);
}

TEST_F(RedrawTest, CraterReachingTheWaterZone) {
    const int32_t cx = 500, cy = 520, G = 20;
    // Ground from row 450 down; the crater cut into the grid; an air shaft in
    // column cx+5 down to the bottom, and air in columns cx-20 and cx+21 at
    // rows 590..600.
    TestSupport::SetFlatGround(450);
    for (int32_t x = cx - G; x <= cx + G; ++x)
        for (int32_t y = cy - G; y <= cy + G; ++y)
            if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= G * G) Level[x][y].Grond = false;
    for (int32_t y = 450; y <= 600; ++y) Level[cx + 5][y].Grond = false;
    for (int32_t y = 590; y <= 600; ++y) Level[cx - 20][y].Grond = Level[cx + 21][y].Grond = false;
    SchadeArray[1] = Inslag{cx, cy, G};
    AANTALINSLAGEN = 1;
    HermaakLevel();

    const Wimdows::Color black = Wimdows::RgbColor(0, 0, 0);
    for (int32_t x = cx - G; x <= cx + G; ++x)
        for (int32_t y = cy - G; y <= 595; ++y) {
            Wimdows::Color got = Wimdows::BufferPixel(x, y);
            if (!Level[x][y].Grond) {
                Wimdows::Color want = y < 534 ? _ACHTERGRONDKLEUR : y <= 536 ? black : _WATER;
                ASSERT_EQ(got, want) << "air cell " << x << ", " << y;
            } else if (y >= cy + G || x >= cx + G) {
                // Ground outside the disc's box: the level picture.
                ASSERT_EQ(got, Picture(x, y)) << "ground cell " << x << ", " << y;
            } else if ((x - cx) * (x - cx) + (y - cy) * (y - cy) < (G - 2) * (G - 2)) {
                ASSERT_EQ(got, _ACHTERGRONDKLEUR) << "inside the disc " << x << ", " << y;
            }
        }
    // Row 596 and below are never repainted; nor columns outside the crater.
    for (int32_t y = 596; y <= 600; ++y) {
        EXPECT_EQ(Wimdows::BufferPixel(cx + 5, y), Picture(cx + 5, y));
        EXPECT_EQ(Wimdows::BufferPixel(cx - 20, y), Picture(cx - 20, y));
    }
    for (int32_t y = 590; y <= 595; ++y) {
        EXPECT_EQ(Wimdows::BufferPixel(cx - 20, y), _WATER);
        EXPECT_EQ(Wimdows::BufferPixel(cx + 21, y), Picture(cx + 21, y));
    }
    for (int32_t y = 450; y <= 600; ++y) EXPECT_EQ(Wimdows::BufferPixel(cx - 21, y), Picture(cx - 21, y));
    EXPECT_EQ(Wimdows::WindowPixel(cx + 5, 560), _WATER);
}

TEST_F(RedrawTest, CraterAboveTheWaterGetsOnlyTheDisc) {
    TestSupport::SetFlatGround(100);
    for (int32_t y = 100; y <= 600; ++y) Level[300][y].Grond = false;  // an air shaft
    SchadeArray[1] = Inslag{300, 200, 20};
    AANTALINSLAGEN = 1;
    HermaakLevel();
    EXPECT_EQ(Wimdows::BufferPixel(300, 200), _ACHTERGRONDKLEUR);
    EXPECT_EQ(Wimdows::BufferPixel(310, 210), _ACHTERGRONDKLEUR);
    // No pixel pass: the shaft below the disc keeps the picture.
    for (int32_t y = 225; y <= 600; ++y) ASSERT_EQ(Wimdows::BufferPixel(300, y), Picture(300, y)) << y;
    EXPECT_EQ(Wimdows::BufferPixel(321, 200), Picture(321, 200));
    EXPECT_EQ(Wimdows::BufferPixel(300, 221), Picture(300, 221));
}

TEST_F(RedrawTest, DeepCraterGetsOnlyThePixelPass) {
    TestSupport::SetFlatGround(500);
    for (int32_t x = 590; x <= 610; ++x)
        for (int32_t y = 580; y <= 600; ++y) Level[x][y].Grond = (x % 2 == 0);
    SchadeArray[1] = Inslag{600, 590, 10};  // 600 >= 596: no disc
    AANTALINSLAGEN = 1;
    HermaakLevel();
    for (int32_t x = 590; x <= 610; ++x)
        for (int32_t y = 580; y <= 600; ++y) {
            Wimdows::Color want = (x % 2 == 0 || y > 595) ? Picture(x, y) : _WATER;
            ASSERT_EQ(Wimdows::BufferPixel(x, y), want) << x << ", " << y;
        }
}

TEST_F(RedrawTest, CraterPassStaysInsideColumns3To997) {
    TestSupport::SetFlatGround(601);  // all air
    SchadeArray[1] = Inslag{2, 590, 30};
    SchadeArray[2] = Inslag{999, 590, 30};
    SchadeArray[3] = Inslag{500, 1, 600};  // huge, reaching everything
    AANTALINSLAGEN = 3;
    HermaakLevel();
    for (int32_t y = 540; y <= 600; ++y) {
        for (int32_t x : {1, 2, 998, 999}) ASSERT_EQ(Wimdows::BufferPixel(x, y), Picture(x, y)) << x << ", " << y;
        ASSERT_EQ(Wimdows::BufferPixel(3, y), y <= 595 ? _WATER : Picture(3, y)) << y;
        ASSERT_EQ(Wimdows::BufferPixel(997, y), y <= 595 ? _WATER : Picture(997, y)) << y;
    }
}

TEST_F(RedrawTest, ImpactsAreRedrawnInOrderEveryTime) {
    TestSupport::SetFlatGround(100);
    SchadeArray[1] = Inslag{300, 300, 10};
    SchadeArray[2] = Inslag{700, 300, 10};
    AANTALINSLAGEN = 1;
    HermaakLevel();
    EXPECT_EQ(Wimdows::BufferPixel(300, 300), _ACHTERGRONDKLEUR);
    EXPECT_EQ(Wimdows::BufferPixel(700, 300), Picture(700, 300));
    AANTALINSLAGEN = 2;
    HermaakLevel();
    EXPECT_EQ(Wimdows::BufferPixel(300, 300), _ACHTERGRONDKLEUR);
    EXPECT_EQ(Wimdows::BufferPixel(700, 300), _ACHTERGRONDKLEUR);
}

}  // namespace
