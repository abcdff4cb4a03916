// The game's own random generator: the draw as a step from state to state,
// the state file read and written around it, and the wind.
#include "game/Random.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

#include "gfx/TekenBitmaps.h"
#include "gfx/Wimdows.h"
#include "runtime/Runtime.h"

namespace Zanderfell {

namespace {

using Runtime::F;

// Line `nr` (0-based) of the text, without its line end.
std::string Regel(const std::string& tekst, int nr) {
    size_t begin = 0;
    for (int i = 0; i < nr; ++i) {
        size_t lf = tekst.find('\n', begin);
        if (lf == std::string::npos) return {};
        begin = lf + 1;
    }
    size_t einde = tekst.find('\n', begin);
    std::string r = tekst.substr(begin, einde == std::string::npos ? std::string::npos
                                                                   : einde - begin);
    if (!r.empty() && r.back() == '\r') r.pop_back();
    return r;
}

const char* SlaSpatiesOver(const std::string& s) {
    const char* p = s.c_str();
    while (*p == ' ' || *p == '\t') ++p;
    return p;
}

// A decimal integer after leading spaces; false when there is none or it
// does not fit.
bool LeesCardinal(const std::string& s, uint32_t& waarde) {
    const char* p = SlaSpatiesOver(s);
    const char* einde = s.c_str() + s.size();
    if (*p == '+') ++p;
    auto [ptr, ec] = std::from_chars(p, einde, waarde, 10);
    return ec == std::errc() && ptr != p;
}

// A real number after leading spaces, rounded to single precision.
bool LeesReal(const std::string& s, float& waarde) {
    const char* p = SlaSpatiesOver(s);
    const char* einde = s.c_str() + s.size();
    if (*p == '+') ++p;
    auto [ptr, ec] = std::from_chars(p, einde, waarde, std::chars_format::general);
    return ec == std::errc() && ptr != p;
}

// The divisor in the file's form: one digit, a point, four digits, E, the
// exponent's sign and its digits without leading zeros.
std::string DelerTekst(float deler) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.4E", static_cast<double>(deler));
    std::string s = buf;
    size_t e = s.find('E');
    std::string mantisse = s.substr(0, e);
    char teken = s[e + 1];
    int exponent = std::stoi(s.substr(e + 2));
    return mantisse + "E" + teken + std::to_string(exponent);
}

// Ondergrens must lie below Bovengrens: the reduction needs a span.
void ControleerGrenzen(uint32_t Ondergrens, uint32_t Bovengrens) {
    if (Ondergrens >= Bovengrens) {
        Runtime::RunError("RandomCard: lower bound " + std::to_string(Ondergrens) +
                          " not below upper bound " + std::to_string(Bovengrens));
    }
}

// Steps 2 to 7 of a draw: the new number, and the divisor as it is before
// the file's rounding.
RANDOMTOESTAND TrekOnafgerond(RANDOMTOESTAND vorige, uint32_t Ondergrens, uint32_t Bovengrens) {
    ControleerGrenzen(Ondergrens, Bovengrens);
    uint32_t VorigeRandom = vorige.VorigeRandom;
    float VorigeDeler = vorige.VorigeDeler;

    // 2. A divisor of exactly 1 would repeat the number.
    if (VorigeDeler == 1.0f) VorigeDeler = 0.07f;

    // 3. The new number with decimals.
    const long double lo = Ondergrens, hi = Bovengrens;
    const long double span = hi - lo;
    const long double quotient = static_cast<long double>(VorigeRandom) / VorigeDeler;
    float NieuweRandomMetKomma = F(quotient);

    // Reduction in one step, only for values that stepwise float arithmetic
    // cannot bring down (never reached from a state the program wrote).
    auto inEenStap = [&](long double v) {
        long double rest = std::fmod(v - lo, span);
        if (rest < 0) rest += span;
        return F(lo + rest);
    };
    if (!std::isfinite(NieuweRandomMetKomma)) NieuweRandomMetKomma = inEenStap(quotient);

    // 4. Into the open interval between the bounds, rounding at every store.
    float v = NieuweRandomMetKomma;
    while (v > hi) {
        float n = F(v - span);
        v = n < v ? n : inEenStap(v);
    }
    while (v < lo) {
        float n = F(v + span);
        v = n > v ? n : inEenStap(v);
    }
    float NieuweDeler;
    uint32_t NieuweRandom;
    if (v > lo && v < hi) {
        // 5. The fractional part, in (0, 1].
        NieuweDeler = v;
        if (NieuweDeler >= 8388608.0f) {
            NieuweDeler = 1.0f;  // from 2^23 on every float is a whole number
        } else {
            while (NieuweDeler > 1.0f) NieuweDeler = F(NieuweDeler - 1.0L);
        }
        // 6. A whole number gets the divisor 0.03.
        if (NieuweDeler == 1.0f) NieuweDeler = 0.03f;
        // 7. The whole part (one less for a whole number).
        NieuweRandom = Runtime::ToU32(
            static_cast<int64_t>(static_cast<long double>(v) - static_cast<long double>(NieuweDeler)));
    } else {
        // The value landed exactly on a bound, where step 4 would loop for
        // ever. End as a whole number at the upper bound would: the number
        // below the upper bound, divisor 0.03.
        NieuweDeler = 0.03f;
        NieuweRandom = Bovengrens - 1;
    }
    return {NieuweRandom, NieuweDeler};
}

}  // namespace

