// TekenBitmaps: the image catalogue (one handle variable per file of
// Images/) and every procedure that draws one of its pictures at a fixed
// place: screens, status-bar pieces, clock digits, the weapon slot, rabbit
// poses, shells, grenade, dynamite, sight, explosion and the turn arrow.
#pragma once

#include <cstdint>

#include "gfx/Wimdows.h"

namespace TekenBitmaps {

using Wimdows::Handle;

#define CATALOGUE(stem, w, h) extern Handle stem##Bitmap;
#include "gfx/Catalogue.def"
#undef CATALOGUE

// Loads the catalogue files in order (needs an open window).
void LaadBitmaps();

// --- screens and status bar -------------------------------------------------
void TekenTitelScherm(uint32_t selectie);         // 1..4, plain
void TekenMenuScherm(uint32_t i, uint32_t j);     // row 1..3, choice; plain
void TekenInstructies(uint32_t i);                // 1, else page 2; plain
void TekenCredits();                              // plain
void TekenLevel(uint32_t LevelNr);                // 1..3, buffering on, no update
Handle LevelBitmap(uint32_t LevelNr);             // the picture TekenLevel draws
void TekenStatusbalk(uint32_t deel);              // 0..3, plain
void TekenCijfer(uint32_t x, uint32_t y, uint32_t c);  // digit 0..9, plain
void TekenOverwinning(uint32_t team);             // 1 red, else blue; shown
// The same, its last rows naming Enter for a second game beside R; shown.
void TekenOverwinningMetVoet(uint32_t team);
void TekenWapen(uint32_t WapenNr);                // 0..5 at (748, 617); shown
// The in-game menu (entry 1..3 lit) in the middle of the field; shown.
constexpr int32_t PauzeMenuX = 300, PauzeMenuY = 170;
void TekenPauzeMenu(uint32_t selectie);
// Whose turn: the banner at the top of the field (team 1 red, else blue;
// rabbit 1..4 of the team, 0 for the team alone) and the status bar's title
// naming the team on turn. Not shown.
constexpr int32_t BannerX = 340, BannerY = 14, AanZetX = 9, AanZetY = 614;
void TekenBeurtBanner(uint32_t team, uint32_t konijn);
void TekenAanZet(uint32_t team);
// A number in small white figures on dark, 9 x 12 each, from (x, y); right
// aligned in `plaatsen` figures (the rest dark), or as wide as it is. Not shown.
constexpr int32_t KleinCijferBreedte = 9;
// The keys of a phase of the turn (1 moving, 2 choosing a weapon, 3 aiming,
// 4 charging, 5 the axe, 6 running from the dynamite) in the weapon panel's
// hint. Not shown.
constexpr int32_t HintX = 829, HintY = 640;
void TekenHint(uint32_t fase);
// Who plays blue on the title screen: 1 a person, 2..4 the computer, easy to hard.
constexpr int32_t BlauweSpelerX = 216, BlauweSpelerY = 600;
void TekenBlauweSpeler(uint32_t keuze);
void TekenKleinGetal(int32_t x, int32_t y, int32_t getal, uint32_t plaatsen);

// --- rabbits (x, y: the middle of the feet) ----------------------------------
void TekenKonijntje(int32_t x, int32_t y, int32_t kleur);  // not shown
void TekenKonijntjeWandelLinks(int32_t x, int32_t y, uint32_t nummer, uint32_t kleur);
void TekenKonijntjeWandelRechts(int32_t x, int32_t y, uint32_t nummer, uint32_t kleur);
void TekenKonijntjeBazookaLinks(uint32_t x, uint32_t y, uint32_t nummer, uint32_t kleur);
void TekenKonijntjeBazookaRechts(uint32_t x, uint32_t y, uint32_t nummer, uint32_t kleur);
void TekenKonijntjePistoolLinks(uint32_t x, uint32_t y, uint32_t nummer, uint32_t kleur);
void TekenKonijntjePistoolRechts(uint32_t x, uint32_t y, uint32_t nummer, uint32_t kleur);
void TekenKonijntjeBijlLinks(uint32_t x, uint32_t y, uint32_t nummer, uint32_t kleur);
void TekenKonijntjeBijlRechts(uint32_t x, uint32_t y, uint32_t nummer, uint32_t kleur);
void TekenKonijntjeDynamiet(uint32_t x, uint32_t y, uint32_t kleur);
void TekenKonijntjeGranaatLinks(uint32_t x, uint32_t y, uint32_t kleur);
void TekenKonijntjeGranaatRechts(uint32_t x, uint32_t y, uint32_t kleur);
void TekenKonijntjeNadenk(uint32_t x, uint32_t y, uint32_t kleur);

// --- weapons and effects ------------------------------------------------------
void TekenKogel(int32_t x, int32_t y, uint32_t richting);  // 1 up .. 8 up-left, clockwise
void TekenGranaat(int32_t x, int32_t y);
void TekenDynamiet(int32_t x, int32_t y);
void TekenVizier(uint32_t x, uint32_t y);
void TekenKaboom(uint32_t x, uint32_t y);
void TekenPijl(uint32_t x, uint32_t y);

}  // namespace TekenBitmaps
