// How both commands read and check their fields: each field is read into one
// buffer right before its test, parsed, stored and tested; the first failing
// test shows its message and ends the command, a warning shows and goes on.
//
//   in.kst = r.decimal(IDC_KST);
//   if (!(in.kst > 0.0 && in.kst <= KST_MAX)) return r.refuse(CHECK_KST);
//   if (in.kst > KST_HIGH) r.warn(WARN_KST_HIGH);
//
// Each test asks whether the value lies inside its range, so that a NaN
// fails it.
#pragma once

#include <cstdint>

#include "dialog/dialog_port.h"

// Captions of the checks' messages, the same in both programs.
inline constexpr const char* CAPTION_ERROR = "Fehler!";
inline constexpr const char* CAPTION_WARNING = "Achtung!";

// Limits of the inputs both programs share. The slope limits are the doubles
// nearest to the decimals; the others are exact.
inline constexpr double BED_WIDTH_MAX = 5000.0;  // bso [m]
inline constexpr double BANK_SLOPE_MAX = 100.0;  // m, n [-]
inline constexpr double KST_MAX = 150.0;         // [m^(1/3)/s]
inline constexpr double KST_HIGH = 90.0;         // above it a warning [m^(1/3)/s]
inline constexpr double ISO_MAX = 0.1;           // [-]
inline constexpr double ISO_HIGH = 0.05;         // above it a warning [-]
inline constexpr double DEPTH_MAX = 1000.0;      // hu, h [m]

class FieldReader {
public:
    explicit FieldReader(DialogPort& dialog) : dialog_(dialog) {}

    // The field's text, at most FIELD_BUFFER_SIZE - 1 characters; valid until
    // the next read.
    const char* text(int controlId);
    double decimal(int controlId);
    std::int32_t integer(int controlId);

    // Shows a failed check's message; answers false, which ends the reading.
    bool refuse(const char* message, const char* caption = CAPTION_ERROR);
    // Shows a warning; the reading goes on.
    void warn(const char* message);

private:
    DialogPort& dialog_;
    char buffer_[FIELD_BUFFER_SIZE] = {};
};
