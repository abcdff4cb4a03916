#include "game/Zanderfell.h"

int main(int argc, char** argv) { return Zanderfell::Main(argc, argv); }
