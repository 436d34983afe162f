#pragma once

// What a claim window does with its file: reading it, saving it (under a name chosen
// on the first save), the recent files, opening another file here or beside, the
// question about unsaved changes and the recovery copy written while changes are
// unsaved.

#include "core/claim/ClaimSession.h"

#include <QString>
#include <filesystem>
#include <functional>

class QMainWindow;
class QMenu;
class QTimer;
class QWidget;

namespace claimui {

enum class FileDialog { Open, Save };
// Asks for a file to open or to save to; an empty answer calls it off.
using FileChooser =
    std::function<QString(FileDialog dialog, QWidget* parent, const QString& suggested)>;

// The window the actions work for, and what it does for them.
struct ClaimFileParts {
    QMainWindow* window = nullptr;
    // Shows the file in every control, unmodified (after a load or a recovery).
    std::function<void()> showFile;
    // A line in the status bar; an empty text takes it away.
    std::function<void(const QString& text)> showStatus;
    // Whether another window shows the file at the absolute `path`.
    std::function<bool(const QString& path)> openElsewhere;
    // Shows the file at `path` in a window of its own (or brings the one showing it
    // to the front).
    std::function<void(const QString& path)> openBeside;
};

class ClaimFileActions {
public:
    // Tests install their own chooser; nullptr restores the file dialog.
    static void setChooser(FileChooser chooser);
    // Where the recovery copies go; empty for none.
    static void setRecoveryFolder(std::filesystem::path folder);
    static const std::filesystem::path& recoveryFolder();

    // The session outlives the actions.
    ClaimFileActions(mirvane::claim::ClaimSession& session, ClaimFileParts parts);

    // Where the file is saved; empty for a file never saved.
    QString filePath() const;
    // Reads `path`; false, told to the user, when it cannot.
    bool load(const QString& path);
    // Takes the file a recovery copy holds, modified and bound to its path; false (told
    // to the user) when its content cannot be read.
    bool restore(const mirvane::claim::FoundCopy& found);
    // "Kaydet" and "Farklı Kaydet": false when nothing was saved.
    bool save();
    bool saveAs();
    // "Aç...".
    void openChosenFile();
    // Opens `path` here when the window is an untouched new one and no other window
    // shows it, otherwise beside.
    void openHereOrBeside(const QString& path);
    // The recent files, newest first, each opening as "Aç..." does.
    void fillRecentMenu(QMenu& menu);
    // Asks whether the changes are to be saved; false when the user calls it off or
    // the save fails.
    bool confirmDiscard();
    // A change to keep: the copy is written once it is due.
    void scheduleRecoveryCopy();
    // The window closes: saved or thrown away, nothing is left to recover.
    void closing();
    void refreshTitle();

private:
    void keepRecoveryCopy();
    bool writeTo(const QString& path);
    QString chooseFile(FileDialog dialog, const QString& suggested);

    mirvane::claim::ClaimSession& session_;
    ClaimFileParts parts_;
    QTimer* recoveryTimer_ = nullptr;
};

} // namespace claimui
