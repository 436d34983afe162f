#pragma once

// The small dialog that asks for the name of a new rate list; the caller reads the name
// accepted from it once it is closed.

#include <QDialog>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

class ListeAdıGirişFormu : public QDialog {
public:
    static constexpr int NameLengthLimit = 100;

    // `proposed`, when given, stands in the name box, selected, for the user to
    // accept or overwrite.
    explicit ListeAdıGirişFormu(QWidget* owner = nullptr, const QString& proposed = QString());

    // The name Tamam accepted, spaces around it dropped; empty when the dialog was
    // cancelled or closed without one.
    const std::string& acceptedName() const { return acceptedName_; }

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
    std::string acceptedName_;
};
