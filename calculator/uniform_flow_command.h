// The Calculate command of Quostel: read and check the six inputs, compute
// uniform flow, write the eleven results.
#pragma once

#include "calculator/uniform_flow.h"
#include "dialog/dialog_port.h"
#include "dialog/field_reader.h"

// Reads the channel in the order bso, m, n, kst, Iso, each right before its
// test, into `in`. The first failing test shows its message and answers
// false; a high kst or Iso shows a warning and goes on.
bool readChannelInput(FieldReader& r, UniformFlowInput& in);

// The channel, then the depth h.
bool readUniformFlowInput(FieldReader& r, UniformFlowInput& in);

// The whole command behind "&Calculate". A command that ends at a check
// writes no result field, so the fields keep the results of the last
// complete command.
CommandEnd runUniformFlowCommand(DialogPort& dialog);

// The console's variant: the channel, then a given discharge Q in place of
// h (control IDC_Q_GIVEN, "Bitte Eingabe Q kontrollieren" unless above 0).
// Writes the depth of uniform flow that carries Q, then the eleven results
// for it; a discharge that needs more than 1000 m of depth is told
// ("Wassertiefe ueber 1000 m") and gives no results.
CommandEnd runDepthFromDischargeCommand(DialogPort& dialog);
