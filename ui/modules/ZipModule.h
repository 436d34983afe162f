#pragma once

// The zip module: libzip, and the compression and cryptography libraries it pulls
// in, kept out of the program's start. The program loads the module the first time
// it writes an archive (shell/ZipArchive); this is the whole of what they share.

#include <cstddef>

extern "C" {

struct MirvaneZipEntry {
    const char* name; // the path inside the archive, UTF-8
    const char* data;
    std::size_t size;
};

// Writes the entries, in their order, as the archive `fileName` (in the file
// system's encoding), replacing any file of that name only once the whole archive
// is written. 0 when written; an errno value when the system refused; -1 when the
// archive failed otherwise.
int mirvane_write_zip(const char* fileName, const MirvaneZipEntry* entries, std::size_t count);

using MirvaneWriteZip = decltype(&mirvane_write_zip);
}

inline constexpr const char* ZipModuleName = "mirvane-zip";
inline constexpr const char* WriteZipSymbol = "mirvane_write_zip";
