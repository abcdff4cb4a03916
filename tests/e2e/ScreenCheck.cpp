// Reads screenshots of the real window for the end-to-end test.
//   screencheck size A.bmp            -> "W H"
//   screencheck pixel A.bmp X Y       -> "R G B"
//   screencheck newsky A.bmp B.bmp    -> field pixels that turned sky-coloured
//   screencheck changed A.bmp B.bmp X0 Y0 X1 Y1 -> pixels that differ in the box
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

SDL_Surface* Load(const char* path) {
    SDL_Surface* s = SDL_LoadBMP(path);
    if (!s) {
        std::fprintf(stderr, "cannot read %s: %s\n", path, SDL_GetError());
        std::exit(2);
    }
    SDL_Surface* c = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(s);
    return c;
}

uint32_t At(SDL_Surface* s, int x, int y) {
    if (x < 0 || y < 0 || x >= s->w || y >= s->h) return 0;
    return static_cast<const uint32_t*>(s->pixels)[size_t(y) * size_t(s->pitch / 4) + size_t(x)] & 0xFFFFFF;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    std::string cmd = argv[1];
    SDL_Surface* a = Load(argv[2]);
    if (cmd == "size") {
        std::printf("%d %d\n", a->w, a->h);
    } else if (cmd == "pixel" && argc == 5) {
        uint32_t p = At(a, std::atoi(argv[3]), std::atoi(argv[4]));
        std::printf("%u %u %u\n", p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF);
    } else if (cmd == "newsky" && argc == 4) {
        SDL_Surface* b = Load(argv[3]);
        const uint32_t sky = 166u << 16 | 202u << 8 | 240u;
        long n = 0;
        for (int y = 1; y < 600; ++y)
            for (int x = 1; x < 1000; ++x)
                if (At(a, x, y) != sky && At(b, x, y) == sky) ++n;
        std::printf("%ld\n", n);
    } else if (cmd == "changed" && argc == 8) {
        SDL_Surface* b = Load(argv[3]);
        long n = 0;
        for (int y = std::atoi(argv[5]); y <= std::atoi(argv[7]); ++y)
            for (int x = std::atoi(argv[4]); x <= std::atoi(argv[6]); ++x)
                if (At(a, x, y) != At(b, x, y)) ++n;
        std::printf("%ld\n", n);
    } else {
        return 2;
    }
    return 0;
}
