#pragma once

// The rate lists of the list folder as the main window offers them. A folder that cannot be
// made, read or given the ready lists does not stop the user from computing: the program's
// own ready lists stand in for it, read-only.

#include <QString>
#include <initializer_list>
#include <string>
#include <vector>

class QPushButton;

namespace mirvane::ui {

struct FolderLists {
    std::vector<std::string> names;
    // What the folder left out, after the read-only note where it may not change.
    std::vector<std::string> notices;
    // Why the folder could not be used, when the program's own lists stand in for it.
    QString unusable;
};

// Prepares and reads the folder, and records in the shared values whether the lists are
// the program's own and whether they may change.
FolderLists readListFolder();

// Turns the list editors on or off as the folder allows, each saying why.
void showWhetherListsCanChange(std::initializer_list<QPushButton*> editors);

// The notice that the folder takes no lists.
void tellFolderCannotBeWritten(const QString& unusable);

} // namespace mirvane::ui
