// Writing and reading the lines of a match's record, and the hashes of the
// live game that a record keeps. Reading takes any bytes: whatever is not a
// record in every detail is refused with the number of the line.
#include "game/replay/Record.h"

#include <charconv>
#include <cinttypes>
#include <cstdio>
#include <sstream>

#include "game/Level.h"

namespace Zanderfell::Replay {

namespace {

constexpr uint64_t FnvPriem = 1099511628211ull;

void Meng(uint64_t& h, int64_t v) {
    for (int i = 0; i < 8; ++i) h = (h ^ (uint64_t(v) >> (8 * i) & 0xFF)) * FnvPriem;
}

std::string Hex(uint64_t v) {
    char buf[20];
    std::snprintf(buf, sizeof buf, "%016" PRIx64, v);
    return buf;
}

const char* Soort(Input::Kind k) {
    switch (k) {
        case Input::Kind::Press: return "press";
        case Input::Kind::Release: return "release";
        case Input::Kind::Tap: return "tap";
    }
    return "?";
}

std::vector<std::string> Woorden(const std::string& regel) {
    std::vector<std::string> w;
    std::istringstream in(regel);
    for (std::string s; in >> s;) w.push_back(s);
    return w;
}

template <typename T>
bool Getal(const std::string& s, T& v, int grondtal = 10) {
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v, grondtal);
    return ec == std::errc() && p == s.data() + s.size() && !s.empty();
}

// "x,y,lives"
bool KonijnUit(const std::string& s, Beurtstand::Konijn& k) {
    const size_t a = s.find(','), b = s.find(',', a == std::string::npos ? a : a + 1);
    if (a == std::string::npos || b == std::string::npos) return false;
    return Getal(s.substr(0, a), k.x) && Getal(s.substr(a + 1, b - a - 1), k.y) && Getal(s.substr(b + 1), k.levens);
}

// One line of a record into `o`; false with what is wrong with it.
class Lezer {
public:
    explicit Lezer(Opname& o) : o_(o) {}

