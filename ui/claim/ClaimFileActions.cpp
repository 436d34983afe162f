#include "ui/claim/ClaimFileActions.h"

#include "core/app/AppInfo.h"
#include "core/claim/ClaimJson.h"
#include "shell/Convert.h"
#include "shell/Messages.h"
#include "shell/SharedValues.h"
#include "ui/report/PdfExport.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QTimer>
#include <chrono>

using namespace mirvane;
using shell::toQString;

namespace claimui {

namespace {

const QString FileFilter = QStringLiteral("Dosya hesapları (*.mirvane)");

FileChooser installedChooser;
std::filesystem::path recoveryCopies;

} // namespace

void ClaimFileActions::setChooser(FileChooser chooser) {
    installedChooser = std::move(chooser);
}

void ClaimFileActions::setRecoveryFolder(std::filesystem::path folder) {
    recoveryCopies = std::move(folder);
}

const std::filesystem::path& ClaimFileActions::recoveryFolder() {
    return recoveryCopies;
}

ClaimFileActions::ClaimFileActions(claim::ClaimSession& session, ClaimFileParts parts)
    : session_(session), parts_(std::move(parts)) {
    recoveryTimer_ = new QTimer(parts_.window);
    recoveryTimer_->setSingleShot(true);
    QObject::connect(recoveryTimer_, &QTimer::timeout, parts_.window,
                     [this] { keepRecoveryCopy(); });
}

QString ClaimFileActions::filePath() const {
    return session_.path() ? shell::fromPath(*session_.path()) : QString();
}

bool ClaimFileActions::load(const QString& path) {
    claim::ReadOutcome read = claim::readFile(shell::toPath(path));
    if (const auto* failure = std::get_if<claim::ReadFailure>(&read)) {
        // The message names the line and column of a damaged file itself. A file that
        // cannot be opened is an error, not a notice.
        const QString message =
            QStringLiteral("\"%1\" açılamadı: ").arg(QFileInfo(path).fileName()) +
            toQString(failure->message);
        shell::messageBoxes().show(
            {toQString(app::MessageCaption), message, shell::Icon::Critical, shell::Buttons::Ok});
        return false;
    }
    session_.open(std::move(std::get<claim::ClaimFile>(read)),
                  shell::toPath(QFileInfo(path).absoluteFilePath()));
    // A file that names a list without carrying it takes the folder's copy.
    session_.copyMissingLists(shell::shared().listSource());
    parts_.showFile();
    return true;
}

bool ClaimFileActions::restore(const claim::FoundCopy& found) {
    claim::ReadOutcome read = claim::parse(found.copy.content);
    if (const auto* failure = std::get_if<claim::ReadFailure>(&read)) {
        shell::messageBoxes().show({toQString(app::MessageCaption),
                                    QStringLiteral("\"%1\" geri yüklenemedi: ")
                                            .arg(toQString(claim::offeredName(found.copy))) +
                                        toQString(failure->message),
                                    shell::Icon::Critical, shell::Buttons::Ok});
        return false;
    }
    session_.recover(std::move(std::get<claim::ClaimFile>(read)), found);
    session_.copyMissingLists(shell::shared().listSource());
    parts_.showFile();
    parts_.window->setWindowModified(true);
    return true;
}

QString ClaimFileActions::chooseFile(FileDialog dialog, const QString& suggested) {
    if (installedChooser) {
        return installedChooser(dialog, parts_.window, suggested);
    }
    if (dialog == FileDialog::Open) {
        return QFileDialog::getOpenFileName(parts_.window, QStringLiteral("Dosya Hesabı Aç"),
                                            suggested, FileFilter);
    }
    QString chosen = QFileDialog::getSaveFileName(
        parts_.window, QStringLiteral("Dosya Hesabını Kaydet"), suggested, FileFilter);
    if (!chosen.isEmpty() &&
        !chosen.endsWith(toQString(claim::FileExtension), Qt::CaseInsensitive)) {
        chosen += toQString(claim::FileExtension);
    }
    return chosen;
}

void ClaimFileActions::openChosenFile() {
    const QString folder =
        filePath().isEmpty() ? pdf::reportFolder() : QFileInfo(filePath()).absolutePath();
    const QString chosen = chooseFile(FileDialog::Open, folder);
    if (!chosen.isEmpty()) {
        openHereOrBeside(chosen);
    }
}

// An untouched new window takes the file itself, unless the file is open in another
// window already, which then comes to the front.
void ClaimFileActions::openHereOrBeside(const QString& path) {
    const QString wanted = QFileInfo(path).absoluteFilePath();
    if (session_.untouched() && !parts_.openElsewhere(wanted)) {
        load(wanted);
        return;
    }
    parts_.openBeside(wanted);
}

bool ClaimFileActions::save() {
    return filePath().isEmpty() ? saveAs() : writeTo(filePath());
}

bool ClaimFileActions::saveAs() {
    QString suggested = filePath();
    // The first save opens where the reports are saved.
    if (suggested.isEmpty()) {
        const QString pdfName = pdf::suggestedFileName(toQString(session_.file().title));
        suggested =
            QDir(pdf::reportFolder())
                .filePath(pdfName.left(pdfName.size() - 4) + toQString(claim::FileExtension));
    }
    const QString chosen = chooseFile(FileDialog::Save, suggested);
    return !chosen.isEmpty() && writeTo(chosen);
}

bool ClaimFileActions::writeTo(const QString& path) {
    const Status written = session_.save(shell::toPath(QFileInfo(path).absoluteFilePath()));
    if (!written) {
        shell::reportError(written.error());
        return false;
    }
    parts_.window->setWindowModified(false);
    recoveryTimer_->stop();
    refreshTitle();
    return true;
}

void ClaimFileActions::fillRecentMenu(QMenu& menu) {
    menu.clear();
    QStringList recent;
    for (const std::filesystem::path& file : session_.recentFiles()) {
        recent << shell::fromPath(file);
    }
    for (int i = 0; i < recent.size(); ++i) {
        const QString path = recent[i];
        // Files of one name in different folders are told apart by their folder.
        const QFileInfo file(path);
        const QString caption =
            QStringLiteral("%1  —  %2")
                .arg(file.fileName(), QDir::toNativeSeparators(file.absolutePath()))
                .replace(u'&', QStringLiteral("&&"));
        QAction* action = menu.addAction(QStringLiteral("&%1 ").arg(i + 1) + caption);
        action->setToolTip(path);
        QObject::connect(action, &QAction::triggered, parts_.window,
                         [this, path] { openHereOrBeside(path); });
    }
    menu.setEnabled(!recent.isEmpty());
}

bool ClaimFileActions::confirmDiscard() {
    if (!parts_.window->isWindowModified()) {
        return true;
    }
    const QString name =
        filePath().isEmpty() ? QStringLiteral("Adsız") : QFileInfo(filePath()).fileName();
    switch (shell::askYesNoCancel(
        QStringLiteral("\"%1\" değişti. Değişiklikler kaydedilsin mi?").arg(name))) {
    case shell::Answer::Yes:
        return save();
    case shell::Answer::No:
        return true;
    default:
        return false;
    }
}

void ClaimFileActions::scheduleRecoveryCopy() {
    const std::optional<claim::RecoveryKeeper::Clock::duration> wait =
        session_.recovery().dueIn(claim::RecoveryKeeper::Clock::now());
    if (wait && !recoveryTimer_->isActive()) {
        recoveryTimer_->start(int(std::chrono::ceil<std::chrono::milliseconds>(*wait).count()));
    }
}

void ClaimFileActions::keepRecoveryCopy() {
    const Status kept = session_.keepRecoveryCopy(claim::RecoveryKeeper::Clock::now());
    if (!kept) {
        parts_.showStatus(QStringLiteral("Kurtarma kopyası yazılamadı: ") +
                          toQString(kept.error().description));
    }
    scheduleRecoveryCopy();
}

void ClaimFileActions::closing() {
    recoveryTimer_->stop();
    session_.discardChanges();
}

void ClaimFileActions::refreshTitle() {
    const QString name =
        filePath().isEmpty() ? QStringLiteral("Adsız") : QFileInfo(filePath()).fileName();
    parts_.window->setWindowTitle(name + QStringLiteral("[*] — Dosya Hesabı"));
}

} // namespace claimui
