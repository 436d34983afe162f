// A claim file of any bytes: read it, and when it reads, write it again and compute it.

#include "core/claim/ClaimEngine.h"
#include "core/claim/ClaimJson.h"
#include "fuzz/FuzzCheck.h"

#include <cstdint>
#include <string_view>
#include <variant>

using namespace mirvane;
using fuzz::require;

namespace {

// Whatever the program reads, it writes so that it reads back as the same claim.
void writesBackWhatItRead(const claim::ClaimFile& file) {
    const claim::ReadOutcome again = claim::parse(claim::toJson(file));
    const auto* copy = std::get_if<claim::ClaimFile>(&again);
    require(copy != nullptr, "a claim that was read can be written and read back");
    require(*copy == file, "the copy is the same claim");
}

void computes(const claim::ClaimFile& file) {
    const claim::ClaimOutcome outcome = claim::compute(file);
    const auto* result = std::get_if<claim::ClaimResult>(&outcome);
    if (result == nullptr) {
        return;
    }
    require(result->balance == result->remainingPrincipal + result->unpaidInterest +
                                   result->unpaidCosts + result->unpaidFee,
            "the balance is what is left unpaid");
    for (const claim::SetOff& entry : result->setOffs) {
        require(entry.costs + entry.fee + entry.interest + entry.principal + entry.overpaid ==
                    entry.amount,
                "every payment is set off to the kuruş");
    }
    for (const claim::Slice& slice : result->slices) {
        require(slice.days > 0 && slice.start + std::chrono::days{slice.days} == slice.end,
                "a slice runs forwards over its days");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const claim::ReadOutcome read = claim::parse(bytes);
    const auto* file = std::get_if<claim::ClaimFile>(&read);
    if (file == nullptr) {
        return 0;
    }
    writesBackWhatItRead(*file);
    computes(*file);
    return 0;
}
