#include "backwater/calculate_command.h"

#include "backwater/backwater.h"
#include "backwater/pelvarin_fields.h"
#include "backwater/pelvarin_messages.h"
#include "backwater/report_file.h"
#include "dialog/channel_checks.h"
#include "dialog/field_reader.h"

using namespace pelvarin_text;

namespace {

// Limits of Pelvarin's own inputs.
constexpr double BETA_MAX = 1.5;       // [-]
constexpr double SPACING_MAX = 1000.0;  // l [m]

// The inputs, the profile table and the 1 m march of the last command,
// reserved for the program's whole run.
BackwaterInput storedInput;
BackwaterResult storedResult;
FineMarch storedMarch;
bool storedComplete = false;

}  // namespace

const char* backwaterWarningText(BackwaterWarning w) {
    switch (w) {
        case BackwaterWarning::NormalDepthOutside: return WARN_HN_OUTSIDE;
        case BackwaterWarning::CriticalDepthOutside: return WARN_HGR_OUTSIDE;
        case BackwaterWarning::Supercritical: return WARN_SUPERCRITICAL;
        case BackwaterWarning::CriticalDepthAssumed: return WARN_CRITICAL_ASSUMED;
        case BackwaterWarning::LengthBeyondMarch: return WARN_LENGTH_BEYOND_MARCH;
    }
    return "";
}

BackwaterRun lastCompletedRun() {
    if (!storedComplete) return {nullptr, nullptr, nullptr};
    return {&storedInput, &storedResult, &storedMarch};
}

bool readBackwaterInput(FieldReader& r, BackwaterInput& in) {
    in.section.bso = r.decimal(IDC_BSO);
    if (!(in.section.bso >= 0.0 && in.section.bso <= BED_WIDTH_MAX)) return r.refuse(CHECK_BSO);
    if (!readBankSlopes(r, IDC_M, IDC_N, in.section.m, in.section.n)) return false;
    in.Q = r.decimal(IDC_Q);
    if (!(in.Q >= 0.0)) return r.refuse(CHECK_Q);
    if (!readRoughnessAndSlope(r, IDC_KST, IDC_ISO, in.kst, in.Iso)) return false;
    in.beta = r.decimal(IDC_BETA);
    if (!(in.beta >= 0.0 && in.beta <= BETA_MAX)) return r.refuse(CHECK_BETA);
    in.l = r.decimal(IDC_L);
    if (!(in.l > 0.0 && in.l <= SPACING_MAX)) return r.refuse(CHECK_L);
    in.hu = r.decimal(IDC_HU);
    if (!(in.hu > 0.0 && in.hu <= DEPTH_MAX)) return r.refuse(CHECK_HU);
    in.wsp = r.decimal(IDC_WSP);
    if (!(in.wsp > 0.0)) return r.refuse(CHECK_WSP, CAPTION_QUESTION);
    in.Pa = r.integer(IDC_PA);
    // More profiles than the table holds are refused like a count of 0.
    if (in.Pa == 0 || in.Pa > PROFILE_CAPACITY) return r.refuse(CHECK_PA);
    // A section without bed width and with vertical walls has no area. Tested
    // after every single field, so that each field keeps its own message.
    if (in.section.bso == 0.0 && in.section.m == 0.0 && in.section.n == 0.0) return r.refuse(CHECK_BSO);
    return true;
}

CommandEnd runCalculateCommand(DialogPort& dialog) {
    storedComplete = false;
    FieldReader reader(dialog);
    BackwaterInput& in = storedInput;
    in = BackwaterInput{};
    if (!readBackwaterInput(reader, in)) return CommandEnd::Stopped;

    char name[REPORT_NAME_SIZE];
    composeReportName(reader.text(IDC_FILE), name);
    if (reportFileExists(name)) {
        dialog.showMessage(FILE_EXISTS, CAPTION_ERROR);
        return CommandEnd::Stopped;
    }

    BackwaterResult& result = storedResult;
    computeBackwater(in, storedMarch, result);

    ReportStream report;
    switch (createReportFile(name, report)) {
        case CreateOutcome::Created: break;
        case CreateOutcome::NameTaken: dialog.showMessage(FILE_EXISTS, CAPTION_ERROR); return CommandEnd::Stopped;
        case CreateOutcome::CannotCreate:
            dialog.showMessage(FILE_NOT_CREATED, CAPTION_FILE_ERROR);
            return CommandEnd::Stopped;
    }
    writeReportBody(report, in, result);
    if (!reportWritten(report)) {
        discardReportFile(report);
        dialog.showMessage(FILE_NOT_CREATED, CAPTION_FILE_ERROR);
        return CommandEnd::Stopped;
    }

    // The report shows what was computed; where that means little, the user
    // is told before the success message.
    BackwaterWarning warnings[MAX_BACKWATER_WARNINGS];
    const int warningCount = backwaterWarnings(in, result, warnings);
    for (int i = 0; i < warningCount; ++i) reader.warn(backwaterWarningText(warnings[i]));

    dialog.showMessage(FILE_CREATED, CAPTION_INFO);
    // The user has been told the report exists: whatever happens to its
    // closing lines, the file stays.
    if (!finishReportFile(report)) {
        dialog.showMessage(TRAILER_NOT_WRITTEN, CAPTION_FILE_ERROR);
        return CommandEnd::Stopped;
    }
    storedComplete = true;
    return CommandEnd::Completed;
}
