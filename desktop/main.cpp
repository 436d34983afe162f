#include "desktop/Startup.h"

int main(int argc, char** argv) {
    return mirvane::shell::runProgram(argc, argv);
}
