// A claim file being edited survives the program: a child run of this test opens a
// file, edits it, waits for the recovery copy and is killed; the next start offers
// the copy and shows the file as it was, unsaved.

#include "core/claim/ClaimEngine.h"
#include "core/claim/ClaimExample.h"
#include "core/claim/ClaimJson.h"
#include "core/claim/ClaimTexts.h"
#include "core/claim/Recovery.h"
#include "core/common/Utf8Path.h"
#include "core/ratelist/FaizFile.h"
#include "shell/Controls.h"
#include "shell/Convert.h"
#include "shell/SharedValues.h"
#include "tests/gui/GuiTestSupport.h"
#include "ui/claim/DosyaHesabiFormu.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <fstream>
#include <memory>

using namespace mirvane;
using guitest::FakeBoxes;
namespace fs = std::filesystem;

namespace {

const std::string Statutory = "Adi Alacaklar (Kanuni Faiz)";
const QString EditArgument = QStringLiteral("--duzenle");
const QString EditedAmount = QStringLiteral("12.345,67");
constexpr claim::Kurus EditedKurus = 1'234'567;
constexpr int CopyWait = 15000;

// The folders a run works in: the list folder and the recovery folder.
void useFolders(const fs::path& lists, const fs::path& recovery) {
    shell::shared().ListFolder = lists;
    DosyaHesabıFormu::setRecoveryFolder(recovery);
}

std::string contentOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The child: opens the file, changes the first payment's amount and waits, as a user
// who stopped typing, until the copy is written; then says so and waits to be killed.
int editUntilKilled(const QStringList& arguments) {
    QStandardPaths::setTestModeEnabled(true);
    useFolders(shell::toPath(arguments.at(2)), shell::toPath(arguments.at(3)));
    DosyaHesabıFormu* window = DosyaHesabıFormu::openFile(arguments.at(4), nullptr);
    if (!window) {
        return 2;
    }
    window->findChild<QLineEdit*>(QStringLiteral("ÖdemeTutarıKutusu"))->setText(EditedAmount);
    QElapsedTimer waited;
    waited.start();
    while (claim::findRecoveryCopies(shell::toPath(arguments.at(3))).empty()) {
        if (waited.elapsed() > CopyWait) {
            return 3;
        }
        QTest::qWait(50);
    }
    std::puts("kopya yazildi");
    std::fflush(stdout);
    return QApplication::exec();
}

} // namespace

class ClaimRecoveryTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void killedMidEditIsRestoredAtTheNextStart();
    void declinedOfferRemovesTheCopy();
    void copyFollowsUnsavedChangesAndGoesWithThem();

private:
    fs::path recoveryFolder() const {
        return shell::toPath(folder_->filePath(QStringLiteral("Kurtarma")));
    }
    // The worked example saved under a Turkish name.
    fs::path writeExample() const;

    std::unique_ptr<QTemporaryDir> folder_;
    FakeBoxes boxes_;
};

void ClaimRecoveryTest::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    shell::setMessageBoxes(&boxes_);
    shell::setProgramEnder([] {});
}

void ClaimRecoveryTest::init() {
    folder_ = std::make_unique<QTemporaryDir>();
    QVERIFY(folder_->isValid());
    const fs::path lists = shell::toPath(folder_->filePath(QStringLiteral("Faizler")));
    fs::create_directories(lists);
    QVERIFY(faiz::write(lists / (Statutory + ".faiz"), claim::workedExample().lists.at(Statutory)));
    useFolders(lists, recoveryFolder());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       folder_->filePath(QStringLiteral("settings")));
    boxes_ = {};
}

void ClaimRecoveryTest::cleanup() {
    for (DosyaHesabıFormu* window : DosyaHesabıFormu::openWindows()) {
        window->setWindowModified(false);
        window->close();
    }
    QTest::qWait(1);
    QVERIFY(QApplication::topLevelWidgets().isEmpty() || DosyaHesabıFormu::openWindows().empty());
    DosyaHesabıFormu::setRecoveryFolder({});
    folder_.reset();
    guitest::checkNoTopLevelWidgetLeft();
}

