// The real window, over SDL2. One window thread does every SDL call: it
// creates the window, runs the event loop, turns key events into the game's
// virtual-key codes and presents the picture. The game thread never waits
// for the display: it copies its frame under a short lock and wakes the
// window thread, which uploads and presents outside the lock. No other
// thread talks to the display: wake-ups go through flags and a pipe of our
// own, which the window thread waits on next to the X connection.
#include <SDL.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <pthread.h>
#include <signal.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

#include "audio/Sound.h"
#include "gfx/Input.h"
#include "gfx/Platform.h"
#include "runtime/Clock.h"
#include "gfx/Wimdows.h"
#include "gfx/WimdowsInternal.h"

// Last: Xlib's macros (Bool, Status, None, ...) must not meet the code above.
#include <SDL_syswm.h>
#include <X11/Xlib.h>

namespace {

std::thread windowThread;

// What other threads ask of the window thread. Each sets its flag, then
// writes a byte into the wake pipe; the window thread empties the pipe
// before it reads the flags, so no request is missed. Pushing an SDL event
// instead would make SDL send an X event to the window from the pushing
// thread, and when the window is destroyed at that moment the X server
// answers with an error (BadWindow) that Xlib turns into the end of the
// program.
std::atomic<bool> presentPending{false};  // a new frame
std::atomic<bool> closeAsked{false};      // the game closes the window
std::atomic<bool> quitAsked{false};       // SIGINT/SIGTERM: as the close box
int wakePipe[2] = {-1, -1};               // made once, never closed: a late write stays harmless

// Whether a window thread runs (from OpenWindow until its window is gone),
// and its end, under one lock: a signal is either seen by that thread or
// handled at once by the signal thread, never lost in between.
std::mutex& runMutex = *new std::mutex;  // never destroyed: see Wimdows.cpp
bool threadRunning = false;

void Wake() {
    const char byte = 1;
    // A full pipe already holds a wake-up: a failed write loses nothing.
    if (write(wakePipe[1], &byte, 1) < 0) return;
}

void DrainWakePipe() {
    char bytes[64];
    while (read(wakePipe[0], bytes, sizeof bytes) > 0) {
    }
}

// Waits of the game thread end early when the player closes the window.
std::mutex& quitMutex = *new std::mutex;  // never destroyed: see Wimdows.cpp
std::condition_variable& quitChanged = *new std::condition_variable;

const auto clockStart = std::chrono::steady_clock::now();
// The time the game thread sat in key reads, on the game clock.
std::atomic<uint64_t> blockedUs{0};
std::atomic<uint32_t> pace{1};  // a playback's speed

// An Esc during a wait pauses the game at once, not when the wait is over.
void WakeForPause() {
    { std::lock_guard lk(quitMutex); }
    quitChanged.notify_all();
}

// SDL key symbol to the game's virtual-key code; 0 for keys the game has no
// code for.
uint32_t VirtualKey(SDL_Keycode sym) {
    if (sym >= SDLK_a && sym <= SDLK_z) return 'A' + uint32_t(sym - SDLK_a);
    if (sym >= SDLK_0 && sym <= SDLK_9) return '0' + uint32_t(sym - SDLK_0);
    if (sym >= SDLK_F1 && sym <= SDLK_F12) {
        if (sym == SDLK_F10) return 0;  // a system key: never seen by the game
        return 0x70 + uint32_t(sym - SDLK_F1);
    }
    switch (sym) {
        case SDLK_RETURN: case SDLK_KP_ENTER: case SDLK_RETURN2: return 0x0D;
        case SDLK_SPACE: return 0x20;
        case SDLK_LEFT: return 0x25;
        case SDLK_UP: return 0x26;
        case SDLK_RIGHT: return 0x27;
        case SDLK_DOWN: return 0x28;
        case SDLK_ESCAPE: return 0x1B;
        case SDLK_BACKSPACE: return 0x08;
        case SDLK_TAB: return 0x09;
        case SDLK_LSHIFT: case SDLK_RSHIFT: return 0x10;
        case SDLK_LCTRL: case SDLK_RCTRL: return 0x11;
        case SDLK_PAUSE: return 0x13;
        case SDLK_CAPSLOCK: return 0x14;
        case SDLK_PAGEUP: return 0x21;
        case SDLK_PAGEDOWN: return 0x22;
        case SDLK_END: return 0x23;
        case SDLK_HOME: return 0x24;
        case SDLK_INSERT: return 0x2D;
        case SDLK_DELETE: return 0x2E;
        case SDLK_KP_0: case SDLK_KP_1: case SDLK_KP_2: case SDLK_KP_3: case SDLK_KP_4:
        case SDLK_KP_5: case SDLK_KP_6: case SDLK_KP_7: case SDLK_KP_8: case SDLK_KP_9:
            return 0x60 + uint32_t(sym - SDLK_KP_1 + 1) % 10;
        case SDLK_KP_MULTIPLY: return 0x6A;
        case SDLK_KP_PLUS: return 0x6B;
        case SDLK_KP_MINUS: return 0x6D;
        case SDLK_KP_PERIOD: return 0x6E;
        case SDLK_KP_DIVIDE: return 0x6F;
        case SDLK_SEMICOLON: return 0xBA;
        case SDLK_EQUALS: return 0xBB;
        case SDLK_COMMA: return 0xBC;
        case SDLK_MINUS: return 0xBD;
        case SDLK_PERIOD: return 0xBE;
        case SDLK_SLASH: return 0xBF;
        case SDLK_BACKQUOTE: return 0xC0;
        case SDLK_LEFTBRACKET: return 0xDB;
        case SDLK_BACKSLASH: return 0xDC;
        case SDLK_RIGHTBRACKET: return 0xDD;
        case SDLK_QUOTE: return 0xDE;
        default: return 0;
    }
}

void PlayerClosed() {
    {
        std::lock_guard lk(quitMutex);
        Wimdows::Internal::WindowClosed(true);
    }
    quitChanged.notify_all();
}

// SIGINT and SIGTERM end the game like the close box. They are blocked in
// every thread and taken by one thread of their own (sigwait), which asks
// the window to close, or, between windows, ends the game's waits itself:
// no handler runs at an odd moment and nothing needs waking up by polling.
struct Signals {
    sigset_t set;
    Signals() {
        sigemptyset(&set);
        sigaddset(&set, SIGINT);
        sigaddset(&set, SIGTERM);
        // Done before main, so that every thread started later inherits it.
        pthread_sigmask(SIG_BLOCK, &set, nullptr);
    }
} signals;
std::once_flag signalThreadStarted;


void SignalThread() {
    for (;;) {
        int sig = 0;
        if (sigwait(&signals.set, &sig) != 0) continue;
        // Held throughout: no window thread starts or ends meanwhile.
        std::lock_guard lk(runMutex);
        if (threadRunning) {
            quitAsked = true;
            Wake();
        } else {
            PlayerClosed();
        }
    }
}

// Xlib ends the program on any X error unless told otherwise. An error is a
// fault worth a line on stderr, not the end of the game: it goes on where it
// can. SDL puts a handler of its own in front of this one and passes errors
// on to it.
int OnXError(Display* display, XErrorEvent* e) {
    char text[256] = "";
    XGetErrorText(display, e->error_code, text, sizeof text);
    std::fprintf(stderr, "zanderfell: X error %s (request %u.%u, resource 0x%lx)\n", text, unsigned(e->request_code),
                 unsigned(e->minor_code), e->resourceid);
    return 0;
}
std::once_flag xErrorHandlerSet;

// The window thread ends: later signals are the signal thread's to handle.
// True when one came for this thread that it did not see.
bool EndOfWindowThread() {
    std::lock_guard lk(runMutex);
    threadRunning = false;
    return quitAsked.exchange(false);
}

// A signal that came while the window failed to open stays asked: the next
// window closes at once, as if by the player.
void WindowFailedToOpen() {
    {
        std::lock_guard lk(runMutex);
        threadRunning = false;
    }
    Wimdows::Internal::WindowFailed();
}

// SDL falls back on drivers without a screen when there is no display; a
// game nobody can see is no game.
bool HasScreen() {
    if (std::getenv("SDL_VIDEODRIVER")) return true;  // asked for explicitly
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver && std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0;
}

void WindowThread(std::string title, uint32_t width, uint32_t height) {
    // An X server that drops a connection as it is made (see below) makes
    // the next write to it raise SIGPIPE, which would end the program; held
    // back in this thread, the write just fails and the display is tried
    // again.
    sigset_t pipeSignal;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSignal, nullptr);
    std::call_once(xErrorHandlerSet, [] {
        XInitThreads();
        XSetErrorHandler(OnXError);
    });
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // Opening the display right after the previous window let go of it
    // fails now and then (the X server drops a connection made just after
    // one it is still closing); a few tries a moment apart get through.
    // Meanwhile SDL is kept to X11 when there is an X display and the player
    // chose no driver: falling through to the next driver only makes noise
    // on stderr. The last try leaves the choice to SDL again.
    const bool x11 = std::getenv("DISPLAY") && !std::getenv("SDL_VIDEODRIVER");
    bool ready = false;
    for (int attempt = 0; attempt < 10 && !ready; ++attempt) {
        SDL_SetHint(SDL_HINT_VIDEODRIVER, x11 && attempt < 9 ? "x11" : nullptr);
        ready = SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) == 0 && HasScreen();
        if (!ready) {
            SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
            if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) break;  // nothing to wait for
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
    if (!ready) {
        std::fprintf(stderr, "zanderfell: no display to open the window on\n");
        WindowFailedToOpen();
        return;
    }
    SDL_Window* win = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, int(width),
                                       int(height), SDL_WINDOW_SHOWN);
    // The picture goes to the window's own surface, rectangle by rectangle:
    // no graphics library, no texture, only what changed.
    SDL_Surface* surface = win ? SDL_GetWindowSurface(win) : nullptr;
    int w = 0, h = 0;
    if (win) SDL_GetWindowSize(win, &w, &h);
    if (!surface || w <= 0 || h <= 0 || surface->w != w || surface->h != h) {
        std::fprintf(stderr, "zanderfell: cannot set up the window: %s\n", SDL_GetError());
        if (win) SDL_DestroyWindow(win);
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
        WindowFailedToOpen();
        return;
    }
    // The game's picture is 0x00RRGGBB; a window surface in another layout
    // gets it through a frame of our own and a conversion.
    const bool direct = surface->format->format == SDL_PIXELFORMAT_RGB888;
    std::vector<uint32_t> frame(direct ? 0 : size_t(w) * size_t(h), 0);
    std::vector<Wimdows::Internal::Rect> copied;
    std::vector<SDL_Rect> rects;
    // A frame left pending by the previous window must not keep this one
    // from being woken for its own first frame.
    presentPending = false;
    // Under X11 the thread sleeps in poll() on the X connection and the wake
    // pipe. SDL_WaitEvent is never used there: while a thread sits in it,
    // SDL_PushEvent from any thread sends an X event to the window.
    SDL_SysWMinfo wm;
    SDL_VERSION(&wm.version);
    Display* const display =
        SDL_GetWindowWMInfo(win, &wm) && wm.subsystem == SDL_SYSWM_X11 ? wm.info.x11.display : nullptr;
    Wimdows::Internal::WindowOpened(uint32_t(w), uint32_t(h));

    bool open = true, byPlayer = false, show = true;
    while (open) {
        SDL_Event e;
        while (open && SDL_PollEvent(&e)) {
            switch (e.type) {
                case SDL_QUIT: open = false; byPlayer = true; break;
                case SDL_WINDOWEVENT:
                    if (e.window.event == SDL_WINDOWEVENT_CLOSE) { open = false; byPlayer = true; }
                    if (e.window.event == SDL_WINDOWEVENT_EXPOSED || e.window.event == SDL_WINDOWEVENT_SHOWN ||
                        e.window.event == SDL_WINDOWEVENT_RESTORED)
                        show = true;
                    if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) Wimdows::Internal::AllKeysUp();
                    break;
                case SDL_KEYDOWN:
                    // Keys pressed with Alt are the system's and the sound's,
                    // never the game's.
                    if (!(e.key.keysym.mod & KMOD_ALT)) {
                        uint32_t vk = VirtualKey(e.key.keysym.sym);
                        if (vk) Wimdows::Internal::KeyPressed(vk);
                        if (vk && Wimdows::Internal::PauseAsked()) WakeForPause();
                    } else if (e.key.keysym.sym == SDLK_m && !e.key.repeat) {
                        Sound::ToggleMute();
                    } else if (e.key.keysym.sym == SDLK_UP || e.key.keysym.sym == SDLK_DOWN) {
                        Sound::ChangeVolume(e.key.keysym.sym == SDLK_UP ? 1 : -1);
                    }
                    break;
                case SDL_KEYUP: {
                    uint32_t vk = VirtualKey(e.key.keysym.sym);
                    if (vk) Wimdows::Internal::KeyReleased(vk);
                    break;
                }
                default: break;
            }
        }
        // Emptied before the flags are read: a request made after this
        // leaves a byte that ends the next wait.
        DrainWakePipe();
        if (quitAsked.exchange(false)) {
            open = false;
            byPlayer = true;
        }
        if (closeAsked.exchange(false)) open = false;
        const bool pending = presentPending.exchange(false);
        if (open && (show || pending)) {
            if (SDL_MUSTLOCK(surface)) SDL_LockSurface(surface);
            const bool ok = direct ? Wimdows::Internal::CopyScreen(surface->pixels, surface->pitch, uint32_t(w),
                                                                    uint32_t(h), show, copied)
                                   : Wimdows::Internal::CopyScreen(frame.data(), w * 4, uint32_t(w), uint32_t(h),
                                                                    show, copied);
            if (ok && !direct)
                for (const auto& r : copied)
                    SDL_ConvertPixels(r.w, r.h, SDL_PIXELFORMAT_RGB888, &frame[size_t(r.y) * size_t(w) + size_t(r.x)],
                                      w * 4, surface->format->format,
                                      static_cast<char*>(surface->pixels) + r.y * surface->pitch +
                                          r.x * surface->format->BytesPerPixel,
                                      surface->pitch);
            if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
            show = false;
            if (ok && !copied.empty()) {
                rects.clear();
                for (const auto& r : copied) rects.push_back({r.x, r.y, r.w, r.h});
                SDL_UpdateWindowSurfaceRects(win, rects.data(), int(rects.size()));
            }
        }
        if (!open) break;
        if (display) {
            // Presenting may have read X events into Xlib's queue, where
            // poll() cannot see them. XPending also ends the program, through
            // Xlib's IO error, once the display has gone away.
            if (XPending(display) > 0) continue;
            pollfd fds[2] = {{ConnectionNumber(display), POLLIN, 0}, {wakePipe[0], POLLIN, 0}};
            poll(fds, 2, -1);
        } else {
            // Another video driver (Wayland, say): its own wait, with nobody
            // pushing SDL events at it; the flags are looked at every 10 ms.
            SDL_WaitEventTimeout(nullptr, 10);
        }
    }
    SDL_DestroyWindow(win);
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    if (EndOfWindowThread()) byPlayer = true;
    if (byPlayer) PlayerClosed();
    else Wimdows::Internal::WindowClosed(false);
}

