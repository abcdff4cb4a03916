#include "game/Zanderfell.h"

int main(int argc, char** argv) {
    Zanderfell::LeesKlassiek(argc, argv);
    return Zanderfell::Main();
}
