// Section and flow formulas of a prismatic trapezoidal channel.
//
// Symbols and units:
//   bso  bed width                                   [m]
//   m    slope of the right bank, run per unit rise  [-]
//   n    slope of the left bank, run per unit rise   [-]
//   h    water depth above the bed                   [m]
//   A    wetted (flow) area                          [m^2]
//   U    wetted perimeter                            [m]
//   R    hydraulic radius A/U                        [m]
//   B    top width of the water surface              [m]
//   v    mean velocity                               [m/s]
//   Q    discharge                                   [m^3/s]
//   kst  Strickler coefficient                       [m^(1/3)/s]
//   Iso  bed slope                                   [-]
//   hgr  critical depth                              [m]
//
// A bank slope of 0 is a vertical wall: m = n = 0 is a rectangle, bso = 0 a
// triangle. The banks enter only through m + n and sqrt(1+m^2) + sqrt(1+n^2),
// so exchanging m and n never changes a result. The relations are defined
// for h > 0 and a section with area (bso > 0 or m + n > 0); they check
// nothing.
#pragma once

struct TrapezoidSection {
    double bso;  // [m]
    double m;    // [-]
    double n;    // [-]
};

// A = (m + n) 0.5 h^2 + bso h  [m^2]
double wettedArea(TrapezoidSection s, double h);

// U = (sqrt(1+n^2) + sqrt(1+m^2)) h + bso  [m]
double wettedPerimeter(TrapezoidSection s, double h);

// R = A / U  [m]
double hydraulicRadius(TrapezoidSection s, double h);

// B = (m + n) h + bso  [m]
double topWidth(TrapezoidSection s, double h);

// Length of the two banks per metre of depth: sqrt(1+n^2) + sqrt(1+m^2) [-].
// It is the same for every depth of one section, so the marches compute it once.
double bankLengthFactor(double m, double n);

// Strickler velocity v = kst R^e Iso^0.5 [m/s], with the exponent e of R named
// by the caller.
double stricklerVelocity(double kst, double R, double Iso, double e);

// v^2 / (2 g)  [m]
double velocityHead(double v);

// hE = v^2 / (2 g) + h  [m]
double energyHead(double h, double v);

// Fr = v / sqrt(g hgr) [-]: both programs divide by the square root of g
// times the critical depth of the discharge, not the hydraulic depth A/B.
double froudeNumber(double v, double hgr);
