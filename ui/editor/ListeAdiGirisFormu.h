#pragma once

// The small dialog that asks for the name of a new rate list. An accepted name is
// handed back through mirvane::shell::shared().NewListName; İptal empties it.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class ListeAdıGirişFormu : public QDialog {
public:
    static constexpr int NameLengthLimit = 100;

    // `proposed`, when given, stands in the name box, selected, for the user to
    // accept or overwrite.
    explicit ListeAdıGirişFormu(QWidget* owner = nullptr, const QString& proposed = QString());

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void makeRoomForTheCaption();
    void TamamButonuTıklandı();
    void İptalButonuTıklandı();

    QLabel* Etiket_ = nullptr;
    QLineEdit* ListeAdıKutusu_ = nullptr;
    QPushButton* TamamButonu_ = nullptr;
    QPushButton* İptalButonu_ = nullptr;
};
