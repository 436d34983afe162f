#include "ui/main/AnaForm.h"

#include "core/app/BreakdownSession.h"
#include "core/interest/Breakdown.h"
#include "core/ratelist/RateListStore.h"
#include "core/settings/ProgramSettings.h"
#include "core/text/Amount.h"
#include "shell/AnaParaKutusu.h"
#include "shell/Controls.h"
#include "shell/Convert.h"
#include "shell/Layout.h"
#include "shell/Messages.h"
#include "shell/QtSettingsStore.h"
#include "shell/SharedValues.h"
#include "shell/TableView.h"
#include "ui/claim/DosyaHesabiFormu.h"
#include "ui/main/BreakdownMenu.h"
#include "ui/main/ListFileActions.h"
#include "ui/main/ListFolderLists.h"
#include "ui/main/WindowPlacement.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>

using namespace mirvane;
using shell::layoutFont;
using shell::toQString;

namespace {

// Only read once the date fields were found usable.
Date dayOf(const shell::DateTimePicker& picker) {
    return shell::toSysDays(*picker.value());
}

const QString NoListNotice = QStringLiteral(
    "Hesap için bir faiz oranı listesi seçilmemiş: \"Faiz Oranları Listeleri\" kutusundan bir "
    "liste seçin.");
const QString EmptyListTail = QStringLiteral(
    " listesinde hesaba girecek dönem yok (liste okunamadı ya da boş): başka bir liste seçin.");
const QString QuitQuestion = QStringLiteral("Programdan çıkmak istiyor musunuz?");

} // namespace

AnaForm::AnaForm(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("AnaForm"));
    // Never smaller than drawn; the room it gains goes to the two tables.
    setMinimumSize(designedSize());
    resize(designedSize());
    setFont(layoutFont(font()));
    buildControls(this);
    connectHandlers();

    setWindowTitle(shell::shared().MainWindowTitle);
    createColumns();
    rememberDesignedPlaces();
    setInitialDates();
    readSettings();
}

// The inputs outlive this part of the window while it is torn down; their last
// signals must not reach it. The tables let go of the session's rows before the session
// goes.
AnaForm::~AnaForm() {
    for (QObject* input : std::initializer_list<QObject*>{
             BaşlangıçTarihiKutusu_, BitişTarihiKutusu_, AnaParaKutusu_, YılGünSayısıOnayı_}) {
        input->disconnect(this);
    }
    FaizDökümüListesi_->setModel(nullptr);
    FaizOranlarıListesi_->setModel(nullptr);
}

void AnaForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layOut();
}

void AnaForm::connectHandlers() {
    connect(FaizDosyalarıListesi_, &QListWidget::currentRowChanged, this,
            &AnaForm::FaizDosyalarıListesiSeçildi);
    connect(YılGünSayısıOnayı_, &QCheckBox::clicked, this, &AnaForm::YılGünSayısıOnayıTıklandı);
    connect(YılGünSayısıOnayı_, &QCheckBox::toggled, this, &AnaForm::inputChanged);
    connect(AnaParaKutusu_, &QLineEdit::textChanged, this, &AnaForm::inputChanged);
    for (shell::DateTimePicker* date : {BaşlangıçTarihiKutusu_, BitişTarihiKutusu_}) {
        connect(date, &QDateEdit::dateChanged, this, &AnaForm::inputChanged);
        // A date being typed is not yet the date the breakdown was computed for.
        connect(date, &shell::DateTimePicker::edited, this, &AnaForm::clearBreakdown);
    }
    connect(FaiziHesaplaButonu_, &QPushButton::clicked, this, &AnaForm::FaiziHesaplaButonuTıklandı);
    connect(ÇıkışButonu_, &QPushButton::clicked, this, &AnaForm::ÇıkışButonuTıklandı);
    // The menu and the buttons that act on list files work through helpers of their own.
    menu_ = std::make_unique<ui::BreakdownMenu>(
        session_, ui::BreakdownMenuParts{
                      this, ListeyiAktarDüğmesi_, ToplamFaizKutusu_, SadeceToplamıKopyalaMenüsü_,
                      TümListeyiKopyalaMenüsü_, ListeyiMSWordeAktarMenüsü_, ListeyiPDFeAktarMenüsü_,
                      WordBelgesiOlarakKaydetMenüsü_,
                      [this](const QPoint& place, QAction* item) { openMenu(place, item); },
                      [this](const QString& text) {
                          showStatus(text);
                      }});
    actions_ = std::make_unique<ui::ListFileActions>(
        session_,
        ui::ListFileActionParts{this, FaizDosyalarıListesi_, SonDönemUyarısıEtiketi_,
                                YeniListeEkleButonu_, ListeSilButonu_, ListeyiGüncelleButonu_,
                                SüreHesaplaButonu_, HakkındaButonu_, DosyaHesabıButonu_,
                                [this](const std::string& name) { refreshListNames(name); },
                                [this](int row) {
                                    loadForDisplay(row);
                                }});
}

