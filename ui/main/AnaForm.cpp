#include "ui/main/AnaForm.h"

#include "core/app/BreakdownSession.h"
#include "core/interest/Breakdown.h"
#include "core/ratelist/FolderState.h"
#include "core/ratelist/RateListStore.h"
#include "core/report/ReportTexts.h"
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
#include "ui/about/HakkindaFormu.h"
#include "ui/about/RatePackageDialog.h"
#include "ui/claim/DosyaHesabiFormu.h"
#include "ui/editor/ListeEkleFormu.h"
#include "ui/editor/ListeGuncelleFormu.h"
#include "ui/main/ListFolderLists.h"
#include "ui/main/WindowPlacement.h"
#include "ui/report/PdfExport.h"
#include "ui/report/WordExport.h"
#include "ui/span/SureHesaplamaFormu.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDialog>
#include <QGuiApplication>
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
const QString EmptyListNotice = QStringLiteral("Liste boş!");
const QString LastListNotice = QStringLiteral("En az (1) faiz oranı listesi kalması gerekiyor!");
const QString DeleteQuestionTail =
    QStringLiteral(" adlı listeyi silmek istediğinizden emin misiniz?");

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
    connect(SonDönemUyarısıEtiketi_, &QLabel::linkActivated, this,
            &AnaForm::SonDönemUyarısıBağlantısıTıklandı);
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
    connect(ListeyiAktarDüğmesi_, &QPushButton::clicked, this,
            &AnaForm::ListeyiAktarDüğmesiBasıldı);
    connect(ListeSilButonu_, &QPushButton::clicked, this, &AnaForm::deleteSelectedList);
    connect(ÇıkışButonu_, &QPushButton::clicked, this, &AnaForm::ÇıkışButonuTıklandı);
    connect(YeniListeEkleButonu_, &QPushButton::clicked, this,
            &AnaForm::YeniListeEkleButonuTıklandı);
    connect(ListeyiGüncelleButonu_, &QPushButton::clicked, this,
            &AnaForm::ListeyiGüncelleButonuTıklandı);
    connect(SüreHesaplaButonu_, &QPushButton::clicked, this, &AnaForm::SüreHesaplaButonuTıklandı);
    connect(HakkındaButonu_, &QPushButton::clicked, this, &AnaForm::HakkındaButonuTıklandı);
    connect(DosyaHesabıButonu_, &QPushButton::clicked, this, &AnaForm::DosyaHesabıButonuTıklandı);
    connect(SadeceToplamıKopyalaMenüsü_, &QAction::triggered, this,
            &AnaForm::SadeceToplamıKopyalaMenüsüTıklandı);
    connect(TümListeyiKopyalaMenüsü_, &QAction::triggered, this,
            &AnaForm::TümListeyiKopyalaMenüsüTıklandı);
    connect(ListeyiMSWordeAktarMenüsü_, &QAction::triggered, this,
            &AnaForm::ListeyiMSWordeAktarMenüsüTıklandı);
    connect(ListeyiPDFeAktarMenüsü_, &QAction::triggered, this,
            &AnaForm::ListeyiPDFeAktarMenüsüTıklandı);
    connect(WordBelgesiOlarakKaydetMenüsü_, &QAction::triggered, this,
            &AnaForm::WordBelgesiOlarakKaydetMenüsüTıklandı);
}

// The export itself copies the whole list first, so that the clipboard holds
// the whole breakdown afterwards, as with the copy item; the document holds what the PDF
// holds.
void AnaForm::ListeyiMSWordeAktarMenüsüTıklandı() {
    word::exportToWordProcessor(
        [this] {
            TümListeyiKopyalaMenüsüTıklandı();
            return breakdownDocument();
        },
        QString::fromLatin1(word::BreakdownDocumentName),
        {[this](const QString& text) { showStatus(text); },
         [this] {
             WordBelgesiOlarakKaydetMenüsüTıklandı();
         }});
}

void AnaForm::ListeyiPDFeAktarMenüsüTıklandı() {
    if (!session_.canReport()) {
        shell::showNotice(EmptyListNotice);
        return;
    }
    pdf::saveReport(this, breakdownDocument(), pdf::suggestedFileName(reportName()));
}

void AnaForm::WordBelgesiOlarakKaydetMenüsüTıklandı() {
    if (!session_.canReport()) {
        shell::showNotice(EmptyListNotice);
        return;
    }
    const QString file =
        word::saveDocument(this, breakdownDocument(), word::suggestedFileName(reportName()));
    if (!file.isEmpty())
        showStatus(word::savedStatus(file));
}

