// The Calculate command of Quostel: read and check the six inputs, compute
// uniform flow, write the eleven results.
#pragma once

#include <optional>

#include "dialog_port.h"
#include "uniform_flow.h"

// Reads the inputs in the order bso, m, n, kst, Iso, h, each right before its
// test. The first failing test shows its message and yields nothing; a high
// kst or Iso shows a warning and goes on.
std::optional<UniformFlowInput> readUniformFlowInput(DialogPort& dialog);

// The whole command behind "&Calculate". A command that ends at a check
// writes no result field, so the fields keep the results of the last
// complete command.
CommandEnd runUniformFlowCommand(DialogPort& dialog);
