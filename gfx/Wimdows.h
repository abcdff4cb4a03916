// Wimdows: the game's own small graphics layer. One window served by its own
// thread, an off-screen buffer every drawing goes into, the buffering rule
// that decides when the window shows it, the keyboard (held keys and a FIFO
// queue of presses), solid shapes and a bitmap store with plain and masked
// copies. The game thread calls everything here; the platform (a real SDL
// window or the headless stand-in of the tests) is behind gfx/Platform.h.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace Wimdows {

enum WinState : uint8_t { STATE_DEAD = 0, STATE_ACTIVE = 1, STATE_ERROR = 2 };

// Colour value: red in bits 0-7, blue in bits 8-15, green in bits 16-23.
using Color = uint32_t;
// 1-based position in the bitmap store; 0 means "no bitmap".
using Handle = uint32_t;

// Virtual-key codes the game uses.
enum : uint32_t {
    VK_RETURN = 0x0D, VK_ESCAPE = 0x1B, VK_SPACE = 0x20,
    VK_LEFT = 0x25, VK_UP = 0x26, VK_RIGHT = 0x27, VK_DOWN = 0x28,
};

// Thrown on the game thread when the player has closed the window (close box,
// SIGINT/SIGTERM) or when the game waits for a key that can never come. The
// program's main catches it and ends cleanly with exit code 0.
struct QuitGame {};

// --- window -----------------------------------------------------------------
void Window(const std::string& title, uint32_t x, uint32_t y);
void KillWindow();
void UpdateWindow();
void SetBuffering(bool state);
WinState State();
bool Buffering();

// --- keyboard ---------------------------------------------------------------
bool KeyDown(uint32_t k);
uint32_t GetKey();
void FlushKeys();
// Keys waiting in the queue.
size_t KeysQueued();

// --- pause --------------------------------------------------------------------
// While a handler is set (during a match), Esc never reaches the key queue: it
// asks for a pause, which the game thread takes at its next wait or key read
// (Runtime::Delay, GetKey) by running the handler there; when the handler
// returns, the game goes on exactly where it stood. From the Esc on, the keys
// pressed go to the pause's own queue (PauseKey) and are dropped once the
// pause is over, so the game's queue is as the pause found it. The handler
// may throw to leave the game (QuitGame ends the program).
void SetPauseHandler(std::function<void()> handler);
// The next key of the pause's queue, waiting for one (QuitGame when the
// window closes meanwhile).
uint32_t PauseKey();
// Keeps the whole picture (buffer, window, what is still to be shown) aside,
// and puts it back exactly: what the pause menu draws in between is gone.
void SaveFrame();
void RestoreFrame();

// --- shapes -----------------------------------------------------------------
Color RgbColor(uint32_t r, uint32_t g, uint32_t b);
void SetPixel(int32_t x, int32_t y, Color color);
void Rectangle(int32_t x0, int32_t y0, int32_t x1, int32_t y1, Color color, bool fill);
void Ellipse(int32_t x0, int32_t y0, int32_t x1, int32_t y1, Color color, bool fill);
void Disc(int32_t x0, int32_t y0, uint32_t radius, Color color);

// --- bitmaps ----------------------------------------------------------------
Handle LoadBitmap(const std::string& file, uint32_t width, uint32_t height);
void DrawBitmap(Handle bitmap, int32_t x, int32_t y);
void DrawMaskBitmap(Handle bitmap, Handle maskbitmap, int32_t x, int32_t y);
uint32_t BitmapCount();
// Reads files that are about to be loaded ahead, on every core; loading them
// afterwards (in any order) then only takes them from memory.
struct BitmapFile {
    std::string file;
    uint32_t width, height;
};
void PrefetchBitmaps(const std::vector<BitmapFile>& files);

// --- recording a picture to draw again ---------------------------------------
// What a sequence of drawing operations did to a box of the buffer, kept so
// that it can be done again in one copy: the pixels it wrote, and only those.
struct Recording {
    struct Run {
        int32_t y, x, length;  // written pixels x..x+length-1 of buffer row y
        size_t at;             // where they start in `pixels`
    };
    uint64_t generation = 0;  // of the window it was made in
    uint64_t id = 0;
    int32_t x0 = 0, y0 = 0, x1 = -1, y1 = -1;  // the recorded box
    std::vector<Run> runs;
    std::vector<uint32_t> pixels;
};
// Starts recording the box (x0, y0)..(x1, y1); every drawing until
// EndRecording lands in the buffer as usual. Buffering must be on.
bool BeginRecording(int32_t x0, int32_t y0, int32_t x1, int32_t y1);
void EndRecording(Recording& into);
// Writes the recorded pixels into the buffer again (nothing without a window
// or in another window than the one it was made in).
void Replay(const Recording& r);
// Counts the openings of windows: pictures and recordings of an earlier
// window are not this one's.
uint64_t WindowGeneration();

// --- reading back (tests, traces, benchmarks) -------------------------------
// The colour value at (x, y) of the off-screen buffer, or of what the window
// shows; 0 (black) outside the client area or without a window.
Color BufferPixel(int32_t x, int32_t y);
Color WindowPixel(int32_t x, int32_t y);
// FNV-1a hash of what the window shows (0 without a window).
uint64_t WindowHash();
// Width and height of the client area (0 without a window).
uint32_t ClientWidth();
uint32_t ClientHeight();

}  // namespace Wimdows
