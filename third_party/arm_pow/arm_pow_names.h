/* Force-included into every file of this library: gives its symbols names of
   their own, so that they never meet the C library's, and turns off errno
   (the hydraulics never look at it). */
#define WANT_ERRNO 0
#include <math.h> /* declared under the library's names first */
#define pow arm_pow
#define __math_oflow arm_math_oflow
#define __math_uflow arm_math_uflow
#define __math_may_uflow arm_math_may_uflow
#define __math_divzero arm_math_divzero
#define __math_invalid arm_math_invalid
#define __math_check_oflow arm_math_check_oflow
#define __math_check_uflow arm_math_check_uflow
#define __pow_log_data arm_pow_log_data
#define __exp_data arm_exp_data

/* The same bits on every platform need double evaluation (SSE2), not the
   extended precision of the x87 unit, which double_t would then be. */
#if !defined(__FLT_EVAL_METHOD__) || __FLT_EVAL_METHOD__ != 0
#error "build with double evaluation (-msse2 -mfpmath=sse on 32-bit x86)"
#endif
