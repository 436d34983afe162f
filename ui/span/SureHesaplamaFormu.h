#pragma once

// The date span calculator: a start date advanced by a number of days, weeks,
// months or years, and the date found, ready to be copied.

#include <QDialog>
#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace mirvane::shell {
class DateTimePicker;
} // namespace mirvane::shell

// The appeal-period presets are not offered: their day counts no longer match
// the law, and a wrong deadline is worse than none.
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
    void setKeyboardOrder();
    void connectHandlers();
    void load();

    // Handlers.
    void RecomputeFoundDate();
    void SonuçKutusuDeğişti(const QString& text);
    void KopyalaButonuTıklandı();

    std::array<QLabel*, 4> Etiket_{};
    mirvane::shell::DateTimePicker* BaşlangıçTarihiKutusu_ = nullptr;
    QComboBox* EklenecekZamanDilimiKutusu_ = nullptr;
    QLineEdit* EklenecekZamanMiktarıKutusu_ = nullptr;
    QLineEdit* SonuçKutusu_ = nullptr;
    QPushButton* KopyalaButonu_ = nullptr;
    QPushButton* KapatButonu_ = nullptr;
};
