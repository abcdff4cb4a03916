#include "gfx/Wimdows.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <vector>

#include "gfx/BmpFile.h"
#include "gfx/Input.h"
#include "gfx/Platform.h"
#include "gfx/WimdowsInternal.h"
#include "runtime/Runtime.h"

namespace Wimdows {

namespace {

// The locks and conditions below are never destroyed: when the display goes
// away, the program is ended from the window thread while the game thread
// may still be waiting on one of them.
// --- the window -------------------------------------------------------------
std::mutex& stateMutex = *new std::mutex;
std::condition_variable& stateChanged = *new std::condition_variable;
std::atomic<WinState> state{STATE_DEAD};
std::atomic<bool> quitRequested{false};
std::string windowClass;  // the title

// --- buffer, window picture and bitmap store (one lock for all three) ----
// Pixels are kept in the platform's layout, 0x00RRGGBB.
std::mutex& drawMutex = *new std::mutex;
uint32_t xlen = 0, ylen = 0;
std::vector<uint32_t> buffer;  // the off-screen buffer every drawing goes into
std::vector<uint32_t> screen;  // what the window shows
bool buffering = false;
uint64_t generation = 0;  // windows opened so far

// Recording: the box, and what the buffer held there before.
constexpr uint32_t Unwritten = 0xFF000000u;  // no drawing ever sets the top byte
bool recording = false;
int64_t recX0 = 0, recY0 = 0, recW = 0, recH = 0;
std::vector<uint32_t> recBefore;

struct BitStruct {
    BmpFile::Pixels image;  // width*height pixels, shared with the file cache
    uint32_t width = 0;
    uint32_t height = 0;
    const uint32_t* pixels() const { return image->data(); }
    // As a mask: 1 where the picture is light (white: drawn), worked out the
    // first time the picture serves as a mask.
    mutable std::vector<uint8_t> drawn;
    const std::vector<uint8_t>& AsMask() const {
        if (drawn.empty()) {
            drawn.resize(image->size());
            for (size_t i = 0; i < image->size(); ++i) {
                const uint32_t m = (*image)[i];
                drawn[i] = ((m >> 16) & 0xFF) + ((m >> 8) & 0xFF) + (m & 0xFF) >= 384;
            }
        }
        return drawn;
    }
};
std::vector<BitStruct> bit;  // handle h is bit[h - 1]

uint32_t CreateColor(Color color) {
    uint32_t r = color & 0xFF, b = (color >> 8) & 0xFF, g = (color >> 16) & 0xFF;
    return r << 16 | g << 8 | b;
}

Color FromPlatform(uint32_t p) {
    uint32_t r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    return r | b << 8 | g << 16;
}

bool Active() { return state.load() == STATE_ACTIVE; }

struct Box {
    int64_t x0, y0, x1, y1;  // inclusive; empty when x0 > x1 or y0 > y1
};

// The part of a box that lies in the buffer.
Box Clip(Box b) {
    b.x0 = std::max<int64_t>(b.x0, 0);
    b.y0 = std::max<int64_t>(b.y0, 0);
    b.x1 = std::min<int64_t>(b.x1, int64_t(xlen) - 1);
    b.y1 = std::min<int64_t>(b.y1, int64_t(ylen) - 1);
    return b;
}

bool Empty(const Box& b) { return b.x0 > b.x1 || b.y0 > b.y1; }

// Boxes of the buffer changed since some moment: a few boxes, or
// everything once there are too many to keep apart.
struct Changes {
    std::vector<Box> boxes;
    bool all = false;
    void Add(const Box& b) {
        if (all || Empty(b)) return;
        // A box that touches the previous one (a health bar above its
        // rabbit, say) is merged with it.
        if (!boxes.empty()) {
            Box& last = boxes.back();
            if (b.x0 <= last.x1 + 1 && last.x0 <= b.x1 + 1 && b.y0 <= last.y1 + 1 && last.y0 <= b.y1 + 1) {
                last = {std::min(last.x0, b.x0), std::min(last.y0, b.y0), std::max(last.x1, b.x1),
                        std::max(last.y1, b.y1)};
                return;
            }
        }
        if (boxes.size() == 64) {
            all = true;
            boxes.clear();
            return;
        }
        boxes.push_back(b);
    }
    void Clear() {
        boxes.clear();
        all = false;
    }
};
Changes sinceUpdate;        // not yet copied to the window's picture
Changes sincePresent;       // of the window's picture, not yet on the screen
Changes sinceReplay;        // since the recording `replayed` was last replayed
uint64_t replayed = 0;      // id of that recording (0: none)
uint64_t recordings = 0;    // ids given out

// The picture kept aside during a pause.
struct SavedFrame {
    bool valid = false;
    uint64_t generation = 0;
    std::vector<uint32_t> buffer, screen;
    bool buffering = false;
    Changes sinceUpdate, sinceReplay;
    uint64_t replayed = 0;
} saved;

// Unbuffered drawing: the window gets the drawn box at once.
void ShowBox(Box b) {
    b = Clip(b);
    if (Empty(b)) return;
    sincePresent.Add(b);
    size_t n = size_t(b.x1 - b.x0 + 1);
    for (int64_t y = b.y0; y <= b.y1; ++y) {
        size_t at = size_t(y) * xlen + size_t(b.x0);
        std::memcpy(&screen[at], &buffer[at], n * sizeof(uint32_t));
    }
}

// Every drawing reports the box it changed. Unbuffered drawing also reaches
// the window at once; returns whether it did.
bool Changed(Box b) {
    b = Clip(b);
    sinceUpdate.Add(b);
    sinceReplay.Add(b);
    if (buffering) return false;
    ShowBox(b);
    return true;
}

void CopyToScreen(const Box& b) {
    sincePresent.Add(b);
    for (int64_t y = b.y0; y <= b.y1; ++y) {
        size_t at = size_t(y) * xlen + size_t(b.x0);
        std::memcpy(&screen[at], &buffer[at], size_t(b.x1 - b.x0 + 1) * sizeof(uint32_t));
    }
}

void FillSpan(int64_t y, int64_t xa, int64_t xb, uint32_t c) {
    if (y < 0 || y >= int64_t(ylen)) return;
    xa = std::max<int64_t>(xa, 0);
    xb = std::min<int64_t>(xb, int64_t(xlen) - 1);
    if (xa > xb) return;
    uint32_t* row = &buffer[size_t(y) * xlen];
    std::fill(row + xa, row + xb + 1, c);
}

void Plot(int64_t x, int64_t y, uint32_t c) {
    if (x < 0 || y < 0 || x >= int64_t(xlen) || y >= int64_t(ylen)) return;
    buffer[size_t(y) * xlen + size_t(x)] = c;
}

// Columns of row j covered by the ellipse inscribed in the box: a pixel
// belongs to it when its centre lies inside. The box's right and bottom
// edges are not part of the figure, which spans x0..x1-1 and y0..y1-1.
bool EllipseSpan(const Box& e, int64_t j, int64_t& from, int64_t& to) {
    long double a = (e.x1 - e.x0) / 2.0L, b = (e.y1 - e.y0) / 2.0L;
    if (a <= 0 || b <= 0) return false;
    long double cx = (e.x0 + e.x1) / 2.0L, cy = (e.y0 + e.y1) / 2.0L;
    long double dy = (j + 0.5L - cy) / b;
    long double rest = 1.0L - dy * dy;
    if (rest < 0) return false;
    long double hw = a * std::sqrt(rest);
    from = int64_t(std::ceil(cx - hw - 0.5L));
    to = int64_t(std::floor(cx + hw - 0.5L));
    from = std::max(from, e.x0);
    to = std::min(to, e.x1 - 1);
    return from <= to;
}

void DrawEllipse(const Box& e, uint32_t c, bool fill) {
    if (fill) {
        for (int64_t j = e.y0; j < e.y1; ++j) {
            int64_t from, to;
            if (EllipseSpan(e, j, from, to)) FillSpan(j, from, to, c);
        }
        return;
    }
    // Outline: the pixels of the figure that touch a pixel outside it.
    auto inside = [&](int64_t i, int64_t j) {
        int64_t from, to;
        return j >= e.y0 && j < e.y1 && EllipseSpan(e, j, from, to) && i >= from && i <= to;
    };
    for (int64_t j = e.y0; j < e.y1; ++j) {
        int64_t from, to;
        if (!EllipseSpan(e, j, from, to)) continue;
        for (int64_t i = from; i <= to; ++i) {
            if (i == from || i == to || !inside(i, j - 1) || !inside(i, j + 1)) Plot(i, j, c);
        }
    }
}

void ReleaseAll() {
    {
        std::lock_guard lk(drawMutex);
        buffer.clear();
        buffer.shrink_to_fit();
        screen.clear();
        screen.shrink_to_fit();
        xlen = ylen = 0;
        buffering = false;
        bit.clear();
        bit.shrink_to_fit();
        // The window stays active until the platform has let go of it: a
        // drawing or an UpdateWindow of the game thread in that moment must
        // find nothing left to copy, not boxes of the buffer just freed.
        sinceUpdate.Clear();
        sincePresent.Clear();
        sinceReplay.Clear();
        recording = false;
        replayed = 0;
    }
    Input::Internal::Forget();
}

}  // namespace

// --- window -------------------------------------------------------------------

void Window(const std::string& title, uint32_t x, uint32_t y) {
    if (Active()) KillWindow();
    windowClass = title;
    {
        std::lock_guard lk(drawMutex);
        xlen = x;
        ylen = y;
    }
    if (!Platform::OpenWindow(title, x, y)) {
        Platform::ErrorBox("Can't create window.", "Error");
        state.store(STATE_DEAD);
        windowClass.clear();
        return;
    }
    std::unique_lock lk(stateMutex);
    stateChanged.wait(lk, [] { return state.load() != STATE_DEAD; });
    if (state.load() == STATE_ERROR) {
        state.store(STATE_DEAD);
        windowClass.clear();
    }
}

void KillWindow() {
    if (!Active()) {
        state.store(STATE_DEAD);
        return;
    }
    Platform::CloseWindow();
    std::unique_lock lk(stateMutex);
    stateChanged.wait(lk, [] { return state.load() == STATE_DEAD; });
}

void UpdateWindow() {
    {
        std::lock_guard lk(drawMutex);
        if (!Active()) return;
        if (sinceUpdate.all) {
            screen = buffer;
            sincePresent.all = true;
        } else {
            for (const Box& b : sinceUpdate.boxes) CopyToScreen(b);
        }
        sinceUpdate.Clear();
    }
    Platform::Present();
}

void SetBuffering(bool on) {
    if (!Active()) return;
    bool catchUp = false;
    {
        std::lock_guard lk(drawMutex);
        catchUp = buffering && !on;
        buffering = on;
    }
    if (catchUp) UpdateWindow();
}

WinState State() { return state.load(); }

bool Buffering() {
    std::lock_guard lk(drawMutex);
    return buffering;
}

void SaveFrame() {
    std::lock_guard lk(drawMutex);
    saved.valid = Active();
    saved.generation = generation;
    saved.buffer = buffer;
    saved.screen = screen;
    saved.buffering = buffering;
    saved.sinceUpdate = sinceUpdate;
    saved.sinceReplay = sinceReplay;
    saved.replayed = replayed;
}

void RestoreFrame() {
    {
        std::lock_guard lk(drawMutex);
        if (!saved.valid || !Active() || saved.generation != generation || saved.buffer.size() != buffer.size()) {
            saved = SavedFrame{};
            return;
        }
        buffer.swap(saved.buffer);
        screen.swap(saved.screen);
        buffering = saved.buffering;
        sinceUpdate = saved.sinceUpdate;
        sinceReplay = saved.sinceReplay;
        replayed = saved.replayed;
        sincePresent.all = true;  // the whole window shows the old picture again
        saved = SavedFrame{};
    }
    Platform::Present();
}

// --- shapes -------------------------------------------------------------------

Color RgbColor(uint32_t r, uint32_t g, uint32_t b) {
    r = std::min(r, 255u);
    g = std::min(g, 255u);
    b = std::min(b, 255u);
    return r + 256 * b + 65536 * g;
}

void SetPixel(int32_t x, int32_t y, Color color) {
    bool show;
    {
        std::lock_guard lk(drawMutex);
        if (!Active()) return;
        Plot(x, y, CreateColor(color));
        show = Changed({x, y, x, y});
    }
    if (show) Platform::Present();
}

void Rectangle(int32_t x0, int32_t y0, int32_t x1, int32_t y1, Color color, bool fill) {
    Box r{std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)};
    bool show;
    {
        std::lock_guard lk(drawMutex);
        if (!Active()) return;
        uint32_t c = CreateColor(color);
        if (fill) {
            Box cl = Clip(r);
            if (!Empty(cl))
                for (int64_t y = cl.y0; y <= cl.y1; ++y) FillSpan(y, cl.x0, cl.x1, c);
        } else {
            FillSpan(r.y0, r.x0, r.x1, c);
            FillSpan(r.y1, r.x0, r.x1, c);
            for (int64_t y = r.y0; y <= r.y1; ++y) {
                Plot(r.x0, y, c);
                Plot(r.x1, y, c);
            }
        }
        show = Changed(r);
    }
    if (show) Platform::Present();
}

