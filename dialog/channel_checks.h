// The checks both commands make of the same inputs, in the same order: the
// bank slopes m and n, then the roughness kst and the bed slope Iso with
// their warnings. Each field is read right before its test; the first
// failing test shows its message and answers false.
#pragma once

#include "dialog/field_reader.h"

// The messages of these checks, the same texts in both programs.
inline constexpr const char* CHECK_BSO = "Bitte Eingabe bso kontrollieren";
inline constexpr const char* CHECK_M = "Bitte Eingabe m kontrollieren";
inline constexpr const char* CHECK_N = "Bitte Eingabe n kontrollieren";
inline constexpr const char* CHECK_KST = "Bitte Eingabe kst kontrollieren";
inline constexpr const char* CHECK_ISO = "Bitte Eingabe Iso kontrollieren";
inline constexpr const char* WARN_KST_HIGH = "Kst Wert sehr hoch!";
inline constexpr const char* WARN_ISO_HIGH = "Wert Iso hoch";

// m and n, each 0 to BANK_SLOPE_MAX.
bool readBankSlopes(FieldReader& r, int mControl, int nControl, double& m, double& n);

// kst above 0 up to KST_MAX, with a warning above KST_HIGH; then Iso above 0
// up to ISO_MAX, with a warning above ISO_HIGH.
bool readRoughnessAndSlope(FieldReader& r, int kstControl, int isoControl, double& kst, double& Iso);
