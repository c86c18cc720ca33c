// pelvarin: the backwater-length program on a terminal. The report file is
// written where the Windows program writes it: the file-name text followed by
// ".txt", relative to the current folder. Options add a summary on standard
// output, the 1 m march as CSV and a picture of the water surface as SVG.
#include <cstdio>

#include "backwater/backwater_outputs.h"
#include "backwater/calculate_command.h"
#include "backwater/pelvarin_fields.h"
#include "backwater/profile_svg.h"
#include "backwater/report_file.h"
#include "platform/console/console_program.h"

namespace {

enum Option { SUMMARY, CSV, SVG };

const ConsoleOption OPTIONS[] = {
    {"--summary", nullptr,
     "after a completed command, print hn, hgr, hb, profile, kind, length and each warning as NAME=VALUE lines"},
    {"--csv", "FILE",
     "write the 1 m march to a new FILE as CSV: x[m],h[m],wsp[m],zs[m],A[m2],v[m/s],hE[m], stations 0 to 14998"},
    {"--svg", "FILE", "write a longitudinal section of bed, water surface, hn and hgr lines to a new FILE as SVG"},
};

// Writes one output file, never over an existing one; false after saying
// why on standard error.
bool writeNewFile(const char* name, const BackwaterRun& run, void (*write)(std::FILE*, const BackwaterRun&)) {
    std::FILE* file = nullptr;
    const CreateOutcome created = createNewFile(name, file);
    if (created != CreateOutcome::Created) {
        std::fprintf(stderr, "pelvarin: %s: %s\n", name,
                     created == CreateOutcome::NameTaken ? "file exists, not overwritten" : "cannot be created");
        return false;
    }
    write(file, run);
    const bool written = std::fflush(file) == 0 && !std::ferror(file);
    if (std::fclose(file) != 0 || !written) {
        std::fprintf(stderr, "pelvarin: %s: could not be written completely\n", name);
        return false;
    }
    return true;
}

CommandEnd command(DialogPort& dialog, const ConsoleArguments& arguments) {
    const CommandEnd end = runCalculateCommand(dialog);
    if (end != CommandEnd::Completed) return end;
    const BackwaterRun run = lastCompletedRun();
    if (arguments.options[SUMMARY] != nullptr) writeSummary(stdout, run);
    bool written = true;
    if (arguments.options[CSV] != nullptr) written &= writeNewFile(arguments.options[CSV], run, writeMarchCsv);
    if (arguments.options[SVG] != nullptr) written &= writeNewFile(arguments.options[SVG], run, writeProfileSvg);
    return written ? CommandEnd::Completed : CommandEnd::Stopped;
}

}  // namespace

int main(int argc, char** argv) {
    const ConsoleProgram pelvarin{
        "pelvarin",
        "Backwater or drawdown length of a trapezoidal channel, written as a report file (Pelvarin).",
        PELVARIN_FIELDS,
        OPTIONS,
        static_cast<int>(sizeof OPTIONS / sizeof OPTIONS[0]),
        command,
        nullptr,
    };
    return runConsoleProgram(pelvarin, argc, argv);
}