void Ellipse(int32_t x0, int32_t y0, int32_t x1, int32_t y1, Color color, bool fill) {
    Box e{std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)};
    bool show;
    {
        std::lock_guard lk(drawMutex);
        if (!Active()) return;
        DrawEllipse(e, CreateColor(color), fill);
        show = Changed(e);
    }
    if (show) Platform::Present();
}

void Disc(int32_t x0, int32_t y0, uint32_t radius, Color color) {
    int32_t r = Runtime::ToI32(radius);
    Ellipse(Runtime::Sub(x0, r), Runtime::Sub(y0, r), Runtime::Add(x0, r), Runtime::Add(y0, r), color, true);
}

// --- bitmaps --------------------------------------------------------------------

Handle LoadBitmap(const std::string& file, uint32_t width, uint32_t height) {
    if (width > 2147483647u || height > 2147483647u) Runtime::RunError("bitmap size out of range: " + file);
    BitStruct entry;
    entry.image = BmpFile::ReadShared(file, width, height);
    if (!entry.image) return 0;
    entry.width = width;
    entry.height = height;
    std::lock_guard lk(drawMutex);
    // The store belongs to the open window; without one there is nothing to
    // load into.
    if (!Active()) return 0;
    bit.push_back(std::move(entry));
    return Handle(bit.size());
}

