#include "shell/SharedValues.h"

namespace mirvane::shell {

SharedValues& shared() {
    static SharedValues values;
    return values;
}

} // namespace mirvane::shell
