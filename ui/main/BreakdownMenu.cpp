#include "ui/main/BreakdownMenu.h"

#include "core/report/ReportTexts.h"
#include "shell/Convert.h"
#include "shell/Messages.h"
#include "shell/SharedValues.h"
#include "ui/report/PdfExport.h"
#include "ui/report/WordExport.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>

namespace mirvane::ui {

namespace {

const QString EmptyListNotice = QStringLiteral("Liste boş!");

void putOnClipboard(const QString& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}

} // namespace

BreakdownMenu::BreakdownMenu(app::BreakdownSession& session, BreakdownMenuParts parts)
    : session_(session), parts_(std::move(parts)) {
    QWidget* window = parts_.window;
    QObject::connect(parts_.ListeyiAktarDüğmesi, &QPushButton::clicked, window,
                     [this] { ListeyiAktarDüğmesiBasıldı(); });
    const std::pair<QAction*, void (BreakdownMenu::*)()> items[] = {
        {parts_.SadeceToplamıKopyalaMenüsü, &BreakdownMenu::SadeceToplamıKopyalaMenüsüTıklandı},
        {parts_.TümListeyiKopyalaMenüsü, &BreakdownMenu::TümListeyiKopyalaMenüsüTıklandı},
        {parts_.ListeyiMSWordeAktarMenüsü, &BreakdownMenu::ListeyiMSWordeAktarMenüsüTıklandı},
        {parts_.ListeyiPDFeAktarMenüsü, &BreakdownMenu::ListeyiPDFeAktarMenüsüTıklandı},
        {parts_.WordBelgesiOlarakKaydetMenüsü,
         &BreakdownMenu::WordBelgesiOlarakKaydetMenüsüTıklandı},
    };
    for (const auto& [item, handler] : items) {
        QObject::connect(item, &QAction::triggered, window,
                         [this, handler] { (this->*handler)(); });
    }
}

void BreakdownMenu::ListeyiAktarDüğmesiBasıldı() {
    if (session_.rows().empty()) {
        shell::showNotice(EmptyListNotice);
        return;
    }
    QPushButton* button = parts_.ListeyiAktarDüğmesi;
    parts_.openMenu(button->mapToGlobal(QPoint(0, button->height())), nullptr);
}

void BreakdownMenu::FaizDökümüListesiSağTıklandı(const QPoint& globalPosition) {
    if (!session_.rows().empty()) {
        parts_.openMenu(globalPosition, parts_.SadeceToplamıKopyalaMenüsü);
    }
}

void BreakdownMenu::SadeceToplamıKopyalaMenüsüTıklandı() {
    putOnClipboard(parts_.ToplamFaizKutusu->text());
}

// The rows and the total as the session holds them, which are the texts the user reads.
void BreakdownMenu::TümListeyiKopyalaMenüsüTıklandı() {
    putOnClipboard(shell::toQString(session_.copyAll()));
}

// The export itself copies the whole list first, so that the clipboard holds
// the whole breakdown afterwards, as with the copy item; the document holds what the PDF
// holds.
void BreakdownMenu::ListeyiMSWordeAktarMenüsüTıklandı() {
    word::exportToWordProcessor(
        [this] {
            TümListeyiKopyalaMenüsüTıklandı();
            return breakdownDocument();
        },
        word::breakdownDocumentName(), {parts_.showStatus, [this] {
                                            WordBelgesiOlarakKaydetMenüsüTıklandı();
                                        }});
}

void BreakdownMenu::ListeyiPDFeAktarMenüsüTıklandı() {
    if (!session_.canReport()) {
        shell::showNotice(EmptyListNotice);
        return;
    }
    pdf::saveReport(parts_.window, breakdownDocument(), pdf::suggestedFileName(reportName()));
}

void BreakdownMenu::WordBelgesiOlarakKaydetMenüsüTıklandı() {
    if (!session_.canReport()) {
        shell::showNotice(EmptyListNotice);
        return;
    }
    const QString file = word::saveDocument(parts_.window, breakdownDocument(),
                                            word::suggestedFileName(reportName()));
    if (!file.isEmpty()) {
        parts_.showStatus(word::savedStatus(file));
    }
}

// The report of the breakdown on display; with none computed, the header row alone,
// as the whole-list copy has it.
report::Document BreakdownMenu::breakdownDocument() const {
    return session_.document(shell::toSysDays(shell::shared().today()));
}

QString BreakdownMenu::reportName() const {
    return shell::toQString(report::BreakdownTitle) + u' ' +
           (session_.facts() ? shell::toQString(session_.facts()->list.Name) : QString());
}

} // namespace mirvane::ui
