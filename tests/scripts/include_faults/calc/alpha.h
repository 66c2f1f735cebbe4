// A unit of a cycle.
#include "calc/bravo.h"
