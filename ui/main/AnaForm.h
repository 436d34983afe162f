#pragma once

// The main window: pick a rate list, enter dates and principal, calculate, copy.

#include "app/BreakdownSession.h"
#include "interest/InterestEngine.h"
#include "ratelist/RateList.h"
#include "report/BreakdownReport.h"

#include <QDate>
#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class AnaParaKutusu;
class QAction;
class QCheckBox;
class QDialog;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QTimer;

namespace mirvane::shell {
class DateTimePicker;
class ListView;
} // namespace mirvane::shell

class AnaForm : public QWidget {
    Q_OBJECT
public:
    explicit AnaForm(QWidget* parent = nullptr);
    ~AnaForm() override;

    // Shows `dialog` modally over this window. When it closes, the list of rate
    // lists is rebuilt only if the dialog added, saved, deleted or renamed a list;
    // otherwise the selection and the breakdown stay as they were. `savedList`, when
    // given, names the list the dialog saved under a new name: the rebuilt list
    // selects it.
    void openModal(QDialog& dialog, const std::function<std::string()>& savedList = {});

    // Closes the window as "Çıkış" does, without asking whether to leave: the user
    // already chose to end. Each claim window still asks about its unsaved changes,
    // and the settings are written.
    void endProgram();

    // `listToSelect`, where a list of that name exists, is selected; otherwise the list
    // selected before.
    void RefreshListNames(const std::string& listToSelect = {});
    void DeleteSelectedList();

    std::int32_t DayCountDivisor() const { return session_.divisor(); }
    std::int16_t SelectedListIndex() const { return session_.rememberedPosition(); }
    const std::string& SelectedListName() const { return session_.rememberedName(); }
    // The text the whole-list copy put on the clipboard last.
    QString ExportText() const { return QString::fromStdString(session_.lastCopied()); }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildTopBand();
    void buildBreakdownArea();
    void buildRatesArea();
    void buildBottomButtons();
    void buildMenu();
    bool isMenuShortcut(const QKeyEvent& key) const;
    void setKeyboardOrder();
    void connectHandlers();

    void createColumns();
    void rememberDesignedPlaces();
    void setInitialDates();
    void readSettings();
    void writeSettings();
    QPoint centredPosition() const;
    bool liesOnAScreen(const QPoint& position) const;

    // Handlers.
    void FaizDosyalarıListesiSeçildi(int row);
    void YılGünSayısıOnayıTıklandı();
    void FaiziHesaplaButonuTıklandı();
    void ListeyiAktarDüğmesiBasıldı();
    void ÇıkışButonuTıklandı();
    void YeniListeEkleButonuTıklandı();
    void ListeyiGüncelleButonuTıklandı();
    // The stale-rate notice's links: the update window with the list brought current,
    // or the installation of a rate package.
    void SonDönemUyarısıBağlantısıTıklandı(const QString& link);
    void showTotal(const QString& total);
    void showRunOnNotice(const std::string& notice, bool warning);
    void SüreHesaplaButonuTıklandı();
    void HakkındaButonuTıklandı();
    void DosyaHesabıButonuTıklandı();
    void SadeceToplamıKopyalaMenüsüTıklandı();
    void TümListeyiKopyalaMenüsüTıklandı();
    void ListeyiMSWordeAktarMenüsüTıklandı();
    void ListeyiPDFeAktarMenüsüTıklandı();
    void WordBelgesiOlarakKaydetMenüsüTıklandı();
    mirvane::report::Document breakdownDocument() const;
    QString reportName() const;
    // An empty text takes the message away.
    void showStatus(const QString& text);
    void FaizDökümüListesiSağTıklandı(const QPoint& globalPosition);

    // Turns the list editors on or off as the folder allows.
    void showWhetherListsCanChange();
    // The notice that the folder takes no lists (`unusable` says what failed when the
    // program's own lists stand in for it).
    void tellFolderCannotBeWritten(const QString& unusable);

    // Loading for display of the list at `row`, and the emptying it starts with.
    // False when the list could not be read.
    bool loadForDisplay(int row);
    void clearDisplay(const QString& listName);
    void showListCaption(const QString& caption);
    void showPeriods();

    // The inputs as the fields hold them now; a change takes the breakdown away before it
    // can be copied.
    mirvane::app::BreakdownInputs inputsNow() const;
    void inputChanged();
    void clearBreakdown();
    // Refuses (with a notice, focus on the field) a date field that is empty or
    // holds a refused entry; true when both dates can be used.
    bool datesAreUsable();

    // The calculation in its two halves: the checks against the list as shown,
    // and the run over the list read again from its file.
    mirvane::interest::Inputs calculationInputs(const std::string& principalText) const;
    bool passesChecks(const mirvane::interest::Inputs& inputs);
    void runCalculation(const mirvane::interest::Inputs& inputs);
    void refuse(const mirvane::interest::Rejection& rejection);
    void showRow(const mirvane::interest::InterestRow& row);

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
    mirvane::shell::ListView* FaizDökümüListesi_ = nullptr;
    QPushButton* ListeyiAktarDüğmesi_ = nullptr;
    QPushButton* DosyaHesabıButonu_ = nullptr;
    QLineEdit* ToplamFaizKutusu_ = nullptr;
    mirvane::shell::ListView* FaizOranlarıListesi_ = nullptr;
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

    // The lists, the selection, the list shown and the breakdown on display.
    mirvane::app::BreakdownSession session_;
    bool shownBefore_ = false;
    bool endingWithoutQuestion_ = false;
    bool folderNoticeShown_ = false;
    // Where each control of the window and of the rates area was drawn.
    std::vector<std::pair<QWidget*, QRect>> designedPlaces_;
    // The window size the controls were last placed for; they are built for the
    // designed size.
    QSize laidOutSize_;
};
