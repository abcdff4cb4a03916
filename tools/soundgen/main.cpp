// The sound generator: makes every sound of the game's table
// (audio/Sounds.def) and writes it as Sounds/<stem>.wav (44.1 kHz, 16-bit,
// mono). Also draws each waveform for the page that lists the sounds.
//
//   zanderfell_soundgen --out RUN_DIR       RUN_DIR/Sounds/*.wav
//   zanderfell_soundgen --docs DOCS_DIR     DOCS_DIR/sounds.md and DOCS_DIR/sounds/*.png
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "soundgen/Recipes.h"

namespace {

using Synth::Wave;

std::vector<int16_t> Pcm(const Wave& w) {
    std::vector<int16_t> out(w.size());
    for (size_t i = 0; i < w.size(); ++i) out[i] = int16_t(std::lround(std::clamp(w[i], -1.0, 1.0) * 32767));
    return out;
}

void Put(std::ofstream& f, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) f.put(char((v >> (8 * i)) & 0xFF));
}

void WriteWav(const std::filesystem::path& path, const Wave& w) {
    const std::vector<int16_t> pcm = Pcm(w);
    const uint32_t data = uint32_t(pcm.size() * 2);
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write("RIFF", 4);
    Put(f, 36 + data, 4);
    f.write("WAVEfmt ", 8);
    Put(f, 16, 4);
    Put(f, 1, 2);  // PCM
    Put(f, 1, 2);  // mono
    Put(f, Synth::Rate, 4);
    Put(f, Synth::Rate * 2, 4);
    Put(f, 2, 2);
    Put(f, 16, 2);
    f.write("data", 4);
    Put(f, data, 4);
    for (int16_t s : pcm) Put(f, uint16_t(s), 2);
    if (!f) throw std::runtime_error("cannot write " + path.string());
}

// The waveform: for each column the lowest and highest sample under it.
void WritePicture(const std::filesystem::path& path, const Wave& w, double longestSeconds) {
    constexpr int W = 600, H = 100;
    std::vector<uint8_t> rgb(size_t(W) * H * 3, 255);
    auto dot = [&](int x, int y, uint8_t r, uint8_t g, uint8_t b) {
        uint8_t* p = &rgb[(size_t(y) * W + size_t(x)) * 3];
        p[0] = r, p[1] = g, p[2] = b;
    };
    // The width is the sound's longest allowed length, so lengths compare.
    const double perColumn = longestSeconds * Synth::Rate / W;
    for (int x = 0; x < W; ++x) {
        dot(x, H / 2, 200, 200, 200);
        const size_t a = size_t(x * perColumn), b = std::min(w.size(), size_t((x + 1) * perColumn) + 1);
        if (a >= w.size()) continue;
        double lo = 0, hi = 0;
        for (size_t i = a; i < b; ++i) lo = std::min(lo, w[i]), hi = std::max(hi, w[i]);
        const int top = int(std::lround((1 - hi) * (H - 1) / 2)), bottom = int(std::lround((1 - lo) * (H - 1) / 2));
        for (int y = top; y <= bottom; ++y) dot(x, y, 30, 70, 150);
    }
    FILE* fp = std::fopen(path.c_str(), "wb");
    if (!fp) throw std::runtime_error("cannot write " + path.string());
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(fp);
        throw std::runtime_error("libpng failed on " + path.string());
    }
    png_init_io(png, fp);
    png_set_IHDR(png, info, W, H, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < H; ++y) png_write_row(png, &rgb[size_t(y) * W * 3]);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    if (std::fclose(fp) != 0) throw std::runtime_error("failed writing " + path.string());
}

void WriteSounds(const std::filesystem::path& run) {
    std::filesystem::create_directories(run / "Sounds");
    for (const Recipes::Row& r : Recipes::Table)
        WriteWav(run / "Sounds" / (std::string(r.stem) + ".wav"), Recipes::Make(r.id));
}

void WriteDocs(const std::filesystem::path& docs) {
    std::filesystem::create_directories(docs / "sounds");
    std::ofstream page(docs / "sounds.md", std::ios::trunc);
    page << "# The sounds of Zanderfell\n\n"
            "Every sound is made by `tools/soundgen` from noise, filters, tones and envelopes, "
            "the same bytes on every build; the table of sounds is `audio/Sounds.def`. "
            "The build writes them into `Sounds/` beside `Images/`. A sound that loops lasts "
            "while its cause does; its file is one round. Each picture spans the longest length "
            "the table allows that sound.\n\n"
            "In the game: Alt+M mutes and unmutes, Alt+Up and Alt+Down change the volume (the choice is kept "
            "in `Sound.txt` in the player's directory); `zanderfell --mute` plays one game silent. "
            "Without a sound device the game plays silent and says so once.\n\n"
            "This page and its pictures are written by `cmake --build build --target zanderfell_sound_docs`.\n\n"
            "| sound | when | length | waveform |\n|---|---|---|---|\n";
    for (const Recipes::Row& r : Recipes::Table) {
        const Wave w = Recipes::Make(r.id);
        const std::string picture = std::string("sounds/") + r.stem + ".png";
        WritePicture(docs / picture, w, r.longestMs / 1000.0);
        page << "| `" << r.stem << "` | " << r.what << (r.loops ? " (loops)" : "") << " | "
             << std::lround(1000.0 * double(w.size()) / Synth::Rate) << " ms | ![" << r.stem << "](" << picture
             << ") |\n";
    }
    if (!page) throw std::runtime_error("cannot write the sounds page");
}

}  // namespace

int main(int argc, char** argv) {
    try {
        if (argc == 3 && std::strcmp(argv[1], "--out") == 0) {
            WriteSounds(argv[2]);
        } else if (argc == 3 && std::strcmp(argv[1], "--docs") == 0) {
            WriteDocs(argv[2]);
        } else {
            std::fprintf(stderr, "usage: %s --out RUN_DIR | --docs DOCS_DIR\n", argv[0]);
            return 2;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zanderfell_soundgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
