#include "cli/PdfOutput.h"
#include "tests/cli/CliRun.h"

#include <gtest/gtest.h>
#include <variant>

namespace mirvane {
namespace {

namespace fs = std::filesystem;

using Outcome = testing::CliOutcome;

class CliPdf : public testing::CliFolderTest {
protected:
    CliPdf() : CliFolderTest("mirvane-cli-pdf-") {}
    ~CliPdf() override { cli::setPdfWriter(nullptr); }
};

// The report handed to the writer is the claim's, for the file named; nothing goes
// to standard output.
TEST_F(CliPdf, TheClaimReportGoesToTheWriter) {
    std::string title;
    std::size_t blocks = 0;
    fs::path target;
    cli::setPdfWriter([&](const report::Document& document, const fs::path& file) {
        title = document.title;
        blocks = document.blocks.size();
        target = file;
        return Status{};
    });
    const Outcome outcome =
        run({"--hesap", exampleFile().string(), "--pdf", (root / "rapor.pdf").string()});
    ASSERT_EQ(outcome.code, cli::ExitOk) << outcome.err;
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(title, "Dosya Hesabı — Örnek: İstanbul 5. İcra Dairesi 2024/1234");
    EXPECT_GT(blocks, 10u);
    EXPECT_EQ(target, root / "rapor.pdf");

    // A writer that fails is a run-time error; a refused file never reaches it.
    cli::setPdfWriter([](const report::Document&, const fs::path&) -> Status {
        return errors::make(errors::PathFileAccessError, "yazılamadı");
    });
    const Outcome failed =
        run({"--hesap", exampleFile().string(), "--pdf", (root / "rapor.pdf").string()});
    EXPECT_EQ(failed.code, cli::ExitRunTime);
    EXPECT_NE(failed.err.find("yazılamadı"), std::string::npos);
}

TEST_F(CliPdf, WithoutQtTheOptionIsRefused) {
    cli::setPdfWriter(nullptr);
    const Outcome outcome =
        run({"--hesap", exampleFile().string(), "--pdf", (root / "rapor.pdf").string()});
    EXPECT_EQ(outcome.code, cli::ExitUsage);
    EXPECT_NE(outcome.err.find("--pdf bu derlemede yok"), std::string::npos);
    EXPECT_FALSE(fs::exists(root / "rapor.pdf"));
    // --pdf belongs to --hesap only.
    EXPECT_EQ(run({"--listeler", "--pdf", "x.pdf"}).code, cli::ExitUsage);
}

} // namespace
} // namespace mirvane
