#include "text/TextForms.h"
