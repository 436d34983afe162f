// Where lists go on Windows.

#include "core/ratelist/RateListStore.h"

#include <cwchar>
#include <cwctype>
#include <stdlib.h>

namespace mirvane::store {

namespace {

// Windows reads the environment in UTF-16; a Turkish user name stays whole.
std::optional<fs::path> folderOfVariable(const wchar_t* name) {
    const wchar_t* value = ::_wgetenv(name);
    if (value == nullptr || *value == L'\0') {
        return std::nullopt;
    }
    return fs::path(value);
}

// Windows compares names without regard to letter case.
bool isInside(const fs::path& folder, const fs::path& outer) {
    std::wstring inner = folder.lexically_normal().native();
    std::wstring around = outer.lexically_normal().native();
    for (std::wstring* name : {&inner, &around}) {
        for (wchar_t& c : *name) {
            c = c == L'/' ? L'\\' : static_cast<wchar_t>(std::towlower(c));
        }
        if (name->empty() || name->back() != L'\\') {
            name->push_back(L'\\');
        }
    }
    return inner.starts_with(around);
}

} // namespace

std::optional<fs::path> perUserListFolder() {
    const std::optional<fs::path> appData = folderOfVariable(L"APPDATA");
    if (!appData) {
        return std::nullopt;
    }
    return *appData / "Telvar" / "Mirvane" / "Veriler" / "Faizler";
}

// The program folders and Windows' own folder: users cannot write there, and a program
// that could (run as administrator) would mix the lists into the installed files.
bool isSystemProgramFolder(const fs::path& programFolder) {
    for (const wchar_t* variable :
         {L"ProgramFiles", L"ProgramFiles(x86)", L"ProgramW6432", L"SystemRoot"}) {
        if (const std::optional<fs::path> system = folderOfVariable(variable);
            system && isInside(programFolder, *system)) {
            return true;
        }
    }
    return false;
}

} // namespace mirvane::store
