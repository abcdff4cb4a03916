// What a whole scripted game costs in virtual time: the duel played to a
// victory (rabbit 1 fires the bazooka at its own feet every turn while
// rabbit 2 walks), headless, with every drawing of the real game. The tests
// play such games on every build; this says how long one takes.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "game/Trace.h"
#include "game/Zanderfell.h"
#include "gfx/Headless.h"
#include "tests/ScriptedGame.h"

using namespace ScriptedGame;
namespace fs = std::filesystem;

namespace {

// A game directory of its own: the generated pictures linked, the files copied.
void EnterGameDir() {
    static bool ready = false;
    if (ready) return;
    const fs::path dir = fs::temp_directory_path() / ("zanderfell-bench-" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    fs::create_directory_symlink(fs::path(ZF_RUN_DIR) / "Images", dir / "Images");
    fs::copy(fs::path(ZF_RUN_DIR) / "Files", dir / "Files", fs::copy_options::recursive);
    fs::current_path(dir);
    ready = true;
}

void WholeDuelToVictory(benchmark::State& state) {
    EnterGameDir();
    uint64_t virtualMs = 0;
    for (auto _ : state) {
        Headless::Reset();
        std::vector<Reaction> script = {{"title", Tap(100, Down) + Tap(200, Down) + Tap(300, Enter)}};
        for (int i = 0; i < 12; ++i) {
            script.push_back({"move 1", Tap(300, Enter, 100)});
            script.push_back({"weapon 1", Choose(0) + AimAndFire(0, 0)});
            script.push_back({"move 2", Tap(300, Right, 300) + Tap(900, Enter, 100)});
            script.push_back({"weapon 2", Choose(3) + Tap(900, Left) + Tap(1100, Space, 100)});
        }
        script.push_back({"victory", Tap(500, 'R')});
        script.push_back({"title", Tap(100, 'Q')});
        Driver driver(std::move(script));
        {
            std::ofstream("Files/RandomFile.txt", std::ios::binary) << "    42\r\n 3.5000E-1\r\n";
        }
        Zanderfell::Trace::SetSink([&](const std::string& line) { driver(line); });
        if (Zanderfell::Main() != 0 || driver.Trace().find("\nvictory") == std::string::npos)
            state.SkipWithError("the duel did not end in a victory");
        Zanderfell::Trace::SetSink(nullptr);
        virtualMs = Headless::Now();
    }
    state.counters["virtual_s"] = double(virtualMs) / 1000.0;
}
BENCHMARK(WholeDuelToVictory)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
