#pragma once

// The three lists the program writes whenever the list folder holds none.

#include "core/common/Errors.h"
#include "core/common/SafeFile.h"
#include "core/ratelist/RateList.h"

#include <filesystem>
#include <vector>

namespace mirvane::defaults {

// In the order they are written, current to the rate data in use:
// "Adi Alacaklar (Kanuni Faiz)", "Ticari Alacaklar (Reeskont-Avans)",
// "Ticari Alacaklar (Reeskont-İskonto)".
const std::vector<RateList>& lists();

} // namespace mirvane::defaults

namespace mirvane::store {

// Makes the list folder ready (ratelist/RateListStore.h) with the three lists above
// written into it when it holds no list file.
Status prepareFolder(const std::filesystem::path& listFolder,
                     safefile::Steps& steps = safefile::systemSteps());

} // namespace mirvane::store
