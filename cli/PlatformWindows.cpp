#include "cli/Platform.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <io.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

namespace mirvane::cli::platform {

namespace {

std::string utf8Of(const wchar_t* text) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) {
        return {};
    }
    std::string utf8(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
    utf8.pop_back(); // the terminating zero
    return utf8;
}

UINT consoleCodePageBefore = 0;

void restoreConsoleCodePage() {
    ::SetConsoleOutputCP(consoleCodePageBefore);
}

} // namespace

// argv holds the arguments in the ANSI code page, where a Turkish letter outside it is
// already lost; the wide command line holds them all.
std::vector<std::string> arguments(int, char**) {
    int count = 0;
    LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int index = 1; wide && index < count; ++index) {
        args.push_back(utf8Of(wide[index]));
    }
    ::LocalFree(wide);
    return args;
}

std::filesystem::path programFolder(const char*) {
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0) {
            return {};
        }
        if (length < name.size()) {
            name.resize(length);
            return std::filesystem::path(name).parent_path();
        }
        name.resize(name.size() * 2);
    }
}

// The output is UTF-8 with LF line ends, the same bytes as on any other system: the C
// runtime must not turn LF into CR LF in files and pipes, and a console must show
// UTF-8 (its own code page is restored when the program ends).
void prepareStreams() {
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
    consoleCodePageBefore = ::GetConsoleOutputCP();
    if (consoleCodePageBefore != 0 && consoleCodePageBefore != CP_UTF8) {
        ::SetConsoleOutputCP(CP_UTF8);
        std::atexit(restoreConsoleCodePage);
    }
}

// Windows always has a desktop, so its own platform needs no window shown; its fonts are
// the system's (the offscreen one there knows only the fonts in Qt's own folder).
const char* qtPlatformWithoutDisplay() {
    return "windows";
}

} // namespace mirvane::cli::platform
