// Runtime support shared by every module: run-time checks that stay on in
// every build, checked arrays, checked integer arithmetic, number rounding
// helpers, and the one clock behind every millisecond wait of the game.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "runtime/Clock.h"

namespace Runtime {

// Ends the program with a clear message on stderr (exit code 3). Used for
// every index, range and overflow violation and for unusable data files.
[[noreturn]] void RunError(const std::string& message);

// Reports an index out of range (exit code 3); kept out of line so that the
// checks themselves stay small enough to inline in the hottest loops.
[[noreturn, gnu::cold]] void IndexError(int64_t i, int64_t lo, int64_t hi, const char* what);

// An index that must lie in [lo, hi].
inline int64_t CheckIndex(int64_t i, int64_t lo, int64_t hi, const char* what) {
    if (i < lo || i > hi) [[unlikely]]
        IndexError(i, lo, hi, what);
    return i;
}

// A fixed array indexed Lo..Hi whose every access is checked.
template <class T, int64_t Lo, int64_t Hi>
struct Array {
    static_assert(Hi >= Lo);
    T items[Hi - Lo + 1]{};
    T& operator[](int64_t i) { return items[CheckIndex(i, Lo, Hi, "array") - Lo]; }
    const T& operator[](int64_t i) const { return items[CheckIndex(i, Lo, Hi, "array") - Lo]; }
    static constexpr int64_t low = Lo;
    static constexpr int64_t high = Hi;
};

// Checked 32-bit arithmetic: an overflow is a run-time error.
int32_t Add(int32_t a, int32_t b);
int32_t Sub(int32_t a, int32_t b);
int32_t Mul(int32_t a, int32_t b);
uint32_t AddU(uint32_t a, uint32_t b);
uint32_t SubU(uint32_t a, uint32_t b);
// A wider value that must fit in 32 bits.
int32_t ToI32(int64_t v);
uint32_t ToU32(int64_t v);

// Floats: a value stored in a float is rounded to single precision; all
// arithmetic between stores runs in long double. These make the stores
// explicit where it matters.
inline float F(long double v) { return static_cast<float>(v); }
// Truncation toward zero to a signed 32-bit integer (checked).
int32_t Trunc(long double v);
// Round to nearest, halves to even (checked).
int32_t Round(long double v);

// Reads a whole file into `contents`; false when it cannot be opened or read.
bool ReadFile(const std::string& path, std::string& contents);
// Replaces a whole file: written beside it (PATH.<process>.tmp) and renamed
// over it, so a crash leaves the old contents or the new, never a part.
// False (and nothing left behind) when it cannot be written.
bool WriteFileWhole(const std::string& path, const std::string& contents);

}  // namespace Runtime
