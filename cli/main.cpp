#include "HesapCli.h"
#include "Platform.h"

#include <iostream>

int main(int argc, char** argv) {
    namespace platform = mirvane::cli::platform;
    platform::prepareStreams();
    return mirvane::cli::run(platform::arguments(argc, argv),
                             platform::programFolder(argc > 0 ? argv[0] : nullptr), std::cout,
                             std::cerr);
}