void AnaForm::createColumns() {
    breakdownModel_ = new shell::CellTableModel(
        breakdown::breakdownColumns(), [this] { return int(session_.rows().size()); },
        [this](int row, int column) {
            return toQString(session_.rows()[std::size_t(row)][std::size_t(column)]);
        },
        this);
    FaizDökümüListesi_->showModel(breakdownModel_, breakdown::breakdownColumns());
    ratesModel_ = new shell::CellTableModel(
        breakdown::rateColumns(), [this] { return int(session_.shownList().Periods.size()); },
        [this](int row, int column) {
            const RatePeriod& period = session_.shownList().Periods[std::size_t(row)];
            return toQString(breakdown::periodCells(row + 1, period)[std::size_t(column)]);
        },
        this);
    FaizOranlarıListesi_->showModel(ratesModel_, breakdown::rateColumns());
}

void AnaForm::setInitialDates() {
    const QDate today = shell::shared().today();
    BaşlangıçTarihiKutusu_->setValue(today.addDays(-1));
    BitişTarihiKutusu_->setValue(today);
}

// Each value is one load step: a value that cannot be read is reported and its
// step skipped, unless the user ends the program there.
void AnaForm::readSettings() {
    shell::QtSettingsStore store;
    const settings::MainWindowSettings kept(store, ui::edgeScale());
    if (!ui::restorePlacement(*this, kept, designedSize())) {
        return;
    }
    if (!shell::runStep([&] {
            return ui::useStored(kept.listPosition(), [this](std::int16_t value) {
                session_.rememberSelection(value, session_.rememberedName());
            });
        })) {
        return;
    }
    session_.rememberSelection(session_.rememberedPosition(), kept.listName());
    if (shell::runStep([&] {
            return ui::useStored(kept.year360(),
                                 [this](bool value) { YılGünSayısıOnayı_->setChecked(value); });
        })) {
        YılGünSayısıOnayıTıklandı();
    }
}

// Failures to store a value are ignored; the remaining values are still written.
void AnaForm::writeSettings() {
    shell::QtSettingsStore store;
    settings::MainWindowSettings kept(store, ui::edgeScale());
    ui::keepPlacement(*this, kept);
    const int row = FaizDosyalarıListesi_->currentRow();
    kept.writeList(row, session_.nameAt(row));
    kept.writeYear360(YılGünSayısıOnayı_->isChecked());
}

// The list of rate lists is built when the window is first shown, and rebuilt
// only when a modal window changed the folder, not on every activation: an
// activation after a message box, another program or the About window must not
// wipe a breakdown just computed. The first build waits until the window has been
// handed to the window system, so that reading the folder does not delay its
// appearance; it runs as soon as the event loop does, long before the window
// system has put the window on the screen.
void AnaForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!shownBefore_) {
        shownBefore_ = true;
        QMetaObject::invokeMethod(
            this, [this] { refreshListNames(); }, Qt::QueuedConnection);
    }
}

void AnaForm::openModal(QDialog& dialog, const std::function<std::string()>& savedList) {
    actions_->openModal(dialog, savedList);
}

