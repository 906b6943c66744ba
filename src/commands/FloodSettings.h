#pragma once

#include "commands/FloodLimits.h"

// The flood limits in the settings store: four numbers and the switch, each a string value
// under the program's settings key.

// The stored limits; the defaults when nothing usable is stored (a value edited by hand into
// something the dialog would refuse).
FloodLimits readFloodLimits();
void storeFloodLimits(const FloodLimits& limits);
