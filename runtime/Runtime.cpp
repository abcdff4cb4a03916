#include "runtime/Runtime.h"

#include <cmath>
#include <cstdlib>
#include <unistd.h>
#include <limits>

namespace Runtime {

void RunError(const std::string& message) {
    std::fflush(stdout);
    std::fprintf(stderr, "zanderfell: run-time error: %s\n", message.c_str());
    std::fflush(stderr);
    std::_Exit(3);
}

void IndexError(int64_t i, int64_t lo, int64_t hi, const char* what) {
    char buf[160];
    std::snprintf(buf, sizeof buf, "index %lld out of range %lld..%lld (%s)", static_cast<long long>(i),
                  static_cast<long long>(lo), static_cast<long long>(hi), what);
    RunError(buf);
}

namespace {
int32_t Fit32(int64_t v, const char* op) {
    if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
        RunError(std::string("integer overflow in ") + op);
    return static_cast<int32_t>(v);
}
uint32_t FitU32(int64_t v, const char* op) {
    if (v < 0 || v > static_cast<int64_t>(std::numeric_limits<uint32_t>::max()))
        RunError(std::string("unsigned overflow in ") + op);
    return static_cast<uint32_t>(v);
}
}  // namespace

int32_t Add(int32_t a, int32_t b) { return Fit32(int64_t{a} + b, "addition"); }
int32_t Sub(int32_t a, int32_t b) { return Fit32(int64_t{a} - b, "subtraction"); }
int32_t Mul(int32_t a, int32_t b) { return Fit32(int64_t{a} * b, "multiplication"); }
uint32_t AddU(uint32_t a, uint32_t b) { return FitU32(int64_t{a} + b, "addition"); }
uint32_t SubU(uint32_t a, uint32_t b) { return FitU32(int64_t{a} - b, "subtraction"); }
int32_t ToI32(int64_t v) { return Fit32(v, "conversion"); }
uint32_t ToU32(int64_t v) { return FitU32(v, "conversion"); }

int32_t Trunc(long double v) {
    if (!(v > -2147483649.0L && v < 2147483648.0L)) RunError("real value out of integer range");
    return static_cast<int32_t>(v);
}

int32_t Round(long double v) {
    if (!(v > -2147483649.0L && v < 2147483648.0L)) RunError("real value out of integer range");
    return static_cast<int32_t>(std::nearbyint(v));
}

bool ReadFile(const std::string& path, std::string& contents) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return false;
    contents.clear();
    char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) contents.append(buf, n);
    const bool ok = std::ferror(f) == 0;
    std::fclose(f);
    return ok;
}

bool WriteFileWhole(const std::string& path, const std::string& contents) {
    const std::string tmp = path + "." + std::to_string(static_cast<long>(getpid())) + ".tmp";
    std::FILE* f = std::fopen(tmp.c_str(), "wb");
    if (f == nullptr) return false;
    bool ok = std::fwrite(contents.data(), 1, contents.size(), f) == contents.size();
    ok = (std::fclose(f) == 0) && ok;
    if (!ok || std::rename(tmp.c_str(), path.c_str()) != 0) {
        std::remove(tmp.c_str());
        return false;
    }
    return true;
}

}  // namespace Runtime
