#pragma once

// The three lists the program carries and writes whenever the list folder holds none.

#include "ratelist/RateList.h"

#include <vector>

namespace mirvane::defaults {

// In the order they are written: "Adi Alacaklar (Kanuni Faiz)" (12 periods),
// "Ticari Alacaklar (Reeskont-Avans)" (36), "Ticari Alacaklar (Reeskont-İskonto)" (36).
const std::vector<RateList>& lists();

} // namespace mirvane::defaults
