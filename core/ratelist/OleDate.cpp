#include "ratelist/OleDate.h"
