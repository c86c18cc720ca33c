/* x^y of Arm's optimized-routines (the algorithm glibc and newlib use), built
   here with plain double arithmetic so that it gives the same bits on every
   platform. Error below 0.52 units in the last place. */
#ifndef ARM_POW_H
#define ARM_POW_H
#ifdef __cplusplus
extern "C" {
#endif
double arm_pow(double x, double y);
#ifdef __cplusplus
}
#endif
#endif