namespace {

const BitStruct* Entry(Handle h) {
    if (h < 1 || h > bit.size() || !bit[h - 1].image) return nullptr;
    return &bit[h - 1];
}

template <class Copy>
void Blit(const BitStruct& img, int32_t x, int32_t y, Copy copy) {
    Box dest = Clip({x, y, int64_t(x) + img.width - 1, int64_t(y) + img.height - 1});
    if (Empty(dest)) return;
    for (int64_t dy = dest.y0; dy <= dest.y1; ++dy) {
        size_t sy = size_t(dy - y);
        for (int64_t dx = dest.x0; dx <= dest.x1; ++dx) {
            size_t sx = size_t(dx - x);
            copy(buffer[size_t(dy) * xlen + size_t(dx)], sx, sy);
        }
    }
}

}  // namespace

void DrawBitmap(Handle bitmap, int32_t x, int32_t y) {
    bool show;
    {
        std::lock_guard lk(drawMutex);
        if (!Active()) return;
        const BitStruct* img = Entry(bitmap);
        if (!img) return;
        Box dest = Clip({x, y, int64_t(x) + img->width - 1, int64_t(y) + img->height - 1});
        if (!Empty(dest)) {
            size_t n = size_t(dest.x1 - dest.x0 + 1);
            for (int64_t dy = dest.y0; dy <= dest.y1; ++dy) {
                const uint32_t* src = img->pixels() + size_t(dy - y) * img->width + size_t(dest.x0 - x);
                std::memcpy(&buffer[size_t(dy) * xlen + size_t(dest.x0)], src, n * sizeof(uint32_t));
            }
        }
        show = Changed(dest);
    }
    if (show) Platform::Present();
}

