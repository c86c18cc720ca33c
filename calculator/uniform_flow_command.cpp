#include "uniform_flow_command.h"

#include "depth_solvers.h"
#include "field_text.h"
#include "quostel_controls.h"
#include "quostel_messages.h"
#include "result_format.h"

using namespace quostel_text;

namespace {

// Reads a decimal field. Each range test below asks whether the value lies
// inside, so that a NaN fails it.
double readDecimal(DialogPort& dialog, int controlId) {
    char buffer[FIELD_BUFFER_SIZE];
    dialog.readField(controlId, buffer, FIELD_BUFFER_SIZE);
    return parseDecimalField(buffer);
}

std::optional<UniformFlowInput> refuse(DialogPort& dialog, const char* message) {
    dialog.showMessage(message, CAPTION_ERROR);
    return std::nullopt;
}

}  // namespace

std::optional<UniformFlowInput> readUniformFlowInput(DialogPort& dialog) {
    UniformFlowInput in{};
    in.bso = readDecimal(dialog, IDC_BSO);
    if (!(in.bso > 0.0 && in.bso <= 5000.0)) return refuse(dialog, CHECK_BSO);
    in.m = readDecimal(dialog, IDC_M);
    if (!(in.m >= 0.0 && in.m <= 100.0)) return refuse(dialog, CHECK_M);
    in.n = readDecimal(dialog, IDC_N);
    if (!(in.n >= 0.0 && in.n <= 100.0)) return refuse(dialog, CHECK_N);
    in.kst = readDecimal(dialog, IDC_KST);
    if (!(in.kst > 0.0 && in.kst <= 150.0)) return refuse(dialog, CHECK_KST);
    if (in.kst > 90.0) dialog.showMessage(WARN_KST_HIGH, CAPTION_WARNING);
    in.Iso = readDecimal(dialog, IDC_ISO);
    if (!(in.Iso > 0.0 && in.Iso <= 0.1)) return refuse(dialog, CHECK_ISO);
    if (in.Iso > STEEP_SLOPE_LIMIT) dialog.showMessage(WARN_ISO_HIGH, CAPTION_WARNING);
    in.h = readDecimal(dialog, IDC_H);
    if (!(in.h > 0.0 && in.h <= 1000.0)) return refuse(dialog, CHECK_H);
    return in;
}

CommandEnd runUniformFlowCommand(DialogPort& dialog) {
    const std::optional<UniformFlowInput> in = readUniformFlowInput(dialog);
    if (!in) return CommandEnd::Stopped;
    const UniformFlowResult r = computeUniformFlow(*in);

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
    // near 70 m; the values stay shown, but the user is told.
    if (!criticalDepthInBracket(in->bso, in->m, in->n, r.Q)) {
        dialog.showMessage(WARN_HGR_OUTSIDE, CAPTION_WARNING);
    }
    return CommandEnd::Completed;
}
