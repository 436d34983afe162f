#pragma once

// What the new-list window and the update window share: the entry area with its
// two date pickers, rate and description fields, the period list below it, the
// two-state button, and the entry checks with their corrections.

#include "core/ratelist/ListEditing.h"
#include "shell/RateField.h"

#include <QDialog>
#include <QPlainTextEdit>
#include <QString>
#include <array>
#include <optional>
#include <vector>

class QGroupBox;
class QLabel;
class QPushButton;

namespace mirvane::shell {
class DateTimePicker;
class ListView;
} // namespace mirvane::shell

namespace mirvane::editor {

// A multi-line description of at most 100 characters; Enter and Tab move the focus
// on instead of going into the text.
class DescriptionField : public QPlainTextEdit {
public:
    static constexpr int LengthLimit = 100;

    explicit DescriptionField(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void noteChange(int position, int removed, int added);
    void keepWithinLimit();
    void dropCharactersTheFileCannotHold();

    // End of the text the last change put in: what does not fit is taken from there.
    int insertedEnd_ = 0;
    bool correcting_ = false;
};

// Where the two windows place what differs in their entry area.
struct Placement {
    int fieldLeft; // the two date pickers and the rate field
    int rateWidth;
    int twoStateTop; // the two-state button
};

// The base of the two editor windows. The window's state lives in its controls:
// the entry area `Altlık` is enabled exactly while a period is being entered, and
// the rows of `FaizDönemleriListesi` are the list.
class PeriodEditor : public QDialog {
public:
    PeriodEditor(QWidget* owner, const QString& name, const QString& caption, Placement placement);

    // Closing by "Kapat (Esc)", Esc or the close box asks first when there are
    // unsaved changes, No being the default.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

    // Whether closing now would throw work away: a period being entered, or rows
    // changed since the list was read or saved.
    virtual bool hasUnsavedChanges() const;
    // Rows changed by the user since the window opened (or, for the new-list window,
    // since the last save).
    bool rowsChanged_ = false;
    // After a period is added or confirmed, the focus goes on to the next step
    // instead of dropping onto the close button.
    void focusAfterEntry(QWidget* next);

    bool inEntryState() const;
    // Enables the entry area and Vazgeç, and names the two-state button for the state.
    void showEntryArea(bool entry);
    void emptyRateAndDescription();

    // Shows the refusal of a 256th period; true when the list is full.
    bool listIsFull();

    // Runs the entry checks against the neighbours; on the first failing one shows
    // its message, applies its correction, moves the focus and returns false.
    bool entryPasses(const editing::Neighbours& neighbours);
    // The row texts of the entry as it stands, numbered `number`.
    editing::RowTexts entryRow(int number) const;

    int rowCount() const;
    editing::RowTexts rowTexts(int row) const;
    void setRow(int row, const editing::RowTexts& texts);
    void appendRow(const editing::RowTexts& texts);
    void removeRow(int row);
    std::optional<Date> rowStart(int row) const;
    std::optional<Date> rowEnd(int row) const;
    std::optional<Date> lastRowEnd() const;
    // The rows read back as periods.
    Result<std::vector<RatePeriod>> periodsOfRows() const;

    // The keyboard order: the entry fields first, then `rest` in the order given.
    void setKeyboardOrder(std::initializer_list<QWidget*> rest);

    QGroupBox* Çerçeve_ = nullptr;
    QWidget* Altlık_ = nullptr;
    std::array<QLabel*, 5> Etiket_{};
    shell::DateTimePicker* BaşlangıçTarihiKutusu_ = nullptr;
    shell::DateTimePicker* BitişTarihiKutusu_ = nullptr;
    shell::RateField* FaizOranıKutusu_ = nullptr;
    DescriptionField* AçıklamaKutusu_ = nullptr;
    shell::ListView* FaizDönemleriListesi_ = nullptr;
    QPushButton* YeniDönemBelirleListeyeEkleButonu_ = nullptr;
    QPushButton* VazgeçButonu_ = nullptr;
    QPushButton* KapatButonu_ = nullptr;

private:
    void buildEntryArea(const Placement& placement);
    void buildPeriodList();
    void buildButtons(const Placement& placement);
    void applyRefusal(const editing::Refusal& refusal);
};

} // namespace mirvane::editor
