#include "game/Trace.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "game/Field.h"
#include "game/Level.h"
#include "game/Random.h"
#include "game/Zanderfell.h"

namespace Zanderfell::Trace {

namespace {

Sink sink;

std::string RandomState() {
    std::ifstream in(RandomBestand, std::ios::binary);
    std::string count, divisor;
    in >> count >> divisor;
    return count + " " + divisor;
}

}  // namespace

void SetSink(Sink s) { sink = std::move(s); }

void Line(const std::string& line) {
    if (sink) sink(line);
}

void Point(const std::string& what) {
    if (!sink) return;
    std::ostringstream out;
    out << what << "\n";
    for (int k = 1; k <= 8; ++k) {
        const KonijnRecord& r = Konijntjes[k];
        if (r.Team == 0) continue;
        out << "  rabbit " << k << " team " << r.Team << " at " << r.Positie.x << "," << r.Positie.y << " lives "
            << r.Levens << "\n";
    }
    out << "  impacts " << AANTALINSLAGEN;
    if (AANTALINSLAGEN > 0) {
        const Inslag& i = SchadeArray[AANTALINSLAGEN];
        out << " last " << i.x << "," << i.y << " size " << i.Grootte;
    }
    char hashes[80];
    std::snprintf(hashes, sizeof hashes, "\n  grid %016llx screen %016llx\n",
                  static_cast<unsigned long long>(RasterHash(Level)),
                  static_cast<unsigned long long>(Wimdows::WindowHash()));
    out << hashes << "  random " << RandomState();
    sink(out.str());
}

}  // namespace Zanderfell::Trace