    bool Regel(const std::vector<std::string>& w, std::string& fout) {
        const std::string& soort = w[0];
        if (klaar_) return Fout(fout, "nothing may follow the end of the match");
        const bool kop = soort == "game" || soort == "date" || soort == "random" || soort == "settings" || soort == "team";
        if (kop && begonnen_) return Fout(fout, "the heading comes before the match");
        if (soort == "game" && w.size() == 2) {
            o_.versie = w[1];
            return true;
        }
        if (soort == "date" && w.size() == 3) {
            o_.datum = w[1] + " " + w[2];
            return true;
        }
        if (soort == "random" && w.size() == 3) {
            if (!Getal(w[1], o_.random.VorigeRandom) || !DelerUit(w[2], o_.random.VorigeDeler))
                return Fout(fout, "the random state is not a count and a divisor above 0 and at most 1");
            gezien_ |= 1;
            return true;
        }
        if (soort == "settings" && w.size() == 9 && w[1] == "level" && w[3] == "rabbits" && w[5] == "wind" &&
            w[7] == "classic") {
            MENU& m = o_.menu;
            if (!Getal(w[2], m.LevelNr) || m.LevelNr < 1 || m.LevelNr > 3) return Fout(fout, "no such level");
            if (!Getal(w[4], m.AantalKonijntjes) || m.AantalKonijntjes < 2 || m.AantalKonijntjes > 8 ||
                m.AantalKonijntjes % 2)
                return Fout(fout, "the rabbits are 2, 4, 6 or 8");
            if (!AanUit(w[6], m.Wind) || !AanUit(w[8], o_.klassiek)) return Fout(fout, "wind and classic are on or off");
            gezien_ |= 2;
            return true;
        }
        if (soort == "team" && w.size() >= 3) {
            uint32_t t = 0;
            if (!Getal(w[1], t) || t < 1 || t > 2) return Fout(fout, "the teams are 1 (red) and 2 (blue)");
            std::string wie = w[2];
            for (size_t i = 3; i < w.size(); ++i) wie += " " + w[i];
            o_.spelers[t - 1] = wie;
            return true;
        }
        if (gezien_ != 3) return Fout(fout, "the random state and the settings come before the match");
        begonnen_ = true;
        if (soort == "key" && w.size() == 6) return Toets(w, fout);
        if (soort == "turn" && w.size() == 13 + o_.menu.AantalKonijntjes) return Beurt(w, fout);
        if (soort == "end" && w.size() == 7 && w[1] == "winner" && w[3] == "turns" && w[5] == "hash") {
            Einde e;
            if (!Getal(w[2], e.winnaar) || e.winnaar < 1 || e.winnaar > 2 || !Getal(w[4], e.beurten) ||
                e.beurten != o_.beurten.size() || w[6].size() != 16 || !Getal(w[6], e.hash, 16))
                return Fout(fout, "the end is a winner (1 or 2), the number of turns recorded and a hash");
            o_.einde = e;
            return klaar_ = true;
        }
        if (soort == "cut" && w.size() == 5 && w[1] == "look" && w[3] == "clock") {
            uint64_t look = 0, klok = 0;
            if (!Getal(w[2], look) || !Getal(w[4], klok) || look < look_) return Fout(fout, "the cut is a look and a clock");
            o_.afgebrokenBijLook = look;
            return klaar_ = true;
        }
        return Fout(fout, "not a line of a record");
    }
    bool Compleet(std::string& fout) const {
        if (gezien_ != 3) return Fout(fout, "damaged: the random state or the settings are missing");
        return true;
    }

private:
    static bool Fout(std::string& fout, const std::string& wat) {
        fout = wat;
        return false;
    }
    static bool AanUit(const std::string& s, bool& v) {
        if (s != "on" && s != "off") return false;
        v = s == "on";
        return true;
    }
    static bool DelerUit(const std::string& s, float& v) {
        auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::general);
        return ec == std::errc() && p == s.data() + s.size() && v > 0.0f && v <= 1.0f;
    }
    bool Toets(const std::vector<std::string>& w, std::string& fout) {
        Input::Stamped s{};
        uint32_t vk = 0;
        if (!Getal(w[1], s.look) || !Getal(w[2], s.clockMs) || !Getal(w[3], s.team) || s.team > 2 ||
            !Getal(w[5], vk) || vk > 255)
            return Fout(fout, "a key is a look, a clock, a team (0-2), press/release/tap and a key code (0-255)");
        if (w[4] == "press") s.event.kind = Input::Kind::Press;
        else if (w[4] == "release") s.event.kind = Input::Kind::Release;
        else if (w[4] == "tap") s.event.kind = Input::Kind::Tap;
        else return Fout(fout, "a key is pressed, released or tapped");
        if (s.look < look_ || (s.look == look_ && s.clockMs < klok_)) return Fout(fout, "the keys go back in time");
        look_ = s.look;
        klok_ = s.clockMs;
        s.event.vk = uint8_t(vk);
        o_.toetsen.push_back(s);
        return true;
    }
    bool Beurt(const std::vector<std::string>& w, std::string& fout) {
        Beurtstand b;
        const char* namen[] = {"turn", "rabbit", "look", "clock", "impacts", "grid", "rabbits"};
        for (size_t i = 0; i < 7; ++i)
            if (w[2 * i] != namen[i]) return Fout(fout, "a turn line names its parts in order");
        if (!Getal(w[1], b.beurt) || b.beurt != o_.beurten.size() + 1)
            return Fout(fout, "the turns are numbered 1, 2, 3, ...");
        if (!Getal(w[3], b.konijn) || b.konijn < 1 || b.konijn > o_.menu.AantalKonijntjes || !Getal(w[5], b.look) ||
            !Getal(w[7], b.klok) || !Getal(w[9], b.inslagen) || b.inslagen > 500 || w[11].size() != 16 ||
            !Getal(w[11], b.grond, 16) || b.look < look_)
            return Fout(fout, "a turn is a rabbit, a look, a clock, impacts (0-500) and a grid hash");
        look_ = b.look;
        for (size_t i = 13; i < w.size(); ++i) {
            Beurtstand::Konijn k;
            if (!KonijnUit(w[i], k)) return Fout(fout, "a rabbit is x,y,lives");
            b.konijnen.push_back(k);
        }
        o_.beurten.push_back(std::move(b));
        return true;
    }

    Opname& o_;
    int gezien_ = 0;  // 1: random, 2: settings
    bool begonnen_ = false, klaar_ = false;
    uint64_t look_ = 0, klok_ = 0;
};

}  // namespace

std::string KopRegels(const Opname& o) {
    char deler[32];
    std::snprintf(deler, sizeof deler, "%.9g", double(o.random.VorigeDeler));
    std::string s = "zanderfell-replay " + std::to_string(Formaat) + "\n";
    // The lines for people are left out when a record had none.
    if (!o.versie.empty()) s += "game " + o.versie + "\n";
    if (!o.datum.empty()) s += "date " + o.datum + "\n";
    s += "random " + std::to_string(o.random.VorigeRandom) + " " + deler + "\n";
    s += "settings level " + std::to_string(o.menu.LevelNr) + " rabbits " + std::to_string(o.menu.AantalKonijntjes) +
         " wind " + (o.menu.Wind ? "on" : "off") + " classic " + (o.klassiek ? "on" : "off") + "\n";
    for (int t = 0; t < 2; ++t)
        if (!o.spelers[t].empty()) s += "team " + std::to_string(t + 1) + " " + o.spelers[t] + "\n";
    return s;
}

std::string ToetsRegel(const Input::Stamped& s) {
    return "key " + std::to_string(s.look) + " " + std::to_string(s.clockMs) + " " + std::to_string(s.team) + " " +
           Soort(s.event.kind) + " " + std::to_string(s.event.vk) + "\n";
}

