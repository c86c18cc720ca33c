#pragma once

// x^y with the same bits on every platform (see portable_pow.cpp); error
// below one unit in the last place. The core takes every general power
// through it.
double portablePow(double x, double y);
