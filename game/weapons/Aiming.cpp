// Aiming: the sight circling the rabbit (Up and Down turn it, Space confirms),
// the rabbit's pose for the angle, and the power meter that grows while the
// space bar is held.
#include "game/weapons/Aiming.h"

#include <poll.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <string>

#include "audio/Sound.h"
#include "game/Field.h"
#include "game/Level.h"
#include "game/TurnBanner.h"
#include "gfx/TekenBitmaps.h"
#include "gfx/Wimdows.h"
#include "runtime/Runtime.h"

namespace Zanderfell {

namespace {

using Runtime::F;
using LD = long double;

constexpr float HoekStap = 0.05f;
constexpr int32_t VizierStraal = 50;
constexpr LD Pi = 3.141592653589793238462643383279502884L;

// The sight's position for an angle: 50 pixels from the aiming centre.
int32_t VizierX(int32_t Positie_x, float Hoek) {
    return Runtime::Add(Positie_x, Runtime::Round(VizierStraal * cosl(Hoek)));
}
int32_t VizierY(int32_t Positie_y, float Hoek) {
    return Runtime::Add(Positie_y, Runtime::Round(VizierStraal * sinl(Hoek)));
}

// The console message for a key that means nothing while aiming. It must
// never hold up the game: it is written only when standard output can take
// it at once, and a failed write (no reader, closed pipe) is ignored.
void MeldOngeldigeToets() {
    static const char melding[] = "Geen geldige toets";
    pollfd uit{};
    uit.fd = STDOUT_FILENO;
    uit.events = POLLOUT;
    if (poll(&uit, 1, 0) != 1 || (uit.revents & POLLOUT) == 0) return;
    const ssize_t geschreven = write(STDOUT_FILENO, melding, std::strlen(melding));
    (void)geschreven;
}

enum class Kant { Links, Rechts };

// Is the sight, drawn at this angle, inside the landscape's margin?
bool VizierBinnen(int32_t Positie_x, int32_t Positie_y, float a) {
    const int64_t sx = VizierX(Positie_x, a);
    const int64_t sy = VizierY(Positie_y, a);
    return sx - Veld::Marge >= Veld::FrameLinks && sy - Veld::Marge >= Veld::FrameBoven &&
           sx + Veld::Marge <= Veld::FrameRechts && sy + Veld::Marge <= Veld::FrameOnder;
}

// How far the sight at this angle lies outside the margin (exact, not
// rounded to pixels, so that every step away from the worst point counts).
LD VizierBuiten(int32_t Positie_x, int32_t Positie_y, float a) {
    const LD sx = Positie_x + VizierStraal * cosl(a);
    const LD sy = Positie_y + VizierStraal * sinl(a);
    using namespace Veld;
    return std::fmax(0.0L, FrameLinks + Marge - sx) + std::fmax(0.0L, sx - (FrameRechts - Marge)) +
           std::fmax(0.0L, FrameBoven + Marge - sy) + std::fmax(0.0L, sy - (FrameOnder - Marge));
}

}  // namespace

// May the sight take one more step? Inside the margin it must stay inside.
// A rabbit close to the right edge (aiming point at x 938 or more, which
// walking reaches) starts with the sight already past the margin, so that
// rule alone would refuse every turn and leave only the shot straight at
// the edge: a sight outside may therefore turn whenever that brings it
// closer to the field. It never gets farther out than where it started,
// and a sight inside never leaves. The rule is the same for every edge; at
// the left one the sight starts inside, as it starts pointing right.
float DraaiVizier(int32_t Positie_x, int32_t Positie_y, float Hoek, int32_t Richting) {
    const float a = Richting == 1 ? F(LD{Hoek} + HoekStap) : F(LD{Hoek} - HoekStap);
    const bool mag = VizierBinnen(Positie_x, Positie_y, a) ||
                     (!VizierBinnen(Positie_x, Positie_y, Hoek) &&
                      VizierBuiten(Positie_x, Positie_y, a) < VizierBuiten(Positie_x, Positie_y, Hoek));
    return mag ? a : Hoek;
}

bool KrachtStap(float& Kracht) {
    if (!(Kracht < 400)) return false;
    Kracht = F(LD{Kracht} + 7);
    return true;
}

float RichtPijl(int32_t Positie_x, int32_t Positie_y, uint32_t Kleur, uint32_t Wapen) {
    float Hoek = BeginHoek;
    ToonHint(Fase::Richten);
    for (;;) {
        HermaakLevel();
        TekenBitmaps::TekenVizier(Runtime::ToU32(VizierX(Positie_x, Hoek)),
                                  Runtime::ToU32(VizierY(Positie_y, Hoek)));
        TekenKonijntjeWapen(Positie_x, Positie_y, Hoek, Kleur, Wapen);
        Runtime::Delay(5);
        const uint32_t r = Wimdows::GetKey();
        Wimdows::FlushKeys();
        if (r == Wimdows::VK_SPACE) break;
        if (r == Wimdows::VK_UP) {
            Hoek = DraaiVizier(Positie_x, Positie_y, Hoek, -1);
        } else if (r == Wimdows::VK_DOWN) {
            Hoek = DraaiVizier(Positie_x, Positie_y, Hoek, 1);
        } else {
            MeldOngeldigeToets();
        }
    }
    HermaakLevel();
    TekenKonijntjeWapen(Positie_x, Positie_y, Hoek, Kleur, Wapen);
    return Hoek;
}

void TekenKonijntjeWapen(int32_t Positie_x, int32_t Positie_y, float Hoek, uint32_t Kleur, uint32_t Wapen) {
    // Into -pi..pi. An angle so large that a turn no longer changes it is
    // brought back in one go instead.
    while (LD{Hoek} > Pi) {
        const float kleiner = F(LD{Hoek} - 6.283184f);
        Hoek = kleiner == Hoek ? F(remainderl(Hoek, 2 * Pi)) : kleiner;
    }
    while (Hoek < -3.141592f) {
        const float groter = F(LD{Hoek} + 6.283184f);
        Hoek = groter == Hoek ? F(remainderl(Hoek, 2 * Pi)) : groter;
    }

    const float c = F(cosl(Hoek));
    const LD Cos30 = cosl(0.5235987f);
    const LD Cos90 = cosl(1.570796f);
    const LD Cos150 = cosl(2.617993f);
    Kant kant;
    uint32_t nummer;
    if (c >= Cos30) {
        kant = Kant::Rechts;
        nummer = 2;
    } else if (c < Cos150) {
        kant = Kant::Links;
        nummer = 2;
    } else {
        kant = c >= Cos90 ? Kant::Rechts : Kant::Links;
        nummer = Hoek > 0 ? 3 : 1;
    }

    const uint32_t x = Runtime::ToU32(Positie_x);
    const uint32_t y = Runtime::ToU32(int64_t{Positie_y} + 30);
    switch (Wapen) {
    case 1:
        if (kant == Kant::Rechts) TekenBitmaps::TekenKonijntjeBazookaRechts(x, y, nummer, Kleur);
        else TekenBitmaps::TekenKonijntjeBazookaLinks(x, y, nummer, Kleur);
        break;
    case 2:
        if (kant == Kant::Rechts) TekenBitmaps::TekenKonijntjeGranaatRechts(x, y, Kleur);
        else TekenBitmaps::TekenKonijntjeGranaatLinks(x, y, Kleur);
        break;
    case 3:
        if (kant == Kant::Rechts) TekenBitmaps::TekenKonijntjePistoolRechts(x, y, nummer, Kleur);
        else TekenBitmaps::TekenKonijntjePistoolLinks(x, y, nummer, Kleur);
        break;
    default:
        Runtime::RunError("TekenKonijntjeWapen: weapon " + std::to_string(Wapen) + " has no pose");
    }
}

float TestKracht() {
    float Kracht = 0;
    ToonHint(Fase::Laden);
    while (Wimdows::KeyDown(Wimdows::VK_SPACE) && KrachtStap(Kracht)) {
        Sound::Start(Sound::Id::PowerRise, 500);  // from the meter in the middle of the bar
        Wimdows::Rectangle(536, 651, Runtime::Add(536, Runtime::Round(LD{Kracht} / 2.8f)), 673,
                           Wimdows::RgbColor(176, 0, 0), true);
        Wimdows::UpdateWindow();
        Runtime::Delay(50);
    }
    Sound::Stop(Sound::Id::PowerRise);
    Wimdows::FlushKeys();
    return Kracht;
}

}  // namespace Zanderfell
