#include "ui/claim/ClaimMenu.h"

#include "core/report/ClaimReport.h"
#include "shell/Convert.h"
#include "shell/SharedValues.h"
#include "ui/report/PdfExport.h"
#include "ui/report/WordExport.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

using namespace mirvane;

namespace claimui {

ClaimMenu::ClaimMenu(QMainWindow& window, const claim::ClaimSession& session, ClaimMenuHooks hooks)
    : window_(window), session_(session), hooks_(std::move(hooks)) {
    QMenu* menu = window_.menuBar()->addMenu(QStringLiteral("&Dosya"));
    menu->setObjectName(QStringLiteral("DosyaMenüsü"));
    const auto add = [&](const QString& name, const QString& caption, QKeySequence keys,
                         auto handler) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        action->setShortcut(keys);
        QObject::connect(action, &QAction::triggered, &window_, handler);
        return action;
    };
    add(QStringLiteral("YeniMenüsü"), QStringLiteral("&Yeni"), QKeySequence::New,
        [this] { hooks_.openNew(); });
    add(QStringLiteral("AçMenüsü"), QStringLiteral("&Aç..."), QKeySequence::Open,
        [this] { hooks_.openChosenFile(); });
    SonDosyalarMenüsü_ = menu->addMenu(QStringLiteral("Son &Dosyalar"));
    SonDosyalarMenüsü_->setObjectName(QStringLiteral("SonDosyalarMenüsü"));
    QObject::connect(SonDosyalarMenüsü_, &QMenu::aboutToShow, &window_,
                     [this] { hooks_.fillRecentMenu(*SonDosyalarMenüsü_); });
    menu->addSeparator();
    add(QStringLiteral("KaydetMenüsü"), QStringLiteral("&Kaydet"), QKeySequence::Save,
        [this] { hooks_.save(); });
    add(QStringLiteral("FarklıKaydetMenüsü"), QStringLiteral("&Farklı Kaydet..."),
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), [this] { hooks_.saveAs(); });
    menu->addSeparator();
    PdfMenüsü_ = add(QStringLiteral("PdfMenüsü"), QStringLiteral("&PDF Olarak Kaydet..."),
                     QKeySequence(Qt::CTRL | Qt::Key_P), [this] { exportPdf(); });
    WordMenüsü_ = add(QStringLiteral("WordMenüsü"), QStringLiteral("&Word'e Aktar"), QKeySequence(),
                      [this] { exportWord(); });
    WordKaydetMenüsü_ =
        add(QStringLiteral("WordBelgesiOlarakKaydetMenüsü"),
            QStringLiteral("Word &Belgesi Olarak Kaydet…"), QKeySequence(), [this] { saveWord(); });
    menu->addSeparator();
    menu->addActions(hooks_.undertakingActions);
    menu->addSeparator();
    add(QStringLiteral("KapatMenüsü"), QStringLiteral("Ka&pat"), QKeySequence::Close,
        [this] { window_.close(); });

    // A deleted item or payment comes back with Ctrl+Z, where no text field takes
    // the key for its own typing.
    menu = window_.menuBar()->addMenu(QStringLiteral("Dü&zen"));
    menu->setObjectName(QStringLiteral("DüzenMenüsü"));
    GeriAlMenüsü_ = add(QStringLiteral("GeriAlMenüsü"), QStringLiteral("&Geri Al"),
                        QKeySequence::Undo, [this] { hooks_.undo(); });
    GeriAlMenüsü_->setEnabled(false);
}

void ClaimMenu::showResultState() {
    for (QAction* action : {PdfMenüsü_, WordMenüsü_, WordKaydetMenüsü_}) {
        action->setEnabled(session_.result().has_value());
    }
}

void ClaimMenu::showUndoState() {
    GeriAlMenüsü_->setEnabled(!session_.deleted().empty());
    GeriAlMenüsü_->setText(shell::toQString(session_.undoCaption()));
}

void ClaimMenu::exportPdf() {
    if (!session_.result()) {
        return;
    }
    const report::Document document = report::claimReport(
        session_.file(), *session_.result(), shell::toSysDays(shell::shared().today()));
    pdf::saveReport(&window_, document, pdf::suggestedFileName(hooks_.reportName()));
}

void ClaimMenu::exportWord() {
    if (!session_.result()) {
        return;
    }
    const report::Document document = report::claimReport(
        session_.file(), *session_.result(), shell::toSysDays(shell::shared().today()));
    word::exportToWordProcessor([&document] { return document; },
                                QStringLiteral("DosyaHesabi.dotx"), {hooks_.showStatus, [this] {
                                                                         saveWord();
                                                                     }});
}

void ClaimMenu::saveWord() {
    if (!session_.result()) {
        return;
    }
    const report::Document document = report::claimReport(
        session_.file(), *session_.result(), shell::toSysDays(shell::shared().today()));
    const QString file =
        word::saveDocument(&window_, document, word::suggestedFileName(hooks_.reportName()));
    if (!file.isEmpty()) {
        hooks_.showStatus(word::savedStatus(file));
    }
}

} // namespace claimui
