#include "ui/editor/ListeAdiGirisFormu.h"

#include "core/ratelist/ListEditing.h"
#include "core/text/TextForms.h"
#include "shell/Convert.h"
#include "shell/Layout.h"
#include "shell/Messages.h"
#include "shell/SharedValues.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

using namespace mirvane;
using shell::button;
using shell::fitToText;
using shell::FixedEdge;
using shell::layoutFont;
using shell::place;
using shell::px;
using shell::toQString;
using shell::twips;

// Only a close button beside the caption, which leaves the caption the room to show
// whole on a title bar as narrow as this dialog.
ListeAdıGirişFormu::ListeAdıGirişFormu(QWidget* owner, const QString& proposed)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                         Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("ListeAdıGirişFormu"));
    setWindowTitle(QStringLiteral("Liste Adı Girişi..."));
    setFixedSize(px(3060), px(1725));
    setFont(layoutFont(font()));

    const QRect labelArea = twips(300, 270, 1710, 195);
    Etiket_ = place(new QLabel(QStringLiteral("Lütfen bir liste adı giriniz!"), this),
                    QStringLiteral("Etiket"), labelArea);
    fitToText(Etiket_, labelArea, FixedEdge::Left);
    ListeAdıKutusu_ =
        place(new QLineEdit(this), QStringLiteral("ListeAdıKutusu"), twips(300, 570, 2445, 285));
    ListeAdıKutusu_->setMaxLength(NameLengthLimit);
    ListeAdıKutusu_->setText(proposed);
    ListeAdıKutusu_->selectAll();
    TamamButonu_ = button(this, QStringLiteral("TamamButonu"), QStringLiteral("Tamam"),
                          twips(300, 1050, 1185, 345));
    TamamButonu_->setDefault(true);
    İptalButonu_ = button(this, QStringLiteral("İptalButonu"), QStringLiteral("İptal"),
                          twips(1560, 1050, 1185, 345));
    setTabOrder(ListeAdıKutusu_, TamamButonu_);
    setTabOrder(TamamButonu_, İptalButonu_);
    makeRoomForTheCaption();

    connect(TamamButonu_, &QPushButton::clicked, this, &ListeAdıGirişFormu::TamamButonuTıklandı);
    connect(İptalButonu_, &QPushButton::clicked, this, &ListeAdıGirişFormu::İptalButonuTıklandı);
}

// Esc presses İptal. The window's own close command closes without touching the
// pending name.
void ListeAdıGirişFormu::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        İptalButonu_->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

// Window managers draw the caption in a larger, bold face beside their buttons; at
// the drawn width it was cut in the middle. The dialog widens to give it room, its
// controls kept together in the middle.
void ListeAdıGirişFormu::makeRoomForTheCaption() {
    QFont caption = font();
    caption.setBold(true);
    caption.setPointSizeF(caption.pointSizeF() * 1.25);
    constexpr int WindowManagerButtons = 130;
    const int needed =
        QFontMetrics(caption).horizontalAdvance(windowTitle()) + WindowManagerButtons;
    const int extra = std::max(0, needed - width());
    if (extra == 0) {
        return;
    }
    for (QWidget* control : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        control->move(control->pos() + QPoint(extra / 2, 0));
    }
    setFixedSize(width() + extra, height());
}

void ListeAdıGirişFormu::TamamButonuTıklandı() {
    const std::string name(text::trimSpaces(shell::toStdString(ListeAdıKutusu_->text())));
    ListeAdıKutusu_->setText(toQString(name));
    switch (editing::judgeName(shell::shared().ListFolder, name)) {
    case editing::NameVerdict::Missing:
        shell::showNotice(toQString(editing::NameMissing));
        ListeAdıKutusu_->setFocus();
        return;
    case editing::NameVerdict::Taken:
        shell::showNotice(toQString(editing::NameTaken));
        ListeAdıKutusu_->selectAll();
        ListeAdıKutusu_->setFocus();
        return;
    case editing::NameVerdict::Accepted:
        acceptedName_ = name;
        accept();
        return;
    }
}

void ListeAdıGirişFormu::İptalButonuTıklandı() {
    acceptedName_.clear();
    reject();
}
