// Shared by the fuzz targets: a scratch game directory, and writing the
// input to a file there.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace FuzzSupport {

inline void EnterScratchDirectory() {
    // A scratch directory in memory where there is one: the targets write
    // their input to a file for every run.
    char tmpl[] = "/dev/shm/zanderfell-fuzz-XXXXXX";
    if (access("/dev/shm", W_OK) != 0) std::strcpy(tmpl, "/tmp/zanderfell-fuzz-XXXXXX");
    if (!mkdtemp(tmpl) || chdir(tmpl) != 0 || mkdir("Files", 0755) != 0) std::abort();
}

inline void WriteInput(const char* path, const uint8_t* data, size_t size) {
    std::FILE* f = std::fopen(path, "wb");
    if (!f) std::abort();
    if (size) std::fwrite(data, 1, size, f);
    std::fclose(f);
}

}  // namespace FuzzSupport
