// The other unit of the cycle.
#include "calc/alpha.h"
