// Every picture of the game, by kind.
#pragma once

#include <string>

#include "artgen/Paint.h"
#include "artgen/Text.h"

namespace art {

// Sprites drawn through a mask: coverage 0 is transparent.
Image shellSprite(double angle);  // 16 x 16, nose along angle (0 right, growing clockwise)
Image grenadeSprite(bool pinPulled);
Image dynamiteSprite();
Image sightSprite();
Image explosionSprite();
Image arrowSprite();

// Weapon slot pictures (66 x 66) share one rounded mask; 0 is the empty slot.
Image weaponIcon(int weapon, TextPainter& text);
Image digitPicture(int digit);  // 22 x 33, bright segments on a dark well

// Screens and the status bar.
struct Screens {
  explicit Screens(TextPainter& t);
  Image loading();
  Image title(int selected);
  Image menu(int screen);  // 1..8
  Image instructions(int page);
  Image credits();
  Image victory(bool red);
  Image victoryFooter(bool red);  // 1000 x 48: the victory screen's last rows, naming both ways on
  Image statusBar();
  Image windPanel();
  Image middlePanel();
  Image clockPanel();
  Image pauseMenu(int selected);  // 400 x 260, entry 1..3 lit
  Image turnBanner(bool red, int rabbit);  // 320 x 44; rabbit 0: the team alone
  Image turnLabel(bool red);  // 240 x 28: the status bar's health title, naming the team on turn
  Image phaseHint(int phase);  // 84 x 46: the keys of a phase, in place of the weapon panel's hint
  Image bluePlayer(int choice);  // 570 x 44: who plays blue, on the title screen
  Image netWaiting(bool host);  // 1000 x 700: a network game before it starts
  Image netMessage(int which);  // 600 x 150: why a network game ended, 1..4
  Image smallDigit(int digit);  // 9 x 12, white on the dark of the status bar's wells; 10 is a minus

 private:
  Image victoryScreen(bool red, const std::string& foot);
  TextPainter& text_;
  Image meadow_;  // shared background of the menu screens
  const Image& meadow();
};

}  // namespace art