void DrawMaskBitmap(Handle bitmap, Handle maskbitmap, int32_t x, int32_t y) {
    bool show;
    {
        std::lock_guard lk(drawMutex);
        if (!Active()) return;
        const BitStruct* img = Entry(bitmap);
        const BitStruct* mask = Entry(maskbitmap);
        if (!img || !mask) return;
        // A mask pixel is "drawn" where it is white (light); a mask smaller
        // than its picture hides what it does not cover.
        const std::vector<uint8_t>& drawn = mask->AsMask();
        const uint32_t* src = img->pixels();
        Blit(*img, x, y, [&](uint32_t& dst, size_t sx, size_t sy) {
            if (sx < mask->width && sy < mask->height && drawn[sy * mask->width + sx]) dst = src[sy * img->width + sx];
        });
        show = Changed({x, y, int64_t(x) + img->width - 1, int64_t(y) + img->height - 1});
    }
    if (show) Platform::Present();
}

bool BeginRecording(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    std::lock_guard lk(drawMutex);
    if (!Active() || !buffering || recording) return false;
    Box b = Clip({std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)});
    if (Empty(b)) return false;
    recX0 = b.x0;
    recY0 = b.y0;
    recW = b.x1 - b.x0 + 1;
    recH = b.y1 - b.y0 + 1;
    recBefore.resize(size_t(recW * recH));
    for (int64_t y = 0; y < recH; ++y) {
        uint32_t* row = &buffer[size_t(recY0 + y) * xlen + size_t(recX0)];
        std::memcpy(&recBefore[size_t(y * recW)], row, size_t(recW) * sizeof(uint32_t));
        std::fill(row, row + recW, Unwritten);
    }
    sinceUpdate.Add(b);
    sinceReplay.Add(b);
    recording = true;
    return true;
}