// The window thread is joined when the next window opens or the program ends.
struct ThreadReaper {
    ~ThreadReaper() {
        // When the display goes away, Xlib ends the program from the window
        // thread itself: that thread cannot wait for itself.
        if (windowThread.joinable() && windowThread.get_id() == std::this_thread::get_id()) {
            windowThread.detach();
            return;
        }
        if (windowThread.joinable()) {
            closeAsked = true;
            Wake();
            windowThread.join();
        }
    }
} reaper;

}  // namespace

namespace Platform {

bool OpenWindow(const std::string& title, uint32_t width, uint32_t height) {
    std::call_once(signalThreadStarted, [] {
        if (pipe2(wakePipe, O_NONBLOCK | O_CLOEXEC) != 0) wakePipe[0] = wakePipe[1] = -1;
        std::thread(SignalThread).detach();
    });
    if (wakePipe[0] < 0) return false;  // a window nobody could wake
    if (windowThread.joinable()) windowThread.join();
    closeAsked = false;  // meant for a window that had ended already
    try {
        std::lock_guard lk(runMutex);
        threadRunning = true;
        windowThread = std::thread(WindowThread, title, width, height);
    } catch (const std::system_error&) {
        std::lock_guard lk(runMutex);
        threadRunning = false;
        return false;
    }
    return true;
}

void CloseWindow() {
    closeAsked = true;
    Wake();
    if (windowThread.joinable()) windowThread.join();
}

void Present() {
    if (!presentPending.exchange(true)) Wake();
}

void WaitForInput(std::unique_lock<std::mutex>& lock, std::condition_variable& changed, uint64_t untilMs,
                  bool paused) {
    const auto start = std::chrono::steady_clock::now();
    const uint64_t speed = pace;
    if (untilMs == UINT64_MAX) {
        changed.wait(lock);
    } else {
        const uint64_t game = Runtime::GameMs();
        if (untilMs > game) changed.wait_until(lock, start + std::chrono::microseconds((untilMs - game) * 1000 / speed));
    }
    if (paused) return;
    blockedUs += speed * uint64_t(std::chrono::duration_cast<std::chrono::microseconds>(
                             std::chrono::steady_clock::now() - start).count());
}

uint64_t KeyTimeUs() {
    return uint64_t(
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - clockStart).count());
}

