// Any state file: the draw ends, returns a number in range and leaves a
// state file the next draw can read.
#include <cstdint>

#include "game/Random.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzSupport::WriteInput(Zanderfell::RandomBestand, data, size);
    for (int i = 0; i < 3; ++i) {
        const uint32_t n = Zanderfell::RandomCard(1, 20);
        if (n < 1 || n > 19) __builtin_trap();
    }
    return 0;
}
