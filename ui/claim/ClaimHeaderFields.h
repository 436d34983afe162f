#pragma once

// The head of a claim file in its window: the title, the calculation date, the filing
// date (when the file is filed) and the day basis, with the line that says what is
// wrong with them.

#include "core/claim/ClaimSession.h"
#include "ui/claim/ClaimControls.h"

#include <QGroupBox>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace claimui {

class ClaimHeaderFields : public QGroupBox {
public:
    // The session outlives the fields.
    ClaimHeaderFields(mirvane::claim::ClaimSession& session, PartHooks hooks);

    // Shows the file's head (after a load or a new file).
    void showFile();
    // An empty text takes the message away.
    void showProblem(const QString& text);

private:
    void headerChanged();

    mirvane::claim::ClaimSession& session_;
    PartHooks hooks_;
    // Set while the fields are filled, so that their change signals are no edits.
    bool showing_ = false;

    QLineEdit* BaşlıkKutusu_ = nullptr;
    mirvane::shell::DateTimePicker* HesapTarihiKutusu_ = nullptr;
    QCheckBox* TakipTarihiOnayı_ = nullptr;
    mirvane::shell::DateTimePicker* TakipTarihiKutusu_ = nullptr;
    QComboBox* GünEsasıKutusu_ = nullptr;
    QLabel* DosyaHataEtiketi_ = nullptr;
};

} // namespace claimui