void ErrorBox(const std::string& text, const std::string& caption) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption.c_str(), text.c_str(), nullptr);
}

}  // namespace Platform

// The real clock.
namespace Runtime {

// The game is paced by its waits alone: the drawing done since the previous
// wait ended is taken out of the next one, so a jump of 87 steps of 3 ms
// takes 87 x 3 ms, not that plus 87 frames of drawing. Only time spent right
// before the wait counts: after a longer pause (a player thinking in front
// of a menu) a wait is whole again.
std::atomic<uint64_t> waitedMs{0};

void Delay(uint32_t ms) {
    Wimdows::Internal::TakePause();
    waitedMs += ms;
    using Clock = std::chrono::steady_clock;
    static Clock::time_point lastEnd{};
    const auto now = Clock::now();
    const auto length = std::chrono::microseconds(uint64_t(ms) * 1000 / pace);
    auto deadline = now + length;
    if (now - lastEnd < std::chrono::milliseconds(20)) deadline = std::max(now, lastEnd + length);
    std::unique_lock lk(quitMutex);
    for (;;) {
        quitChanged.wait_until(lk, deadline, [] {
            return Wimdows::Internal::QuitRequested() || Wimdows::Internal::PauseAsked();
        });
        if (Wimdows::Internal::QuitRequested() || !Wimdows::Internal::PauseAsked()) break;
        // Paused: the rest of the wait comes after the pause.
        const auto rest = std::max(deadline - Clock::now(), Clock::duration::zero());
        lk.unlock();
        Wimdows::Internal::TakePause();
        lk.lock();
        deadline = Clock::now() + rest;
    }
    lastEnd = std::max(deadline, Clock::now() - std::chrono::microseconds(200));
    if (Wimdows::Internal::QuitRequested()) throw Wimdows::QuitGame{};
    Input::Internal::Look();
}

uint64_t WaitedMs() { return waitedMs; }
uint64_t GameMs() { return waitedMs + blockedUs / 1000; }
void SetPace(uint32_t speed) { pace = std::max<uint32_t>(speed, 1); }

uint64_t NowMs() {
    return uint64_t(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - clockStart).count());
}

}  // namespace Runtime
