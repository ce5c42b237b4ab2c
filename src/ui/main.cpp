// tallyscan6: the Tallyscan 6 desktop program.

#include "platform/HugePageHeap.h"
#include "ui/app/GuiApp.h"

int main(int argc, char** argv) {
    tally::restartWithHugePageHeap(argv);
    return tally::runGui(argc, argv);
}
