#pragma once

// The verbs of "mirvane-hesap", each in its own file.
//
// To add a verb: write cli/<Name>Verb.cpp defining `Verb <name>Verb(CLI::App&)` (it adds its
// options with valueOption/flagOption and says when it is chosen), add the file to
// cli/CMakeLists.txt, declare it below and put it in VerbTable. Its lines in the help text
// go into the help text in cli/HelpVerb.cpp.

#include "cli/HesapCli.h"
#include "cli/Verb.h"

#include <ostream>
#include <string>
#include <vector>

namespace mirvane::cli {

Verb listNamesVerb(CLI::App& app);
Verb readyListsVerb(CLI::App& app);
Verb updateListsVerb(CLI::App& app);
Verb ratesVerb(CLI::App& app);
Verb spanVerb(CLI::App& app);
Verb claimVerb(CLI::App& app);
Verb claimExampleVerb(CLI::App& app);
Verb undertakingVerb(CLI::App& app);
Verb calculationVerb(CLI::App& app);
Verb rateKeyVerb(CLI::App& app);
Verb makeRatePackageVerb(CLI::App& app);
Verb installRatePackageVerb(CLI::App& app);
Verb removeRatePackageVerb(CLI::App& app);

// The first verb that is chosen runs; when none is, the last one (the calculation over
// a list, the program's oldest use) runs and names what is missing.
inline constexpr VerbFactory VerbTable[] = {
    &listNamesVerb,       &readyListsVerb,         &updateListsVerb,       &ratesVerb, &rateKeyVerb,
    &makeRatePackageVerb, &installRatePackageVerb, &removeRatePackageVerb, &spanVerb,  &claimVerb,
    &claimExampleVerb,    &undertakingVerb,        &calculationVerb,
};

// The help text stands apart from the table: it is printed whatever else is given.
bool asksForHelp(const std::vector<std::string>& args);
int printHelp(std::ostream& out);

} // namespace mirvane::cli
