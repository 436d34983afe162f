#include "interest/Breakdown.h"