RANDOMTOESTAND ToestandUitTekst(const std::string& Tekst, std::string& Klacht) {
    RANDOMTOESTAND t;
    Klacht.clear();
    if (!LeesCardinal(Regel(Tekst, 0), t.VorigeRandom)) {
        t.VorigeRandom = 0;
        Klacht = "the number is unreadable (taken as 0)";
    }
    if (!LeesReal(Regel(Tekst, 1), t.VorigeDeler) || !std::isfinite(t.VorigeDeler) ||
        !(t.VorigeDeler > 0.0f) || t.VorigeDeler > 1.0f) {
        t.VorigeDeler = 1.0f;  // taken like exactly 1: the 0.07 rule of the draw
        if (!Klacht.empty()) Klacht += "; ";
        Klacht += "the divisor is not a number above 0 and at most 1 (taken as 1)";
    }
    return t;
}

std::string ToestandAlsTekst(const RANDOMTOESTAND& Toestand) {
    char regel1[32];
    std::snprintf(regel1, sizeof regel1, "%6u\r\n", Toestand.VorigeRandom);
    return std::string(regel1) + " " + DelerTekst(Toestand.VorigeDeler) + "\r\n";
}

uint32_t Trek(RANDOMTOESTAND& Toestand, uint32_t Ondergrens, uint32_t Bovengrens) {
    RANDOMTOESTAND nieuw = TrekOnafgerond(Toestand, Ondergrens, Bovengrens);
    // The next draw divides by the divisor as the file gives it back: rounded
    // to five digits, and read with the file's rules.
    std::string klacht;
    Toestand = ToestandUitTekst(ToestandAlsTekst(nieuw), klacht);
    return nieuw.VorigeRandom;
}

namespace {
bool inGeheugen = false;
RANDOMTOESTAND geheugen;
}  // namespace

void RandomInGeheugen(const RANDOMTOESTAND& Begin) {
    inGeheugen = true;
    geheugen = Begin;
}

void RandomInBestand() { inGeheugen = false; }

RANDOMTOESTAND LeesRandomBestand(bool Melden) {
    if (inGeheugen) return geheugen;
    std::string tekst;
    if (!Runtime::ReadFile(RandomBestand, tekst)) {
        Runtime::RunError(std::string("cannot open random state file ") + RandomBestand);
    }
    std::string klacht;
    RANDOMTOESTAND t = ToestandUitTekst(tekst, klacht);
    if (Melden && !klacht.empty()) {
        std::fprintf(stderr, "zanderfell: note: %s: %s\n", RandomBestand, klacht.c_str());
    }
    return t;
}

void SchrijfRandomBestand(const RANDOMTOESTAND& Toestand) {
    const std::string inhoud = ToestandAlsTekst(Toestand);
    if (inGeheugen) {
        std::string klacht;
        geheugen = ToestandUitTekst(inhoud, klacht);
        return;
    }

    // A crash leaves either the old state or the new one, never an empty or
    // partial file.
    if (!Runtime::WriteFileWhole(RandomBestand, inhoud))
        Runtime::RunError(std::string("cannot write random state file ") + RandomBestand);
}

uint32_t RandomCard(uint32_t Ondergrens, uint32_t Bovengrens) {
    ControleerGrenzen(Ondergrens, Bovengrens);
    // 1. The previous number and divisor; 2-7. the draw; 8. the new state,
    // written with the divisor as the draw left it (the file rounds it).
    RANDOMTOESTAND nieuw = TrekOnafgerond(LeesRandomBestand(), Ondergrens, Bovengrens);
    SchrijfRandomBestand(nieuw);
    // 9.
    return nieuw.VorigeRandom;
}

int32_t WindVanTrekking(uint32_t Randomwind) {
    Runtime::CheckIndex(Randomwind, 1, 25, "wind draw");
    int32_t sterkte;  // wind / 25
    if (Randomwind == 1) sterkte = -4;
    else if (Randomwind <= 3) sterkte = -3;
    else if (Randomwind <= 6) sterkte = -2;
    else if (Randomwind <= 10) sterkte = -1;
    else if (Randomwind <= 15) sterkte = 0;
    else if (Randomwind <= 19) sterkte = 1;
    else if (Randomwind <= 22) sterkte = 2;
    else if (Randomwind <= 24) sterkte = 3;
    else sterkte = 4;
    return sterkte * 25;
}

int32_t WindGenereren() {
    uint32_t Randomwind = RandomCard(1, 26);
    TekenBitmaps::TekenStatusbalk(1);
    const int32_t sterkte = WindVanTrekking(Randomwind) / 25;

    // The bars by columns: left group from the outside in, right group from
    // the inside out.
    static const int32_t links[4][2] = {{264, 276}, {282, 294}, {300, 312}, {318, 330}};
    static const int32_t rechts[4][2] = {{373, 385}, {391, 403}, {409, 421}, {428, 440}};
    const Wimdows::Color grijs = Wimdows::RgbColor(128, 128, 128);
    for (int32_t i = 0; i < 4; ++i) {
        // Left bar i is lit when the wind blows left at least 4 - i steps.
        bool linksAan = sterkte < 0 && -sterkte >= 4 - i;
        if (!linksAan) Wimdows::Rectangle(links[i][0], 653, links[i][1], 673, grijs, true);
    }
    for (int32_t i = 0; i < 4; ++i) {
        // Right bar i is lit when the wind blows right at least i + 1 steps.
        bool rechtsAan = sterkte > 0 && sterkte >= i + 1;
        if (!rechtsAan) Wimdows::Rectangle(rechts[i][0], 653, rechts[i][1], 673, grijs, true);
    }
    return sterkte * 25;
}

}  // namespace Zanderfell
