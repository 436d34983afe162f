#pragma once

#include "core/common/Date.h"

#include <optional>
#include <string>

namespace mirvane {

// The fields of a dated entry: the main window's range and principal, a rate list's
// period and rate.
enum class EntryField { StartDate, EndDate, Value };

// A dated entry that a check refused: the message the user reads, the field the
// focus goes back to and the dates the check puts right, if any.
struct EntryRefusal {
    std::string message;
    EntryField focus = EntryField::StartDate;
    std::optional<Date> correctedStart;
    std::optional<Date> correctedEnd;
};

} // namespace mirvane
