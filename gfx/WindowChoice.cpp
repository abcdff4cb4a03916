// The player's remembered window: reading and writing Window.txt, and the
// command line's choice for this run. See WindowChoice.h.
#include "gfx/WindowChoice.h"

#include <atomic>
#include <sstream>

#include "runtime/Runtime.h"

namespace WindowChoice {

namespace {
std::atomic<Mode> thisRun{Mode::Remembered};
}

Choice Load(const std::string& path) {
    std::string text;
    if (!Runtime::ReadFile(path, text)) return {};
    Choice c;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string key, rest;
        long long value = 0;
        if (!(words >> key >> value) || (words >> rest)) return {};
        if (key == "fullscreen" && (value == 0 || value == 1)) c.fullscreen = value == 1;
        else if (key == "width" && value >= MinSize && value <= MaxSize) c.width = int32_t(value);
        else if (key == "height" && value >= MinSize && value <= MaxSize) c.height = int32_t(value);
        else return {};
    }
    // A size is both numbers or none.
    if ((c.width == 0) != (c.height == 0)) return {};
    return c;
}

bool Save(const Choice& c, const std::string& path) {
    std::string text = "fullscreen " + std::string(c.fullscreen ? "1" : "0") + "\n";
    if (c.width > 0 && c.height > 0) text += "width " + std::to_string(c.width) + "\nheight " + std::to_string(c.height) + "\n";
    return Runtime::WriteFileWhole(path, text);
}

void SetForThisRun(Mode m) { thisRun = m; }
Mode ForThisRun() { return thisRun; }

}  // namespace WindowChoice
