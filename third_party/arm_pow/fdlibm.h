/* Stand-in for newlib's fdlibm.h: this copy of the routines is always the
   current (not the obsolete) implementation. */
#define __OBSOLETE_MATH 0
