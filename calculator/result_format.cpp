#include "calculator/result_format.h"

#include <charconv>

void formatResultValue(double value, char (&text)[RESULT_TEXT_SIZE]) {
    // std::to_chars with a precision is defined to write what printf writes
    // for "%.*g" in the "C" locale.
    const std::to_chars_result r =
        std::to_chars(text, text + RESULT_TEXT_SIZE - 1, value, std::chars_format::general, 5);
    *r.ptr = '\0';
}
