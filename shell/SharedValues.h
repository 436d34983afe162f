#pragma once

// The values the whole program shares, set once at start-up.

#include "core/rates/ListSource.h"

#include <QColor>
#include <QDate>
#include <QString>
#include <filesystem>
#include <functional>
#include <string>

namespace mirvane::shell {

// The colour of the label in front of the field that has the focus.
inline const QColor DefaultLabelHighlightColour{0, 0, 192};

struct SharedValues {
    // The executable's folder; the list folder lies below it unless it cannot be written.
    std::filesystem::path ProgramFolder;
    // The folder the rate lists are kept in (chosen at start-up).
    std::filesystem::path ListFolder;
    // What the main window found at its last look at the list folder: whether lists
    // can be saved, changed and deleted there, and whether the program's own ready
    // lists stand in for a folder that holds none and can be given none.
    bool ListFolderWritable = true;
    bool ListsBuiltIn = false;
    QColor LabelHighlightColour = DefaultLabelHighlightColour;
    QString MainWindowTitle;
    // "Today" for the windows; tests fix it.
    std::function<QDate()> today = [] {
        return QDate::currentDate();
    };

    // Where the windows read lists from.
    store::ListSource listSource() const { return {ListFolder, ListsBuiltIn}; }
};

SharedValues& shared();

} // namespace mirvane::shell
