#pragma once

// The main window's controls as they are drawn, and how they move as the window grows;
// the notices and the status message shown among them.

#include "core/ratelist/RateList.h"

#include <QColor>
#include <QRect>
#include <QSize>
#include <array>
#include <string>
#include <utility>
#include <vector>

class AnaParaKutusu;
class QAction;
class QCheckBox;
class QEvent;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QObject;
class QPushButton;
class QTimer;
class QWidget;

class QPoint;
class QString;

namespace mirvane::interest {
struct Rejection;
} // namespace mirvane::interest

namespace mirvane::shell {
class DateTimePicker;
class TableView;
} // namespace mirvane::shell

class AnaFormControls {
protected:
    static QSize designedSize();
    static const QColor WarningColour;

    // Builds every control on `window`, in the keyboard order of the window.
    void buildControls(QWidget* window);
    void rememberDesignedPlaces();
    // At the designed size every control stands where it was drawn; the room the
    // window gains goes to the lists and the tables.
    void layOut();
    // The keys the fields keep for themselves or leave to the menu; true when the event
    // was dealt with.
    bool filterFieldKeys(QObject* watched, QEvent* event);

    void showTotal(const QString& total);
    // The notice of a run past the list's end, with a link where the list can be
    // brought current or a rate package can make it so.
    void showRunOnNotice(const std::string& notice, bool warning,
                         const std::vector<mirvane::RatePeriod>& periods);
    // An empty text takes the message away.
    void showStatus(const QString& text);
    // The caption names the loaded list; a notice of the folder follows it on the same
    // line, every notice in the tooltip.
    void showListCaption(const QString& caption, const std::vector<std::string>& notices);
    void clearBreakdownNotices();
    // Refuses (with a notice, focus on the field) a date field that is empty or holds a
    // refused entry; true when both dates can be used.
    bool datesAreUsable();
    void refuse(const mirvane::interest::Rejection& rejection);
    void openMenu(const QPoint& globalPosition, QAction* defaultItem);

    // Widgets.
    QGroupBox* Çerçeve_ = nullptr;
    std::array<QWidget*, 3> Altlık_{};
    std::array<QLabel*, 7> Etiket_{};
    // Shown after a calculation that ran the last rate past the end of the list.
    QLabel* SonDönemUyarısıEtiketi_ = nullptr;
    QLabel* SatırNotuEtiketi_ = nullptr;
    QListWidget* FaizDosyalarıListesi_ = nullptr;
    mirvane::shell::DateTimePicker* BaşlangıçTarihiKutusu_ = nullptr;
    mirvane::shell::DateTimePicker* BitişTarihiKutusu_ = nullptr;
    QCheckBox* YılGünSayısıOnayı_ = nullptr;
    AnaParaKutusu* AnaParaKutusu_ = nullptr;
    QPushButton* FaiziHesaplaButonu_ = nullptr;
    mirvane::shell::TableView* FaizDökümüListesi_ = nullptr;
    QPushButton* ListeyiAktarDüğmesi_ = nullptr;
    QPushButton* DosyaHesabıButonu_ = nullptr;
    QLineEdit* ToplamFaizKutusu_ = nullptr;
    mirvane::shell::TableView* FaizOranlarıListesi_ = nullptr;
    QPushButton* YeniListeEkleButonu_ = nullptr;
    QPushButton* ListeSilButonu_ = nullptr;
    QPushButton* ListeyiGüncelleButonu_ = nullptr;
    QPushButton* SüreHesaplaButonu_ = nullptr;
    QPushButton* HakkındaButonu_ = nullptr;
    QPushButton* ÇıkışButonu_ = nullptr;
    QMenu* SağMenü_ = nullptr;
    QAction* SadeceToplamıKopyalaMenüsü_ = nullptr;
    QAction* TümListeyiKopyalaMenüsü_ = nullptr;
    QAction* ListeyiMSWordeAktarMenüsü_ = nullptr;
    QAction* ListeyiPDFeAktarMenüsü_ = nullptr;
    QAction* WordBelgesiOlarakKaydetMenüsü_ = nullptr;
    // Made with the first message.
    QLabel* DurumEtiketi_ = nullptr;
    QTimer* statusTimer_ = nullptr;

private:
    bool isMenuShortcut(const QKeyEvent& key) const;
    void buildTopBand();
    void buildBreakdownArea();
    void buildRatesArea();
    void buildBottomButtons();
    void buildMenu();
    void setKeyboardOrder();

    QWidget* window_ = nullptr;
    // Where each control of the window and of the rates area was drawn.
    std::vector<std::pair<QWidget*, QRect>> designedPlaces_;
    // The window size the controls were last placed for; they are built for the
    // designed size.
    QSize laidOutSize_;
};
