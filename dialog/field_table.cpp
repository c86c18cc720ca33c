#include "dialog/field_table.h"

#include <cstring>

const Field* fieldOfControl(FieldTable table, int controlId) {
    for (int i = 0; i < table.count; ++i) {
        if (table.fields[i].controlId == controlId) return &table.fields[i];
    }
    return nullptr;
}

const Field* fieldNamed(FieldTable table, const char* name, std::size_t length, FieldRole role) {
    for (int i = 0; i < table.count; ++i) {
        const Field& field = table.fields[i];
        if (field.role == role && std::strlen(field.name) == length && std::strncmp(field.name, name, length) == 0) {
            return &field;
        }
    }
    return nullptr;
}
