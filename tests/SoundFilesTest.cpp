// The generated sounds, read back from the run directory as the mixer reads
// them: every sound of the table present as 16-bit PCM, heard (not silent),
// within its length and never clipped.
#include "tests/TestSupport.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "audio/Sound.h"

TEST(SoundFilesTest, EverySoundOfTheTableIsThereWithinItsLengthAndNeverClipped) {
    for (uint32_t i = 0; i < Sound::Count; ++i) {
        const Sound::Id id = Sound::Id(i);
        const std::string path = std::string(ZF_RUN_DIR) + "/Sounds/" + Sound::Stem(id) + ".wav";
        SCOPED_TRACE(path);
        std::ifstream f(path, std::ios::binary);
        const std::vector<unsigned char> d((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
        ASSERT_GE(d.size(), 44u);
        auto u32 = [&](size_t o) { return uint32_t(d[o] | d[o + 1] << 8 | d[o + 2] << 16 | uint32_t(d[o + 3]) << 24); };
        auto u16 = [&](size_t o) { return unsigned(d[o] | d[o + 1] << 8); };
        ASSERT_EQ(std::string(d.begin(), d.begin() + 4) + std::string(d.begin() + 8, d.begin() + 16), "RIFFWAVEfmt ");
        EXPECT_EQ(u16(20), 1u);  // PCM
        const unsigned channels = u16(22), bits = u16(34);
        const uint32_t rate = u32(24), bytes = u32(40);
        ASSERT_EQ(bits, 16u);
        ASSERT_EQ(std::string(d.begin() + 36, d.begin() + 40), "data");
        ASSERT_EQ(d.size(), 44u + bytes);
        const uint64_t frames = bytes / (2 * channels);
        EXPECT_LE(frames * 1000, uint64_t(Sound::LongestMs(id)) * rate) << "longer than the table allows";
        int peak = 0;
        for (size_t o = 44; o + 1 < d.size(); o += 2) peak = std::max(peak, std::abs(int(int16_t(u16(o)))));
        EXPECT_LT(peak, 32767) << "clipped";
        EXPECT_GT(peak, 3000) << "hardly heard";
    }
}
