#pragma once

// The items of a claim file in its window: the list of items, the fields of the one
// selected (kind, description, amount, date, rate), "Kalem Ekle" and "Kalemi Sil", and
// the line that says what is wrong with them. Insert and Delete in the list add and
// remove a row.

#include "core/claim/ClaimSession.h"
#include "ui/claim/ClaimControls.h"

#include <QGroupBox>

class AnaParaKutusu;
class QComboBox;
class QLabel;
class QLineEdit;

namespace mirvane::shell {
class RateField;
} // namespace mirvane::shell

namespace claimui {

class ClaimItemsEditor : public QGroupBox {
public:
    // The session outlives the editor; `refreshUndo` is called after a row was deleted.
    ClaimItemsEditor(mirvane::claim::ClaimSession& session, PartHooks hooks,
                     std::function<void()> refreshUndo);

    // Shows the file's items (after a load or a new file), the first one selected.
    void showFile();
    // Shows the row "Geri Al" brought back at `row`, selected, and the rows after it.
    void showRestored(int row);
    // An empty text takes the message away; `wrongRow` is drawn in red (none for -1).
    void showProblem(const QString& text, int wrongRow);
    // The fields of the selected item.
    QWidget* fields() const { return KalemAlanı_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showItemRow(int row);
    void showItemEditor();
    void fillRateChoices();
    void itemKindChanged();
    void itemEditorChanged();
    void KalemEkleButonuTıklandı();
    void KalemSilButonuTıklandı();

    mirvane::claim::ClaimSession& session_;
    PartHooks hooks_;
    std::function<void()> refreshUndo_;
    // Set while the fields are filled, so that their change signals are no edits.
    bool showing_ = false;
    // The row drawn as wrong, so that it can be drawn plainly again.
    int markedRow_ = -1;

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
    QLabel* KalemHataEtiketi_ = nullptr;
};

} // namespace claimui
