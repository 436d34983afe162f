#include "core/app/AppInfo.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace mirvane::app {

Version currentVersion() {
    return Version{MIRVANE_VERSION_MAJOR, MIRVANE_VERSION_MINOR, MIRVANE_VERSION_PATCH};
}

std::string versionNumberText(const Version& version) {
    // The revision follows the minor number without a separator: 1.1.4 reads "1.14".
    return std::to_string(version.major) + "." + std::to_string(version.minor) +
           std::to_string(version.revision);
}

std::string mainWindowTitle(const Version& version) {
    return std::string(ProgramTitle) + " " + versionNumberText(version);
}

std::string aboutVersionText(const Version& version) {
    return "Sürüm " + versionNumberText(version);
}

namespace {

// Halves round to the even integer (the default floating-point rounding mode); the result
// is kept inside int so absurd rectangles cannot overflow the conversion.
int roundedCoordinate(double value) {
    const double rounded = std::nearbyint(value);
    return static_cast<int>(std::clamp(rounded, double(std::numeric_limits<int>::min()),
                                       double(std::numeric_limits<int>::max())));
}

int centredStart(int ownerStart, int ownerEnd, int boxExtent) {
    return roundedCoordinate((double(ownerEnd) - ownerStart) / 2.0 + ownerStart - boxExtent / 2.0);
}

} // namespace

Point centredBoxPosition(const Rect& owner, int boxWidth, int boxHeight) {
    return Point{centredStart(owner.left, owner.right, boxWidth),
                 centredStart(owner.top, owner.bottom, boxHeight)};
}

std::string errorReportText(int number, std::string_view description) {
    std::string text(ErrorReportIntro);
    text += "\r\n\r\n";
    text += ErrorNumberLabel;
    text += ' ';
    text += std::to_string(number);
    text += "\r\n\r\n";
    text += ErrorMessageLabel;
    text += ' ';
    text += description;
    return text;
}

} // namespace mirvane::app
