// Every message and caption that Quostel shows, in one place.
#pragma once

#include "dialog/channel_checks.h"

namespace quostel_text {

// The captions, and the messages of the checks both programs make, are in
// dialog/channel_checks.h.

// The depth field is labelled "h: Wassertiefe", but its message has always
// named it hu.
inline constexpr const char* CHECK_H = "Bitte Eingabe hu kontrollieren";
// The console's depth from a given discharge.
inline constexpr const char* CHECK_Q = "Bitte Eingabe Q kontrollieren";
inline constexpr const char* WARN_DEPTH_OVER_MAX = "Wassertiefe ueber 1000 m";


// Shown after the results when the critical depth of the discharge lies
// outside the bracket of the solver, so that hgr shows the upper end of the
// bracket (about 70 m) instead of a critical depth.
inline constexpr const char* WARN_HGR_OUTSIDE =
    "Kritische Tiefe ausserhalb 0.05 bis 70 m: hgr, hEm und Fr nicht aussagekraeftig";

}  // namespace quostel_text
