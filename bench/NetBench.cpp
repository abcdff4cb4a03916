// The real game with a log of every key event its looks take in, and when
// (the machine's monotonic clock, shared by every process on it). Two of
// these over the network (bench/net.sh) show how long after the active
// machine's look the other machine's game took the same key at the same
// look, and so drew the same frame.
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "game/Zanderfell.h"
#include "gfx/Input.h"

int main(int argc, char** argv) {
    const char* path = std::getenv("ZF_KEY_LOG");
    std::FILE* log = path ? std::fopen(path, "w") : nullptr;
    if (log)
        Input::Observe([log](const Input::Stamped& s) {
            const auto us = std::chrono::duration_cast<std::chrono::microseconds>(
                                std::chrono::steady_clock::now().time_since_epoch())
                                .count();
            std::fprintf(log, "%llu %u %u %u %lld\n", (unsigned long long)s.look, s.team, unsigned(s.event.kind),
                         unsigned(s.event.vk), (long long)us);
            std::fflush(log);
        });
    return Zanderfell::Main(argc, argv);
}
