#include "desktop/Startup.h"

int main(int argc, char** argv) {
    return mirvane::desktop::runProgram(argc, argv);
}
