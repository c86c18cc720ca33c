// quostel: the uniform-flow calculator on a terminal. Besides the window's
// command it finds the depth for a given discharge (Q= in place of h=) and
// prints rating tables.
#include <cstdio>

#include "calculator/quostel_fields.h"
#include "calculator/rating_table.h"
#include "calculator/uniform_flow_command.h"
#include "platform/console/console_program.h"

namespace {

enum Option { TABLE };

const ConsoleOption OPTIONS[] = {
    {"--table", "h=FROM:TO:STEP",
     "print a rating table as CSV, h,A,U,R,hE,v,Q,hgr,hEm,Fr,k,hp, one row per depth from FROM to TO "
     "(at most 100000 rows), for the channel of bso m n Iso kst"},
};

// "h=FROM:TO:STEP" into a range; false for anything else.
bool tableRange(const char* option, DepthRange& range) {
    return option[0] == 'h' && option[1] == '=' && parseDepthRange(option + 2, range);
}

const char* usageError(const ConsoleArguments& arguments) {
    if (arguments.given("h") && arguments.given("Q")) return "give either h= or Q=, not both";
    if (arguments.options[TABLE] != nullptr) {
        DepthRange range;
        if (!tableRange(arguments.options[TABLE], range)) {
            return "--table needs h=FROM:TO:STEP with 0 < FROM <= TO <= 1000, STEP > 0, at most 100000 rows";
        }
        if (arguments.given("h") || arguments.given("Q")) return "--table takes its depths from its range";
    }
    return nullptr;
}

CommandEnd command(DialogPort& dialog, const ConsoleArguments& arguments) {
    if (arguments.options[TABLE] != nullptr) {
        DepthRange range;
        tableRange(arguments.options[TABLE], range);
        FieldReader reader(dialog);
        UniformFlowInput channel{};
        if (!readChannelInput(reader, channel)) return CommandEnd::Stopped;
        writeRatingTable(stdout, channel, range);
        return CommandEnd::Completed;
    }
    if (arguments.given("Q")) return runDepthFromDischargeCommand(dialog);
    return runUniformFlowCommand(dialog);
}

}  // namespace

int main(int argc, char** argv) {
    const ConsoleProgram quostel{
        "quostel",
        "Uniform flow of a trapezoidal channel at a given depth h, or at the depth that carries a given "
        "discharge Q (Quostel).",
        QUOSTEL_FIELDS,
        OPTIONS,
        static_cast<int>(sizeof OPTIONS / sizeof OPTIONS[0]),
        command,
        usageError,
    };
    return runConsoleProgram(quostel, argc, argv);
}
