#pragma once

// Installing and removing a signed rate package from the windows (the About window and
// the stale-rate notice of the main window): the file is chosen, checked, installed, and
// the user is told which data the program uses now.

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace mirvane::ui {

// Asks for a package file and installs it; true when it was installed.
bool installRatePackage(QWidget* owner);

// Asks whether to remove the installed package and removes it; true when removed.
bool removeRatePackage(QWidget* owner);

// Whether a package file stands in the user's data folder (used or not).
bool ratePackageInstalled();

// Tests choose the file instead of the dialog; nullopt is a cancelled dialog.
using PackageChooser = std::function<std::optional<QString>(QWidget* owner)>;
void setPackageChooser(PackageChooser chooser);

// What the program tells about its rate data and how new ones come, for the About
// window and its tips.
QString rateDataText();
QString ratePackageHelp();

} // namespace mirvane::ui