fs::path ClaimRecoveryTest::writeExample() const {
    const fs::path file =
        shell::toPath(folder_->path()) / utf8path::fromUtf8("İcra Dosyası.mirvane");
    [&file] {
        QVERIFY(claim::writeFile(file, claim::workedExample()));
    }();
    return file;
}

void ClaimRecoveryTest::killedMidEditIsRestoredAtTheNextStart() {
    const fs::path file = writeExample();
    const std::string saved = contentOf(file);
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                {EditArgument, folder_->filePath(QStringLiteral("Faizler")),
                 shell::fromPath(recoveryFolder()), shell::fromPath(file)});
    QVERIFY(child.waitForStarted());
    QByteArray said;
    QElapsedTimer waited;
    waited.start();
    while (!said.contains("kopya yazildi") && waited.elapsed() < 2 * CopyWait &&
           child.state() == QProcess::Running) {
        child.waitForReadyRead(200);
        said += child.readAllStandardOutput();
    }
    QVERIFY2(said.contains("kopya yazildi"), said.constData());
    child.kill();
    QVERIFY(child.waitForFinished());
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    // The file itself is as it was saved; the change is in the copy alone.
    QCOMPARE(contentOf(file), saved);
    QCOMPARE(claim::findRecoveryCopies(recoveryFolder()).size(), std::size_t(1));

    // The next start.
    boxes_.answers = {shell::Answer::Yes};
    DosyaHesabıFormu::offerRecoveredFiles(nullptr);
    QCOMPARE(boxes_.texts(), QStringList{QStringLiteral(
                                 "İcra Dosyası.mirvane dosyasında kaydedilmemiş değişiklikler "
                                 "var. Geri yüklensin mi?")});
    const std::vector<DosyaHesabıFormu*> windows = DosyaHesabıFormu::openWindows();
    QCOMPARE(windows.size(), std::size_t(1));
    DosyaHesabıFormu* window = windows.front();
    // The same file, whichever separators name it.
    QCOMPARE(QDir::fromNativeSeparators(window->filePath()),
             QDir::fromNativeSeparators(shell::fromPath(file)));
    QVERIFY(window->isModified());
    QVERIFY(window->windowTitle().startsWith(QStringLiteral("İcra Dosyası.mirvane")));

    claim::ClaimFile expected = claim::workedExample();
    expected.payments.at(0).amount = EditedKurus;
    QCOMPARE(window->claimFile().payments.at(0).amount, EditedKurus);
    const claim::ClaimOutcome outcome = claim::compute(expected);
    QVERIFY(std::holds_alternative<claim::ClaimResult>(outcome));
    QVERIFY(window->result().has_value());
    QVERIFY(*window->result() == std::get<claim::ClaimResult>(outcome));
    // The figures on display are the edited file's.
    const auto* summary = window->findChild<shell::ListView*>(QStringLiteral("ÖzetListesi"));
    const auto lines = claim::summaryLines(std::get<claim::ClaimResult>(outcome));
    QCOMPARE(summary->rowCount(), int(lines.size()));
    for (std::size_t row = 0; row < lines.size(); ++row) {
        QCOMPARE(summary->cellText(int(row), 1), shell::toQString(lines[row].second));
    }
    QCOMPARE(window->findChild<QLineEdit*>(QStringLiteral("ÖdemeTutarıKutusu"))->text(),
             EditedAmount);

    // Saved, the copy goes and the file holds the change.
    QVERIFY(window->save());
    QVERIFY(claim::findRecoveryCopies(recoveryFolder()).empty());
    claim::ReadOutcome read = claim::readFile(file);
    QVERIFY(std::holds_alternative<claim::ClaimFile>(read));
    QCOMPARE(std::get<claim::ClaimFile>(read).payments.at(0).amount, EditedKurus);
}

