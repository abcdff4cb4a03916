// Reading a Windows bitmap file into pixels, scaled to the size asked for.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace BmpFile {

// Pixels as 0x00RRGGBB, row by row from the top, width*height of them.
// Returns false for a missing, unreadable or absurd file (nothing allocated
// beyond what a sane picture needs).
bool Read(const std::string& path, uint32_t width, uint32_t height, std::vector<uint32_t>& pixels);

// The largest picture the store accepts, in pixels (width times height).
constexpr uint64_t MaxPixels = 16u * 1024u * 1024u;

}  // namespace BmpFile
