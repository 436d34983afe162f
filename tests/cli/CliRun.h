#pragma once

// mirvane-hesap run inside the test process, its output and errors caught; and a
// fixture with its own folder and the worked claim example at hand.

#include "cli/HesapCli.h"
#include "tests/support/TempFolder.h"

#include <filesystem>
#include <functional>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

namespace mirvane::testing {

struct CliOutcome {
    int code = -1;
    std::string out;
    std::string err;
};

inline CliOutcome runCli(const std::vector<std::string>& args,
                         const std::filesystem::path& programFolder) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = cli::run(args, programFolder, out, err);
    return {code, out.str(), err.str()};
}

class CliFolderTest : public TempFolderTest {
protected:
    using TempFolderTest::TempFolderTest;

    CliOutcome run(const std::vector<std::string>& args) const {
        return runCli(args, root / "program");
    }

    // The example as --hesap-ornegi prints it, saved to a file; `change`, when given,
    // edits its JSON first.
    fs::path exampleFile(const std::function<void(nlohmann::json&)>& change = {}) const {
        const CliOutcome example = run({"--hesap-ornegi"});
        EXPECT_EQ(example.code, cli::ExitOk);
        const fs::path path = root / "ornek.mirvane";
        if (change) {
            nlohmann::json json = nlohmann::json::parse(example.out);
            change(json);
            put(path, json.dump(2));
        } else {
            put(path, example.out);
        }
        return path;
    }
};

} // namespace mirvane::testing
