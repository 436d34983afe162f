#pragma once

// The menus of a claim window: "Dosya" (new, open, the recent files, save, the
// reports as PDF and for Word, the undertakings, close) and "Düzen" with "Geri Al".
// The report entries are usable only while a result is on display.

#include "core/claim/ClaimSession.h"

#include <QList>
#include <QString>
#include <functional>

class QAction;
class QMainWindow;
class QMenu;

namespace claimui {

// What the entries do that the window does.
struct ClaimMenuHooks {
    std::function<void()> openNew;
    std::function<void()> openChosenFile;
    std::function<void(QMenu& menu)> fillRecentMenu;
    std::function<void()> save;
    std::function<void()> saveAs;
    std::function<void()> undo;
    // The entries of the undertaking panel, shown in "Dosya".
    QList<QAction*> undertakingActions;
    // The name the reports are saved under.
    std::function<QString()> reportName;
    // A line in the status bar; an empty text takes it away.
    std::function<void(const QString& text)> showStatus;
};

class ClaimMenu {
public:
    // The session outlives the menu.
    ClaimMenu(QMainWindow& window, const mirvane::claim::ClaimSession& session,
              ClaimMenuHooks hooks);

    // The report entries follow whether the session has a result.
    void showResultState();
    // "Geri Al" says what it would bring back.
    void showUndoState();

private:
    void exportPdf();
    void exportWord();
    void saveWord();

    QMainWindow& window_;
    const mirvane::claim::ClaimSession& session_;
    ClaimMenuHooks hooks_;

    QMenu* SonDosyalarMenüsü_ = nullptr;
    QAction* PdfMenüsü_ = nullptr;
    QAction* WordMenüsü_ = nullptr;
    QAction* WordKaydetMenüsü_ = nullptr;
    QAction* GeriAlMenüsü_ = nullptr;
};

} // namespace claimui
