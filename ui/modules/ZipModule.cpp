#include "ui/modules/ZipModule.h"

#include <zip.h>

namespace {

int failureOf(zip_error_t* error) {
    if (zip_error_system_type(error) == ZIP_ET_SYS && zip_error_code_system(error) > 0)
        return zip_error_code_system(error);
    return -1;
}

int openFailure(int code) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const int failure = failureOf(&error);
    zip_error_fini(&error);
    return failure;
}

// libzip reads the buffers only when the archive is closed, so the entries must
// outlive the archive.
int addEntries(zip_t* archive, const MirvaneZipEntry* entries, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        zip_source_t* source = zip_source_buffer(archive, entries[i].data, entries[i].size, 0);
        if (!source)
            return failureOf(zip_get_error(archive));
        if (zip_file_add(archive, entries[i].name, source, ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(source);
            return failureOf(zip_get_error(archive));
        }
    }
    return 0;
}

} // namespace

extern "C" __attribute__((visibility("default"))) int
mirvane_write_zip(const char* fileName, const MirvaneZipEntry* entries, std::size_t count) {
    int openError = 0;
    // libzip writes into a temporary file beside the target and renames it when closing.
    zip_t* archive = zip_open(fileName, ZIP_CREATE | ZIP_TRUNCATE, &openError);
    if (!archive)
        return openFailure(openError);
    if (const int added = addEntries(archive, entries, count); added != 0) {
        zip_discard(archive);
        return added;
    }
    if (zip_close(archive) < 0) {
        const int failure = failureOf(zip_get_error(archive));
        zip_discard(archive);
        return failure;
    }
    return 0;
}