void EndRecording(Recording& into) {
    std::lock_guard lk(drawMutex);
    if (!recording) return;
    recording = false;
    if (!Active() || buffer.empty()) return;
    into.generation = generation;
    into.id = ++recordings;
    into.x0 = int32_t(recX0);
    into.y0 = int32_t(recY0);
    into.x1 = int32_t(recX0 + recW - 1);
    into.y1 = int32_t(recY0 + recH - 1);
    into.runs.clear();
    into.pixels.clear();
    for (int64_t y = 0; y < recH; ++y) {
        uint32_t* row = &buffer[size_t(recY0 + y) * xlen + size_t(recX0)];
        const uint32_t* before = &recBefore[size_t(y * recW)];
        int64_t x = 0;
        while (x < recW) {
            // What no drawing wrote gets its old pixel back and is left out.
            while (x < recW && row[x] == Unwritten) {
                row[x] = before[x];
                ++x;
            }
            int64_t start = x;
            while (x < recW && row[x] != Unwritten) ++x;
            if (x > start) {
                into.runs.push_back({int32_t(recY0 + y), int32_t(recX0 + start), int32_t(x - start), into.pixels.size()});
                into.pixels.insert(into.pixels.end(), row + start, row + x);
            }
        }
    }
    // The buffer now holds what replaying this recording writes.
    sinceUpdate.Add({recX0, recY0, recX0 + recW - 1, recY0 + recH - 1});
    replayed = into.id;
    sinceReplay.Clear();
}

void Replay(const Recording& r) {
    std::lock_guard lk(drawMutex);
    if (!Active() || r.generation != generation || r.id == 0) return;
    const Box whole{r.x0, r.y0, r.x1, r.y1};
    if (Empty(Clip(whole)) || r.x1 >= int64_t(xlen) || r.y1 >= int64_t(ylen) || r.x0 < 0 || r.y0 < 0) return;
    auto copy = [&](const Recording::Run& run, int64_t from, int64_t to) {  // columns from..to of the run
        from = std::max<int64_t>(from, run.x);
        to = std::min<int64_t>(to, int64_t(run.x) + run.length - 1);
        if (from > to) return;
        std::memcpy(&buffer[size_t(run.y) * xlen + size_t(from)], &r.pixels[run.at + size_t(from - run.x)],
                    size_t(to - from + 1) * sizeof(uint32_t));
    };
    if (r.id == replayed && !sinceReplay.all) {
        // The buffer still holds this recording but for what was drawn over
        // it since: only that is written again.
        const std::vector<Box> drawnOver = sinceReplay.boxes;
        for (const Box& b : drawnOver) {
            for (const Recording::Run& run : r.runs)
                if (run.y >= b.y0 && run.y <= b.y1) copy(run, b.x0, b.x1);
            Changed(b);
        }
    } else {
        for (const Recording::Run& run : r.runs) copy(run, run.x, int64_t(run.x) + run.length - 1);
        Changed(whole);
    }
    replayed = r.id;
    sinceReplay.Clear();
}

