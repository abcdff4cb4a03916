// Any bytes as a record: the reader ends with a record or a message, and a
// record it accepts, written out again, reads back as the same text.
#include <cstdint>
#include <string>

#include "game/replay/Record.h"

namespace {

std::string Tekst(const Zanderfell::Replay::Opname& o) {
    using namespace Zanderfell::Replay;
    std::string t = KopRegels(o);
    for (const auto& k : o.toetsen) t += ToetsRegel(k);
    for (const auto& b : o.beurten) t += BeurtRegel(b);
    if (o.einde) t += EindeRegel(*o.einde);
    return t;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace Zanderfell::Replay;
    Opname o, terug;
    std::string fout;
    if (!LeesOpname(std::string(reinterpret_cast<const char*>(data), size), o, fout)) {
        if (fout.empty()) __builtin_trap();
        return 0;
    }
    const std::string tekst = Tekst(o);
    if (!LeesOpname(tekst, terug, fout) || Tekst(terug) != tekst) __builtin_trap();
    return 0;
}
