#pragma once

// The zip module: libzip, and the compression and cryptography libraries it pulls
// in, kept out of the program's start. The program loads the module the first time
// it makes an archive (shell/ZipArchive); this is the whole of what they share.

#include <cstddef>

extern "C" {

struct MirvaneZipEntry {
    const char* name; // the path inside the archive, UTF-8
    const char* data;
    std::size_t size;
};

// Receives the bytes of a finished archive, in order, in one or more pieces.
using MirvaneZipSink = void (*)(void* context, const char* data, std::size_t size);

// Makes an archive of the entries, in their order, in memory and hands it to
// `sink` only once it is whole; the caller writes it where it belongs. 0 when made;
// an errno value when the system refused (memory); -1 when the archive failed
// otherwise.
int mirvane_zip_archive(const MirvaneZipEntry* entries, std::size_t count, MirvaneZipSink sink,
                        void* context);

using MirvaneZipArchive = decltype(&mirvane_zip_archive);
}

inline constexpr const char* ZipModuleName = "mirvane-zip";
inline constexpr const char* ZipArchiveSymbol = "mirvane_zip_archive";
