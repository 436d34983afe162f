#pragma once

// The "Ödeme Taahhüdü" part of the claim window: the terms of a payment undertaking
// (kept in the file's "taahhut" block), the plan core/plan makes of them for the
// file as it stands, and the undertaking as PDF or word-processor document.

#include "core/claim/ClaimFile.h"
#include "core/plan/PaymentPlan.h"
#include "core/report/Report.h"

#include <QList>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class AnaParaKutusu;
class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTableView;

namespace mirvane::shell {
class DateTimePicker;
class ListView;
} // namespace mirvane::shell

class InstalmentModel;

class UndertakingPanel : public QWidget {
public:
    // Called with the terms after every edit (nullopt: the file has no undertaking).
    using TermsChanged = std::function<void(std::optional<mirvane::claim::Undertaking>)>;

    explicit UndertakingPanel(TermsChanged changed, QWidget* parent = nullptr);
    ~UndertakingPanel() override;

    // Shows the terms of a file just opened or made; no edit is reported.
    void showTerms(const std::optional<mirvane::claim::Undertaking>& terms);
    // Makes the plan for `file` under its own terms; `computes` says whether the
    // claim itself can be computed now.
    void compute(const mirvane::claim::ClaimFile& file, bool computes);

    const std::optional<mirvane::plan::Plan>& plan() const { return plan_; }
    // "Ödeme Taahhüdü PDF..." and "... Word'e Aktar", enabled while there is a plan.
    QList<QAction*> menuActions() const;
    mirvane::report::Document document() const;

private:
    QWidget* buildTerms();
    void edited();
    void kindChanged();
    std::optional<mirvane::claim::Undertaking> termsFromFields(QString& problem) const;
    void setAmount(int instalment, mirvane::claim::Kurus amount);
    void showPlan(const QString& problem);
    void exportPdf();
    void exportWord();

    TermsChanged changed_;
    std::optional<mirvane::claim::Undertaking> terms_;
    mirvane::claim::ClaimFile file_;
    std::optional<mirvane::plan::Plan> plan_;
    bool showing_ = false;

    QCheckBox* TaahhütOnayı_ = nullptr;
    QWidget* TaahhütAlanı_ = nullptr;
    mirvane::shell::DateTimePicker* TaahhütTarihiKutusu_ = nullptr;
    AnaParaKutusu* PeşinatKutusu_ = nullptr;
    QSpinBox* TaksitSayısıKutusu_ = nullptr;
    mirvane::shell::DateTimePicker* İlkVadeKutusu_ = nullptr;
    QComboBox* AralıkKutusu_ = nullptr;
    QComboBox* TaksitTürüKutusu_ = nullptr;
    QLineEdit* AlacaklıKutusu_ = nullptr;
    QLineEdit* BorçluKutusu_ = nullptr;
    QLineEdit* DosyaNoKutusu_ = nullptr;
    QLabel* TaahhütHataEtiketi_ = nullptr;
    mirvane::shell::ListView* TaahhütBorçListesi_ = nullptr;
    QTableView* TaksitlerTablosu_ = nullptr;
    InstalmentModel* model_ = nullptr;
    QLabel* TaahhütToplamEtiketi_ = nullptr;
    QLabel* TaahhütUyarıEtiketi_ = nullptr;
    QAction* TaahhütPdfMenüsü_ = nullptr;
    QAction* TaahhütWordMenüsü_ = nullptr;
};
