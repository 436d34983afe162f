#pragma once

// The "Seçenekler" part of the claim window: the alternative calculations of the
// file, added from the usual ones or empty, edited (name, reason, the rate and the
// interest start of each principal item, the day basis, the filing date) and
// removed. A change the program cannot take is named beside the editor, and the
// window's result shows why the file cannot be computed.

#include "core/claim/ClaimFile.h"

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace mirvane::shell {
class DateTimePicker;
} // namespace mirvane::shell

class SeceneklerPaneli : public QWidget {
public:
    // `file` is the window's claim; `changed` is called after each edit of it;
    // `rateChoices` gives the lists an item can take.
    SeceneklerPaneli(mirvane::claim::ClaimFile& file, std::function<void()> changed,
                     std::function<std::vector<std::string>()> rateChoices,
                     QWidget* parent = nullptr);

    // Shows the file's alternatives (after a load, a new file or an edit of the items).
    void showFile();

private:
    void add(const mirvane::claim::Alternative& alternative);
    void remove();
    void showEditor();
    void edited();
    void refreshRow(int row);

    mirvane::claim::ClaimFile& file_;
    std::function<void()> changed_;
    std::function<std::vector<std::string>()> rateChoices_;
    bool showing_ = false;

    QListWidget* SeçeneklerListesi_ = nullptr;
    QPushButton* SeçenekEkleButonu_ = nullptr;
    QPushButton* SeçenekSilButonu_ = nullptr;
    QWidget* SeçenekAlanı_ = nullptr;
    QLineEdit* SeçenekAdıKutusu_ = nullptr;
    QLineEdit* SeçenekNedeniKutusu_ = nullptr;
    QComboBox* SeçenekGünEsasıKutusu_ = nullptr;
    QCheckBox* SeçenekTakipOnayı_ = nullptr;
    mirvane::shell::DateTimePicker* SeçenekTakipTarihiKutusu_ = nullptr;
    QTableWidget* SeçenekKalemleriTablosu_ = nullptr;
    QLabel* SeçenekHataEtiketi_ = nullptr;
};
