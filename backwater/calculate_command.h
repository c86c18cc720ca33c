// The Calculate command of Pelvarin: read and check the eleven inputs, test
// the report name, compute the backwater, write the report.
#pragma once

#include "dialog_port.h"

// The whole command behind "&Calculate". The inputs are read in the order
// bso, m, n, Q, kst, Iso, beta, l, hu, wsp, Pa, each right before its test;
// the first failing test shows its message and ends the command without
// touching any file. The success message is shown while the report is still
// open; its closing lines follow once the message is dismissed.
CommandEnd runCalculateCommand(DialogPort& dialog);
