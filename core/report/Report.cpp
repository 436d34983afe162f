#include "core/report/Report.h"

namespace mirvane::report {

std::string pageFooter(int page, int pageCount) {
    return "Sayfa " + std::to_string(page) + " / " + std::to_string(pageCount);
}

} // namespace mirvane::report
