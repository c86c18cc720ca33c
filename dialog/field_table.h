// A program's fields: the one place that pairs a field's name (on the command
// line, in the output, in logs) with the control identifier of its window.
#pragma once

#include <cstddef>

enum class FieldRole {
    Input,   // the command reads it
    Result,  // the command writes it
};

struct Field {
    const char* name;
    int controlId;
    FieldRole role;
};

struct FieldTable {
    const Field* fields;
    int count;
};

template <int N>
constexpr FieldTable fieldTable(const Field (&fields)[N]) {
    return {fields, N};
}

// The field of control `controlId`, or nullptr.
const Field* fieldOfControl(FieldTable table, int controlId);

// The field of that role whose name is the `length` characters at `name`, or
// nullptr. (A result and an input may share a name, as Quostel's Q.)
const Field* fieldNamed(FieldTable table, const char* name, std::size_t length, FieldRole role);
