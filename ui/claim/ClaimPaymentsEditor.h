#pragma once

// The payments of a claim file in its window: the list of payments, the fields of the
// one selected (date, amount, description), "Ödeme Ekle" and "Ödemeyi Sil", and the
// line that says what is wrong with them. Insert and Delete in the list add and
// remove a row.

#include "core/claim/ClaimSession.h"
#include "ui/claim/ClaimControls.h"

#include <QGroupBox>

class AnaParaKutusu;
class QLabel;
class QLineEdit;

namespace claimui {

class ClaimPaymentsEditor : public QGroupBox {
public:
    // The session outlives the editor; `refreshUndo` is called after a row was deleted.
    ClaimPaymentsEditor(mirvane::claim::ClaimSession& session, PartHooks hooks,
                        std::function<void()> refreshUndo);

    // Shows the file's payments (after a load or a new file), the first one selected.
    void showFile();
    // Shows the row "Geri Al" brought back at `row`, selected, and the rows after it.
    void showRestored(int row);
    // An empty text takes the message away; `wrongRow` is drawn in red (none for -1).
    void showProblem(const QString& text, int wrongRow);
    // The fields of the selected payment.
    QWidget* fields() const { return ÖdemeAlanı_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showPaymentRow(int row);
    void showPaymentEditor();
    void paymentEditorChanged();
    void ÖdemeEkleButonuTıklandı();
    void ÖdemeSilButonuTıklandı();

    mirvane::claim::ClaimSession& session_;
    PartHooks hooks_;
    std::function<void()> refreshUndo_;
    // Set while the fields are filled, so that their change signals are no edits.
    bool showing_ = false;
    // The row drawn as wrong, so that it can be drawn plainly again.
    int markedRow_ = -1;

    mirvane::shell::ListView* ÖdemelerListesi_ = nullptr;
    mirvane::shell::DateTimePicker* ÖdemeTarihiKutusu_ = nullptr;
    AnaParaKutusu* ÖdemeTutarıKutusu_ = nullptr;
    QLineEdit* ÖdemeAçıklamaKutusu_ = nullptr;
    QWidget* ÖdemeAlanı_ = nullptr;
    QPushButton* ÖdemeEkleButonu_ = nullptr;
    QPushButton* ÖdemeSilButonu_ = nullptr;
    QLabel* ÖdemeHataEtiketi_ = nullptr;
};

} // namespace claimui
