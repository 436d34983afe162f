#pragma once

// The right side of the claim window: what stops the calculation, the lists that
// differ from the folder's, the notices, and the result's tabs (the summary with the
// alternatives, the interest slices, the set-off of each payment and the payment
// undertaking). It shows what the claim session computed.

#include "core/claim/ClaimEngine.h"
#include "core/claim/ClaimFile.h"
#include "core/claim/Undertaking.h"
#include "ui/claim/ResultRows.h"

#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class ColumnSpread;
class KarsilastirmaModeli;
class QLabel;
class QPushButton;
class QTabWidget;
class QTableView;
class UndertakingPanel;

namespace mirvane::shell {
class CellTableModel;
class ListView;
class TableView;
} // namespace mirvane::shell

class SonucPaneli : public QWidget {
public:
    // `termsChanged`: the undertaking's terms were edited; `takeFolderLists`: the user
    // asked to compute with the folder's lists.
    SonucPaneli(std::function<void(std::optional<mirvane::claim::Undertaking>)> termsChanged,
                std::function<void()> takeFolderLists);

    // The message in the results' place; an empty text takes it away.
    void showProblem(const QString& text);
    // The lists whose copy in the file differs from the folder's (none hides the line).
    void showDifferingLists(const std::vector<std::string>& names);
    // Fills the tabs with the result; nullopt empties and hides them.
    void showResult(const std::optional<mirvane::claim::ClaimResult>& result);
    // The alternatives and the undertaking, which may change while the figures stay.
    void showAlternatives(const mirvane::claim::ClaimFile& file,
                          const std::optional<mirvane::claim::ClaimResult>& result);
    UndertakingPanel* undertakings() const { return TaahhütPaneli_; }

private:
    // The slices and the set-offs of `result` (none for nullopt).
    void showRows(const std::optional<mirvane::claim::ClaimResult>& result);

    QLabel* HataEtiketi_ = nullptr;
    QLabel* UyarıEtiketi_ = nullptr;
    QLabel* NotEtiketi_ = nullptr;       // plain notes, below the warnings
    QLabel* TakipTutarıNotu_ = nullptr;  // under the summary: what the filing total holds
    QLabel* DilimNotuEtiketi_ = nullptr; // under the slices: how their rows are read
    QWidget* GüncelOranlarAlanı_ = nullptr;
    QLabel* GüncelOranlarEtiketi_ = nullptr;
    QPushButton* GüncelOranlarButonu_ = nullptr;
    QTabWidget* SonuçSekmeleri_ = nullptr;
    mirvane::shell::ListView* ÖzetListesi_ = nullptr;
    mirvane::shell::TableView* DilimlerListesi_ = nullptr;
    mirvane::shell::TableView* MahsupListesi_ = nullptr;
    // The rows on display: the panel keeps its own copy, since the session's result is
    // replaced on the next edit, before the tables are told.
    std::vector<mirvane::claim::Slice> slices_;
    std::vector<mirvane::claim::SetOff> setOffs_;
    ResultRows sliceRows_;
    ResultRows setOffRows_;
    mirvane::shell::CellTableModel* sliceModel_ = nullptr;
    mirvane::shell::CellTableModel* setOffModel_ = nullptr;
    ColumnSpread* DilimSütunları_ = nullptr;
    ColumnSpread* MahsupSütunları_ = nullptr;
    UndertakingPanel* TaahhütPaneli_ = nullptr;
    KarsilastirmaModeli* KarşılaştırmaModeli_ = nullptr;
    QTableView* KarşılaştırmaTablosu_ = nullptr;
};
