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

private:
    void YeniDönemBelirleListeyeEkleButonuTıklandı();
    void DönemiGüncelleButonuTıklandı();
    void VazgeçButonuTıklandı();
    void SonDönemiSilButonuTıklandı();
    void ListeyiKaydetButonuTıklandı();

    void loadList();
    void beginNewPeriod();
    void confirmEntry();
    // Entry: the entry area and Vazgeç enabled, the list and its buttons locked.
    void showState(bool entry);
    mirvane::editing::Neighbours neighboursOfEntry() const;

    QPushButton* DönemiGüncelleButonu_ = nullptr;
    QPushButton* SonDönemiSilButonu_ = nullptr;
    QPushButton* ListeyiKaydetButonu_ = nullptr;

    std::string listName_;
    bool UpdatingSelectedPeriod_ = false;
    // The row being edited while UpdatingSelectedPeriod_ holds.
    int editedRow_ = -1;
};
