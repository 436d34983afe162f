#pragma once

// The claim file window ("Dosya Hesabı"): a whole enforcement file entered, computed
// as it is typed, saved and reported. The header, the items, the payments and the
// set-off order are edited on the left; the summary, the interest slices and the
// set-off of each payment are shown on the right, and only while every input is
// valid. One window per file; several may be open at once.

#include "core/claim/ClaimEngine.h"
#include "core/claim/ClaimFile.h"
#include "core/claim/ClaimSession.h"
#include "core/claim/Recovery.h"
#include "core/claim/RefusalWords.h"
#include "shell/QtSettingsStore.h"

#include <QMainWindow>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class AnaParaKutusu;
class RaporPaneli;
class SeceneklerPaneli;
class SonucPaneli;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QTabWidget;
class QTimer;
class QWidget;

namespace mirvane::shell {
class DateTimePicker;
class ListView;
class RateField;
} // namespace mirvane::shell

// Without Q_OBJECT: moc garbles non-ASCII class names, and the window declares no
// signals or slots of its own.
class DosyaHesabıFormu : public QMainWindow {
public:
    enum class FileDialog { Open, Save };
    // Asks for a file to open or to save to; an empty answer calls it off. Tests
    // install their own; nullptr restores the file dialog.
    using FileChooser =
        std::function<QString(FileDialog dialog, QWidget* parent, const QString& suggested)>;
    static void setFileChooser(FileChooser chooser);

    // Where the windows keep recovery copies of files with unsaved changes; an empty
    // folder (the default) keeps none. Applies to the windows opened afterwards.
    static void setRecoveryFolder(std::filesystem::path folder);
    // Asks about each copy an earlier run left in the recovery folder: "Evet" opens
    // the file as it was, unsaved, "Hayır" removes the copy.
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
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenu();
    QWidget* buildHeader();
    QWidget* buildItems();
    QWidget* buildPayments();
    QWidget* buildSetOffOrder();
    QWidget* buildResults();
    void connectHandlers();

    // Shows the file in every control (after a load or a new file).
    void showFile();
    void showItemRow(int row);
    void showPaymentRow(int row);
    void showItemEditor();
    void showPaymentEditor();
    void endGraceOfOtherRow(mirvane::claim::RefusalPlace::Part part, int row);
    void showSetOffOrder();
    void fillRateChoices();
    void refreshTitle();

    // Handlers.
    void HeaderChanged();
    void ItemEditorChanged();
    void ItemKindChanged();
    void KalemEkleButonuTıklandı();
    void KalemSilButonuTıklandı();
    void PaymentEditorChanged();
    void ÖdemeEkleButonuTıklandı();
    void ÖdemeSilButonuTıklandı();
    void MoveBucket(int step);
    void VarsayılanSıraButonuTıklandı();
    void GüncelOranlarButonuTıklandı();
    void OpenChosenFile();
    void ExportPdf();
    void ExportWord();
    void SaveWord();
    // The name reports are saved under: the claim file's, or its title.
    QString reportName() const;
    // An empty text takes the message away.
    void showStatus(const QString& text);

    // An input changed: the file is modified and computed again.
    void changed();
    void recompute();
    void showResult();
    // Shows problem_ beside the part it concerns and in the results' place.
    void showProblem();
    void focusMoved(QWidget* now);
    void GeriAlMenüsüTıklandı();
    void refreshUndo();
    // Opens `path` here when this window is an untouched new one, otherwise in a
    // window of its own.
    void openHereOrBeside(const QString& path);
    bool untouched() const;
    void copyMissingLists();
    bool confirmDiscard();
    // Opens the file a recovery copy holds, modified and bound to its path; false
    // (told to the user) when its content cannot be read.
    bool restore(const mirvane::claim::FoundCopy& found);
    // A change to keep: the copy is written once it is due.
    void scheduleRecoveryCopy();
    void keepRecoveryCopy();
    bool writeTo(const QString& path);
    void fillRecentMenu();
    QString chooseFile(FileDialog dialog, const QString& suggested);

    // The program's settings, where the session keeps the recent files.
    mirvane::shell::QtSettingsStore settings_;
    mirvane::claim::ClaimSession session_;
    // The rows drawn as wrong, so that they can be drawn plainly again.
    int markedItemRow_ = -1;
    int markedPaymentRow_ = -1;
    // Set while the program fills the fields, so their change signals are no edits.
    bool showing_ = false;
    QTimer* recoveryTimer_ = nullptr;

    QLineEdit* BaşlıkKutusu_ = nullptr;
    mirvane::shell::DateTimePicker* HesapTarihiKutusu_ = nullptr;
    QCheckBox* TakipTarihiOnayı_ = nullptr;
    mirvane::shell::DateTimePicker* TakipTarihiKutusu_ = nullptr;
    QComboBox* GünEsasıKutusu_ = nullptr;

    mirvane::shell::ListView* KalemlerListesi_ = nullptr;
    QComboBox* TürKutusu_ = nullptr;
    QLineEdit* AçıklamaKutusu_ = nullptr;
    AnaParaKutusu* TutarKutusu_ = nullptr;
    QLabel* TarihEtiketi_ = nullptr;
    mirvane::shell::DateTimePicker* TarihKutusu_ = nullptr;
    QComboBox* OranKutusu_ = nullptr;
    mirvane::shell::RateField* SabitOranKutusu_ = nullptr;
    QWidget* KalemAlanı_ = nullptr;
    QPushButton* KalemEkleButonu_ = nullptr;
    QPushButton* KalemSilButonu_ = nullptr;

    mirvane::shell::ListView* ÖdemelerListesi_ = nullptr;
    mirvane::shell::DateTimePicker* ÖdemeTarihiKutusu_ = nullptr;
    AnaParaKutusu* ÖdemeTutarıKutusu_ = nullptr;
    QLineEdit* ÖdemeAçıklamaKutusu_ = nullptr;
    QWidget* ÖdemeAlanı_ = nullptr;
    QPushButton* ÖdemeEkleButonu_ = nullptr;
    QPushButton* ÖdemeSilButonu_ = nullptr;

    QListWidget* MahsupSırasıListesi_ = nullptr;
    QPushButton* YukarıButonu_ = nullptr;
    QPushButton* AşağıButonu_ = nullptr;
    QPushButton* VarsayılanSıraButonu_ = nullptr;

    QLabel* DosyaHataEtiketi_ = nullptr;
    QLabel* KalemHataEtiketi_ = nullptr;
    QLabel* ÖdemeHataEtiketi_ = nullptr;
    SonucPaneli* SonuçPaneli_ = nullptr;

    // The expert's report and the alternatives, each a part of its own.
    QTabWidget* GirdiSekmeleri_ = nullptr;
    RaporPaneli* RaporPaneli_ = nullptr;
    SeceneklerPaneli* SeçeneklerPaneli_ = nullptr;

    QMenu* SonDosyalarMenüsü_ = nullptr;
    QAction* PdfMenüsü_ = nullptr;
    QAction* WordMenüsü_ = nullptr;
    QAction* WordKaydetMenüsü_ = nullptr;
    QAction* GeriAlMenüsü_ = nullptr;
};
