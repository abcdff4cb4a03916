// Any file handed to the level reader fills its 200 rows and nothing else.
#include <cstdint>

#include "game/Level.h"
#include "game/Zanderfell.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace Zanderfell;
    FuzzSupport::WriteInput("Files/Level1Part2.txt", data, size);
    for (int32_t x = 1; x <= 1000; ++x) {
        Level[x][200].Grond = true;
        Level[x][401].Grond = true;
    }
    LeesLevelDeel("Files/Level1Part2.txt", Level, 201);
    // The rows around the part are not touched.
    for (int32_t x = 1; x <= 1000; ++x)
        if (!Level[x][200].Grond || !Level[x][401].Grond) __builtin_trap();
    return 0;
}
