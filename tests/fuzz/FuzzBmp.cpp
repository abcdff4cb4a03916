// Any file handed to the picture reader: a picture, or a clean refusal.
#include <cstdint>
#include <vector>

#include "gfx/BmpFile.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzSupport::WriteInput("input.bmp", data, size);
    std::vector<uint32_t> pixels;
    // Sizes the game asks for: a sprite, and one scaled up.
    if (BmpFile::Read("input.bmp", 29, 60, pixels) && pixels.size() != 29 * 60) __builtin_trap();
    if (BmpFile::Read("input.bmp", 66, 66, pixels) && pixels.size() != 66 * 66) __builtin_trap();
    return 0;
}
