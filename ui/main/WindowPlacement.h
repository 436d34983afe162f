#pragma once

// A window's size and place as the settings keep them.

#include "core/common/Errors.h"
#include "core/settings/ProgramSettings.h"

#include <QSize>
#include <optional>

class QWidget;

namespace mirvane::ui {

// The window system's pixels as the settings' twips measure them.
settings::EdgeScale edgeScale();

// One step of reading a setting: a value kept is handed to `use`.
template <class T, class Use> Status useStored(const Result<std::optional<T>>& stored, Use use) {
    if (!stored) {
        return stored.error();
    }
    if (stored.value()) {
        use(*stored.value());
    }
    return {};
}

// The size, never below `designed`, then the place, one step per edge: a value that cannot
// be read is reported and skipped. A place on no screen gives way to the centre of the
// first. False when the user ended the program at a step, or a step of the size failed.
bool restorePlacement(QWidget& window, const settings::MainWindowSettings& kept, QSize designed);

// Kept only while the window is neither minimised, maximised nor full-screen.
void keepPlacement(const QWidget& window, settings::MainWindowSettings& kept);

} // namespace mirvane::ui
