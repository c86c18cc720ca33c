#include "dialog/field_reader.h"

#include "dialog/field_text.h"

const char* FieldReader::text(int controlId) {
    dialog_.readField(controlId, buffer_, FIELD_BUFFER_SIZE);
    return buffer_;
}

double FieldReader::decimal(int controlId) {
    return parseDecimalField(text(controlId));
}

std::int32_t FieldReader::integer(int controlId) {
    return parseIntegerField(text(controlId));
}

bool FieldReader::refuse(const char* message, const char* caption) {
    dialog_.showMessage(message, caption);
    return false;
}

void FieldReader::warn(const char* message) {
    dialog_.showMessage(message, CAPTION_WARNING);
}