// The report of the breakdown on display; with none computed, the header row alone,
// as the whole-list copy has it.
report::Document AnaForm::breakdownDocument() const {
    return session_.document(shell::toSysDays(shell::shared().today()));
}

QString AnaForm::reportName() const {
    return toQString(report::BreakdownTitle) + u' ' +
           (session_.facts() ? toQString(session_.facts()->list.Name) : QString());
}

void AnaForm::YeniListeEkleButonuTıklandı() {
    ListeEkleFormu window(this);
    openModal(window, [&window] { return window.savedListName(); });
}

void AnaForm::ListeyiGüncelleButonuTıklandı() {
    const int row = FaizDosyalarıListesi_->currentRow();
    if (row < 0) {
        return; // the update window needs a selected list
    }
    ListeGüncelleFormu window(session_.nameAt(row), this);
    openModal(window);
}

void AnaForm::SonDönemUyarısıBağlantısıTıklandı(const QString& link) {
    if (link == QStringLiteral("oran-paketi")) {
        ui::installRatePackage(this);
        return;
    }
    const int row = FaizDosyalarıListesi_->currentRow();
    if (row < 0) {
        return;
    }
    ListeGüncelleFormu window(session_.nameAt(row), this);
    window.bringCurrent();
    openModal(window);
}

void AnaForm::SüreHesaplaButonuTıklandı() {
    SüreHesaplamaFormu form(this);
    openModal(form);
}

// Claim windows are not modal: several may be open beside the main window.
void AnaForm::DosyaHesabıButonuTıklandı() {
    DosyaHesabıFormu::openNew(this);
}

void AnaForm::HakkındaButonuTıklandı() {
    HakkındaFormu form(this);
    openModal(form);
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
    const int row = FaizDosyalarıListesi_->currentRow();
    session_.rememberSelection(row);
    const std::vector<store::ListFileState> before = store::folderState(shell::shared().ListFolder);
    dialog.exec();
    const std::string saved = savedList ? savedList() : std::string();
    if (!saved.empty() || store::folderState(shell::shared().ListFolder) != before) {
        refreshListNames(saved);
    }
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
            FaizDökümüListesiSağTıklandı(request->globalPos());
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
    if (!shell::shared().ListFolderWritable) {
        return;
    }
    if (FaizDosyalarıListesi_->count() == 1) {
        shell::showNotice(LastListNotice);
        return;
    }
    const int row = FaizDosyalarıListesi_->currentRow();
    if (row < 0) {
        return;
    }
    const std::string name = session_.nameAt(row);
    if (!shell::askYesNo(u'"' + toQString(name) + u'"' + DeleteQuestionTail)) {
        return;
    }
    // A list whose file is still there must not vanish from view as if deleted.
    const Status deleted =
        store::deleteListFile(store::ListFilePath(shell::shared().ListFolder, name));
    if (!deleted && deleted.error().number != errors::FileNotFound) {
        shell::ReportError(deleted.error());
        return;
    }
    const int next = int(session_.removeList(std::size_t(row)));
    {
        const QSignalBlocker quiet(FaizDosyalarıListesi_);
        delete FaizDosyalarıListesi_->takeItem(row);
        FaizDosyalarıListesi_->setCurrentRow(next);
    }
    loadForDisplay(next);
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
        shell::ReportError(read.error());
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
        (!shell::ReportError(*calculation.failure) || calculation.rows.empty())) {
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

void AnaForm::ListeyiAktarDüğmesiBasıldı() {
    if (session_.rows().empty()) {
        shell::showNotice(EmptyListNotice);
        return;
    }
    openMenu(ListeyiAktarDüğmesi_->mapToGlobal(QPoint(0, ListeyiAktarDüğmesi_->height())), nullptr);
}

void AnaForm::FaizDökümüListesiSağTıklandı(const QPoint& globalPosition) {
    if (!session_.rows().empty()) {
        openMenu(globalPosition, SadeceToplamıKopyalaMenüsü_);
    }
}

void AnaForm::SadeceToplamıKopyalaMenüsüTıklandı() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(ToplamFaizKutusu_->text());
}

// The rows and the total as the session holds them, which are the texts the user reads.
void AnaForm::TümListeyiKopyalaMenüsüTıklandı() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(toQString(session_.copyAll()));
}

void AnaForm::ÇıkışButonuTıklandı() {
    close();
}
