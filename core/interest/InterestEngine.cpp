#include "interest/InterestEngine.h"
