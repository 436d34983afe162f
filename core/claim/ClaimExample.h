#pragma once

// The worked claim that "mirvane-hesap --hesap-ornegi" prints for users to start from:
// 100.000,00 TL from 01.01.2024 at the statutory rate, filed 01.03.2024 with costs of
// 1.500,00 and a lawyer's fee of 12.000,00, paid 40.000,00 on 01.07.2024 and 30.000,00
// on 01.10.2024, computed on 31.12.2024.

#include "core/claim/ClaimFile.h"

namespace mirvane::claim {

// The example with a copy of the statutory list in "listeler".
ClaimFile workedExample();

// The same claim as a court expert reports it: the report's details, and two
// alternatives for the principal item, the advance rate at every change and the
// half-yearly rule of Law 3095 art. 2/2, with copies of both lists.
ClaimFile expertExample();

} // namespace mirvane::claim
