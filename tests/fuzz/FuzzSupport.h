// Shared by the fuzz targets that read files: they run in a scratch game
// directory, entered before the first input, and write each input to a file
// there.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// A scratch directory in memory where there is one: the input goes to a file
// for every run.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char tmpl[] = "/dev/shm/zanderfell-fuzz-XXXXXX";
    if (access("/dev/shm", W_OK) != 0) std::strcpy(tmpl, "/tmp/zanderfell-fuzz-XXXXXX");
    if (!mkdtemp(tmpl) || chdir(tmpl) != 0 || mkdir("Files", 0755) != 0) std::abort();
    return 0;
}

namespace FuzzSupport {

inline void WriteInput(const char* path, const uint8_t* data, size_t size) {
    std::FILE* f = std::fopen(path, "wb");
    if (!f) std::abort();
    if (size) std::fwrite(data, 1, size, f);
    std::fclose(f);
}

}  // namespace FuzzSupport
