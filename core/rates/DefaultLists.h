#pragma once

// The three lists the program writes whenever the list folder holds none.

#include "ratelist/RateList.h"

#include <vector>

namespace mirvane::defaults {

// In the order they are written, current to the rate data in use:
// "Adi Alacaklar (Kanuni Faiz)", "Ticari Alacaklar (Reeskont-Avans)",
// "Ticari Alacaklar (Reeskont-İskonto)".
const std::vector<RateList>& lists();

} // namespace mirvane::defaults
