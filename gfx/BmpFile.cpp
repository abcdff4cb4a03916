// SDL decodes and scales the pictures; no video subsystem is needed for that,
// so this serves the real window and the headless tests alike.
#include "gfx/BmpFile.h"

#include <SDL.h>

#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <atomic>
#include <map>
#include <thread>
#include <mutex>
#include <tuple>

namespace BmpFile {

namespace {

uint32_t Le32(const unsigned char* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// Looks at the headers before SDL does, so that a damaged or hostile file
// (absurd dimensions, truncated pixel data) is refused without a huge
// allocation.
bool SaneHeader(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    unsigned char h[34] = {};
    size_t got = std::fread(h, 1, sizeof h, f);
    std::fseek(f, 0, SEEK_END);
    long size = std::ftell(f);
    std::fclose(f);
    if (got < 26 || h[0] != 'B' || h[1] != 'M' || size <= 0) return false;
    uint32_t headerSize = Le32(h + 14);
    int64_t w = 0, hgt = 0;
    uint32_t compression = 0;
    if (headerSize == 12) {  // OS/2 core header: 16-bit sizes
        w = int64_t(h[18] | h[19] << 8);
        hgt = int64_t(h[20] | h[21] << 8);
    } else {
        w = int32_t(Le32(h + 18));
        hgt = int32_t(Le32(h + 22));
        if (got >= 34) compression = Le32(h + 30);
    }
    if (hgt < 0) hgt = -hgt;
    if (w <= 0 || hgt <= 0) return false;
    if (uint64_t(w) * uint64_t(hgt) > MaxPixels) return false;
    // Even a 1-bit picture needs w*h/8 bytes; anything shorter is truncated
    // or lies about its size. Not so a run-length coded one (RLE8 = 1,
    // RLE4 = 2): a plain 1000 x 700 screen fits in a few kilobytes. Its
    // dimensions are capped above, and SDL refuses one that is cut short.
    const bool runLength = compression == 1 || compression == 2;
    if (!runLength && uint64_t(size) < uint64_t(w) * uint64_t(hgt) / 8) return false;
    return true;
}

}  // namespace

bool Read(const std::string& path, uint32_t width, uint32_t height, std::vector<uint32_t>& pixels) {
    if (width == 0 || height == 0 || uint64_t(width) * height > MaxPixels) return false;
    if (!SaneHeader(path)) return false;
    SDL_Surface* loaded = SDL_LoadBMP(path.c_str());
    if (!loaded) return false;
    SDL_Surface* rgb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    if (!rgb) return false;
    SDL_Surface* sized = rgb;
    if (uint32_t(rgb->w) != width || uint32_t(rgb->h) != height) {
        sized = SDL_CreateRGBSurfaceWithFormat(0, int(width), int(height), 32, SDL_PIXELFORMAT_ARGB8888);
        if (!sized || SDL_SoftStretch(rgb, nullptr, sized, nullptr) != 0) {
            if (sized) SDL_FreeSurface(sized);
            SDL_FreeSurface(rgb);
            return false;
        }
        SDL_FreeSurface(rgb);
    }
    pixels.resize(size_t(width) * height);
    SDL_LockSurface(sized);
    for (uint32_t y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const unsigned char*>(sized->pixels) +
                                                            size_t(y) * size_t(sized->pitch));
        for (uint32_t x = 0; x < width; ++x) pixels[size_t(y) * width + x] = row[x] & 0x00FFFFFFu;
    }
    SDL_UnlockSurface(sized);
    SDL_FreeSurface(sized);
    return true;
}

namespace {

struct CacheKey {
    std::string path;
    uint32_t width, height;
    int64_t size, mtimeNs;
    bool operator<(const CacheKey& o) const {
        return std::tie(path, width, height, size, mtimeNs) < std::tie(o.path, o.width, o.height, o.size, o.mtimeNs);
    }
};
std::mutex cacheMutex;
std::map<CacheKey, Pixels> cache;

}  // namespace

Pixels ReadShared(const std::string& path, uint32_t width, uint32_t height) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return nullptr;
    CacheKey key{path, width, height, int64_t(st.st_size),
                 int64_t(st.st_mtim.tv_sec) * 1000000000 + int64_t(st.st_mtim.tv_nsec)};
    {
        std::lock_guard lk(cacheMutex);
        auto it = cache.find(key);
        if (it != cache.end()) return it->second;
    }
    auto pixels = std::make_shared<std::vector<uint32_t>>();
    if (!Read(path, width, height, *pixels)) return nullptr;
    std::lock_guard lk(cacheMutex);
    // One picture per file and size: an older version of a changed file goes.
    for (auto it = cache.begin(); it != cache.end();)
        it = it->first.path == path && it->first.width == width && it->first.height == height ? cache.erase(it)
                                                                                              : std::next(it);
    cache.emplace(key, pixels);
    return pixels;
}

void Prefetch(const std::vector<Wanted>& files) {
    std::atomic<size_t> next{0};
    auto work = [&] {
        for (size_t i; (i = next++) < files.size();) ReadShared(files[i].path, files[i].width, files[i].height);
    };
    const unsigned helpers = std::min(3u, std::max(1u, std::thread::hardware_concurrency()) - 1);
    std::vector<std::thread> threads;
    for (unsigned t = 0; t < helpers; ++t) {
        try {
            threads.emplace_back(work);
        } catch (const std::system_error&) {
            break;  // fewer helpers: this thread does the rest
        }
    }
    work();
    for (auto& t : threads) t.join();
}

}  // namespace BmpFile
