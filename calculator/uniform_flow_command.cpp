#include "calculator/uniform_flow_command.h"

#include "calculator/quostel_fields.h"
#include "calculator/quostel_messages.h"
#include "calculator/result_format.h"
#include "core/depth_solvers.h"
#include "dialog/channel_checks.h"

using namespace quostel_text;

bool readChannelInput(FieldReader& r, UniformFlowInput& in) {
    in.section.bso = r.decimal(IDC_BSO);
    if (!(in.section.bso > 0.0 && in.section.bso <= BED_WIDTH_MAX)) return r.refuse(CHECK_BSO);
    if (!readBankSlopes(r, IDC_M, IDC_N, in.section.m, in.section.n)) return false;
    return readRoughnessAndSlope(r, IDC_KST, IDC_ISO, in.kst, in.Iso);
}

bool readUniformFlowInput(FieldReader& r, UniformFlowInput& in) {
    if (!readChannelInput(r, in)) return false;
    in.h = r.decimal(IDC_H);
    if (!(in.h > 0.0 && in.h <= DEPTH_MAX)) return r.refuse(CHECK_H);
    return true;
}

namespace {

// The eleven results in their order, then the warning for a critical depth
// the solver could not find.
void showResults(DialogPort& dialog, FieldReader& reader, const UniformFlowInput& in) {
    const UniformFlowResult r = computeUniformFlow(in);
    struct Shown {
        int controlId;
        double value;
    };
    const Shown shown[] = {
        {IDC_A, r.A},     {IDC_U, r.U},     {IDC_R, r.R},   {IDC_HE, r.hE}, {IDC_V, r.v},  {IDC_Q, r.Q},
        {IDC_HGR, r.hgr}, {IDC_HEM, r.hEm}, {IDC_FR, r.Fr}, {IDC_K, r.k},   {IDC_HP, r.hp},
    };
    char text[RESULT_TEXT_SIZE];
    for (const Shown& s : shown) {
        formatResultValue(s.value, text);
        dialog.writeField(s.controlId, text);
    }

    // The solver cannot tell a critical depth outside its bracket from one
    // near DEPTH_BRACKET_HIGH; the values stay shown, but the user is told.
    if (!criticalDepthInBracket(in.section.bso, in.section.m, in.section.n, r.Q)) reader.warn(WARN_HGR_OUTSIDE);
}

}  // namespace

CommandEnd runUniformFlowCommand(DialogPort& dialog) {
    FieldReader reader(dialog);
    UniformFlowInput in{};
    if (!readUniformFlowInput(reader, in)) return CommandEnd::Stopped;
    showResults(dialog, reader, in);
    return CommandEnd::Completed;
}

CommandEnd runDepthFromDischargeCommand(DialogPort& dialog) {
    FieldReader reader(dialog);
    UniformFlowInput in{};
    if (!readChannelInput(reader, in)) return CommandEnd::Stopped;
    const double Q = reader.decimal(IDC_Q_GIVEN);
    if (!(Q > 0.0)) {
        reader.refuse(CHECK_Q);
        return CommandEnd::Stopped;
    }
    if (!(Q <= uniformDischarge(in, DEPTH_FOR_DISCHARGE_MAX))) {
        reader.warn(WARN_DEPTH_OVER_MAX);
        return CommandEnd::Stopped;
    }
    in.h = depthForDischarge(in, Q);
    char text[RESULT_TEXT_SIZE];
    formatResultValue(in.h, text);
    dialog.writeField(IDC_H, text);
    showResults(dialog, reader, in);
    return CommandEnd::Completed;
}
