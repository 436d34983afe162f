#include "span/DateSpan.h"
