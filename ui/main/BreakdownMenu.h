#pragma once

// The main window's breakdown on its way out: the "Listeyi Aktar" menu, opened from its
// button or by a right click on the breakdown, with its two copies, the Word and PDF
// reports and the Word document saved.

#include "core/app/BreakdownSession.h"
#include "core/report/Report.h"

#include <QString>
#include <functional>

class QAction;
class QLineEdit;
class QPoint;
class QPushButton;
class QWidget;

namespace mirvane::ui {

// The controls of the window the menu works with.
struct BreakdownMenuParts {
    QWidget* window = nullptr;
    QPushButton* ListeyiAktarDüğmesi = nullptr;
    QLineEdit* ToplamFaizKutusu = nullptr;
    QAction* SadeceToplamıKopyalaMenüsü = nullptr;
    QAction* TümListeyiKopyalaMenüsü = nullptr;
    QAction* ListeyiMSWordeAktarMenüsü = nullptr;
    QAction* ListeyiPDFeAktarMenüsü = nullptr;
    QAction* WordBelgesiOlarakKaydetMenüsü = nullptr;
    // Pops the menu up at a place on the screen with its default item, if any, in bold.
    std::function<void(const QPoint& globalPosition, QAction* defaultItem)> openMenu;
    // The window's status message; an empty text takes it away.
    std::function<void(const QString& text)> showStatus;
};

class BreakdownMenu {
public:
    // Connects the button and the items; the session and the controls outlive it.
    BreakdownMenu(app::BreakdownSession& session, BreakdownMenuParts parts);

    // A right click on the breakdown at `globalPosition`: the menu, copying the total by
    // default, when there is a breakdown.
    void FaizDökümüListesiSağTıklandı(const QPoint& globalPosition);

private:
    void ListeyiAktarDüğmesiBasıldı();
    void SadeceToplamıKopyalaMenüsüTıklandı();
    void TümListeyiKopyalaMenüsüTıklandı();
    void ListeyiMSWordeAktarMenüsüTıklandı();
    void ListeyiPDFeAktarMenüsüTıklandı();
    void WordBelgesiOlarakKaydetMenüsüTıklandı();

    report::Document breakdownDocument() const;
    QString reportName() const;

    app::BreakdownSession& session_;
    BreakdownMenuParts parts_;
};

} // namespace mirvane::ui