// The title bar's close box, its menu and Alt+F4 reach the window from the window
// system and close without a question; "Çıkış (Esc)" and every request made by a
// program ask first.
void AnaForm::closeEvent(QCloseEvent* event) {
    if (!event->spontaneous() && !endingWithoutQuestion_ && !shell::askYesNo(QuitQuestion)) {
        event->ignore();
        return;
    }
    // Each claim window asks about its unsaved changes; one that stays open keeps
    // the program running.
    for (DosyaHesabıFormu* claimWindow : DosyaHesabıFormu::openWindows()) {
        if (!claimWindow->close()) {
            event->ignore();
            return;
        }
    }
    writeSettings();
    event->accept();
}

void AnaForm::endProgram() {
    endingWithoutQuestion_ = true;
    close();
    endingWithoutQuestion_ = false;
}

bool AnaForm::eventFilter(QObject* watched, QEvent* event) {
    if (filterFieldKeys(watched, event)) {
        return true;
    }
    if (watched == FaizDökümüListesi_->viewport() && event->type() == QEvent::ContextMenu) {
        const auto* request = static_cast<QContextMenuEvent*>(event);
        if (request->reason() == QContextMenuEvent::Mouse) {
            menu_->FaizDökümüListesiSağTıklandı(request->globalPos());
        }
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void AnaForm::refreshListNames(const std::string& listToSelect) {
    ui::FolderLists lists = ui::readListFolder();
    ui::showWhetherListsCanChange({YeniListeEkleButonu_, ListeSilButonu_, ListeyiGüncelleButonu_});
    const std::optional<std::size_t> chosen =
        session_.refresh(std::move(lists.names), std::move(lists.notices), listToSelect);
    {
        const QSignalBlocker quiet(FaizDosyalarıListesi_);
        FaizDosyalarıListesi_->clear();
        for (const std::string& name : session_.listNames()) {
            FaizDosyalarıListesi_->addItem(toQString(name));
        }
        FaizDosyalarıListesi_->setCurrentRow(chosen ? int(*chosen) : -1);
    }
    if (chosen) {
        loadForDisplay(int(*chosen));
    } else {
        clearDisplay(QString());
    }
    BaşlangıçTarihiKutusu_->setFocus();
    // Told over the lists it concerns, once a run.
    if (!shell::shared().ListFolderWritable && !folderNoticeShown_) {
        folderNoticeShown_ = true;
        ui::tellFolderCannotBeWritten(lists.unusable);
    }
}

void AnaForm::deleteSelectedList() {
    actions_->deleteSelectedList();
}

void AnaForm::FaizDosyalarıListesiSeçildi(int row) {
    if (row >= 0) {
        loadForDisplay(row);
    }
}

bool AnaForm::loadForDisplay(int row) {
    const std::string name = session_.nameAt(row);
    if (name.empty()) {
        return false;
    }
    clearDisplay(toQString(name));
    Result<RateList> read = store::readList(shell::shared().listSource(), name);
    if (!read) {
        shell::reportError(read.error());
        return false;
    }
    ratesModel_->change([&] { session_.showList(std::move(read).value()); });
    showListCaption(toQString(breakdown::loadedListCaption(session_.shownList())),
                    session_.listNotices());
    return true;
}

void AnaForm::clearDisplay(const QString& listName) {
    showListCaption(listName, session_.listNotices());
    clearBreakdown();
    ratesModel_->change([this] { session_.clearList(); });
}

void AnaForm::clearBreakdown() {
    clearBreakdownNotices();
    breakdownModel_->change([this] { session_.clearBreakdown(); });
}

// The principal counts by its amount, so the grouping and decimals it gains when
// the field is left change nothing.
app::BreakdownInputs AnaForm::inputsNow() const {
    const auto dayOrNone = [](const shell::DateTimePicker& picker) -> std::optional<Date> {
        const std::optional<QDate> value = picker.value();
        return value ? std::optional<Date>(shell::toSysDays(*value)) : std::nullopt;
    };
    return {FaizDosyalarıListesi_->currentRow(), dayOrNone(*BaşlangıçTarihiKutusu_),
            dayOrNone(*BitişTarihiKutusu_), app::principalKey(AnaParaKutusu_->text().toStdString()),
            YılGünSayısıOnayı_->isChecked()};
}

void AnaForm::inputChanged() {
    if (session_.inputsChanged(inputsNow())) {
        clearBreakdown();
    }
}

void AnaForm::YılGünSayısıOnayıTıklandı() {
    session_.setYear360(YılGünSayısıOnayı_->isChecked());
}

void AnaForm::FaiziHesaplaButonuTıklandı() {
    // Alt+F leaves the focus where it is, possibly on a date half typed.
    BaşlangıçTarihiKutusu_->finishTyping();
    BitişTarihiKutusu_->finishTyping();
    if (!datesAreUsable()) {
        return;
    }
    const std::string principalText = AnaParaKutusu_->text().toStdString();
    const interest::Inputs inputs = calculationInputs(principalText);
    if (passesChecks(inputs)) {
        runCalculation(inputs);
    }
}

interest::Inputs AnaForm::calculationInputs(const std::string& principalText) const {
    return {dayOf(*BaşlangıçTarihiKutusu_), dayOf(*BitişTarihiKutusu_), principalText,
            session_.divisor()};
}

// The checks look at the list as it is shown, and a refused calculation leaves
// the breakdown on display untouched.
bool AnaForm::passesChecks(const interest::Inputs& inputs) {
    // Without a list there is nothing to compute over; the user is told so in words.
    const int row = FaizDosyalarıListesi_->currentRow();
    if (row < 0 || session_.shownList().Periods.empty()) {
        shell::showNotice(row < 0 ? NoListNotice
                                  : u'"' + toQString(session_.nameAt(row)) + u'"' + EmptyListTail);
        FaizDosyalarıListesi_->setFocus();
        return false;
    }
    const interest::Outcome outcome = interest::calculate(session_.shownList(), inputs);
    if (const auto* rejection = std::get_if<interest::Rejection>(&outcome)) {
        refuse(*rejection);
        return false;
    }
    // Any failure is the run's own, on the list as it is stored now.
    return true;
}

// The run reads the list again from its file, so it uses the list as stored now.
void AnaForm::runCalculation(const interest::Inputs& inputs) {
    // A list that could not be read has been reported; there is nothing to compute.
    if (!loadForDisplay(FaizDosyalarıListesi_->currentRow())) {
        return;
    }
    std::optional<interest::Outcome> run;
    breakdownModel_->change([&] {
        session_.startBreakdown(inputsNow());
        run = interest::calculate(session_.shownList(), inputs,
                                  [this](const interest::InterestRow& row) {
                                      session_.addRow(breakdown::rowCells(row));
                                  });
    });
    const interest::Outcome& outcome = *run;
    if (const auto* rejection = std::get_if<interest::Rejection>(&outcome)) {
        refuse(*rejection);
        return;
    }
    const interest::Calculation& calculation = std::get<interest::Calculation>(outcome);
    // A run that fails before its first row (periods that do not follow one another,
    // an overflow at once) has nothing to show, not even a total.
    if (calculation.failure &&
        (!shell::reportError(*calculation.failure) || calculation.rows.empty())) {
        return;
    }
    const std::string total = breakdown::totalText(calculation.total);
    showTotal(toQString(total));
    SatırNotuEtiketi_->setVisible(!calculation.rows.empty());
    session_.finishBreakdown(
        total, {session_.shownList(), text::parseAmount(inputs.principalText).value_or(0.0),
                inputs.start, inputs.end, inputs.divisor, calculation.ranPastListEnd});
    if (calculation.ranPastListEnd) {
        showRunOnNotice(breakdown::runOnNotice(*calculation.ranPastListEnd),
                        !calculation.ranPastListEnd->checkedToListEnd,
                        session_.shownList().Periods);
    }
}

void AnaForm::ÇıkışButonuTıklandı() {
    close();
}
