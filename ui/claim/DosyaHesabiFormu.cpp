#include "ui/claim/DosyaHesabiFormu.h"

#include "core/app/AppInfo.h"
#include "shell/Convert.h"
#include "shell/Messages.h"
#include "shell/SharedValues.h"
#include "shell/SingleInstance.h"
#include "ui/claim/ClaimControls.h"
#include "ui/claim/ClaimHeaderFields.h"
#include "ui/claim/ClaimItemsEditor.h"
#include "ui/claim/ClaimMenu.h"
#include "ui/claim/ClaimPaymentsEditor.h"
#include "ui/claim/RaporPaneli.h"
#include "ui/claim/SeceneklerPaneli.h"
#include "ui/claim/SetOffOrderEditor.h"
#include "ui/claim/SonucPaneli.h"
#include "ui/claim/UndertakingPanel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

using namespace mirvane;
using shell::toQString;
using namespace claimui;

namespace {

const QString SettingsGroup = QStringLiteral("DosyaHesabi");
const QString GeometryKey = QStringLiteral("Geometri");
const QString WindowName = QStringLiteral("DosyaHesabıFormu");

} // namespace

void DosyaHesabıFormu::setFileChooser(FileChooser chooser) {
    ClaimFileActions::setChooser(std::move(chooser));
}

void DosyaHesabıFormu::setRecoveryFolder(std::filesystem::path folder) {
    ClaimFileActions::setRecoveryFolder(std::move(folder));
}

void DosyaHesabıFormu::offerRecoveredFiles(QWidget* owner) {
    if (ClaimFileActions::recoveryFolder().empty()) {
        return;
    }
    for (const claim::FoundCopy& found :
         claim::findRecoveryCopies(ClaimFileActions::recoveryFolder())) {
        const QString question =
            QStringLiteral("%1 dosyasında kaydedilmemiş değişiklikler var. Geri yüklensin mi?")
                .arg(toQString(claim::offeredName(found.copy)));
        if (!shell::askYesNo(question)) {
            claim::removeRecoveryCopy(found.path);
            continue;
        }
        auto window = std::make_unique<DosyaHesabıFormu>(owner);
        if (window->files_->restore(found)) {
            window.release()->show();
        }
    }
}

void DosyaHesabıFormu::startRecovery(QWidget* owner) {
    setRecoveryFolder(claim::recoveryFolder().value_or(std::filesystem::path()));
    offerRecoveredFiles(owner);
}

DosyaHesabıFormu::DosyaHesabıFormu(QWidget* owner)
    : QMainWindow(owner, Qt::Window), session_(ClaimFileActions::recoveryFolder(), &settings_) {
    setObjectName(WindowName);
    setAttribute(Qt::WA_DeleteOnClose);
    files_ = std::make_unique<ClaimFileActions>(
        session_,
        ClaimFileParts{
            this, [this] { showFile(); }, [this](const QString& text) { showStatus(text); },
            [](const QString& path) {
                const std::vector<DosyaHesabıFormu*> windows = openWindows();
                return std::any_of(
                    windows.begin(), windows.end(), [&path](const DosyaHesabıFormu* window) {
                        return !window->filePath().isEmpty() &&
                               QFileInfo(window->filePath()).absoluteFilePath() == path;
                    });
            },
            [this](const QString& path) {
                openFile(path, parentWidget());
            }});
    session_.file().calculationDate = shell::toSysDays(shell::shared().today());

    auto* central = new QWidget;
    auto* layout = new QHBoxLayout(central);
    auto* splitter = new QSplitter(Qt::Horizontal);
    GirdiSekmeleri_ = named(new QTabWidget, QStringLiteral("GirdiSekmeleri"));
    GirdiSekmeleri_->addTab(buildInputs(), QStringLiteral("T&utarlar"));
    RaporPaneli_ = new RaporPaneli(session_.file(), [this] { changed(); });
    GirdiSekmeleri_->addTab(RaporPaneli_, QStringLiteral("Ra&por"));
    SeçeneklerPaneli_ = new SeceneklerPaneli(
        session_.file(), [this] { changed(); },
        [this] { return session_.rateChoices(shell::shared().listSource()); });
    GirdiSekmeleri_->addTab(SeçeneklerPaneli_, QStringLiteral("Se&çenekler"));
    // The items may have changed since the alternatives were last shown.
    connect(GirdiSekmeleri_, &QTabWidget::currentChanged, this, [this](int index) {
        if (GirdiSekmeleri_->widget(index) == SeçeneklerPaneli_) {
            SeçeneklerPaneli_->showFile();
        }
    });
    splitter->addWidget(GirdiSekmeleri_);
    SonuçPaneli_ = new SonucPaneli(
        [this](std::optional<claim::Undertaking> terms) {
            session_.file().undertaking = std::move(terms);
            changed();
        },
        [this] { GüncelOranlarButonuTıklandı(); });
    splitter->addWidget(SonuçPaneli_);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({640, 540});
    layout->addWidget(splitter);
    setCentralWidget(central);
    statusBar()->setObjectName(QStringLiteral("DurumÇubuğu"));
    menu_ = std::make_unique<ClaimMenu>(
        *this, session_,
        ClaimMenuHooks{[this] { openNew(parentWidget()); }, [this] { files_->openChosenFile(); },
                       [this](QMenu& menu) { files_->fillRecentMenu(menu); }, [this] { save(); },
                       [this] { saveAs(); }, [this] { GeriAlMenüsüTıklandı(); },
                       SonuçPaneli_->undertakings()->menuActions(), [this] { return reportName(); },
                       [this](const QString& text) {
                           showStatus(text);
                       }});
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { focusMoved(now); });

    QSettings settings(toQString(app::MakerName), toQString(app::ProductName));
    settings.beginGroup(SettingsGroup);
    if (!restoreGeometry(settings.value(GeometryKey).toByteArray())) {
        resize(1180, 760);
    }
    // A second window does not hide the first one exactly.
    const std::size_t others = openWindows().size();
    if (others > 0) {
        move(pos() + QPoint(30, 30) * int(std::min<std::size_t>(others, 8)));
    }
    showFile();
}

