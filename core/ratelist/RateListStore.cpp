#include "ratelist/RateListStore.h"
