// Every message and caption that Quostel shows, in one place.
#pragma once

namespace quostel_text {

// The captions are those of every check (dialog/field_reader.h).

inline constexpr const char* CHECK_BSO = "Bitte Eingabe bso kontrollieren";
inline constexpr const char* CHECK_M = "Bitte Eingabe m kontrollieren";
inline constexpr const char* CHECK_N = "Bitte Eingabe n kontrollieren";
inline constexpr const char* CHECK_KST = "Bitte Eingabe kst kontrollieren";
inline constexpr const char* CHECK_ISO = "Bitte Eingabe Iso kontrollieren";
// The depth field is labelled "h: Wassertiefe", but its message has always
// named it hu.
inline constexpr const char* CHECK_H = "Bitte Eingabe hu kontrollieren";
// The console's depth from a given discharge.
inline constexpr const char* CHECK_Q = "Bitte Eingabe Q kontrollieren";
inline constexpr const char* WARN_DEPTH_OVER_MAX = "Wassertiefe ueber 1000 m";

inline constexpr const char* WARN_KST_HIGH = "Kst Wert sehr hoch!";
inline constexpr const char* WARN_ISO_HIGH = "Wert Iso hoch";

// Shown after the results when the critical depth of the discharge lies
// outside the bracket of the solver, so that hgr shows the upper end of the
// bracket (about 70 m) instead of a critical depth.
inline constexpr const char* WARN_HGR_OUTSIDE =
    "Kritische Tiefe ausserhalb 0.05 bis 70 m: hgr, hEm und Fr nicht aussagekraeftig";

}  // namespace quostel_text
