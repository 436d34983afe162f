#pragma once

// What the main window's buttons do beside the calculation: the windows opened over it
// (a new list, the update of one, the date span, the claim files, About) and the
// deletion of a list file; when a modal window changed the folder, the lists are read
// again.

#include "core/app/BreakdownSession.h"

#include <QString>
#include <functional>
#include <string>

class QDialog;
class QLabel;
class QListWidget;
class QPushButton;
class QWidget;

namespace mirvane::ui {

// The controls of the window the actions work with, and what the window does for them.
struct ListFileActionParts {
    QWidget* window = nullptr;
    QListWidget* FaizDosyalarıListesi = nullptr;
    QLabel* SonDönemUyarısıEtiketi = nullptr;
    QPushButton* YeniListeEkleButonu = nullptr;
    QPushButton* ListeSilButonu = nullptr;
    QPushButton* ListeyiGüncelleButonu = nullptr;
    QPushButton* SüreHesaplaButonu = nullptr;
    QPushButton* HakkındaButonu = nullptr;
    QPushButton* DosyaHesabıButonu = nullptr;
    // Reads the folder again and selects the list of that name (the window's
    // refreshListNames).
    std::function<void(const std::string& listToSelect)> refreshListNames;
    // Shows the list at a row of the list of lists.
    std::function<void(int row)> showList;
};

class ListFileActions {
public:
    // Connects the buttons and the notice's links; the session and the controls
    // outlive it.
    ListFileActions(app::BreakdownSession& session, ListFileActionParts parts);

    // As AnaForm::openModal.
    void openModal(QDialog& dialog, const std::function<std::string()>& savedList = {});
    void deleteSelectedList();

private:
    void YeniListeEkleButonuTıklandı();
    void ListeyiGüncelleButonuTıklandı();
    // The stale-rate notice's links: the update window with the list brought current,
    // or the installation of a rate package.
    void SonDönemUyarısıBağlantısıTıklandı(const QString& link);
    void SüreHesaplaButonuTıklandı();
    void HakkındaButonuTıklandı();
    void DosyaHesabıButonuTıklandı();

    app::BreakdownSession& session_;
    ListFileActionParts parts_;
};

} // namespace mirvane::ui
