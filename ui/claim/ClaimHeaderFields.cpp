#include "ui/claim/ClaimHeaderFields.h"

#include "shell/Controls.h"
#include "shell/Convert.h"
#include "shell/SharedValues.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

using namespace mirvane;

namespace claimui {

ClaimHeaderFields::ClaimHeaderFields(claim::ClaimSession& session, PartHooks hooks)
    : QGroupBox(QStringLiteral("Dosya")), session_(session), hooks_(std::move(hooks)) {
    setObjectName(QStringLiteral("DosyaÇerçevesi"));
    auto* form = new QFormLayout(this);
    BaşlıkKutusu_ = named(new QLineEdit, QStringLiteral("BaşlıkKutusu"));
    BaşlıkKutusu_->setPlaceholderText(QStringLiteral("örneğin İstanbul 5. İcra Dairesi 2024/1234"));
    HesapTarihiKutusu_ = named(new shell::DateTimePicker, QStringLiteral("HesapTarihiKutusu"));
    TakipTarihiOnayı_ =
        named(new QCheckBox(QStringLiteral("Ta&kip tarihi:")), QStringLiteral("TakipTarihiOnayı"));
    TakipTarihiKutusu_ = named(new shell::DateTimePicker, QStringLiteral("TakipTarihiKutusu"));
    GünEsasıKutusu_ = named(new QComboBox, QStringLiteral("GünEsasıKutusu"));
    GünEsasıKutusu_->addItems({QStringLiteral("365 gün"), QStringLiteral("360 gün")});
    form->addRow(fieldLabel(QStringLiteral("&Başlık:"), BaşlıkKutusu_), BaşlıkKutusu_);
    auto* dates = new QHBoxLayout;
    dates->addWidget(HesapTarihiKutusu_);
    dates->addSpacing(16);
    dates->addWidget(TakipTarihiOnayı_);
    dates->addWidget(TakipTarihiKutusu_);
    dates->addSpacing(16);
    dates->addWidget(fieldLabel(QStringLiteral("&Gün esası:"), GünEsasıKutusu_));
    dates->addWidget(GünEsasıKutusu_);
    dates->addStretch();
    form->addRow(fieldLabel(QStringLiteral("&Hesap tarihi:"), HesapTarihiKutusu_), dates);
    DosyaHataEtiketi_ = problemLabel(QStringLiteral("DosyaHataEtiketi"));
    form->addRow(DosyaHataEtiketi_);

    connect(BaşlıkKutusu_, &QLineEdit::textEdited, this, &ClaimHeaderFields::headerChanged);
    connect(HesapTarihiKutusu_, &QDateEdit::dateChanged, this, &ClaimHeaderFields::headerChanged);
    connect(TakipTarihiOnayı_, &QCheckBox::toggled, this, &ClaimHeaderFields::headerChanged);
    connect(TakipTarihiKutusu_, &QDateEdit::dateChanged, this, &ClaimHeaderFields::headerChanged);
    connect(GünEsasıKutusu_, &QComboBox::currentIndexChanged, this,
            &ClaimHeaderFields::headerChanged);
}

void ClaimHeaderFields::showFile() {
    const claim::ClaimFile& file = session_.file();
    showing_ = true;
    BaşlıkKutusu_->setText(shell::toQString(file.title));
    HesapTarihiKutusu_->setValue(shell::toQDate(file.calculationDate));
    TakipTarihiOnayı_->setChecked(file.filingDate.has_value());
    TakipTarihiKutusu_->setValue(file.filingDate ? qDateOf(file.filingDate)
                                                 : shell::shared().today());
    TakipTarihiKutusu_->setEnabled(file.filingDate.has_value());
    GünEsasıKutusu_->setCurrentIndex(file.dayBasis == 360 ? 1 : 0);
    showing_ = false;
}

void ClaimHeaderFields::showProblem(const QString& text) {
    showProblemText(*DosyaHataEtiketi_, text);
}

void ClaimHeaderFields::headerChanged() {
    if (showing_) {
        return;
    }
    TakipTarihiKutusu_->setEnabled(TakipTarihiOnayı_->isChecked());
    session_.editHeader({shell::toStdString(BaşlıkKutusu_->text()), dateOf(*HesapTarihiKutusu_),
                         TakipTarihiOnayı_->isChecked(), dateOf(*TakipTarihiKutusu_),
                         GünEsasıKutusu_->currentIndex() == 1 ? 360 : 365});
    hooks_.changed();
}

} // namespace claimui
