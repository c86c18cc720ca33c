// Backwater and drawdown in a prismatic trapezoidal channel: the normal and
// critical state, the water-surface profile upstream of a control profile by
// the standard step, and the length over which the depth stays outside a 1 %
// band around the normal depth.
//
// Symbols and units as in core/section.h and core/standard_step.h, and:
//   hu   water depth at the control profile            [m]
//   wsp  water-surface level at the control profile    [m]
//   Pa   number of profiles of the profile table       [-]
// The control profile is profile 0; profiles are counted upstream, and the
// bed rises by Iso per metre upstream from the level wsp - hu.
#pragma once

#include <cstdint>

#include "core/section.h"
#include "core/standard_step.h"

// Capacity of the profile table and of the 1 m march.
constexpr int PROFILE_CAPACITY = 15000;
// Stations of the 1 m march: 0 to 14998 m upstream of the control profile.
constexpr int FINE_STEP_COUNT = 14999;

struct BackwaterInput {
    TrapezoidSection section;
    double Q;         // discharge [m^3/s]
    double kst;       // Strickler coefficient [m^(1/3)/s]
    double Iso;       // bed slope [-]
    double beta;      // energy coefficient on the velocity heads [-]
    double l;         // spacing of the profiles of the table [m]
    double hu;        // depth at the control profile [m]
    double wsp;       // water level at the control profile [m]
    std::int32_t Pa;  // number of profiles, at most PROFILE_CAPACITY
};

// Depth and water level of profile i, i * l metres upstream of the control
// profile, for i < count = max(Pa, 0).
struct ProfileTable {
    int count;
    double hp[PROFILE_CAPACITY];   // [m]
    double wsp[PROFILE_CAPACITY];  // [m]
};

// Working table: the depth at each metre upstream of the control profile.
struct FineMarch {
    double depth[PROFILE_CAPACITY];  // [m], FINE_STEP_COUNT of them in use
};

enum class LengthKind {
    None,       // hu equals hn
    Backwater,  // hu above hn: "Stauweite"
    Drawdown,   // hu below hn: "Senkungsweite"
};

struct BackwaterResult {
    double hn;     // normal depth [m]
    double An;     // area at hn [m^2]
    double Un;     // wetted perimeter at hn [m]
    double Rn;     // hydraulic radius at hn [m]
    double vn;     // velocity at hn [m/s]
    double hEn;    // energy head at hn [m]
    double hgr;    // critical depth [m]
    double hemin;  // energy head at hgr [m]
    double Fr;     // vn / sqrt(g hgr) [-]
    ProfileTable profiles;
    LengthKind kind;
    std::int32_t length;  // backwater or drawdown length [m], 0 for None

    // What the report does not show, for the warnings: whether the solvers
    // found their depths inside the depth bracket, the critical depth of the
    // energy balance hb (of sqrt(beta) Q) and the branch the marches kept to.
    bool hnFound;
    bool hgrFound;
    FlowBranch branch;
    bool criticalAssumed;  // a step of either march found no subcritical balance and took hb
};

// Fills `result` from `in` (which passed the checks of the command, with Pa
// at most PROFILE_CAPACITY), using `march` as working storage. Both are
// reserved by the caller for the program's whole run; nothing is allocated.
// Performs max(Pa, 0) + 14999 standard-step solutions and reports nothing.
void computeBackwater(const BackwaterInput& in, FineMarch& march, BackwaterResult& result);

// The warnings a computed result calls for, in the order they are shown.
enum class BackwaterWarning {
    NormalDepthOutside,    // hn not found in the depth bracket: results mean nothing
    CriticalDepthOutside,  // hgr not found in the depth bracket: results mean nothing
    Supercritical,         // steep channel or supercritical control depth: no march upstream
    CriticalDepthAssumed,  // a step took hb where the energy could not be balanced
    LengthBeyondMarch,     // every station of the 1 m march lies outside the band
};
constexpr int MAX_BACKWATER_WARNINGS = 5;

// Fills `warnings` with those that apply and returns their count. A depth
// outside the bracket makes every later warning moot, and a supercritical
// flow makes the march's own warnings moot.
int backwaterWarnings(const BackwaterInput& in, const BackwaterResult& r,
                      BackwaterWarning (&warnings)[MAX_BACKWATER_WARNINGS]);
