// pelvarin: the backwater-length program on a terminal. The report file is
// written where the Windows program writes it: the file-name text followed by
// ".txt", relative to the current folder.
#include "calculate_command.h"
#include "console_program.h"
#include "pelvarin_controls.h"

namespace {

const ConsoleField INPUTS[] = {
    {"bso", IDC_BSO}, {"m", IDC_M},   {"n", IDC_N},   {"Q", IDC_Q},     {"kst", IDC_KST}, {"Iso", IDC_ISO},
    {"beta", IDC_BETA}, {"l", IDC_L}, {"hu", IDC_HU}, {"wsp", IDC_WSP}, {"Pa", IDC_PA},   {"file", IDC_FILE},
};

}  // namespace

int main(int argc, char** argv) {
    const ConsoleProgram pelvarin{
        "pelvarin",
        "Backwater or drawdown length of a trapezoidal channel, written as a report file (Pelvarin).",
        INPUTS,
        static_cast<int>(sizeof INPUTS / sizeof INPUTS[0]),
        nullptr,
        0,
        runCalculateCommand,
    };
    return runConsoleProgram(pelvarin, argc, argv);
}
