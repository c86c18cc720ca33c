// quostel: the uniform-flow calculator on a terminal.
#include "console_program.h"
#include "quostel_controls.h"
#include "uniform_flow_command.h"

namespace {

const ConsoleField INPUTS[] = {
    {"bso", IDC_BSO}, {"m", IDC_M}, {"n", IDC_N}, {"Iso", IDC_ISO}, {"kst", IDC_KST}, {"h", IDC_H},
};

const ConsoleField RESULTS[] = {
    {"v", IDC_V}, {"Q", IDC_Q}, {"hE", IDC_HE}, {"hgr", IDC_HGR}, {"hEm", IDC_HEM}, {"Fr", IDC_FR},
    {"A", IDC_A}, {"U", IDC_U}, {"R", IDC_R},   {"k", IDC_K},     {"hp", IDC_HP},
};

}  // namespace

int main(int argc, char** argv) {
    const ConsoleProgram quostel{
        "quostel", "Uniform flow of a trapezoidal channel at a given depth (Quostel).",
        INPUTS,    static_cast<int>(sizeof INPUTS / sizeof INPUTS[0]),
        RESULTS,   static_cast<int>(sizeof RESULTS / sizeof RESULTS[0]),
        runUniformFlowCommand,
    };
    return runConsoleProgram(quostel, argc, argv);
}
