// zanderfell-verify: plays records again headless and in virtual time and
// says, one line per record, whether each came out as recorded. A program
// of its own because the game itself is linked with the real window; the
// game's --verify hands over to it.
#include <cstdio>
#include <string>
#include <vector>

#include "game/replay/Verify.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: zanderfell-verify FILE...\n");
        return 2;
    }
    std::vector<std::string> bestanden(argv + 1, argv + argc);
    std::string uit;
    const int code = Zanderfell::Replay::Verifieer(bestanden, uit);
    std::fputs(uit.c_str(), stdout);
    return code;
}
