// Physical constants and exponents of the channel hydraulics.
//
// Every relation is evaluated in double throughout (the exact_arithmetic
// build flags), and every general power goes through portablePow, so that
// every platform computes the same bits and prints the same digits.
#pragma once

// g [m/s^2]
constexpr double GRAVITY = 9.81;

// 1/(2 g) [s^2/m], multiplies every v^2 to give a velocity head. The relations
// multiply by it and never divide by GRAVITY at run time; the literal is the
// quotient 1/(2 * 9.81) and the compiler stores the double nearest to it.
constexpr double VELOCITY_HEAD_FACTOR = 0.05096839959225280068;

// 1/g [s^2/m], used by the critical-flow relation Q^2 B = g A^3.
constexpr double INV_GRAVITY = 0.10193679918450560136;

// Exponents written with a fixed number of decimals, not the fractions they
// approach: 0.666666666666 lies about 6.7e-13 below 2/3, 0.33333333333 about
// 3.3e-12 below 1/3 and 1.33333333333333 about 3.3e-15 below 4/3. Using the
// exact fractions would shift the depths in their last printed digits.
constexpr double NORMAL_DEPTH_EXPONENT = 0.666666666666;    // R^e in Q = kst A R^e Iso^0.5
constexpr double CRITICAL_DEPTH_EXPONENT = 0.33333333333;   // cube root of B Q^2 / g
constexpr double FRICTION_EXPONENT = 1.33333333333333;      // Rm^e in the friction slope
