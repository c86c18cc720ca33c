#include "dialog/field_table.h"

#include <cstring>

const Field* fieldOfControl(FieldTable table, int controlId) {
    for (int i = 0; i < table.count; ++i) {
        if (table.fields[i].controlId == controlId) return &table.fields[i];
    }
    return nullptr;
}

const Field* fieldNamed(FieldTable table, const char* name, std::size_t length) {
    for (int i = 0; i < table.count; ++i) {
        const char* candidate = table.fields[i].name;
        if (std::strlen(candidate) == length && std::strncmp(candidate, name, length) == 0) return &table.fields[i];
    }
    return nullptr;
}