DosyaHesabıFormu::~DosyaHesabıFormu() = default;

// The header, the items, the payments and the set-off order, one under the
// other.
QWidget* DosyaHesabıFormu::buildInputs() {
    const PartHooks hooks{[this] { changed(); },
                          [this] {
                              showProblem();
                          }};
    const auto refreshUndo = [this] {
        menu_->showUndoState();
    };
    auto* inputs = new QWidget;
    auto* inputsLayout = new QVBoxLayout(inputs);
    inputsLayout->setContentsMargins(0, 0, 0, 0);
    header_ = new ClaimHeaderFields(session_, hooks);
    inputsLayout->addWidget(header_);
    items_ = new ClaimItemsEditor(session_, hooks, refreshUndo);
    inputsLayout->addWidget(items_, 3);
    payments_ = new ClaimPaymentsEditor(session_, hooks, refreshUndo);
    inputsLayout->addWidget(payments_, 2);
    setOffOrder_ = new SetOffOrderEditor(session_, [this] { changed(); });
    inputsLayout->addWidget(setOffOrder_);
    return inputs;
}

QString DosyaHesabıFormu::filePath() const {
    return files_->filePath();
}

DosyaHesabıFormu* DosyaHesabıFormu::openNew(QWidget* owner) {
    auto* window = new DosyaHesabıFormu(owner);
    window->show();
    return window;
}

DosyaHesabıFormu* DosyaHesabıFormu::openFile(const QString& path, QWidget* owner) {
    const QString wanted = QFileInfo(path).absoluteFilePath();
    for (DosyaHesabıFormu* window : openWindows()) {
        if (!window->filePath().isEmpty() &&
            QFileInfo(window->filePath()).absoluteFilePath() == wanted) {
            shell::bringToFront(window);
            return window;
        }
    }
    auto window = std::make_unique<DosyaHesabıFormu>(owner);
    if (!window->load(wanted)) {
        return nullptr;
    }
    window->show();
    return window.release();
}

std::vector<DosyaHesabıFormu*> DosyaHesabıFormu::openWindows() {
    std::vector<DosyaHesabıFormu*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == WindowName && !widget->testAttribute(Qt::WA_WState_Hidden) &&
            widget->isVisible()) {
            windows.push_back(static_cast<DosyaHesabıFormu*>(widget));
        }
    }
    return windows;
}

bool DosyaHesabıFormu::load(const QString& path) {
    return files_->load(path);
}

bool DosyaHesabıFormu::save() {
    return files_->save();
}

bool DosyaHesabıFormu::saveAs() {
    return files_->saveAs();
}

