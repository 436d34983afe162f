#pragma once

// The window in which the user changes an existing rate list: appends periods,
// corrects one in place, removes the last one, and saves the list back under its
// own name.

#include "ui/editor/EditorParts.h"

#include <string>

class QPushButton;

class ListeGüncelleFormu : public mirvane::editor::PeriodEditor {
public:
    // `listName` is the list selected in the main window.
    explicit ListeGüncelleFormu(std::string listName, QWidget* owner = nullptr);

    // Replaces the rows, from the first one that differs from the ready list the list
    // is an earlier state of, with that ready list's current periods; the rows stay
    // unsaved for the user to review. Does nothing to a list that is not recognised.
    void bringCurrent();

private:
    void YeniDönemBelirleListeyeEkleButonuTıklandı();
    void DönemiGüncelleButonuTıklandı();
    void VazgeçButonuTıklandı();
    void SonDönemiSilButonuTıklandı();
    void ListeyiKaydetButonuTıklandı();
    void HazırListeyleGüncelleButonuTıklandı();

    void loadList();
    void beginNewPeriod();
    void confirmEntry();
    // Entry: the entry area and Vazgeç enabled, the list and its buttons locked.
    void showState(bool entry);
    mirvane::editing::Neighbours neighboursOfEntry() const;
    // Puts the entry dates after the last row, as when the window opens.
    void followLastRow();
    // Enables the bring-current button for a recognised list in the idle state; its
    // tooltip says what it would change, or which period keeps the list unrecognised.
    void refreshBringCurrent();

    QPushButton* DönemiGüncelleButonu_ = nullptr;
    QPushButton* SonDönemiSilButonu_ = nullptr;
    QPushButton* ListeyiKaydetButonu_ = nullptr;
    QPushButton* HazırListeyleGüncelleButonu_ = nullptr;

    std::string listName_;
    bool UpdatingSelectedPeriod_ = false;
    // The row being edited while UpdatingSelectedPeriod_ holds.
    int editedRow_ = -1;
};
