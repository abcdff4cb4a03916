// Reading a Windows bitmap file into pixels, scaled to the size asked for.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace BmpFile {

// Pixels as 0x00RRGGBB, row by row from the top, width*height of them.
// Returns false for a missing, unreadable or absurd file (nothing allocated
// beyond what a sane picture needs).
bool Read(const std::string& path, uint32_t width, uint32_t height, std::vector<uint32_t>& pixels);

using Pixels = std::shared_ptr<const std::vector<uint32_t>>;
// As Read, but a file already read at this size, and unchanged on disk since
// (same size and modification time), is not decoded again: the game loads
// its whole catalogue at every opening of the window. Null on failure.
Pixels ReadShared(const std::string& path, uint32_t width, uint32_t height);

struct Wanted {
    std::string path;
    uint32_t width, height;
};
// Reads these files into the cache on every core, so that the ReadShared
// calls that follow find them there.
void Prefetch(const std::vector<Wanted>& files);

// The largest picture the store accepts, in pixels (width times height).
constexpr uint64_t MaxPixels = 16u * 1024u * 1024u;

}  // namespace BmpFile