std::string BeurtRegel(const Beurtstand& b) {
    std::string s = "turn " + std::to_string(b.beurt) + " rabbit " + std::to_string(b.konijn) + " look " +
                    std::to_string(b.look) + " clock " + std::to_string(b.klok) + " impacts " +
                    std::to_string(b.inslagen) + " grid " + Hex(b.grond) + " rabbits";
    for (const auto& k : b.konijnen)
        s += " " + std::to_string(k.x) + "," + std::to_string(k.y) + "," + std::to_string(k.levens);
    return s + "\n";
}

std::string EindeRegel(const Einde& e) {
    return "end winner " + std::to_string(e.winnaar) + " turns " + std::to_string(e.beurten) + " hash " +
           Hex(e.hash) + "\n";
}

std::string AfbrekingRegel(uint64_t look, uint64_t klok) {
    return "cut look " + std::to_string(look) + " clock " + std::to_string(klok) + "\n";
}

bool LeesOpname(const std::string& tekst, Opname& o, std::string& fout) {
    o = Opname{};
    Lezer lezer(o);
    size_t begin = 0;
    for (size_t nr = 1; begin < tekst.size(); ++nr) {
        const size_t lf = tekst.find('\n', begin);
        const bool heel = lf != std::string::npos;
        std::string regel = tekst.substr(begin, heel ? lf - begin : std::string::npos);
        begin = heel ? lf + 1 : tekst.size();
        if (!regel.empty() && regel.back() == '\r') regel.pop_back();
        const std::vector<std::string> w = Woorden(regel);
        std::string wat;
        if (nr == 1) {
            if (w.size() != 2 || w[0] != "zanderfell-replay") {
                fout = "line 1: not a Zanderfell replay";
                return false;
            }
            if (w[1] != std::to_string(Formaat)) {
                fout = "unknown version " + w[1] + " of the replay (this game reads version " +
                       std::to_string(Formaat) + ")";
                return false;
            }
            continue;
        }
        if (w.empty() || w[0][0] == '#') continue;
        const Opname voor = heel ? Opname{} : o;
        if (lezer.Regel(w, wat)) continue;
        if (!heel) {
            o = voor;  // cut while it was written: the record ends before it
            break;
        }
        fout = "line " + std::to_string(nr) + ": damaged: " + wat;
        return false;
    }
    if (tekst.empty()) {
        fout = "line 1: not a Zanderfell replay";
        return false;
    }
    return lezer.Compleet(fout);
}

uint64_t StaatHash() {
    uint64_t h = RasterHash(Level);
    // The rabbits in the match: those beyond keep the places of an earlier one.
    for (int64_t k = 1; k <= int64_t(Menu.AantalKonijntjes); ++k) {
        const KonijnRecord& r = Konijntjes[k];
        for (int64_t v : {int64_t(r.Positie.x), int64_t(r.Positie.y), int64_t(r.Levens), int64_t(r.Team)}) Meng(h, v);
    }
    Meng(h, AANTALINSLAGEN);
    for (int64_t i = 1; i <= int64_t(AANTALINSLAGEN); ++i)
        for (int64_t v : {SchadeArray[i].x, SchadeArray[i].y, SchadeArray[i].Grootte}) Meng(h, v);
    return h;
}

Beurtstand Stand(uint32_t beurt, uint32_t konijn) {
    Beurtstand b;
    b.beurt = beurt;
    b.konijn = konijn;
    b.look = Input::Looks();
    b.klok = Input::ClockMs();
    b.inslagen = AANTALINSLAGEN;
    b.grond = RasterHash(Level);
    for (uint32_t k = 1; k <= Menu.AantalKonijntjes; ++k)
        b.konijnen.push_back({Konijntjes[k].Positie.x, Konijntjes[k].Positie.y, Konijntjes[k].Levens});
    return b;
}

std::string Verschil(const Beurtstand& a, const Beurtstand& b, bool klok) {
    auto konijn = [](const Beurtstand::Konijn& k) {
        return std::to_string(k.x) + "," + std::to_string(k.y) + " with " + std::to_string(k.levens) + " lives";
    };
    if (a.konijn != b.konijn)
        return "rabbit " + std::to_string(b.konijn) + " played it instead of rabbit " + std::to_string(a.konijn);
    for (size_t k = 0; k < a.konijnen.size() && k < b.konijnen.size(); ++k)
        if (a.konijnen[k] != b.konijnen[k])
            return "rabbit " + std::to_string(k + 1) + " at " + konijn(b.konijnen[k]) + " instead of " +
                   konijn(a.konijnen[k]);
    if (a.inslagen != b.inslagen)
        return std::to_string(b.inslagen) + " impacts instead of " + std::to_string(a.inslagen);
    if (a.grond != b.grond) return "the landscape differs";
    if (a.look != b.look || (klok && a.klok != b.klok))
        return "it ended at look " + std::to_string(b.look) + " (clock " + std::to_string(b.klok) +
               " ms) instead of look " + std::to_string(a.look) + " (clock " + std::to_string(a.klok) + " ms)";
    return "";
}

}  // namespace Zanderfell::Replay
