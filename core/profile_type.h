// The type of a gradually varied flow profile in the usual notation: the
// slope class (M mild, S steep, C critical) by the normal depth hn against
// the critical depth hb, and the zone (1 above both, 2 between, 3 below
// both) by the control depth hu.
#pragma once

enum class ProfileType { None, M1, M2, M3, S1, S2, S3, C1, C3 };

// mild hn > hb:     M1 hu > hn,  M2 hb <= hu < hn,  M3 hu < hb
// steep hn < hb:    S1 hu > hb,  S2 hn <= hu <= hb,  S3 hu < hn
// critical hn = hb: C1 hu > hn,  C3 hu < hn
// None where hu equals hn: uniform flow, no profile.
ProfileType profileType(double hn, double hb, double hu);

// "M1" ... "C3", and "-" for None.
const char* profileTypeName(ProfileType type);
