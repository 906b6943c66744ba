#pragma once

// The line cutting's cost follows the bytes it handles, not the bytes it holds: 16 MB in
// arrivals of 16 bytes, once with little held between arrivals and once with much. Copying
// what is held on every arrival would make the second run hundreds of times slower. Prints
// both cases against the first (target: below 4).
void runHeldBytes();
