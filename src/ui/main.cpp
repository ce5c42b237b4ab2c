// tallyscan6: the Tallyscan 6 desktop program.

#include "ui/app/GuiApp.h"

int main(int argc, char** argv) {
    return tally::runGui(argc, argv);
}
