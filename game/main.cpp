#include "game/Zanderfell.h"

int main() { return Zanderfell::Main(); }
