// The claim window on the large claim (50 items, 1.000 payments) and on a one-item
// file: a payment's or the item's amount is typed anew, which changes the figures, and
// the window handles what that posts (the tables drawn) before the next edit. Targets:
// 50 ms for the large file, 5 ms for the one-item file.

#include "bench/LargeClaim.h"
#include "core/claim/ClaimJson.h"
#include "core/ratelist/FaizFile.h"
#include "shell/Convert.h"
#include "shell/SharedValues.h"
#include "ui/claim/DosyaHesabiFormu.h"

#include <QApplication>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

using namespace mirvane;

QTemporaryDir* folder = nullptr;

claim::ClaimFile oneItemClaim() {
    claim::ClaimFile file = bench::largeClaim();
    file.items.resize(1);
    file.payments.clear();
    return file;
}

// The window shows `file` with the slices on display; `field` is typed into.
void editUntilShown(benchmark::State& state, const claim::ClaimFile& file, const char* field) {
    const QString path = folder->filePath(QStringLiteral("dosya.mirvane"));
    if (!claim::writeFile(shell::toPath(path), file)) {
        state.SkipWithError("the claim file cannot be written");
        return;
    }
    auto window = std::make_unique<DosyaHesabıFormu>();
    window->resize(1180, 760);
    if (!window->load(path)) {
        state.SkipWithError("the claim file cannot be read");
        return;
    }
    window->show();
    window->findChild<QTabWidget*>(QStringLiteral("SonuçSekmeleri"))->setCurrentIndex(1);
    QApplication::processEvents();
    auto* amount = window->findChild<QLineEdit*>(shell::toQString(field));
    const QString amounts[2] = {QStringLiteral("1.234,56"), QStringLiteral("2.345,67")};
    int turn = 0;
    for (auto _ : state) {
        amount->setText(amounts[turn]);
        turn = 1 - turn;
        QApplication::processEvents();
    }
    if (!window->result()) {
        state.SkipWithError("the file was refused");
    }
}

void editLargeClaim(benchmark::State& state) {
    editUntilShown(state, bench::largeClaim(), "ÖdemeTutarıKutusu");
}
BENCHMARK(editLargeClaim)->Unit(benchmark::kMillisecond);

void editOneItemClaim(benchmark::State& state) {
    editUntilShown(state, oneItemClaim(), "TutarKutusu");
}
BENCHMARK(editOneItemClaim)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir temporary;
    folder = &temporary;
    shell::SharedValues& values = shell::shared();
    values.ListFolder = shell::toPath(temporary.filePath(QStringLiteral("Faizler")));
    std::filesystem::create_directories(values.ListFolder);
    // The folder holds the list the file carries, as a user's folder would.
    const std::string avans(rates::AdvanceName);
    if (!faiz::write(values.ListFolder / (avans + ".faiz"), rates::readyList(avans)->Periods)) {
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
