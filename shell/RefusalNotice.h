#pragma once

#include "core/common/EntryRefusal.h"

class QWidget;

namespace mirvane::shell {

class DateTimePicker;

// The controls of a dated entry, as a refusal names them.
struct EntryControls {
    DateTimePicker* start = nullptr;
    DateTimePicker* end = nullptr;
    QWidget* value = nullptr;
};

// Tells the user why the entry was refused, puts the dates right that the check
// corrected and sends the focus to the field concerned.
void showRefusal(const EntryRefusal& refusal, const EntryControls& controls);

} // namespace mirvane::shell