void DosyaHesabıFormu::showFile() {
    header_->showFile();
    items_->showFile();
    payments_->showFile();
    setOffOrder_->showSetOffOrder();
    SonuçPaneli_->undertakings()->showTerms(session_.file().undertaking);
    RaporPaneli_->showFile();
    SeçeneklerPaneli_->showFile();
    session_.setFieldError(std::nullopt);
    session_.setFreshRow(std::nullopt);
    menu_->showUndoState();
    setWindowModified(false);
    files_->refreshTitle();
    recompute();
}

// The row comes back where it stood (or last, if the rows before it have gone
// since), selected.
void DosyaHesabıFormu::GeriAlMenüsüTıklandı() {
    const std::optional<claim::ClaimSession::Deleted> last = session_.undo();
    if (!last) {
        return;
    }
    if (last->isItem) {
        items_->showRestored(int(last->index));
    } else {
        payments_->showRestored(int(last->index));
    }
    menu_->showUndoState();
    changed();
}

void DosyaHesabıFormu::GüncelOranlarButonuTıklandı() {
    session_.takeFolderLists(shell::shared().listSource());
    changed();
}

void DosyaHesabıFormu::changed() {
    session_.changed(claim::RecoveryKeeper::Clock::now());
    setWindowModified(true);
    files_->scheduleRecoveryCopy();
    recompute();
}

void DosyaHesabıFormu::recompute() {
    // An edit that leaves the figures as they were (a description, the title)
    // does not fill the tables again: a large file has tens of thousands of
    // slices.
    const bool figuresChanged = session_.recompute();
    showProblem();
    SonuçPaneli_->showDifferingLists(
        session_.listsDifferingFromFolder(shell::shared().listSource()));
    if (figuresChanged) {
        menu_->showResultState();
        SonuçPaneli_->showResult(session_.result());
    }
    // An alternative may change while the main figures stay as they were.
    SonuçPaneli_->showAlternatives(session_.file(), session_.result());
}

// The message stands under the part of the inputs it concerns and where the
// results would be; the row concerned is drawn in red. What a row just added
// still lacks waits until the user leaves it.
void DosyaHesabıFormu::showProblem() {
    using Section = claim::ProblemPlace::Section;
    const std::optional<claim::WordedRefusal> shown = session_.shownProblem();
    const QString text = shown ? toQString(shown->text) : QString();
    const std::optional<claim::ProblemPlace> place =
        shown ? std::optional(claim::problemPlace(shown->place)) : std::nullopt;
    const auto textAt = [&](Section section) {
        return place && place->section == section ? text : QString();
    };
    const auto rowAt = [&](Section section) {
        return place && place->section == section && place->row ? int(*place->row) : -1;
    };
    header_->showProblem(textAt(Section::File));
    items_->showProblem(textAt(Section::Items), rowAt(Section::Items));
    payments_->showProblem(textAt(Section::Payments), rowAt(Section::Payments));
    SonuçPaneli_->showProblem(text);
}

// Leaving the fields of a row just added, for another control of this window,
// ends its grace.
void DosyaHesabıFormu::focusMoved(QWidget* now) {
    if (!session_.freshRow() || !now || now->window() != this) {
        return;
    }
    const QWidget* area = session_.freshRow()->part == claim::RefusalPlace::Part::Item
                              ? items_->fields()
                              : payments_->fields();
    if (area->isAncestorOf(now)) {
        return;
    }
    session_.setFreshRow(std::nullopt);
    showProblem();
}

QString DosyaHesabıFormu::reportName() const {
    return filePath().isEmpty() ? toQString(session_.file().title)
                                : QFileInfo(filePath()).completeBaseName();
}

// Long enough for a slow word processor to come up; what follows may hold the
// window for a moment (looking for a word processor), so it is drawn at once.
void DosyaHesabıFormu::showStatus(const QString& text) {
    if (text.isEmpty()) {
        statusBar()->clearMessage();
    } else {
        statusBar()->showMessage(text, 20000);
    }
    statusBar()->repaint();
}

void DosyaHesabıFormu::closeEvent(QCloseEvent* event) {
    if (!files_->confirmDiscard()) {
        event->ignore();
        return;
    }
    files_->closing();
    QSettings settings(toQString(app::MakerName), toQString(app::ProductName));
    settings.beginGroup(SettingsGroup);
    settings.setValue(GeometryKey, saveGeometry());
    event->accept();
}
