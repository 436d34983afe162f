#pragma once

// The date span calculator: a start date advanced by a number of days, weeks,
// months or years, the date found, and the last day of a deadline ending on it
// as civil or enforcement procedure moves it, ready to be copied.

#include "core/deadline/LastDay.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace mirvane::shell {
class DateTimePicker;
} // namespace mirvane::shell

// The old appeal-period presets are not offered: their day counts no longer
// match the law, and a wrong deadline is worse than none. The list of common
// periods below the buttons takes their place.
//
// Without Q_OBJECT: moc garbles non-ASCII class names, and the window declares no
// signals or slots of its own.
class SüreHesaplamaFormu : public QDialog {
public:
    explicit SüreHesaplamaFormu(QWidget* owner = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildValuesFrame();
    void buildButtons();
    void buildLastDayFrame();
    void setKeyboardOrder();
    void connectHandlers();
    void load();

    // Handlers.
    void RecomputeFoundDate();
    void RecomputeLastDay();
    void SonuçKutusuDeğişti(const QString& text);
    void SonGünKutusuDeğişti();
    void KopyalaButonuTıklandı();
    void SıkKullanılanSürelerKutusuSeçildi(int index);
    void UsulKutusuDeğişti();
    void DeğerElleDeğişti();

    std::optional<mirvane::Date> foundDate() const;
    // What the copy button puts on the clipboard: the last day, or the date
    // found when the plain calendar is chosen.
    QString copyText() const;

    std::array<QLabel*, 9> Etiket_{};
    mirvane::shell::DateTimePicker* BaşlangıçTarihiKutusu_ = nullptr;
    QComboBox* EklenecekZamanDilimiKutusu_ = nullptr;
    QLineEdit* EklenecekZamanMiktarıKutusu_ = nullptr;
    QLineEdit* SonuçKutusu_ = nullptr;
    QPushButton* KopyalaButonu_ = nullptr;
    QPushButton* KapatButonu_ = nullptr;

    QLabel* BulunanGünEtiketi_ = nullptr;
    QComboBox* SıkKullanılanSürelerKutusu_ = nullptr;
    QComboBox* UsulKutusu_ = nullptr;
    QCheckBox* İvediİşOnayı_ = nullptr;
    QLineEdit* SonGünKutusu_ = nullptr;
    QPlainTextEdit* AdımlarKutusu_ = nullptr;
    QPlainTextEdit* UyarılarKutusu_ = nullptr;
    std::optional<mirvane::deadline::LastDay> lastDay_;
    // Set while a common period fills the values, which then still belong to it.
    bool fillingPeriod_ = false;
};
