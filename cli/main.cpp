#include "cli/HesapCli.h"
#include "cli/Platform.h"

#ifdef MIRVANE_HESAP_PDF
#include "cli/QtPdfWriter.h"
#endif

#include <iostream>

int main(int argc, char** argv) {
    namespace platform = mirvane::cli::platform;
    platform::prepareStreams();
#ifdef MIRVANE_HESAP_PDF
    mirvane::cli::installQtPdfWriter();
#endif
    return mirvane::cli::run(platform::arguments(argc, argv),
                             platform::programFolder(argc > 0 ? argv[0] : nullptr), std::cout,
                             std::cerr);
}
