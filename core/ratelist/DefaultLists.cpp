#include "ratelist/DefaultLists.h"
