#pragma once

// The main window: pick a rate list, enter dates and principal, calculate, copy.

#include "core/app/BreakdownSession.h"
#include "core/interest/InterestEngine.h"
#include "shell/Convert.h"
#include "ui/main/AnaFormControls.h"

#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QDialog;

namespace mirvane::ui {
class BreakdownMenu;
class ListFileActions;
} // namespace mirvane::ui

namespace mirvane::shell {
class CellTableModel;
} // namespace mirvane::shell

class AnaForm : public QWidget, private AnaFormControls {
    Q_OBJECT
public:
    explicit AnaForm(QWidget* parent = nullptr);
    ~AnaForm() override;

    // Shows `dialog` modally over this window. When it closes, the list of rate
    // lists is rebuilt only if the dialog added, saved, deleted or renamed a list;
    // otherwise the selection and the breakdown stay as they were. `savedList`, when
    // given, names the list the dialog saved under a new name: the rebuilt list
    // selects it.
    void openModal(QDialog& dialog, const std::function<std::string()>& savedList = {});

    // Closes the window as "Çıkış" does, without asking whether to leave: the user
    // already chose to end. Each claim window still asks about its unsaved changes,
    // and the settings are written.
    void endProgram();

    // `listToSelect`, where a list of that name exists, is selected; otherwise the list
    // selected before.
    void refreshListNames(const std::string& listToSelect = {});
    void deleteSelectedList();

    std::int32_t dayCountDivisor() const { return session_.divisor(); }
    std::int16_t selectedListIndex() const { return session_.rememberedPosition(); }
    const std::string& selectedListName() const { return session_.rememberedName(); }
    // The text the whole-list copy put on the clipboard last.
    QString exportText() const { return mirvane::shell::toQString(session_.lastCopied()); }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectHandlers();

    void createColumns();
    void setInitialDates();
    void readSettings();
    void writeSettings();

    // Handlers.
    void FaizDosyalarıListesiSeçildi(int row);
    void YılGünSayısıOnayıTıklandı();
    void FaiziHesaplaButonuTıklandı();
    void ÇıkışButonuTıklandı();

    // Loading for display of the list at `row`, and the emptying it starts with.
    // False when the list could not be read.
    bool loadForDisplay(int row);
    void clearDisplay(const QString& listName);

    // The inputs as the fields hold them now; a change takes the breakdown away before it
    // can be copied.
    mirvane::app::BreakdownInputs inputsNow() const;
    void inputChanged();
    void clearBreakdown();

    // The calculation in its two halves: the checks against the list as shown,
    // and the run over the list read again from its file.
    mirvane::interest::Inputs calculationInputs(const std::string& principalText) const;
    bool passesChecks(const mirvane::interest::Inputs& inputs);
    void runCalculation(const mirvane::interest::Inputs& inputs);

    // The lists, the selection, the list shown and the breakdown on display.
    mirvane::app::BreakdownSession session_;
    // The breakdown's menu, its copies and reports.
    std::unique_ptr<mirvane::ui::BreakdownMenu> menu_;
    // The windows opened over this one and the deletion of a list file.
    std::unique_ptr<mirvane::ui::ListFileActions> actions_;
    // The two tables over the session's rows and over the periods of the list shown.
    mirvane::shell::CellTableModel* breakdownModel_ = nullptr;
    mirvane::shell::CellTableModel* ratesModel_ = nullptr;
    bool shownBefore_ = false;
    bool endingWithoutQuestion_ = false;
    bool folderNoticeShown_ = false;
};
