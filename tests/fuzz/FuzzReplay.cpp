// Any bytes as a record: the reader ends with a record or a message, and a
// record it accepts, written out again, reads back the same.
#include <cstdint>
#include <string>

#include "game/replay/Record.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace Zanderfell::Replay;
    Opname o, terug;
    std::string fout;
    if (!LeesOpname(std::string(reinterpret_cast<const char*>(data), size), o, fout)) {
        if (fout.empty()) __builtin_trap();
        return 0;
    }
    std::string tekst = KopRegels(o);
    for (const auto& t : o.toetsen) tekst += ToetsRegel(t);
    for (const auto& b : o.beurten) tekst += BeurtRegel(b);
    if (o.einde) tekst += EindeRegel(*o.einde);
    if (!LeesOpname(tekst, terug, fout) || terug.toetsen.size() != o.toetsen.size() ||
        terug.beurten.size() != o.beurten.size() || KopRegels(terug) != KopRegels(o))
        __builtin_trap();
    return 0;
}
