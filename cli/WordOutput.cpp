#include "cli/WordOutput.h"

#include <utility>

namespace mirvane::cli {

namespace {

WordWriter& installed() {
    static WordWriter writer;
    return writer;
}

} // namespace

void setWordWriter(WordWriter writer) {
    installed() = std::move(writer);
}

const WordWriter& wordWriter() {
    return installed();
}

} // namespace mirvane::cli
