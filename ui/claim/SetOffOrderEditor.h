#pragma once

// The order a claim file's payments settle its buckets in: the buckets from left to
// right, "Öne" and "Arkaya" to move the one selected (Alt with an arrow in the list
// does the same), and "Varsayılan" for the order the law sets.

#include "core/claim/ClaimSession.h"

#include <QGroupBox>
#include <functional>

class QListWidget;
class QPushButton;

namespace claimui {

class SetOffOrderEditor : public QGroupBox {
public:
    // The session outlives the editor; `changed` is called after each change of the order.
    SetOffOrderEditor(mirvane::claim::ClaimSession& session, std::function<void()> changed);

    // Shows the file's order, the selected place kept.
    void showSetOffOrder();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void moveBucket(int step);
    void VarsayılanSıraButonuTıklandı();

    mirvane::claim::ClaimSession& session_;
    std::function<void()> changed_;

    QListWidget* MahsupSırasıListesi_ = nullptr;
    QPushButton* YukarıButonu_ = nullptr;
    QPushButton* AşağıButonu_ = nullptr;
    QPushButton* VarsayılanSıraButonu_ = nullptr;
};

} // namespace claimui
