#include "HesapCli.h"