uint64_t WindowGeneration() {
    std::lock_guard lk(drawMutex);
    return generation;
}

void PrefetchBitmaps(const std::vector<BitmapFile>& files) {
    std::vector<BmpFile::Wanted> wanted;
    for (const BitmapFile& f : files) wanted.push_back({f.file, f.width, f.height});
    BmpFile::Prefetch(wanted);
}

uint32_t BitmapCount() {
    std::lock_guard lk(drawMutex);
    return uint32_t(bit.size());
}

// --- reading back -------------------------------------------------------------

Color BufferPixel(int32_t x, int32_t y) {
    std::lock_guard lk(drawMutex);
    if (x < 0 || y < 0 || uint32_t(x) >= xlen || uint32_t(y) >= ylen || buffer.empty()) return 0;
    return FromPlatform(buffer[size_t(y) * xlen + size_t(x)]);
}

Color WindowPixel(int32_t x, int32_t y) {
    std::lock_guard lk(drawMutex);
    if (x < 0 || y < 0 || uint32_t(x) >= xlen || uint32_t(y) >= ylen || screen.empty()) return 0;
    return FromPlatform(screen[size_t(y) * xlen + size_t(x)]);
}

uint64_t WindowHash() {
    std::lock_guard lk(drawMutex);
    if (screen.empty()) return 0;
    uint64_t h = 1469598103934665603ull;
    for (uint32_t p : screen) {
        h = (h ^ p) * 1099511628211ull;
    }
    return h;
}

uint32_t ClientWidth() {
    std::lock_guard lk(drawMutex);
    return xlen;
}
uint32_t ClientHeight() {
    std::lock_guard lk(drawMutex);
    return ylen;
}

// --- what the platforms report ------------------------------------------------

namespace Internal {

void WindowOpened(uint32_t width, uint32_t height) {
    {
        std::lock_guard lk(drawMutex);
        xlen = width;
        ylen = height;
        // A fresh buffer is black, as a fresh platform bitmap is.
        buffer.assign(size_t(width) * height, 0);
        screen.assign(size_t(width) * height, 0);
        buffering = false;
        recording = false;
        sinceUpdate.Clear();
        sinceReplay.Clear();
        sincePresent.Clear();
        replayed = 0;
        bit.clear();
    }
    {
        std::lock_guard lk(stateMutex);
        state.store(STATE_ACTIVE);
    }
    stateChanged.notify_all();
}

void WindowFailed() {
    {
        std::lock_guard lk(stateMutex);
        state.store(STATE_ERROR);
    }
    stateChanged.notify_all();
}

void WindowClosed(bool byPlayer) {
    if (byPlayer) quitRequested.store(true);
    ReleaseAll();
    {
        std::lock_guard lk(stateMutex);
        state.store(STATE_DEAD);
    }
    stateChanged.notify_all();
    Input::Wake();
}

bool CopyScreen(void* dst, int32_t pitch, uint32_t width, uint32_t height, bool all, std::vector<Rect>& copied) {
    std::lock_guard lk(drawMutex);
    copied.clear();
    if (screen.empty() || width != xlen || height != ylen) return false;
    std::vector<Box> boxes = sincePresent.boxes;
    if (all || sincePresent.all) boxes = {Box{0, 0, int64_t(xlen) - 1, int64_t(ylen) - 1}};
    sincePresent.Clear();
    for (const Box& b : boxes) {
        for (int64_t y = b.y0; y <= b.y1; ++y)
            std::memcpy(static_cast<char*>(dst) + y * pitch + b.x0 * 4, &screen[size_t(y) * xlen + size_t(b.x0)],
                        size_t(b.x1 - b.x0 + 1) * sizeof(uint32_t));
        copied.push_back({int32_t(b.x0), int32_t(b.y0), int32_t(b.x1 - b.x0 + 1), int32_t(b.y1 - b.y0 + 1)});
    }
    return true;
}

bool QuitRequested() { return quitRequested.load(); }

void ResetQuit() { quitRequested.store(false); }

}  // namespace Internal

}  // namespace Wimdows
