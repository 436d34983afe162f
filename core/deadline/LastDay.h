#pragma once

// The last day of a deadline: the date a span reaches, moved as procedural law
// moves it past the judicial recess and the days the courts are closed.

#include "core/deadline/Calendar.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mirvane::deadline {

// How the date found is turned into the last day.
enum class Procedure {
    Takvim, // the plain calendar: the date found is the last day
    Hmk,    // civil procedure: judicial recess and closed days
    Iik,    // enforcement: closed days only, every matter counts as urgent
    Cmk,    // criminal procedure: closed days (CMK 39) and the recess's three days (CMK 331/4)
};

// "Takvim", "HMK", "İİK", "CMK".
std::string_view procedureName(Procedure procedure);

// "takvim", "hmk", "iik", "cmk" as typed on the command line (any letter case); "İİK" too.
std::optional<Procedure> parseProcedure(std::string_view text);

// One move of the last day: the date it reached and why, in Turkish
// ("adli tatil (HMK 104): 07.09.2024", "07.09.2024 Cumartesi").
struct Step {
    Date reached;
    std::string reason;
    bool recess = false; // the move out of the judicial recess; the reason names its end
};

struct LastDay {
    Date date;
    std::vector<Step> steps;
    std::vector<std::string> notices;
};

// The last day of a deadline whose span ends on `found`, under the recess of that
// year. `urgent` marks a matter the judicial recess does not stop (HMK 103; detained
// persons and the other matters of CMK 331); enforcement matters are all urgent.
LastDay lastDay(Date found, Procedure procedure, bool urgent);

// One line of a step for the reader: "07.09.2024 Cumartesi → 09.09.2024 Pazartesi";
// a recess step names its date already and reads "adli tatil (HMK 104): 07.09.2024 Cumartesi".
std::string stepLine(const Step& step);

} // namespace mirvane::deadline
