#pragma once

// The window in which the user builds a new rate list period by period and saves
// it under a new name.

#include "ui/editor/EditorParts.h"

#include <QString>
#include <cstddef>
#include <string>

class QPushButton;

class ListeEkleFormu : public mirvane::editor::PeriodEditor {
public:
    explicit ListeEkleFormu(QWidget* owner = nullptr);

    // The name of the list the last save wrote; empty when it wrote none.
    const std::string& savedListName() const { return savedListName_; }

private:
    void YeniDönemBelirleListeyeEkleButonuTıklandı();
    void VazgeçButonuTıklandı();
    void ListeyiTemizleButonuTıklandı();
    void ListeyiKaydetButonuTıklandı();
    // Fills the rows with the ready list `index`, unsaved; saving proposes its name.
    void hazırListeSeçildi(std::size_t index);

    void beginPeriod();
    void addPeriod();
    // Disables the entry area; clearing and saving need rows.
    void showIdleState();
    // Writes the rows as the list `name`; false (after telling the user) when
    // nothing was written.
    enum class WriteOutcome { Written, BadName, Failed };
    WriteOutcome writeList(const std::string& name);

    // Rows in this window are never saved: a save takes them away.
    bool hasUnsavedChanges() const override;

    QPushButton* ListeyiTemizleButonu_ = nullptr;
    QPushButton* ListeyiKaydetButonu_ = nullptr;
    QPushButton* HazırListelerButonu_ = nullptr;

    // The name of the ready list the rows were filled from, proposed when saving.
    QString proposedName_;
    std::string savedListName_;
};
