#pragma once

// The claim file window ("Dosya Hesabı"): a whole enforcement file entered,
// computed as it is typed, saved and reported. The header, the items, the
// payments and the set-off order are edited on the left; the summary, the
// interest slices and the set-off of each payment are shown on the right, and
// only while every input is valid. One window per file; several may be open at
// once. The window wires its parts to the file's session and holds nothing of
// its own.

#include "core/claim/ClaimEngine.h"
#include "core/claim/ClaimFile.h"
#include "core/claim/ClaimSession.h"
#include "core/claim/Recovery.h"
#include "shell/QtSettingsStore.h"
#include "ui/claim/ClaimFileActions.h"

#include <QMainWindow>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

class RaporPaneli;
class SeceneklerPaneli;
class SonucPaneli;
class QTabWidget;
class QWidget;

namespace claimui {
class ClaimHeaderFields;
class ClaimItemsEditor;
class ClaimMenu;
class ClaimPaymentsEditor;
class SetOffOrderEditor;
} // namespace claimui

// Without Q_OBJECT: moc garbles non-ASCII class names, and the window declares
// no signals or slots of its own.
class DosyaHesabıFormu : public QMainWindow {
public:
    using FileDialog = claimui::FileDialog;
    // Asks for a file to open or to save to; an empty answer calls it off. Tests
    // install their own; nullptr restores the file dialog.
    using FileChooser = claimui::FileChooser;
    static void setFileChooser(FileChooser chooser);

    // Where the windows keep recovery copies of files with unsaved changes; an
    // empty folder (the default) keeps none. Applies to the windows opened
    // afterwards.
    static void setRecoveryFolder(std::filesystem::path folder);
    // Asks about each copy an earlier run left in the recovery folder: "Evet"
    // opens the file as it was, unsaved, "Hayır" removes the copy.
    static void offerRecoveredFiles(QWidget* owner);
    // The start of the program: copies in the user's data folder, then the offer.
    static void startRecovery(QWidget* owner);

    // A window with a new, empty file.
    explicit DosyaHesabıFormu(QWidget* owner = nullptr);
    ~DosyaHesabıFormu() override;

    // Shows a new window for an empty file.
    static DosyaHesabıFormu* openNew(QWidget* owner);
    // Brings the window showing `path` to the front, or opens one for it; nullptr
    // (after telling the user why) when the file cannot be read.
    static DosyaHesabıFormu* openFile(const QString& path, QWidget* owner);
    // The claim windows open now.
    static std::vector<DosyaHesabıFormu*> openWindows();

    // Reads `path` into this window; false, told to the user, when it cannot.
    bool load(const QString& path);
    // "Kaydet" and "Farklı Kaydet": false when nothing was saved.
    bool save();
    bool saveAs();

    const mirvane::claim::ClaimFile& claimFile() const { return session_.file(); }
    // Where the file is saved; empty for a file never saved.
    QString filePath() const;
    bool isModified() const { return isWindowModified(); }
    // The result on display; nullopt while an input is wrong.
    const std::optional<mirvane::claim::ClaimResult>& result() const { return session_.result(); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildInputs();
    // Shows the file in every control (after a load or a new file).
    void showFile();
    // An input changed: the file is modified and computed again.
    void changed();
    void recompute();
    // Shows the session's problem beside the part it concerns and in the results'
    // place.
    void showProblem();
    void focusMoved(QWidget* now);
    void GeriAlMenüsüTıklandı();
    void GüncelOranlarButonuTıklandı();
    // The name reports are saved under: the claim file's, or its title.
    QString reportName() const;
    // An empty text takes the message away.
    void showStatus(const QString& text);

    // The program's settings, where the session keeps the recent files.
    mirvane::shell::QtSettingsStore settings_;
    mirvane::claim::ClaimSession session_;
    std::unique_ptr<claimui::ClaimFileActions> files_;
    std::unique_ptr<claimui::ClaimMenu> menu_;

    claimui::ClaimHeaderFields* header_ = nullptr;
    claimui::ClaimItemsEditor* items_ = nullptr;
    claimui::ClaimPaymentsEditor* payments_ = nullptr;
    claimui::SetOffOrderEditor* setOffOrder_ = nullptr;
    SonucPaneli* SonuçPaneli_ = nullptr;

    // The expert's report and the alternatives, each a part of its own.
    QTabWidget* GirdiSekmeleri_ = nullptr;
    RaporPaneli* RaporPaneli_ = nullptr;
    SeceneklerPaneli* SeçeneklerPaneli_ = nullptr;
};