void ClaimRecoveryTest::declinedOfferRemovesTheCopy() {
    claim::ClaimFile untitled = claim::workedExample();
    untitled.title = "Ankara 3. İcra 2025/77";
    const fs::path first = claim::newRecoveryPath(recoveryFolder());
    QVERIFY(
        claim::writeRecoveryCopy(first, {std::nullopt, untitled.title, claim::toJson(untitled)}));

    boxes_.answers = {shell::Answer::No};
    DosyaHesabıFormu::offerRecoveredFiles(nullptr);
    QCOMPARE(boxes_.texts(), QStringList{QStringLiteral(
                                 "Ankara 3. İcra 2025/77 dosyasında kaydedilmemiş değişiklikler "
                                 "var. Geri yüklensin mi?")});
    QVERIFY(DosyaHesabıFormu::openWindows().empty());
    QVERIFY(claim::findRecoveryCopies(recoveryFolder()).empty());

    // Taken, a file never saved comes back untitled, unsaved, and keeps its copy until
    // its changes are thrown away.
    const fs::path second = claim::newRecoveryPath(recoveryFolder());
    QVERIFY(
        claim::writeRecoveryCopy(second, {std::nullopt, untitled.title, claim::toJson(untitled)}));
    boxes_.answers = {shell::Answer::Yes};
    DosyaHesabıFormu::offerRecoveredFiles(nullptr);
    QCOMPARE(DosyaHesabıFormu::openWindows().size(), std::size_t(1));
    DosyaHesabıFormu* window = DosyaHesabıFormu::openWindows().front();
    QVERIFY(window->filePath().isEmpty());
    QVERIFY(window->isModified());
    QCOMPARE(window->claimFile().title, untitled.title);
    QCOMPARE(claim::findRecoveryCopies(recoveryFolder()).size(), std::size_t(1));
    boxes_.answers = {shell::Answer::No};
    QVERIFY(window->close());
    QVERIFY(claim::findRecoveryCopies(recoveryFolder()).empty());
}

void ClaimRecoveryTest::copyFollowsUnsavedChangesAndGoesWithThem() {
    const fs::path file = writeExample();
    // Saved before the copy is due, a file leaves none behind.
    DosyaHesabıFormu* window = DosyaHesabıFormu::openFile(shell::fromPath(file), nullptr);
    QVERIFY(window);
    auto* amount = window->findChild<QLineEdit*>(QStringLiteral("ÖdemeTutarıKutusu"));
    amount->setText(EditedAmount);
    QVERIFY(window->save());
    QTest::qWait(
        int(std::chrono::duration_cast<std::chrono::milliseconds>(claim::RecoveryKeeper::Delay)
                .count()) +
        500);
    QVERIFY(claim::findRecoveryCopies(recoveryFolder()).empty());

    // Left unsaved, the change is in a copy bound to the file, a few seconds later.
    amount->setText(QStringLiteral("1,00"));
    QTRY_VERIFY_WITH_TIMEOUT(claim::findRecoveryCopies(recoveryFolder()).size() == 1, CopyWait);
    const claim::FoundCopy found = claim::findRecoveryCopies(recoveryFolder()).front();
    QCOMPARE(found.copy.file, std::optional(file));
    claim::ReadOutcome kept = claim::parse(found.copy.content);
    QVERIFY(std::holds_alternative<claim::ClaimFile>(kept));
    QCOMPARE(std::get<claim::ClaimFile>(kept).payments.at(0).amount, claim::Kurus(100));

    // Closed with the changes thrown away, nothing is left to offer.
    boxes_.answers = {shell::Answer::No};
    QVERIFY(window->close());
    QVERIFY(claim::findRecoveryCopies(recoveryFolder()).empty());

    // A new file's copy says it was never saved.
    window = DosyaHesabıFormu::openNew(nullptr);
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("KalemEkleButonu")),
                      Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(claim::findRecoveryCopies(recoveryFolder()).size() == 1, CopyWait);
    QVERIFY(!claim::findRecoveryCopies(recoveryFolder()).front().copy.file);
}

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 5 && arguments.at(1) == EditArgument) {
        return editUntilKilled(arguments);
    }
    ClaimRecoveryTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ClaimRecoveryTest.moc"
