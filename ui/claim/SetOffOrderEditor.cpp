#include "ui/claim/SetOffOrderEditor.h"

#include "core/claim/ClaimTexts.h"
#include "shell/Convert.h"
#include "ui/claim/ClaimControls.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>

using namespace mirvane;

namespace claimui {

SetOffOrderEditor::SetOffOrderEditor(claim::ClaimSession& session, std::function<void()> changed)
    : QGroupBox(QStringLiteral("Mahsup sırası")), session_(session), changed_(std::move(changed)) {
    setObjectName(QStringLiteral("MahsupÇerçevesi"));
    auto* layout = new QHBoxLayout(this);
    MahsupSırasıListesi_ = named(new QListWidget, QStringLiteral("MahsupSırasıListesi"));
    MahsupSırasıListesi_->setFlow(QListView::LeftToRight);
    MahsupSırasıListesi_->setMaximumHeight(MahsupSırasıListesi_->fontMetrics().height() * 2 + 12);
    MahsupSırasıListesi_->installEventFilter(this);
    YukarıButonu_ = namedButton(QStringLiteral("YukarıButonu"), QStringLiteral("◀ Ö&ne"));
    AşağıButonu_ = namedButton(QStringLiteral("AşağıButonu"), QStringLiteral("&Arkaya ▶"));
    VarsayılanSıraButonu_ =
        namedButton(QStringLiteral("VarsayılanSıraButonu"), QStringLiteral("&Varsayılan"));
    layout->addWidget(MahsupSırasıListesi_, 1);
    layout->addWidget(YukarıButonu_);
    layout->addWidget(AşağıButonu_);
    layout->addWidget(VarsayılanSıraButonu_);

    connect(YukarıButonu_, &QPushButton::clicked, this, [this] { moveBucket(-1); });
    connect(AşağıButonu_, &QPushButton::clicked, this, [this] { moveBucket(1); });
    connect(VarsayılanSıraButonu_, &QPushButton::clicked, this,
            &SetOffOrderEditor::VarsayılanSıraButonuTıklandı);
}

void SetOffOrderEditor::showSetOffOrder() {
    const int current = MahsupSırasıListesi_->currentRow();
    MahsupSırasıListesi_->clear();
    for (const claim::Bucket bucket : session_.file().setOffOrder) {
        MahsupSırasıListesi_->addItem(shell::toQString(claim::bucketTitle(bucket)));
    }
    MahsupSırasıListesi_->setCurrentRow(std::max(current, 0));
}

void SetOffOrderEditor::moveBucket(int step) {
    const int row = MahsupSırasıListesi_->currentRow();
    if (row < 0 || !session_.moveBucket(std::size_t(row), step)) {
        return;
    }
    MahsupSırasıListesi_->setCurrentRow(row + step);
    showSetOffOrder();
    changed_();
}

void SetOffOrderEditor::VarsayılanSıraButonuTıklandı() {
    if (session_.useDefaultSetOffOrder()) {
        showSetOffOrder();
        changed_();
    }
}

// Alt with an arrow moves the selected bucket.
bool SetOffOrderEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == MahsupSırasıListesi_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & Qt::AltModifier) {
            if (key->key() == Qt::Key_Left || key->key() == Qt::Key_Up) {
                moveBucket(-1);
                return true;
            }
            if (key->key() == Qt::Key_Right || key->key() == Qt::Key_Down) {
                moveBucket(1);
                return true;
            }
        }
    }
    return QGroupBox::eventFilter(watched, event);
}

} // namespace claimui
