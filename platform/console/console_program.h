// The console front end of a program: the dialog's fields are set from the
// command line, one Calculate command runs, messages go to standard error and
// written fields to standard output.
//
//   program [--OPTION [VALUE] ...] [NAME=TEXT ...]
//
// Each NAME=TEXT argument sets the text of one input field to everything
// after its first '=' (a later argument for the same field wins); a field not
// named is empty. Every message box becomes the line "CAPTION: TEXT" on
// standard error, every field the command writes the line "NAME=TEXT" on
// standard output. A program may have options of its own, which add output
// without changing any of the above.
// Exit status: 0 when the command ran to its end, 1 when it ended at a check
// or a file error or its output could not be written, 2 for a usage error.
// "--help" prints the usage.
#pragma once

#include "dialog/dialog_port.h"
#include "dialog/field_table.h"

constexpr int MAX_CONSOLE_FIELDS = 32;
constexpr int MAX_CONSOLE_OPTIONS = 8;

// An option beyond the fields: "--NAME" alone, or "--NAME VALUE".
struct ConsoleOption {
    const char* name;      // "--csv"
    const char* argument;  // "FILE", or nullptr for an option without a value
    const char* help;      // one line for the usage text
};

// What the command line gave, besides the field texts.
struct ConsoleArguments {
    FieldTable fields;
    bool fieldGiven[MAX_CONSOLE_FIELDS];
    const char* options[MAX_CONSOLE_OPTIONS];  // by option index: nullptr not given, "" given without a value

    // Whether the input field of that name was set.
    bool given(const char* fieldName) const;
};

struct ConsoleProgram {
    const char* name;
    const char* purpose;  // one line for the usage text
    FieldTable fields;    // inputs may be set by name, written fields are printed by name
    const ConsoleOption* options;
    int optionCount;
    // The command, with the command line's options.
    CommandEnd (*command)(DialogPort& dialog, const ConsoleArguments& arguments);
    // A usage error that the names alone do not show, as a message, or
    // nullptr; may itself be nullptr.
    const char* (*usageError)(const ConsoleArguments& arguments);
};

int runConsoleProgram(const ConsoleProgram& program, int argc, char** argv);
