// The console front end of a program: the dialog's fields are set from the
// command line, one Calculate command runs, messages go to standard error and
// written result fields to standard output.
//
//   program [NAME=TEXT ...]
//
// Each argument sets the text of one field to everything after its first '='
// (a later argument for the same field wins); a field not named is empty.
// Every message box becomes the line "CAPTION: TEXT" on standard error, every
// field the command writes the line "NAME=TEXT" on standard output.
// Exit status: 0 when the command ran to its end, 1 when it ended at a check
// or a file error, 2 for a usage error. "--help" prints the usage.
#pragma once

#include "dialog_port.h"

struct ConsoleField {
    const char* name;  // name on the command line and in the output
    int controlId;
};

struct ConsoleProgram {
    const char* name;
    const char* purpose;          // one line for the usage text
    const ConsoleField* inputs;   // fields that may be set
    int inputCount;
    const ConsoleField* outputs;  // fields the command writes
    int outputCount;
    CommandEnd (*command)(DialogPort& dialog);
};

int runConsoleProgram(const ConsoleProgram& program, int argc, char** argv);
