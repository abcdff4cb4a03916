#include "tests/TestSupport.h"

#include "audio/HeadlessAudio.h"
#include "game/TurnBanner.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "game/Trace.h"
#include "game/replay/Verify.h"

#ifndef ZF_RUN_DIR
#error "ZF_RUN_DIR must name the run directory holding Images/ and Files/"
#endif

namespace fs = std::filesystem;

namespace TestSupport {

std::string MakeGameDir(const std::string& parent) {
    std::string tmpl = (fs::path(parent) / "zanderfell-test-XXXXXX").string();
    std::vector<char> buf(tmpl.begin(), tmpl.end());
    buf.push_back('\0');
    if (!mkdtemp(buf.data())) throw std::runtime_error("cannot make a test directory");
    fs::path dir(buf.data());
    fs::path run(ZF_RUN_DIR);
    fs::create_directory_symlink(run / "Images", dir / "Images");
    fs::copy(run / "Files", dir / "Files", fs::copy_options::recursive);
    return dir.string();
}

// Virtual time 0, no trace, and a fresh game directory as the working one.
void GameTest::SetUp() {
    Headless::Reset();
    HeadlessAudio::Clear();
    windowMismatches = Headless::WindowMismatches();
    Zanderfell::Trace::SetSink(nullptr);
    previousDir = fs::current_path().string();
    dir = MakeGameDir(fs::temp_directory_path().string());
    fs::current_path(dir);
    if (openWindow) Zanderfell::MaakSchermAan();
    ResetGame();
}

void GameTest::TearDown() {
    Headless::Reset();  // closing the window checks its picture once more
    EXPECT_EQ(Headless::WindowMismatches(), windowMismatches) << "the window missed a change of the picture";
    Zanderfell::Trace::SetSink(nullptr);
    Zanderfell::Klassiek = false;  // also after a test that failed in classic mode
    fs::current_path(previousDir);
    std::error_code ec;
    fs::remove_all(dir, ec);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) out.push_back(l);
    return out;
}

void CompareWithGolden(const std::string& trace, const std::string& name) {
    const std::string path = std::string(ZF_TEST_DATA_DIR) + "/" + name;
    if (std::getenv("ZF_UPDATE_GOLDEN")) {
        WriteFile(path, trace);
        GTEST_SKIP() << "wrote " << path;
    }
    const std::vector<std::string> want = Lines(ReadFile(path)), got = Lines(trace);
    ASSERT_FALSE(want.empty()) << path << " is missing; run with ZF_UPDATE_GOLDEN=1";
    for (size_t i = 0; i < std::max(want.size(), got.size()); ++i) {
        const std::string w = i < want.size() ? want[i] : "<end of trace>";
        const std::string g = i < got.size() ? got[i] : "<end of trace>";
        ASSERT_EQ(g, w) << "the trace first differs from " << name << " at line " << i + 1;
    }
}

std::string CheckRecords(const std::string& folder, size_t n, std::string* verdicts) {
    std::vector<std::string> records;
    for (const auto& f : fs::directory_iterator(folder)) records.push_back(f.path().string());
    std::sort(records.begin(), records.end());
    std::string said;
    Headless::Reset();
    const int code = Zanderfell::Replay::Verifieer(records, said);
    if (verdicts)
        for (const std::string& l : Lines(said)) *verdicts += l.substr(std::min(l.find(": "), l.size())) + "\n";
    return records.size() == n && code == 0 ? "" : std::to_string(records.size()) + " records:\n" + said;
}

void ResetGame() {
    using namespace Zanderfell;
    Menu = MENU{1, 2, false};
    for (int k = 1; k <= 8; ++k) Konijntjes[k] = KonijnRecord{};
    ResetInslagen();
    KonijnNr = 0;
    GeenBanner();  // nor the numbers lost of a game closed in the middle
    SetFlatGround(Veld::Hoogte + 1);  // all air
}

void SetFlatGround(int32_t row) {
    for (int x = 1; x <= 1000; ++x)
        for (int y = 1; y <= 600; ++y) Zanderfell::Level[x][y] = Zanderfell::CEL{y >= row, false};
}

void PutRabbit(uint32_t k, int32_t x, int32_t y, int32_t lives, uint32_t team) {
    Zanderfell::Konijntjes[k] = Zanderfell::KonijnRecord{{x, y}, lives, team};
}

}  // namespace TestSupport
