// The Calculate command of Pelvarin: read and check the eleven inputs, test
// the report name, compute the backwater, write the report.
#pragma once

#include "backwater/backwater.h"
#include "dialog/dialog_port.h"
#include "dialog/field_reader.h"

// Reads the inputs in the order bso, m, n, Q, kst, Iso, beta, l, hu, wsp, Pa,
// each right before its test, into `in`. The first failing test shows its
// message and answers false; a high kst or Iso shows a warning and goes on.
bool readBackwaterInput(FieldReader& r, BackwaterInput& in);

// The whole command behind "&Calculate". The inputs are read in the order
// bso, m, n, Q, kst, Iso, beta, l, hu, wsp, Pa, each right before its test;
// the first failing test shows its message and ends the command without
// touching any file. The success message is shown while the report is still
// open; its closing lines follow once the message is dismissed.
CommandEnd runCalculateCommand(DialogPort& dialog);

// The text of a warning, as the command shows it.
const char* backwaterWarningText(BackwaterWarning warning);

// The inputs and results of the last command, if it ran to its end (all
// three nullptr otherwise); valid until the next command.
struct BackwaterRun {
    const BackwaterInput* input;
    const BackwaterResult* result;
    const FineMarch* march;
};
BackwaterRun lastCompletedRun();
