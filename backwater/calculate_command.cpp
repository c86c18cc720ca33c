#include "calculate_command.h"

#include "backwater.h"
#include "field_text.h"
#include "pelvarin_controls.h"
#include "pelvarin_messages.h"
#include "report_file.h"

using namespace pelvarin_text;

namespace {

// The profile table and the 1 m march, reserved for the program's whole run.
BackwaterResult storedResult;
FineMarch storedMarch;

struct Reader {
    DialogPort& dialog;
    char buffer[FIELD_BUFFER_SIZE];

    const char* text(int controlId) {
        dialog.readField(controlId, buffer, FIELD_BUFFER_SIZE);
        return buffer;
    }
    double decimal(int controlId) { return parseDecimalField(text(controlId)); }
    bool refuse(const char* message, const char* caption = CAPTION_ERROR) {
        dialog.showMessage(message, caption);
        return false;
    }
    void warn(const char* message) { dialog.showMessage(message, CAPTION_WARNING); }
};

// The input checks in their order. Each test asks whether the value lies
// inside its range, so that a NaN fails it.
bool readInput(Reader& r, BackwaterInput& in) {
    in.bso = r.decimal(IDC_BSO);
    if (!(in.bso >= 0.0 && in.bso <= 5000.0)) return r.refuse(CHECK_BSO);
    in.m = r.decimal(IDC_M);
    if (!(in.m >= 0.0 && in.m <= 100.0)) return r.refuse(CHECK_M);
    in.n = r.decimal(IDC_N);
    if (!(in.n >= 0.0 && in.n <= 100.0)) return r.refuse(CHECK_N);
    in.Q = r.decimal(IDC_Q);
    if (!(in.Q >= 0.0)) return r.refuse(CHECK_Q);
    in.kst = r.decimal(IDC_KST);
    if (!(in.kst > 0.0 && in.kst <= 150.0)) return r.refuse(CHECK_KST);
    if (in.kst > 90.0) r.warn(WARN_KST_HIGH);
    in.Iso = r.decimal(IDC_ISO);
    if (!(in.Iso > 0.0 && in.Iso <= 0.1)) return r.refuse(CHECK_ISO);
    if (in.Iso > 0.05) r.warn(WARN_ISO_HIGH);
    in.beta = r.decimal(IDC_BETA);
    if (!(in.beta >= 0.0 && in.beta <= 1.5)) return r.refuse(CHECK_BETA);
    in.l = r.decimal(IDC_L);
    if (!(in.l > 0.0 && in.l <= 1000.0)) return r.refuse(CHECK_L);
    in.hu = r.decimal(IDC_HU);
    if (!(in.hu > 0.0 && in.hu <= 1000.0)) return r.refuse(CHECK_HU);
    in.wsp = r.decimal(IDC_WSP);
    if (!(in.wsp > 0.0)) return r.refuse(CHECK_WSP, CAPTION_QUESTION);
    in.Pa = parseIntegerField(r.text(IDC_PA));
    // More profiles than the table holds are refused like a count of 0.
    if (in.Pa == 0 || in.Pa > PROFILE_CAPACITY) return r.refuse(CHECK_PA);
    // A section without bed width and with vertical walls has no area. Tested
    // after every single field, so that each field keeps its own message.
    if (in.bso == 0.0 && in.m == 0.0 && in.n == 0.0) return r.refuse(CHECK_BSO);
    return true;
}

const char* warningText(BackwaterWarning w) {
    switch (w) {
        case BackwaterWarning::NormalDepthOutside: return WARN_HN_OUTSIDE;
        case BackwaterWarning::CriticalDepthOutside: return WARN_HGR_OUTSIDE;
        case BackwaterWarning::Supercritical: return WARN_SUPERCRITICAL;
        case BackwaterWarning::CriticalDepthAssumed: return WARN_CRITICAL_ASSUMED;
        case BackwaterWarning::LengthBeyondMarch: return WARN_LENGTH_BEYOND_MARCH;
    }
    return "";
}

}  // namespace

CommandEnd runCalculateCommand(DialogPort& dialog) {
    Reader reader{dialog, {}};
    BackwaterInput in{};
    if (!readInput(reader, in)) return CommandEnd::Stopped;

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
    for (int i = 0; i < warningCount; ++i) reader.warn(warningText(warnings[i]));

    dialog.showMessage(FILE_CREATED, CAPTION_INFO);
    // The user has been told the report exists: whatever happens to its
    // closing lines, the file stays.
    if (!finishReportFile(report)) {
        dialog.showMessage(TRAILER_NOT_WRITTEN, CAPTION_FILE_ERROR);
        return CommandEnd::Stopped;
    }
    return CommandEnd::Completed;
}
