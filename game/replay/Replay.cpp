// The recorder, the record's key source and the run of a recorded match.
#include "game/replay/Replay.h"

#include <algorithm>
#include <ctime>
#include <filesystem>

#include "game/Options.h"
#include "game/Zanderfell.h"
#include "runtime/Runtime.h"

namespace Zanderfell::Replay {

namespace fs = std::filesystem;

Opname NieuweKop() {
    Opname o;
    o.versie = VersieNummer();
    const std::time_t nu = std::time(nullptr);
    std::tm tm{};
    char datum[32] = "";
    if (localtime_r(&nu, &tm)) std::strftime(datum, sizeof datum, "%Y-%m-%d %H:%M:%S", &tm);
    o.datum = datum;
    // The state the set-up's draws will read.
    // A network joiner plays from the host's state, kept in memory.
    o.random = LeesRandomBestand(false);
    o.menu = Menu;
    o.klassiek = Klassiek;
    return o;
}

// --- the recorder ----------------------------------------------------------------

namespace {

// Makes room for one more record: the oldest go (the names sort by date).
void Opruimen() {
    std::vector<fs::path> oud;
    std::error_code ec;
    for (fs::directory_iterator it(Map, ec), einde; !ec && it != einde; it.increment(ec))
        if (it->path().extension() == Extensie) oud.push_back(it->path());
    std::sort(oud.begin(), oud.end());
    for (size_t i = 0; i + Bewaard <= oud.size(); ++i) fs::remove(oud[i], ec);
}

}  // namespace

Recorder::Recorder(const Opname& kop) {
    std::error_code ec;
    fs::create_directories(Map, ec);
    Opruimen();
    std::string naam = kop.datum;
    std::replace(naam.begin(), naam.end(), ' ', '_');
    std::replace(naam.begin(), naam.end(), ':', '-');
    for (int n = 1; n < 100 && !f_; ++n) {
        pad_ = std::string(Map) + "/" + naam + (n > 1 ? "_" + std::to_string(n) : "") + Extensie;
        f_ = std::fopen(pad_.c_str(), "wbx");  // never over another record
    }
    if (!f_) {
        std::fprintf(stderr, "zanderfell: note: cannot write a record into %s/: this game is not recorded\n", Map);
        pad_.clear();
        return;
    }
    Schrijf(KopRegels(kop));
    observer_ = Input::Observe([this](const Input::Stamped& s) { Schrijf(ToetsRegel(s)); });
}

Recorder::~Recorder() {
    if (observer_) Input::Unobserve(observer_);
    if (f_) std::fclose(f_);
}

void Recorder::Schrijf(const std::string& regels) {
    if (!f_ || klaar_) return;
    // One write per line, flushed: the file never holds half a line the
    // game had finished with.
    if (std::fwrite(regels.data(), 1, regels.size(), f_) != regels.size() || std::fflush(f_) != 0) {
        std::fprintf(stderr, "zanderfell: note: writing %s failed: the rest of this game is not recorded\n",
                     pad_.c_str());
        klaar_ = true;
    }
}

void Recorder::Beurt(const Beurtstand& b) { Schrijf(BeurtRegel(b)); }

void Recorder::Einde(const Replay::Einde& e) {
    Schrijf(EindeRegel(e));
    klaar_ = true;
}

void Recorder::Afgebroken() {
    Schrijf(AfbrekingRegel(Input::Looks(), Input::ClockMs()));
    klaar_ = true;
}

// --- the record's keys -------------------------------------------------------

Bron::Bron(const Opname& o) : toetsen_(o.toetsen) {
    stopNaLook_ = UINT64_MAX;
    if (o.afgebrokenBijLook) {
        stopNaLook_ = *o.afgebrokenBijLook;
    } else if (!o.einde) {
        // Stopped by force: up to the last thing the record knows.
        stopNaLook_ = toetsen_.empty() ? 0 : toetsen_.back().look;
        if (!o.beurten.empty()) stopNaLook_ = std::max(stopNaLook_, o.beurten.back().look);
    }
}

// A pause of the playback stops the game at a look, where the game clock
// runs on as it waits: the record's clock moves along by as much.
void Bron::Bijwerken(uint64_t klok) {
    const bool stil = gepauzeerd_;
    if (stil && !stilSinds_) gepauzeerdBij_ = klok;
    if (!stil && stilSinds_ && klok > gepauzeerdBij_) verschoven_ += klok - gepauzeerdBij_;
    stilSinds_ = stil;
}

bool Bron::Ready(uint64_t look, uint64_t klok) {
    if (gestopt_) throw Stop{};
    if (look > stopNaLook_) throw Stop{};
    Bijwerken(klok);
    if (gepauzeerd_) return false;
    return volgende_ >= toetsen_.size() || toetsen_[volgende_].look != look || Wanneer(volgende_) <= klok;
}

void Bron::Take(uint64_t look, uint64_t klok, std::vector<Input::Event>& out) {
    Bijwerken(klok);
    if (gepauzeerd_) return;
    while (volgende_ < toetsen_.size() && toetsen_[volgende_].look <= look &&
           (toetsen_[volgende_].look < look || Wanneer(volgende_) <= klok))
        out.push_back(toetsen_[volgende_++].event);
}

uint64_t Bron::NextAt(uint64_t look) {
    if (gestopt_) throw Stop{};
    if (gepauzeerd_) return UINT64_MAX;
    if (volgende_ < toetsen_.size() && toetsen_[volgende_].look == look) return Wanneer(volgende_);
    if (look >= stopNaLook_) throw Stop{};
    throw Stop{"the game waits for a key where the record has none"};
}

void Bron::Pauzeer(bool aan) {
    gepauzeerd_ = aan;
    Input::Wake();
}

void Bron::Stoppen() {
    gestopt_ = true;
    Input::Wake();
}

// --- a recorded match played again ---------------------------------------------

std::string Speel(const Opname& o, const std::shared_ptr<Bron>& bron, uint32_t& tot, bool exact) {
    // The record's settings for its match; the program's again after it.
    struct Terug {
        MENU menu = Menu;
        bool klassiek = Klassiek;
        ~Terug() {
            for (uint32_t t = 0; t <= 2; ++t) Input::SetSource(t, nullptr);
            Input::SetTurn(0);
            RandomInBestand();
            Menu = menu;
            Klassiek = klassiek;
        }
    } terug;
    Menu = o.menu;
    Klassiek = o.klassiek;
    RandomInGeheugen(o.random);
    for (uint32_t t = 0; t <= 2; ++t) Input::SetSource(t, bron);
    tot = 0;
    auto beurt = [](uint32_t n) { return "turn " + std::to_string(n) + ": "; };
    try {
        const Partij p = SpeelPartij(false, [&](uint32_t b, uint32_t konijn) {
            if (b > o.beurten.size()) {
                if (o.einde) throw Stop{beurt(b) + "the record ended after " + std::to_string(o.beurten.size()) + " turns"};
                throw Stop{};  // cut short before this turn's end was written
            }
            const std::string v = Verschil(o.beurten[b - 1], Stand(b, konijn), exact);
            if (!v.empty()) throw Stop{beurt(b) + v};
            tot = b;
        });
        if (!o.einde) return "";  // cut short after the last turn's end
        if (p.winnaar != o.einde->winnaar) return "end: team " + std::to_string(p.winnaar) + " won, not team " + std::to_string(o.einde->winnaar);
        if (StaatHash() != o.einde->hash) return "end: the final state differs";
        return "";
    } catch (const Stop& s) {
        if (s.waarom.empty()) return "";
        return s.waarom.rfind("turn ", 0) == 0 ? s.waarom : beurt(tot + 1) + s.waarom;
    }
}

}  // namespace Zanderfell::Replay
