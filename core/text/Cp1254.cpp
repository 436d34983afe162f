#include "text/Cp1254.h"
