#pragma once

// The texts of the rate tables in core/rates/data, carried inside the program.

#include <string_view>

namespace mirvane::rates::data {

std::string_view statutory();   // statutory.tsv
std::string_view centralBank(); // central-bank.tsv
std::string_view latePayment(); // late-payment.tsv
std::string_view checkedOn();   // checked-on.txt

} // namespace mirvane::rates::data
