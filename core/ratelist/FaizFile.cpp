#include "ratelist/FaizFile.h"
