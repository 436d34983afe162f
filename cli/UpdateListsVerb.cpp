// --listeleri-guncelle: brings every list of the folder that is an earlier state of a
// ready list current, one line per list; the others stay untouched.

#include "cli/Verbs.h"
#include "core/app/AppInfo.h"
#include "core/ratelist/FaizFile.h"
#include "core/ratelist/RateListStore.h"
#include "core/rates/Recognition.h"

namespace mirvane::cli {

namespace {

namespace fs = std::filesystem;

std::string failureText(const RunTimeError& error) {
    return std::string(app::ErrorNumberLabel) + " " + std::to_string(error.number) + ", " +
           error.description;
}

// One list: its line on `out`, or a failure on `err`; false on a failure.
bool bringCurrent(const fs::path& folder, const std::string& name, const Context& context) {
    const fs::path file = store::listFilePath(folder, name);
    const Result<RateList> list = faiz::read(file);
    if (!list) {
        context.err << "okunamadı: " << name << " (" << failureText(list.error()) << ")\n";
        return false;
    }
    const std::optional<rates::Recognition> recognition = rates::recognise(list.value().Periods);
    if (!recognition) {
        context.out << "tanınmadı: " << name << '\n';
        return true;
    }
    if (recognition->changed == 0) {
        context.out << "güncel: " << name << '\n';
        return true;
    }
    if (const Status written = faiz::write(file, recognition->proposal); !written) {
        context.err << "yazılamadı: " << name << " (" << failureText(written.error()) << ")\n";
        return false;
    }
    context.out << "güncellendi: " << name << " (" << recognition->changed << " dönem değişti)\n";
    return true;
}

} // namespace

Verb updateListsVerb(CLI::App& app) {
    const CLI::Option* update = flagOption(app, "--listeleri-guncelle");
    const CLI::Option* folder = valueOption(app, "--klasor");
    return {
        .chosen = [update] { return given(update); },
        .run =
            [&app, update, folder](const Context& context) {
                if (otherOption(app, {update, folder})) {
                    return reportUsage(
                        {"--listeleri-guncelle yalnızca --klasor ile birlikte kullanılabilir."},
                        context.err);
                }
                const auto opened = openListFolder(valueOf(folder), context.programFolder);
                if (const std::optional<int> failed = reportedFailure(opened, context.err)) {
                    return *failed;
                }
                const ListFolder& listFolder = std::get<ListFolder>(opened);
                bool allDone = true;
                for (const std::string& name : listFolder.listing.names) {
                    allDone = bringCurrent(listFolder.path, name, context) && allDone;
                }
                return allDone ? ExitOk : ExitRunTime;
            },
    };
}

} // namespace mirvane::cli
