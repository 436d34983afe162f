#include "modules/ZipModule.h"

#include <zip.h>

namespace {

int failureOf(zip_error_t* error) {
    if (zip_error_system_type(error) == ZIP_ET_SYS && zip_error_code_system(error) > 0) {
        return zip_error_code_system(error);
    }
    return -1;
}

// libzip reads the buffers only when the archive is closed, so the entries must
// outlive the archive.
int addEntries(zip_t* archive, const MirvaneZipEntry* entries, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        zip_source_t* source = zip_source_buffer(archive, entries[i].data, entries[i].size, 0);
        if (!source) {
            return failureOf(zip_get_error(archive));
        }
        if (zip_file_add(archive, entries[i].name, source, ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(source);
            return failureOf(zip_get_error(archive));
        }
    }
    return 0;
}

// Closing the archive wrote it into `buffer`; this reads it back out.
int handOver(zip_source_t* buffer, MirvaneZipSink sink, void* context) {
    if (zip_source_open(buffer) < 0) {
        return failureOf(zip_source_error(buffer));
    }
    char piece[16384];
    int failure = 0;
    for (;;) {
        const zip_int64_t read = zip_source_read(buffer, piece, sizeof piece);
        if (read < 0) {
            failure = failureOf(zip_source_error(buffer));
            break;
        }
        if (read == 0) {
            break;
        }
        sink(context, piece, std::size_t(read));
    }
    zip_source_close(buffer);
    return failure;
}

int makeArchive(zip_source_t* buffer, const MirvaneZipEntry* entries, std::size_t count) {
    zip_error_t error;
    zip_error_init(&error);
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    if (!archive) {
        const int failure = failureOf(&error);
        zip_error_fini(&error);
        return failure;
    }
    zip_error_fini(&error);
    // The buffer outlives the archive: closing would otherwise free it with the
    // archive in it.
    zip_source_keep(buffer);
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

} // namespace

extern "C" __attribute__((visibility("default"))) int
mirvane_zip_archive(const MirvaneZipEntry* entries, std::size_t count, MirvaneZipSink sink,
                    void* context) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (!buffer) {
        const int failure = failureOf(&error);
        zip_error_fini(&error);
        return failure;
    }
    zip_error_fini(&error);
    int failure = makeArchive(buffer, entries, count);
    if (failure == 0) {
        failure = handOver(buffer, sink, context);
    }
    zip_source_free(buffer);
    return failure;
}
