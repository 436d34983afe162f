#include "common/Errors.h"
