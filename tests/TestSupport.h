// Shared test furniture: a fresh game directory per test, the headless window
// opened as the game opens it, and helpers for grids and pictures. Every test
// file includes it first: it brings GoogleTest, the standard algorithms,
// strings and vectors, the game's state and both sides of the window.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "game/Zanderfell.h"
#include "gfx/Headless.h"
#include "gfx/Wimdows.h"

namespace TestSupport {

// Every test that plays with the game: a temporary working directory holding
// Images/ (linked to the generated art) and a fresh copy of Files/, virtual
// time 0, the window opened and the catalogue loaded as at start-up, and the
// game's records cleared.
class GameTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    std::string dir;
    std::string previousDir;
    uint64_t windowMismatches = 0;  // Headless::WindowMismatches() at the start
    bool openWindow = true;
};

// Like GameTest, but without opening the window.
class GameDirTest : public GameTest {
protected:
    GameDirTest() { openWindow = false; }
};

// A fresh game directory (Images/ linked, a copy of Files/) made inside
// `parent`; returns its path.
std::string MakeGameDir(const std::string& parent);

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);
std::vector<std::string> Lines(const std::string& text);

// Compares a trace line by line with the file `name` in tests/data, naming
// the first line that differs. Run with ZF_UPDATE_GOLDEN=1 to write the file
// anew after a deliberate change of the rules, and read the difference
// before committing.
void CompareWithGolden(const std::string& trace, const std::string& name);

// Plays again every record in `folder`: "" when there are `n` and each plays
// as recorded, else how many there were and what the check said. The check's
// verdicts, without the records' names, are added to `verdicts` if given.
std::string CheckRecords(const std::string& folder, size_t n, std::string* verdicts = nullptr);

// Menu: level 1, 2 rabbits, no wind; all rabbits out (team 0, 0 lives);
// impact list holding only the dummy impact; no rabbit marks.
void ResetGame();
// Ground from `row` down in every column, air above; no rabbit marks.
void SetFlatGround(int32_t row);
// Puts rabbit k in the game at (x, y) with the given lives and team (not
// marked in the grid).
void PutRabbit(uint32_t k, int32_t x, int32_t y, int32_t lives, uint32_t team);


// The colours of columns x0..x1 and rows y0..y1 of the off-screen buffer (or
// of what the window shows), row by row: what a procedure drew, to compare
// with a reference drawing.
inline std::vector<Wimdows::Color> Snapshot(int32_t x0, int32_t y0, int32_t x1, int32_t y1, bool window = false) {
    std::vector<Wimdows::Color> pixels;
    for (int32_t y = y0; y <= y1; ++y)
        for (int32_t x = x0; x <= x1; ++x)
            pixels.push_back(window ? Wimdows::WindowPixel(x, y) : Wimdows::BufferPixel(x, y));
    return pixels;
}

// Runs `f` until it waits for a key the script no longer has; its last frame
// stays in the buffer.
template <class F>
void RunUntilItWaits(F f) {
    Headless::SetFailOnStarvation(true);
    EXPECT_THROW(f(), std::runtime_error);
    Headless::SetFailOnStarvation(false);
}

// Paints the rectangle in one colour, as a clean background.
inline void Clear(int32_t x0, int32_t y0, int32_t x1, int32_t y1, Wimdows::Color color = 0) {
    Wimdows::Rectangle(x0, y0, x1, y1, color, true);
}

}  // namespace TestSupport
